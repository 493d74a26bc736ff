#include "OpenDocument.h"

namespace kelvo::app {

void OpenDocument(system::Shell& shell, const QString& target) {
    shell.Open(target);
}

} // namespace kelvo::app
