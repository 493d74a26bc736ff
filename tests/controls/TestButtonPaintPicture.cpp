#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/BlitPicture.h"
#include "controls/button/DrawPicture.h"
#include "tests/platform/gdi/GuardedTest.h"

// The picture transfer pixel by pixel, and where each style puts the picture in each look.
using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

Q_DECLARE_METATYPE(kelvo::gdi::Colour)
Q_DECLARE_METATYPE(kelvo::controls::button::BlitOptions)

namespace {

constexpr QRgb Face = 0xFF000003u; // red 0, green 0, blue 3

// Three by two, so each DIB row carries padding: the mask colour, a light and a dark orange that
// straddle the dark-only limit of 384, and three dark colours.
QImage TinyPicture() {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0xC0, 0xC0, 0xC0));
    picture.setPixel(1, 0, qRgb(200, 100, 85));
    picture.setPixel(2, 0, qRgb(200, 100, 84));
    picture.setPixel(0, 1, qRgb(5, 0, 5));
    picture.setPixel(1, 1, qRgb(15, 0, 0));
    picture.setPixel(2, 1, qRgb(30, 60, 90));
    return picture;
}

QImage Blitted(const BlitOptions& options, const PictureMasking& masking = {}, QPoint at = {1, 1},
               bool* drawn = nullptr) {
    QImage surface(5, 4, QImage::Format_RGB32);
    surface.fill(Face);
    gdi::DeviceContext dc(surface, gdi::SysColours());
    ButtonPicture picture{TinyPicture(), ButtonPicture::Bitmap};
    const bool ok = BlitPicture(dc, at.x(), at.y(), -1, -1, picture, options, masking);
    if (drawn != nullptr) {
        *drawn = ok;
    }
    return surface;
}

BlitOptions With(std::optional<Colour> tint, bool darkOnly, bool grey, bool fade) {
    BlitOptions options;
    options.tint = tint;
    options.darkOnly = darkOnly;
    options.greyscale = grey;
    options.fade = fade;
    return options;
}

} // namespace

class TestButtonPaintPicture : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void blit_data() {
        QTest::addColumn<BlitOptions>("options");
        QTest::addColumn<bool>("useMask");
        QTest::addColumn<QList<QRgb>>("expected"); // surface pixels (1,1)..(3,1), (1,2)..(3,2)
        const QRgb t = qRgb(0x56, 0x34, 0x12);
        QTest::newRow("copy") << With({}, false, false, false) << true
                              << QList<QRgb>{Face,          qRgb(200, 100, 85), qRgb(200, 100, 84),
                                             qRgb(5, 0, 5), qRgb(15, 0, 0),     qRgb(30, 60, 90)};
        QTest::newRow("mask off") << With({}, false, false, false) << false
                                  << QList<QRgb>{qRgb(0xC0, 0xC0, 0xC0), qRgb(200, 100, 85),
                                                 qRgb(200, 100, 84),     qRgb(5, 0, 5),
                                                 qRgb(15, 0, 0),         qRgb(30, 60, 90)};
        QTest::newRow("tint") << With(Colour(0x123456), false, false, false) << true
                              << QList<QRgb>{Face, t, t, t, t, t};
        QTest::newRow("tint dark only")
            << With(Colour(0x123456), true, false, false) << true << QList<QRgb>{Face, Face, t, t, t, t};
        // 0.3 x 5 = 1.5 -> 2, then 2 + 0.55 -> 3 (one rounding would give 2); 0.3 x 15 = 4.5 -> 4.
        QTest::newRow("greyscale") << With({}, false, true, false) << true
                                   << QList<QRgb>{Face,          qRgb(128, 128, 128), qRgb(128, 128, 128),
                                                  qRgb(3, 3, 3), qRgb(4, 4, 4),       qRgb(54, 54, 54)};
        QTest::newRow("fade") << With({}, false, false, true) << true
                              << QList<QRgb>{Face,          qRgb(133, 66, 57), qRgb(133, 66, 57),
                                             qRgb(3, 0, 4), qRgb(10, 0, 1),    qRgb(20, 40, 61)};
        QTest::newRow("tint wins") << With(Colour(0x123456), false, true, true) << true
                                   << QList<QRgb>{Face, t, t, t, t, t};
        QTest::newRow("grey over fade")
            << With({}, false, true, true) << true
            << QList<QRgb>{Face,          qRgb(128, 128, 128), qRgb(128, 128, 128),
                           qRgb(3, 3, 3), qRgb(4, 4, 4),       qRgb(54, 54, 54)};
    }
    void blit() {
        QFETCH(BlitOptions, options);
        QFETCH(bool, useMask);
        QFETCH(QList<QRgb>, expected);
        bool drawn = false;
        const QImage surface = Blitted(options, PictureMasking{useMask, Colour(0xC0C0C0)}, {1, 1}, &drawn);
        QVERIFY(drawn);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(surface.pixel(1 + i % 3, 1 + i / 3), expected[i]);
        }
        // Nothing outside the block changes.
        QCOMPARE(surface.pixel(0, 0), Face);
        QCOMPARE(surface.pixel(4, 3), Face);
    }

    void blitEdges() {
        // Partly off the surface: the part on it is right.
        const QImage off = Blitted(BlitOptions(), {}, {-1, -1});
        QCOMPARE(off.pixel(0, 0), qRgb(15, 0, 0));
        QCOMPARE(off.pixel(1, 0), qRgb(30, 60, 90));
        QCOMPARE(off.pixel(2, 0), Face);
        // No width, no height, no picture: nothing.
        QImage surface(4, 4, QImage::Format_RGB32);
        surface.fill(Face);
        gdi::DeviceContext dc(surface, gdi::SysColours());
        const ButtonPicture picture{TinyPicture(), ButtonPicture::Bitmap};
        QVERIFY(!BlitPicture(dc, 0, 0, 0, 2, picture, {}, {}));
        QVERIFY(!BlitPicture(dc, 0, 0, 2, 0, picture, {}, {}));
        QVERIFY(!BlitPicture(dc, 0, 0, 2, 2, ButtonPicture(), {}, {}));
        QVERIFY(!BlitPicture(dc, 0, 0, INT32_MAX, INT32_MAX, picture, {}, {}));
        QCOMPARE(surface.pixel(1, 1), Face);
        // A block larger than the picture shows black beyond it.
        QVERIFY(BlitPicture(dc, 0, 0, 4, 3, picture, {}, {}));
        QCOMPARE(surface.pixel(3, 2), qRgb(0, 0, 0));
    }

    // An icon's transparent parts take the mask colour, which is transparent only while the mask is used.
    void iconTransparency() {
        QImage icon(2, 1, QImage::Format_ARGB32);
        icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
        icon.setPixel(1, 0, qRgb(250, 0, 0));
        const ButtonPicture picture{icon, ButtonPicture::Icon};
        for (const bool useMask : {true, false}) {
            QImage surface(2, 1, QImage::Format_RGB32);
            surface.fill(Face);
            gdi::DeviceContext dc(surface, gdi::SysColours());
            BlitOptions options;
            options.maskRGB = Colour(0x00FF00);
            QVERIFY(
                BlitPicture(dc, 0, 0, -1, -1, picture, options, PictureMasking{useMask, Colour(0x00FF00)}));
            QCOMPARE(surface.pixel(0, 0), useMask ? Face : qRgb(0, 0xFF, 0));
            QCOMPARE(surface.pixel(1, 0), qRgb(250, 0, 0));
        }
    }

    // A one-pixel blue picture at (2, 2) on a 6 x 6 face, in every mode that moves or tints it.
    void drawPicture_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("hovering");
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("over");
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<QList<Colour>>("colours");
        const ButtonPalette p = BuildPalette(PaletteSource(), gdi::SysColours());
        const Colour F = p.FaceColor, Hi = p.HiliteColor, Sh = p.ShadowColor, blue(0xC80000), white(0xFFFFFF);
        const auto S = [](Colour c, int d) { return ShadeColor(c, d, false, false); };
        const QList<QPoint> diagonal{{1, 1}, {2, 2}, {3, 3}};
        const auto row = [&](const char* name, int type, std::uint8_t mode, bool hovering, int effect,
                             bool over, QList<Colour> colours, QList<QPoint> points = {}) {
            QTest::newRow(name) << type << int(mode) << hovering << effect << over
                                << (points.isEmpty() ? diagonal : points) << colours;
        };
        row("up", 1, PictureUp, false, 0, false, {F, blue, F});
        row("up faded", 9, PictureUp, false, 0, false, {F, Colour(0xC84546), F});
        row("up hovered over", 1, PictureUp, true, 0, true, {F, white, F});
        row("9 hovered lifted", 9, PictureUp, true, 0, false, {blue, F, Sh});
        row("9 hovered relief", 9, PictureUp, true, 1, false,
            {S(p.SelLightColor, 40), S(p.SelLightColor, -40)}, {{0, 0}, {2, 2}});
        row("raised", 1, PictureUp, false, 1, false, {S(F, 40), blue, S(F, -40)});
        row("drop shadow", 1, PictureUp, false, 3, false, {F, blue, S(F, -40)});
        row("down", 1, PictureDown, false, 0, false, {F, F, blue});
        row("down over", 1, PictureDown, false, 0, true, {F, F, white});
        row("5 down over", 5, PictureDown, false, 0, true, {F, white, F});
        row("5 down", 5, PictureDown, false, 0, false, {F, blue, F});
        row("9 down ignores over", 9, PictureDown, false, 0, true, {F, blue, F});
        row("disabled embossed", 1, PictureDisabled, false, 0, false, {F, Sh, Hi});
        row("3 disabled grey", 3, PictureDisabled, false, 0, false, {F, F, Colour(0x161616)});
        row("5 disabled", 5, PictureDisabled, false, 0, false, {F, Sh, F});
        row("9 disabled", 9, PictureDisabled, false, 0, false, {F, S(Sh, 13), F});
    }
    void drawPicture() {
        QFETCH(int, type);
        QFETCH(int, mode);
        QFETCH(bool, hovering);
        QFETCH(int, effect);
        QFETCH(bool, over);
        QFETCH(QList<QPoint>, points);
        QFETCH(QList<Colour>, colours);
        ButtonLook look;
        look.ButtonType = type;
        look.Hovering = hovering;
        look.SpecialEffect = effect;
        look.Width = 6;
        look.Height = 6;
        QImage blue(1, 1, QImage::Format_RGB32);
        blue.fill(qRgb(0, 0, 200));
        look.PictureNormal.image = blue;
        if (over) {
            look.PictureOver.image = QImage(1, 1, QImage::Format_RGB32);
            look.PictureOver.image.fill(Qt::white);
        }
        look.PicW = 1;
        look.PicH = 1;
        test::ButtonSurface surface(look, gdi::SysColours());
        surface.image.fill(surface.fields.Palette.FaceColor.ToQRgb());
        surface.fields.Layout.PicX = 2;
        surface.fields.Layout.PicY = 2;
        DrawPicture(surface.dc, look, surface.fields, static_cast<std::uint8_t>(mode));
        for (int i = 0; i < points.size(); ++i) {
            QCOMPARE(surface.At(points[i].x(), points[i].y()), colours[i]);
        }
    }

    void greyscaleOption() {
        ButtonLook look;
        look.UseGreyscale = true;
        look.Width = 4;
        look.Height = 4;
        look.PictureNormal.image = QImage(1, 1, QImage::Format_RGB32);
        look.PictureNormal.image.fill(qRgb(0, 0, 200));
        look.PicW = 1;
        look.PicH = 1;
        test::ButtonSurface surface(look, gdi::SysColours());
        DrawPicture(surface.dc, look, surface.fields, PictureUp);
        QCOMPARE(surface.At(surface.fields.Layout.PicX, surface.fields.Layout.PicY), Colour(0x161616));
    }

    void greyLevels() {
        QCOMPARE(GreyLevel(5, 0, 5), 3);
        QCOMPARE(GreyLevel(15, 0, 0), 4);
        QCOMPARE(GreyLevel(25, 0, 0), 8);
        QCOMPARE(GreyLevel(0, 0, 0), 0);
        QCOMPARE(GreyLevel(0, 0, 200), 22);
    }
};

QTEST_MAIN(TestButtonPaintPicture)
#include "TestButtonPaintPicture.moc"
