#include "FocusMark.h"

#include "platform/gdi/Lines.h"

namespace kelvo::host {

namespace {

void Dot(gdi::DeviceContext& dc, std::int32_t x, std::int32_t y, gdi::Colour colour) {
    if ((x + y) % 2 == 0) {
        gdi::SetPixelV(dc, x, y, colour);
    }
}

} // namespace

void PaintFocusMark(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour colour) {
    const QImage* target = dc.Target();
    if (target == nullptr || gdi::IsRectEmpty(rect)) {
        return;
    }
    // Sides beyond the target are cut to one pixel outside it, so no sum below can overflow and no loop
    // runs longer than the picture is wide.
    const gdi::Rect bounds{-1, -1, target->width() + 1, target->height() + 1};
    gdi::Rect mark;
    if (!gdi::IntersectRect(mark, rect, bounds)) {
        return;
    }
    const std::int32_t right = mark.right - 1;
    const std::int32_t bottom = mark.bottom - 1;
    for (std::int32_t x = mark.left; x <= right; ++x) {
        Dot(dc, x, mark.top, colour);
        Dot(dc, x, bottom, colour);
    }
    for (std::int32_t y = mark.top + 1; y < bottom; ++y) {
        Dot(dc, mark.left, y, colour);
        Dot(dc, right, y, colour);
    }
}

} // namespace kelvo::host
