#include <QTest>

#include "platform/host/HostContext.h"
#include "platform/host/PropertyTable.h"
#include "tests/support/BagKeys.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

// The smallest owner a table serves: fields, and the host whose colours decide what a colour reference is.
struct Owner {
    HostContext& host;
    std::int16_t size = 0;
    gdi::Colour colour{0x80000012u};
    QString name = QStringLiteral("designed");
    std::int16_t base = 5;   // what the "Size" default follows
    QStringList events = {}; // what Set brought about, in order
    HostContext& Host() const { return host; }
    void ApplyEffects(unsigned effects) { events << QStringLiteral("effects %1").arg(effects); }
    void PropertyChanged(const QString& name) { events << name; }
};

const PropertyTable<Owner>& Table() {
    static const auto table =
        PropertyTable<Owner>()
            .Add<std::int16_t>(
                QStringLiteral("Size"), [](const Owner& o) { return o.base; },
                [](const Owner& o) { return o.size; }, [](Owner& o, std::int16_t size) { o.size = size; },
                {.setOnInit = true, .effects = effect::Layout | effect::Repaint, .announceFirst = true},
                [](std::int16_t size) { return size >= 0 ? QString() : QStringLiteral("negative size"); })
            .Add<gdi::Colour>(
                QStringLiteral("Colour"), gdi::Colour(0x80000012u), [](const Owner& o) { return o.colour; },
                [](Owner& o, gdi::Colour colour) { o.colour = colour; },
                {.writeAlways = true, .effects = effect::Palette, .announceAs = u"Color"})
            .Add<QString>(
                QStringLiteral("Name"), QString(), [](const Owner& o) { return o.name; },
                [](Owner& o, const QString& name) { o.name = name; }, {.quiet = true});
    return table;
}

} // namespace

class TestPropertyTable : public QObject {
    Q_OBJECT

    HostContext host_;

private slots:
    void initialisingSetsOnlyTheMarkedDefaults() {
        Owner owner{host_};
        owner.colour = gdi::Colour(0x123456);
        Table().InitProperties(owner);
        QCOMPARE(owner.size, std::int16_t{5}); // the instance's own default
        QCOMPARE(owner.colour.Raw(), 0x123456u);
        QCOMPARE(owner.name, QStringLiteral("designed"));
    }

    void writingOmitsDefaultsUnlessAlwaysWritten() {
        Owner owner{host_};
        owner.size = 5;
        owner.name.clear();
        PropertyBag bag;
        Table().WriteProperties(owner, bag);
        QCOMPARE(kelvo::test::BagKeys(bag), QStringList{"Colour"});
        owner.size = 7;
        owner.name = QStringLiteral("x");
        PropertyBag all;
        Table().WriteProperties(owner, all);
        QCOMPARE(kelvo::test::BagKeys(all), (QStringList{"Size", "Colour", "Name"}));
        QCOMPARE(Table().Keys(), (QStringList{"Size", "Colour", "Name"}));
    }

    // A setter through the table stores, does the effects and announces, in the order and by the name the
    // flags give; a key the table does not hold, or a value of another type, does nothing.
    void setStoresThenEffectsAndAnnouncement() {
        Owner owner{host_};
        QVERIFY(Table().Set(owner, u"Size", std::int16_t{9}));
        QVERIFY(Table().Set(owner, u"Colour", gdi::Colour(0x102030)));
        QVERIFY(Table().Set(owner, u"Name", QStringLiteral("set")));
        QVERIFY(!Table().Set(owner, u"Size", std::int32_t{9}));
        QVERIFY(!Table().Set(owner, u"Width", std::int16_t{1}));
        QCOMPARE(owner.size, std::int16_t{9});
        QCOMPARE(owner.colour.Raw(), 0x102030u);
        QCOMPARE(owner.name, QStringLiteral("set"));
        QCOMPARE(owner.events, (QStringList{"Size", "effects 6", "effects 1", "Color"}));
    }

    void readingFallsBackPerKey_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("size");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing stored") << QString() << QVariant() << 5 << 0x80000012u << QString();
        QTest::newRow("a size") << "size" << QVariant(9) << 9 << 0x80000012u << QString();
        QTest::newRow("a refused size keeps the old one")
            << "Size" << QVariant(-3) << 1 << 0x80000012u << "negative size";
        QTest::newRow("a size of the wrong type")
            << "Size" << QVariant(QStringLiteral("big")) << 5 << 0x80000012u << "read as int16";
        QTest::newRow("a colour") << "COLOUR" << QVariant(0x0000FFu) << 5 << 0x0000FFu << QString();
        QTest::newRow("not a colour reference")
            << "Colour" << QVariant(0x7F000001u) << 5 << 0x80000012u << "not a colour reference";
    }
    void readingFallsBackPerKey() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(int, size);
        QFETCH(uint, colour);
        QFETCH(QString, error);
        PropertyBag bag;
        if (stored.typeId() == QMetaType::Int) {
            bag.Write(key, std::int16_t(stored.toInt()));
        } else if (stored.typeId() == QMetaType::UInt) {
            bag.Write(key, gdi::Colour(stored.toUInt()));
        } else if (stored.typeId() == QMetaType::QString) {
            bag.Write(key, stored.toString());
        }
        Owner owner{host_};
        owner.size = 1;
        owner.colour = gdi::Colour(0x00FF00);
        Table().ReadProperties(owner, bag);
        QCOMPARE(int(owner.size), size);
        QCOMPARE(owner.colour.Raw(), colour);
        QCOMPARE(owner.name, QString()); // read as its default
        if (error.isEmpty()) {
            QVERIFY(bag.Errors().isEmpty());
        } else {
            QCOMPARE(bag.Errors().size(), 1);
            QVERIFY2(bag.Errors().first().message.contains(error), qPrintable(bag.Errors().first().message));
        }
    }
};

QTEST_MAIN(TestPropertyTable)
#include "TestPropertyTable.moc"
