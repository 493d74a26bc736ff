#pragma once

#include <cstdint>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/host/SurfaceDrawing.h"

namespace kelvo::controls {

// The look of a 3-D separator line. Line type 1 is sunken (a shadow line, then a highlight line), 2
// raised (highlight, then shadow), any other value a single shadow line. The lines are drawn with the
// pen attributes given (the control passes its surface's draw mode, style and width), in colours that
// may name system colours.
struct Line3DLook {
    std::int32_t lineType = 1;
    gdi::Colour highlight = gdi::Colour::System(20);
    gdi::Colour shadow = gdi::Colour::System(16);
    host::SurfaceDrawing::Attributes pen;
};

enum class LineDirection { Horizontal, Vertical };

// How thick the lines of a type are, in pixels: 2 for the two-line looks, 1 for the single line.
int Line3DThickness(std::int32_t lineType);

// Draws the lines from the top left corner along `length` pixels: rows 0 and 1 for a horizontal line,
// columns 0 and 1 for a vertical one. The last pixel of each line is left out, as lines end. The
// context is left as it was found.
void PaintLine3D(gdi::DeviceContext& dc, const Line3DLook& look, LineDirection direction,
                 std::int32_t length);

} // namespace kelvo::controls
