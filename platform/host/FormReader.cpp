#include "FormReader.h"

#include <utility>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "PictureLoader.h"
#include "PropertyCodec.h"

namespace kelvo::host {

namespace {

// Collects the errors of one file, naming the instance being read.
class Reporter {
public:
    Reporter(const QString& file, FormErrors& errors)
        : file_(file)
        , errors_(errors) {}
    void SetInstance(const QString& instance) { instance_ = instance; }
    void Add(const QString& key, const QString& message) { errors_.append({file_, instance_, key, message}); }

private:
    QString file_;
    QString instance_;
    FormErrors& errors_;
};

// An optional whole number in a range; reports and keeps the default when it is present but wrong.
void ReadNumber(const QJsonObject& object, const char* key, std::int64_t low, std::int64_t high,
                std::int32_t& target, Reporter& reporter) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) {
        return;
    }
    if (const auto number = PropertyCodec::ReadInteger(value, low, high)) {
        target = *number;
        return;
    }
    reporter.Add(QLatin1String(key),
                 QStringLiteral("expected a whole number from %1 to %2").arg(low).arg(high));
}

bool ReadText(const QJsonObject& object, const char* key, QString& target, Reporter& reporter) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) {
        return false;
    }
    if (!value.isString()) {
        reporter.Add(QLatin1String(key), QStringLiteral("expected a text"));
        return false;
    }
    target = value.toString();
    return true;
}

void CheckKnownKeys(const QJsonObject& object, const QSet<QString>& known, Reporter& reporter) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            reporter.Add(it.key(), QStringLiteral("unknown field (ignored)"));
        }
    }
}

std::optional<InstanceSpec> ReadInstance(const QJsonValue& json, int position, PropertyCodec& codec,
                                         Reporter& reporter) {
    reporter.SetInstance(QStringLiteral("#%1").arg(position));
    if (!json.isObject()) {
        reporter.Add(QString(), QStringLiteral("an instance is an object"));
        return std::nullopt;
    }
    const QJsonObject object = json.toObject();
    InstanceSpec instance;
    ReadText(object, "name", instance.name, reporter);
    if (!instance.name.isEmpty()) {
        reporter.SetInstance(instance.name);
    }
    ReadNumber(object, "index", 0, 32767, instance.index, reporter);
    if (!instance.name.isEmpty()) {
        reporter.SetInstance(instance.DisplayName());
    }
    bool complete = true;
    if (instance.name.isEmpty()) {
        reporter.Add(QStringLiteral("name"), QStringLiteral("an instance needs a name"));
        complete = false;
    }
    if (!ReadText(object, "kind", instance.kind, reporter) || instance.kind.isEmpty()) {
        reporter.Add(QStringLiteral("kind"), QStringLiteral("an instance needs a kind"));
        complete = false;
    }
    static const QSet<QString> known{QStringLiteral("kind"),   QStringLiteral("name"),
                                     QStringLiteral("index"),  QStringLiteral("left"),
                                     QStringLiteral("top"),    QStringLiteral("width"),
                                     QStringLiteral("height"), QStringLiteral("properties")};
    CheckKnownKeys(object, known, reporter);
    const std::int32_t limit = FormSpec::MaxTwips;
    ReadNumber(object, "left", -limit, limit, instance.left, reporter);
    ReadNumber(object, "top", -limit, limit, instance.top, reporter);
    ReadNumber(object, "width", 0, limit, instance.width, reporter);
    ReadNumber(object, "height", 0, limit, instance.height, reporter);
    if (const QJsonValue properties = object.value(QLatin1String("properties")); !properties.isUndefined()) {
        if (properties.isObject()) {
            for (const PropertyError& error : codec.ReadBag(properties.toObject(), instance.properties)) {
                reporter.Add(error.key, error.message);
            }
        } else {
            reporter.Add(QStringLiteral("properties"), QStringLiteral("expected an object of stored values"));
        }
    }
    if (!complete) {
        return std::nullopt;
    }
    return instance;
}

void ReadInstances(const QJsonValue& json, FormSpec& form, PropertyCodec& codec, Reporter& reporter) {
    if (json.isUndefined()) {
        return;
    }
    if (!json.isArray()) {
        reporter.Add(QStringLiteral("instances"), QStringLiteral("expected an array of instances"));
        return;
    }
    const QJsonArray array = json.toArray();
    QSet<QString> taken;
    QSet<QString> arrays;
    QSet<QString> singles;
    for (int i = 0; i < array.size(); ++i) {
        if (i >= FormSpec::MaxInstances) {
            reporter.SetInstance(QString());
            reporter.Add(
                QStringLiteral("instances"),
                QStringLiteral("more than %1 instances; the rest are left out").arg(FormSpec::MaxInstances));
            break;
        }
        std::optional<InstanceSpec> instance = ReadInstance(array.at(i), i, codec, reporter);
        if (!instance) {
            continue;
        }
        const QString folded = instance->name.toCaseFolded();
        const QString id = QStringLiteral("%1(%2)").arg(folded).arg(instance->index);
        if (taken.contains(id)) {
            reporter.Add(QStringLiteral("name"),
                         QStringLiteral("another instance has the same name and index"));
            continue;
        }
        if ((instance->index < 0 && arrays.contains(folded)) ||
            (instance->index >= 0 && singles.contains(folded))) {
            reporter.Add(QStringLiteral("index"),
                         QStringLiteral("the name is used both with and without an index"));
            continue;
        }
        taken.insert(id);
        (instance->index < 0 ? singles : arrays).insert(folded);
        form.instances.push_back(*std::move(instance));
    }
}

} // namespace

FormReader::FormReader(PictureLoader& pictures)
    : pictures_(pictures) {}

FormReader::Result FormReader::Read(const QByteArray& bytes, const QString& fileName) {
    Result result;
    Reporter reporter(fileName, result.errors);
    if (bytes.size() > MaxBytes) {
        reporter.Add(QString(), QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes));
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        reporter.Add(QString(), QStringLiteral("not valid JSON at offset %1: %2")
                                    .arg(parseError.offset)
                                    .arg(parseError.errorString()));
        return result;
    }
    if (!document.isObject()) {
        reporter.Add(QString(), QStringLiteral("a form file holds one JSON object"));
        return result;
    }
    const QJsonObject object = document.object();
    PropertyCodec codec(pictures_);
    FormSpec form;
    static const QSet<QString> known{QStringLiteral("form"),        QStringLiteral("caption"),
                                     QStringLiteral("clientWidth"), QStringLiteral("clientHeight"),
                                     QStringLiteral("backColor"),   QStringLiteral("foreColor"),
                                     QStringLiteral("picture"),     QStringLiteral("borderStyle"),
                                     QStringLiteral("font"),        QStringLiteral("instances")};
    CheckKnownKeys(object, known, reporter);
    if (!ReadText(object, "form", form.name, reporter) || form.name.isEmpty()) {
        reporter.Add(QStringLiteral("form"), QStringLiteral("the form needs a name"));
    }
    ReadText(object, "caption", form.caption, reporter);
    for (const char* key : {"clientWidth", "clientHeight"}) {
        if (object.value(QLatin1String(key)).isUndefined()) {
            reporter.Add(QLatin1String(key), QStringLiteral("the form needs its client size"));
        }
    }
    ReadNumber(object, "clientWidth", 0, FormSpec::MaxTwips, form.clientWidth, reporter);
    ReadNumber(object, "clientHeight", 0, FormSpec::MaxTwips, form.clientHeight, reporter);
    QString error;
    for (const auto& [key, colour] : {std::pair{QStringLiteral("backColor"), &form.backColor},
                                      std::pair{QStringLiteral("foreColor"), &form.foreColor}}) {
        if (const QJsonValue stored = object.value(key); !stored.isUndefined()) {
            if (const auto value = codec.ReadColour(stored, &error)) {
                *colour = *value;
            } else {
                reporter.Add(key, error);
            }
        }
    }
    if (const QJsonValue picture = object.value(QLatin1String("picture")); !picture.isUndefined()) {
        PropertyCodec::Result read = codec.ReadPicture(picture);
        if (!read.error.isEmpty()) {
            reporter.Add(QStringLiteral("picture"), read.error);
        }
        if (read.value) {
            form.picture = std::get<PictureObject>(*read.value);
        }
    }
    std::int32_t border = form.borderStyle;
    ReadNumber(object, "borderStyle", 0, 5, border, reporter);
    form.borderStyle = static_cast<std::int16_t>(border);
    if (const QJsonValue font = object.value(QLatin1String("font")); !font.isUndefined()) {
        if (const auto value = codec.ReadFont(font, &error)) {
            form.font = *value;
        } else {
            reporter.Add(QStringLiteral("font"), error);
        }
    }
    ReadInstances(object.value(QLatin1String("instances")), form, codec, reporter);
    result.form = std::move(form);
    return result;
}

FormReader::Result FormReader::ReadFile(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        Result result;
        result.errors.append({path, QString(), QString(), QStringLiteral("the form file cannot be opened")});
        return result;
    }
    if (file.size() > MaxBytes) {
        Result result;
        result.errors.append(
            {path, QString(), QString(), QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes)});
        return result;
    }
    FilePictureLoader pictures(info.absolutePath());
    FormReader reader(pictures);
    return reader.Read(file.readAll(), path);
}

} // namespace kelvo::host
