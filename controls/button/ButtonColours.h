#pragma once

#include <cstdint>

#include "platform/gdi/Colour.h"
#include "platform/gdi/SysColours.h"

namespace kelvo::controls::button {

// The eleven colours a button paints with, all plain RGB values. They are rebuilt from the colour
// scheme and the button's colour properties whenever those change, and kept between paints.
struct ButtonPalette {
    gdi::Colour FaceColor;
    gdi::Colour LightColor;
    gdi::Colour HiliteColor;
    gdi::Colour ShadowColor;
    gdi::Colour DkShadowColor;
    gdi::Colour TextColor;
    gdi::Colour TextOverColor;
    gdi::Colour MaskRGB;
    gdi::Colour SoftColor;
    gdi::Colour SelColor;
    gdi::Colour SelLightColor;

    friend bool operator==(const ButtonPalette&, const ButtonPalette&) = default;
};

// Everything the palette is built from. The parent's colours are those its device context holds at
// the time the palette is built; only scheme 4 reads them.
struct PaletteSource {
    std::int32_t ColorScheme = 1;
    std::int32_t ButtonType = 2;
    bool SoftBevel = false;
    gdi::Colour BackColor;
    gdi::Colour ForeColor;
    gdi::Colour ForeOver;
    gdi::Colour MaskColor{0xC0C0C0};
    gdi::Colour ParentBackColor;
    gdi::Colour ParentTextColor;
};

// The colour schemes: the desktop's colours, the button's own colours, a fixed grey set and the
// parent window's colours. Any other value behaves as the first.
inline constexpr std::int32_t SchemeSystem = 1;
inline constexpr std::int32_t SchemeCustom = 2;
inline constexpr std::int32_t SchemeFixed = 3;
inline constexpr std::int32_t SchemeParent = 4;

// Colours some styles paint whatever the scheme: the frame and corner dots of the glossy style 3, its
// hot and focused edgings, and the frame style 5 draws round a focused caption.
namespace fixed {
inline constexpr gdi::Colour Style3Frame{0x733C00};
inline constexpr gdi::Colour Style3Corner{0x7B4D10};
inline constexpr gdi::Colour HotFrame{0x31B2FF};
inline constexpr gdi::Colour HotBottom{0x0096E7};
inline constexpr gdi::Colour HotTop{0xCEF3FF};
inline constexpr gdi::Colour HotSecondTop{0x8CDBFF};
inline constexpr gdi::Colour HotSides{0x6BCBFF};
inline constexpr gdi::Colour FocusFrame{0xE7AE8C};
inline constexpr gdi::Colour FocusBottom{0xEF826B};
inline constexpr gdi::Colour FocusTop{0xFFE7CE};
inline constexpr gdi::Colour FocusSecondTop{0xF7D7BD};
inline constexpr gdi::Colour FocusSides{0xF0D1B5};
inline constexpr gdi::Colour Style5CaptionFrame{0xCC9999};
} // namespace fixed

// A lighter (delta > 0) or darker (delta < 0) shade: delta is added to every channel, or, when
// proportional, blue moves by its own share (blue x delta / 192) while green and red still move by
// delta. Channels stop at 0 and 255. With the soft bevel the step is half as large (truncated), so every
// bevel shade sits closer to the face. The colour's top byte is ignored.
gdi::Colour ShadeColor(gdi::Colour colour, std::int32_t delta, bool proportional, bool softBevel);

// The colour moved toward white: each channel c becomes (255 - amount) x c / 255 + amount, kept within
// 0..255.
gdi::Colour PaleColor(gdi::Colour colour, std::int32_t amount);

// The RGB value of a colour property: system references resolve through the table, and a reference
// the table cannot translate (stray high bits, an index past the table) is taken by its low 24 bits,
// the colour the display would paint for it.
gdi::Colour TranslateColour(gdi::Colour colour, const gdi::SysColours& system);

ButtonPalette BuildPalette(const PaletteSource& source, const gdi::SysColours& system);

} // namespace kelvo::controls::button
