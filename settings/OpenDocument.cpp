#include "OpenDocument.h"

namespace kelvo::settings {

void OpenDocument(system::Shell& shell, const QString& target) {
    shell.Open(target);
}

} // namespace kelvo::settings
