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

bool PaintButton(gdi::DeviceContext& dc, const ButtonLook& look, ButtonFields& fields, std::uint8_t state,
                 bool force) {
    if (look.CheckBoxBehaviour && look.Value) {
        state = StateDown;
    }
    if (!force && state == fields.LastState && look.Caption == fields.LastCaption) {
        return false;
    }
    if (look.Height <= 0 || !look.RefreshOn) {
        return false;
    }
    fields.LastState = state;
    fields.LastCaption = look.Caption;

    const ScopedFont font(dc, look.Font);
    ClearSurface(dc, look.SurfaceBackColor);
    const bool overPalette = look.Hovering && look.ColorScheme == SchemeCustom;
    if (overPalette) {
        PaletteSource over = PaletteSourceOf(look);
        over.BackColor = look.BackOver;
        fields.Palette = BuildPalette(over, dc.Colours());
    }
    FillOrFrameRect(dc, 0, 0, look.Width, look.Height, fields.Palette.FaceColor, false);

    StylePainter painter(dc, look, fields);
    if (!look.Enabled) {
        painter.DisabledLook();
        DrawPicture(dc, look, fields, PictureDisabled);
    } else if (state == StateUp) {
        painter.UpLook();
        DrawPicture(dc, look, fields, PictureUp);
    } else if (state == StateDown) {
        painter.DownLook();
        DrawPicture(dc, look, fields, PictureDown);
    }

    if (overPalette) {
        fields.Palette = BuildPalette(PaletteSourceOf(look), dc.Colours());
    }
    return true;
}

} // namespace kelvo::controls::button
