#include <QTest>

#include "ButtonPaintSupport.h"
#include "platform/gdi/Region.h"
#include "tests/platform/gdi/GuardedTest.h"

// The looks of every style, checked at pixels whose colour follows from the style's geometry alone
// (no caption, no picture, a 16 x 10 button), the window shapes and the focus marks.
using namespace kelvo;
using namespace kelvo::controls::button;
using gdi::Colour;

Q_DECLARE_METATYPE(kelvo::gdi::Colour)

namespace {

constexpr int W = 16;
constexpr int H = 10;

enum Look { Up, Hover, Down, DownHover, Disabled, UpDefault, DownDefault, UpFocus };

gdi::SysColours Colours() {
    gdi::SysColours colours;
    colours.SetSysColor(gdi::COLOR_BTNFACE, Colour(0x906030));
    colours.SetSysColor(gdi::COLOR_BTNTEXT, Colour(0x010203));
    colours.SetSysColor(gdi::COLOR_BTNSHADOW, Colour(0x707172));
    colours.SetSysColor(gdi::COLOR_3DLIGHT, Colour(0xA0A1A2));
    colours.SetSysColor(gdi::COLOR_BTNHIGHLIGHT, Colour(0xE0E1E2));
    colours.SetSysColor(gdi::COLOR_3DDKSHADOW, Colour(0x202122));
    colours.SetSysColor(gdi::COLOR_HIGHLIGHT, Colour(0x6A240A));
    return colours;
}

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

std::uint8_t StateOf(Look look) {
    return look == Down || look == DownHover || look == DownDefault ? StateDown : StateUp;
}

QImage Painted(int style, Look look, int width = W, int height = H) {
    const ButtonLook b = MakeLook(style, look, width, height);
    test::ButtonSurface surface(b, Colours());
    surface.Paint(b, StateOf(look));
    return surface.image;
}

} // namespace

class TestButtonPaintStyles : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void keyPixels_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("look");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Colour>("expected");
        const gdi::SysColours colours = Colours();
        PaletteSource source;
        const ButtonPalette p = BuildPalette(source, colours);
        source.ButtonType = 3;
        const Colour soft3 = BuildPalette(source, colours).SoftColor;
        const Colour F = p.FaceColor, L = p.LightColor, Hi = p.HiliteColor, Sh = p.ShadowColor,
                     Dk = p.DkShadowColor, Sel = p.SelColor, SL = p.SelLightColor;
        const auto S = [](Colour c, int d) { return ShadeColor(c, d, false, false); };
        const auto Sp = [](Colour c, int d) { return ShadeColor(c, d, true, false); };
        const Colour base3 = Sp(soft3, -32);
        struct Row {
            const char* name;
            int style;
            Look look;
            int height;
            QPoint at;
            Colour expected;
        };
        const std::vector<Row> rows{
            {"1 up outer ring", 1, Up, H, {1, 5}, Hi},
            {"1 up outer bottom", 1, Up, H, {1, 8}, Sh},
            {"1 up inner ring", 1, Up, H, {13, 5}, Sh},
            {"1 up frame", 1, Up, H, {0, 0}, Dk},
            {"1 up inside", 1, Up, H, {3, 4}, F},
            {"1 down", 1, Down, H, {1, 1}, Sh},
            {"1 down bottom", 1, Down, H, {5, 8}, Hi},
            {"1 disabled", 1, Disabled, H, {2, 2}, Hi},
            {"2 up edge", 2, Up, H, {0, 5}, Hi},
            {"2 up dark edge", 2, Up, H, {15, 5}, Dk},
            {"2 up light ring", 2, Up, H, {1, 1}, L},
            {"2 up shadow ring", 2, Up, H, {5, 8}, Sh},
            {"2 default frame", 2, UpDefault, H, {0, 0}, Dk},
            {"2 default bevel", 2, UpDefault, H, {14, 5}, Dk},
            {"2 default inner", 2, UpDefault, H, {13, 5}, Sh},
            {"2 down", 2, Down, H, {0, 5}, Dk},
            {"2 down light", 2, Down, H, {14, 4}, L},
            {"2 down default", 2, DownDefault, H, {1, 1}, Sh},
            {"2 down default face", 2, DownDefault, H, {2, 2}, F},
            {"3 frame", 3, Up, H, {0, 5}, fixed::Style3Frame},
            {"3 corner", 3, Up, H, {1, 1}, fixed::Style3Corner},
            {"3 bottom", 3, Up, H, {5, 8}, Sp(soft3, -48)},
            {"3 top", 3, Up, H, {5, 1}, Sp(soft3, 16)},
            {"3 second top", 3, Up, H, {5, 2}, Sp(soft3, 10)},
            {"3 left", 3, Up, H, {1, 5}, Sp(soft3, -5)},
            {"3 right", 3, Up, H, {14, 5}, Sp(soft3, -36)},
            {"3 row 3", 3, Up, H, {5, 3}, Sp(soft3, -8)},
            {"3 row 5 half to even", 3, Up, H, {5, 5}, Sp(soft3, -12)},
            {"3 single step", 3, Up, 30, {8, 9}, Sp(soft3, -7)},
            {"3 hot frame", 3, Hover, H, {1, 5}, fixed::HotFrame},
            {"3 hot top", 3, Hover, H, {5, 1}, fixed::HotTop},
            {"3 hot side", 3, Hover, H, {13, 5}, fixed::HotSides},
            {"3 default edging", 3, UpDefault, H, {5, 8}, fixed::FocusBottom},
            {"3 focused edging", 3, UpFocus, H, {5, 2}, fixed::FocusSecondTop},
            {"3 down row 4", 3, Down, H, {5, 4}, Sp(base3, -15)},
            {"3 down row 5", 3, Down, H, {5, 5}, Sp(base3, -12)},
            {"3 down left", 3, Down, H, {1, 5}, Sp(base3, -32)},
            {"3 down inner", 3, Down, H, {13, 5}, soft3},
            {"3 disabled", 3, Disabled, H, {5, 5}, Sp(soft3, -24)},
            {"3 disabled frame", 3, Disabled, H, {0, 5}, Sp(soft3, -84)},
            {"3 disabled corner", 3, Disabled, H, {1, 1}, Sp(soft3, -72)},
            {"4 up face", 4, Up, H, {5, 5}, L},
            {"4 up highlight", 4, Up, H, {5, 2}, Hi},
            {"4 up left", 4, Up, H, {2, 5}, Hi},
            {"4 up inner right", 4, Up, H, {13, 5}, F},
            {"4 up shadow", 4, Up, H, {14, 5}, Sh},
            {"4 up corner", 4, Up, H, {1, 8}, Dk},
            {"4 down face", 4, Down, H, {5, 5}, S(Sh, -16)},
            {"4 down ring", 4, Down, H, {1, 5}, S(Sh, -64)},
            {"4 down second ring", 4, Down, H, {2, 5}, S(Sh, -32)},
            {"4 down inner", 4, Down, H, {13, 5}, Sh},
            {"4 down corner", 4, Down, H, {2, 8}, S(Sh, -32)},
            {"4 disabled", 4, Disabled, H, {5, 2}, Hi},
            {"5 up face", 5, Up, H, {5, 5}, S(F, 12)},
            {"5 up outer", 5, Up, H, {15, 5}, Hi},
            {"5 up frame", 5, Up, H, {14, 5}, S(Sh, -26)},
            {"5 up dot", 5, Up, H, {1, 8}, S(Sh, 26)},
            {"5 down face", 5, Down, H, {5, 5}, S(Sh, 16)},
            {"5 down edge", 5, Down, H, {15, 5}, Hi},
            {"5 disabled", 5, Disabled, H, {15, 5}, Sh},
            {"6 up", 6, Up, H, {1, 5}, S(L, 8)},
            {"6 down", 6, Down, H, {15, 5}, S(L, 8)},
            {"6 disabled", 6, Disabled, H, {14, 5}, Sh},
            {"7 up outer only", 7, Up, H, {1, 5}, F},
            {"7 up", 7, Up, H, {0, 5}, Hi},
            {"7 down", 7, Down, H, {15, 5}, Hi},
            {"7 disabled", 7, Disabled, H, {15, 5}, Sh},
            {"8 flat", 8, Up, H, {0, 5}, F},
            {"8 hovered", 8, Hover, H, {0, 5}, Hi},
            {"8 down", 8, Down, H, {0, 5}, Sh},
            {"8 disabled", 8, Disabled, H, {0, 5}, F},
            {"9 flat", 9, Up, H, {0, 5}, F},
            {"9 hovered face", 9, Hover, H, {5, 5}, SL},
            {"9 hovered frame", 9, Hover, H, {15, 5}, Sel},
            {"9 down hovered", 9, DownHover, H, {5, 5}, PaleColor(Sel, 128)},
            {"9 down", 9, Down, H, {5, 5}, F},
            {"9 down frame", 9, Down, H, {0, 5}, Sel},
            {"11 face", 11, Up, H, {0, 0}, F},
            {"12 flat", 12, Up, H, {0, 5}, F},
            {"12 hovered", 12, Hover, H, {1, 5}, L},
            {"12 down", 12, Down, H, {14, 5}, L},
            {"12 disabled", 12, Disabled, H, {0, 5}, F},
            {"13 corner untouched", 13, Down, H, {0, 0}, F},
            {"13 down middle", 13, Down, H, {8, 5}, S(F, -32)},
            {"13 hovered middle", 13, Hover, H, {8, 5}, F},
            {"14 frame", 14, Up, H, {0, 5}, S(Sh, -50)},
            {"14 inner frame", 14, Up, H, {14, 5}, S(F, -9)},
            {"14 top light", 14, Up, H, {5, 3}, Hi},
            {"14 left light", 14, Up, H, {3, 6}, Hi},
            {"14 gradient", 14, Up, H, {8, 5}, S(Hi, -29)},
            {"14 single step", 14, Up, 20, {8, 5}, S(Hi, -15)},
            {"14 hovered", 14, Hover, H, {8, 5}, L},
            {"14 down", 14, Down, H, {8, 5}, S(F, -9)},
            {"14 down frame", 14, Down, H, {0, 5}, S(Sh, -48)},
            {"14 down light", 14, Down, H, {14, 5}, Hi},
            {"14 disabled", 14, Disabled, H, {8, 5}, S(Hi, -29)},
        };
        for (const Row& row : rows) {
            QTest::newRow(row.name) << row.style << int(row.look) << row.height << row.at << row.expected;
        }
    }
    void keyPixels() {
        QFETCH(int, style);
        QFETCH(int, look);
        QFETCH(int, height);
        QFETCH(QPoint, at);
        QFETCH(Colour, expected);
        const QImage image = Painted(style, static_cast<Look>(look), W, height);
        QCOMPARE(Colour::FromQRgb(image.pixel(at)), expected);
    }

    // Styles 0 and 10 and unknown values show nothing but the face in every look.
    void faceOnlyStyles() {
        const Colour face = BuildPalette(PaletteSource(), Colours()).FaceColor;
        QImage plain(W, H, QImage::Format_RGB32);
        plain.fill(face.ToQRgb());
        for (const int style : {0, 10, 15, -1, 1000}) {
            for (const Look look : {Up, Hover, Down, Disabled, UpFocus}) {
                QCOMPARE(Painted(style, look), plain);
            }
        }
    }

    // The focus mark is the dotted rectangle, only where the style draws one.
    void focusMarks_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QRect>("mark");
        QTest::newRow("1") << 1 << QRect(4, 4, 8, 6);
        QTest::newRow("2 not default") << 2 << QRect();
        QTest::newRow("7") << 7 << QRect(3, 3, 10, 8);
        QTest::newRow("11") << 11 << QRect(3, 3, 10, 8);
        QTest::newRow("13 none") << 13 << QRect();
        QTest::newRow("14 moved") << 14 << QRect(6, 6, 6, 4);
    }
    void focusMarks() {
        QFETCH(int, style);
        QFETCH(QRect, mark);
        const QImage plain = Painted(style, Up, W, 14);
        const QImage focused = Painted(style, UpFocus, W, 14);
        int changed = 0;
        for (int y = 0; y < 14; ++y) {
            for (int x = 0; x < W; ++x) {
                if (plain.pixel(x, y) == focused.pixel(x, y)) {
                    continue;
                }
                ++changed;
                const bool onEdge =
                    (x == mark.left() || x == mark.right() || y == mark.top() || y == mark.bottom());
                QVERIFY2(mark.isValid() && mark.contains(x, y) && onEdge,
                         qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
        }
        QCOMPARE(changed > 0, mark.isValid());
    }

    void regions_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("area");
        QTest::addColumn<QList<QPoint>>("outside");
        QTest::addColumn<QList<QPoint>>("inside");
        QTest::newRow("1") << 1 << W * H - 4 << QList<QPoint>{{0, 0}, {15, 0}, {0, 9}, {15, 9}}
                           << QList<QPoint>{{1, 0}, {0, 1}, {14, 9}};
        QTest::newRow("14") << 14 << W * H - 4 << QList<QPoint>{{0, 0}, {15, 9}} << QList<QPoint>{{1, 0}};
        QTest::newRow("5") << 5 << W * H - 2 << QList<QPoint>{{15, 0}, {0, 9}}
                           << QList<QPoint>{{0, 0}, {15, 9}};
        const QList<QPoint> cut{{0, 0}, {1, 0}, {0, 1}, {14, 0}, {15, 0}, {15, 1},
                                {0, 9}, {1, 9}, {0, 8}, {14, 9}, {15, 9}, {15, 8}};
        const QList<QPoint> kept{{2, 0}, {1, 1}, {0, 2}, {13, 0}, {15, 2}, {2, 9}};
        QTest::newRow("3") << 3 << W * H - 12 << cut << kept;
        QTest::newRow("4") << 4 << W * H - 12 << cut << kept;
        QTest::newRow("2 whole") << 2 << W * H << QList<QPoint>{{16, 0}, {0, 10}}
                                 << QList<QPoint>{{0, 0}, {15, 9}};
        QTest::newRow("13 ellipse") << 13 << -1 << QList<QPoint>{{0, 0}, {15, 4}, {7, 9}}
                                    << QList<QPoint>{{7, 4}, {1, 4}};
    }
    void regions() {
        QFETCH(int, style);
        QFETCH(int, area);
        QFETCH(QList<QPoint>, outside);
        QFETCH(QList<QPoint>, inside);
        const gdi::Region region = BuildRegion(style, W, H);
        for (const QPoint& p : outside) {
            QVERIFY2(!gdi::PtInRegion(region, p.x(), p.y()),
                     qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        }
        for (const QPoint& p : inside) {
            QVERIFY2(gdi::PtInRegion(region, p.x(), p.y()),
                     qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        }
        if (area >= 0) {
            int count = 0;
            for (const QRect& r : region.Get()->region) {
                count += r.width() * r.height();
            }
            QCOMPARE(count, area);
        }
    }

    void earlyReturns() {
        ButtonLook look = MakeLook(1, Up);
        test::ButtonSurface surface(look, Colours());
        // Same look, same (empty) caption as the fields start with: only a forced paint draws.
        QVERIFY(!surface.Paint(look, StateUp, false));
        QVERIFY(surface.Paint(look, StateUp, true));
        QVERIFY(!surface.Paint(look, StateUp, false));
        QVERIFY(surface.Paint(look, StateDown, false));
        QCOMPARE(surface.fields.LastState, StateDown);
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
        QCOMPARE(surface.fields.LastState, StateDown);
    }

    void checkedButtonLooksPressed() {
        ButtonLook look = MakeLook(1, Up);
        look.CheckBoxBehaviour = true;
        look.Value = true;
        test::ButtonSurface surface(look, Colours());
        QVERIFY(surface.Paint(look, StateUp));
        QCOMPARE(surface.fields.LastState, StateDown);
        QCOMPARE(surface.image, Painted(1, Down));
        // Any other state leaves only the face.
        look.Value = false;
        QVERIFY(surface.Paint(look, 1));
        QCOMPARE(surface.image, Painted(0, Up));
    }

    // Huge sizes paint what the surface can show, quickly, without overflow.
    void hugeButtons() {
        for (int style = 0; style <= 15; ++style) {
            ButtonLook look = MakeLook(style, Up, INT32_MAX, INT32_MAX);
            look.Caption = QStringLiteral("&Huge");
            look.PictureNormal.image = test::SamplePicture();
            look.PicW = INT32_MAX;
            look.PicH = 16;
            QImage image(W, H, QImage::Format_RGB32);
            gdi::DeviceContext dc(image, Colours());
            ButtonFields fields;
            fields.Layout = LayoutCaption(dc, look, fields.Layout);
            for (const std::uint8_t state : {StateUp, StateDown}) {
                QVERIFY(PaintButton(dc, look, fields, state, true));
            }
            look.Enabled = false;
            QVERIFY(PaintButton(dc, look, fields, StateUp, true));
            const gdi::Region region = BuildRegion(style, INT32_MAX, INT32_MAX);
            QVERIFY(!region.IsNull());
        }
    }

    void focusRectangles() {
        QCOMPARE(FocusRectFor(1, W, H), (gdi::Rect{4, 4, 12, 6}));
        QCOMPARE(FocusRectFor(7, W, H), (gdi::Rect{3, 3, 13, 7}));
        QCOMPARE(FocusRectFor(13, W, H), (gdi::Rect{3, 3, 13, 7}));
        QCOMPARE(FocusRectFor(14, W, H), (gdi::Rect{6, 6, 12, 6}));
        QCOMPARE(FocusRectFor(-3, W, H), (gdi::Rect{4, 4, 12, 6}));
        QCOMPARE(FocusRectFor(2, INT32_MAX, INT32_MIN), (gdi::Rect{4, 4, INT32_MAX - 4, INT32_MIN}));
    }
};

QTEST_MAIN(TestButtonPaintStyles)
#include "TestButtonPaintStyles.moc"
