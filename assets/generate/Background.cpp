#include "Background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "Theme.h"

namespace kelvo::assets {

namespace {

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

Rgb ToRgb(const QColor& c) {
    return {double(c.red()), double(c.green()), double(c.blue())};
}

Rgb Lerp(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A soft light centred at (cx, cy): full strength in the middle, fading smoothly to nothing at the radius.
double Glow(double x, double y, double cx, double cy, double radius) {
    const double d = std::hypot(x - cx, y - cy) / radius;
    if (d >= 1.0) {
        return 0.0;
    }
    const double f = 1.0 - d * d;
    return f * f;
}

Rgb HeaderPixel(double x, double y) {
    Rgb c = Lerp(ToRgb(HeaderLeft), ToRgb(HeaderRight), x / (BackgroundWidth - 1));
    // A faint sheen along the top edge gives the band some depth.
    c = Lerp(c, ToRgb(QColor(40, 52, 110)), 0.35 * std::exp(-y / 5.0));
    // A halo behind the banner's chip glyph, and a quieter one behind the frame on the right.
    c = Lerp(c, ToRgb(Cyan), 0.16 * Glow(x, y, 40, 29, 62));
    c = Lerp(c, ToRgb(Violet), 0.12 * Glow(x, y, 318, 28, 80));
    return c;
}

Rgb BodyPixel(double x, double y) {
    const double t =
        std::clamp(0.55 * x / (BackgroundWidth - 1) + 0.45 * (y - HeaderBottom) / 232.0, 0.0, 1.0);
    Rgb c = t < 0.5 ? Lerp(ToRgb(Indigo), ToRgb(Midnight), t * 2.0)
                    : Lerp(ToRgb(Midnight), ToRgb(Teal), (t - 0.5) * 2.0);
    c = Lerp(c, ToRgb(Violet), 0.13 * Glow(x, y, 20, 150, 190));
    c = Lerp(c, ToRgb(Cyan), 0.10 * Glow(x, y, 372, 290, 200));
    // A gentle darkening just under the header so the band seems to cast a shadow.
    c = Lerp(c, Rgb{}, 0.35 * std::exp(-(y - HeaderBottom) / 4.0));
    return c;
}

Rgb StripPixel(double y) {
    return Lerp(ToRgb(PanelTop), ToRgb(PanelBottom), std::clamp((y - LightStripTop) / 60.0, 0.0, 1.0));
}

// The smooth base layer, computed per pixel in floating point and dithered, so the long dark gradients
// show no bands even after JPEG compression.
QImage BaseLayer() {
    QImage image(BackgroundWidth, BackgroundHeight, QImage::Format_RGB32);
    for (int y = 0; y < BackgroundHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < BackgroundWidth; ++x) {
            Rgb c;
            double grain = 0;
            if (y <= HeaderBottom) {
                c = HeaderPixel(x, y);
                grain = 1.6;
            } else if (y < LightStripTop) {
                c = BodyPixel(x, y);
                grain = 2.2;
            } else {
                c = StripPixel(y);
                grain = 1.0;
            }
            const double n = Grain(x, y, 1) * grain;
            row[x] = qRgb(Channel(c.r + n), Channel(c.g + n), Channel(c.b + n * 1.2));
        }
    }
    return image;
}

// The thin glowing line under the header, brightest behind the banner and fading out at both ends.
void DrawHeaderEdge(QPainter& p) {
    QLinearGradient line(0, 0, BackgroundWidth, 0);
    line.setColorAt(0.0, QColor(56, 214, 245, 40));
    line.setColorAt(0.2, QColor(56, 214, 245, 200));
    line.setColorAt(0.75, QColor(129, 108, 248, 170));
    line.setColorAt(1.0, QColor(129, 108, 248, 40));
    p.fillRect(QRect(0, HeaderBottom, BackgroundWidth, 1), line);
    QLinearGradient glow(0, 0, BackgroundWidth, 0);
    glow.setColorAt(0.0, QColor(56, 214, 245, 0));
    glow.setColorAt(0.25, QColor(56, 214, 245, 40));
    glow.setColorAt(0.75, QColor(129, 108, 248, 30));
    glow.setColorAt(1.0, QColor(129, 108, 248, 0));
    p.fillRect(QRect(0, HeaderBottom + 1, BackgroundWidth, 1), glow);
    p.fillRect(QRect(0, HeaderBottom - 1, BackgroundWidth, 1), QColor(0, 0, 0, 70));
}

// A translucent rounded panel with a hairline rim that is lighter at the top, like frosted glass.
void GlassPanel(QPainter& p, const QRectF& r, double radius, int fillAlpha,
                const QColor& fillTint = Qt::white) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    QColor fill = fillTint;
    fill.setAlpha(fillAlpha);
    p.fillPath(path, fill);
    QLinearGradient rim(r.topLeft(), r.bottomLeft());
    rim.setColorAt(0.0, QColor(255, 255, 255, 60));
    rim.setColorAt(1.0, QColor(255, 255, 255, 14));
    p.setPen(QPen(QBrush(rim), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// The three statistics values are white boxes stacked at 134, 58 / 76 / 94 (97 x 17); a dark rim and
// soft shadow seat the column in the window.
void DrawStatisticsWell(QPainter& p) {
    const QRect column(133, 57, 99, 55);
    for (int i = 3; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 20, 22));
        p.drawRoundedRect(QRectF(column).adjusted(-i, -i + 1, i, i + 1), 2 + i, 2 + i);
    }
    p.fillRect(column, QColor(10, 14, 40));
    p.fillRect(column.adjusted(1, 1, -1, -1), QColor(255, 255, 255));
}

// A faint memory module in the empty right half of the statistics group: it says what the program is
// about without putting any detail behind text.
void DrawModuleWatermark(QPainter& p) {
    const QRectF board(246.5, 64.5, 108, 34);
    QColor line(200, 235, 255, 46);
    QPainterPath outline;
    outline.addRoundedRect(board, 3, 3);
    p.fillPath(outline, QColor(200, 235, 255, 10));
    p.setPen(QPen(line, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    for (int i = 0; i < 4; ++i) {
        const QRectF chip(252.5 + i * 25, 70.5, 20, 15);
        p.setPen(QPen(QColor(200, 235, 255, 36), 1.0));
        p.setBrush(QColor(200, 235, 255, 22));
        p.drawRoundedRect(chip, 1.5, 1.5);
    }
    // The contact fingers along the lower edge, with the key notch left of centre.
    p.setPen(Qt::NoPen);
    for (int x = 250; x < 352; x += 3) {
        if (x >= 287 && x < 293) {
            continue;
        }
        p.fillRect(QRect(x, 92, 2, 5), QColor(120, 220, 245, 40));
    }
    // Two dim status lights.
    p.setBrush(QColor(56, 214, 245, 70));
    p.drawEllipse(QPointF(250.5 + 100, 75.5), 1.6, 1.6);
    p.setBrush(QColor(129, 108, 248, 70));
    p.drawEllipse(QPointF(250.5 + 100, 81.5), 1.6, 1.6);
}

// Section markers beside the two headings: short bars in the accent colours.
void DrawHeadingMarks(QPainter& p) {
    for (int top : {121, 195}) {
        QLinearGradient bar(0, top, 0, top + 11);
        bar.setColorAt(0.0, Cyan);
        bar.setColorAt(1.0, Violet);
        QPainterPath path;
        path.addRoundedRect(QRectF(5, top, 3, 11), 1.5, 1.5);
        p.fillPath(path, bar);
    }
}

// The bottom strip: a hairline highlight at its top edge, so it reads as a raised light panel.
void DrawStripEdge(QPainter& p) {
    p.fillRect(QRect(0, LightStripTop, BackgroundWidth, 1), QColor(255, 255, 255));
    p.fillRect(QRect(0, LightStripTop - 2, BackgroundWidth, 2), QColor(8, 24, 56));
}

} // namespace

QImage DrawBackground() {
    QImage image = BaseLayer();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawHeaderEdge(p);
    DrawStatisticsWell(p);
    DrawModuleWatermark(p);
    DrawHeadingMarks(p);
    // The level description sits on a quiet glass card; the countdown in a darker readout.
    GlassPanel(p, QRectF(130.5, 121.5, 234, 63), 6, 12);
    GlassPanel(p, QRectF(239.5, 199.5, 122, 45), 6, 90, QColor(4, 10, 30));
    DrawStripEdge(p);
    p.end();
    return image;
}

} // namespace kelvo::assets
