#include "controls/button/PaintButton.h"

#include "controls/button/ButtonPrimitives.h"
#include "controls/button/ButtonStyles.h"
#include "controls/button/DrawPicture.h"
#include "platform/gdi/Fill.h"

namespace kelvo::controls::button {

namespace {

// Back to the surface's own background, before the face goes on.
void ClearSurface(gdi::DeviceContext& dc, gdi::Colour background) {
    const QImage* target = dc.Target();
    if (target == nullptr) {
        return;
    }
    const gdi::Brush brush = gdi::CreateSolidBrush(background);
    gdi::FillRect(dc, gdi::Rect{0, 0, target->width(), target->height()}, brush);
}

} // namespace

PaletteSource PaletteSourceOf(const ButtonLook& look) {
    PaletteSource source;
    source.ColorScheme = look.ColorScheme;
    source.ButtonType = look.ButtonType;
    source.SoftBevel = look.SoftBevel;
    source.BackColor = look.BackColor;
    source.ForeColor = look.ForeColor;
    source.ForeOver = look.ForeOver;
    source.MaskColor = look.MaskColor;
    source.ParentBackColor = look.ParentBackColor;
    source.ParentTextColor = look.ParentTextColor;
    return source;
}

std::optional<ButtonLook> LookToPaint(const ButtonLook& look, const ButtonCarried& carried,
                                      std::uint8_t state, bool force) {
    const std::uint8_t shown = look.CheckBoxBehaviour && look.Value ? StateDown : state;
    const bool repeats = shown == carried.LastState && look.Caption == carried.LastCaption;
    if ((repeats && !force) || look.Height <= 0 || !look.RefreshOn) {
        return std::nullopt; // the commonest answer while the mouse moves: no copy of the look for it
    }
    ButtonLook paint = look;
    paint.State = shown;
    return paint;
}

ButtonCarried PaintButton(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried) {
    ButtonCarried next = carried;
    next.LastState = look.State;
    next.LastCaption = look.Caption;

    const ScopedFont font(dc, look.Font);
    const gdi::Colour textColour = gdi::GetTextColor(dc);
    ClearSurface(dc, look.SurfaceBackColor);
    const bool overPalette = look.Hovering && look.ColorScheme == SchemeCustom;
    if (overPalette) {
        // The hovered face is built from BackOver for this paint only.
        PaletteSource over = PaletteSourceOf(look);
        over.BackColor = look.BackOver;
        next.Palette = BuildPalette(over, dc.Colours());
    }
    FillOrFrameRect(dc, 0, 0, look.Width, look.Height, next.Palette.FaceColor, false);

    StylePainter painter(dc, look, next);
    if (!look.Enabled) {
        painter.DisabledLook();
        DrawPicture(dc, look, next, PictureDisabled);
    } else if (look.State == StateUp) {
        painter.UpLook();
        DrawPicture(dc, look, next, PictureUp);
    } else if (look.State == StateDown) {
        painter.DownLook();
        DrawPicture(dc, look, next, PictureDown);
    }

    if (overPalette) {
        next.Palette = BuildPalette(PaletteSourceOf(look), dc.Colours());
    }
    gdi::SetTextColor(dc, textColour);
    return next;
}

} // namespace kelvo::controls::button
