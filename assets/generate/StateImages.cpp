#include "StateImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Theme.h"

namespace kelvo::assets {

namespace {

// Rim of a cleared control: dark enough to edge the light face, light enough to show on the dark window.
const QColor Rim{104, 124, 180};

QLinearGradient FaceGradient(const QRectF& r) {
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0.0, QColor(255, 255, 255));
    face.setColorAt(1.0, QColor(214, 223, 238));
    return face;
}

QLinearGradient AccentGradient(const QRectF& r) {
    QLinearGradient accent(r.topLeft(), r.bottomLeft());
    accent.setColorAt(0.0, AccentLight);
    accent.setColorAt(1.0, Accent);
    return accent;
}

// The window's colour where the option and check controls stand, roughly: the middle of the dark body.
const QColor Matte{28, 47, 108};

// Keeps each pixel's coverage in its alpha but stores the colour it has over the window's dark body. A
// reader that honours alpha draws the same picture as before (the matte shows only faintly in the
// anti-aliased edge); a reader that drops alpha shows a smooth button on the matte colour, never black
// corners.
QImage OnMatte(const QImage& drawn) {
    QImage out(drawn.size(), QImage::Format_ARGB32);
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            // The drawing is premultiplied: colour over matte = colour + matte * (1 - alpha).
            const QRgb c = src[x];
            const double rest = 1.0 - qAlpha(c) / 255.0;
            dst[x] = qRgba(Channel(qRed(c) + Matte.red() * rest), Channel(qGreen(c) + Matte.green() * rest),
                           Channel(qBlue(c) + Matte.blue() * rest), qAlpha(c));
        }
    }
    return out;
}

QImage Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage DrawOption(bool set) {
    QImage image = Transparent(14, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The circle is 13 pixels across, centred on the image: rows 1 to 13, so its top and bottom are sharp.
    const QPointF centre(7.0, 7.5);
    const QRectF outer(centre.x() - 6.5, centre.y() - 6.5, 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(set ? QBrush(Accent) : QBrush(Rim));
    p.drawEllipse(outer);
    const QRectF face = outer.adjusted(1.1, 1.1, -1.1, -1.1);
    p.setBrush(FaceGradient(face));
    p.drawEllipse(face);
    if (set) {
        const QRectF dot(centre.x() - 3.2, centre.y() - 3.2, 6.4, 6.4);
        p.setBrush(AccentGradient(dot));
        p.drawEllipse(dot);
        // A small highlight on the dot keeps it from looking flat.
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QRectF(centre.x() - 1.6, centre.y() - 2.6, 2.2, 1.8));
    }
    p.end();
    return OnMatte(image);
}

QImage DrawCheck(bool ticked) {
    QImage image = Transparent(15, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A 13 x 13 box at (1, 1): its straight edges lie on whole pixels.
    const QRectF box(1, 1, 13, 13);
    QPainterPath outer;
    outer.addRoundedRect(box, 3, 3);
    QPainterPath inner;
    inner.addRoundedRect(box.adjusted(1, 1, -1, -1), 2, 2);
    if (ticked) {
        p.fillPath(outer, Accent);
        p.fillPath(inner, AccentGradient(box));
        QPainterPath tick;
        tick.moveTo(4.0, 7.6);
        tick.lineTo(6.4, 10.0);
        tick.lineTo(11.0, 4.6);
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.fillPath(outer, Rim);
        p.fillPath(inner, FaceGradient(box));
    }
    p.end();
    return OnMatte(image);
}

} // namespace kelvo::assets
