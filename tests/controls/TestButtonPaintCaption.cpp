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

// Custom colours so the text, hover text and face all differ.
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

std::set<std::uint32_t> ColoursIn(const QImage& image) {
    std::set<std::uint32_t> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(Colour::FromQRgb(image.pixel(x, y)).Raw());
        }
    }
    return colours;
}

// The extent of pixels that are not the face.
QRect Ink(const QImage& image, QRgb face) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != face) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// The caption drawn in one mode over the face.
QImage CaptionIn(const ButtonLook& look, std::uint8_t mode, ButtonFields* out = nullptr) {
    test::ButtonSurface surface(look, gdi::SysColours());
    const ScopedFont font(surface.dc, look.Font);
    surface.image.fill(surface.fields.Palette.FaceColor.ToQRgb());
    gdi::SetTextColor(surface.dc, Colour(0x0A0B0C));
    DrawCaption(surface.dc, look, surface.fields, mode);
    if (out != nullptr) {
        *out = surface.fields;
    }
    return surface.image;
}

} // namespace

class TestButtonPaintCaption : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void accessKeys_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::newRow("upper case") << "&File"
                                    << "f";
        QTest::newRow("inside") << "Sa&ve"
                                << "v";
        QTest::newRow("one char") << "&"
                                  << "";
        QTest::newRow("last") << "Save&"
                              << "";
        QTest::newRow("none") << "Save"
                              << "";
        QTest::newRow("only a pair") << "A && B"
                                     << "";
        QTest::newRow("pair then mark") << "R&&D &Lab"
                                        << "l";
        QTest::newRow("three then blank") << "&&& x"
                                          << " ";
        QTest::newRow("two pairs") << "&&&&x"
                                   << "";
        QTest::newRow("pair then last") << "&&x&"
                                        << "";
        QTest::newRow("only marks") << QString(40, QLatin1Char('&')) << "";
        QTest::newRow("accented") << QStringLiteral("&\u00C9t\u00E9") << QStringLiteral("\u00E9");
    }
    void accessKeys() {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        const std::optional<QChar> found = SetAccessKey(caption);
        QCOMPARE(found ? QString(*found) : QString(), key);
    }

    void ansiForm() {
        QCOMPARE(AnsiForm(QStringLiteral("\u00C4\u20AC\u0100\U0001F600\u0081\u0080x")),
                 QStringLiteral("\u00C4\u20AC??\u0081?x"));
    }

    void layout_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::newRow("picture left") << 0 << "Go" << 100;
        QTest::newRow("picture right") << 1 << "Go" << 100;
        QTest::newRow("picture above") << 2 << "Go" << 100;
        QTest::newRow("picture below") << 3 << "Go" << 100;
        QTest::newRow("picture under") << 4 << "Go" << 100;
        QTest::newRow("narrow: halves toward zero") << 4 << "Go" << 10;
        QTest::newRow("blank caption") << 0 << "   " << 100;
    }
    void layout() {
        QFETCH(int, position);
        QFETCH(QString, caption);
        QFETCH(int, width);
        const QFontMetrics metrics(TestFont());
        const int tw = caption.trimmed().isEmpty() ? metrics.horizontalAdvance(caption)
                                                   : metrics.horizontalAdvance(QStringLiteral("Go"));
        const int th = metrics.height();
        const int h = 40;
        const int picW = 16;
        const int picH = 12;
        // The working rectangle's top-left, and the shift that centres the measured text.
        const std::array<QPoint, 5> origins{{{picW + 1, 1}, {1, 1}, {1, picH + 1}, {1, 1}, {1, 1}}};
        const QPoint origin = origins[static_cast<std::size_t>(position)];
        const int right = origin.x() + tw;
        const int bottom = origin.y() + th;
        const std::array<QPoint, 5> shifts{{{(width - right) / 2, (h - bottom) / 2},
                                            {(width - right - picW - 4) / 2, (h - bottom) / 2},
                                            {(width - right) / 2, (h - bottom) / 2},
                                            {(width - right) / 2, (h - bottom - picH - 4) / 2},
                                            {(width - right) / 2, (h - bottom) / 2}}};
        const QPoint shift = shifts[static_cast<std::size_t>(position)];
        const gdi::Rect caption2{origin.x() + shift.x(), origin.y() + shift.y(), right + shift.x(),
                                 bottom + shift.y()};

        ButtonLook look;
        look.Width = width;
        look.Height = h;
        look.Font = TestFont();
        look.Caption = caption;
        look.PicturePosition = position;
        look.PictureNormal.image = test::SamplePicture();
        look.PicW = picW;
        look.PicH = picH;
        test::ButtonSurface surface(look, gdi::SysColours());
        const CaptionLayout& layout = surface.fields.Layout;
        QCOMPARE(layout.CaptionRect, caption2);
        QCOMPARE(layout.CaptionW, tw);
        QCOMPARE(layout.CaptionH, th);
        QCOMPARE(layout.PressedCaptionRect,
                 (gdi::Rect{caption2.left + 1, caption2.top + 1, caption2.right + 1, caption2.bottom + 1}));
        const std::array<QPoint, 5> pictures{{{caption2.left - picW - 4, (h - picH) / 2},
                                              {caption2.right + 4, (h - picH) / 2},
                                              {(width - picW) / 2, caption2.top - picH - 2},
                                              {(width - picW) / 2, caption2.bottom + 2},
                                              {(width - picW) / 2, (h - picH) / 2}}};
        const QPoint picture =
            caption.trimmed().isEmpty() ? pictures[4] : pictures[static_cast<std::size_t>(position)];
        QCOMPARE(QPoint(layout.PicX, layout.PicY), picture);
    }

    // An unknown position measures in the previous pressed rectangle and moves neither caption nor
    // picture; without pictures the picture's place is kept too.
    void unknownPosition() {
        ButtonLook look;
        look.Width = 100;
        look.Height = 40;
        look.Font = TestFont();
        look.Caption = QStringLiteral("Go");
        look.PicturePosition = 7;
        look.PictureNormal.image = test::SamplePicture();
        CaptionLayout previous;
        previous.PressedCaptionRect = gdi::Rect{10, 12, 20, 20};
        previous.PicX = 3;
        previous.PicY = 4;
        QImage image(1, 1, QImage::Format_RGB32);
        gdi::DeviceContext dc(image, gdi::SysColours());
        const ScopedFont font(dc, look.Font);
        const QFontMetrics metrics(look.Font);
        const CaptionLayout layout = LayoutCaption(dc, look, previous);
        QCOMPARE(layout.CaptionRect, (gdi::Rect{10, 12, 10 + metrics.horizontalAdvance(QStringLiteral("Go")),
                                                12 + metrics.height()}));
        QCOMPARE(QPoint(layout.PicX, layout.PicY), QPoint(3, 4));
        look.PictureNormal = ButtonPicture();
        look.PicturePosition = 4;
        QCOMPARE(QPoint(LayoutCaption(dc, look, previous).PicX, LayoutCaption(dc, look, previous).PicY),
                 QPoint(3, 4));
    }

    // The caption measured for the main window's button is drawn whole, on one line, in its rectangle.
    void measuredCaptionDrawnWhole() {
        ButtonLook look = CaptionLook(QStringLiteral("Free RAM Now"), 14);
        look.Width = 123;
        look.Height = 25;
        look.Font =
            host::FontObject(QStringLiteral("MS Sans Serif"), 8.25f, true).ToQFont(host::FontSubstitution());
        ButtonFields fields;
        const QImage image = CaptionIn(look, 0, &fields);
        const QRect ink = Ink(image, fields.Palette.FaceColor.ToQRgb());
        QVERIFY2(ink.right() >= fields.Layout.CaptionRect.right - 3,
                 qPrintable(QString::number(ink.right())));
        QCOMPARE(fields.Layout.CaptionH, QFontMetrics(look.Font).height());
    }

    void captionModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<std::uint32_t>>("present");
        QTest::addColumn<QList<std::uint32_t>>("absent");
        QTest::addColumn<int>("shift");
        // Face 0x906030: shadow 0x502000, light 0xAF7F4F, highlight 0xBF8F5F, soft 0xC09060.
        QTest::newRow("0 up") << 0 << 2 << QList<std::uint32_t>{0x0000FF} << QList<std::uint32_t>{0x00FF00}
                              << 0;
        QTest::newRow("1 hovered") << 1 << 2 << QList<std::uint32_t>{0x00FF00}
                                   << QList<std::uint32_t>{0x0000FF} << 0;
        QTest::newRow("2 pressed") << 2 << 2 << QList<std::uint32_t>{0x00FF00} << QList<std::uint32_t>{} << 1;
        QTest::newRow("2 pressed style 4")
            << 2 << 4 << QList<std::uint32_t>{0xAF7F4F} << QList<std::uint32_t>{0x00FF00} << 1;
        QTest::newRow("3 engraved") << 3 << 2 << QList<std::uint32_t>{0xBF8F5F, 0x502000}
                                    << QList<std::uint32_t>{} << 0;
        QTest::newRow("4 shadow") << 4 << 2 << QList<std::uint32_t>{0x502000}
                                  << QList<std::uint32_t>{0xBF8F5F} << 0;
        QTest::newRow("5 dimmed") << 5 << 2 << QList<std::uint32_t>{0x582800} << QList<std::uint32_t>{} << 0;
        QTest::newRow("6 embossed") << 6 << 2 << QList<std::uint32_t>{0xBF8F5F}
                                    << QList<std::uint32_t>{0x502000} << 0;
        QTest::newRow("7 pressed 14")
            << 7 << 14 << QList<std::uint32_t>{0x1E0000, 0xBF8F5F} << QList<std::uint32_t>{} << 0;
        QTest::newRow("other") << 9 << 2 << QList<std::uint32_t>{0x0A0B0C} << QList<std::uint32_t>{0x0000FF}
                               << 0;
    }
    void captionModes() {
        QFETCH(int, mode);
        QFETCH(int, type);
        QFETCH(QList<std::uint32_t>, present);
        QFETCH(QList<std::uint32_t>, absent);
        QFETCH(int, shift);
        const ButtonLook look = CaptionLook(QStringLiteral("HH"), type);
        ButtonFields fields;
        const QImage image = CaptionIn(look, static_cast<std::uint8_t>(mode), &fields);
        QCOMPARE(int(fields.LastCaptionMode), mode);
        const std::set<std::uint32_t> colours = ColoursIn(image);
        for (const std::uint32_t colour : present) {
            QVERIFY2(colours.count(colour) == 1, qPrintable(QString::number(colour, 16)));
        }
        for (const std::uint32_t colour : absent) {
            QVERIFY2(colours.count(colour) == 0, qPrintable(QString::number(colour, 16)));
        }
        // Pressed text sits one pixel right of and below the up text.
        const QRect up = Ink(CaptionIn(look, 4), fields.Palette.FaceColor.ToQRgb());
        const QRect ink = Ink(image, fields.Palette.FaceColor.ToQRgb());
        if (shift != 0 || mode == 4) {
            QCOMPARE(ink.topLeft(), up.topLeft() + QPoint(shift, shift));
        }
    }

    // Raised: dark copy down-right, light copy up-left; sunken the other way; drop shadow: dark only.
    void captionEffects_data() {
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("type");
        QTest::addColumn<std::uint32_t>("lowest");
        QTest::addColumn<std::uint32_t>("absent");
        // Face 0x906030 -> 0x683808 dark, 0xB88858 light; style 14 from soft 0xC09060: 0x986838 dark.
        QTest::newRow("raised") << 1 << 2 << std::uint32_t{0x683808} << std::uint32_t{0};
        QTest::newRow("sunken") << 2 << 2 << std::uint32_t{0xB88858} << std::uint32_t{0};
        QTest::newRow("drop shadow") << 3 << 2 << std::uint32_t{0x683808} << std::uint32_t{0xB88858};
        QTest::newRow("beyond 3") << 7 << 2 << std::uint32_t{0x683808} << std::uint32_t{0xB88858};
        QTest::newRow("style 14 soft base") << 1 << 14 << std::uint32_t{0x986838} << std::uint32_t{0};
    }
    void captionEffects() {
        QFETCH(int, effect);
        QFETCH(int, type);
        QFETCH(std::uint32_t, lowest);
        QFETCH(std::uint32_t, absent);
        ButtonLook look = CaptionLook(QStringLiteral("HH"), type);
        look.SpecialEffect = effect;
        ButtonFields fields;
        const QImage image = CaptionIn(look, 0, &fields);
        const QRect ink = Ink(image, fields.Palette.FaceColor.ToQRgb());
        std::set<std::uint32_t> bottomRow;
        for (int x = ink.left(); x <= ink.right(); ++x) {
            bottomRow.insert(Colour::FromQRgb(image.pixel(x, ink.bottom())).Raw());
        }
        QVERIFY2(bottomRow.count(lowest) == 1, qPrintable(QString::number(lowest, 16)));
        QVERIFY(absent == 0 || ColoursIn(image).count(absent) == 0);
        look.SpecialEffect = -1;
        const int growth = effect < 3 ? 2 : 1;
        QCOMPARE(Ink(CaptionIn(look, 0), fields.Palette.FaceColor.ToQRgb()).size(),
                 ink.size() - QSize(growth, growth));
    }

    // The default style 14 button draws its caption bold, then lays it out again in its own font.
    void boldDefaultCaption() {
        ButtonLook look = CaptionLook(QStringLiteral("Wide caption"), 14);
        look.Font = TestFont(false);
        look.Width = 140;
        test::ButtonSurface surface(look, gdi::SysColours());
        const CaptionLayout plain = surface.fields.Layout;
        surface.Paint(look, StateUp);
        const QImage normal = surface.image;
        look.IsDefault = true;
        surface.Paint(look, StateUp);
        QCOMPARE(surface.fields.Layout, plain);
        QVERIFY(surface.image != normal);
        // With an unknown position each layout measures in the last pressed rectangle: the two layouts
        // of a default paint move the caption two pixels.
        look.PicturePosition = 9;
        surface.Paint(look, StateUp);
        QCOMPARE(surface.fields.Layout.CaptionRect.left, plain.CaptionRect.left + 2);
    }

    void captureOrigin() {
        // 400 x 350 window with a 390 x 320 client area: borders of 5, a title of 25.
        const gdi::Rect parent{100, 100, 500, 450};
        const gdi::Rect client{0, 0, 390, 320};
        QCOMPARE(CaptureOrigin(gdi::Rect{110, 140, 150, 160}, parent, client),
                 std::optional<QPoint>(QPoint(5, 15)));
        QCOMPARE(CaptureOrigin(gdi::Rect{INT32_MAX, 0, INT32_MAX, 0}, gdi::Rect{INT32_MIN, 0, 0, 0}, client),
                 std::optional<QPoint>());
    }

    void style11ShowsCapturedBackground() {
        ButtonLook look;
        look.ButtonType = 11;
        look.Width = 6;
        look.Height = 4;
        QImage parent(10, 10, QImage::Format_RGB32);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                parent.setPixel(x, y, qRgb(x * 20, y * 20, 7));
            }
        }
        gdi::DeviceContext parentDc(parent, gdi::SysColours());
        test::ButtonSurface surface(look, gdi::SysColours());
        BackBuffer back;
        QVERIFY(back.Create(surface.dc, look.Width, look.Height));
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
