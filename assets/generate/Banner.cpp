#include "Banner.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

#include "Theme.h"

namespace kelvo::assets {

namespace {

constexpr QPoint BannerOrigin{14, 4};
constexpr QSize BannerSize{229, 49};
constexpr QSize FrameSize{106, 50};

QPointF OnArc(const QPointF& centre, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

// A memory chip with a gauge on its face: four pins on either side, a rounded body in the accent
// gradient, and a white arc with its needle well past the middle.
void DrawChipGlyph(QPainter& p, const QRectF& body) {
    const double pinLength = 4.0;
    const double pitch = body.height() / 4.0;
    QLinearGradient metal(0, body.top(), 0, body.bottom());
    metal.setColorAt(0.0, QColor(226, 236, 250));
    metal.setColorAt(1.0, QColor(150, 170, 205));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    for (int i = 0; i < 4; ++i) {
        const double y = body.top() + pitch * (i + 0.5) - 1.5;
        p.drawRoundedRect(QRectF(body.left() - pinLength - 0.5, y, pinLength + 2, 3), 1, 1);
        p.drawRoundedRect(QRectF(body.right() - 1.5, y, pinLength + 2, 3), 1, 1);
    }

    QPainterPath outline;
    outline.addRoundedRect(body, 5, 5);
    QLinearGradient face(body.topLeft(), body.bottomRight());
    face.setColorAt(0.0, Cyan);
    face.setColorAt(0.55, Accent);
    face.setColorAt(1.0, Violet);
    p.fillPath(outline, face);
    // A lighter inner rim along the top and a darker outer rim give the body a little relief.
    QLinearGradient rim(body.topLeft(), body.bottomLeft());
    rim.setColorAt(0.0, QColor(255, 255, 255, 150));
    rim.setColorAt(0.5, QColor(255, 255, 255, 20));
    rim.setColorAt(1.0, QColor(0, 0, 40, 90));
    p.setPen(QPen(QBrush(rim), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);

    const QPointF centre(body.center().x(), body.center().y() + body.height() * 0.14);
    const double radius = body.width() * 0.31;
    p.setPen(QPen(QColor(255, 255, 255, 110), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2), 0, 180 * 16);
    p.setPen(QPen(QColor(255, 255, 255), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2), 60 * 16, 120 * 16);
    p.setPen(QPen(QColor(255, 255, 255), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, OnArc(centre, radius * 0.8, 62));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 2.2, 2.2);
}

void DrawWordmark(QPainter& p) {
    QFont font = SansFont(30, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.6);
    QPainterPath word;
    word.addText(QPointF(53, 31), font, QStringLiteral("Kelvo"));
    p.setPen(Qt::NoPen);
    p.fillPath(word.translated(0, 1.2), QColor(0, 0, 20, 110));
    QLinearGradient fill(0, 9, 0, 31);
    fill.setColorAt(0.0, QColor(255, 255, 255));
    fill.setColorAt(1.0, QColor(182, 232, 255));
    p.fillPath(word, fill);

    QFont small = SansFont(8, QFont::DemiBold);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.3);
    p.setFont(small);
    p.setPen(QColor(140, 220, 250, 220));
    p.drawText(QPointF(55, 43), QStringLiteral("MEMORY OPTIMIZER"));
}

// The window writes a bold white "2.0" in a label at x 166..195, y 12..36 of the banner; in the window's
// narrow bold face the digits cover about x 166..187, y 15..29. A deep badge centred on them keeps the
// text readable and makes it look intended.
void DrawVersionBadge(QPainter& p) {
    const QRectF badge(158.5, 10.5, 36, 23);
    QPainterPath path;
    path.addRoundedRect(badge, 11.5, 11.5);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0.0, QColor(40, 70, 170));
    fill.setColorAt(1.0, QColor(26, 36, 110));
    p.fillPath(path, fill);
    QLinearGradient rim(badge.topLeft(), badge.bottomRight());
    rim.setColorAt(0.0, QColor(56, 214, 245, 200));
    rim.setColorAt(1.0, QColor(129, 108, 248, 160));
    p.setPen(QPen(QBrush(rim), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

} // namespace

QImage DrawBanner(const QImage& background) {
    QImage banner = background.copy(QRect(BannerOrigin, BannerSize)).convertToFormat(QImage::Format_RGB32);
    QPainter p(&banner);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawChipGlyph(p, QRectF(11.5, 10.5, 29, 29));
    DrawWordmark(p);
    DrawVersionBadge(p);
    p.end();
    return banner;
}

QImage DrawFrame() {
    QImage frame(FrameSize, QImage::Format_RGB32);
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, FrameSize.height());
    back.setColorAt(0.0, QColor(20, 26, 70));
    back.setColorAt(1.0, QColor(10, 42, 74));
    p.fillRect(frame.rect(), back);

    // The frame draws a two-pixel bump border over the picture: the motif keeps to the part it leaves
    // open (columns 2 to 104, rows 2 to 48 of a 107 x 51 frame) and is centred there.
    const QPointF centre(53, 40);
    QRadialGradient glow(centre, 40);
    glow.setColorAt(0.0, QColor(56, 214, 245, 70));
    glow.setColorAt(1.0, QColor(56, 214, 245, 0));
    p.fillRect(frame.rect(), glow);

    // Twelve segments over half a turn; the first eight are lit, from cyan through violet to rose.
    constexpr int segments = 12;
    constexpr int lit = 8;
    const double outer = 28;
    const double inner = 21;
    for (int i = 0; i < segments; ++i) {
        const double from = 180.0 - i * 15.0 - 1.5;
        const double to = from - 12.0;
        QPainterPath seg;
        seg.moveTo(OnArc(centre, outer, from));
        seg.arcTo(QRectF(centre.x() - outer, centre.y() - outer, outer * 2, outer * 2), from, to - from);
        seg.lineTo(OnArc(centre, inner, to));
        seg.arcTo(QRectF(centre.x() - inner, centre.y() - inner, inner * 2, inner * 2), to, from - to);
        seg.closeSubpath();
        const double t = i / double(segments - 1);
        const QColor on =
            t < 0.5 ? Mix(Cyan, Violet, t * 2.0) : Mix(Violet, QColor(244, 114, 182), t * 2.0 - 1.0);
        p.fillPath(seg, i < lit ? on : QColor(255, 255, 255, 34));
    }
    const double needleAngle = 180.0 - 180.0 * (lit - 0.5) / segments;
    p.setPen(QPen(QColor(255, 255, 255), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, OnArc(centre, inner - 3, needleAngle));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 3.5, 3.5);
    p.setBrush(Accent);
    p.drawEllipse(centre, 1.6, 1.6);

    // Usage bars either side of the gauge, like a module's activity lights.
    const int heights[] = {8, 14, 11, 17};
    for (int i = 0; i < 4; ++i) {
        const QColor bar = Mix(Cyan, Violet, i / 3.0);
        p.setBrush(QColor(bar.red(), bar.green(), bar.blue(), 150));
        p.drawRoundedRect(QRectF(8 + i * 4, 41 - heights[i], 2.5, heights[i]), 1, 1);
        p.drawRoundedRect(QRectF(86 + i * 4, 41 - heights[3 - i], 2.5, heights[3 - i]), 1, 1);
    }

    // A dark rim just inside the border makes the picture read as a display set into the bezel.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(4, 8, 24, 150));
    p.drawRect(QRect(2, 2, 102, 46));
    p.end();
    return frame;
}

} // namespace kelvo::assets
