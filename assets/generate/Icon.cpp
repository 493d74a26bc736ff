#include "Icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Theme.h"

namespace kelvo::assets {

namespace {

// Where the parts of the icon fall at one size; every edge that should be sharp sits on a whole pixel.
struct IconGeometry {
    int size;
    double inset;
    double radius;
    QRect chip; // the chip's body; empty at 16 pixels, where the "K" stands alone
    int pins;   // pins on each side of the chip
    int pinLength;
    int pinHeight;
    QRect letter; // the box of the "K"
    int stroke;   // the width of its stem and of its arms
};

constexpr IconGeometry Geometries[] = {
    {16, 0.0, 3.5, QRect(), 0, 0, 0, QRect(4, 3, 9, 10), 3},
    {32, 1.0, 6.5, QRect(8, 8, 16, 16), 3, 3, 2, QRect(11, 11, 10, 10), 3},
    {48, 2.0, 9.0, QRect(12, 12, 24, 24), 4, 5, 3, QRect(16, 16, 16, 16), 4},
};

void DrawTile(QPainter& p, const IconGeometry& g) {
    const QRectF tile(g.inset, g.inset, g.size - 2 * g.inset, g.size - 2 * g.inset);
    QPainterPath path;
    path.addRoundedRect(tile, g.radius, g.radius);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0.0, QColor(86, 72, 232));
    fill.setColorAt(0.5, QColor(37, 99, 235));
    fill.setColorAt(1.0, QColor(12, 150, 170));
    p.fillPath(path, fill);
    // A soft sheen over the upper half, and a dark hairline rim so the tile stands out on light panels.
    QLinearGradient sheen(tile.topLeft(), QPointF(tile.left(), tile.center().y()));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillPath(path, sheen);
    QPainterPath rim;
    rim.addRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), g.radius - 0.5, g.radius - 0.5);
    p.setPen(QPen(QColor(10, 14, 60, 150), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rim);
}

void DrawChip(QPainter& p, const IconGeometry& g) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 244, 255));
    const int pitch = g.chip.height() / g.pins;
    for (int i = 0; i < g.pins; ++i) {
        const int y = g.chip.top() + pitch * i + (pitch - g.pinHeight) / 2;
        p.drawRect(QRect(g.chip.left() - g.pinLength, y, g.pinLength, g.pinHeight));
        p.drawRect(QRect(g.chip.right() + 1, y, g.pinLength, g.pinHeight));
    }
    QPainterPath body;
    body.addRoundedRect(QRectF(g.chip), g.size / 16.0, g.size / 16.0);
    p.fillPath(body, Qt::white);
}

// The "K": a straight stem and two arms, each stroked with flat ends and clipped to the letter's box,
// so the top and bottom of every stroke fall exactly on the box's pixel rows.
void DrawLetter(QPainter& p, const IconGeometry& g, const QColor& colour) {
    const QRectF box(g.letter);
    const double s = g.stroke;
    p.save();
    p.setClipRect(box);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(box.left(), box.top(), s, box.height()));
    const double half = s * 0.5;
    const QPointF joint(box.left() + s, box.top() + box.height() * 0.6);
    p.setPen(QPen(colour, s * 1.05, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(joint, QPointF(box.right() - half * 0.9, box.top() - 1.0));
    p.drawLine(QPointF(box.left() + s + half * 0.2, box.top() + box.height() * 0.42),
               QPointF(box.right() - half * 0.8, box.bottom() + 1.0));
    p.restore();
}

} // namespace

QImage DrawIcon(int size) {
    for (const IconGeometry& g : Geometries) {
        if (g.size != size) {
            continue;
        }
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        DrawTile(p, g);
        if (g.chip.isEmpty()) {
            DrawLetter(p, g, Qt::white);
        } else {
            DrawChip(p, g);
            DrawLetter(p, g, QColor(40, 46, 150));
        }
        p.end();
        return icon.convertToFormat(QImage::Format_ARGB32);
    }
    return {};
}

} // namespace kelvo::assets
