#include <limits>

#include <QtTest>

#include "platform/gdi/Rect.h"

using namespace kelvo::gdi;

namespace {
constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
} // namespace

class TestRect : public QObject {
    Q_OBJECT

private slots:
    void ToQRectAndBack_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("plain") << 1 << 2 << 11 << 7 << QRect(1, 2, 10, 5);
        QTest::newRow("one pixel") << 0 << 0 << 1 << 1 << QRect(0, 0, 1, 1);
        QTest::newRow("empty") << 5 << 5 << 5 << 5 << QRect(5, 5, 0, 0);
        QTest::newRow("negative") << -3 << -4 << -1 << -1 << QRect(-3, -4, 2, 3);
    }
    void ToQRectAndBack() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, right);
        QFETCH(int, bottom);
        QFETCH(QRect, expected);
        const Rect rect{left, top, right, bottom};
        const auto converted = rect.ToQRect();
        QVERIFY(converted);
        QCOMPARE(*converted, expected);
        QCOMPARE(Rect::FromQRect(*converted), std::optional<Rect>(rect));
    }

    void ConversionsOutOfRangeFail() {
        QVERIFY(!(Rect{Min, 0, Max, 1}.ToQRect()));
        QVERIFY(!(Rect{0, 0, Min, 1}.ToQRect()));
        QVERIFY(!Rect::FromQRect(QRect(QPoint(0, 0), QPoint(Max, 0))));
    }

    void HelpersWithCheckedArithmetic() {
        Rect rect{0, 0, 10, 10};
        QVERIFY(OffsetRect(rect, 5, -5));
        QCOMPARE(rect, (Rect{5, -5, 15, 5}));
        QVERIFY(InflateRect(rect, -8, 1));
        QCOMPARE(rect, (Rect{13, -6, 7, 6})); // inverted, not normalised
        QVERIFY(IsRectEmpty(rect));
        Rect edge{0, 0, Max - 1, 10};
        QVERIFY(!OffsetRect(edge, 2, 0));
        QCOMPARE(edge, (Rect{0, 0, Max - 1, 10}));
        Rect low{Min + 1, 0, 0, 1};
        QVERIFY(!InflateRect(low, 2, 0));
        Rect zero;
        QVERIFY(!InflateRect(zero, Min, 0)); // 0 - INT32_MIN
        Rect copy;
        QVERIFY(CopyRect(copy, Rect{1, 2, 3, 4}));
        QCOMPARE(copy, (Rect{1, 2, 3, 4}));
    }

    void Intersections() {
        Rect out;
        QVERIFY(IntersectRect(out, Rect{0, 0, 10, 10}, Rect{5, -5, 20, 5}));
        QCOMPARE(out, (Rect{5, 0, 10, 5}));
        QVERIFY(!IntersectRect(out, Rect{0, 0, 10, 10}, Rect{10, 0, 20, 10}));
        QCOMPARE(out, Rect{});
        QVERIFY(!IntersectRect(out, Rect{10, 10, 0, 0}, Rect{0, 0, 10, 10}));
        QVERIFY(PtInRect(Rect{0, 0, 2, 2}, 1, 1));
        QVERIFY(!PtInRect(Rect{0, 0, 2, 2}, 2, 1));
        QVERIFY(UnionRect(out, Rect{}, Rect{1, 1, 2, 2}));
        QCOMPARE(out, (Rect{1, 1, 2, 2}));
    }
};

QTEST_GUILESS_MAIN(TestRect)
#include "TestRect.moc"
