#include "platform/gdi/Edges.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/Fill.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/SysColours.h"

namespace kelvo::gdi {

namespace {

struct Line {
    int topLeft;
    int bottomRight;
};

// The colours of each kind of line, as system colour indices.
Line OuterLine(unsigned edge) {
    return (edge & BDR_RAISEDOUTER) != 0 ? Line{COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                                         : Line{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

Line InnerLine(unsigned edge) {
    return (edge & BDR_RAISEDINNER) != 0 ? Line{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}
                                         : Line{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

BrushData SolidBrush(const DeviceContext& dc, int index) {
    return SolidBrushData(dc.Colours().GetSysColor(index));
}

// One line of the border along the inside of [l, r) x [t, b) on the sides asked for.
void PaintLine(DeviceContext& dc, const Line& line, std::int64_t l, std::int64_t t, std::int64_t r,
               std::int64_t b, unsigned sides) {
    if (l >= r || t >= b) {
        return;
    }
    const BrushData topLeft = SolidBrush(dc, line.topLeft);
    const BrushData bottomRight = SolidBrush(dc, line.bottomRight);
    if ((sides & BF_TOP) != 0) {
        PaintBlock(dc, topLeft, l, t, r - l, 1, PATCOPY);
    }
    if ((sides & BF_LEFT) != 0) {
        PaintBlock(dc, topLeft, l, t, 1, b - t, PATCOPY);
    }
    if ((sides & BF_BOTTOM) != 0) {
        PaintBlock(dc, bottomRight, l, b - 1, r - l, 1, PATCOPY);
    }
    if ((sides & BF_RIGHT) != 0) {
        PaintBlock(dc, bottomRight, r - 1, t, 1, b - t, PATCOPY);
    }
}

} // namespace

bool DrawEdge(DeviceContext& dc, Rect& rect, unsigned edge, unsigned flags) {
    const unsigned outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    const unsigned inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if ((flags & (BF_FLAT | BF_MONO)) == 0 && (outer == 3 || inner == 12)) {
        return false;
    }
    if (dc.Target() == nullptr) {
        return false;
    }
    std::int64_t l = rect.left;
    std::int64_t t = rect.top;
    std::int64_t r = rect.right;
    std::int64_t b = rect.bottom;
    const unsigned sides = flags & BF_RECT;
    const auto shrink = [&] {
        l += (sides & BF_LEFT) != 0 ? 1 : 0;
        t += (sides & BF_TOP) != 0 ? 1 : 0;
        r -= (sides & BF_RIGHT) != 0 ? 1 : 0;
        b -= (sides & BF_BOTTOM) != 0 ? 1 : 0;
    };
    if (outer != 0) {
        PaintLine(dc, OuterLine(outer), l, t, r, b, sides);
        shrink();
    }
    if (inner != 0) {
        PaintLine(dc, InnerLine(inner), l, t, r, b, sides);
        shrink();
    }
    if ((flags & BF_MIDDLE) != 0 && l < r && t < b) {
        PaintBlock(dc, SolidBrush(dc, (flags & BF_MONO) != 0 ? COLOR_WINDOW : COLOR_BTNFACE), l, t, r - l,
                   b - t, PATCOPY);
    }
    if ((flags & BF_ADJUST) != 0) {
        // The border is at most two pixels deep, so the shrunk edges stay within 32 bits except when
        // the rectangle itself sits on the limits; then it is left as it was.
        const Rect adjusted{static_cast<std::int32_t>(std::clamp<std::int64_t>(l, INT32_MIN, INT32_MAX)),
                            static_cast<std::int32_t>(std::clamp<std::int64_t>(t, INT32_MIN, INT32_MAX)),
                            static_cast<std::int32_t>(std::clamp<std::int64_t>(r, INT32_MIN, INT32_MAX)),
                            static_cast<std::int32_t>(std::clamp<std::int64_t>(b, INT32_MIN, INT32_MAX))};
        rect = adjusted;
    }
    return true;
}

bool DrawFocusRect(DeviceContext& dc, const Rect& rect) {
    if (IsRectEmpty(rect) || dc.Target() == nullptr) {
        return false;
    }
    // A 2x2 monochrome checkerboard: white (1 bits) where x + y is even.
    BrushData brush;
    brush.style = BS_PATTERN;
    brush.monochrome = true;
    brush.pattern = QImage(2, 2, QImage::Format_RGB32);
    brush.pattern.setPixel(0, 0, 0xFFFFFFFFu);
    brush.pattern.setPixel(1, 1, 0xFFFFFFFFu);
    brush.pattern.setPixel(1, 0, 0xFF000000u);
    brush.pattern.setPixel(0, 1, 0xFF000000u);
    const std::int64_t width = rect.Width();
    const std::int64_t height = rect.Height();
    PaintBlock(dc, brush, rect.left, rect.top, width, 1, PATINVERT);
    if (height > 1) {
        PaintBlock(dc, brush, rect.left, std::int64_t{rect.bottom} - 1, width, 1, PATINVERT);
    }
    if (height > 2) {
        PaintBlock(dc, brush, rect.left, std::int64_t{rect.top} + 1, 1, height - 2, PATINVERT);
        if (width > 1) {
            PaintBlock(dc, brush, std::int64_t{rect.right} - 1, std::int64_t{rect.top} + 1, 1, height - 2,
                       PATINVERT);
        }
    }
    return true;
}

} // namespace kelvo::gdi
