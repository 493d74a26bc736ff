#include <limits>
#include <optional>

#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/ObjectCountGuard.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {
constexpr QRgb Background = 0xFF00FF00u;
// Classic colours: S shadow, H highlight, L 3-D light (the same as the face), D dark shadow.
const std::map<QRgb, char> Legend{
    {Background, '.'}, {0xFF808080u, 'S'}, {0xFFFFFFFFu, 'H'}, {0xFFD4D0C8u, 'L'}, {0xFF404040u, 'D'}};
constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
} // namespace

class TestEdges : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private:
    const SysColours colours_ = SysColours::Classic();

private slots:
    void EdgePatterns_data() {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("etched") << 6u << 15u << QStringList{"SSSSSSH", "SHHHHSH", "SH...SH",
                                                            "SH...SH", "SSSSSSH", "HHHHHHH"};
        QTest::newRow("bump") << 9u << 15u << QStringList{"LLLLLLD", "LDDDDLD", "LD...LD",
                                                          "LD...LD", "LLLLLLD", "DDDDDDD"};
        QTest::newRow("sunken outer")
            << 2u << 15u << QStringList{"SSSSSSH", "S.....H", "S.....H", "S.....H", "S.....H", "HHHHHHH"};
        QTest::newRow("sunken inner")
            << 8u << 15u << QStringList{"DDDDDDL", "D.....L", "D.....L", "D.....L", "D.....L", "LLLLLLL"};
        QTest::newRow("raised with middle")
            << 5u << (15u | BF_MIDDLE)
            << QStringList{"LLLLLLD", "LHHHHSD", "LHLLLSD", "LHLLLSD", "LSSSSSD", "DDDDDDD"};
        QTest::newRow("etched top and bottom")
            << 6u << (BF_TOP | BF_BOTTOM)
            << QStringList{"SSSSSSS", "HHHHHHH", ".......", ".......", "SSSSSSS", "HHHHHHH"};
        QTest::newRow("bump left only")
            << 9u << unsigned(BF_LEFT)
            << QStringList{"LD.....", "LD.....", "LD.....", "LD.....", "LD.....", "LD....."};
        QTest::newRow("both outer kinds")
            << 3u << 15u << QStringList{".......", ".......", ".......", ".......", ".......", "......."};
    }
    void EdgePatterns() {
        QFETCH(uint, edge);
        QFETCH(uint, flags);
        QFETCH(QStringList, expected);
        // The border runs along the image's own edges so any overrun is outside the pixels.
        QImage image = Blank(7, 6, Background);
        const ObjectCountGuard guard;
        {
            DeviceContext dc(image, colours_);
            Rect rect{0, 0, 7, 6};
            QCOMPARE(DrawEdge(dc, rect, edge, flags), edge != 3);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(Picture(image, Legend), expected);
    }

    void AdjustShrinksTheRectangle() {
        QImage image = Blank(7, 6, Background);
        DeviceContext dc(image, colours_);
        Rect rect{0, 0, 7, 6};
        QVERIFY(DrawEdge(dc, rect, EDGE_ETCHED, BF_RECT | BF_ADJUST));
        QCOMPARE(rect, (Rect{2, 2, 5, 4}));
        Rect one{0, 0, 7, 6};
        QVERIFY(DrawEdge(dc, one, BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_ADJUST));
        QCOMPARE(one, (Rect{1, 1, 7, 6}));
    }

    void BadRectangles() {
        for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(3, 3)}) {
            QImage image = Blank(size.width(), size.height(), Background);
            DeviceContext dc(image, colours_);
            for (Rect rect :
                 {Rect{5, 5, 0, 0}, Rect{Min, Min, Max, Max}, Rect{-1000000, -1000000, 1000000, 1000000},
                  Rect{1, 1, 2, 2}, Rect{Max - 1, Max - 1, Max, Max}}) {
                DrawEdge(dc, rect, EDGE_BUMP, BF_RECT | BF_MIDDLE | BF_ADJUST);
                DrawFocusRect(dc, rect);
            }
        }
    }

    void FocusRectangle() {
        QImage image = Blank(7, 5, 0xFFFFFFFFu);
        const QImage before = image.copy();
        DeviceContext dc(image, colours_);
        QVERIFY(DrawFocusRect(dc, Rect{1, 0, 6, 5}));
        const std::map<QRgb, char> legend{{0xFFFFFFFFu, '.'}, {0xFF000000u, '#'}};
        // Inverted where x + y is even, on the border only.
        QCOMPARE(Picture(image, legend),
                 (QStringList{"..#.#..", ".#...#.", ".......", ".#...#.", "..#.#.."}));
        QVERIFY(DrawFocusRect(dc, Rect{1, 0, 6, 5}));
        QCOMPARE(image, before);
        QVERIFY(!DrawFocusRect(dc, Rect{3, 3, 3, 5}));

        // The pattern's 0 bits take the text colour: a non-black text colour changes those pixels too.
        SetTextColor(dc, Colour(0x0000FF));
        DrawFocusRect(dc, Rect{0, 0, 2, 1});
        QCOMPARE(image.pixel(0, 0), 0xFF000000u);
        QCOMPARE(image.pixel(1, 0), 0xFF00FFFFu);

        // The phase follows the brush origin, not the rectangle.
        image.fill(0xFFFFFFFFu);
        SetTextColor(dc, Colour(0));
        SetBrushOrgEx(dc, 1, 0);
        DrawFocusRect(dc, Rect{0, 0, 2, 1});
        QCOMPARE(Picture(image, legend).first(), QStringLiteral(".#....."));
    }
};

QTEST_MAIN(TestEdges)
#include "TestEdges.moc"
