#include "PropertyCodec.h"

#include <cmath>
#include <limits>

#include <QBuffer>
#include <QJsonArray>
#include <QSet>

#include "PictureLoader.h"

namespace kelvo::host {

namespace {

QString KindOf(const QJsonValue& json) {
    switch (json.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a Boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a text");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

PropertyCodec::Result Failure(const QString& error) {
    return {std::nullopt, error};
}

} // namespace

PropertyCodec::PropertyCodec(PictureLoader& pictures)
    : pictures_(pictures) {}

std::optional<std::int32_t> PropertyCodec::ReadInteger(const QJsonValue& json, std::int64_t low,
                                                       std::int64_t high) {
    if (!json.isDouble()) {
        return std::nullopt;
    }
    const double number = json.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number || number < double(low) ||
        number > double(high)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

std::optional<gdi::Colour> PropertyCodec::ReadColour(const QJsonValue& json, QString* error) {
    const QString text = json.toString();
    bool valid =
        json.isString() && text.size() > 2 && text.size() <= 10 && text.startsWith(QLatin1String("0x"));
    for (qsizetype i = 2; valid && i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        valid = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    }
    if (!valid) {
        if (error != nullptr) {
            *error = QStringLiteral("a colour is written \"0x\" and one to eight hexadecimal digits");
        }
        return std::nullopt;
    }
    return ColourFromBits(text.mid(2).toUInt(nullptr, 16));
}

QString PropertyCodec::WriteColour(const gdi::Colour& colour) {
    return QStringLiteral("0x") +
           QString::number(ColourBits(colour), 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

std::optional<FontObject> PropertyCodec::ReadFont(const QJsonValue& json, QString* error) {
    auto fail = [error](const QString& text) -> std::optional<FontObject> {
        if (error != nullptr) {
            *error = text;
        }
        return std::nullopt;
    };
    if (!json.isObject()) {
        return fail(QStringLiteral("a font is an object, not %1").arg(KindOf(json)));
    }
    const QJsonObject object = json.toObject();
    if (!object.value(QLatin1String("name")).isString()) {
        return fail(QStringLiteral("a font needs a \"name\" text"));
    }
    const QJsonValue size = object.value(QLatin1String("size"));
    if (!size.isDouble() || !FontObject::IsValidSize(size.toDouble())) {
        return fail(QStringLiteral("a font needs a \"size\" in points above 0 and at most %1")
                        .arg(double(FontObject::MaxSize)));
    }
    FontObject font(object.value(QLatin1String("name")).toString(), float(size.toDouble()));
    const std::pair<const char*, void (FontObject::*)(bool)> flags[] = {
        {"bold", &FontObject::SetBold},
        {"italic", &FontObject::SetItalic},
        {"underline", &FontObject::SetUnderline},
        {"strikethrough", &FontObject::SetStrikethrough}};
    for (const auto& [name, setter] : flags) {
        const QJsonValue flag = object.value(QLatin1String(name));
        if (flag.isUndefined()) {
            continue;
        }
        if (!flag.isBool()) {
            return fail(QStringLiteral("the font's \"%1\" is %2, not a Boolean")
                            .arg(QLatin1String(name), KindOf(flag)));
        }
        (font.*setter)(flag.toBool());
    }
    return font;
}

QJsonObject PropertyCodec::WriteFont(const FontObject& font) {
    return QJsonObject{{QStringLiteral("name"), font.Name()},
                       {QStringLiteral("size"), double(font.Size())},
                       {QStringLiteral("bold"), font.Bold()},
                       {QStringLiteral("italic"), font.Italic()},
                       {QStringLiteral("underline"), font.Underline()},
                       {QStringLiteral("strikethrough"), font.Strikethrough()}};
}

PropertyCodec::Result PropertyCodec::ReadPicture(const QJsonValue& json) {
    if (!json.isObject()) {
        return Failure(QStringLiteral("a picture is an object, not %1").arg(KindOf(json)));
    }
    const QJsonObject object = json.toObject();
    if (object.isEmpty()) {
        return {PictureObject(), QString()};
    }
    std::optional<PictureType> type;
    if (const QJsonValue typeValue = object.value(QLatin1String("type")); !typeValue.isUndefined()) {
        const std::optional<std::int32_t> number = ReadInteger(typeValue, 0, 3);
        if (number != 1 && number != 3) {
            return Failure(QStringLiteral("a picture's \"type\" is 1 (bitmap) or 3 (icon)"));
        }
        type = static_cast<PictureType>(*number);
    }
    const QJsonValue path = object.value(QLatin1String("path"));
    const QJsonValue data = object.value(QLatin1String("data"));
    if (path.isUndefined() == data.isUndefined()) {
        return Failure(QStringLiteral("a picture has either a \"path\" or \"data\""));
    }
    QString error;
    if (path.isString()) {
        PictureObject picture = pictures_.Load(path.toString(), type, &error);
        return {std::move(picture), error};
    }
    if (!data.isString() || data.toString().size() > MaxPictureData) {
        return Failure(QStringLiteral("a picture's \"data\" is base64 text of at most %1 characters")
                           .arg(MaxPictureData));
    }
    const QByteArray::FromBase64Result bytes =
        QByteArray::fromBase64Encoding(data.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes) {
        return Failure(QStringLiteral("a picture's \"data\" is not base64"));
    }
    PictureObject picture = pictures_.Decode(*bytes, type.value_or(PictureType::Bitmap), &error);
    if (picture.IsEmpty()) {
        return Failure(error);
    }
    return {std::move(picture), QString()};
}

QJsonObject PropertyCodec::WritePicture(const PictureObject& picture) {
    QJsonObject object;
    if (!picture.IsEmpty()) {
        object.insert(QStringLiteral("type"), int(picture.Type()));
    }
    if (!picture.Source().isEmpty()) {
        object.insert(QStringLiteral("path"), picture.Source());
    } else if (!picture.IsEmpty()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.Image().save(&buffer, "PNG");
        object.insert(QStringLiteral("data"), QString::fromLatin1(png.toBase64()));
    }
    return object;
}

PropertyCodec::Result PropertyCodec::ReadValue(const QJsonValue& json) {
    if (!json.isObject() || json.toObject().size() != 1) {
        return Failure(QStringLiteral("a stored value is an object with one member naming its type, not %1")
                           .arg(json.isObject()
                                    ? QStringLiteral("an object with %1 members").arg(json.toObject().size())
                                    : KindOf(json)));
    }
    const QJsonObject object = json.toObject();
    const QString typeName = object.begin().key();
    const QJsonValue value = object.begin().value();
    const std::optional<PropertyType> type = TypeFromName(typeName);
    if (!type) {
        return Failure(QStringLiteral("\"%1\" is not a type of stored value").arg(typeName));
    }
    auto wrong = [&](const QString& wanted) {
        return Failure(QStringLiteral("the %1 value is %2, not %3").arg(typeName, KindOf(value), wanted));
    };
    QString error;
    switch (*type) {
    case PropertyType::Int16:
        if (const auto number = ReadInteger(value, std::numeric_limits<std::int16_t>::min(),
                                            std::numeric_limits<std::int16_t>::max())) {
            return {static_cast<std::int16_t>(*number), QString()};
        }
        return wrong(QStringLiteral("a whole number from -32768 to 32767"));
    case PropertyType::Int32:
        if (const auto number = ReadInteger(value, std::numeric_limits<std::int32_t>::min(),
                                            std::numeric_limits<std::int32_t>::max())) {
            return {*number, QString()};
        }
        return wrong(QStringLiteral("a whole 32-bit number"));
    case PropertyType::Boolean:
        if (value.isBool()) {
            return {value.toBool(), QString()};
        }
        return wrong(QStringLiteral("true or false"));
    case PropertyType::Single: {
        const double number = value.toDouble();
        if (value.isDouble() && std::isfinite(number) &&
            std::fabs(number) <= std::numeric_limits<float>::max()) {
            return {static_cast<float>(number), QString()};
        }
        return wrong(QStringLiteral("a single-precision number"));
    }
    case PropertyType::Text:
        if (value.isString()) {
            return {value.toString(), QString()};
        }
        return wrong(QStringLiteral("a text"));
    case PropertyType::Colour:
        if (const auto colour = ReadColour(value, &error)) {
            return {*colour, QString()};
        }
        return Failure(error);
    case PropertyType::Font:
        if (const auto font = ReadFont(value, &error)) {
            return {*font, QString()};
        }
        return Failure(error);
    case PropertyType::Picture:
        return ReadPicture(value);
    }
    return Failure(QStringLiteral("unknown type"));
}

QList<PropertyError> PropertyCodec::ReadBag(const QJsonObject& json, PropertyBag& bag) {
    QList<PropertyError> errors;
    QSet<QString> seen;
    for (auto it = json.begin(); it != json.end(); ++it) {
        const QString key = it.key();
        if (key.isEmpty()) {
            errors.append({key, QStringLiteral("a property needs a name")});
            continue;
        }
        if (seen.contains(key.toCaseFolded())) {
            errors.append({key, QStringLiteral("the key is given twice (keys ignore case)")});
            continue;
        }
        seen.insert(key.toCaseFolded());
        Result result = ReadValue(it.value());
        if (!result.error.isEmpty()) {
            errors.append({key, result.error});
        }
        if (result.value) {
            bag.Set(key, *std::move(result.value));
        }
    }
    return errors;
}

QJsonObject PropertyCodec::WriteValue(const PropertyValue& value) {
    const QString name = TypeName(TypeOf(value));
    QJsonValue json = std::visit(
        [](const auto& v) -> QJsonValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>) {
                return int(v);
            } else if constexpr (std::is_same_v<T, float>) {
                return double(v);
            } else if constexpr (std::is_same_v<T, gdi::Colour>) {
                return WriteColour(v);
            } else if constexpr (std::is_same_v<T, FontObject>) {
                return WriteFont(v);
            } else if constexpr (std::is_same_v<T, PictureObject>) {
                return WritePicture(v);
            } else {
                return v;
            }
        },
        value);
    return QJsonObject{{name, json}};
}

QJsonObject PropertyCodec::WriteBag(const PropertyBag& bag) {
    QJsonObject object;
    for (const PropertyBag::Entry& entry : bag.Entries()) {
        object.insert(entry.key, WriteValue(entry.value));
    }
    return object;
}

} // namespace kelvo::host
