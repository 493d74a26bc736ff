#pragma once

#include "MessageBoxService.h"

namespace kelvo::host {

// The message box of the desktop, parented to the active window so that it stays in front of it.
class QtMessageBox : public MessageBoxService {
public:
    void ShowCritical(const QString& text, const QString& title) override;
};

} // namespace kelvo::host
