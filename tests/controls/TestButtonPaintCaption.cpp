#include <set>

#include <QFontMetrics>
#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/ButtonBackground.h"
#include "platform/host/FontObject.h"
#include "platform/host/FontSubstitution.h"
#include "tests/platform/gdi/GuardedTest.h"

// Caption layout, access keys, the caption modes and reliefs, and the style 11 background.
using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

namespace {

QFont TestFont(bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

// Face 0x906030: shadow 0x502000, light 0xAF7F4F, highlight 0xBF8F5F, soft 0xC09060; text blue, hover green.
ButtonLook CaptionLook(const QString& caption, int type = 2) {
    ButtonLook look;
    look.ButtonType = type;
    look.ColorScheme = SchemeCustom;
    look.BackColor = Colour(0x906030);
    look.ForeColor = Colour(0x0000FF);
    look.ForeOver = Colour(0x00FF00);
    look.Width = 60;
    look.Height = 30;
    look.Caption = caption;
    look.Font = TestFont(true);
    return look;
}

// The caption drawn in one mode over the face, with the extent and colours of what was drawn.
struct Drawn {
    QImage image;
    QRect ink;
    std::set<std::uint32_t> colours;
    ButtonCarried carried;
};
Drawn CaptionIn(const ButtonLook& look, std::uint8_t mode) {
    test::ButtonSurface surface(look, gdi::SysColours());
    const ScopedFont font(surface.dc, look.Font);
    const QRgb face = surface.carried.Palette.FaceColor.ToQRgb();
    surface.image.fill(face);
    gdi::SetTextColor(surface.dc, Colour(0x0A0B0C));
    DrawCaption(surface.dc, look, surface.carried, mode);
    Drawn drawn{surface.image, {}, {}, surface.carried};
    for (int y = 0; y < drawn.image.height(); ++y) {
        for (int x = 0; x < drawn.image.width(); ++x) {
            drawn.colours.insert(Colour::FromQRgb(drawn.image.pixel(x, y)).Raw());
            drawn.ink |= drawn.image.pixel(x, y) != face ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return drawn;
}

} // namespace

class TestButtonPaintCaption : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void accessKeys() {
        // clang-format off
        const std::vector<std::pair<QString, QString>> cases{
            {"&File", "f"}, {"Sa&ve", "v"}, {"&", ""}, {"Save&", ""}, {"Save", ""}, {"A && B", ""},
            {"R&&D &Lab", "l"}, {"&&& x", " "}, /* one pair skipped */ {"&&&&x", ""}, {"&&x&", ""},
            {QString(40, QLatin1Char('&')), ""}, {QStringLiteral("&\u00C9t\u00E9"), QStringLiteral("\u00E9")}};
        // clang-format on
        for (const auto& [caption, key] : cases) {
            const std::optional<QChar> found = SetAccessKey(caption);
            QCOMPARE(found ? QString(*found) : QString(), key);
        }
        QCOMPARE(AnsiForm(QStringLiteral("\u00C4\u20AC\u0100\U0001F600\u0081\u0080x")),
                 QStringLiteral("\u00C4\u20AC??\u0081?x"));
    }

    // Each position measures the caption in the space the 16 x 12 picture leaves on a W x 40 button,
    // centres it there (halves truncated toward zero) and puts the picture beside it.
    void layout() {
        const QFontMetrics metrics(TestFont());
        const int tw = metrics.horizontalAdvance(QStringLiteral("Go"));
        const int th = metrics.height();
        struct Case {
            int position;
            int width;
            QPoint origin; // the working rectangle's top-left
            int extraX;    // space kept for the picture when centring
            int extraY;
        };
        // clang-format off
        const std::vector<Case> cases{{0, 100, {17, 1}, 0, 0}, {1, 100, {1, 1}, 20, 0},
                                      {2, 100, {1, 13}, 0, 0}, {3, 100, {1, 1}, 0, 16},
                                      {4, 100, {1, 1}, 0, 0},  {4, 10, {1, 1}, 0, 0}};
        // clang-format on
        for (const Case& c : cases) {
            ButtonLook look;
            look.Width = c.width;
            look.Height = 40;
            look.Font = TestFont();
            look.Caption = QStringLiteral("Go");
            look.PicturePosition = c.position;
            look.PictureNormal.image = test::SamplePicture();
            look.PicW = 16;
            look.PicH = 12;
            const CaptionLayout layout = test::ButtonSurface(look, gdi::SysColours()).carried.Layout;
            const int right = c.origin.x() + tw;
            const int bottom = c.origin.y() + th;
            const QPoint shift((c.width - right - c.extraX) / 2, (40 - bottom - c.extraY) / 2);
            const gdi::Rect r{c.origin.x() + shift.x(), c.origin.y() + shift.y(), right + shift.x(),
                              bottom + shift.y()};
            QCOMPARE(layout.CaptionRect, r);
            QCOMPARE(QSize(layout.CaptionW, layout.CaptionH), QSize(tw, th));
            QCOMPARE(layout.PressedCaptionRect,
                     (gdi::Rect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}));
            const std::array<QPoint, 5> pictures{{{r.left - 20, 14},
                                                  {r.right + 4, 14},
                                                  {(c.width - 16) / 2, r.top - 14},
                                                  {(c.width - 16) / 2, r.bottom + 2},
                                                  {(c.width - 16) / 2, 14}}};
            QCOMPARE(QPoint(layout.PicX, layout.PicY), pictures[static_cast<std::size_t>(c.position)]);
            // A caption of blanks leaves the picture in the middle.
            look.Caption = QStringLiteral("  ");
            const CaptionLayout blank = test::ButtonSurface(look, gdi::SysColours()).carried.Layout;
            QCOMPARE(QPoint(blank.PicX, blank.PicY), QPoint((c.width - 16) / 2, 14));
        }
    }

    // The caption measured for the main window's button is drawn whole, on one line, in its rectangle.
    void measuredCaptionDrawnWhole() {
        ButtonLook look = CaptionLook(QStringLiteral("Free RAM Now"), 14);
        look.Width = 123;
        look.Height = 25;
        look.Font =
            host::FontObject(QStringLiteral("MS Sans Serif"), 8.25f, true).ToQFont(host::FontSubstitution());
        const Drawn drawn = CaptionIn(look, 0);
        QVERIFY2(drawn.ink.right() >= drawn.carried.Layout.CaptionRect.right - 3,
                 qPrintable(QString::number(drawn.ink.right())));
        QCOMPARE(drawn.carried.Layout.CaptionH, QFontMetrics(look.Font).height());
    }

    // Which colours each mode draws, and where (the pressed copy lies one pixel right of and below the
    // up text); reliefs add a copy up-left (light when raised, dark when sunken) unless they are drop
    // shadows, and a copy down-right. Face 0x906030 gives relief shades 0x683808 and 0xB88858; style
    // 14 shades its soft colour 0xC09060 instead.
    void captionModes() {
        struct Mode {
            int mode, type, effect;
            QList<std::uint32_t> present, absent;
            int from, to; // how the drawn extent's top-left and bottom-right move from the up text
        };
        // clang-format off
        const std::vector<Mode> modes{
            {0, 2, 0, {0x0000FF}, {0x00FF00}, 0, 0},
            {1, 2, 0, {0x00FF00}, {0x0000FF}, 0, 0},
            {2, 2, 0, {0x00FF00}, {}, 1, 1},
            {2, 4, 0, {0xAF7F4F}, {0x00FF00}, 1, 1},
            {3, 2, 0, {0xBF8F5F, 0x502000}, {}, 0, 1},
            {4, 2, 0, {0x502000}, {0xBF8F5F}, 0, 0},
            {5, 2, 0, {0x582800}, {}, 0, 0},
            {6, 2, 0, {0xBF8F5F}, {0x502000}, 1, 1},
            {7, 14, 0, {0x1E0000, 0xBF8F5F}, {}, 0, 1},
            {9, 2, 0, {0x0A0B0C}, {0x0000FF}, 0, 0},
            {0, 2, 1, {0x683808, 0xB88858}, {}, -1, 1},
            {0, 2, 3, {0x683808}, {0xB88858}, 0, 1},
            {0, 14, 2, {0x986838, 0xE8B888}, {}, -1, 1},
        };
        // clang-format on
        const QRect up = CaptionIn(CaptionLook(QStringLiteral("HH")), 4).ink;
        for (const Mode& m : modes) {
            ButtonLook look = CaptionLook(QStringLiteral("HH"), m.type);
            look.SpecialEffect = m.effect;
            const Drawn drawn = CaptionIn(look, static_cast<std::uint8_t>(m.mode));
            const QString where = QString::asprintf("mode %d effect %d", m.mode, m.effect);
            QCOMPARE(int(drawn.carried.LastCaptionMode), m.mode);
            for (const std::uint32_t colour : m.present) {
                QVERIFY2(drawn.colours.count(colour) == 1, qPrintable(where));
            }
            for (const std::uint32_t colour : m.absent) {
                QVERIFY2(drawn.colours.count(colour) == 0, qPrintable(where));
            }
            QCOMPARE(drawn.ink, up.adjusted(m.from, m.from, m.to, m.to));
        }
    }

    // The default style 14 button draws its caption bold, then lays it out again in its own font.
    void boldDefaultCaption() {
        ButtonLook look = CaptionLook(QStringLiteral("Caption"), 14);
        look.Font = TestFont(false);
        look.Width = 140;
        test::ButtonSurface surface(look, gdi::SysColours());
        const CaptionLayout plain = surface.carried.Layout;
        surface.Paint(look, StateUp);
        const QImage normal = surface.image;
        look.IsDefault = true;
        surface.Paint(look, StateUp);
        QCOMPARE(surface.carried.Layout, plain);
        QVERIFY(surface.image != normal);
        // An unknown position measures in the last pressed rectangle, moves nothing and keeps the picture
        // where it was: the two layouts of a default paint move the caption two pixels.
        look.PicturePosition = 9;
        look.PictureNormal.image = test::SamplePicture();
        surface.Paint(look, StateUp);
        const CaptionLayout& moved = surface.carried.Layout;
        const QFontMetrics metrics(look.Font);
        QCOMPARE(moved.CaptionRect,
                 (gdi::Rect{plain.CaptionRect.left + 2, plain.CaptionRect.top + 2,
                            plain.CaptionRect.left + 2 + metrics.horizontalAdvance(look.Caption),
                            plain.CaptionRect.top + 2 + metrics.height()}));
        QCOMPARE(QPoint(moved.PicX, moved.PicY), QPoint(plain.PicX, plain.PicY));
    }

    void style11ShowsCapturedBackground() {
        // A 400 x 350 window with a 390 x 320 client area has borders of 5 and a title of 25.
        const gdi::Rect client{0, 0, 390, 320};
        QCOMPARE(CaptureOrigin({110, 140, 150, 160}, {100, 100, 500, 450}, client),
                 std::optional(QPoint(5, 15)));
        QCOMPARE(CaptureOrigin({INT32_MAX, 0, INT32_MAX, 0}, {INT32_MIN, 0, 0, 0}, client),
                 std::optional<QPoint>());

        ButtonLook look;
        look.ButtonType = 11;
        look.Width = 6;
        look.Height = 4;
        QImage parent(10, 10, QImage::Format_RGB32);
        for (int i = 0; i < 100; ++i) {
            parent.setPixel(i % 10, i / 10, qRgb(i % 10 * 20, i / 10 * 20, 7));
        }
        const gdi::SysColours classic;
        gdi::DeviceContext parentDc(parent, classic);
        test::ButtonSurface surface(look, gdi::SysColours());
        BackBuffer back;
        QVERIFY(back.Create(surface.dc, look.Width, look.Height));
        // Nothing captured yet: the face colour, not the new bitmap's black.
        look.BackDC = back.Dc();
        QVERIFY(look.BackDC == nullptr);
        surface.Paint(look, StateUp);
        QVERIFY(surface.image.pixel(2, 2) != qRgb(0, 0, 0));
        QVERIFY(back.Capture(parentDc, QPoint(3, 2)));
        look.BackDC = back.Dc();
        for (const bool enabled : {true, false}) {
            look.Enabled = enabled;
            for (const std::uint8_t state : {StateUp, StateDown}) {
                surface.Paint(look, state);
                QCOMPARE(surface.image.pixel(0, 0), parent.pixel(3, 2));
                QCOMPARE(surface.image.pixel(5, 3), parent.pixel(8, 5));
            }
        }
    }
};

QTEST_MAIN(TestButtonPaintCaption)
#include "TestButtonPaintCaption.moc"
