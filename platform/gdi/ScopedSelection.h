#pragma once

#include "platform/gdi/DeviceContext.h"

namespace kelvo::gdi {

// Puts back, when the drawing step ends, the object a SelectObject call replaced; a failed selection (an
// empty previous object) puts nothing back.
class ScopedSelection {
public:
    ScopedSelection(DeviceContext& dc, SelectedObject previous)
        : dc_(dc)
        , previous_(std::move(previous)) {}
    ~ScopedSelection() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    DeviceContext& dc_;
    SelectedObject previous_;
};

} // namespace kelvo::gdi
