#include "PictureLoader.h"

#include <QDir>

namespace kelvo::host {

FilePictureLoader::FilePictureLoader(QString baseFolder)
    : baseFolder_(std::move(baseFolder)) {}

PictureObject FilePictureLoader::Load(const QString& path, std::optional<PictureType> type, QString* error) {
    const bool resource = path.startsWith(QLatin1Char(':'));
    const QString resolved = resource || QDir::isAbsolutePath(path) || baseFolder_.isEmpty()
                                 ? path
                                 : QDir(baseFolder_).filePath(path);
    PictureObject picture = PictureObject::Load(resolved, type, error);
    picture.SetSource(path);
    return picture;
}

PictureObject FilePictureLoader::Decode(const QByteArray& data, PictureType type, QString* error) {
    return PictureObject::Decode(data, type, error);
}

PictureObject NoPictureLoader::Load(const QString& path, std::optional<PictureType>, QString* error) {
    if (error != nullptr) {
        *error = QStringLiteral("pictures are not read here");
    }
    PictureObject picture;
    picture.SetSource(path);
    return picture;
}

PictureObject NoPictureLoader::Decode(const QByteArray&, PictureType, QString* error) {
    if (error != nullptr) {
        *error = QStringLiteral("pictures are not read here");
    }
    return {};
}

} // namespace kelvo::host
