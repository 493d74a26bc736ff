#include "controls/button/DrawPicture.h"

#include <algorithm>

#include "controls/button/BlitPicture.h"
#include "controls/button/ButtonCaption.h"

namespace kelvo::controls::button {

namespace {

std::int32_t Offset(std::int32_t value, std::int64_t by) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value + by, INT32_MIN, INT32_MAX));
}

// One transfer of a picture at PicX + dx, PicY + dy, at the size of PictureNormal.
void Blit(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried,
          const ButtonPicture& picture, std::int64_t dx, std::int64_t dy, BlitOptions options = {}) {
    options.maskRGB = carried.Palette.MaskRGB;
    BlitPicture(dc, Offset(carried.Layout.PicX, dx), Offset(carried.Layout.PicY, dy), look.PicW, look.PicH,
                picture, options, PictureMasking{look.UseMaskColor, look.MaskColor});
}

BlitOptions Tinted(gdi::Colour tint, bool darkOnly = false) {
    BlitOptions options;
    options.tint = tint;
    options.darkOnly = darkOnly;
    return options;
}

} // namespace

void DrawPictureEffect(gdi::DeviceContext& dc, const ButtonLook& look, const ButtonCarried& carried,
                       std::int32_t offset, const ButtonPicture& picture) {
    if (look.SpecialEffect <= 0) {
        return;
    }
    const ButtonPalette& p = carried.Palette;
    gdi::Colour base = p.SelLightColor;
    if (look.ButtonType == 3) {
        base = p.SoftColor;
    } else if (offset != -1 || look.ColorScheme == SchemeCustom) {
        base = p.FaceColor;
    }
    const std::int32_t d = look.SpecialEffect == 2 ? 40 : -40;
    Blit(dc, look, carried, picture, 1 + std::int64_t{offset}, 1 + std::int64_t{offset},
         Tinted(ShadeColor(base, d, false, look.SoftBevel)));
    if (look.SpecialEffect < 3) {
        Blit(dc, look, carried, picture, -1 + std::int64_t{offset}, -1 + std::int64_t{offset},
             Tinted(ShadeColor(base, -d, false, look.SoftBevel)));
    }
}

void DrawPicture(gdi::DeviceContext& dc, const ButtonLook& look, ButtonCarried& carried, std::uint8_t mode) {
    const ButtonPicture& normal = look.PictureNormal;
    const ButtonPicture& over = look.PictureOver;
    if (normal.IsEmpty()) {
        return;
    }
    const ButtonPalette& p = carried.Palette;
    const std::int32_t type = look.ButtonType;
    switch (mode) {
    case PictureUp:
        if (!look.Hovering) {
            BlitOptions options;
            options.greyscale = look.UseGreyscale;
            options.fade = type == 9;
            DrawPictureEffect(dc, look, carried, 0, normal);
            Blit(dc, look, carried, normal, 0, 0, options);
        } else if (type == 9) {
            // Lifted over its own shadow.
            DrawPictureEffect(dc, look, carried, -1, normal);
            Blit(dc, look, carried, normal, 1, 1, Tinted(p.ShadowColor));
            Blit(dc, look, carried, normal, -1, -1);
        } else if (!over.IsEmpty()) {
            DrawPictureEffect(dc, look, carried, 0, over);
            Blit(dc, look, carried, over, 0, 0);
        } else {
            DrawPictureEffect(dc, look, carried, 0, normal);
            Blit(dc, look, carried, normal, 0, 0);
        }
        break;
    case PictureDown:
        if (!over.IsEmpty() && type != 9) {
            const std::int64_t k = type == 5 ? 0 : 1;
            Blit(dc, look, carried, over, k, k);
        } else if (type != 5 && type != 9) {
            DrawPictureEffect(dc, look, carried, 1, normal);
            Blit(dc, look, carried, normal, 1, 1);
        } else {
            DrawPictureEffect(dc, look, carried, 0, normal);
            Blit(dc, look, carried, normal, 0, 0);
        }
        break;
    case PictureDisabled:
        if (type == 3) {
            BlitOptions options;
            options.greyscale = true;
            Blit(dc, look, carried, normal, 1, 1, options);
        } else if (type == 5 || type == 6) {
            Blit(dc, look, carried, normal, 0, 0, Tinted(p.ShadowColor, true));
        } else if (type == 9) {
            Blit(dc, look, carried, normal, 0, 0,
                 Tinted(ShadeColor(p.ShadowColor, 13, false, look.SoftBevel), true));
        } else {
            // Embossed: a highlight copy under the shadow copy.
            Blit(dc, look, carried, normal, 1, 1, Tinted(p.HiliteColor, true));
            Blit(dc, look, carried, normal, 0, 0, Tinted(p.ShadowColor, true));
        }
        break;
    default:
        break;
    }
    if (look.PicturePosition == 4) {
        DrawCaption(dc, look, carried, carried.LastCaptionMode);
    }
}

} // namespace kelvo::controls::button
