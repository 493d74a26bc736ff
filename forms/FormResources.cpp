#include "FormResources.h"

#include <QtGlobal>

#include "controls/ControlResources.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(forms);
}

namespace kelvo::forms {

void InitFormResources() {
    static const bool registered = [] {
        RegisterResources();
        controls::InitControlResources();
        return true;
    }();
    static_cast<void>(registered);
}

} // namespace kelvo::forms
