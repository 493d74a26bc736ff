#pragma once

#include <optional>

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include "PropertyBag.h"

namespace kelvo::host {

class PictureLoader;

// Stored property values as JSON, the way form files hold them: each value is an object with one member
// naming its type, {"int16": 2}, {"int32": -1}, {"bool": true}, {"single": 8.25}, {"text": "Free RAM"},
// {"colour": "0x8000000F"}, {"font": {"name": "Verdana", "size": 8.25, "bold": false, "italic": false,
// "underline": false, "strikethrough": false}} and {"picture": {"path": "banner.jpg", "type": 1}} (or
// {"picture": {"data": "<base64 PNG>", "type": 3}} for a picture made in code, {"picture": {}} for none).
// Reading never trusts the input: every number is checked for its range before it is converted.
class PropertyCodec {
public:
    // A value read, and what was wrong with it. A picture that fails to load gives both: an empty picture
    // that keeps its path, and the error.
    struct Result {
        std::optional<PropertyValue> value;
        QString error;
    };

    explicit PropertyCodec(PictureLoader& pictures);

    Result ReadValue(const QJsonValue& json);
    // Reads every member of the object into the bag. A member with a bad value is left out of the bag (so
    // its default applies) and reported; keys repeated with different case keep the first one.
    QList<PropertyError> ReadBag(const QJsonObject& json, PropertyBag& bag);

    std::optional<FontObject> ReadFont(const QJsonValue& json, QString* error);
    Result ReadPicture(const QJsonValue& json);
    std::optional<gdi::Colour> ReadColour(const QJsonValue& json, QString* error);

    static QJsonObject WriteValue(const PropertyValue& value);
    static QJsonObject WriteBag(const PropertyBag& bag);
    static QJsonObject WriteFont(const FontObject& font);
    static QJsonObject WritePicture(const PictureObject& picture);
    static QString WriteColour(const gdi::Colour& colour);

    // Whole numbers in JSON (which keeps them as doubles) in the range of the type asked for.
    static std::optional<std::int32_t> ReadInteger(const QJsonValue& json, std::int64_t low,
                                                   std::int64_t high);

    // Upper bound on embedded picture data, before decoding.
    static constexpr qsizetype MaxPictureData = qsizetype{4} * 1024 * 1024;

private:
    PictureLoader& pictures_;
};

} // namespace kelvo::host
