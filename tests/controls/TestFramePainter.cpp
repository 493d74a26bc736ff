#include <limits>

#include <QTest>

#include "FrameTestSupport.h"
#include "controls/frame/FrameProperties.h" // its own checks are compile-time assertions
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls;
using namespace kelvo::controls::test;

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

// "DrawBevelInner x8, DrawCaptionStyle x1": the routines in the order their errors came, with counts.
QString Summary(const std::vector<FrameError>& errors) {
    QStringList parts;
    for (std::size_t i = 0, count = 1; i < errors.size(); ++i, ++count) {
        if (i + 1 == errors.size() || errors[i + 1].procedure != errors[i].procedure) {
            parts << QStringLiteral("%1 x%2").arg(errors[i].procedure).arg(count);
            count = 0;
        }
    }
    return parts.join(QStringLiteral(", "));
}

QList<int> Twips(const FrameInside& inside) {
    return {inside.leftTwips, inside.topTwips, inside.widthTwips, inside.heightTwips};
}

} // namespace

class TestFramePainter : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    // Whole pictures from the geometry of outlines and lines, with the inside rectangle: every square
    // border (corner radius 0 makes the rounded styles square), the caption straddling the top or bottom
    // line, and the inner bevels.
    void pictures_data() {
        QTest::addColumn<FrameLook>("look");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QList<int>>("twips");
        const auto row = [](const char* name, FrameLook look, const char* script, const QList<int>& twips) {
            look.caption = QStringLiteral("A");
            QTest::newRow(name) << look << QString::fromLatin1(script) << twips;
        };
        const auto border = [&](const char* name, int type, const char* script) {
            const bool two = type == 1 || type == 2 || type == 7 || type == 8;
            row(name, Look(14, 10, type), script, two ? QList{30, 30, 150, 90} : QList{15, 15, 180, 120});
        };
        border("1 etched", 1, "S R 0 0 13 9; H R 1 1 14 10");
        border("2 bump", 2, "H R 0 0 13 9; S R 1 1 14 10");
        border("3 dark line", 3, "S R 0 0 13 9");
        border("4 light line", 4, "H R 0 0 14 10");
        border("5 raised lines", 5, "S L 13 9 13 0; S L 13 9 0 9; H L 13 0 0 0; H L 0 9 0 0");
        border("6 sunken lines", 6, "H L 13 9 13 0; H L 13 9 0 9; S L 12 0 0 0; S L 0 8 0 0");
        border("7 etched, radius 0", 7, "S R 0 0 13 9; H R 1 1 14 10");
        border("8 bump, radius 0", 8, "H R 0 0 13 9; S R 1 1 14 10");
        border("9 dark line, radius 0", 9, "S R 0 0 14 10");
        border("10 light line, radius 0", 10, "H R 0 0 14 10");
        border("11 raised, radius 0", 11, "H L 0 0 13 0; H L 0 0 0 9; S L 13 0 13 9; S L 0 9 13 9");
        border("12 sunken, radius 0", 12, "S L 0 0 13 0; S L 0 0 0 9; H L 13 0 13 9; H L 0 9 13 9");
        for (const int none : {0, 13, 14, -1, 100}) {
            border(qPrintable(QStringLiteral("%1 draws no border").arg(none)), none, "");
        }
        row("200 x 100 etched", Look(200, 100, 1), "S R 0 0 199 99; H R 1 1 200 100", {30, 30, 2940, 1440});
        // A 13-pixel caption lifts the line by 13 / 2.25 = 5.78, rounded where the outlines are drawn.
        const auto straddle = [&](const char* name, int alignment, int location, const char* script) {
            FrameLook look = Look(14, 30, 1);
            look.captionAlignment = alignment;
            look.captionLocation = location;
            row(name, look, script, {30, 30, 150, 390});
        };
        straddle("top row on the border", 0, 1, "S R 0 6 13 29; H R 1 7 14 30");
        straddle("bottom row on the border", 8, 1, "S R 0 0 13 23; H R 1 1 14 24");
        straddle("middle row stays inside", 4, 1, "S R 0 0 13 29; H R 1 1 14 30");
        straddle("top row inside the border", 0, 0, "S R 0 0 13 29; H R 1 1 14 30");
        // Border type 3 on 16 x 12 with a bevel 3 pixels in; inside it 4 pixels in, 8 x 4.
        const auto bevel = [&](const char* name, int bevelInner, const char* script) {
            FrameLook look = Look(16, 12, 3);
            look.bevelInner = bevelInner;
            row(name, look, qPrintable(QStringLiteral("S R 0 0 15 11;") + QLatin1String(script)),
                {60, 60, 120, 60});
        };
        bevel("bevel 1 sunken", 1, "S L 3 3 12 3; S L 3 3 3 8; H L 12 3 12 8; H L 3 8 12 8");
        bevel("bevel 2 raised", 2, "H L 3 3 12 3; H L 3 3 3 8; S L 12 3 12 8; S L 3 8 12 8");
        bevel("bevel 3 dark outline", 3, "S R 3 3 13 9");
        bevel("bevel 4 light outline", 4, "H R 3 3 13 9");
        bevel("bevel 5 draws nothing but moves the inside", 5, "");
        bevel("bevel -1 draws nothing but moves the inside", -1, "");
    }
    void pictures() {
        QFETCH(FrameLook, look);
        QFETCH(QString, script);
        QFETCH(QList<int>, twips);
        const Painted painted = Paint(look);
        Expected expected(painted.image.width(), painted.image.height());
        expected.Apply(script);
        QVERIFY2(painted.image == expected.Image(), qPrintable(Difference(painted.image, expected.Image())));
        QVERIFY(painted.result.errors.empty());
        const FrameInside& inside = painted.result.state.inside;
        QCOMPARE(Twips(inside), twips);
        QCOMPARE(inside.widthTwips, qRound(inside.width * 15));
    }

    // Rounded styles match their square selves along the middle of each side; in the corners every pixel
    // drawn lies on the corner's circle, and the outermost corner pixel is cut away.
    void roundedBorders_data() {
        QTest::addColumn<int>("borderType");
        for (const int type : {7, 8, 9, 10, 11, 12}) {
            QTest::addRow("%d", type) << type;
        }
    }
    void roundedBorders() {
        QFETCH(int, borderType);
        const int w = 24, h = 18, r = 4;
        const QImage rounded = Paint(Look(w, h, borderType, r)).image;
        const QImage square = Paint(Look(w, h, borderType, 0)).image;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool corner = (x < 2 * r || x >= w - 2 * r) && (y < 2 * r || y >= h - 2 * r);
                const double distance =
                    std::hypot(x - (x < w / 2 ? r : w - 1 - r), y - (y < h / 2 ? r : h - 1 - r));
                const bool fine = corner ? rounded.pixel(x, y) == Back.ToQRgb() || std::fabs(distance - r) < 2
                                         : rounded.pixel(x, y) == square.pixel(x, y);
                QVERIFY2(fine, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QCOMPARE(rounded.pixel(0, 0), Back.ToQRgb());
        QCOMPARE(rounded.pixel(w - 1, h - 1), Back.ToQRgb());
    }

    void regions_data() {
        QTest::addColumn<int>("borderType");
        QTest::addColumn<int>("radius");
        QTest::addColumn<FrameRegion>("region");
        for (const int type : {1, 2, 3, 4, 5, 6, 0, 14, -1}) {
            QTest::addRow("%d square", type) << type << 4 << FrameRegion{0, 0, 21, 17, 0};
        }
        for (const int type : {7, 8, 9, 10, 11, 12}) {
            QTest::addRow("%d rounded", type) << type << 4 << FrameRegion{0, 0, 21, 17, 8};
        }
        QTest::newRow("13 inset") << 13 << 4 << FrameRegion{1, 1, 20, 16, 8};
        QTest::newRow("7 radius 0") << 7 << 0 << FrameRegion{0, 0, 21, 17, 0};
    }
    void regions() {
        QFETCH(int, borderType);
        QFETCH(int, radius);
        QFETCH(FrameRegion, region);
        const FramePaintResult result = Paint(Look(20, 16, borderType, radius)).result;
        QVERIFY(result.region.has_value());
        QCOMPARE(*result.region, region);
        // The window keeps exactly its own pixels, less the cut corners and style 13's outer ring.
        const gdi::Region shape = CreateFrameRegion(region);
        const bool inset = borderType == 13;
        const bool cut = region.corner >= 2 || inset;
        QCOMPARE(gdi::PtInRegion(shape, 10, 0), !inset);
        QCOMPARE(gdi::PtInRegion(shape, 19, 8), !inset);
        QVERIFY(gdi::PtInRegion(shape, 10, 1) && gdi::PtInRegion(shape, 18, 8));
        QVERIFY(!gdi::PtInRegion(shape, 20, 8) && !gdi::PtInRegion(shape, 10, 16));
        QCOMPARE(gdi::PtInRegion(shape, 0, 0), !cut);
        QCOMPARE(gdi::PtInRegion(shape, 19, 15), !cut);
    }

    // A rounded bevel shortens its lines by the corner radius and joins them with quarter arcs.
    void roundedBevel() {
        FrameLook look = Look(30, 24, 9, 3);
        look.bevelInner = 1;
        const QImage image = Paint(look).image;
        // X = 3, r = 3: the top line runs from column 6 to 22, the left one from row 6 to 16.
        QCOMPARE(image.pixel(6, 3), Sh.ToQRgb());
        QCOMPARE(image.pixel(22, 3), Sh.ToQRgb());
        QCOMPARE(image.pixel(3, 16), Sh.ToQRgb());
        QCOMPARE(image.pixel(26, 14), Hi.ToQRgb());
        // Only the arcs reach into the corners the lines leave free.
        QVERIFY(image.copy(3, 3, 3, 3) != Expected(3, 3).Image());
        QVERIFY(image.copy(24, 18, 3, 3) != Expected(3, 3).Image());
    }

    // A 30 x 13 caption on a 120 x 60 frame.
    void captionPlacement_data() {
        QTest::addColumn<FrameLook>("look");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<bool>("blank");
        const auto row = [](const char* name, int type, int radius, int location, int bevel, int alignment,
                            QPointF position, bool blank) {
            FrameLook look = Look(120, 60, type, radius);
            look.caption = QStringLiteral("Frame");
            look.captionLocation = location;
            look.captionAlignment = alignment;
            look.bevelInner = bevel;
            look.bevelWidth = 4;
            QTest::newRow(name) << look << position << blank;
        };
        const QList<QPointF> inside{{3, 1},     {45, 1}, {87, 1},  {3, 23.5}, {45, 23.5},
                                    {87, 23.5}, {3, 44}, {45, 44}, {87, 44}};
        const QList<QPointF> onLine{{6, 1},     {45, 1}, {84, 1},  {3, 23.5}, {45, 23.5},
                                    {87, 23.5}, {6, 44}, {45, 44}, {84, 44}};
        for (int a = 0; a < 9; ++a) {
            row(qPrintable(QStringLiteral("inside %1").arg(a)), 1, 0, 0, 0, a, inside[a], false);
            row(qPrintable(QStringLiteral("on the border %1").arg(a)), 1, 0, 1, 0, a, onLine[a],
                a < 3 || a > 5);
        }
        row("rounded margin", 7, 5, 0, 0, 0, QPointF(8, 1), false);
        row("rounded right", 9, 5, 1, 0, 8, QPointF(82, 44), true);
        row("rounded radius 0", 7, 0, 0, 0, 0, QPointF(0, 1), false);
        row("no border", 0, 5, 0, 0, 2, QPointF(89, 1), false);
        // Inside a 4-pixel bevel the grid is 8 pixels smaller and starts 4 pixels in; no straddle.
        row("bevel top left", 1, 0, 1, 1, 0, QPointF(10, 5), false);
        row("bevel centre", 1, 0, 1, 1, 4, QPointF(45, 23.5), false);
        row("bevel bottom right", 1, 0, 1, 1, 8, QPointF(80, 40), false);
    }
    void captionPlacement() {
        QFETCH(FrameLook, look);
        QFETCH(QPointF, position);
        QFETCH(bool, blank);
        const FrameLabels labels = Paint(look).result.state.labels;
        QCOMPARE(labels.caption, position);
        QCOMPARE(labels.blankVisible, blank);
        QCOMPARE(labels.blank, QRectF(position - QPointF(1, 1), QSizeF(32, 15)));
    }

    // The shadow label is offset for styles 1 and 2; other styles, an empty caption and an alignment off
    // the grid leave the labels where they were (11, 5 and the shadow at 7, 9).
    void captionStyles_data() {
        QTest::addColumn<FrameLook>("look");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QPointF>("shadow");
        const auto row = [](const char* name, const char* caption, int alignment, int caption3D,
                            QPointF position, bool visible, QPointF shadow) {
            FrameLook look = Look(60, 30, 1);
            look.caption = QString::fromLatin1(caption);
            look.captionAlignment = alignment;
            look.caption3D = caption3D;
            QTest::newRow(name) << look << position << visible << shadow;
        };
        row("flat", "Tx", 0, 0, QPointF(3, 1), false, QPointF(7, 9));
        row("light fringe lower right", "Tx", 0, 1, QPointF(3, 1), true, QPointF(4, 2));
        row("light fringe upper left", "Tx", 0, 2, QPointF(3, 1), true, QPointF(2, 0));
        row("3D -1 keeps the shadow", "Tx", 0, -1, QPointF(3, 1), true, QPointF(7, 9));
        row("3D 100 keeps the shadow", "Tx", 0, 100, QPointF(3, 1), true, QPointF(7, 9));
        row("empty caption", "", 4, 1, QPointF(11, 5), true, QPointF(7, 9));
        row("alignment -1", "Tx", -1, 1, QPointF(11, 5), true, QPointF(12, 6));
        row("alignment 100", "Tx", 100, 0, QPointF(11, 5), false, QPointF(7, 9));
    }
    void captionStyles() {
        QFETCH(FrameLook, look);
        QFETCH(QPointF, position);
        QFETCH(bool, visible);
        QFETCH(QPointF, shadow);
        FrameState previous;
        previous.captionLeft = 11;
        previous.captionTop = 5;
        previous.labels.caption = QPointF(11, 5);
        previous.labels.shadowVisible = true;
        previous.labels.shadow = QPointF(7, 9);
        const FramePaintResult result = Paint(look, previous).result;
        QCOMPARE(result.state.labels.caption, position);
        QCOMPARE(result.state.labels.shadowVisible, visible);
        QCOMPARE(result.state.labels.shadow, shadow);
        QVERIFY(result.errors.empty());
    }

    void flood_data() {
        QTest::addColumn<FrameLook>("look");
        QTest::addColumn<QRect>("bar"); // inclusive corners; empty for none
        // 40 x 20 with border type 3: F = 1, or 3 + 1 inside a bevel of width 3.
        const auto row = [](const char* name, int floodType, int percent, int bevel, QRect bar) {
            FrameLook look = Look(40, 20, 3);
            look.floodType = floodType;
            look.floodPercent = percent;
            look.bevelInner = bevel;
            QTest::newRow(name) << look << bar;
        };
        row("half, left to right", 0, 50, 0, QRect(QPoint(1, 1), QPoint(19, 18)));
        row("full, left to right", 0, 100, 0, QRect(QPoint(1, 1), QPoint(38, 18)));
        row("1 percent rounds back over F", 0, 1, 0, QRect(QPoint(0, 1), QPoint(1, 18)));
        row("half, bottom to top", 1, 50, 0, QRect(QPoint(1, 10), QPoint(38, 18)));
        row("full, bottom to top", 7, 100, 0, QRect(QPoint(1, 1), QPoint(38, 18)));
        row("half inside a bevel", 0, 50, 3, QRect(QPoint(4, 4), QPoint(19, 15)));
        row("150 from the store", 0, 150, 0, QRect(QPoint(1, 1), QPoint(39, 18)));
        row("0 draws none", 0, 0, 0, QRect());
        row("-5 from the store draws none", 0, -5, 0, QRect());
    }
    void flood() {
        QFETCH(FrameLook, look);
        QFETCH(QRect, bar);
        const QImage image = Paint(look).image;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                QVERIFY2((image.pixel(x, y) == Flood.ToQRgb()) == bar.contains(x, y),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }

    // The percentage replaces the caption and is placed by its own size; the flood alone draws nothing
    // else and leaves the window's region alone.
    void floodCaption() {
        FrameLook look = Look(60, 30, 1);
        look.caption = QStringLiteral("Memory");
        look.floodShowPct = true;
        look.floodPercent = 50;
        look.captionAlignment = 4;
        const FramePaintResult pass = Paint(look).result;
        QCOMPARE(pass.state.labels.text, QStringLiteral("50%"));
        QCOMPARE(pass.state.labels.caption, QPointF((60 - 18) / 2.0, (30 - 13) / 2.0));
        QImage image(60, 30, QImage::Format_RGB32);
        image.fill(Qt::black);
        const gdi::SysColours colours = gdi::SysColours::Classic();
        gdi::DeviceContext dc(image, colours);
        look.floodPercent = 0;
        const FramePaintResult flood = PaintFlood(dc, Measured(look), pass.state);
        QCOMPARE(flood.state.labels.text, QStringLiteral("0%"));
        QCOMPARE(flood.state.labels.caption, QPointF((60 - 12) / 2.0, (30 - 13) / 2.0));
        QVERIFY(!flood.region.has_value());
        QCOMPARE(image, Expected(60, 30, gdi::Colour(0)).Image());
    }

    void gradients_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("reds"); // each line's red; -1 where no line is drawn
        const QList<int> tens{0, 20, 40, 60, 80, 100, 120, 140, 160, 180};
        QTest::newRow("exact steps") << 1 << 0 << 0 << 200 << tens;
        QTest::newRow("vertical") << 2 << 0 << 0 << 200 << tens;
        QTest::newRow("halves to even") << 1 << 0 << 0 << 5 << QList<int>{0, 0, 1, 2, 2, 2, 3, 4, 4, 4};
        // 3 + 3 x 47 / 6 is 26.5 exactly, but the single-precision steps add up to just above it.
        QTest::newRow("single precision")
            << 1 << 4 << 3 << 50 << QList<int>{3, 11, 19, 27, 34, 42, 50, -1, -1, -1};
        QTest::newRow("n = 0: one line")
            << 1 << 10 << 3 << 50 << QList<int>{3, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        QTest::newRow("n < 0: none") << 2 << 11 << 3 << 50 << QList<int>(10, -1);
        QTest::newRow("style 3: none") << 3 << 0 << 3 << 50 << QList<int>(10, -1);
    }
    void gradients() {
        QFETCH(int, direction);
        QFETCH(int, radius);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, reds);
        FrameLook look = Look(10, 10, 1, radius);
        look.fillGradient = direction;
        look.surface.fillColor = gdi::Colour::FromRgb(static_cast<std::uint8_t>(from), 0, 0);
        look.backColor = gdi::Colour::FromRgb(static_cast<std::uint8_t>(to), 0, 0);
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        const gdi::SysColours colours = gdi::SysColours::Classic();
        gdi::DeviceContext dc(image, colours);
        DrawGradiant(dc, look);
        for (int i = 0; i < 100; ++i) {
            const int line = direction == 2 ? i / 10 : i % 10;
            QCOMPARE(image.pixel(i % 10, i / 10), reds[line] < 0 ? qRgb(1, 2, 3) : qRgb(reds[line], 0, 0));
        }
        // The pass clears to the back colour first and draws the border over the gradient.
        look.borderType = 3;
        const int line = direction == 2 ? 5 : 1;
        QCOMPARE(Paint(look).image.pixel(1, 5), qRgb(reds[line] < 0 ? to : reds[line], 0, 0));
    }

    // Bad values: the paint completes inside its buffer, and the failing statements are listed under
    // their routines.
    void badInput_data() {
        struct Row {
            const char* name;
            double size;
            std::int32_t borderType, bevelInner, bevelWidth, radius, percent, style, alignment, length;
            const char* errors;
        };
        const Row rows[] = {
            {"border type -1", 64, -1, 0, 3, 7, 0, 0, 0, 7, ""},
            {"border type 100", 64, 100, 0, 3, 7, 0, 0, 0, 7, ""},
            {"bevel inner -1", 64, 1, -1, 3, 7, 0, 0, 0, 7, ""},
            {"bevel inner 100", 64, 1, 100, 3, 7, 0, 0, 0, 7, ""},
            {"caption 3D -1", 64, 1, 0, 3, 7, 0, -1, 0, 7, ""},
            {"caption 3D 100", 64, 1, 0, 3, 7, 0, 100, 0, 7, ""},
            {"alignment -1", 64, 1, 0, 3, 7, 0, 0, -1, 7, ""},
            {"alignment 100", 64, 1, 0, 3, 7, 0, 0, 100, 7, ""},
            {"bevel width 0", 64, 1, 1, 0, 7, 0, 0, 0, 7, ""},
            {"bevel width -5", 64, 1, 2, -5, 7, 0, 0, 0, 7, ""},
            {"bevel width over the size", 64, 1, 3, 1000, 7, 0, 0, 0, 7, ""},
            {"bevel width huge", 64, 1, 1, Max, 7, 0, 0, 0, 7,
             "DrawBevelInner x8, DrawCaptionAlignment x2, DrawCaptionStyle x1"},
            {"radius 0", 64, 11, 0, 3, 0, 0, 0, 0, 7, ""},
            {"radius -3", 64, 11, 0, 3, -3, 0, 0, 0, 7, "UserControl_Resize x4"},
            {"radius over the size", 64, 8, 0, 3, 1000, 0, 0, 0, 7, ""},
            {"radius huge", 64, 11, 0, 3, Max, 0, 0, 0, 7, "UserControl_Resize x5, DrawCaptionAlignment x1"},
            {"radius most negative", 64, 7, 0, 3, Min, 0, 0, 0, 7,
             "UserControl_Resize x1, DrawCaptionStyle x1"},
            {"flood -5", 64, 1, 0, 3, 7, -5, 0, 0, 7, ""},
            {"flood 150 in a bevel", 64, 1, 1, 3, 7, 150, 0, 0, 7, ""},
            {"caption of 10,000 characters", 64, 1, 0, 3, 7, 50, 1, 4, 10000, ""},
            {"zero size", 0, 9, 2, 3, 7, 50, 2, 8, 7, ""},
            {"huge size", 1e9, 8, 0, 3, 7, 0, 0, 0, 7, "UserControl_Resize x2"},
            {"beyond 32 bits", 3e9, 1, 0, 3, 7, 0, 0, 0, 7, "UserControl_Resize x5"},
        };
        QTest::addColumn<FrameLook>("look");
        QTest::addColumn<QString>("errors");
        for (const Row& row : rows) {
            FrameLook look = Look(static_cast<float>(row.size), static_cast<float>(row.size * 0.625),
                                  row.borderType, row.radius);
            look.bevelInner = row.bevelInner;
            look.bevelWidth = row.bevelWidth;
            look.floodPercent = row.percent;
            look.caption3D = row.style;
            look.captionAlignment = row.alignment;
            look.caption = QString(row.length, QLatin1Char('W'));
            look.fillGradient = row.size == 64 ? 0 : 1;
            QTest::newRow(row.name) << look << QString::fromLatin1(row.errors);
        }
    }
    void badInput() {
        QFETCH(FrameLook, look);
        QFETCH(QString, errors);
        GuardedImage buffer(static_cast<int>(std::min(look.scaleWidth, 64.0f)),
                            static_cast<int>(std::min(look.scaleHeight, 40.0f)));
        const gdi::SysColours colours = gdi::SysColours::Classic();
        gdi::DeviceContext dc(buffer.Image(), colours);
        gdi::SetROP2(dc, gdi::R2_NOT); // the pass draws in copy pen and puts the context's mode back
        const FramePaintResult result = PaintFrame(dc, Measured(look), FrameState{});
        QCOMPARE(gdi::GetROP2(dc), gdi::R2_NOT);
        QVERIFY(buffer.Intact());
        QCOMPARE(Summary(result.errors), errors);
        for (const FrameError& error : result.errors) {
            QCOMPARE(error.description,
                     error.number == 5 ? "Invalid procedure call or argument" : "Overflow");
        }
    }
};

QTEST_MAIN(TestFramePainter)
#include "TestFramePainter.moc"
