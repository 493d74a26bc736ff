#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The button's persisted properties: the 23 keys in the order they are written and read, what each
// holds, and what a reader takes when the key is missing. Every key is written on each save, with no
// default, so a stored button always carries all of them.
namespace kelvo::controls::button {

enum class StoredType { Int16, Int32, Boolean, Text, Font, Picture };

// What a missing key reads as.
enum class MissingRule {
    Value,        // the fixed number in missingValue (Booleans: 0 false, -1 true)
    Text,         // the empty text
    SurfaceFont,  // the surface's current font
    SystemColour, // GetSysColor(missingValue) as a plain RGB value
    SameAs,       // the value just read for the key named in sameAs
    NoPicture,    // no picture
};

struct PropertyEntry {
    std::string_view property;
    std::string_view key;
    StoredType stored;
    // The type of the value a missing key reads as. The enumerated keys are written 32 bits wide but
    // their missing value is a 16-bit number, so a reader accepts the stored value in either width.
    StoredType missingType;
    MissingRule missing;
    std::int32_t missingValue;
    std::string_view sameAs;
    // The name the property-changed notification carries; empty when the setter sends none.
    std::string_view notifyName;
};

// clang-format off
inline constexpr std::array<PropertyEntry, 23> ButtonPropertyTable{{
    {"ButtonType", "BTYPE", StoredType::Int32, StoredType::Int16, MissingRule::Value, 2, {}, "BTYPE"},
    {"Caption", "TX", StoredType::Text, StoredType::Text, MissingRule::Text, 0, {}, "TX"},
    {"Enabled", "ENAB", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, -1, {}, "ENAB"},
    {"Font", "FONT", StoredType::Font, StoredType::Font, MissingRule::SurfaceFont, 0, {}, "FONT"},
    {"ColorScheme", "COLTYPE", StoredType::Int32, StoredType::Int16, MissingRule::Value, 1, {}, "COLTYPE"},
    {"ShowFocusRect", "FOCUSR", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, -1, {}, "FOCUSR"},
    {"BackColor", "BCOL", StoredType::Int32, StoredType::Int32, MissingRule::SystemColour, 15, {}, "BCOL"},
    {"BackOver", "BCOLO", StoredType::Int32, StoredType::Int32, MissingRule::SameAs, 0, "BCOL", "BCOLO"},
    {"ForeColor", "FCOL", StoredType::Int32, StoredType::Int32, MissingRule::SystemColour, 18, {}, "FCOL"},
    {"ForeOver", "FCOLO", StoredType::Int32, StoredType::Int32, MissingRule::SameAs, 0, "FCOL", "FCOLO"},
    {"MaskColor", "MCOL", StoredType::Int32, StoredType::Int32, MissingRule::Value, 0xC0C0C0, {}, "MCOL"},
    {"MousePointer", "MPTR", StoredType::Int16, StoredType::Int16, MissingRule::Value, 0, {}, "MPTR"},
    {"MouseIcon", "MICON", StoredType::Picture, StoredType::Picture, MissingRule::NoPicture, 0, {}, "MICON"},
    {"PictureNormal", "PICN", StoredType::Picture, StoredType::Picture, MissingRule::NoPicture, 0, {}, "PICN"},
    // The setter announces itself under another name than the key it is stored under.
    {"PictureOver", "PICH", StoredType::Picture, StoredType::Picture, MissingRule::NoPicture, 0, {}, "PICO"},
    {"UseMaskColor", "UMCOL", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, -1, {}, "UMCOL"},
    {"SoftBevel", "SOFT", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, 0, {}, "SOFT"},
    {"PicturePosition", "PICPOS", StoredType::Int32, StoredType::Int16, MissingRule::Value, 0, {}, "PICPOS"},
    {"UseGreyscale", "NGREY", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, 0, {}, "NGREY"},
    {"SpecialEffect", "FX", StoredType::Int32, StoredType::Int16, MissingRule::Value, 0, {}, "FX"},
    {"HandPointer", "HAND", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, 0, {}, "HAND"},
    {"CheckBoxBehaviour", "CHECK", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, 0, {}, "CHECK"},
    {"Value", "VALUE", StoredType::Boolean, StoredType::Boolean, MissingRule::Value, 0, {}, "VALUE"},
}};
// clang-format on

// New buttons: the colour of an unset mask, and the read-only version text.
inline constexpr std::int32_t DefaultMaskColor = 0xC0C0C0;
inline constexpr std::string_view ButtonVersion = "2.0.6 B";

// The cursor kinds the hand pointer switches between.
inline constexpr std::int16_t PointerArrow = 1;
inline constexpr std::int16_t PointerCustom = 99;

} // namespace kelvo::controls::button
