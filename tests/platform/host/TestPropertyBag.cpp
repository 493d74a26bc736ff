#include <QTest>

#include "platform/host/PictureLoader.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/PropertyCodec.h"

using namespace kelvo;
using namespace kelvo::host;

Q_DECLARE_METATYPE(kelvo::host::PropertyValue)

namespace {

QImage Filled(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(0, 0, qRgb(200, 100, 0));
    return image;
}

} // namespace

class TestPropertyBag : public QObject {
    Q_OBJECT

private slots:
    void missingKeysGiveTheDefault() {
        PropertyBag bag;
        QCOMPARE(bag.Read(QStringLiteral("BTYPE"), std::int32_t{2}), 2);
        QCOMPARE(bag.Read(QStringLiteral("TX"), ""), QString());
        QCOMPARE(bag.Read(QStringLiteral("ENAB"), true), true);
        QCOMPARE(bag.Read(QStringLiteral("BCOL"), gdi::Colour(0x8000000Fu)), gdi::Colour(0x8000000Fu));
        QVERIFY(!bag.LastError());
        QVERIFY(bag.Errors().isEmpty());
    }

    void keysIgnoreCase() {
        PropertyBag bag;
        bag.Write(QStringLiteral("CornerDiameter"), std::int32_t{5});
        QCOMPARE(bag.Read(QStringLiteral("cornerdiameter"), std::int32_t{7}), 5);
        QCOMPARE(bag.Read(QStringLiteral("CORNERDIAMETER"), std::int32_t{7}), 5);
        bag.Write(QStringLiteral("CORNERdiameter"), std::int32_t{9});
        QCOMPARE(bag.Count(), 1);
        QCOMPARE(bag.Read(QStringLiteral("CornerDiameter"), std::int32_t{7}), 9);
    }

    void writeOmitsTheDefaultAndRemovesAnEarlierValue() {
        PropertyBag bag;
        bag.Write(QStringLiteral("Max"), std::int32_t{100}, std::int32_t{100});
        QVERIFY(!bag.Contains(QStringLiteral("Max")));
        bag.Write(QStringLiteral("Max"), std::int32_t{250}, std::int32_t{100});
        QCOMPARE(bag.Read(QStringLiteral("Max"), std::int32_t{100}), 250);
        bag.Write(QStringLiteral("MAX"), std::int32_t{100}, std::int32_t{100});
        QVERIFY(!bag.Contains(QStringLiteral("Max")));
        // Without a default every value is kept, the default one included.
        bag.Write(QStringLiteral("Enabled"), true);
        QVERIFY(bag.Contains(QStringLiteral("enabled")));
        bag.Write(QStringLiteral("Caption"), "");
        QVERIFY(bag.Contains(QStringLiteral("Caption")));
    }

    void valuesComeBackWithTheirTypes_data() {
        QTest::addColumn<PropertyValue>("value");
        QTest::newRow("int16") << PropertyValue(std::int16_t{-32768});
        QTest::newRow("int32") << PropertyValue(std::int32_t{-2147483647 - 1});
        QTest::newRow("bool") << PropertyValue(true);
        QTest::newRow("single") << PropertyValue(0.1f);
        QTest::newRow("text") << PropertyValue(QString(10000, QLatin1Char('x')));
        QTest::newRow("colour") << PropertyValue(gdi::Colour(0x80000012u));
        QTest::newRow("font") << PropertyValue(
            FontObject(QStringLiteral("Verdana"), 9.75f, true, false, true, true));
        QTest::newRow("picture") << PropertyValue(PictureObject::FromImage(Filled(3, 2)));
    }
    void valuesComeBackWithTheirTypes() {
        QFETCH(PropertyValue, value);
        PropertyBag bag;
        bag.Set(QStringLiteral("k"), value);
        // The JSON form a form file holds brings back the same typed value.
        FilePictureLoader loader;
        PropertyCodec codec(loader);
        PropertyBag back;
        QVERIFY(codec.ReadBag(PropertyCodec::WriteBag(bag), back).isEmpty());
        QVERIFY(back == bag);
        QCOMPARE(TypeOf(*back.Value(QStringLiteral("K"))), TypeOf(value));
    }

    void integersOfAnotherWidthConvertWhenInRange_data() {
        QTest::addColumn<PropertyValue>("stored");
        QTest::addColumn<int>("asInt16");
        QTest::addColumn<bool>("fits16");
        QTest::addColumn<qint64>("asInt32");
        QTest::newRow("int32 fits") << PropertyValue(std::int32_t{14}) << 14 << true << qint64(14);
        QTest::newRow("int32 too big") << PropertyValue(std::int32_t{40000}) << 0 << false << qint64(40000);
        QTest::newRow("int16 widens") << PropertyValue(std::int16_t{-5}) << -5 << true << qint64(-5);
        QTest::newRow("single rounds to even") << PropertyValue(2.5f) << 2 << true << qint64(2);
        QTest::newRow("single too big") << PropertyValue(1e20f) << 0 << false << qint64(-1);
        QTest::newRow("colour bits") << PropertyValue(gdi::Colour(0x8000000Du)) << 0 << false
                                     << qint64(std::int32_t(0x8000000Du - 0x100000000ll));
    }
    void integersOfAnotherWidthConvertWhenInRange() {
        QFETCH(PropertyValue, stored);
        QFETCH(int, asInt16);
        QFETCH(bool, fits16);
        QFETCH(qint64, asInt32);
        PropertyBag bag;
        bag.Set(QStringLiteral("v"), stored);
        const std::int16_t narrow = bag.Read(QStringLiteral("v"), std::int16_t{0});
        QCOMPARE(bool(bag.LastError()), !fits16);
        QCOMPARE(int(narrow), asInt16);
        const std::int32_t wide = bag.Read(QStringLiteral("v"), std::int32_t{-1});
        QCOMPARE(qint64(wide), asInt32);
    }

    void aValueOfTheWrongTypeIsAnErrorOfThatKeyOnly() {
        PropertyBag bag;
        bag.Write(QStringLiteral("BevelWidth"), "wide");
        bag.Write(QStringLiteral("BorderType"), std::int32_t{2});
        QCOMPARE(bag.Read(QStringLiteral("BevelWidth"), std::int32_t{3}), 3);
        QVERIFY(bag.LastError());
        QCOMPARE(bag.LastError()->key, QStringLiteral("BevelWidth"));
        QVERIFY2(bag.LastError()->message.contains(QLatin1String("text")),
                 qPrintable(bag.LastError()->message));
        QCOMPARE(bag.Read(QStringLiteral("BorderType"), std::int32_t{1}), 2);
        QVERIFY(!bag.LastError());
        QCOMPARE(bag.Errors().size(), 1);
        QVERIFY(bag.Errors().first().ToString().contains(QLatin1String("BevelWidth")));
        QCOMPARE(bag.TakeErrors().size(), 1);
        QVERIFY(bag.Errors().isEmpty());
        // Text never turns into a font, nor a font into a picture.
        bag.Write(QStringLiteral("Font"), "Verdana");
        QCOMPARE(bag.Read(QStringLiteral("Font"), FontObject()), FontObject());
        QVERIFY(bag.LastError());
        bag.Write(QStringLiteral("Picture"), FontObject());
        QVERIFY(bag.Read(QStringLiteral("Picture"), PictureObject()).IsEmpty());
        QVERIFY(bag.LastError());
    }

    void equalBagsIgnoreKeyCaseAndOrder() {
        PropertyBag a;
        a.Write(QStringLiteral("A"), std::int16_t{1});
        a.Write(QStringLiteral("B"), "x");
        PropertyBag b;
        b.Write(QStringLiteral("b"), "x");
        b.Write(QStringLiteral("a"), std::int16_t{1});
        QVERIFY(a == b);
        b.Write(QStringLiteral("a"), std::int32_t{1});
        QVERIFY(!(a == b)); // same number, other type
    }
};

QTEST_GUILESS_MAIN(TestPropertyBag)
#include "TestPropertyBag.moc"
