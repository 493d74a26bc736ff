#pragma once

#include <QString>

#include "FontObject.h"
#include "platform/gdi/Colour.h"

namespace kelvo::host {

// What a container tells the instances it holds about itself and about their place in it: the name the
// instance goes by, the container's font and background colour, and whether the instance is the
// container's default button.
struct AmbientValues {
    QString displayName;
    FontObject font;
    gdi::Colour backColor{0x8000000Fu};
    bool displayAsDefault = false;

    friend bool operator==(const AmbientValues&, const AmbientValues&) = default;
};

} // namespace kelvo::host
