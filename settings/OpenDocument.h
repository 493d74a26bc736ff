#pragma once

#include <QString>

#include "platform/system/Shell.h"

namespace kelvo::settings {

// Opens a full file path or a web address with the desktop's default program. Failures (a missing readme,
// no browser) are ignored: there is nothing useful to tell the user.
void OpenDocument(system::Shell& shell, const QString& target);

} // namespace kelvo::settings
