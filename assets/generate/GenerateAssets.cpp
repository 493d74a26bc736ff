// Draws Kelvo's images: the main window's background, banner and header picture, the program icon in
// three sizes and the state images of the option and check controls. Usage: GenerateAssets OUTPUT_FOLDER
#include <cmath>
#include <cstdio>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor Ink(0x0f, 0x1c, 0x36);
const QColor Indigo(0x1b, 0x2a, 0x55);
const QColor Teal(0x11, 0x4e, 0x63);
const QColor Cyan(0x38, 0xc6, 0xf4);
const QColor Mint(0x4c, 0xe0, 0xb3);
const QColor Accent(0x1e, 0x7c, 0xe0);

QImage Canvas(int width, int height, bool transparent) {
    QImage image(width, height, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::black);
    return image;
}

bool Save(const QImage& image, const QString& folder, const QString& name, int quality = -1) {
    const QString path = folder + QLatin1Char('/') + name;
    if (!image.save(path, nullptr, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A memory chip: a rounded body with pins on its two long sides and a small notch.
void DrawChip(QPainter& p, const QRectF& body, const QColor& colour, int pinsPerSide, double pinLength) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double pitch = body.height() / pinsPerSide;
    const double pinWidth = std::max(1.0, pitch * 0.45);
    for (int i = 0; i < pinsPerSide; ++i) {
        const double y = body.top() + pitch * (i + 0.5) - pinWidth / 2;
        p.drawRect(QRectF(body.left() - pinLength, y, pinLength, pinWidth));
        p.drawRect(QRectF(body.right(), y, pinLength, pinWidth));
    }
    p.drawRoundedRect(body, body.width() * 0.12, body.width() * 0.12);
}

QImage Background() {
    QImage image = Canvas(372, 373, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 290);
    sky.setColorAt(0, Ink);
    sky.setColorAt(0.45, Indigo);
    sky.setColorAt(1, Teal);
    p.fillRect(image.rect(), sky);
    // Soft light in the upper right and lower left, far from the captions.
    for (const auto& [centre, radius, colour] :
         {std::tuple{QPointF(340, 20), 170.0, QColor(0x38, 0xc6, 0xf4, 60)},
          std::tuple{QPointF(20, 300), 190.0, QColor(0x4c, 0xe0, 0xb3, 38)}}) {
        QRadialGradient glow(centre, radius);
        glow.setColorAt(0, colour);
        glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
        p.fillRect(image.rect(), glow);
    }
    // A faint diagonal texture.
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (int x = -373; x < 372; x += 6) {
        p.drawLine(QPointF(x, 373), QPointF(x + 373, 0));
    }
    // The header band.
    QLinearGradient header(0, 0, 0, 56);
    header.setColorAt(0, QColor(0x0a, 0x13, 0x26, 200));
    header.setColorAt(1, QColor(0x0a, 0x13, 0x26, 90));
    p.fillRect(QRect(0, 0, 372, 56), header);
    // The light panel at the bottom, where the links and the button sit.
    QLinearGradient panel(0, 288, 0, 373);
    panel.setColorAt(0, QColor(0xf1, 0xf4, 0xf8));
    panel.setColorAt(1, QColor(0xdd, 0xe4, 0xed));
    p.fillRect(QRect(0, 288, 372, 85), panel);
    p.fillRect(QRect(0, 288, 372, 1), QColor(0xff, 0xff, 0xff));
    return image;
}

QImage Banner() {
    QImage image = Canvas(229, 49, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 229, 49);
    fill.setColorAt(0, QColor(0x12, 0x24, 0x48));
    fill.setColorAt(1, QColor(0x0c, 0x17, 0x30));
    p.fillRect(image.rect(), fill);
    p.setPen(QPen(QColor(0x38, 0xc6, 0xf4, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, 228, 48), 6, 6);
    // The chip glyph with a rising bar inside.
    DrawChip(p, QRectF(14, 11, 22, 27), Cyan, 4, 4);
    p.setBrush(QColor(0x0c, 0x17, 0x30));
    p.drawRoundedRect(QRectF(18, 15, 14, 19), 2, 2);
    QLinearGradient bars(0, 34, 0, 17);
    bars.setColorAt(0, Mint);
    bars.setColorAt(1, Cyan);
    p.setBrush(bars);
    p.drawRect(QRectF(20, 26, 3, 6));
    p.drawRect(QRectF(23.5, 22, 3, 10));
    p.drawRect(QRectF(27, 18, 3, 14));
    // The word mark.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QPointF(48, 29), QStringLiteral("Kelvo"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(small);
    p.setPen(QColor(0x9f, 0xdc, 0xf5));
    p.drawText(QPointF(49, 41), QStringLiteral("MEMORY OPTIMIZER"));
    // A thin accent under the version, which the window writes at 166..195, 12..36.
    p.fillRect(QRectF(166, 38, 29, 2), Mint);
    return image;
}

QImage HeaderFrame() {
    QImage image = Canvas(106, 50, false);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 50);
    fill.setColorAt(0, QColor(0x14, 0x28, 0x50));
    fill.setColorAt(1, QColor(0x0b, 0x16, 0x2e));
    p.fillRect(image.rect(), fill);
    // A gauge: a half ring from green to cyan and a needle.
    const QRectF ring(23, 8, 60, 60);
    p.setPen(QPen(QColor(255, 255, 255, 40), 7, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 0, 180 * 16);
    QConicalGradient sweep(ring.center(), 180);
    sweep.setColorAt(0, Mint);
    sweep.setColorAt(0.5, Cyan);
    p.setPen(QPen(QBrush(sweep), 7, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 50 * 16, 130 * 16);
    const double angle = 50.0 * M_PI / 180.0;
    const QPointF centre = ring.center();
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::cos(angle) * 24, -std::sin(angle) * 24));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 3.5, 3.5);
    return image;
}

QImage Icon(int size) {
    QImage image = Canvas(size, size, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient fill(0, 0, s, s);
    fill.setColorAt(0, QColor(0x1e, 0x7c, 0xe0));
    fill.setColorAt(1, QColor(0x0f, 0xa6, 0x9a));
    p.setPen(size >= 32 ? QPen(QColor(0x0b, 0x3a, 0x70), s / 32) : Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.22, s * 0.22);
    // A white chip with a dark face and a rising bar.
    const int pins = size >= 32 ? 4 : 2;
    const QRectF body(s * 0.3, s * 0.22, s * 0.4, s * 0.56);
    DrawChip(p, body, Qt::white, pins, s * 0.1);
    if (size >= 32) {
        p.setBrush(QColor(0x0b, 0x3a, 0x70));
        p.drawRoundedRect(body.adjusted(s * 0.07, s * 0.07, -s * 0.07, -s * 0.07), s * 0.03, s * 0.03);
        p.setBrush(Mint);
        const QRectF face = body.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1);
        const double w = face.width() / 3;
        for (int i = 0; i < 3; ++i) {
            const double h = face.height() * (0.4 + 0.3 * i);
            p.drawRect(QRectF(face.left() + i * w + w * 0.15, face.bottom() - h, w * 0.7, h));
        }
    } else {
        p.setBrush(QColor(0x0b, 0x3a, 0x70));
        p.drawRect(QRectF(7, 6, 2, 4));
    }
    return image;
}

// The round option image, 14 x 15, and the square check image, 15 x 16.
QImage StateImage(bool round, bool set) {
    QImage image = round ? Canvas(14, 15, true) : Canvas(15, 16, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = round ? QRectF(1, 1.5, 12, 12) : QRectF(1.5, 2, 12, 12);
    QLinearGradient face(0, box.top(), 0, box.bottom());
    face.setColorAt(0, QColor(0xff, 0xff, 0xff));
    face.setColorAt(1, QColor(0xdc, 0xe6, 0xf2));
    p.setPen(QPen(set ? Accent : QColor(0x8a, 0x9b, 0xb4), 1.2));
    p.setBrush(face);
    if (round) {
        p.drawEllipse(box);
    } else {
        p.drawRoundedRect(box, 2.5, 2.5);
    }
    if (set) {
        p.setPen(Qt::NoPen);
        p.setBrush(Accent);
        if (round) {
            p.drawEllipse(box.center(), 3.2, 3.2);
        } else {
            QPainterPath tick;
            tick.moveTo(box.left() + 2.6, box.top() + 6.4);
            tick.lineTo(box.left() + 5.2, box.top() + 9.2);
            tick.lineTo(box.left() + 9.6, box.top() + 3.0);
            p.setPen(QPen(Accent, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: GenerateAssets OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = Save(Background(), out, QStringLiteral("background.jpg"), 92);
    ok = Save(Banner(), out, QStringLiteral("banner.jpg"), 95) && ok;
    ok = Save(HeaderFrame(), out, QStringLiteral("frame.png")) && ok;
    for (int size : {16, 32, 48}) {
        ok = Save(Icon(size), out, QStringLiteral("icon%1.png").arg(size)) && ok;
    }
    ok = Save(StateImage(true, false), out, QStringLiteral("option_cleared.png")) && ok;
    ok = Save(StateImage(true, true), out, QStringLiteral("option_set.png")) && ok;
    ok = Save(StateImage(false, false), out, QStringLiteral("check_cleared.png")) && ok;
    ok = Save(StateImage(false, true), out, QStringLiteral("check_ticked.png")) && ok;
    return ok ? 0 : 1;
}
