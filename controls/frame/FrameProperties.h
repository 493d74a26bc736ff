#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The 3-D frame's persisted properties as plain data: the keys in the order they are read with their
// value types and defaults, and the order they are written in. Reading applies each key as it is read,
// so later keys see earlier ones (FloodColor's default is the fill colour as the surface has it then).
namespace kelvo::controls::frameprops {

// The type a key's value is read as. Colours are read as Long values holding a colour reference.
enum class ValueType { Long, Colour, Integer, Boolean, Single, String, Font, Picture };

// Where a key's default comes from when the store does not hold the key.
enum class DefaultFrom {
    Fixed,            // the value below
    FormBackColor,    // the back colour of the form the frame is on
    SurfaceFillColor, // the surface's current value of the same name
    SurfaceFillStyle,
    SurfaceDrawStyle,
    SurfaceMousePointer,
    SurfaceMouseIcon,
    SurfacePicture,
    CaptionLabel, // lblCaption's current value of the property the key names
};

struct Key {
    std::string_view key;
    ValueType type;
    DefaultFrom defaultFrom;
    std::int64_t fixedDefault;
    // The property the value goes to (CornerRadius is kept under "CornerDiameter").
    std::string_view property;
};

inline constexpr std::int64_t True = -1;

inline constexpr std::array<Key, 33> ReadOrder{{
    {"BorderType", ValueType::Long, DefaultFrom::Fixed, 1, "BorderType"},
    {"BevelWidth", ValueType::Long, DefaultFrom::Fixed, 3, "BevelWidth"},
    {"BevelInner", ValueType::Long, DefaultFrom::Fixed, 0, "BevelInner"},
    {"Caption3D", ValueType::Long, DefaultFrom::Fixed, 0, "Caption3D"},
    {"CaptionAlignment", ValueType::Long, DefaultFrom::Fixed, 0, "CaptionAlignment"},
    {"CaptionLocation", ValueType::Long, DefaultFrom::Fixed, 0, "CaptionLocation"},
    {"BackColor", ValueType::Colour, DefaultFrom::FormBackColor, 0, "BackColor"},
    {"Border3DHighlight", ValueType::Colour, DefaultFrom::Fixed, 0x80000014, "Border3DHighlight"},
    {"Border3DShadow", ValueType::Colour, DefaultFrom::Fixed, 0x80000010, "Border3DShadow"},
    {"Enabled", ValueType::Boolean, DefaultFrom::Fixed, True, "Enabled"},
    {"CornerDiameter", ValueType::Long, DefaultFrom::Fixed, 7, "CornerRadius"},
    {"FloodPercent", ValueType::Long, DefaultFrom::Fixed, 0, "FloodPercent"},
    {"FloodShowPct", ValueType::Boolean, DefaultFrom::Fixed, 0, "FloodShowPct"},
    {"FloodType", ValueType::Long, DefaultFrom::Fixed, 0, "FloodType"},
    {"FloodColor", ValueType::Colour, DefaultFrom::SurfaceFillColor, 0, "FloodColor"},
    {"FillGradient", ValueType::Long, DefaultFrom::Fixed, 0, "FillGradient"},
    {"FillColor", ValueType::Colour, DefaultFrom::SurfaceFillColor, 0, "FillColor"},
    {"FillStyle", ValueType::Integer, DefaultFrom::SurfaceFillStyle, 0, "FillStyle"},
    {"DrawStyle", ValueType::Integer, DefaultFrom::SurfaceDrawStyle, 0, "DrawStyle"},
    {"MousePointer", ValueType::Integer, DefaultFrom::SurfaceMousePointer, 0, "MousePointer"},
    {"MouseIcon", ValueType::Picture, DefaultFrom::SurfaceMouseIcon, 0, "MouseIcon"},
    {"Picture", ValueType::Picture, DefaultFrom::SurfacePicture, 0, "Picture"},
    {"CaptionMAlignment", ValueType::Integer, DefaultFrom::CaptionLabel, 0, "CaptionMAlignment"},
    {"Font", ValueType::Font, DefaultFrom::CaptionLabel, 0, "Font"},
    {"FontBold", ValueType::Boolean, DefaultFrom::CaptionLabel, 0, "FontBold"},
    {"FontItalic", ValueType::Boolean, DefaultFrom::CaptionLabel, 0, "FontItalic"},
    {"FontName", ValueType::String, DefaultFrom::CaptionLabel, 0, "FontName"},
    {"FontSize", ValueType::Single, DefaultFrom::CaptionLabel, 0, "FontSize"},
    {"FontStrikethru", ValueType::Boolean, DefaultFrom::CaptionLabel, 0, "FontStrikethru"},
    {"FontUnderline", ValueType::Boolean, DefaultFrom::CaptionLabel, 0, "FontUnderline"},
    {"ForeColor", ValueType::Colour, DefaultFrom::CaptionLabel, 0, "ForeColor"},
    {"Caption", ValueType::String, DefaultFrom::CaptionLabel, 0, "Caption"},
    {"UseMnemonic", ValueType::Boolean, DefaultFrom::CaptionLabel, 0, "UseMnemonic"},
}};

// Every key is written every time, in this order; the label values come from lblCaption. BackStyle has
// no key: the surface's own initial back style applies after every load.
inline constexpr std::array<std::string_view, 33> WriteOrder{
    "BorderType",      "BevelWidth",   "BevelInner",        "Caption3D",      "CaptionAlignment",
    "CaptionLocation", "BackColor",    "CornerDiameter",    "FillColor",      "FillStyle",
    "DrawStyle",       "FloodPercent", "FloodShowPct",      "FloodType",      "FloodColor",
    "FillGradient",    "MousePointer", "MouseIcon",         "Picture",        "Border3DHighlight",
    "Border3DShadow",  "Enabled",      "CaptionMAlignment", "Font",           "FontBold",
    "FontItalic",      "FontName",     "FontSize",          "FontStrikethru", "FontUnderline",
    "ForeColor",       "Caption",      "UseMnemonic"};

// The key's entry, compared without regard to case as the property store compares keys.
constexpr std::optional<Key> Find(std::string_view key) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (const Key& entry : ReadOrder) {
        if (entry.key.size() != key.size()) {
            continue;
        }
        bool same = true;
        for (std::size_t i = 0; i < key.size() && same; ++i) {
            same = lower(entry.key[i]) == lower(key[i]);
        }
        if (same) {
            return entry;
        }
    }
    return std::nullopt;
}

// Every key is written exactly once and every written key is read.
constexpr bool WritesEveryKeyOnce() {
    for (const std::string_view key : WriteOrder) {
        int count = 0;
        for (const std::string_view other : WriteOrder) {
            count += other == key ? 1 : 0;
        }
        if (count != 1 || !Find(key)) {
            return false;
        }
    }
    return true;
}
static_assert(WritesEveryKeyOnce());
static_assert(Find("cornerdiameter")->property == "CornerRadius" && !Find("BackStyle"));

// A frame placed new: the values InitProperties gives (the others start at 0), and what a new surface
// and caption label start with.
struct NewFrame {
    static constexpr std::int32_t BevelWidth = 3;
    static constexpr std::int32_t BorderType = 1;
    static constexpr std::uint32_t Border3DHighlight = 0x80000014u;
    static constexpr std::uint32_t Border3DShadow = 0x80000010u;
    static constexpr bool Enabled = true;
    static constexpr std::int32_t CaptionLocation = 0;
    static constexpr std::int32_t CornerRadius = 7;
    static constexpr bool UseMnemonic = false;

    static constexpr std::uint32_t SurfaceFillColor = 0x00FFC19Fu;
    static constexpr std::int16_t SurfaceFillStyle = 1;
    static constexpr std::int16_t SurfaceDrawStyle = 0;
    static constexpr std::int16_t SurfaceMousePointer = 0;
    static constexpr std::string_view CaptionFontName = "MS Sans Serif";
    static constexpr float CaptionFontSize = 8.25f;
    static constexpr std::uint32_t CaptionForeColor = 0x80000012u;
};

// The setter of BevelWidth raises values below this; loading keeps them.
inline constexpr std::int32_t MinimumBevelWidth = 3;

} // namespace kelvo::controls::frameprops
