#include <algorithm>

#include "controls/progressbar/BarMath.h"
#include "controls/progressbar/BarPaint.h"
#include "controls/progressbar/BarPrimitives.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/Lines.h"

// The segmented (0), continuous (1 and every unknown style) and marquee (2) looks: a bar body with light
// gradient edges inside a rounded grey frame.

namespace kelvo::controls::progressbar {

namespace {

constexpr std::int32_t GapWidth = 2;
constexpr std::int32_t SegmentWidth = 6;

void DrawMarqueeBlocks(BarPaint& p) {
    const gdi::Rect& fill = p.state.fill;
    for (int i = 0; i < 3; ++i) {
        if (!p.Vertical()) {
            // 100 - value is worked out in 64 bits: the value may be any 32-bit number.
            const double behind = static_cast<double>(std::int64_t{100} - p.look.value) / 100.0 * 45.0;
            const std::int32_t x = ToPixel(static_cast<double>(fill.right) + 12.0 * i - behind);
            const std::int32_t shade = 200 - 40 * i;
            DrawGradient(p.dc, p.Lighten(shade + 20), p.Lighten(shade), x, 3, 9, p.B - 2, true);
        } else {
            const std::int32_t y = Clamp32(std::int64_t{fill.top} + std::int64_t{12} * i);
            const std::int32_t shade = 120 + 40 * i;
            DrawGradient(p.dc, p.Lighten(shade + 20), p.Lighten(shade), p.R - 2, y, 2, 9, false);
        }
    }
}

void DrawBarBody(BarPaint& p) {
    gdi::Rect& fill = p.state.fill;
    if (!p.Vertical()) {
        if (fill.right < 15) {
            fill.right = 12; // even value 0 shows a short stub
        }
        const std::int32_t right = std::int64_t{fill.right} + 4 > p.R ? fill.right - 4 : fill.right;
        const gdi::Rect body{4, 8, right, p.B - 8};
        if (p.look.scrolling == 2) {
            DrawMarqueeBlocks(p);
            return;
        }
        DrawGradient(p.dc, p.Lighten(150), p.colour, 4, 3, body.right, 6, false);
        FillSolid(p.dc, body, p.colour);
        DrawGradient(p.dc, p.colour, p.Lighten(150), 4, p.B - 10, body.right, 6, false);
        return;
    }
    const gdi::Rect body{9, fill.top, p.R - 8, p.B};
    if (p.look.scrolling == 2) {
        DrawMarqueeBlocks(p);
        return;
    }
    DrawGradient(p.dc, p.Lighten(150), p.colour, 4, fill.top, 4, p.B, true);
    FillSolid(p.dc, body, p.colour);
    DrawGradient(p.dc, p.colour, p.Lighten(150), p.R - 8, fill.top, 4, p.B, true);
}

// White gaps every 8 pixels across the bar. Gaps past the target's pixels are not visited: the fill may
// reach far beyond the control when the value is far above the maximum.
void DrawBlockGaps(BarPaint& p) {
    const QImage* target = p.dc.Target();
    if (target == nullptr) {
        return;
    }
    gdi::Brush brush = gdi::CreateSolidBrush(gdi::Colour(0xFFFFFF));
    const gdi::Rect& fill = p.state.fill;
    gdi::Rect& gap = p.state.gap;
    gap = p.state.client;
    const std::int64_t pitch = SegmentWidth + GapWidth;
    if (!p.Vertical()) {
        const std::int64_t last = std::min<std::int64_t>(fill.right, target->width());
        for (std::int64_t x = std::int64_t{fill.left} + SegmentWidth; x <= last; x += pitch) {
            gap.left = Clamp32(x + 1);
            gap.right = Clamp32(x + 3);
            gdi::FillRect(p.dc, gap, brush);
        }
    } else {
        std::int64_t y = fill.bottom;
        // Skip, in whole steps, the gaps that lie below the target.
        const std::int64_t below = y - 1 - target->height();
        if (below > 0) {
            y -= (below + pitch - 1) / pitch * pitch;
        }
        for (const std::int64_t last = std::int64_t{fill.top} + SegmentWidth; y >= last && y > 0;
             y -= pitch) {
            gap.top = Clamp32(y - 2);
            gap.bottom = Clamp32(y);
            gdi::FillRect(p.dc, gap, brush);
        }
    }
    gdi::DeleteObject(brush);
}

struct CornerPixel {
    bool fromRight;
    std::int32_t dx;
    bool fromBottom;
    std::int32_t dy;
    std::uint32_t colour;
};

// The frame's corners, each drawn as listed: they are not mirror images of one another.
constexpr CornerPixel Corners[] = {
    // top left
    {false, 0, false, 0, 0xFFFFFF},
    {false, 0, false, 1, 0xA6ABAC},
    {false, 0, false, 2, 0x7D7E7F},
    {false, 1, false, 0, 0xA7ABAC},
    {false, 1, false, 1, 0x777777},
    {false, 2, false, 0, 0x7D7E7F},
    {false, 2, false, 2, 0xBEBEBE},
    // bottom left
    {false, 0, true, 1, 0xFFFFFF},
    {false, 1, true, 1, 0xA6ABAC},
    {false, 2, true, 1, 0x7D7E7F},
    {false, 0, true, 3, 0x7D7E7F},
    {false, 0, true, 2, 0xA7ABAC},
    {false, 1, true, 2, 0x777777},
    // top right
    {true, 1, false, 0, 0xFFFFFF},
    {true, 1, false, 1, 0xBEBEBE},
    {true, 1, false, 2, 0x7D7E7F},
    {true, 2, false, 2, 0xBEBEBE},
    {true, 2, false, 1, 0x686868},
    // bottom right
    {true, 1, true, 1, 0xFFFFFF},
    {true, 1, true, 2, 0xBEBEBE},
    {true, 1, true, 3, 0x7D7E7F},
    {true, 2, true, 2, 0x777777},
    {true, 2, true, 1, 0xBEBEBE},
    {true, 3, true, 1, 0x7D7E7F},
};
static_assert(std::size(Corners) == 24);

} // namespace

void CalcFillRect(BarPaint& p) {
    ProgressBarState& s = p.state;
    s.blockWidth = p.look.scrolling == 0 ? SegmentWidth : 0;
    s.blockGap = GapWidth;
    const std::int64_t pitch = std::int64_t{s.blockWidth} + s.blockGap;
    s.client.left = Clamp32(std::int64_t{s.client.left} + 3);
    s.fill = s.client;
    double f = p.Fraction();
    if (!(f >= 0.0)) {
        f = 0.0;
    }
    s.fillFraction = f;
    if (!p.Vertical()) {
        const std::int64_t right = ToPixel(p.R * f);
        s.fill.right = Clamp32(right - (right - s.fill.left) % pitch);
        if (s.fill.right < s.client.left) {
            s.fill.right = s.client.left;
        }
        return;
    }
    // The bar always rises from the bottom, whatever FillOrEmpty says.
    s.fillFraction = 1.0 - f;
    const std::int64_t top = ToPixel(p.B * s.fillFraction);
    s.fill.top = Clamp32(top - (top - s.fill.bottom) % pitch);
    if (s.fill.top > p.B) {
        s.fill.top = p.B;
    }
}

void DrawRoundFrame(BarPaint& p) {
    p.state.client.left = Clamp32(std::int64_t{p.state.client.left} - 3);
    const std::int32_t R = p.R;
    const std::int32_t B = p.B;
    DrawLine(p.dc, 2, 1, R - 2, 1, gdi::Colour(0xBEBEBE));
    DrawLine(p.dc, 2, B - 2, R - 2, B - 2, gdi::Colour(0xEFEFEF));
    DrawLine(p.dc, 1, 2, 1, B - 2, gdi::Colour(0xBEBEBE));
    DrawLine(p.dc, 2, 2, 2, B - 2, gdi::Colour(0xEFEFEF));
    DrawLine(p.dc, 2, 2, R - 2, 2, gdi::Colour(0xEFEFEF));
    DrawLine(p.dc, R - 2, 2, R - 2, B - 2, gdi::Colour(0xEFEFEF));
    FrameSolid(p.dc, p.state.client, gdi::Colour(0x686868));
    for (const CornerPixel& pixel : Corners) {
        const std::int32_t x = pixel.fromRight ? R - pixel.dx : pixel.dx;
        const std::int32_t y = pixel.fromBottom ? B - pixel.dy : pixel.dy;
        gdi::SetPixelV(p.dc, x, y, gdi::Colour(pixel.colour));
    }
}

void DrawSegmentedStyle(BarPaint& p) {
    CalcFillRect(p);
    DrawBarBody(p);
    if (p.look.scrolling == 0) {
        DrawBlockGaps(p);
    }
    DrawRoundFrame(p);
}

} // namespace kelvo::controls::progressbar
