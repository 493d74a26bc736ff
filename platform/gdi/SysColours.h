#pragma once

#include <array>
#include <optional>

#include <QPalette>

#include "platform/gdi/Colour.h"

namespace kelvo::gdi {

// System colour indices the controls name.
inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_3DFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_3DSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_MENUBAR = 30;

// The table of system colours (indices 0 to 30) that references 0x800000nn resolve against. It is a
// plain value the application builds once from the desktop's palette and hands to every device
// context; tests build the fixed classic table so their pixels do not depend on the desktop theme.
class SysColours {
public:
    static constexpr int Count = COLOR_MENUBAR + 1;

    // The classic table.
    SysColours();

    // The fixed classic Windows colours: button face 212,208,200, shadow 128,128,128, dark shadow
    // 64,64,64, highlight 10,36,106 and so on.
    static SysColours Classic();
    // The desktop's colours: each index takes the palette role that plays its part (button face from
    // Button, selection from Highlight, 3-D light and dark shades from Light/Midlight/Dark/Shadow ...).
    static SysColours FromPalette(const QPalette& palette);

    static constexpr bool IsValidIndex(int index) { return index >= 0 && index < Count; }

    // The RGB value of system colour index; 0 (black) for an index outside the table, as the system
    // answers.
    Colour GetSysColor(int index) const;
    // Replaces one entry (an RGB value); false for an index outside the table or a non-RGB value.
    bool SetSysColor(int index, Colour rgb);

    // Turns a colour reference into an RGB value: RGB values pass through, 0x800000nn gives the system
    // colour nn, a palette-relative value (0x02bbggrr) passes through. An invalid system index, stray
    // bits between the flag byte and the index, a palette index without a palette or an unknown flag
    // byte is a failure.
    std::optional<Colour> OleTranslateColor(Colour colour) const;

    // The RGB value drawing uses for a colour handed to a drawing call: system references resolve,
    // everything else is painted by its low 24 bits.
    Colour Resolve(Colour colour) const;

    friend bool operator==(const SysColours& a, const SysColours& b) = default;

private:
    std::array<Colour, Count> table_{};
};

} // namespace kelvo::gdi
