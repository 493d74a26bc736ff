#pragma once

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls {

// The look of a state image drawn in code. The option button and the check box show designed pictures;
// when those are missing (a broken build) this plain box stands in, so the two states still differ.
struct StateImageLook {
    int width = 14;
    int height = 15;
    bool set = false;
    gdi::Colour frame = gdi::Colour::FromRgb(0x80, 0x80, 0x80);
    gdi::Colour face = gdi::Colour::FromRgb(0xFF, 0xFF, 0xFF);
    gdi::Colour mark = gdi::Colour::FromRgb(0, 0, 0);
};

// The box fills width x height from the top left: a one-pixel frame around the face, and for the set
// state a mark MarkInset pixels in from every side (none when the box is too small to hold it). The
// context is left as it was found.
void PaintStateImage(gdi::DeviceContext& dc, const StateImageLook& look);
inline constexpr int MarkInset = 4;

} // namespace kelvo::controls
