#include "FormWriter.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "PropertyCodec.h"

namespace kelvo::host {

QJsonObject FormWriter::ToJson(const FormSpec& form) {
    QJsonArray instances;
    for (const InstanceSpec& instance : form.instances) {
        QJsonObject object{{QStringLiteral("kind"), instance.kind},
                           {QStringLiteral("name"), instance.name},
                           {QStringLiteral("left"), instance.left},
                           {QStringLiteral("top"), instance.top},
                           {QStringLiteral("width"), instance.width},
                           {QStringLiteral("height"), instance.height},
                           {QStringLiteral("properties"), PropertyCodec::WriteBag(instance.properties)}};
        if (instance.index >= 0) {
            object.insert(QStringLiteral("index"), instance.index);
        }
        instances.append(object);
    }
    QJsonObject json{{QStringLiteral("form"), form.name},
                     {QStringLiteral("caption"), form.caption},
                     {QStringLiteral("clientWidth"), form.clientWidth},
                     {QStringLiteral("clientHeight"), form.clientHeight},
                     {QStringLiteral("backColor"), PropertyCodec::WriteColour(form.backColor)},
                     {QStringLiteral("picture"), PropertyCodec::WritePicture(form.picture)},
                     {QStringLiteral("borderStyle"), int(form.borderStyle)},
                     {QStringLiteral("font"), PropertyCodec::WriteFont(form.font)},
                     {QStringLiteral("instances"), instances}};
    // Written only where it was set, so the files of forms that never set it stay as they were.
    if (form.foreColor != FormSpec().foreColor) {
        json.insert(QStringLiteral("foreColor"), PropertyCodec::WriteColour(form.foreColor));
    }
    return json;
}

QByteArray FormWriter::Write(const FormSpec& form) {
    return QJsonDocument(ToJson(form)).toJson(QJsonDocument::Indented);
}

} // namespace kelvo::host
