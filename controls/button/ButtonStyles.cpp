#include "controls/button/ButtonStyles.h"

#include <algorithm>

#include "controls/button/ButtonCaption.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls::button {

StylePainter::StylePainter(gdi::DeviceContext& dc, const ButtonLook& look, ButtonCarried& carried)
    : dc_(dc)
    , look_(look)
    , carried_(carried)
    , W(std::max<std::int64_t>(look.Width, 0))
    , H(std::max<std::int64_t>(look.Height, 0)) {}

gdi::Colour StylePainter::S(gdi::Colour colour, std::int32_t delta) const {
    return ShadeColor(colour, delta, false, look_.SoftBevel);
}

gdi::Colour StylePainter::Sp(gdi::Colour colour, std::int32_t delta) const {
    return ShadeColor(colour, delta, true, look_.SoftBevel);
}

void StylePainter::Fill(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, gdi::Colour colour) {
    FillOrFrameRect(dc_, x, y, w, h, colour, false);
}

void StylePainter::Frame(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, gdi::Colour colour) {
    FillOrFrameRect(dc_, x, y, w, h, colour, true);
}

void StylePainter::Line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                        gdi::Colour colour) {
    StrokeLine(dc_, x1, y1, x2, y2, colour);
}

void StylePainter::Pixel(std::int64_t x, std::int64_t y, gdi::Colour colour) {
    PaintPixel(dc_, x, y, colour);
}

void StylePainter::Corners(gdi::Colour colour) {
    Pixel(1, 1, colour);
    Pixel(1, H - 2, colour);
    Pixel(W - 2, 1, colour);
    Pixel(W - 2, H - 2, colour);
}

void StylePainter::Bevel(gdi::Colour tl1, gdi::Colour br1, gdi::Colour tl2, gdi::Colour br2,
                         std::int32_t inset) {
    DrawBevel(dc_, W, H, BevelColours{tl1, br1, tl2, br2}, inset, false);
}

void StylePainter::OuterBevel(gdi::Colour tl1, gdi::Colour br1, std::int32_t inset) {
    DrawBevel(dc_, W, H, BevelColours{tl1, br1, tl1, br1}, inset, true);
}

void StylePainter::Caption(std::uint8_t mode) {
    DrawCaption(dc_, look_, carried_, mode);
}

void StylePainter::CaptionH() {
    Caption(look_.Hovering ? 1 : 0);
}

void StylePainter::Focus() {
    if (look_.ShowFocusRect && look_.HasFocus) {
        DrawFocus(dc_, look_.FocusRect, P().TextColor);
    }
}

std::int32_t StylePainter::GradientOffset(float step, std::int64_t i) {
    // The single-precision step is widened before the multiplication, as the row count is an integer.
    return numeric::CLng(-static_cast<double>(step) * static_cast<double>(i)).value_or(0);
}

std::int64_t StylePainter::LastVisibleRow() {
    const QImage* target = dc_.Target();
    return target == nullptr ? -1 : std::int64_t{target->height()} - 1;
}

// The gradients draw one line per row; rows the surface does not have are skipped, so a huge button
// costs no more than the surface it paints on.
void StylePainter::Style3Gradient() {
    const float step = static_cast<float>(25.0 / static_cast<double>(H));
    const std::int64_t last = std::min(H, LastVisibleRow());
    for (std::int64_t i = 1; i <= last; ++i) {
        Line(0, i, W, i, Sp(P().SoftColor, GradientOffset(step, i)));
    }
}

void StylePainter::Style3PressedGradient(gdi::Colour base) {
    const float step = static_cast<float>(25.0 / static_cast<double>(H));
    // Row H - i, darkest at the top.
    for (std::int64_t i = std::max<std::int64_t>(1, H - LastVisibleRow()); i <= H; ++i) {
        Line(0, H - i, W, H - i, Sp(base, GradientOffset(step, i)));
    }
}

void StylePainter::Style14Gradient() {
    const float step = static_cast<float>(58.0 / static_cast<double>(H));
    const std::int64_t last = std::min(H, LastVisibleRow());
    for (std::int64_t i = 1; i <= last; ++i) {
        Line(0, i, W, i, S(P().HiliteColor, GradientOffset(step, i)));
    }
}

void StylePainter::Style3Edging() {
    namespace f = fixed;
    if (look_.Hovering) {
        Frame(1, 2, W - 2, H - 4, f::HotFrame);
        Line(2, H - 2, W - 2, H - 2, f::HotBottom);
        Line(2, 1, W - 2, 1, f::HotTop);
        Line(1, 2, W - 1, 2, f::HotSecondTop);
        Line(2, 3, 2, H - 3, f::HotSides);
        Line(W - 3, 3, W - 3, H - 3, f::HotSides);
    } else if ((look_.HasFocus || look_.IsDefault) && look_.ShowFocusRect) {
        Frame(1, 2, W - 2, H - 4, f::FocusFrame);
        Line(2, H - 2, W - 2, H - 2, f::FocusBottom);
        Line(2, 1, W - 2, 1, f::FocusTop);
        Line(1, 2, W - 1, 2, f::FocusSecondTop);
        Line(2, 3, 2, H - 3, f::FocusSides);
        Line(W - 3, 3, W - 3, H - 3, f::FocusSides);
    } else {
        const gdi::Colour soft = P().SoftColor;
        Line(2, H - 2, W - 2, H - 2, Sp(soft, -48));
        Line(1, H - 3, W - 2, H - 3, Sp(soft, -32));
        Line(W - 2, 2, W - 2, H - 2, Sp(soft, -36));
        Line(W - 3, 3, W - 3, H - 3, Sp(soft, -24));
        Line(2, 1, W - 2, 1, Sp(soft, 16));
        Line(1, 2, W - 2, 2, Sp(soft, 10));
        Line(1, 2, 1, H - 2, Sp(soft, -5));
        Line(2, 3, 2, H - 3, Sp(soft, -10));
    }
}

void StylePainter::Style4Face(std::uint8_t captionMode) {
    const ButtonPalette& p = P();
    Fill(1, 1, W - 2, H - 2, p.LightColor);
    Caption(captionMode);
    Frame(0, 0, W, H, p.DkShadowColor);
    Corners(p.DkShadowColor);
    Line(1, 2, 2, 0, p.FaceColor);
    Line(3, 2, W - 3, 2, p.HiliteColor);
    Line(2, 2, 2, H - 3, p.HiliteColor);
    Pixel(3, 3, p.HiliteColor);
    Line(W - 3, 1, W - 3, H - 3, p.FaceColor);
    Line(1, H - 3, W - 3, H - 3, p.FaceColor);
    Pixel(W - 4, H - 4, p.FaceColor);
    Line(W - 2, 2, W - 2, H - 2, p.ShadowColor);
    Line(2, H - 2, W - 2, H - 2, p.ShadowColor);
    Pixel(W - 3, H - 3, p.ShadowColor);
}

void StylePainter::Style5CaptionFrame() {
    if (look_.HasFocus && look_.ShowFocusRect) {
        const CaptionLayout& layout = carried_.Layout;
        Frame(std::int64_t{layout.CaptionRect.left} - 2, std::int64_t{layout.CaptionRect.top} - 1,
              std::int64_t{layout.CaptionW} + 4, std::int64_t{layout.CaptionH} + 2,
              fixed::Style5CaptionFrame);
    }
}

// Style 11 shows the parent's pixels captured behind the button, so the button seems cut out of the
// window; until a capture exists it shows the face colour.
void StylePainter::Style11Background() {
    if (look_.BackDC == nullptr) {
        Fill(0, 0, W, H, P().FaceColor);
        return;
    }
    const auto extent = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::min<std::int64_t>(v, INT32_MAX));
    };
    gdi::BitBlt(dc_, 0, 0, extent(W), extent(H), look_.BackDC, 0, 0, gdi::SRCCOPY);
}

void StylePainter::Style14Frame() {
    const ButtonPalette& p = P();
    Frame(0, 0, W, H, S(p.ShadowColor, -50));
    Frame(1, 1, W - 2, H - 2, S(p.FaceColor, -9));
    Fill(2, 2, W - 4, 2, p.HiliteColor);
    Fill(2, 4, 2, H - 6, p.HiliteColor);
}

// The default button's caption is bold: the caption is laid out and drawn in the bold font, then laid
// out again in the button's own font, which is what the picture and later paints go by.
void StylePainter::Style14Caption() {
    if (!look_.IsDefault) {
        CaptionH();
        return;
    }
    QFont bold = look_.Font;
    bold.setBold(true);
    {
        const ScopedFont boldFont(dc_, bold);
        carried_.Layout = LayoutCaption(dc_, look_, carried_.Layout);
        CaptionH();
    }
    carried_.Layout = LayoutCaption(dc_, look_, carried_.Layout);
}

void StylePainter::UpLook() {
    const ButtonPalette& p = P();
    switch (look_.ButtonType) {
    case 1:
        CaptionH();
        Bevel(p.HiliteColor, p.ShadowColor, p.HiliteColor, p.ShadowColor, -1);
        Frame(0, 0, W, H, p.DkShadowColor);
        Focus();
        break;
    case 2:
        CaptionH();
        if (look_.ShowFocusRect && look_.IsDefault) {
            Bevel(p.HiliteColor, p.DkShadowColor, p.LightColor, p.ShadowColor, -1);
            Focus();
            Frame(0, 0, W, H, p.DkShadowColor);
        } else {
            Bevel(p.HiliteColor, p.DkShadowColor, p.LightColor, p.ShadowColor, 0);
        }
        break;
    case 3:
        Style3Gradient();
        CaptionH();
        Frame(0, 0, W, H, fixed::Style3Frame);
        Corners(fixed::Style3Corner);
        Style3Edging();
        break;
    case 4:
        Style4Face(look_.Hovering ? 1 : 0);
        break;
    case 5:
        Fill(1, 1, W - 1, H - 1, S(p.FaceColor, 12));
        CaptionH();
        Frame(1, 1, W - 1, H - 1, p.HiliteColor);
        Frame(0, 0, W - 1, H - 1, S(p.ShadowColor, -26));
        Pixel(1, H - 2, S(p.ShadowColor, 26));
        Pixel(W - 2, 1, S(p.ShadowColor, 26));
        Style5CaptionFrame();
        break;
    case 6:
        CaptionH();
        Bevel(S(p.LightColor, 8), p.ShadowColor, S(p.LightColor, 8), p.ShadowColor, 0);
        Focus();
        break;
    case 7:
        CaptionH();
        OuterBevel(p.HiliteColor, p.ShadowColor, 0);
        Focus();
        break;
    case 8:
        CaptionH();
        if (look_.Hovering) {
            OuterBevel(p.HiliteColor, p.ShadowColor, 0);
        }
        Focus();
        break;
    case 9:
        if (look_.Hovering) {
            Fill(1, 1, W, H, p.SelLightColor);
        }
        CaptionH();
        if (look_.Hovering) {
            Frame(0, 0, W, H, p.SelColor);
        }
        Focus();
        break;
    case 11:
        Style11Background();
        CaptionH();
        Focus();
        break;
    case 12:
        CaptionH();
        if (look_.Hovering) {
            Bevel(p.HiliteColor, p.DkShadowColor, p.LightColor, p.ShadowColor, 0);
        }
        Focus();
        break;
    case 13:
        PaintEllipse(dc_, 0, 0, W, H, look_.Hovering ? p.ShadowColor : p.FaceColor, p.FaceColor);
        CaptionH();
        break;
    case 14:
        if (look_.Hovering) {
            Fill(0, 0, W, H, p.LightColor);
        } else {
            Style14Gradient();
        }
        Style14Caption();
        Style14Frame();
        Focus();
        break;
    default:
        break;
    }
}

} // namespace kelvo::controls::button
