#pragma once

#include <map>

#include <QImage>
#include <QStringList>

#include "platform/gdi/Colour.h"

// Test support: an image as rows of letters, one letter per colour, so expected pixels are written as
// small pictures. Colours not in the legend show as '?'.
namespace kelvo::gdi::test {

inline QImage Blank(int width, int height, QRgb colour = 0xFFFFFFFFu) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline QStringList Picture(const QImage& image, const std::map<QRgb, char>& legend) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const auto found = legend.find(image.pixel(x, y));
            row += QChar::fromLatin1(found == legend.end() ? '?' : found->second);
        }
        rows << row;
    }
    return rows;
}

inline QRgb Q(std::uint32_t bgr) {
    return Colour(bgr).ToQRgb();
}

} // namespace kelvo::gdi::test
