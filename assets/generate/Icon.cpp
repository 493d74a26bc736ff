#include "Icon.h"

#include <QColor>
#include <QLineF>
#include <QTextStream>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "Theme.h"

namespace kelvo::assets {

namespace {

// The icon's colours, shared by the pixel and the scalable drawings.
const QColor TileTop(86, 72, 232);
const QColor TileMiddle(37, 99, 235);
const QColor TileBottom(12, 150, 170);
const QColor RimColour(10, 14, 60, 150);
const QColor PinColour(236, 244, 255);
const QColor LetterOnChip(40, 46, 150);

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
    // The sizes of the desktop's menus and launchers: the 48-pixel design grown, with more pins as the chip
    // gets room for them.
    {64, 2.0, 12.0, QRect(16, 16, 32, 32), 4, 7, 4, QRect(21, 21, 22, 22), 5},
    {128, 4.0, 24.0, QRect(32, 32, 64, 64), 6, 14, 6, QRect(42, 42, 44, 44), 10},
    {256, 8.0, 48.0, QRect(64, 64, 128, 128), 8, 28, 9, QRect(84, 84, 88, 88), 20},
};

// The rim stays a hairline up to 64 pixels and grows with the larger sizes, where one pixel would vanish.
double RimWidth(const IconGeometry& g) {
    return g.size >= 128 ? g.size / 64.0 : 1.0;
}

void DrawTile(QPainter& p, const IconGeometry& g) {
    const QRectF tile(g.inset, g.inset, g.size - 2 * g.inset, g.size - 2 * g.inset);
    QPainterPath path;
    path.addRoundedRect(tile, g.radius, g.radius);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0.0, TileTop);
    fill.setColorAt(0.5, TileMiddle);
    fill.setColorAt(1.0, TileBottom);
    p.fillPath(path, fill);
    // A soft sheen over the upper half, and a dark hairline rim so the tile stands out on light panels.
    QLinearGradient sheen(tile.topLeft(), QPointF(tile.left(), tile.center().y()));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillPath(path, sheen);
    const double rimHalf = RimWidth(g) / 2;
    QPainterPath rim;
    rim.addRoundedRect(tile.adjusted(rimHalf, rimHalf, -rimHalf, -rimHalf), g.radius - rimHalf,
                       g.radius - rimHalf);
    p.setPen(QPen(RimColour, RimWidth(g)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rim);
}

void DrawChip(QPainter& p, const IconGeometry& g) {
    p.setPen(Qt::NoPen);
    p.setBrush(PinColour);
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
struct LetterShape {
    QRectF box;
    QRectF stem;
    QLineF upperArm;
    QLineF lowerArm;
    double armWidth;
};

LetterShape Letter(const IconGeometry& g) {
    const QRectF box(g.letter);
    const double s = g.stroke;
    const double half = s * 0.5;
    const QPointF joint(box.left() + s, box.top() + box.height() * 0.6);
    return {box, QRectF(box.left(), box.top(), s, box.height()),
            QLineF(joint, QPointF(box.right() - half * 0.9, box.top() - 1.0)),
            QLineF(QPointF(box.left() + s + half * 0.2, box.top() + box.height() * 0.42),
                   QPointF(box.right() - half * 0.8, box.bottom() + 1.0)),
            s * 1.05};
}

void DrawLetter(QPainter& p, const IconGeometry& g, const QColor& colour) {
    const LetterShape k = Letter(g);
    p.save();
    p.setClipRect(k.box);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(k.stem);
    p.setPen(QPen(colour, k.armWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(k.upperArm);
    p.drawLine(k.lowerArm);
    p.restore();
}

const IconGeometry* FindGeometry(int size) {
    for (const IconGeometry& g : Geometries) {
        if (g.size == size) {
            return &g;
        }
    }
    return nullptr;
}

// Numbers as the SVG file writes them: shortest form, never an exponent for the icon's coordinates.
QString N(double value) {
    return QString::number(value, 'g', 8);
}

QString Rgb(const QColor& c) {
    return c.name(QColor::HexRgb);
}

// An alpha of 0 to 255 as an SVG opacity, to three decimals.
QString Opacity(const QColor& c) {
    return N(std::round(c.alpha() * 1000.0 / 255.0) / 1000.0);
}

// One rectangle element on a line of its own, with rounded corners when the radius is not 0.
QString Rect(const QRectF& r, double radius, const QString& paint, int indent = 1) {
    const QString corners = radius > 0 ? QStringLiteral(" rx=\"%1\"").arg(N(radius)) : QString();
    return QStringLiteral("%1<rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"%6 %7/>\n")
        .arg(QString(indent, QLatin1Char(' ')), N(r.x()), N(r.y()), N(r.width()), N(r.height()), corners,
             paint);
}

} // namespace

QByteArray DrawScalableIcon() {
    const IconGeometry& g = *FindGeometry(256);
    const QRectF tile(g.inset, g.inset, g.size - 2 * g.inset, g.size - 2 * g.inset);
    const double rimHalf = RimWidth(g) / 2;
    const LetterShape k = Letter(g);
    const QColor sheenTop(255, 255, 255, 70);
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << g.size << "\" height=\"" << g.size
        << "\" viewBox=\"0 0 " << g.size << ' ' << g.size << "\">\n"
        << " <defs>\n"
        << "  <linearGradient id=\"tile\" gradientUnits=\"userSpaceOnUse\" x1=\"" << N(tile.left())
        << "\" y1=\"" << N(tile.top()) << "\" x2=\"" << N(tile.right()) << "\" y2=\"" << N(tile.bottom())
        << "\">\n"
        << "   <stop offset=\"0\" stop-color=\"" << Rgb(TileTop) << "\"/>\n"
        << "   <stop offset=\"0.5\" stop-color=\"" << Rgb(TileMiddle) << "\"/>\n"
        << "   <stop offset=\"1\" stop-color=\"" << Rgb(TileBottom) << "\"/>\n"
        << "  </linearGradient>\n"
        << "  <linearGradient id=\"sheen\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" << N(tile.top())
        << "\" x2=\"0\" y2=\"" << N(tile.center().y()) << "\">\n"
        << "   <stop offset=\"0\" stop-color=\"#ffffff\" stop-opacity=\"" << Opacity(sheenTop) << "\"/>\n"
        << "   <stop offset=\"1\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n"
        << "  </linearGradient>\n"
        << "  <clipPath id=\"letter\">\n"
        << Rect(k.box, 0, QString(), 3) << "  </clipPath>\n"
        << " </defs>\n"
        << Rect(tile, g.radius, QStringLiteral("fill=\"url(#tile)\""))
        << Rect(tile, g.radius, QStringLiteral("fill=\"url(#sheen)\""))
        << Rect(tile.adjusted(rimHalf, rimHalf, -rimHalf, -rimHalf), g.radius - rimHalf,
                QStringLiteral("fill=\"none\" stroke=\"%1\" stroke-opacity=\"%2\" stroke-width=\"%3\"")
                    .arg(Rgb(RimColour), Opacity(RimColour), N(RimWidth(g))));
    const int pitch = g.chip.height() / g.pins;
    const QString pinPaint = QStringLiteral("fill=\"%1\"").arg(Rgb(PinColour));
    for (int i = 0; i < g.pins; ++i) {
        const int y = g.chip.top() + pitch * i + (pitch - g.pinHeight) / 2;
        out << Rect(QRectF(g.chip.left() - g.pinLength, y, g.pinLength, g.pinHeight), 0, pinPaint)
            << Rect(QRectF(g.chip.right() + 1, y, g.pinLength, g.pinHeight), 0, pinPaint);
    }
    const QString letterColour = Rgb(LetterOnChip);
    out << Rect(QRectF(g.chip), g.size / 16.0, QStringLiteral("fill=\"#ffffff\""))
        << " <g clip-path=\"url(#letter)\">\n"
        << Rect(k.stem, 0, QStringLiteral("fill=\"%1\"").arg(letterColour), 2) << "  <path d=\"M"
        << N(k.upperArm.x1()) << ' ' << N(k.upperArm.y1()) << 'L' << N(k.upperArm.x2()) << ' '
        << N(k.upperArm.y2()) << 'M' << N(k.lowerArm.x1()) << ' ' << N(k.lowerArm.y1()) << 'L'
        << N(k.lowerArm.x2()) << ' ' << N(k.lowerArm.y2()) << "\" fill=\"none\" stroke=\"" << letterColour
        << "\" stroke-width=\"" << N(k.armWidth) << "\" stroke-linecap=\"butt\"/>\n"
        << " </g>\n"
        << "</svg>\n";
    out.flush();
    return svg.toUtf8();
}

QImage DrawIcon(int size) {
    const IconGeometry* found = FindGeometry(size);
    if (found == nullptr) {
        return {};
    }
    const IconGeometry& g = *found;
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    DrawTile(p, g);
    if (g.chip.isEmpty()) {
        DrawLetter(p, g, Qt::white);
    } else {
        DrawChip(p, g);
        DrawLetter(p, g, LetterOnChip);
    }
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace kelvo::assets
