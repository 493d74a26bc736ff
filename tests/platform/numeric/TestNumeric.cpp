#include <QTest>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/numeric/Numeric.h"

using namespace kelvo::numeric;

class TestNumeric : public QObject {
    Q_OBJECT

private slots:
    void roundsHalvesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("161.8") << 161.8 << 162;
        QTest::newRow("444.8") << 444.8 << 445;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("-2.5001") << -2.5001 << -3;
    }
    void roundsHalvesToEven() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(CLng(value), std::optional<std::int32_t>(expected));
        QCOMPARE(CInt(value), std::optional<std::int16_t>(static_cast<std::int16_t>(expected)));
    }

    // Against the definition by floor: quarters and near-halves around zero, the 2^52 boundary where every
    // double is whole, signed zeros and values that are not numbers.
    void roundingMatchesItsDefinition() {
        const auto reference = [](double v) {
            const double floored = std::floor(v);
            const double fraction = v - floored;
            if (!std::isfinite(v) || fraction < 0.5) {
                return std::isfinite(v) ? floored : v;
            }
            return fraction > 0.5 || std::fmod(floored, 2.0) != 0.0 ? floored + 1.0 : floored;
        };
        std::vector<double> values = {0.49999999999999994,
                                      -0.49999999999999994,
                                      0x1p52 - 0.5,
                                      -0x1p52 + 0.5,
                                      0x1p52 + 1.0,
                                      -0x1p53,
                                      1e300,
                                      -1e300,
                                      0.0,
                                      -0.0};
        for (int i = -4000; i <= 4000; ++i) {
            values.push_back(i / 4.0);
            values.push_back(std::nextafter(i / 2.0, 1e9));
            values.push_back(std::nextafter(i / 2.0, -1e9));
        }
        for (const double v : values) {
            const double rounded = RoundHalfEven(v);
            QVERIFY2(rounded == reference(v) && std::signbit(rounded) == std::signbit(reference(v)),
                     qPrintable(QString::number(v, 'g', 17)));
        }
        QVERIFY(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
        QCOMPARE(RoundHalfEven(-std::numeric_limits<double>::infinity()),
                 -std::numeric_limits<double>::infinity());
    }

    void reportsOverflowInsteadOfWrapping() {
        QCOMPARE(CInt(32767.4), std::optional<std::int16_t>(32767));
        QCOMPARE(CInt(32767.5), std::nullopt); // rounds to 32768
        QCOMPARE(CInt(-32768.5), std::optional<std::int16_t>(-32768));
        QCOMPARE(CInt(-32769.0), std::nullopt);
        QCOMPARE(CLng(2147483647.0), std::optional<std::int32_t>(2147483647));
        QCOMPARE(CLng(2147483647.5), std::nullopt);
        QCOMPARE(CLng(-2147483648.5), std::optional<std::int32_t>(std::numeric_limits<std::int32_t>::min()));
        QCOMPARE(CLng(1e300), std::nullopt);
        QCOMPARE(CLng(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
        QCOMPARE(CLng(-std::numeric_limits<double>::infinity()), std::nullopt);
    }

    void intRoundsDownAndDivisionTruncates() {
        QCOMPARE(Int(-3.5), -4.0);
        QCOMPARE(Int(3.9), 3.0);
        QCOMPARE(IntDiv(7, 2), std::optional<std::int32_t>(3));
        QCOMPARE(IntDiv(-7, 2), std::optional<std::int32_t>(-3));
        QCOMPARE(IntDiv(1, 0), std::nullopt);
        QCOMPARE(IntDiv(std::numeric_limits<std::int32_t>::min(), -1), std::nullopt);
        QCOMPARE(CheckedAdd(std::numeric_limits<std::int32_t>::max(), 1), std::nullopt);
        QCOMPARE(CheckedSub(std::numeric_limits<std::int32_t>::min(), 1), std::nullopt);
        QCOMPARE(CheckedSub(1000, 199), std::optional<std::int32_t>(801));
    }

    void formatsDigitPatterns_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero is empty") << 0.0 << "#,###,###"
                                       << "";
        QTest::newRow("536,870,912") << 536870912.0 << "#,###,###"
                                     << "536,870,912";
        QTest::newRow("more digits than places") << 25769803776.0 << "#,###,###"
                                                 << "25,769,803,776";
        QTest::newRow("below a thousand") << 999.0 << "#,###,###"
                                          << "999";
        QTest::newRow("15 minutes") << 899.0 / 60 << "#,##"
                                    << "15";
        QTest::newRow("2 minutes") << 100.0 / 60 << "#,##"
                                   << "2";
        QTest::newRow("1 minute") << 70.0 / 60 << "#,##"
                                  << "1";
        QTest::newRow("0.4 is empty") << 0.4 << "#,##"
                                      << "";
        QTest::newRow("half rounds away from zero") << 0.5 << "#,##"
                                                    << "1";
        QTest::newRow("2.5 rounds up") << 2.5 << "#,##"
                                       << "3";
        QTest::newRow("grouped minutes") << 1234.0 << "#,##"
                                         << "1,234";
        QTest::newRow("zero placeholder") << 0.0 << "0"
                                          << "0";
        QTest::newRow("not finite") << std::numeric_limits<double>::infinity() << "#,##"
                                    << "";
    }
    void formatsDigitPatterns() {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(Format(value, pattern, QLocale(QLocale::English)), expected);
    }

    void groupsWithTheLocaleSeparator() {
        const QLocale german(QLocale::German);
        QCOMPARE(Format(536870912.0, "#,###,###", german),
                 QString("536") + german.groupSeparator() + "870" + german.groupSeparator() + "912");
    }
};

QTEST_GUILESS_MAIN(TestNumeric)
#include "TestNumeric.moc"
