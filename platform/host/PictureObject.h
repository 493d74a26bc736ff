#pragma once

#include <cstdint>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QString>

namespace kelvo::host {

// The kinds of picture a control can hold, with the numbers controls compare against.
enum class PictureType : std::int16_t { None = 0, Bitmap = 1, Icon = 3 };

// A picture as controls store it: a bitmap or an icon, with its size in pixels. It remembers where it was
// loaded from so that a form written back names the same file. An empty picture stands for "none".
class PictureObject {
public:
    PictureObject() = default;
    static PictureObject FromImage(const QImage& image, PictureType type = PictureType::Bitmap);

    // Loads a picture from a file path or a Qt resource (":/..."). Files ending in ".ico" or ".cur" are
    // icons unless a type is given. A picture that cannot be read (missing, not a regular file, too large,
    // undecodable) gives an empty picture (still carrying the path) and the reason in *error.
    static PictureObject Load(const QString& path, std::optional<PictureType> type = std::nullopt,
                              QString* error = nullptr);
    // Decodes an image held in memory (PNG, BMP, JPEG ...), with the same limits.
    static PictureObject Decode(const QByteArray& data, PictureType type, QString* error = nullptr);

    bool IsEmpty() const { return type_ == PictureType::None; }
    PictureType Type() const { return type_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // The size in HIMETRIC units (hundredths of a millimetre) at 96 DPI, as picture objects report it.
    std::int32_t WidthHimetric() const;
    std::int32_t HeightHimetric() const;
    static double HimetricToPixels(double himetric) { return himetric * 96.0 / 2540.0; }

    // Bitmaps are RGB32; icons keep their transparency as ARGB32.
    const QImage& Image() const { return image_; }
    // A number that identifies the image while it lives; 0 for an empty picture.
    std::int64_t Handle() const { return IsEmpty() ? 0 : image_.cacheKey(); }
    // The path the picture was loaded from, as it was written; empty for pictures made in code. A picture
    // that failed to load keeps its path, so that a form written back still names the file.
    const QString& Source() const { return source_; }
    void SetSource(const QString& source) { source_ = source; }
    // The point of a cursor picture that touches the target: the image's "HotspotX"/"HotspotY" texts when
    // present, else the centre.
    QPoint Hotspot() const;

    // The largest picture accepted from a file or from memory, per side and in bytes read.
    static constexpr int MaxSide = 4096;
    static constexpr qint64 MaxFileBytes = qint64{32} * 1024 * 1024;

    friend bool operator==(const PictureObject& a, const PictureObject& b);

private:
    PictureType type_ = PictureType::None;
    QImage image_;
    QString source_;
};

} // namespace kelvo::host
