#pragma once

#include <cstdint>
#include <optional>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

namespace kelvo::host {

// The drawing operations of a control surface, on top of the device context: lines, boxes, filled
// boxes and arcs with the surface's draw mode, style and width and its fill style and colour.
//
// - A line leaves its end point undrawn; a line of length 0 draws nothing.
// - A box covers both corners: (x1, y1)-(x2, y2) outlines columns x1..x2 and rows y1..y2 in the line
//   colour and fills the inside with the fill style and colour (style 1, the default, leaves it).
// - A filled box paints the same pixels solid in the line colour, whatever the fill style says.
// - A circle of radius r around (x, y) covers columns x-r..x+r; with an aspect other than 1 the vertical
//   radius is r times the aspect (below 1) or the horizontal one r divided by it (above 1). Angles are
//   radians from 0 (3 o'clock) counter-clockwise as seen on the screen, from -2 pi to 2 pi; a negative
//   angle also draws the radius to it. Only a whole figure is filled.
// - Draw styles 1 to 4 (dashes and dots) draw solid when the width is above 1; style 5 draws nothing.
class SurfaceDrawing {
public:
    struct Attributes {
        std::int16_t drawMode = 13;
        std::int16_t drawStyle = 0;
        std::int16_t drawWidth = 1;
        std::int16_t fillStyle = 1;
        gdi::Colour fillColor{0};
    };

    // The pen for lines in a colour (resolved against the context's system colours).
    static gdi::Pen MakePen(const gdi::DeviceContext& dc, const Attributes& attributes, gdi::Colour colour);
    // The brush of the fill style, or a null handle for the transparent style.
    static gdi::Brush MakeFillBrush(const gdi::DeviceContext& dc, const Attributes& attributes);

    static bool Line(gdi::DeviceContext& dc, const Attributes& attributes, double x1, double y1, double x2,
                     double y2, gdi::Colour colour);
    static bool Box(gdi::DeviceContext& dc, const Attributes& attributes, double x1, double y1, double x2,
                    double y2, gdi::Colour colour, bool filled);
    static bool Circle(gdi::DeviceContext& dc, const Attributes& attributes, double x, double y,
                       double radius, gdi::Colour colour, std::optional<double> start,
                       std::optional<double> end, double aspect);
};

} // namespace kelvo::host
