#include "FormResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(forms);
    Q_INIT_RESOURCE(images);
}

namespace kelvo::forms {

void InitFormResources() {
    static const bool registered = [] {
        RegisterResources();
        return true;
    }();
    static_cast<void>(registered);
}

} // namespace kelvo::forms
