#pragma once

#include <cstdint>
#include <functional>

#include <QImage>

#include "platform/gdi/GdiObjects.h"

namespace kelvo::gdi {

class DeviceContext;

// Paints line segments with a pen into a context's target; shared by LineTo and the outlines of
// shapes that are made of segments.
class LinePainter {
public:
    // Calls visit(i, x, y) for the pixels i = 0 .. n-1 of the one-pixel line from (x0, y0) towards
    // (x1, y1) (end excluded, or included when includeEnd) whose coordinates lie in [0, width) x
    // [0, height) widened by margin on every side. Only the steps whose main coordinate is in that
    // range are walked, so a line across millions of pixels costs as much as its visible part.
    static void Walk(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool includeEnd,
                     int width, int height, int margin,
                     const std::function<void(std::int64_t, int, int)>& visit);

    // Draws the segment with the pen in dc's mixing mode.
    static void Draw(DeviceContext& dc, QImage& image, const PenData& pen, std::int32_t x0, std::int32_t y0,
                     std::int32_t x1, std::int32_t y1);
};

} // namespace kelvo::gdi
