#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace kelvo::controls::progressbar {

// What `sknProgressBar` keeps in the host's property store, in the order it reads and writes the keys.
// Each read passes the default given here and each write passes the value with the same default, so a
// value equal to its default is left out of the store.

enum class StoredType {
    Long,    // 32-bit integer
    Colour,  // colour reference, always written resolved
    Picture, // picture object; assigned without notification or repaint when read
    Boolean, // 16-bit truth value: 0 false, -1 true
};

struct PersistedProperty {
    std::string_view key;
    StoredType type;
    // The default: a number, a colour reference's 32 bits, a truth value (0 or -1), or 0 for "no picture".
    std::int64_t defaultValue;
    // The default is handed over as a 16-bit integer although the value is stored as a Long.
    bool sixteenBitDefault;
};

inline constexpr std::array<PersistedProperty, 10> PersistedProperties{{
    {"BrushStyle", StoredType::Long, 4, true},
    {"Color", StoredType::Colour, 0x8000000D, false}, // system colour 13, the selection highlight
    {"Image", StoredType::Picture, 0, false},
    {"Max", StoredType::Long, 100, true},
    {"Min", StoredType::Long, 0, true},
    {"Orientation", StoredType::Long, 0, false},
    {"Scrolling", StoredType::Long, 0, false},
    {"ShowText", StoredType::Boolean, 0, false},
    {"FillOrEmpty", StoredType::Long, 1, false},
    {"Value", StoredType::Long, 0, true},
}};

// The font every instance starts with; it is not persisted.
inline constexpr std::string_view InitialFontName = "Tahoma";
inline constexpr float InitialFontSize = 8.0f;

namespace detail {
constexpr bool DefaultsFitTheirTypes() {
    for (const PersistedProperty& p : PersistedProperties) {
        const bool fits = p.sixteenBitDefault ? p.defaultValue >= std::numeric_limits<std::int16_t>::min() &&
                                                    p.defaultValue <= std::numeric_limits<std::int16_t>::max()
                          : p.type == StoredType::Colour ? p.defaultValue >= 0 && p.defaultValue <= 0xFFFFFFFF
                          : p.type == StoredType::Boolean ? p.defaultValue == 0 || p.defaultValue == -1
                                                          : true;
        if (!fits) {
            return false;
        }
    }
    return true;
}
} // namespace detail
static_assert(detail::DefaultsFitTheirTypes());

} // namespace kelvo::controls::progressbar
