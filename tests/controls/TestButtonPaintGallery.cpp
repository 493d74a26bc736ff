#include <QDir>
#include <QPainter>
#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/ButtonBackground.h"
#include "platform/host/FontObject.h"
#include "platform/host/FontSubstitution.h"
#include "tests/platform/gdi/GuardedTest.h"

// Draws the main window's "Free RAM Now" button at its real size, and every style in each colour
// scheme and look with a caption and a picture, into galleries/button.png in the build folder for
// review.
using namespace kelvo;
using namespace kelvo::controls::button;

namespace {

struct LookCase {
    const char* name;
    bool hovering;
    std::uint8_t state;
    bool enabled;
    bool focused; // with the focus and shown as the default button
};
const std::array<LookCase, 5> Looks{{{"up", false, StateUp, true, false},
                                     {"hovered", true, StateUp, true, false},
                                     {"down", true, StateDown, true, false},
                                     {"disabled", false, StateUp, false, false},
                                     {"focused", false, StateUp, true, true}}};

QFont CaptionFont(bool bold) {
    return host::FontObject(QStringLiteral("MS Sans Serif"), 8.25f, bold).ToQFont(host::FontSubstitution());
}

// Paints the button on its own surface and lays it on the gallery through its window shape.
// Where the paint left the context changed, it is added to changed.
QImage Place(QPainter& painter, ButtonLook look, const LookCase& lookCase, const gdi::SysColours& colours,
             QPoint at, QStringList& changed) {
    look.Hovering = lookCase.hovering;
    look.Enabled = lookCase.enabled;
    look.HasFocus = look.IsDefault = lookCase.focused;
    look.FocusRect = FocusRectFor(look.ButtonType, look.Width, look.Height);
    test::ButtonSurface surface(look, colours);
    // The context is left as found, but for where the last line ended.
    gdi::DrawingState before = surface.dc.State();
    surface.Paint(look, lookCase.state);
    const gdi::DrawingState after = surface.dc.State();
    before.currentX = after.currentX;
    before.currentY = after.currentY;
    if (!(before == after)) {
        changed.append(
            QStringLiteral("style %1 %2").arg(look.ButtonType).arg(QString::fromLatin1(lookCase.name)));
    }
    const gdi::Region shape = BuildRegion(look.ButtonType, look.Width, look.Height);
    painter.save();
    painter.setClipRegion(shape.Get()->region.translated(at));
    painter.drawImage(at, surface.image);
    painter.restore();
    return surface.image;
}

} // namespace

class TestButtonPaintGallery : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void gallery() {
        const gdi::SysColours classic = gdi::SysColours::Classic();
        constexpr int CellW = 112, CellH = 40, BlockW = 28 + 5 * CellW, BlockH = 18 + 16 * CellH, TopH = 90;
        QImage gallery(2 * BlockW + 20, TopH + 2 * BlockH + 20, QImage::Format_RGB32);
        gallery.fill(qRgb(0xE0, 0xE0, 0xE0));
        QPainter painter(&gallery);
        QFont labels(QStringLiteral("DejaVu Sans"));
        labels.setPixelSize(10);
        painter.setFont(labels);

        // The main window's button: style 14, scheme 1, bold 8.25 pt, 123 x 25, in the classic and in
        // the desktop's colours.
        ButtonLook main;
        main.ButtonType = 14;
        main.Width = 123;
        main.Height = 25;
        main.Caption = QStringLiteral("Free RAM Now");
        main.Font = CaptionFont(true);
        std::vector<QImage> mainLooks;
        QStringList changed;
        const std::array<gdi::SysColours, 2> sets{classic,
                                                  gdi::SysColours::FromPalette(QGuiApplication::palette())};
        for (std::size_t set = 0; set < sets.size(); ++set) {
            const int y = 4 + static_cast<int>(set) * 42;
            painter.drawText(QPoint(4, y + 28),
                             set == 0 ? QStringLiteral("classic") : QStringLiteral("desktop"));
            for (std::size_t column = 0; column < Looks.size(); ++column) {
                const QPoint at(60 + static_cast<int>(column) * 140, y + 14);
                painter.drawText(at - QPoint(0, 3), QString::fromLatin1(Looks[column].name));
                mainLooks.push_back(Place(painter, main, Looks[column], sets[set], at, changed));
            }
        }

        // Styles 0 to 14 and one unknown value; style 11 shows diagonal stripes standing for the window
        // behind it.
        QImage parent(100, 32, QImage::Format_RGB32);
        for (int i = 0; i < 100 * 32; ++i) {
            parent.setPixel(i % 100, i / 100,
                            (i % 100 + i / 100) / 6 % 2 == 0 ? qRgb(184, 216, 240) : qRgb(232, 240, 248));
        }
        gdi::DeviceContext parentDc(parent, classic);
        for (std::int32_t scheme = 1; scheme <= 4; ++scheme) {
            const QPoint origin(((scheme - 1) % 2) * (BlockW + 20),
                                TopH + ((scheme - 1) / 2) * (BlockH + 20));
            painter.drawText(origin + QPoint(0, 12), QStringLiteral("scheme %1").arg(scheme));
            for (std::size_t column = 0; column < Looks.size(); ++column) {
                painter.drawText(origin + QPoint(58 + static_cast<int>(column) * CellW, 12),
                                 QString::fromLatin1(Looks[column].name));
            }
            ButtonLook look;
            look.ColorScheme = scheme;
            look.Width = 100;
            look.Height = 32;
            look.Caption = QStringLiteral("&Button");
            look.Font = CaptionFont(false);
            look.PictureNormal.image = test::SamplePicture();
            look.PicW = look.PicH = 16;
            look.BackColor = gdi::Colour(0xF0D8B8); // scheme 2: pale blue, yellow while hovered
            look.BackOver = gdi::Colour(0xC8F0FF);
            look.ForeColor = gdi::Colour(0x602000);
            look.ForeOver = gdi::Colour(0x0000A0);
            look.ParentBackColor = gdi::Colour(0xE0E0E0); // scheme 4
            look.ParentTextColor = gdi::Colour(0x400000);
            for (int style = 0; style < 16; ++style) {
                look.ButtonType = style;
                test::ButtonSurface model(look, classic);
                BackBuffer back;
                back.Create(model.dc, look.Width, look.Height);
                back.Capture(parentDc, QPoint(0, 0));
                look.BackDC = back.Dc();
                const QPoint row = origin + QPoint(0, 18 + style * CellH);
                painter.drawText(row + QPoint(2, 20), QString::number(style));
                for (std::size_t column = 0; column < Looks.size(); ++column) {
                    Place(painter, look, Looks[column], classic,
                          row + QPoint(28 + static_cast<int>(column) * CellW, 0), changed);
                }
                look.BackDC = nullptr;
            }
        }
        painter.end();
        QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("context changed: ") + changed.join(u", ")));

        QVERIFY(QDir().mkpath(QStringLiteral(KELVO_GALLERY_DIR)));
        const QString path = QStringLiteral(KELVO_GALLERY_DIR "/button.png");
        QVERIFY(gallery.save(path));
        QCOMPARE(QImage(path).size(), gallery.size());
        // The main button's caption is dark text on the light gradient; each look differs from the others.
        int dark = 0;
        for (int x = 30; x < 93; ++x) {
            dark += qGray(mainLooks[0].pixel(x, 12)) < 100 ? 1 : 0;
        }
        QVERIFY2(dark >= 5, qPrintable(QString::number(dark)));
        // Buttons are laid through their shapes: the corner of the first style 13 button is the gallery's.
        QCOMPARE(gallery.pixel(28, TopH + 18 + 13 * CellH), qRgb(0xE0, 0xE0, 0xE0));
        for (std::size_t i = 1; i < Looks.size(); ++i) {
            QVERIFY(mainLooks[i] != mainLooks[0]);
        }
    }
};

QTEST_MAIN(TestButtonPaintGallery)
#include "TestButtonPaintGallery.moc"
