#include "controls/button/ButtonColours.h"

#include <algorithm>

namespace kelvo::controls::button {

namespace {

std::int64_t ShadeChannel(std::int64_t channel, std::int64_t delta, bool proportional) {
    const std::int64_t moved = proportional ? channel + channel * delta / 192 : channel + delta;
    if (delta > 0) {
        return std::min<std::int64_t>(moved, 255);
    }
    if (delta < 0) {
        return std::max<std::int64_t>(moved, 0);
    }
    return moved;
}

std::uint8_t PaleChannel(std::int64_t channel, std::int64_t amount) {
    return static_cast<std::uint8_t>(
        std::clamp<std::int64_t>((255 - amount) * channel / 255 + amount, 0, 255));
}

} // namespace

gdi::Colour ShadeColor(gdi::Colour colour, std::int32_t delta, bool proportional, bool softBevel) {
    const std::int64_t step = softBevel ? std::int64_t{delta} / 2 : std::int64_t{delta};
    const auto blue = ShadeChannel(colour.Blue(), step, proportional);
    const auto green = ShadeChannel(colour.Green(), step, false);
    const auto red = ShadeChannel(colour.Red(), step, false);
    return gdi::Colour::FromRgb(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                                static_cast<std::uint8_t>(blue));
}

gdi::Colour PaleColor(gdi::Colour colour, std::int32_t amount) {
    return gdi::Colour::FromRgb(PaleChannel(colour.Red(), amount), PaleChannel(colour.Green(), amount),
                                PaleChannel(colour.Blue(), amount));
}

gdi::Colour TranslateColour(gdi::Colour colour, const gdi::SysColours& system) {
    return system.Resolve(colour);
}

ButtonPalette BuildPalette(const PaletteSource& source, const gdi::SysColours& system) {
    const bool soft = source.SoftBevel;
    const auto shade = [soft](gdi::Colour colour, std::int32_t delta) {
        return ShadeColor(colour, delta, false, soft);
    };
    const auto sys = [&system](int index) { return system.GetSysColor(index); };
    ButtonPalette p;
    switch (source.ColorScheme) {
    case SchemeCustom:
        p.FaceColor = TranslateColour(source.BackColor, system);
        p.TextColor = TranslateColour(source.ForeColor, system);
        p.TextOverColor = TranslateColour(source.ForeOver, system);
        p.ShadowColor = shade(p.FaceColor, -64);
        p.LightColor = shade(p.FaceColor, 31);
        p.HiliteColor = shade(p.FaceColor, 47);
        p.DkShadowColor = shade(p.FaceColor, -192);
        p.SelColor = shade(p.FaceColor, -128);
        p.SelLightColor = p.FaceColor;
        break;
    case SchemeFixed:
        p.FaceColor = gdi::Colour(0xC0C0C0);
        p.TextColor = gdi::Colour(0);
        p.TextOverColor = gdi::Colour(0);
        p.ShadowColor = gdi::Colour(0x808080);
        p.LightColor = gdi::Colour(0xDFDFDF);
        p.HiliteColor = gdi::Colour(0xFFFFFF);
        p.DkShadowColor = gdi::Colour(0);
        p.SelColor = gdi::Colour(0x800000);
        p.SelLightColor = gdi::Colour(0xD1ADAD);
        break;
    case SchemeParent:
        p.FaceColor = source.ParentBackColor.Rgb();
        p.TextColor = source.ParentTextColor.Rgb();
        p.TextOverColor = p.TextColor;
        p.ShadowColor = shade(p.FaceColor, -64);
        p.LightColor = shade(p.FaceColor, 31);
        p.HiliteColor = shade(p.FaceColor, 47);
        p.DkShadowColor = shade(p.FaceColor, -192);
        p.SelColor = sys(gdi::COLOR_HIGHLIGHT);
        p.SelLightColor = PaleColor(p.SelColor, 176);
        break;
    default:
        p.FaceColor = sys(gdi::COLOR_BTNFACE);
        p.TextColor = sys(gdi::COLOR_BTNTEXT);
        p.TextOverColor = sys(gdi::COLOR_BTNTEXT);
        p.ShadowColor = sys(gdi::COLOR_BTNSHADOW);
        p.LightColor = sys(gdi::COLOR_3DLIGHT);
        p.HiliteColor = sys(gdi::COLOR_BTNHIGHLIGHT);
        p.DkShadowColor = sys(gdi::COLOR_3DDKSHADOW);
        p.SelColor = sys(gdi::COLOR_HIGHLIGHT);
        p.SelLightColor = PaleColor(p.SelColor, 176);
        break;
    }
    p.MaskRGB = TranslateColour(source.MaskColor, system);
    p.SoftColor = ShadeColor(p.FaceColor, 48, source.ButtonType == 3, soft);
    return p;
}

} // namespace kelvo::controls::button
