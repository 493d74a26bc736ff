#include <limits>
#include <optional>

#include <QWidget>
#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/WindowOps.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

// Each row of the region inside [0, width) x [0, height) as its covered columns.
QStringList Rows(const Region& region, int width, int height) {
    QStringList rows;
    for (int y = 0; y < height; ++y) {
        QString row;
        for (int x = 0; x < width; ++x) {
            row += PtInRegion(region, x, y) ? QLatin1Char('#') : QLatin1Char('.');
        }
        rows << row;
    }
    return rows;
}

} // namespace

class TestRegions : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void EllipticRows() {
        const ObjectCountGuard guard;
        {
            const Region region = CreateEllipticRgn(0, 0, 10, 10);
            // Rows [3,6) [1,8) [1,8) [0,9) x3 [1,8) [1,8) [3,6); nothing in column 9 or row 9.
            QCOMPARE(Rows(region, 10, 10),
                     (QStringList{"...###....", ".#######..", ".#######..", "#########.", "#########.",
                                  "#########.", ".#######..", ".#######..", "...###....", ".........."}));
            QCOMPARE(GetRegionKind(region), COMPLEXREGION);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void RoundRectangleAndOffByOne() {
        const Region round = CreateRoundRectRgn(0, 0, 9, 6, 4, 4);
        // Box [0,8) x [0,5), corner ellipse 4x4: semi-axes 1, the corner pixel cut.
        QCOMPARE(Rows(round, 9, 6),
                 (QStringList{".######..", "########.", "########.", "########.", ".######..", "........."}));
        // Corners below two pixels give a plain rectangle, still one smaller.
        const Region square = CreateRoundRectRgn(3, 3, 0, 0, 1, 10);
        QCOMPARE(Rows(square, 4, 4), (QStringList{"##..", "##..", "....", "...."}));
        QCOMPARE(GetRegionKind(square), SIMPLEREGION);
        // A one-pixel ellipse box is empty.
        QCOMPARE(GetRegionKind(CreateEllipticRgn(0, 0, 1, 1)), NULLREGION);
    }

    void Rectangles_data() {
        QTest::addColumn<Rect>("rect");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("plain") << Rect{1, 0, 3, 2} << SIMPLEREGION
                               << QStringList{".##.", ".##.", "....", "...."};
        QTest::newRow("swapped") << Rect{3, 2, 1, 0} << SIMPLEREGION
                                 << QStringList{".##.", ".##.", "....", "...."};
        QTest::newRow("zero width") << Rect{2, 0, 2, 4} << NULLREGION
                                    << QStringList{"....", "....", "....", "...."};
        QTest::newRow("limits") << Rect{Min, Min, Max, Max} << SIMPLEREGION
                                << QStringList{"####", "####", "####", "####"};
    }
    void Rectangles() {
        QFETCH(Rect, rect);
        QFETCH(int, kind);
        QFETCH(QStringList, rows);
        const Region region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
        QCOMPARE(GetRegionKind(region), kind);
        QCOMPARE(Rows(region, 4, 4), rows);
    }

    void Difference() {
        const ObjectCountGuard guard;
        {
            Region result = CreateRectRgn(0, 0, 0, 0);
            const Region outer = CreateRectRgn(0, 0, 4, 4);
            const Region inner = CreateRectRgn(1, 1, 3, 3);
            QCOMPARE(CombineRgn(result, outer, inner, RGN_DIFF), COMPLEXREGION);
            QCOMPARE(Rows(result, 4, 4), (QStringList{"####", "#..#", "#..#", "####"}));
            // Ending up empty, and combining into a source.
            Region same = CreateRectRgn(1, 1, 3, 3);
            QCOMPARE(CombineRgn(same, same, outer, RGN_DIFF), NULLREGION);
            QCOMPARE(CombineRgn(same, outer, inner, 9), RGN_ERROR);
            Region none;
            QCOMPARE(CombineRgn(none, outer, inner, RGN_DIFF), RGN_ERROR);
            QCOMPARE(CombineRgn(result, outer, none, RGN_DIFF), RGN_ERROR);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void HugeFiguresStaySmall() {
        QElapsedTimer timer;
        timer.start();
        const Region far = CreateEllipticRgn(-1000000, -1000000, 1000000, 1000000);
        QVERIFY(PtInRegion(far, 0, 0));
        QVERIFY(!PtInRegion(far, 999999, 999999));
        const Region limits = CreateRoundRectRgn(Min, Min, Max, Max, Max, Max);
        QVERIFY(PtInRegion(limits, 0, 0));
        QVERIFY(timer.elapsed() < 5000);
    }

    void FillingARegion() {
        QImage image = Blank(10, 10);
        DeviceContext dc(image, SysColours::Classic());
        const Region region = CreateEllipticRgn(0, 0, 10, 10);
        const Brush brush = CreateSolidBrush(Colour(0));
        QVERIFY(FillRgn(dc, region, brush));
        const std::map<QRgb, char> legend{{0xFFFFFFFFu, '.'}, {0xFF000000u, '#'}};
        QCOMPARE(Picture(image, legend), Rows(region, 10, 10));
    }

    void WindowShapeAndHitTesting() {
        const ObjectCountGuard guard;
        {
            QWidget window;
            window.setGeometry(100, 100, 40, 30);
            auto* child = new QWidget(&window);
            child->setGeometry(10, 10, 20, 10);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));

            Region shape = CreateEllipticRgn(0, 0, 21, 11);
            QCOMPARE(SetWindowRgn(child, shape, true), 1);
            QVERIFY(!shape); // the window owns it now
            QVERIFY(child->mask().contains(QPoint(10, 5)));
            QVERIFY(!child->mask().contains(QPoint(0, 0)));

            const QPoint origin = window.mapToGlobal(QPoint(0, 0));
            QCOMPARE(WindowFromPoint(origin + QPoint(20, 15)), child);
            // The child's corner is outside its shape: the point belongs to the window behind.
            QCOMPARE(WindowFromPoint(origin + QPoint(10, 10)), &window);
            QCOMPARE(WindowFromPoint(origin + QPoint(2, 2)), &window);
            child->setEnabled(false);
            QCOMPARE(WindowFromPoint(origin + QPoint(20, 15)), &window);
            child->setEnabled(true);

            Region empty = CreateRectRgn(0, 0, 0, 0);
            SetWindowRgn(child, empty, false);
            QCOMPARE(WindowFromPoint(origin + QPoint(20, 15)), &window);
            Region none;
            SetWindowRgn(child, none, true);
            QCOMPARE(WindowFromPoint(origin + QPoint(20, 15)), child);
            QCOMPARE(SetWindowRgn(nullptr, none, true), 0);

            Rect client;
            QVERIFY(GetClientRect(child, client));
            QCOMPARE(client, (Rect{0, 0, 20, 10}));
            Rect outer;
            QVERIFY(GetWindowRect(child, outer));
            QCOMPARE(outer.left, origin.x() + 10);
            QCOMPARE(outer.Width(), 20);
            QCOMPARE(GetParent(child), &window);
            QCOMPARE(GetParent(&window), nullptr);
            QPoint cursor;
            QVERIFY(GetCursorPos(&cursor));
            QVERIFY(!GetCursorPos(nullptr));
            SetCapture(child);
            QCOMPARE(QWidget::mouseGrabber(), child);
            QCOMPARE(SetCapture(&window), child);
            QVERIFY(ReleaseCapture());
            QCOMPARE(QWidget::mouseGrabber(), nullptr);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }
};

QTEST_MAIN(TestRegions)
#include "TestRegions.moc"
