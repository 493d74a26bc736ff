#include "Line3DPainter.h"

namespace kelvo::controls {

int Line3DThickness(std::int32_t lineType) {
    return lineType == 1 || lineType == 2 ? 2 : 1;
}

void PaintLine3D(gdi::DeviceContext& dc, const Line3DLook& look, LineDirection direction,
                 std::int32_t length) {
    const gdi::Colour first = look.lineType == 2 ? look.highlight : look.shadow;
    const gdi::Colour second = look.lineType == 2 ? look.shadow : look.highlight;
    const auto line = [&](int offset, gdi::Colour colour) {
        if (direction == LineDirection::Horizontal) {
            host::SurfaceDrawing::Line(dc, look.pen, 0, offset, length, offset, colour);
        } else {
            host::SurfaceDrawing::Line(dc, look.pen, offset, 0, offset, length, colour);
        }
    };
    line(0, first);
    if (Line3DThickness(look.lineType) == 2) {
        line(1, second);
    }
}

} // namespace kelvo::controls
