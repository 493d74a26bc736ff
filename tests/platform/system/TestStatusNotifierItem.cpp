#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

#include "platform/system/DBusTrayTypes.h"
#include "platform/system/StatusNotifierItem.h"

using namespace kelvo::system;

namespace {

const QString Item = QStringLiteral("/StatusNotifierItem");
const QString Menu = QStringLiteral("/MenuBar");
const QString WatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");

// A tray's watcher reduced to what an item uses: it notes registrations and reports a host or none.
class FakeWatcher final : public QDBusVirtualObject {
public:
    QStringList items;
    bool hostPresent = true;
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        if (call.member() == QLatin1String("RegisterStatusNotifierItem")) {
            items << call.arguments().value(0).toString();
            return bus.send(call.createReply());
        }
        return call.member() == QLatin1String("Get") &&
               bus.send(call.createReply(QVariant::fromValue(QDBusVariant(hostPresent))));
    }
};

// A menu like the program's tray menu, with an item exporting it.
struct Rig {
    QMenu menu;
    QAction* exit = nullptr;
    StatusNotifierItem item;
    explicit Rig(const QDBusConnection& bus)
        : item(bus, {"Kelvo", "Kelvo", "org.kelvo.Kelvo", QIcon(), "Kelvo Optimizer"}, &menu) {
        menu.addAction(QStringLiteral("&Show"));
        menu.addSeparator();
        menu.addAction(QStringLiteral("Read_me"));
        exit = menu.addAction(QStringLiteral("E&xit"));
    }
};

} // namespace

class TestStatusNotifierItem : public QObject {
    Q_OBJECT

    qint64 daemonPid_ = 0;
    QDBusConnection itemBus_{QString()}, watcherBus_{QString()}, clientBus_{QString()};
    FakeWatcher watcher_;

    // Calls from the test's own thread, which also serves the item: the call must keep events running.
    QDBusMessage Call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(itemBus_.baseService(), path, interface, member);
        call.setArguments(arguments);
        return clientBus_.call(call, QDBus::BlockWithGui, 5000);
    }

    void SetWatcher(bool present) {
        if (present) {
            QVERIFY(watcherBus_.registerService(WatcherName));
        } else {
            QVERIFY(watcherBus_.unregisterService(WatcherName));
        }
    }

private slots:
    void initTestCase() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            QSKIP("dbus-daemon is not installed");
        }
        QProcess process;
        process.start(daemon, {"--session", "--fork", "--print-address=1", "--print-pid=1"});
        QVERIFY(process.waitForFinished(10000));
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
        QVERIFY(lines.size() >= 2);
        daemonPid_ = lines.at(1).toLongLong();
        QVERIFY(daemonPid_ > 0);
        itemBus_ = QDBusConnection::connectToBus(lines.at(0), QStringLiteral("item"));
        watcherBus_ = QDBusConnection::connectToBus(lines.at(0), QStringLiteral("watcher"));
        clientBus_ = QDBusConnection::connectToBus(lines.at(0), QStringLiteral("client"));
        QVERIFY(itemBus_.isConnected() && watcherBus_.isConnected() && clientBus_.isConnected());
        QVERIFY(watcherBus_.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &watcher_));
    }

    void cleanupTestCase() {
        for (const char* name : {"item", "watcher", "client"}) {
            QDBusConnection::disconnectFromBus(QLatin1String(name));
        }
        if (daemonPid_ > 0) {
            ::kill(pid_t(daemonPid_), SIGTERM);
        }
    }

    void registersWithEveryWatcherThatAppears() {
        Rig rig(itemBus_);
        QSignalSpy shown(&rig.item, &StatusNotifierItem::ShownChanged);
        QVERIFY(rig.item.Start());
        QVERIFY(rig.item.ServiceName().startsWith("org.kde.StatusNotifierItem-"));
        QVERIFY(!StatusNotifierItem::WatcherPresent(itemBus_));
        // The tray starts after the program, goes away, comes back, and loses its last host.
        SetWatcher(true);
        QTRY_VERIFY(rig.item.Shown());
        QVERIFY(StatusNotifierItem::WatcherPresent(itemBus_));
        SetWatcher(false);
        QTRY_VERIFY(!rig.item.Shown());
        SetWatcher(true);
        QTRY_VERIFY(rig.item.Shown());
        QCOMPARE(watcher_.items, QStringList(2, rig.item.ServiceName()));
        watcher_.hostPresent = false;
        watcherBus_.send(QDBusMessage::createSignal("/StatusNotifierWatcher", WatcherName,
                                                    "StatusNotifierHostUnregistered"));
        QTRY_VERIFY(!rig.item.Shown());
        QCOMPARE(shown.size(), 4);
        watcher_.hostPresent = true;
        SetWatcher(false);
    }

    void exportsTheItemAndItsMenu() {
        Rig rig(itemBus_);
        QVERIFY(rig.item.Start());
        // A second item on the same connection finds the paths taken, and must leave the first one's alone.
        QVERIFY(!Rig(itemBus_).item.Start());
        const QDBusMessage layout = Call(Menu, "com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList()});
        QStringList entries;
        for (const DBusMenuLayout& child : qdbus_cast<DBusMenuLayout>(layout.arguments().value(1)).children) {
            const QVariantMap& p = child.properties;
            entries << (p.value("type") == "separator" ? QStringLiteral("-") : p.value("label").toString());
        }
        QCOMPARE(entries, QStringList({"Show", "-", "Read__me", "Exit"}));

        // What a tray host reads and clicks is checked end to end against a real one; here, the clicked
        // entry.
        QSignalSpy triggered(rig.exit, &QAction::triggered);
        const QVariant noData = QVariant::fromValue(QDBusVariant(0));
        QCOMPARE(Call(Menu, "com.canonical.dbusmenu", "Event", {4, "clicked", noData, 0u}).type(),
                 QDBusMessage::ReplyMessage);
        QTRY_COMPARE(triggered.size(), 1);
    }

    void answersGarbageWithErrors_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<QString>("error"); // empty: a normal reply
        const QString props = "org.freedesktop.DBus.Properties", sni = "org.kde.StatusNotifierItem",
                      menu = "com.canonical.dbusmenu", invalid = "org.freedesktop.DBus.Error.InvalidArgs",
                      unknown = "org.freedesktop.DBus.Error.UnknownMethod";
        const QVariant noData = QVariant::fromValue(QDBusVariant(0));
        const auto events = QVariant::fromValue(DBusMenuEventList{{99, "clicked", QDBusVariant(0), 0}});
        QTest::newRow("click as text") << Item << sni << "Activate" << QVariantList{"x", "y"} << invalid;
        QTest::newRow("Get of numbers") << Item << props << "Get" << QVariantList{1, 2} << invalid;
        QTest::newRow("unknown property") << Item << props << "Get" << QVariantList{sni, "Nope"}
                                          << "org.freedesktop.DBus.Error.UnknownProperty";
        QTest::newRow("Set") << Item << props << "Set" << QVariantList{sni, "Id", noData}
                             << "org.freedesktop.DBus.Error.PropertyReadOnly";
        QTest::newRow("item method") << Item << sni << "Explode" << QVariantList{} << unknown;
        QTest::newRow("unknown parent")
            << Menu << menu << "GetLayout" << QVariantList{99, -1, QStringList()} << invalid;
        QTest::newRow("layout of text") << Menu << menu << "GetLayout" << QVariantList{"a"} << invalid;
        QTest::newRow("unknown event id")
            << Menu << menu << "Event" << QVariantList{99, "clicked", noData, 0u} << invalid;
        QTest::newRow("unknown item property")
            << Menu << menu << "GetProperty" << QVariantList{1, "x"} << invalid;
        QTest::newRow("negative id") << Menu << menu << "AboutToShow" << QVariantList{-5} << invalid;
        QTest::newRow("event group") << Menu << menu << "EventGroup" << QVariantList{events} << QString();
        QTest::newRow("menu method") << Menu << "org.example.Other"
                                     << "Explode" << QVariantList{} << unknown;
    }
    void answersGarbageWithErrors() {
        QFETCH(QString, path);
        QFETCH(QString, interface);
        QFETCH(QString, member);
        QFETCH(QVariantList, arguments);
        QFETCH(QString, error);
        Rig rig(itemBus_);
        QVERIFY(rig.item.Start());
        const QDBusMessage reply = Call(path, interface, member, arguments);
        QCOMPARE(reply.errorName(), error);
        QCOMPARE(Call(Menu, "com.canonical.dbusmenu", "AboutToShow", {0}).type(), QDBusMessage::ReplyMessage);
    }
};

QTEST_MAIN(TestStatusNotifierItem)
#include "TestStatusNotifierItem.moc"
