#include "platform/gdi/SysColours.h"

namespace kelvo::gdi {

namespace {

// The "Windows Classic" scheme of Windows 2000 and XP, index by index. Index 25 has no colour in the
// system and reads as black.
constexpr std::array<std::uint32_t, SysColours::Count> ClassicRgb{
    0xC8D0D4, // 0 scroll bar
    0xA56E3A, // 1 desktop
    0x6A240A, // 2 active caption
    0x808080, // 3 inactive caption
    0xC8D0D4, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC8D0D4, // 10 active border
    0xC8D0D4, // 11 inactive border
    0x808080, // 12 application workspace
    0x6A240A, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC8D0D4, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC8D0D4, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3-D dark shadow
    0xC8D0D4, // 22 3-D light
    0x000000, // 23 tool tip text
    0xE1FFFF, // 24 tool tip background
    0x000000, // 25 (none)
    0x800000, // 26 hot-tracked item
    0xF0CAA6, // 27 active caption gradient
    0xC0C0C0, // 28 inactive caption gradient
    0x6A240A, // 29 menu highlight
    0xC8D0D4, // 30 menu bar
};

} // namespace

SysColours::SysColours() {
    for (int i = 0; i < Count; ++i) {
        table_[static_cast<std::size_t>(i)] = Colour(ClassicRgb[static_cast<std::size_t>(i)]);
    }
}

SysColours SysColours::Classic() {
    return SysColours();
}

SysColours SysColours::FromPalette(const QPalette& palette) {
    SysColours colours;
    const auto set = [&colours](int index, const QColor& colour) {
        colours.SetSysColor(index, Colour::FromQColor(colour));
    };
    const auto active = [&palette](QPalette::ColorRole role) {
        return palette.color(QPalette::Active, role);
    };
    const auto inactive = [&palette](QPalette::ColorRole role) {
        return palette.color(QPalette::Inactive, role);
    };
    set(0, active(QPalette::Button));
    set(1, active(QPalette::Dark));
    set(2, active(QPalette::Highlight));
    set(3, inactive(QPalette::Mid));
    set(4, active(QPalette::Window));
    set(5, active(QPalette::Base));
    set(6, active(QPalette::Shadow));
    set(7, active(QPalette::WindowText));
    set(8, active(QPalette::Text));
    set(9, active(QPalette::HighlightedText));
    set(10, active(QPalette::Window));
    set(11, inactive(QPalette::Window));
    set(12, active(QPalette::Mid));
    set(13, active(QPalette::Highlight));
    set(14, active(QPalette::HighlightedText));
    set(15, active(QPalette::Button));
    set(16, active(QPalette::Mid));
    set(17, palette.color(QPalette::Disabled, QPalette::Text));
    set(18, active(QPalette::ButtonText));
    set(19, inactive(QPalette::WindowText));
    set(20, active(QPalette::Light));
    set(21, active(QPalette::Dark));
    set(22, active(QPalette::Midlight));
    set(23, active(QPalette::ToolTipText));
    set(24, active(QPalette::ToolTipBase));
    set(26, active(QPalette::Link));
    set(27, active(QPalette::Highlight).lighter(150));
    set(28, inactive(QPalette::Mid).lighter(120));
    set(29, active(QPalette::Highlight));
    set(30, active(QPalette::Window));
    return colours;
}

Colour SysColours::GetSysColor(int index) const {
    if (!IsValidIndex(index)) {
        return Colour(0);
    }
    return table_[static_cast<std::size_t>(index)];
}

bool SysColours::SetSysColor(int index, Colour rgb) {
    if (!IsValidIndex(index) || !rgb.IsRgb()) {
        return false;
    }
    table_[static_cast<std::size_t>(index)] = rgb;
    return true;
}

std::optional<Colour> SysColours::OleTranslateColor(Colour colour) const {
    const std::uint32_t raw = colour.Raw();
    switch (raw >> 24) {
    case 0x00:
    case 0x02:
        return colour;
    case 0x80:
        if ((raw & 0x00FFFF00u) != 0 || !IsValidIndex(colour.SystemIndex())) {
            return std::nullopt;
        }
        return GetSysColor(colour.SystemIndex());
    default:
        return std::nullopt;
    }
}

Colour SysColours::Resolve(Colour colour) const {
    if (const auto translated = OleTranslateColor(colour); translated && colour.IsSystem()) {
        return *translated;
    }
    return colour.Rgb();
}

} // namespace kelvo::gdi
