#include <limits>
#include <optional>
#include <set>
#include <vector>

#include <QRandomGenerator>
#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/ObjectCountGuard.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
const std::map<QRgb, char> Legend{{0xFFFFFFFFu, '.'}, {0xFF000000u, '#'}, {0xFF0000FFu, 'b'}};

using Points = std::set<std::pair<int, int>>;

Points BlackPixels(const QImage& image, int offsetX, int offsetY) {
    Points points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == 0xFF000000u) {
                points.insert({x - offsetX, y - offsetY});
            }
        }
    }
    return points;
}

// A plain step-by-step walk of the line with the tie rule, for comparison with the clipped one.
Points ReferenceLine(int x0, int y0, int x1, int y1) {
    Points points;
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int major = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? std::abs(dy) : std::abs(dx);
    const int minorDirection = xMajor ? dy : dx;
    const int majorDirection = xMajor ? dx : dy;
    int x = x0;
    int y = y0;
    for (int i = 0; i < major; ++i) {
        points.insert({x, y});
        // The exact minor offset of step i+1 is minor*(i+1)/major: take the nearest pixel, a tie going to
        // the smaller coordinate (upper or left).
        const int next = i + 1;
        const long long twice = 2LL * minor * next; // 2 * exact offset * major
        long long steps = twice / (2LL * major);    // floor
        const long long rest = twice - steps * 2LL * major;
        const int sign = minorDirection < 0 ? -1 : 1;
        if (rest > major || (rest == major && sign < 0)) {
            ++steps;
        }
        const int majorPos = (xMajor ? x0 : y0) + next * (majorDirection < 0 ? -1 : 1);
        const int minorPos = (xMajor ? y0 : x0) + static_cast<int>(steps) * sign;
        x = xMajor ? majorPos : minorPos;
        y = xMajor ? minorPos : majorPos;
    }
    return points;
}

} // namespace

class TestLines : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private:
    const SysColours colours_ = SysColours::Classic();

    Points Draw(int x0, int y0, int x1, int y1) {
        QImage image = Blank(40, 40);
        DeviceContext dc(image, colours_);
        MoveToEx(dc, x0 + 20, y0 + 20);
        LineTo(dc, x1 + 20, y1 + 20);
        return BlackPixels(image, 20, 20);
    }

private slots:
    void WorkedExamples_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QList<QPoint>>("pixels");
        QTest::newRow("shallow") << QPoint(0, 0) << QPoint(4, 2)
                                 << QList<QPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
        QTest::newRow("shallow back")
            << QPoint(4, 2) << QPoint(0, 0) << QList<QPoint>{{4, 2}, {3, 1}, {2, 1}, {1, 0}};
        QTest::newRow("steep") << QPoint(0, 0) << QPoint(2, 4)
                               << QList<QPoint>{{0, 0}, {0, 1}, {1, 2}, {1, 3}};
        QTest::newRow("up right") << QPoint(0, 0) << QPoint(4, -2)
                                  << QList<QPoint>{{0, 0}, {1, -1}, {2, -1}, {3, -2}};
        QTest::newRow("seven by three")
            << QPoint(0, 0) << QPoint(7, 3)
            << QList<QPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}};
        QTest::newRow("horizontal back")
            << QPoint(5, 0) << QPoint(0, 0) << QList<QPoint>{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}};
        QTest::newRow("vertical") << QPoint(0, 0) << QPoint(0, 3) << QList<QPoint>{{0, 0}, {0, 1}, {0, 2}};
        QTest::newRow("diagonal") << QPoint(0, 0) << QPoint(-3, -3)
                                  << QList<QPoint>{{0, 0}, {-1, -1}, {-2, -2}};
        QTest::newRow("zero length") << QPoint(2, 2) << QPoint(2, 2) << QList<QPoint>{};
    }
    void WorkedExamples() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QList<QPoint>, pixels);
        Points expected;
        for (const QPoint& p : pixels) {
            expected.insert({p.x(), p.y()});
        }
        QCOMPARE(Draw(from.x(), from.y(), to.x(), to.y()), expected);
    }

    void MatchesStepByStepWalk() {
        QRandomGenerator random(7);
        for (int n = 0; n < 400; ++n) {
            const int x0 = random.bounded(-19, 20);
            const int y0 = random.bounded(-19, 20);
            const int x1 = random.bounded(-19, 20);
            const int y1 = random.bounded(-19, 20);
            const Points drawn = Draw(x0, y0, x1, y1);
            QVERIFY2(drawn == ReferenceLine(x0, y0, x1, y1),
                     qPrintable(QStringLiteral("(%1,%2)-(%3,%4)").arg(x0).arg(y0).arg(x1).arg(y1)));
            // The same pixels either way, apart from which end is left out.
            Points forward = drawn;
            forward.insert({x1, y1});
            Points backward = Draw(x1, y1, x0, y0);
            backward.insert({x0, y0});
            QCOMPARE(forward, backward);
        }
    }

    void FarLinesAreClipped() {
        // A long line whose visible part starts a long way from its start must light the same pixels as
        // the walk from the start.
        QImage image = Blank(16, 16);
        DeviceContext dc(image, colours_);
        MoveToEx(dc, -3000, -1000);
        LineTo(dc, 3000 + 11, 1000 + 7);
        const Points reference = [] {
            Points all = ReferenceLine(-3000, -1000, 3011, 1007);
            Points visible;
            for (const auto& p : all) {
                if (p.first >= 0 && p.first < 16 && p.second >= 0 && p.second < 16) {
                    visible.insert(p);
                }
            }
            return visible;
        }();
        QCOMPARE(BlackPixels(image, 0, 0), reference);

        QElapsedTimer timer;
        timer.start();
        image.fill(0xFFFFFFFFu);
        MoveToEx(dc, Min, Min);
        LineTo(dc, Max, Max);
        QCOMPARE(image.pixel(5, 5), 0xFF000000u);
        QCOMPARE(image.pixel(5, 6), 0xFFFFFFFFu);
        MoveToEx(dc, -1000000, 3);
        LineTo(dc, 1000000, 3);
        MoveToEx(dc, 2, Max);
        LineTo(dc, 2, Min);
        MoveToEx(dc, Min, Max);
        LineTo(dc, Max, Min + 7);
        QCOMPARE(image.pixel(15, 3), 0xFF000000u);
        QCOMPARE(image.pixel(2, 15), 0xFF000000u);
        QVERIFY(timer.elapsed() < 1000);
    }

    void TinyImages() {
        for (const QSize size : {QSize(0, 0), QSize(1, 1)}) {
            QImage image = Blank(size.width(), size.height());
            DeviceContext dc(image, colours_);
            const Pen wide = CreatePen(PS_SOLID, 2, Colour(0));
            for (const bool useWide : {false, true}) {
                const SelectedObject previous = useWide ? SelectObject(dc, wide) : SelectedObject();
                MoveToEx(dc, -1, -1);
                LineTo(dc, 3, 3);
                MoveToEx(dc, Max, Min);
                LineTo(dc, Min, Max);
                if (previous) {
                    SelectObject(dc, previous);
                }
            }
            QCOMPARE(SetPixelV(dc, 0, 0, Colour(0)), size.width() > 0);
            QVERIFY(!SetPixelV(dc, 1, 0, Colour(0)));
            QVERIFY(!SetPixelV(dc, -1, 0, Colour(0)));
        }
    }

    void PenStyles_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("wide horizontal")
            << PS_SOLID << 2 << OPAQUE
            << QStringList{"............", ".#####......", ".#####......", "............"};
        QTest::newRow("dots opaque") << PS_DOT << 1 << OPAQUE
                                     << QStringList{"............", "............", "..###bbb###.",
                                                    "............"};
        QTest::newRow("dots transparent")
            << PS_DOT << 1 << TRANSPARENT
            << QStringList{"............", "............", "..###...###.", "............"};
        QTest::newRow("wide dots are solid")
            << PS_DOT << 2 << TRANSPARENT
            << QStringList{"............", ".###########", ".###########", "............"};
        QTest::newRow("null") << PS_NULL << 1 << OPAQUE
                              << QStringList{"............", "............", "............", "............"};
    }
    void PenStyles() {
        QFETCH(int, style);
        QFETCH(int, width);
        QFETCH(int, mode);
        QFETCH(QStringList, expected);
        QImage image = Blank(12, 4);
        const ObjectCountGuard guard;
        {
            DeviceContext dc(image, colours_);
            SetBkMode(dc, mode);
            SetBkColor(dc, Colour(0xFF0000));
            const Pen pen = CreatePen(style, width, Colour(0));
            const SelectedObject previous = SelectObject(dc, pen);
            if (width == 2 && style == PS_SOLID) {
                MoveToEx(dc, 2, 2);
                LineTo(dc, 5, 2);
            } else {
                MoveToEx(dc, 2, 2);
                LineTo(dc, 11, 2);
            }
            QCOMPARE(dc.CurrentX(), width == 2 && style == PS_SOLID ? 5 : 11);
            SelectObject(dc, previous);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(Picture(image, Legend), expected);
    }

    void XorTwiceRestores() {
        QImage image = Blank(8, 8);
        image.setPixel(3, 3, 0xFF123456u);
        const QImage before = image.copy();
        DeviceContext dc(image, colours_);
        SetROP2(dc, R2_XORPEN);
        const Pen pen = CreatePen(PS_SOLID, 1, Colour(0x00FF00));
        SelectObject(dc, pen);
        for (int pass = 0; pass < 2; ++pass) {
            MoveToEx(dc, 0, 0);
            LineTo(dc, 7, 7);
        }
        QCOMPARE(image, before);
        SelectObject(dc, GetStockObject(BLACK_PEN));
    }

    // A band of stripes leaves the pixels and the current position that a pen per line leaves, forwards
    // and backwards, in both directions, partly or wholly off the image, and in every mixing mode.
    void StripesDrawAsLines() {
        struct Band {
            bool vertical;
            std::int32_t first;
            std::int32_t from;
            std::int32_t to;
        };
        const Band bands[] = {{true, 2, 1, 9},    {true, 5, 9, 1},  {false, 1, 0, 12}, {false, 3, 12, 2},
                              {true, -4, -3, 40}, {false, 8, 4, 4}, {true, 20, 0, 5},  {false, -2, 30, -30}};
        std::vector<Colour> colours;
        for (std::uint32_t i = 0; i < 9; ++i) {
            colours.push_back(Colour(0x102030u * i + 0x0F0E0Du));
        }
        colours.push_back(Colour(0x80000005u)); // a system colour, resolved on the way
        for (const Band& band : bands) {
            for (int rop2 = 1; rop2 <= 16; ++rop2) {
                QImage expected = Blank(14, 11, 0xFF5A3C1Eu);
                QImage image = expected.copy();
                DeviceContext lines(expected, colours_);
                DeviceContext stripes(image, colours_);
                SetROP2(lines, rop2);
                SetROP2(stripes, rop2);
                for (std::size_t i = 0; i < colours.size(); ++i) {
                    Pen pen = CreatePen(PS_SOLID, 1, colours[i]);
                    const SelectedObject previous = SelectObject(lines, pen);
                    const auto at = band.first + static_cast<std::int32_t>(i);
                    MoveToEx(lines, band.vertical ? at : band.from, band.vertical ? band.from : at);
                    LineTo(lines, band.vertical ? at : band.to, band.vertical ? band.to : at);
                    SelectObject(lines, previous);
                    DeleteObject(pen);
                }
                QVERIFY(DrawStripes(stripes, band.vertical, band.first, colours, band.from, band.to));
                QCOMPARE(image, expected);
                QCOMPARE(QPoint(stripes.CurrentX(), stripes.CurrentY()),
                         QPoint(lines.CurrentX(), lines.CurrentY()));
            }
        }
    }

    void PixelsAndColours() {
        QImage image = Blank(2, 2);
        DeviceContext dc(image, colours_);
        QVERIFY(SetPixelV(dc, 1, 1, Colour(0x8000000Fu)));
        QCOMPARE(GetPixel(dc, 1, 1), Colour(0xC8D0D4));
        QCOMPARE(GetPixel(dc, 2, 1), CLR_INVALID);
    }
};

QTEST_MAIN(TestLines)
#include "TestLines.moc"
