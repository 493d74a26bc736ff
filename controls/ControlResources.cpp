#include "ControlResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterImages() {
    Q_INIT_RESOURCE(images);
}

namespace kelvo::controls {

void InitControlResources() {
    static const bool registered = [] {
        RegisterImages();
        return true;
    }();
    static_cast<void>(registered);
}

} // namespace kelvo::controls
