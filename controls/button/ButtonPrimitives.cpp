#include "controls/button/ButtonPrimitives.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/gdi/Edges.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/Shapes.h"

namespace kelvo::controls::button {

namespace {

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

gdi::Rect BoxOf(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    return gdi::Rect{Clamp32(x), Clamp32(y), Clamp32(x + w), Clamp32(y + h)};
}

// A pen selected for one drawing step and released with it.
class StepPen {
public:
    StepPen(gdi::DeviceContext& dc, int width, gdi::Colour colour)
        : dc_(dc)
        , pen_(gdi::CreatePen(gdi::PS_SOLID, width, colour))
        , previous_(gdi::SelectObject(dc, pen_)) {}
    ~StepPen() {
        if (previous_) {
            gdi::SelectObject(dc_, previous_);
        }
    }
    StepPen(const StepPen&) = delete;
    StepPen& operator=(const StepPen&) = delete;

private:
    gdi::DeviceContext& dc_;
    gdi::Pen pen_;
    gdi::SelectedObject previous_;
};

void LineTo(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y) {
    gdi::LineTo(dc, Clamp32(x), Clamp32(y));
}

void MoveTo(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y) {
    gdi::MoveToEx(dc, Clamp32(x), Clamp32(y));
}

} // namespace

void FillOrFrameRect(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                     gdi::Colour colour, bool frameOnly) {
    const gdi::Brush brush = gdi::CreateSolidBrush(colour);
    const gdi::Rect box = BoxOf(x, y, w, h);
    if (frameOnly) {
        gdi::FrameRect(dc, box, brush);
    } else {
        gdi::FillRect(dc, box, brush);
    }
}

void StrokeLine(gdi::DeviceContext& dc, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                gdi::Colour colour) {
    const StepPen pen(dc, 1, colour);
    MoveTo(dc, x1, y1);
    LineTo(dc, x2, y2);
}

void PaintPixel(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y, gdi::Colour colour) {
    if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
        gdi::SetPixelV(dc, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), colour);
    }
}

void PaintEllipse(gdi::DeviceContext& dc, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
                  gdi::Colour pen, gdi::Colour fill) {
    const StepPen outline(dc, 2, pen);
    const gdi::Brush brush = gdi::CreateSolidBrush(fill);
    const gdi::SelectedObject previous = gdi::SelectObject(dc, brush);
    const gdi::Rect box = BoxOf(x, y, w, h);
    gdi::Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (previous) {
        gdi::SelectObject(dc, previous);
    }
}

void DrawBevel(gdi::DeviceContext& dc, std::int64_t width, std::int64_t height, const BevelColours& colours,
               std::int32_t inset, bool outerOnly) {
    const std::int64_t a = std::abs(std::int64_t{inset});
    const std::int64_t r = width - 1 + inset;
    const std::int64_t b = height - 1 + inset;
    MoveTo(dc, a, b);
    {
        const StepPen pen(dc, 1, colours.topLeft1);
        LineTo(dc, a, a);
        LineTo(dc, r, a);
    }
    {
        const StepPen pen(dc, 1, colours.bottomRight1);
        LineTo(dc, r, b);
        LineTo(dc, a - 1, b);
    }
    MoveTo(dc, a + 1, b - 1);
    if (outerOnly) {
        return;
    }
    {
        const StepPen pen(dc, 1, colours.topLeft2);
        LineTo(dc, a + 1, a + 1);
        LineTo(dc, r - 1, a + 1);
    }
    const StepPen pen(dc, 1, colours.bottomRight2);
    LineTo(dc, r - 1, b - 1);
    LineTo(dc, a, b - 1);
}

void DrawFocus(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour textColour) {
    gdi::SetTextColor(dc, textColour);
    gdi::DrawFocusRect(dc, rect);
}

gdi::Rect FocusRectFor(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
    std::int64_t inset = 4;
    std::int64_t shift = 0;
    if (buttonType >= 7 && buttonType <= 13) {
        inset = 3;
    } else if (buttonType == 14) {
        inset = 5;
        shift = 1;
    }
    return gdi::Rect{Clamp32(inset + shift), Clamp32(inset + shift), Clamp32(width - inset + shift),
                     Clamp32(height - inset + shift)};
}

gdi::Region BuildRegion(std::int32_t buttonType, std::int32_t width, std::int32_t height) {
    const std::int64_t w = width;
    const std::int64_t h = height;
    if (buttonType == 13) {
        return gdi::CreateEllipticRgn(0, 0, width, height);
    }
    gdi::Region region = gdi::CreateRectRgn(0, 0, width, height);
    struct Cut {
        std::int64_t x;
        std::int64_t y;
    };
    const std::array<Cut, 4> single{{{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}};
    const std::array<Cut, 2> diagonal{{{w - 1, 0}, {0, h - 1}}};
    const std::array<Cut, 12> triple{{{0, 0},
                                      {1, 0},
                                      {0, 1},
                                      {w - 2, 0},
                                      {w - 1, 0},
                                      {w - 1, 1},
                                      {0, h - 1},
                                      {1, h - 1},
                                      {0, h - 2},
                                      {w - 2, h - 1},
                                      {w - 1, h - 1},
                                      {w - 1, h - 2}}};
    const auto cut = [&region](const auto& pixels) {
        for (const Cut& pixel : pixels) {
            const gdi::Region dot = gdi::CreateRectRgn(Clamp32(pixel.x), Clamp32(pixel.y),
                                                       Clamp32(pixel.x + 1), Clamp32(pixel.y + 1));
            gdi::CombineRgn(region, region, dot, gdi::RGN_DIFF);
        }
    };
    switch (buttonType) {
    case 1:
    case 14:
        cut(single);
        break;
    case 5:
        cut(diagonal);
        break;
    case 3:
    case 4:
        cut(triple);
        break;
    default:
        break;
    }
    return region;
}

ScopedFont::ScopedFont(gdi::DeviceContext& dc, const QFont& font)
    : dc_(dc)
    , font_(gdi::CreateFontIndirect(font))
    , previous_(gdi::SelectObject(dc, font_)) {}

ScopedFont::~ScopedFont() {
    if (previous_) {
        gdi::SelectObject(dc_, previous_);
    }
}

} // namespace kelvo::controls::button
