#include <QDir>
#include <QPainter>
#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/ButtonBackground.h"
#include "platform/host/FontObject.h"
#include "platform/host/FontSubstitution.h"
#include "tests/platform/gdi/GuardedTest.h"

// Draws every button style in each colour scheme and look into one picture for review, and the main
// window's "Free RAM Now" button at its real size. The picture goes to galleries/button.png in the
// build folder.
using namespace kelvo;
using namespace kelvo::controls::button;
using namespace kelvo::controls::button::test;

namespace {

constexpr int CellW = 112;
constexpr int CellH = 40;
constexpr int LabelW = 28;
constexpr int HeaderH = 18;
constexpr int Styles = 16; // 0 to 14 and one out of range
const QStringList LookNames{"up", "hovered", "down", "disabled", "focused"};

struct LookCase {
    bool hovering = false;
    std::uint8_t state = StateUp;
    bool enabled = true;
    bool focused = false;
};
const std::array<LookCase, 5> Looks{
    {{}, {true}, {true, StateDown}, {false, StateUp, false}, {false, StateUp, true, true}}};

QFont CaptionFont(bool bold) {
    return host::FontObject(QStringLiteral("MS Sans Serif"), 8.25f, bold).ToQFont(host::FontSubstitution());
}

// The button painted on its own surface, then laid on the gallery through its window shape.
QImage PaintOne(ButtonLook look, const LookCase& lookCase, const gdi::SysColours& colours) {
    look.Hovering = lookCase.hovering;
    look.Enabled = lookCase.enabled;
    look.HasFocus = lookCase.focused;
    look.IsDefault = lookCase.focused;
    look.FocusRect = FocusRectFor(look.ButtonType, look.Width, look.Height);
    ButtonSurface surface(look, colours);
    surface.Paint(look, lookCase.state);
    return surface.image;
}

void Place(QPainter& painter, const QImage& button, const ButtonLook& look, QPoint at) {
    const gdi::Region shape = BuildRegion(look.ButtonType, look.Width, look.Height);
    painter.save();
    painter.setClipRegion(shape.Get()->region.translated(at));
    painter.drawImage(at, button);
    painter.restore();
}

// Diagonal stripes standing for the window behind a style 11 button.
QImage ParentPicture(QSize size) {
    QImage parent(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            parent.setPixel(x, y, ((x + y) / 6) % 2 == 0 ? qRgb(0xB8, 0xD8, 0xF0) : qRgb(0xE8, 0xF0, 0xF8));
        }
    }
    return parent;
}

ButtonLook SchemeLook(std::int32_t scheme) {
    ButtonLook look;
    look.ColorScheme = scheme;
    look.Width = 100;
    look.Height = 32;
    look.Caption = QStringLiteral("&Button");
    look.Font = CaptionFont(false);
    look.PictureNormal.image = SamplePicture();
    look.PicW = 16;
    look.PicH = 16;
    look.SurfaceBackColor = gdi::Colour(0xE0E0E0);
    if (scheme == SchemeCustom) {
        look.BackColor = gdi::Colour(0xF0D8B8);
        look.BackOver = gdi::Colour(0xC8F0FF);
        look.ForeColor = gdi::Colour(0x602000);
        look.ForeOver = gdi::Colour(0x0000A0);
    }
    look.ParentBackColor = gdi::Colour(0xE0E0E0);
    look.ParentTextColor = gdi::Colour(0x400000);
    return look;
}

void DrawSchemeBlock(QPainter& painter, QPoint origin, std::int32_t scheme, const gdi::SysColours& colours) {
    painter.drawText(origin + QPoint(0, 12), QStringLiteral("scheme %1").arg(scheme));
    for (int column = 0; column < LookNames.size(); ++column) {
        painter.drawText(origin + QPoint(LabelW + column * CellW + 30, 12), LookNames[column]);
    }
    const QImage parent = ParentPicture(QSize(100, 32));
    QImage parentCopy = parent;
    gdi::DeviceContext parentDc(parentCopy, colours);
    for (int style = 0; style < Styles; ++style) {
        ButtonLook look = SchemeLook(scheme);
        look.ButtonType = style;
        BackBuffer back;
        ButtonSurface model(look, colours);
        back.Create(model.dc, look.Width, look.Height);
        back.Capture(parentDc, QPoint(0, 0));
        look.BackDC = back.Dc();
        const QPoint row = origin + QPoint(0, HeaderH + style * CellH);
        painter.drawText(row + QPoint(2, 20), QString::number(style));
        for (std::size_t column = 0; column < Looks.size(); ++column) {
            const QImage button = PaintOne(look, Looks[column], colours);
            Place(painter, button, look, row + QPoint(LabelW + static_cast<int>(column) * CellW, 0));
        }
    }
}

} // namespace

class TestButtonPaintGallery : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void gallery() {
        const gdi::SysColours classic = gdi::SysColours::Classic();
        const gdi::SysColours desktop = gdi::SysColours::FromPalette(QGuiApplication::palette());
        const int blockW = LabelW + CellW * static_cast<int>(Looks.size());
        const int blockH = HeaderH + CellH * Styles;
        const int topH = 90;
        QImage gallery(2 * blockW + 20, topH + 2 * blockH + 20, QImage::Format_RGB32);
        gallery.fill(qRgb(0xE0, 0xE0, 0xE0));
        QPainter painter(&gallery);
        QFont labels(QStringLiteral("DejaVu Sans"));
        labels.setPixelSize(10);
        painter.setFont(labels);

        // The main window's button: style 14, system colours, bold 8.25 pt, 123 x 25, as default.
        ButtonLook main;
        main.ButtonType = 14;
        main.Width = 123;
        main.Height = 25;
        main.Caption = QStringLiteral("Free RAM Now");
        main.Font = CaptionFont(true);
        main.SurfaceBackColor = gdi::Colour(0xE0E0E0);
        QImage up;
        QImage focused;
        for (int set = 0; set < 2; ++set) {
            const gdi::SysColours& colours = set == 0 ? classic : desktop;
            const int y = 4 + set * 42;
            painter.drawText(QPoint(4, y + 28),
                             set == 0 ? QStringLiteral("classic") : QStringLiteral("desktop"));
            for (std::size_t column = 0; column < Looks.size(); ++column) {
                const QImage button = PaintOne(main, Looks[column], colours);
                const QPoint at(60 + static_cast<int>(column) * 140, y + 14);
                painter.drawText(at + QPoint(0, -3), LookNames[static_cast<int>(column)]);
                Place(painter, button, main, at);
                if (set == 0 && column == 0) {
                    up = button;
                } else if (set == 0 && column == 4) {
                    focused = button;
                }
            }
        }
        for (std::int32_t scheme = 1; scheme <= 4; ++scheme) {
            const QPoint origin(((scheme - 1) % 2) * (blockW + 20),
                                topH + ((scheme - 1) / 2) * (blockH + 20));
            DrawSchemeBlock(painter, origin, scheme, classic);
        }
        painter.end();

        QVERIFY(QDir().mkpath(QStringLiteral(KELVO_GALLERY_DIR)));
        const QString path = QStringLiteral(KELVO_GALLERY_DIR "/button.png");
        QVERIFY(gallery.save(path));
        QCOMPARE(QImage(path).size(), gallery.size());

        // The caption shows dark text on the light gradient, and the focused default look differs.
        int dark = 0;
        for (int x = 30; x < 93; ++x) {
            dark += qGray(up.pixel(x, 12)) < 100 ? 1 : 0;
        }
        QVERIFY2(dark >= 5, qPrintable(QString::number(dark)));
        QVERIFY(up != focused);
    }
};

QTEST_MAIN(TestButtonPaintGallery)
#include "TestButtonPaintGallery.moc"
