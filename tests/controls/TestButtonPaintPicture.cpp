#include <QTest>

#include "ButtonPaintSupport.h"
#include "controls/button/BlitPicture.h"
#include "controls/button/DrawPicture.h"
#include "tests/platform/gdi/GuardedTest.h"

// The picture transfer pixel by pixel, and where each style puts the picture in each look.
using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

namespace {

constexpr QRgb Face = 0xFF000003u; // red 0, green 0, blue 3

// Three by two, so each DIB row carries padding: the mask colour, a light and a dark orange on either
// side of the dark-only limit (red + green + blue 385 and 384), and three dark colours.
QImage TinyPicture() {
    QImage picture(3, 2, QImage::Format_RGB32);
    const QRgb pixels[] = {qRgb(0xC0, 0xC0, 0xC0), qRgb(200, 100, 85), qRgb(200, 100, 84),
                           qRgb(5, 0, 5),          qRgb(15, 0, 0),     qRgb(30, 60, 90)};
    for (int i = 0; i < 6; ++i) {
        picture.setPixel(i % 3, i / 3, pixels[i]);
    }
    return picture;
}

QImage Blitted(const BlitOptions& options, bool useMask = true, QPoint at = {1, 1}) {
    QImage surface(5, 4, QImage::Format_RGB32);
    surface.fill(Face);
    const gdi::SysColours classic;
    gdi::DeviceContext dc(surface, classic);
    const ButtonPicture picture{TinyPicture(), ButtonPicture::Bitmap};
    BlitPicture(dc, at.x(), at.y(), -1, -1, picture, options, PictureMasking{useMask, Colour(0xC0C0C0)});
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
    void blit() {
        struct Case {
            const char* name;
            BlitOptions options;
            bool useMask;
            std::array<QRgb, 6> expected; // the block at (1, 1), row by row
        };
        const QRgb t = qRgb(0x56, 0x34, 0x12);
        const QRgb grey128 = qRgb(128, 128, 128);
        // Grey: 0.3 x 5 = 1.5 -> 2, then 2 + 0.55 -> 3 (one rounding would give 2); 0.3 x 15 = 4.5 -> 4.
        // Fade: (2 x picture + face) / 3 per channel.
        // clang-format off
        const std::array<QRgb, 6> copy{Face, qRgb(200, 100, 85), qRgb(200, 100, 84), qRgb(5, 0, 5), qRgb(15, 0, 0), qRgb(30, 60, 90)};
        const std::array<QRgb, 6> grey{Face, grey128, grey128, qRgb(3, 3, 3), qRgb(4, 4, 4), qRgb(54, 54, 54)};
        std::array<QRgb, 6> unmasked = copy;
        unmasked[0] = qRgb(0xC0, 0xC0, 0xC0);
        const std::vector<Case> cases{
            {"copy", With({}, false, false, false), true, copy},
            {"mask off", With({}, false, false, false), false, unmasked},
            {"tint", With(Colour(0x123456), false, false, false), true, {Face, t, t, t, t, t}},
            {"dark only", With(Colour(0x123456), true, false, false), true, {Face, Face, t, t, t, t}},
            {"greyscale", With({}, false, true, false), true, grey},
            {"fade", With({}, false, false, true), true, {Face, qRgb(133, 66, 57), qRgb(133, 66, 57), qRgb(3, 0, 4), qRgb(10, 0, 1), qRgb(20, 40, 61)}},
            {"tint wins", With(Colour(0x123456), false, true, true), true, {Face, t, t, t, t, t}},
            {"grey over fade", With({}, false, true, true), true, grey},
        };
        // clang-format on
        for (const Case& c : cases) {
            const QImage surface = Blitted(c.options, c.useMask);
            for (int i = 0; i < 6; ++i) {
                QVERIFY2(surface.pixel(1 + i % 3, 1 + i / 3) == c.expected[static_cast<std::size_t>(i)],
                         qPrintable(QString("%1 pixel %2").arg(c.name).arg(i)));
            }
            QVERIFY(surface.pixel(0, 0) == Face && surface.pixel(4, 3) == Face);
        }
    }

    void blitEdges() {
        const QImage off = Blitted(BlitOptions(), true, {-1, -1});
        QCOMPARE(off.pixel(0, 0), qRgb(15, 0, 0));
        QCOMPARE(off.pixel(1, 0), qRgb(30, 60, 90));
        QCOMPARE(off.pixel(2, 0), Face);
        QImage surface(4, 4, QImage::Format_RGB32);
        surface.fill(Face);
        const gdi::SysColours classic;
        gdi::DeviceContext dc(surface, classic);
        const ButtonPicture picture{TinyPicture(), ButtonPicture::Bitmap};
        QVERIFY(!BlitPicture(dc, 0, 0, 0, 2, picture, {}, {}));
        QVERIFY(!BlitPicture(dc, 0, 0, 2, 2, ButtonPicture(), {}, {}));
        QVERIFY(!BlitPicture(dc, 0, 0, INT32_MAX, INT32_MAX, picture, {}, {}));
        QCOMPARE(surface.pixel(1, 1), Face);
        // A block larger than the picture shows black beyond it.
        QVERIFY(BlitPicture(dc, 0, 0, 4, 3, picture, {}, {}));
        QCOMPARE(surface.pixel(3, 2), qRgb(0, 0, 0));

        // An icon's transparent parts take the mask colour, transparent only while the mask is used.
        QImage icon(2, 1, QImage::Format_ARGB32);
        icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
        icon.setPixel(1, 0, qRgb(250, 0, 0));
        BlitOptions options;
        options.maskRGB = Colour(0x00FF00);
        for (const bool useMask : {true, false}) {
            surface.fill(Face);
            const ButtonPicture iconPicture{icon, ButtonPicture::Icon};
            QVERIFY(BlitPicture(dc, 0, 0, -1, -1, iconPicture, options,
                                PictureMasking{useMask, Colour(0x00FF00)}));
            QCOMPARE(surface.pixel(0, 0), useMask ? Face : qRgb(0, 0xFF, 0));
            QCOMPARE(surface.pixel(1, 0), qRgb(250, 0, 0));
        }
    }

    // A one-pixel blue picture placed at (2, 2) on a 6 x 6 face, in every look that moves or tints it.
    void drawPicture() {
        const ButtonPalette p = BuildPalette(PaletteSource(), gdi::SysColours());
        const Colour F = p.FaceColor, Hi = p.HiliteColor, Sh = p.ShadowColor, blue(0xC80000), white(0xFFFFFF);
        const auto S = [](Colour c, int d) { return ShadeColor(c, d, false, false); };
        struct Case {
            const char* name;
            int type;
            std::uint8_t mode;
            bool hovering;
            int effect;
            bool over, grey;
            std::vector<Colour> diagonal; // at (1, 1), (2, 2), (3, 3); (0, 0) too when a fourth is given
        };
        // clang-format off
        const std::vector<Case> cases{
            {"up", 1, PictureUp, false, 0, false, false, {F, blue, F}},
            {"grey", 1, PictureUp, false, 0, false, true, {F, Colour(0x161616), F}},
            {"9 faded", 9, PictureUp, false, 0, false, false, {F, Colour(0xC84546), F}},
            {"hovered over", 1, PictureUp, true, 0, true, false, {F, white, F}},
            {"9 lifted", 9, PictureUp, true, 0, false, false, {blue, F, Sh}},
            {"9 relief", 9, PictureUp, true, 1, false, false, {blue, S(p.SelLightColor, -40), Sh, S(p.SelLightColor, 40)}},
            {"raised", 1, PictureUp, false, 1, false, false, {S(F, 40), blue, S(F, -40)}},
            {"drop shadow", 1, PictureUp, false, 3, false, false, {F, blue, S(F, -40)}},
            {"down", 1, PictureDown, false, 0, false, false, {F, F, blue}},
            {"down over", 1, PictureDown, false, 0, true, false, {F, F, white}},
            {"5 down over", 5, PictureDown, false, 0, true, false, {F, white, F}},
            {"5 down", 5, PictureDown, false, 0, false, false, {F, blue, F}},
            {"9 down", 9, PictureDown, false, 0, true, false, {F, blue, F}},
            {"disabled", 1, PictureDisabled, false, 0, false, false, {F, Sh, Hi}},
            {"3 disabled", 3, PictureDisabled, false, 0, false, false, {F, F, Colour(0x161616)}},
            {"5 disabled", 5, PictureDisabled, false, 0, false, false, {F, Sh, F}},
            {"9 disabled", 9, PictureDisabled, false, 0, false, false, {F, S(Sh, 13), F}},
        };
        // clang-format on
        for (const Case& c : cases) {
            ButtonLook look;
            look.ButtonType = c.type;
            look.Hovering = c.hovering;
            look.SpecialEffect = c.effect;
            look.UseGreyscale = c.grey;
            look.Width = 6;
            look.Height = 6;
            look.PictureNormal.image = QImage(1, 1, QImage::Format_RGB32);
            look.PictureNormal.image.fill(qRgb(0, 0, 200));
            if (c.over) {
                look.PictureOver.image = QImage(1, 1, QImage::Format_RGB32);
                look.PictureOver.image.fill(Qt::white);
            }
            look.PicW = 1;
            look.PicH = 1;
            test::ButtonSurface surface(look, gdi::SysColours());
            surface.image.fill(F.ToQRgb());
            surface.carried.Layout.PicX = 2;
            surface.carried.Layout.PicY = 2;
            DrawPicture(surface.dc, look, surface.carried, c.mode);
            for (std::size_t i = 0; i < c.diagonal.size(); ++i) {
                const int at = i == 3 ? 0 : static_cast<int>(i) + 1;
                QVERIFY2(surface.At(at, at) == c.diagonal[i],
                         qPrintable(QString("%1 at %2").arg(c.name).arg(at)));
            }
        }
    }
};

QTEST_MAIN(TestButtonPaintPicture)
#include "TestButtonPaintPicture.moc"
