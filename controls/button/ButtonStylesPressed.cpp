#include "controls/button/ButtonStyles.h"

#include "controls/button/ButtonCaption.h"

// The pressed and disabled looks of every style.
namespace kelvo::controls::button {

void StylePainter::DownLook() {
    const ButtonPalette& p = P();
    switch (look_.ButtonType) {
    case 1:
        Caption(2);
        Bevel(p.ShadowColor, p.HiliteColor, p.ShadowColor, p.HiliteColor, -1);
        Frame(0, 0, W, H, p.DkShadowColor);
        Focus();
        break;
    case 2:
        Caption(2);
        if (look_.ShowFocusRect && look_.IsDefault) {
            Frame(0, 0, W, H, p.DkShadowColor);
            Frame(1, 1, W - 2, H - 2, p.ShadowColor);
            Focus();
        } else {
            Bevel(p.DkShadowColor, p.HiliteColor, p.ShadowColor, p.LightColor, 0);
        }
        break;
    case 3: {
        const gdi::Colour base = Sp(p.SoftColor, -32);
        Style3PressedGradient(base);
        Caption(2);
        Frame(0, 0, W, H, fixed::Style3Frame);
        Corners(fixed::Style3Corner);
        Line(2, H - 2, W - 2, H - 2, Sp(base, 16));
        Line(1, H - 3, W - 2, H - 3, Sp(base, 10));
        Line(W - 2, 2, W - 2, H - 2, Sp(base, 5));
        Line(W - 3, 3, W - 3, H - 3, p.SoftColor);
        Line(2, 1, W - 2, 1, Sp(base, -32));
        Line(1, 2, W - 2, 2, Sp(base, -24));
        Line(1, 2, 1, H - 2, Sp(base, -32));
        Line(2, 2, 2, H - 2, Sp(base, -22));
        break;
    }
    case 4: {
        // The pressed caption's relief takes the sunken face as its base colour for this one drawing.
        const gdi::Colour sunken = S(p.ShadowColor, -16);
        Fill(1, 1, W - 2, H - 2, sunken);
        carried_.Palette.SoftColor = sunken;
        Caption(2);
        carried_.Palette.SoftColor = S(p.FaceColor, 48);
        Frame(0, 0, W, H, p.DkShadowColor);
        Frame(1, 1, W - 2, H - 2, S(p.ShadowColor, -64));
        Frame(2, 2, W - 4, H - 4, S(p.ShadowColor, -32));
        Pixel(2, 2, S(p.ShadowColor, -64));
        Pixel(3, 3, S(p.ShadowColor, -32));
        Corners(p.DkShadowColor);
        Line(W - 3, 1, W - 3, H - 3, p.ShadowColor);
        Line(1, H - 3, W - 2, H - 3, p.ShadowColor);
        Pixel(W - 4, H - 4, p.ShadowColor);
        Line(W - 2, 3, W - 2, H - 2, S(p.ShadowColor, -16));
        Line(3, H - 2, W - 2, H - 2, S(p.ShadowColor, -16));
        Line(W - 2, H - 3, W - 4, H - 1, S(p.ShadowColor, -32));
        Pixel(2, H - 2, S(p.ShadowColor, -32));
        Pixel(W - 2, 2, S(p.ShadowColor, -32));
        break;
    }
    case 5:
        Fill(1, 1, W - 2, H - 2, S(p.ShadowColor, 16));
        Frame(0, 0, W - 1, H - 1, S(p.ShadowColor, -26));
        Line(W - 1, 1, W - 1, H, p.HiliteColor);
        Line(1, H - 1, W - 1, H - 1, p.HiliteColor);
        // The pressed caption stays where it is, without relief.
        DrawCaptionText(dc_, look_, carried_.Layout.CaptionRect, p.TextOverColor);
        Style5CaptionFrame();
        break;
    case 6:
        Caption(2);
        Bevel(p.ShadowColor, S(p.LightColor, 8), p.ShadowColor, S(p.LightColor, 8), 0);
        Focus();
        break;
    case 7:
    case 8:
        Caption(2);
        OuterBevel(p.ShadowColor, p.HiliteColor, 0);
        Focus();
        break;
    case 9:
        if (look_.Hovering) {
            Fill(0, 0, W, H,
                 look_.ColorScheme == SchemeCustom ? S(p.SelLightColor, -32) : PaleColor(p.SelColor, 128));
        }
        Caption(2);
        Frame(0, 0, W, H, p.SelColor);
        Focus();
        break;
    case 11:
        Style11Background();
        Caption(2);
        Focus();
        break;
    case 12:
        Caption(2);
        Bevel(p.DkShadowColor, p.HiliteColor, p.ShadowColor, p.LightColor, 0);
        Focus();
        break;
    case 13:
        PaintEllipse(dc_, 0, 0, W, H, p.DkShadowColor, S(p.FaceColor, -32));
        Caption(2);
        break;
    case 14:
        Fill(1, 1, W, H, S(p.FaceColor, -9));
        Frame(0, 0, W, H, S(p.ShadowColor, -48));
        Line(2, H - 2, W - 2, H - 2, p.HiliteColor);
        Line(W - 2, 2, W - 2, H - 1, p.HiliteColor);
        Caption(7);
        Focus();
        break;
    default:
        break;
    }
}

void StylePainter::DisabledLook() {
    const ButtonPalette& p = P();
    switch (look_.ButtonType) {
    case 1:
        Caption(3);
        Bevel(p.HiliteColor, p.ShadowColor, p.HiliteColor, p.ShadowColor, -1);
        Frame(0, 0, W, H, p.DkShadowColor);
        break;
    case 2:
        Caption(3);
        Bevel(p.HiliteColor, p.DkShadowColor, p.LightColor, p.ShadowColor, 0);
        break;
    case 3:
        Fill(0, 0, W, H, Sp(p.SoftColor, -24));
        Caption(5);
        Frame(0, 0, W, H, Sp(p.SoftColor, -84));
        Corners(Sp(p.SoftColor, -72));
        break;
    case 4:
        Style4Face(3);
        break;
    case 5:
        Caption(4);
        Frame(0, 0, W, H, p.ShadowColor);
        break;
    case 6:
        Caption(4);
        Bevel(S(p.LightColor, 8), p.ShadowColor, S(p.LightColor, 8), p.ShadowColor, 0);
        break;
    case 7:
        Caption(3);
        OuterBevel(p.HiliteColor, p.ShadowColor, 0);
        break;
    case 8:
    case 12:
    case 13:
        Caption(3);
        break;
    case 9:
        Caption(4);
        break;
    case 11:
        Style11Background();
        Caption(3);
        break;
    case 14:
        Style14Gradient();
        Style14Frame();
        Caption(6);
        break;
    default:
        break;
    }
}

} // namespace kelvo::controls::button
