#include <limits>

#include "controls/progressbar/BarMath.h"
#include "controls/progressbar/BarPaint.h"
#include "controls/progressbar/BarPrimitives.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Fill.h"

// The looks with routines of their own (`Scrolling` 3 to 9). Vertical bars follow FillOrEmpty: 1 fills
// from the bottom, 0 starts full and empties from the top; any other value draws no fill.

namespace kelvo::controls::progressbar {

namespace {

constexpr gdi::Colour White{0xFFFFFF};
constexpr gdi::Colour Silver{0xC0C0C0};
constexpr gdi::Colour Black{0x000000};

bool FillsFromBottom(const BarPaint& p) {
    return p.look.fillOrEmpty == 1;
}
bool EmptiesFromTop(const BarPaint& p) {
    return p.look.fillOrEmpty == 0;
}

// The y where a vertical fill ends, for a bar whose travel is `travel` pixels: FillOrEmpty 0 measures
// from the top, 1 from the bottom.
std::int32_t VerticalEdge(const BarPaint& p, double fraction, std::int32_t travel) {
    return EmptiesFromTop(p) ? ToPixel(fraction * travel) : ToPixel(p.B - fraction * travel);
}

} // namespace

void DrawFlatStyle(BarPaint& p) {
    ProgressBarState& s = p.state;
    FrameSolid(p.dc, s.client, p.Lighten(100));
    if (!p.Vertical()) {
        s.fill = gdi::Rect{1, 1, ToPixel(p.Fraction() * p.R), p.B - 1};
    } else if (FillsFromBottom(p) || EmptiesFromTop(p)) {
        CalcFillRect(p);
        s.fill.left = Clamp32(std::int64_t{s.fill.left} - 2);
        if (FillsFromBottom(p)) {
            s.fill.top = Clamp32(std::int64_t{s.fill.top} - 3);
        } else {
            s.fill.top = Clamp32(std::int64_t{s.fill.bottom} - s.fill.top - 3);
        }
        s.fill.bottom = p.B - 1;
        s.fill.right = Clamp32(std::int64_t{s.fill.right} - 1);
    }
    // Any other FillOrEmpty keeps the fill rectangle of the previous paint.
    FillSolid(p.dc, s.fill, p.Lighten(180));
}

void DrawEtchedStyle(BarPaint& p) {
    gdi::DrawEdge(p.dc, p.state.client, gdi::EDGE_ETCHED, gdi::BF_RECT);
    const gdi::Colour a = p.Lighten(140);
    const gdi::Colour b = p.Lighten(200);
    if (!p.Vertical()) {
        const std::int32_t w = ToPixel(p.Fraction() * (std::int64_t{p.R} - 4));
        DrawGradient(p.dc, a, b, 2, 2, w, p.B - 3, true);
    } else if (FillsFromBottom(p) || EmptiesFromTop(p)) {
        const std::int32_t y = VerticalEdge(p, p.Fraction(), p.B - 2);
        DrawGradient(p.dc, a, b, 2, p.B - 4, p.R - 6, y, true);
    }
}

void DrawGlossStyle(BarPaint& p) {
    ProgressBarState& s = p.state;
    FrameSolid(p.dc, s.client, p.Lighten(10));
    const gdi::Colour edge = p.Lighten(25);
    if (!p.Vertical()) {
        s.fill.right = ToPixel(p.Fraction() * p.R);
        DrawGradient(p.dc, p.colour, p.Lighten(100), 2, 2, p.R - 2, p.B - 5, false);
        DrawGradient(p.dc, p.Lighten(250), p.colour, 3, 3, s.fill.right, p.B - 6, false);
        DrawLine(p.dc, s.fill.right, 2, s.fill.right, p.B - 2, edge);
        return;
    }
    if (!FillsFromBottom(p) && !EmptiesFromTop(p)) {
        return;
    }
    s.fill.bottom = VerticalEdge(p, p.Fraction(), p.B - 3);
    DrawGradient(p.dc, p.colour, p.Lighten(100), 2, 2, p.R - 2, p.B - 5, false);
    DrawGradient(p.dc, p.Lighten(250), p.colour, 3, p.B - 3, p.R - 6, s.fill.bottom, true);
    DrawLine(p.dc, 2, s.fill.bottom, p.R - 2, s.fill.bottom, edge);
}

void DrawDarkStyle(BarPaint& p) {
    FrameSolid(p.dc, p.state.client, p.Dark(200));
    const gdi::Colour shade = LightenColor(p.Dark(100), 10);
    if (!p.Vertical()) {
        const std::int32_t x = ToPixel(p.Fraction() * (std::int64_t{p.R} - 5));
        DrawGradient(p.dc, Black, shade, 2, 2, x, p.B - 2, true);
    } else if (FillsFromBottom(p) || EmptiesFromTop(p)) {
        const std::int32_t y = VerticalEdge(p, p.Fraction(), p.B - 2);
        DrawGradient(p.dc, Black, shade, 2, p.B - 2, p.R - 6, y, true);
    }
}

void DrawHatchStyle(BarPaint& p) {
    ProgressBarState& s = p.state;
    gdi::DrawEdge(p.dc, s.client, gdi::EDGE_BUMP, gdi::BF_RECT);
    if (!p.Vertical()) {
        s.fill = gdi::Rect{2, 2, ToPixel(p.Fraction() * p.R), p.B - 2};
    } else if (FillsFromBottom(p) || EmptiesFromTop(p)) {
        // An inverted rectangle: the band between B - 2 and the computed y is what gets filled.
        s.fill = gdi::Rect{2, p.B - 2, p.R - 2, VerticalEdge(p, p.Fraction(), p.B)};
    } else {
        return;
    }
    // The hatch index is a 16-bit value; one that does not fit gives no brush, as does one outside 0..5.
    const std::int32_t hatch = p.look.brushStyle;
    gdi::Brush brush;
    if (hatch >= std::numeric_limits<std::int16_t>::min() &&
        hatch <= std::numeric_limits<std::int16_t>::max()) {
        brush = gdi::CreateHatchBrush(hatch, p.colour);
    }
    // The spaces between the hatch lines take a light shade of the bar colour. The back buffer keeps its
    // background mode from paint to paint and the text leaves it transparent, so it is set here each time.
    gdi::SetBkColor(p.dc, p.Lighten(140));
    gdi::SetBkMode(p.dc, gdi::OPAQUE);
    gdi::FillRect(p.dc, s.fill, brush);
    gdi::DeleteObject(brush);
}

void DrawPictureStyle(BarPaint& p) {
    if (p.look.picture.isNull() || p.look.picture.width() < 1 || p.look.picture.height() < 1) {
        return;
    }
    ProgressBarState& s = p.state;
    gdi::Bitmap bitmap = gdi::CreateBitmapFromImage(p.look.picture);
    gdi::Brush brush = gdi::CreatePatternBrush(bitmap);
    gdi::DeleteObject(bitmap); // the brush keeps its own copy
    const gdi::SelectedObject previous = gdi::SelectObject(p.dc, brush);
    std::int32_t x = 2;
    std::int32_t y = 2;
    std::int32_t width = 0;
    std::int32_t height = p.B - 4;
    if (!p.Vertical()) {
        gdi::DrawEdge(p.dc, s.client, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
        s.fill.right = ToPixel(p.Fraction() * p.R);
        width = s.fill.right;
    } else {
        gdi::DrawEdge(p.dc, s.client, gdi::BDR_SUNKENINNER, gdi::BF_RECT);
        if (FillsFromBottom(p) || EmptiesFromTop(p)) {
            s.fill.bottom = VerticalEdge(p, p.Fraction(), p.B);
        }
        // Any other FillOrEmpty keeps the previous paint's edge. The block runs on below the control and
        // is clipped there.
        x = 1;
        y = s.fill.bottom;
        width = p.R - 2;
        height = p.B;
    }
    if (previous) {
        gdi::PatBlt(p.dc, x, y, width, height, gdi::PATCOPY);
        gdi::SelectObject(p.dc, previous);
    }
    gdi::DeleteObject(brush);
}

void DrawGlassStyle(BarPaint& p) {
    ProgressBarState& s = p.state;
    const gdi::Colour flatSilver = BlendColor(Silver, Black, 255, p.dc.Colours());
    if (!p.Vertical()) {
        const std::int32_t x = ToPixel(p.Percent() * (std::int64_t{p.R} - 4));
        s.fill.right = x;
        const std::int32_t h = ToPixel((std::int64_t{p.B} - 3) / 2.0);
        DrawGradient(p.dc, White, Silver, 2, 2, p.R - 3, h, false);
        DrawGradient(p.dc, flatSilver, Silver, 2, h, p.R - 3, h, false);
        DrawGradient(p.dc, p.Lighten(150), p.Dark(180), 2, 2, x, h, false);
        DrawGradient(p.dc, p.Dark(190), p.colour, 2, h, x, h, false);
    } else {
        if (!FillsFromBottom(p) && !EmptiesFromTop(p)) {
            return; // not even the frame
        }
        s.fill.bottom = VerticalEdge(p, p.Percent(), p.B - 4);
        const std::int32_t w1 = ToPixel((std::int64_t{p.R} - 3) / 2.0);
        const std::int32_t w2 = ToPixel((std::int64_t{p.R} - 2) / 2.0);
        const std::int32_t fillEnd = Clamp32(std::int64_t{s.fill.bottom} - 3);
        DrawGradient(p.dc, White, Silver, 2, 2, w1, p.B - 2, true);
        // These columns run on past the right edge and are clipped.
        DrawGradient(p.dc, flatSilver, Silver, w1, 2, p.R - 3, p.B - 2, true);
        DrawGradient(p.dc, p.Lighten(150), p.Dark(180), 2, p.B - 2, w2, fillEnd, true);
        DrawGradient(p.dc, p.Dark(190), p.colour, w2, p.B - 2, p.R - 2, fillEnd, true);
    }
    s.client.left = Clamp32(std::int64_t{s.client.left} + 3);
    DrawRoundFrame(p);
}

} // namespace kelvo::controls::progressbar
