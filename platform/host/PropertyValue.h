#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>
#include <variant>

#include <QString>

#include "FontObject.h"
#include "PictureObject.h"
#include "platform/gdi/Colour.h"

namespace kelvo::host {

// The kinds of value a property store keeps. The order is that of PropertyValue's alternatives.
enum class PropertyType { Int16, Int32, Boolean, Single, Text, Colour, Font, Picture };

using PropertyValue =
    std::variant<std::int16_t, std::int32_t, bool, float, QString, gdi::Colour, FontObject, PictureObject>;

template <typename T>
concept PropertyValueType = std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t> ||
    std::is_same_v<T, bool> || std::is_same_v<T, float> || std::is_same_v<T, QString> ||
    std::is_same_v<T, gdi::Colour> || std::is_same_v<T, FontObject> || std::is_same_v<T, PictureObject>;

PropertyType TypeOf(const PropertyValue& value);
// The name of a type as form files spell it: "int16", "int32", "bool", "single", "text", "colour", "font",
// "picture".
QString TypeName(PropertyType type);
std::optional<PropertyType> TypeFromName(const QString& name);

// Converts a stored value to the type a reader asks for. Integers of either width and colours (taken as
// their 32 bits) convert into each other when the value fits; singles convert to integers rounding halves
// to even when the result fits, integers to singles; integers read as Booleans are true when not 0. Any
// other pairing is a type error. On failure the reason is put in *error.
template <PropertyValueType T> std::optional<T> ConvertValue(const PropertyValue& value, QString* error);

// Colours as 32-bit patterns: the one place that knows how a colour is held in an integer.
std::uint32_t ColourBits(const gdi::Colour& colour);
gdi::Colour ColourFromBits(std::uint32_t bits);

} // namespace kelvo::host
