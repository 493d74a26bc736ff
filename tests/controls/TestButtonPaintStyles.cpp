#include <QTest>

#include "ButtonPaintSupport.h"
#include "platform/gdi/Region.h"
#include "tests/platform/gdi/GuardedTest.h"

// The looks of every style, checked at pixels whose colour follows from the style's geometry alone
// (no caption, no picture, a 16 x 10 button), the window shapes and the focus marks.
using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

namespace {

constexpr int W = 16;
constexpr int H = 10;

enum Look { Up, Hover, Down, DownHover, Disabled, UpDefault, DownDefault, UpFocus };

ButtonLook MakeLook(int style, Look look, int width = W, int height = H) {
    ButtonLook b;
    b.ButtonType = style;
    b.Width = width;
    b.Height = height;
    b.Hovering = look == Hover || look == DownHover;
    b.Enabled = look != Disabled;
    b.IsDefault = look == UpDefault || look == DownDefault;
    b.HasFocus = look == UpFocus;
    b.FocusRect = FocusRectFor(style, width, height);
    return b;
}

QImage Painted(int style, Look look, int width = W, int height = H) {
    const ButtonLook b = MakeLook(style, look, width, height);
    test::ButtonSurface surface(b, test::DistinctColours());
    const bool down = look == Down || look == DownHover || look == DownDefault;
    surface.Paint(b, down ? StateDown : StateUp);
    return surface.image;
}

struct Check {
    int x;
    int y;
    Colour colour;
};
struct Case {
    int style;
    Look look;
    int height;
    std::vector<Check> checks;
};

} // namespace

class TestButtonPaintStyles : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void keyPixels() {
        PaletteSource source;
        const ButtonPalette p = BuildPalette(source, test::DistinctColours());
        source.ButtonType = 3;
        const Colour soft = BuildPalette(source, test::DistinctColours()).SoftColor;
        const Colour F = p.FaceColor, L = p.LightColor, Hi = p.HiliteColor, Sh = p.ShadowColor,
                     Dk = p.DkShadowColor, Sel = p.SelColor;
        const auto S = [](Colour c, int d) { return ShadeColor(c, d, false, false); };
        const auto Sp = [](Colour c, int d) { return ShadeColor(c, d, true, false); };
        const Colour base = Sp(soft, -32);
        namespace f = fixed;
        // Rows 3 and 5 of a 10-pixel style 3 fall on halves (-7.5, -12.5), rounded to even; at heights
        // 30 and 20 the single-precision step tips row 9 of style 3 and row 5 of style 14 the other way.
        // clang-format off
        const std::vector<Case> cases{
            {1, Up, H, {{1, 5, Hi}, {1, 8, Sh}, {13, 5, Sh}, {0, 0, Dk}, {3, 4, F}}},
            {1, Down, H, {{1, 1, Sh}, {5, 8, Hi}}},       {1, Disabled, H, {{2, 2, Hi}, {13, 5, Sh}}},
            {2, Up, H, {{0, 5, Hi}, {15, 5, Dk}, {1, 1, L}, {5, 8, Sh}}},
            {2, UpDefault, H, {{0, 0, Dk}, {14, 5, Dk}, {13, 5, Sh}}},
            {2, Down, H, {{0, 5, Dk}, {14, 4, L}}},       {2, DownDefault, H, {{1, 1, Sh}, {2, 2, F}}},
            {3, Up, H, {{0, 5, f::Style3Frame}, {1, 1, f::Style3Corner}, {5, 8, Sp(soft, -48)}, {5, 1, Sp(soft, 16)},
                        {1, 5, Sp(soft, -5)}, {14, 5, Sp(soft, -36)}, {5, 3, Sp(soft, -8)}, {5, 5, Sp(soft, -12)}}},
            {3, Up, 30, {{8, 9, Sp(soft, -7)}}},
            {3, Hover, H, {{1, 5, f::HotFrame}, {5, 1, f::HotTop}, {13, 5, f::HotSides}}},
            {3, UpDefault, H, {{5, 8, f::FocusBottom}}},  {3, UpFocus, H, {{5, 2, f::FocusSecondTop}}},
            {3, Down, H, {{5, 4, Sp(base, -15)}, {5, 5, Sp(base, -12)}, {1, 5, Sp(base, -32)}, {13, 5, soft}}},
            {3, Disabled, H, {{5, 5, Sp(soft, -24)}, {0, 5, Sp(soft, -84)}, {1, 1, Sp(soft, -72)}}},
            {4, Up, H, {{5, 5, L}, {5, 2, Hi}, {2, 5, Hi}, {13, 5, F}, {14, 5, Sh}, {1, 8, Dk}}},
            {4, Down, H, {{5, 5, S(Sh, -16)}, {1, 5, S(Sh, -64)}, {2, 5, S(Sh, -32)}, {13, 5, Sh}, {2, 8, S(Sh, -32)}}},
            {4, Disabled, H, {{5, 2, Hi}}},
            {5, Up, H, {{5, 5, S(F, 12)}, {15, 5, Hi}, {14, 5, S(Sh, -26)}, {1, 8, S(Sh, 26)}}},
            {5, Down, H, {{5, 5, S(Sh, 16)}, {15, 5, Hi}}}, {5, Disabled, H, {{15, 5, Sh}}},
            {6, Up, H, {{1, 5, S(L, 8)}, {14, 5, Sh}}},   {6, Down, H, {{15, 5, S(L, 8)}}},
            {7, Up, H, {{1, 5, F}, {0, 5, Hi}}},          {7, Down, H, {{15, 5, Hi}}},
            {7, Disabled, H, {{15, 5, Sh}}},              {8, Up, H, {{0, 5, F}}},
            {8, Hover, H, {{0, 5, Hi}}},                  {8, Down, H, {{0, 5, Sh}}},
            {9, Up, H, {{0, 5, F}}},                      {9, Hover, H, {{5, 5, p.SelLightColor}, {15, 5, Sel}}},
            {9, DownHover, H, {{5, 5, PaleColor(Sel, 128)}}}, {9, Down, H, {{5, 5, F}, {0, 5, Sel}}},
            {11, Up, H, {{0, 0, F}}},                     {12, Up, H, {{0, 5, F}}},
            {12, Hover, H, {{1, 5, L}}},                  {12, Down, H, {{14, 5, L}}},
            {13, Down, H, {{0, 0, F}, {8, 5, S(F, -32)}}}, {13, Hover, H, {{8, 5, F}}},
            {14, Up, H, {{0, 5, S(Sh, -50)}, {14, 5, S(F, -9)}, {5, 3, Hi}, {3, 6, Hi}, {8, 5, S(Hi, -29)}}},
            {14, Up, 20, {{8, 5, S(Hi, -15)}}},           {14, Hover, H, {{8, 5, L}}},
            {14, Down, H, {{8, 5, S(F, -9)}, {0, 5, S(Sh, -48)}, {14, 5, Hi}}},
            {14, Disabled, H, {{8, 5, S(Hi, -29)}}},
        };
        // clang-format on
        for (const Case& c : cases) {
            const QImage image = Painted(c.style, c.look, W, c.height);
            for (const Check& check : c.checks) {
                const Colour actual = Colour::FromQRgb(image.pixel(check.x, check.y));
                QVERIFY2(actual == check.colour,
                         qPrintable(QString::asprintf("style %d look %d at %d,%d: %06x", c.style, int(c.look),
                                                      check.x, check.y, actual.Raw())));
            }
        }
    }

    // Styles 0 and 10 and unknown values show nothing but the face in every look.
    void faceOnlyStyles() {
        QImage plain(W, H, QImage::Format_RGB32);
        plain.fill(test::DistinctColours().GetSysColor(gdi::COLOR_BTNFACE).ToQRgb());
        for (const int style : {0, 10, 15, -1, 1000}) {
            for (const Look look : {Up, Hover, Down, Disabled, UpFocus}) {
                QCOMPARE(Painted(style, look), plain);
            }
        }
    }

    // The focus mark changes only the edge of the focus rectangle, and only for styles that draw one.
    void focusMarks() {
        const std::vector<std::pair<int, QRect>> marks{{1, {4, 4, 8, 6}},   {2, {}},  {7, {3, 3, 10, 8}},
                                                       {11, {3, 3, 10, 8}}, {13, {}}, {14, {6, 6, 6, 4}}};
        for (const auto& [style, mark] : marks) {
            const QImage plain = Painted(style, Up, W, 14);
            const QImage focused = Painted(style, UpFocus, W, 14);
            int changed = 0;
            for (int y = 0; y < 14; ++y) {
                for (int x = 0; x < W; ++x) {
                    if (plain.pixel(x, y) != focused.pixel(x, y)) {
                        ++changed;
                        const bool edge =
                            x == mark.left() || x == mark.right() || y == mark.top() || y == mark.bottom();
                        QVERIFY2(mark.contains(x, y) && edge,
                                 qPrintable(QString("%1: %2,%3").arg(style).arg(x).arg(y)));
                    }
                }
            }
            QCOMPARE(changed > 0, mark.isValid());
        }
    }

    void regions() {
        const QList<QPoint> corners{{0, 0}, {15, 0}, {0, 9}, {15, 9}};
        const QList<QPoint> triples{{0, 0}, {1, 0}, {0, 1}, {14, 0}, {15, 0}, {15, 1},
                                    {0, 9}, {1, 9}, {0, 8}, {14, 9}, {15, 9}, {15, 8}};
        struct Shape {
            int style;
            QList<QPoint> cut;
        };
        const std::vector<Shape> shapes{{1, corners}, {14, corners}, {5, {{15, 0}, {0, 9}}},
                                        {3, triples}, {4, triples},  {2, {}}};
        for (const Shape& shape : shapes) {
            const gdi::Region region = BuildRegion(shape.style, W, H);
            for (int y = -1; y <= H; ++y) {
                for (int x = -1; x <= W; ++x) {
                    const bool in = x >= 0 && y >= 0 && x < W && y < H && !shape.cut.contains(QPoint(x, y));
                    QVERIFY2(gdi::PtInRegion(region, x, y) == in,
                             qPrintable(QString("%1: %2,%3").arg(shape.style).arg(x).arg(y)));
                }
            }
        }
        // The ellipse: a box one pixel short at the right and bottom.
        const gdi::Region ellipse = BuildRegion(13, W, H);
        QVERIFY(gdi::PtInRegion(ellipse, 7, 4) && gdi::PtInRegion(ellipse, 1, 4));
        QVERIFY(!gdi::PtInRegion(ellipse, 0, 0) && !gdi::PtInRegion(ellipse, 15, 4) &&
                !gdi::PtInRegion(ellipse, 7, 9));
    }

    void earlyReturns() {
        ButtonLook look = MakeLook(1, Up);
        test::ButtonSurface surface(look, test::DistinctColours());
        // Same look and the same (empty) caption the fields start with: only a forced paint draws.
        QVERIFY(!surface.Paint(look, StateUp, false));
        QVERIFY(surface.Paint(look, StateUp, true));
        QVERIFY(surface.Paint(look, StateDown, false));
        look.Caption = QStringLiteral("x");
        QVERIFY(surface.Paint(look, StateDown, false));
        // Refreshing off or no height: the last image stays and nothing is recorded.
        const QImage before = surface.image;
        look.RefreshOn = false;
        QVERIFY(!surface.Paint(look, StateUp));
        look.RefreshOn = true;
        look.Height = 0;
        QVERIFY(!surface.Paint(look, StateUp));
        QCOMPARE(surface.image, before);
        QCOMPARE(surface.carried.LastState, StateDown);
        // A checked check-box button looks pressed; an unknown state leaves the face alone.
        look = MakeLook(1, Up);
        look.CheckBoxBehaviour = true;
        look.Value = true;
        QVERIFY(surface.Paint(look, StateUp));
        QCOMPARE(surface.carried.LastState, StateDown);
        QCOMPARE(surface.image, Painted(1, Down));
        look.Value = false;
        QVERIFY(surface.Paint(look, 1));
        QCOMPARE(surface.image, Painted(0, Up));
    }

    // Huge sizes paint what the surface can show, without overflow and without walking every row.
    void hugeButtons() {
        for (int style = 0; style <= 15; ++style) {
            ButtonLook look = MakeLook(style, Up, INT32_MAX, INT32_MAX);
            look.Caption = QStringLiteral("&Huge");
            look.PictureNormal.image = test::SamplePicture();
            look.PicW = INT32_MAX;
            test::ButtonSurface surface(MakeLook(style, Up), test::DistinctColours());
            surface.carried.Layout = LayoutCaption(surface.dc, look, surface.carried.Layout);
            QVERIFY(surface.Paint(look, StateUp) && surface.Paint(look, StateDown));
            look.Enabled = false;
            QVERIFY(surface.Paint(look, StateUp));
            QVERIFY(!BuildRegion(style, INT32_MAX, INT32_MAX).IsNull());
        }
    }
};

QTEST_MAIN(TestButtonPaintStyles)
#include "TestButtonPaintStyles.moc"
