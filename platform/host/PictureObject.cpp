#include "PictureObject.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include "platform/numeric/Numeric.h"

namespace kelvo::host {

namespace {

void SetError(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
}

// Reads one image through a reader whose device is already set, refusing sizes above the limits before
// any pixel memory is allocated.
QImage ReadLimited(QImageReader& reader, QString* error) {
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > PictureObject::MaxSide || size.height() > PictureObject::MaxSide)) {
        SetError(error, QStringLiteral("the picture is %1 x %2 pixels, more than %3 per side")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(PictureObject::MaxSide));
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        SetError(error, QStringLiteral("the picture cannot be decoded (%1)").arg(reader.errorString()));
        return {};
    }
    if (image.width() > PictureObject::MaxSide || image.height() > PictureObject::MaxSide) {
        SetError(error,
                 QStringLiteral("the picture is larger than %1 pixels per side").arg(PictureObject::MaxSide));
        return {};
    }
    return image;
}

} // namespace

PictureObject PictureObject::FromImage(const QImage& image, PictureType type) {
    PictureObject picture;
    if (image.isNull() || type == PictureType::None) {
        return picture;
    }
    picture.type_ = type;
    picture.image_ =
        image.convertToFormat(type == PictureType::Icon ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return picture;
}

PictureObject PictureObject::Load(const QString& path, std::optional<PictureType> type, QString* error) {
    PictureObject missing;
    missing.source_ = path;
    if (path.isEmpty()) {
        SetError(error, QStringLiteral("the picture has no path"));
        return missing;
    }
    // Only regular files are read: a device or a pipe named in a form file must not block the program.
    const QFileInfo info(path);
    if (!info.exists()) {
        SetError(error, QStringLiteral("the picture file \"%1\" does not exist").arg(path));
        return missing;
    }
    if (!info.isFile()) {
        SetError(error, QStringLiteral("the picture \"%1\" is not a file").arg(path));
        return missing;
    }
    if (info.size() > MaxFileBytes) {
        SetError(
            error,
            QStringLiteral("the picture file \"%1\" is larger than %2 bytes").arg(path).arg(MaxFileBytes));
        return missing;
    }
    QImageReader reader(path);
    QString reason;
    const QImage image = ReadLimited(reader, &reason);
    if (image.isNull()) {
        SetError(error, QStringLiteral("\"%1\": %2").arg(path, reason));
        return missing;
    }
    const QString suffix = info.suffix().toLower();
    const bool icon = suffix == QLatin1String("ico") || suffix == QLatin1String("cur");
    PictureObject picture = FromImage(image, type.value_or(icon ? PictureType::Icon : PictureType::Bitmap));
    picture.source_ = path;
    return picture;
}

PictureObject PictureObject::Decode(const QByteArray& data, PictureType type, QString* error) {
    if (data.size() > MaxFileBytes) {
        SetError(error, QStringLiteral("the picture data is larger than %1 bytes").arg(MaxFileBytes));
        return {};
    }
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage image = ReadLimited(reader, error);
    if (image.isNull()) {
        return {};
    }
    return FromImage(image, type);
}

std::int32_t PictureObject::WidthHimetric() const {
    return numeric::CLng(Width() * 2540.0 / 96.0).value_or(0);
}

std::int32_t PictureObject::HeightHimetric() const {
    return numeric::CLng(Height() * 2540.0 / 96.0).value_or(0);
}

QPoint PictureObject::Hotspot() const {
    bool xOk = false;
    bool yOk = false;
    const int x = image_.text(QStringLiteral("HotspotX")).toInt(&xOk);
    const int y = image_.text(QStringLiteral("HotspotY")).toInt(&yOk);
    if (xOk && yOk && x >= 0 && y >= 0 && x < Width() && y < Height()) {
        return {x, y};
    }
    return {Width() / 2, Height() / 2};
}

bool operator==(const PictureObject& a, const PictureObject& b) {
    if (a.IsEmpty() || b.IsEmpty()) {
        return a.IsEmpty() && b.IsEmpty() && a.source_ == b.source_;
    }
    return a.type_ == b.type_ && a.source_ == b.source_ && a.image_ == b.image_;
}

} // namespace kelvo::host
