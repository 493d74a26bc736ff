#pragma once

#include <cmath>
#include <cstring>
#include <vector>

#include <QImage>
#include <QString>

#include "controls/frame/FrameLook.h"
#include "controls/frame/FramePainter.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColours.h"

// Test support for the frame's painting: fixed colours, a caption measure that does not depend on fonts,
// a pixel buffer with guard bytes on both sides, and a painter of expected pixels from plain geometry.
namespace kelvo::controls::test {

inline constexpr gdi::Colour Hi{0x00FFFFFFu};
inline constexpr gdi::Colour Sh{0x00808080u};
inline constexpr gdi::Colour Back{0x00C8D0D4u};
inline constexpr gdi::Colour Flood{0x00FFC19Fu};

// Six pixels a character, 13 high: the caption's size follows its text as the labels' does.
inline QSize Measure(const QString& text) {
    return text.isEmpty() ? QSize() : QSize(6 * static_cast<int>(text.size()), 13);
}

// The look with its caption and percentage measured, as the control hands it to the painter.
inline FrameLook Measured(FrameLook look, QSize (*measure)(const QString&) = Measure) {
    look.captionSize = measure(look.caption);
    look.percentSize = measure(FloodPercentText(look.floodPercent));
    return look;
}

inline FrameLook Look(float width, float height, std::int32_t borderType, std::int32_t cornerRadius = 0) {
    FrameLook look;
    look.scaleWidth = width;
    look.scaleHeight = height;
    look.borderType = borderType;
    look.cornerRadius = cornerRadius;
    look.border3DHighlight = Hi;
    look.border3DShadow = Sh;
    look.backColor = Back;
    look.floodColor = Flood;
    return look;
}

// Pixels with guard bytes before and after them: a write outside the image changes a guard.
class GuardedImage {
public:
    GuardedImage(int width, int height)
        : memory_(2 * Guard + static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0) * 4, Pattern)
        , image_(width > 0 && height > 0 ? QImage(memory_.data() + Guard, width, height, qsizetype{width} * 4,
                                                  QImage::Format_RGB32)
                                         : QImage()) {}

    QImage& Image() { return image_; }
    bool Intact() const {
        for (std::size_t i = 0; i < Guard; ++i) {
            if (memory_[i] != Pattern || memory_[memory_.size() - 1 - i] != Pattern) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr std::size_t Guard = 4096;
    static constexpr unsigned char Pattern = 0xA5;
    std::vector<unsigned char> memory_;
    QImage image_;
};

struct Painted {
    QImage image;
    FramePaintResult result;
};

inline Painted Paint(const FrameLook& look, const FrameState& previous = {}) {
    QImage image(static_cast<int>(std::ceil(look.scaleWidth)), static_cast<int>(std::ceil(look.scaleHeight)),
                 QImage::Format_RGB32);
    const gdi::SysColours colours = gdi::SysColours::Classic();
    gdi::DeviceContext dc(image, colours);
    FramePaintResult result = PaintFrame(dc, Measured(look), previous);
    return {image, result};
}

// The expected picture, drawn from the plain geometry of outlines, lines and boxes.
class Expected {
public:
    Expected(int width, int height, gdi::Colour back = Back)
        : image_(width, height, QImage::Format_RGB32) {
        image_.fill(back.ToQRgb());
    }
    const QImage& Image() const { return image_; }

    // Draws a script of shapes separated by ';': a colour (H highlight, S shadow, B back, F flood),
    // a shape (R the one-pixel outline of [x1, x2) x [y1, y2), L a level or upright line with its last
    // point left out, X a box with both corners in) and four numbers: "S R 0 0 13 9; H L 13 0 0 0".
    void Apply(const QString& script) {
        for (const QString& step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList p = step.simplified().split(QLatin1Char(' '));
            const gdi::Colour colour = p[0] == "H" ? Hi : p[0] == "S" ? Sh : p[0] == "F" ? Flood : Back;
            const int x1 = p[2].toInt(), y1 = p[3].toInt(), x2 = p[4].toInt(), y2 = p[5].toInt();
            if (p[1] == "R") {
                for (int x = x1; x < x2; ++x) {
                    Set(x, y1, colour);
                    Set(x, y2 - 1, colour);
                }
                for (int y = y1; y < y2; ++y) {
                    Set(x1, y, colour);
                    Set(x2 - 1, y, colour);
                }
            } else if (p[1] == "L") {
                const int dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
                for (int x = x1, y = y1; x != x2 || y != y2; x += dx, y += dy) {
                    Set(x, y, colour);
                }
            } else {
                for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
                    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
                        Set(x, y, colour);
                    }
                }
            }
        }
    }

private:
    void Set(int x, int y, gdi::Colour colour) {
        if (image_.valid(x, y)) {
            image_.setPixel(x, y, colour.ToQRgb());
        }
    }
    QImage image_;
};

// The first pixels that differ, for a readable failure.
inline QString Difference(const QImage& actual, const QImage& expected) {
    QString report;
    for (int y = 0; y < actual.height() && report.size() < 200; ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                report +=
                    QStringLiteral("(%1,%2) %3; ").arg(x).arg(y).arg(actual.pixel(x, y) & 0xFFFFFF, 0, 16);
            }
        }
    }
    return report;
}

} // namespace kelvo::controls::test
