#include <limits>
#include <optional>

#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Shapes.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
const std::map<QRgb, char> Legend{{0xFFFFFFFFu, '.'}, {0xFF000000u, '#'}, {0xFFFF0000u, 'r'}};

enum class Fill { Red, Hollow };

QStringList Draw(int width, int height, int penStyle, int penWidth, Fill fill,
                 const std::function<void(DeviceContext&)>& draw) {
    QImage image = Blank(width, height);
    const SysColours colours = SysColours::Classic();
    const ObjectCountGuard guard;
    {
        DeviceContext dc(image, colours);
        const Pen pen = CreatePen(penStyle, penWidth, Colour(0));
        const Brush red = CreateSolidBrush(Colour(0x0000FF));
        const SelectedObject oldPen = SelectObject(dc, pen);
        const SelectedObject oldBrush =
            fill == Fill::Red ? SelectObject(dc, red) : SelectObject(dc, GetStockObject(NULL_BRUSH));
        draw(dc);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }
    if (!guard.Unchanged()) {
        return {guard.Report()};
    }
    return Picture(image, Legend);
}

QStringList RegionRows(const Region& region, int width, int height, char mark) {
    QStringList rows;
    for (int y = 0; y < height; ++y) {
        QString row;
        for (int x = 0; x < width; ++x) {
            row += QLatin1Char(PtInRegion(region, x, y) ? mark : '.');
        }
        rows << row;
    }
    return rows;
}

} // namespace

class TestShapes : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void Rectangles_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("hollow");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one pixel pen")
            << PS_SOLID << 1 << false << QStringList{"......", ".####.", ".#rr#.", ".####.", "......"};
        QTest::newRow("hollow") << PS_SOLID << 1 << true
                                << QStringList{"......", ".####.", ".#..#.", ".####.", "......"};
        QTest::newRow("no pen") << PS_NULL << 1 << false
                                << QStringList{"......", ".rrr..", ".rrr..", "......", "......"};
        QTest::newRow("two pixel pen")
            << PS_SOLID << 2 << false << QStringList{"#####.", "#####.", "#####.", "#####.", "......"};
        QTest::newRow("inside frame")
            << PS_INSIDEFRAME << 2 << false << QStringList{"......", ".####.", ".####.", ".####.", "......"};
    }
    void Rectangles() {
        QFETCH(int, style);
        QFETCH(int, width);
        QFETCH(bool, hollow);
        QFETCH(QStringList, expected);
        QCOMPARE(Draw(6, 5, style, width, hollow ? Fill::Hollow : Fill::Red,
                      [](DeviceContext& dc) { QVERIFY(Rectangle(dc, 1, 1, 5, 4)); }),
                 expected);
        // Corners in the other order and square RoundRect corners give the same pixels.
        QCOMPARE(Draw(6, 5, style, width, hollow ? Fill::Hollow : Fill::Red,
                      [](DeviceContext& dc) { RoundRect(dc, 5, 4, 1, 1, 0, 0); }),
                 expected);
    }

    void EllipseOutline() {
        QCOMPARE(Draw(9, 9, PS_SOLID, 1, Fill::Hollow, [](DeviceContext& dc) { Ellipse(dc, 0, 0, 9, 9); }),
                 (QStringList{"...###...", ".##...##.", ".#.....#.", "#.......#", "#.......#", "#.......#",
                              ".#.....#.", ".##...##.", "...###..."}));
    }

    void FiguresMatchTheirRegions() {
        // The outlined and filled figure covers the region made with right and bottom one larger; the
        // figure without a pen covers the region of the same numbers.
        for (const auto& [corner, size] : {std::pair{0, QSize(9, 9)}, std::pair{4, QSize(11, 7)},
                                           std::pair{-1, QSize(10, 6)}, std::pair{-1, QSize(7, 12)}}) {
            const int w = size.width();
            const int h = size.height();
            const auto figure = [&](int right, int bottom) {
                return [=](DeviceContext& dc) {
                    if (corner < 0) {
                        Ellipse(dc, 0, 0, right, bottom);
                    } else {
                        RoundRect(dc, 0, 0, right, bottom, corner, corner);
                    }
                };
            };
            const Region larger = corner < 0 ? CreateEllipticRgn(0, 0, w + 1, h + 1)
                                             : CreateRoundRectRgn(0, 0, w + 1, h + 1, corner, corner);
            QStringList covered = Draw(w + 1, h + 1, PS_SOLID, 1, Fill::Red, figure(w, h));
            covered.replaceInStrings(QStringLiteral("r"), QStringLiteral("#"));
            QCOMPARE(covered, RegionRows(larger, w + 1, h + 1, '#'));
            const Region same =
                corner < 0 ? CreateEllipticRgn(0, 0, w, h) : CreateRoundRectRgn(0, 0, w, h, corner, corner);
            QCOMPARE(Draw(w, h, PS_NULL, 1, Fill::Red, figure(w, h)), RegionRows(same, w, h, 'r'));
        }
    }

    void Arcs() {
        const QStringList full =
            Draw(9, 9, PS_SOLID, 1, Fill::Hollow, [](DeviceContext& dc) { Ellipse(dc, 0, 0, 9, 9); });
        QCOMPARE(Draw(9, 9, PS_SOLID, 1, Fill::Red,
                      [](DeviceContext& dc) { Arc(dc, 0, 0, 9, 9, 100, 4, 100, 4); }),
                 full);
        // From 3 o'clock counter-clockwise to 12 o'clock: the upper right quarter only.
        const QStringList quarter = Draw(9, 9, PS_SOLID, 1, Fill::Red,
                                         [](DeviceContext& dc) { Arc(dc, 0, 0, 9, 9, 100, 4, 4, -100); });
        QCOMPARE(quarter, (QStringList{"....##...", "......##.", ".......#.", "........#", "........#",
                                       ".........", ".........", ".........", "........."}));
        // The other way round: everything but that quarter, the two rays' pixels shared.
        const QStringList rest = Draw(9, 9, PS_SOLID, 1, Fill::Red,
                                      [](DeviceContext& dc) { Arc(dc, 0, 0, 9, 9, 4, -100, 100, 4); });
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x) {
                const bool onCircle = full[y][x] == QLatin1Char('#');
                const bool inEither = quarter[y][x] == QLatin1Char('#') || rest[y][x] == QLatin1Char('#');
                QCOMPARE(inEither, onCircle);
            }
        }
    }

    void XorTwiceRestores() {
        QImage image = Blank(12, 9);
        image.setPixel(5, 5, 0xFF123456u);
        const QImage before = image.copy();
        const SysColours colours = SysColours::Classic();
        DeviceContext dc(image, colours);
        SetROP2(dc, R2_XORPEN);
        const Pen pen = CreatePen(PS_SOLID, 2, Colour(0x00FF00));
        const Brush brush = CreateHatchBrush(HS_DIAGCROSS, Colour(0xFF));
        SelectObject(dc, pen);
        SelectObject(dc, brush);
        for (int pass = 0; pass < 2; ++pass) {
            RoundRect(dc, 1, 1, 11, 8, 5, 5);
        }
        QCOMPARE(image, before);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
    }

    void BadBoxes() {
        QElapsedTimer timer;
        timer.start();
        for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(16, 16)}) {
            for (const int width : {1, 2, 7}) {
                Draw(size.width(), size.height(), PS_SOLID, width, Fill::Red, [](DeviceContext& dc) {
                    Rectangle(dc, Min, Min, Max, Max);
                    Ellipse(dc, Min, Min, Max, Max);
                    Ellipse(dc, -1000000, -1000000, 1000000, 1000000);
                    RoundRect(dc, Max, Max, Min, Min, Max, Min);
                    RoundRect(dc, 0, 0, 1, 1, 5, 5);
                    Ellipse(dc, 0, 0, 1, 1);
                    Ellipse(dc, 3, 3, 3, 9);
                    Arc(dc, Min, Min, Max, Max, Min, Max, Max, Min);
                    Arc(dc, 0, 0, 16, 16, 8, 8, 8, 8);
                });
            }
        }
        QVERIFY(timer.elapsed() < 5000);
        // A one-pixel box is a single pixel of the pen.
        QCOMPARE(Draw(3, 3, PS_SOLID, 1, Fill::Red, [](DeviceContext& dc) { Ellipse(dc, 1, 1, 2, 2); }),
                 (QStringList{"...", ".#.", "..."}));
    }
};

QTEST_MAIN(TestShapes)
#include "TestShapes.moc"
