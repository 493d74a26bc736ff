#include "PropertyValue.h"

#include <cmath>
#include <limits>

#include "platform/numeric/Numeric.h"

namespace kelvo::host {

PropertyType TypeOf(const PropertyValue& value) {
    return static_cast<PropertyType>(value.index());
}

QString TypeName(PropertyType type) {
    switch (type) {
    case PropertyType::Int16:
        return QStringLiteral("int16");
    case PropertyType::Int32:
        return QStringLiteral("int32");
    case PropertyType::Boolean:
        return QStringLiteral("bool");
    case PropertyType::Single:
        return QStringLiteral("single");
    case PropertyType::Text:
        return QStringLiteral("text");
    case PropertyType::Colour:
        return QStringLiteral("colour");
    case PropertyType::Font:
        return QStringLiteral("font");
    case PropertyType::Picture:
        return QStringLiteral("picture");
    }
    return QString();
}

std::optional<PropertyType> TypeFromName(const QString& name) {
    for (int i = 0; i <= int(PropertyType::Picture); ++i) {
        const auto type = static_cast<PropertyType>(i);
        if (TypeName(type) == name) {
            return type;
        }
    }
    return std::nullopt;
}

std::uint32_t ColourBits(const gdi::Colour& colour) {
    return colour.Raw();
}

gdi::Colour ColourFromBits(std::uint32_t bits) {
    return gdi::Colour(bits);
}

namespace {

template <typename T> constexpr PropertyType TypeOfAlternative() {
    if constexpr (std::is_same_v<T, std::int16_t>) {
        return PropertyType::Int16;
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return PropertyType::Int32;
    } else if constexpr (std::is_same_v<T, bool>) {
        return PropertyType::Boolean;
    } else if constexpr (std::is_same_v<T, float>) {
        return PropertyType::Single;
    } else if constexpr (std::is_same_v<T, QString>) {
        return PropertyType::Text;
    } else if constexpr (std::is_same_v<T, gdi::Colour>) {
        return PropertyType::Colour;
    } else if constexpr (std::is_same_v<T, FontObject>) {
        return PropertyType::Font;
    } else {
        return PropertyType::Picture;
    }
}

// The stored value as a whole number, when it is one (colours by their 32 bits, read as signed).
std::optional<std::int64_t> AsInteger(const PropertyValue& value) {
    if (const auto* v16 = std::get_if<std::int16_t>(&value)) {
        return *v16;
    }
    if (const auto* v32 = std::get_if<std::int32_t>(&value)) {
        return *v32;
    }
    if (const auto* colour = std::get_if<gdi::Colour>(&value)) {
        return static_cast<std::int32_t>(ColourBits(*colour));
    }
    return std::nullopt;
}

QString Mismatch(const PropertyValue& value, PropertyType wanted) {
    return QStringLiteral("stored as %1, read as %2").arg(TypeName(TypeOf(value)), TypeName(wanted));
}

template <typename Int>
std::optional<Int> ToInteger(const PropertyValue& value, PropertyType wanted, QString* error) {
    std::optional<std::int64_t> whole = AsInteger(value);
    if (!whole) {
        if (const auto* single = std::get_if<float>(&value)) {
            const std::optional<std::int32_t> rounded = numeric::CLng(double(*single));
            if (rounded) {
                whole = *rounded;
            }
        }
    }
    if (!whole) {
        if (error != nullptr) {
            *error = std::holds_alternative<float>(value) ? QStringLiteral("the single %1 does not fit %2")
                                                                .arg(double(std::get<float>(value)))
                                                                .arg(TypeName(wanted))
                                                          : Mismatch(value, wanted);
        }
        return std::nullopt;
    }
    if (*whole < std::numeric_limits<Int>::min() || *whole > std::numeric_limits<Int>::max()) {
        if (error != nullptr) {
            *error = QStringLiteral("the value %1 does not fit %2").arg(*whole).arg(TypeName(wanted));
        }
        return std::nullopt;
    }
    return static_cast<Int>(*whole);
}

} // namespace

template <PropertyValueType T> std::optional<T> ConvertValue(const PropertyValue& value, QString* error) {
    if (const T* exact = std::get_if<T>(&value)) {
        return *exact;
    }
    constexpr PropertyType wanted = TypeOfAlternative<T>();
    if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>) {
        return ToInteger<T>(value, wanted, error);
    } else if constexpr (std::is_same_v<T, gdi::Colour>) {
        if (const std::optional<std::int64_t> whole = AsInteger(value)) {
            return ColourFromBits(static_cast<std::uint32_t>(static_cast<std::int32_t>(*whole)));
        }
    } else if constexpr (std::is_same_v<T, float>) {
        if (const std::optional<std::int64_t> whole = AsInteger(value)) {
            return static_cast<float>(*whole);
        }
    } else if constexpr (std::is_same_v<T, bool>) {
        if (const std::optional<std::int64_t> whole = AsInteger(value)) {
            return *whole != 0;
        }
    }
    if (error != nullptr) {
        *error = Mismatch(value, wanted);
    }
    return std::nullopt;
}

template std::optional<std::int16_t> ConvertValue(const PropertyValue&, QString*);
template std::optional<std::int32_t> ConvertValue(const PropertyValue&, QString*);
template std::optional<bool> ConvertValue(const PropertyValue&, QString*);
template std::optional<float> ConvertValue(const PropertyValue&, QString*);
template std::optional<QString> ConvertValue(const PropertyValue&, QString*);
template std::optional<gdi::Colour> ConvertValue(const PropertyValue&, QString*);
template std::optional<FontObject> ConvertValue(const PropertyValue&, QString*);
template std::optional<PictureObject> ConvertValue(const PropertyValue&, QString*);

} // namespace kelvo::host
