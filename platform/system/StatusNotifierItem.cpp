#include "platform/system/StatusNotifierItem.h"

#include <functional>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>

#include "platform/system/DBusMenu.h"
#include "platform/system/DBusTrayTypes.h"

namespace kelvo::system {

namespace {

const QLatin1String ItemPath("/StatusNotifierItem");
const QLatin1String ItemInterface("org.kde.StatusNotifierItem");
const QLatin1String WatcherService("org.kde.StatusNotifierWatcher");
const QLatin1String WatcherPath("/StatusNotifierWatcher");
const QLatin1String WatcherInterface("org.kde.StatusNotifierWatcher");
const QLatin1String PropertiesInterface("org.freedesktop.DBus.Properties");

const char* const ItemXml = R"xml(  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconThemePath" type="s" access="read"/>
    <property name="Menu" type="o" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionMovieName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <method name="ContextMenu">
      <arg name="x" type="i" direction="in"/>
      <arg name="y" type="i" direction="in"/>
    </method>
    <method name="Activate">
      <arg name="x" type="i" direction="in"/>
      <arg name="y" type="i" direction="in"/>
    </method>
    <method name="SecondaryActivate">
      <arg name="x" type="i" direction="in"/>
      <arg name="y" type="i" direction="in"/>
    </method>
    <method name="Scroll">
      <arg name="delta" type="i" direction="in"/>
      <arg name="orientation" type="s" direction="in"/>
    </method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewAttentionIcon"/>
    <signal name="NewOverlayIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus">
      <arg name="status" type="s"/>
    </signal>
  </interface>
)xml";

// The item's object on the bus. It hands every call to the item, which keeps all the state.
class ItemObject final : public QDBusVirtualObject {
public:
    ItemObject(std::function<bool(const QDBusMessage&)> handler, QObject* parent)
        : QDBusVirtualObject(parent)
        , handler_(std::move(handler)) {}
    QString introspect(const QString&) const override { return QString::fromLatin1(ItemXml); }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        return handler_(message);
    }

private:
    std::function<bool(const QDBusMessage&)> handler_;
};

QDBusMessage WatcherCall(const QString& interface, const QString& method) {
    QDBusMessage call = QDBusMessage::createMethodCall(WatcherService, WatcherPath, interface, method);
    // Only a watcher that is running counts; the bus must not start one for us.
    call.setAutoStartService(false);
    return call;
}

} // namespace

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus, Description description, QMenu* menu,
                                       QObject* parent)
    : QObject(parent)
    , bus_(std::move(bus)) {
    RegisterDBusTrayTypes();
    const DBusPixmapList pixmaps = PixmapsForDBus(description.icon, {16, 32, 48});
    const DBusToolTip toolTip{description.iconName, pixmaps, description.toolTip, QString()};
    properties_ = {
        {QStringLiteral("Category"), QStringLiteral("ApplicationStatus")},
        {QStringLiteral("Id"), description.id},
        {QStringLiteral("Title"), description.title},
        {QStringLiteral("Status"), QStringLiteral("Active")},
        {QStringLiteral("WindowId"), 0},
        {QStringLiteral("IconName"), description.iconName},
        {QStringLiteral("IconPixmap"), QVariant::fromValue(pixmaps)},
        {QStringLiteral("IconThemePath"), QString()},
        {QStringLiteral("OverlayIconName"), QString()},
        {QStringLiteral("OverlayIconPixmap"), QVariant::fromValue(DBusPixmapList())},
        {QStringLiteral("AttentionIconName"), QString()},
        {QStringLiteral("AttentionIconPixmap"), QVariant::fromValue(DBusPixmapList())},
        {QStringLiteral("AttentionMovieName"), QString()},
        {QStringLiteral("ToolTip"), QVariant::fromValue(toolTip)},
        {QStringLiteral("ItemIsMenu"), false},
        {QStringLiteral("Menu"), QVariant::fromValue(QDBusObjectPath(QLatin1String(DBusMenu::Path)))},
    };
    menu_ = new DBusMenu(bus_, menu, this);
    item_ = new ItemObject([this](const QDBusMessage& message) { return HandleItemMessage(message); }, this);
}

StatusNotifierItem::~StatusNotifierItem() {
    Stop();
}

bool StatusNotifierItem::Start() {
    if (started_) {
        return true;
    }
    if (!bus_.isConnected() || !bus_.registerVirtualObject(ItemPath, item_) ||
        !bus_.registerVirtualObject(QLatin1String(DBusMenu::Path), menu_) || !TakeServiceName()) {
        Stop();
        return false;
    }
    started_ = true;
    // The owner of the watcher's name is followed from here on: each new owner is a tray (re)started, and
    // must be told of the item, since a watcher knows nothing of the items its predecessor had.
    watcher_ = new QDBusServiceWatcher(WatcherService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(
        watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString&, const QString&, const QString& newOwner) { WatcherOwnerChanged(newOwner); });
    bus_.connect(WatcherService, WatcherPath, WatcherInterface,
                 QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(HostRegistered()));
    bus_.connect(WatcherService, WatcherPath, WatcherInterface,
                 QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(HostUnregistered()));
    RegisterWithWatcher();
    return true;
}

bool StatusNotifierItem::WatcherPresent(const QDBusConnection& bus) {
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    return daemon != nullptr && daemon->isServiceRegistered(WatcherService).value();
}

void StatusNotifierItem::HostRegistered() {
    SetState(registered_, true);
}

void StatusNotifierItem::HostUnregistered() {
    // Another tray may still be there: the watcher knows.
    ReadHostPresence();
}

bool StatusNotifierItem::HandleItemMessage(const QDBusMessage& message) {
    const QString interface = message.interface();
    const QString member = message.member();
    if (IsIntrospection(message)) {
        return false;
    }
    if (interface == PropertiesInterface) {
        bus_.send(AnswerPropertiesCall(message, ItemInterface, properties_));
        return true;
    }
    using Notice = void (StatusNotifierItem::*)(int, int);
    const QList<std::pair<QLatin1String, Notice>> clicks{
        {QLatin1String("Activate"), &StatusNotifierItem::Activated},
        {QLatin1String("SecondaryActivate"), &StatusNotifierItem::SecondaryActivated},
        {QLatin1String("ContextMenu"), &StatusNotifierItem::ContextMenuRequested},
    };
    const bool ours = interface.isEmpty() || interface == ItemInterface;
    for (const auto& [name, notice] : clicks) {
        if (ours && member == name) {
            if (message.signature() != QLatin1String("ii")) {
                bus_.send(InvalidArguments(message, QStringLiteral("%1 takes two integers").arg(member)));
                return true;
            }
            // The reply goes out first: whatever the click does must not keep the tray waiting.
            bus_.send(message.createReply());
            emit(this->*notice)(message.arguments().at(0).toInt(), message.arguments().at(1).toInt());
            return true;
        }
    }
    if (ours && member == QLatin1String("Scroll")) {
        // Scrolling over the icon means nothing to us.
        bus_.send(message.signature() == QLatin1String("is")
                      ? message.createReply()
                      : InvalidArguments(message, QStringLiteral("Scroll takes an integer and a string")));
        return true;
    }
    bus_.send(UnknownMethod(message));
    return true;
}

bool StatusNotifierItem::TakeServiceName() {
    QDBusConnectionInterface* daemon = bus_.interface();
    if (daemon == nullptr) {
        return false;
    }
    const QString prefix =
        QStringLiteral("org.kde.StatusNotifierItem-%1-").arg(QCoreApplication::applicationPid());
    for (int n = 1; n <= 100; ++n) {
        const QString name = prefix + QString::number(n);
        // The bus grants a connection a name it already holds, so a name held by another item of ours is
        // recognised by asking first; a name held by another connection is refused by the bus.
        if (!daemon->isServiceRegistered(name).value() && bus_.registerService(name)) {
            serviceName_ = name;
            return true;
        }
    }
    return false;
}

void StatusNotifierItem::WatcherOwnerChanged(const QString& newOwner) {
    ++generation_;
    SetState(false, false);
    if (!newOwner.isEmpty()) {
        RegisterWithWatcher();
    }
}

void StatusNotifierItem::RegisterWithWatcher() {
    const quint64 generation = ++generation_;
    QDBusMessage call = WatcherCall(WatcherInterface, QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    // Asked without waiting: the watcher may be slow or may be ourselves, in another part of the program.
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                if (generation != generation_) {
                    return;
                }
                if (done->isError()) {
                    SetState(false, false);
                    return;
                }
                SetState(true, hostPresent_);
                ReadHostPresence();
            });
}

void StatusNotifierItem::ReadHostPresence() {
    const quint64 generation = generation_;
    QDBusMessage call = WatcherCall(PropertiesInterface, QStringLiteral("Get"));
    call << QString(WatcherInterface) << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                if (generation != generation_) {
                    return;
                }
                // Whatever the watcher answers that is not a Boolean in a variant counts as no host.
                const QDBusMessage reply = done->reply();
                bool present = false;
                if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("v")) {
                    const QVariant value = reply.arguments().at(0).value<QDBusVariant>().variant();
                    present = value.metaType() == QMetaType::fromType<bool>() && value.toBool();
                }
                SetState(registered_, present);
            });
}

void StatusNotifierItem::SetState(bool registered, bool hostPresent) {
    const bool before = Shown();
    registered_ = registered;
    hostPresent_ = hostPresent;
    if (Shown() != before) {
        emit ShownChanged(Shown());
    }
}

void StatusNotifierItem::Stop() {
    ++generation_;
    delete watcher_;
    watcher_ = nullptr;
    if (started_) {
        bus_.disconnect(WatcherService, WatcherPath, WatcherInterface,
                        QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(HostRegistered()));
        bus_.disconnect(WatcherService, WatcherPath, WatcherInterface,
                        QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(HostUnregistered()));
    }
    // Only what is ours is taken off: a failed start may have found the paths taken by someone else.
    for (const auto& [path, object] :
         {std::pair<QString, QObject*>(ItemPath, item_), {QLatin1String(DBusMenu::Path), menu_}}) {
        if (bus_.isConnected() && bus_.objectRegisteredAt(path) == object) {
            bus_.unregisterObject(path);
        }
    }
    if (!serviceName_.isEmpty() && bus_.isConnected()) {
        bus_.unregisterService(serviceName_);
    }
    serviceName_.clear();
    started_ = false;
    registered_ = false;
    hostPresent_ = false;
}

} // namespace kelvo::system
