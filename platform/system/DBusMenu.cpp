#include "platform/system/DBusMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>

namespace kelvo::system {

namespace {

const QLatin1String PropertiesInterface("org.freedesktop.DBus.Properties");

const char* const MenuXml = R"xml(  <interface name="com.canonical.dbusmenu">
    <property name="Version" type="u" access="read"/>
    <property name="TextDirection" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="IconThemePath" type="as" access="read"/>
    <method name="GetLayout">
      <arg name="parentId" type="i" direction="in"/>
      <arg name="recursionDepth" type="i" direction="in"/>
      <arg name="propertyNames" type="as" direction="in"/>
      <arg name="revision" type="u" direction="out"/>
      <arg name="layout" type="(ia{sv}av)" direction="out"/>
    </method>
    <method name="GetGroupProperties">
      <arg name="ids" type="ai" direction="in"/>
      <arg name="propertyNames" type="as" direction="in"/>
      <arg name="properties" type="a(ia{sv})" direction="out"/>
    </method>
    <method name="GetProperty">
      <arg name="id" type="i" direction="in"/>
      <arg name="name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="Event">
      <arg name="id" type="i" direction="in"/>
      <arg name="eventId" type="s" direction="in"/>
      <arg name="data" type="v" direction="in"/>
      <arg name="timestamp" type="u" direction="in"/>
    </method>
    <method name="EventGroup">
      <arg name="events" type="a(isvu)" direction="in"/>
      <arg name="idErrors" type="ai" direction="out"/>
    </method>
    <method name="AboutToShow">
      <arg name="id" type="i" direction="in"/>
      <arg name="needUpdate" type="b" direction="out"/>
    </method>
    <method name="AboutToShowGroup">
      <arg name="ids" type="ai" direction="in"/>
      <arg name="updatesNeeded" type="ai" direction="out"/>
      <arg name="idErrors" type="ai" direction="out"/>
    </method>
    <signal name="ItemsPropertiesUpdated">
      <arg name="updatedProps" type="a(ia{sv})" direction="out"/>
      <arg name="removedProps" type="a(ias)" direction="out"/>
    </signal>
    <signal name="LayoutUpdated">
      <arg name="revision" type="u" direction="out"/>
      <arg name="parent" type="i" direction="out"/>
    </signal>
    <signal name="ItemActivationRequested">
      <arg name="id" type="i" direction="out"/>
      <arg name="timestamp" type="u" direction="out"/>
    </signal>
  </interface>
)xml";

// Our menus mark access keys with '&' ("&&" is a literal ampersand); the tray's menus mark them with '_'
// and write a literal underscore twice. Access keys are dropped: a tray menu is opened with the mouse.
QString Label(const QString& text) {
    QString label;
    label.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                label += u'&';
                ++i;
            }
            continue;
        }
        label += text[i] == u'_' ? QStringLiteral("__") : QString(text[i]);
    }
    return label;
}

} // namespace

DBusMenu::DBusMenu(QDBusConnection bus, QMenu* menu, QObject* parent)
    : QDBusVirtualObject(parent)
    , bus_(std::move(bus))
    , menu_(menu) {
    RegisterDBusTrayTypes();
    // Changes made together (a menu being filled, several entries enabled at once) go out as one signal.
    layoutSignal_.setSingleShot(true);
    layoutSignal_.setInterval(0);
    connect(&layoutSignal_, &QTimer::timeout, this, &DBusMenu::SendLayoutUpdated);
    if (menu_ != nullptr) {
        menu_->installEventFilter(this);
    }
}

DBusMenu::~DBusMenu() {
    if (menu_ != nullptr) {
        menu_->removeEventFilter(this);
    }
}

QString DBusMenu::introspect(const QString&) const {
    return QString::fromLatin1(MenuXml);
}

bool DBusMenu::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (IsIntrospection(message)) {
        return false;
    }
    connection.send(Answer(message));
    return true;
}

QDBusMessage DBusMenu::Answer(const QDBusMessage& call) {
    const QString interface = call.interface();
    if (interface == PropertiesInterface) {
        const QVariantMap properties{{QStringLiteral("Version"), QVariant::fromValue(3u)},
                                     {QStringLiteral("TextDirection"), QStringLiteral("ltr")},
                                     {QStringLiteral("Status"), QStringLiteral("normal")},
                                     {QStringLiteral("IconThemePath"), QStringList()}};
        return AnswerPropertiesCall(call, QLatin1String(Interface), properties);
    }
    if (!interface.isEmpty() && interface != QLatin1String(Interface)) {
        return UnknownMethod(call);
    }
    // Every argument is checked against the method's signature before it is read: the sender may be anyone.
    const QString member = call.member();
    const QString signature = call.signature();
    const auto is = [&](const char* name, const char* expected) {
        return member == QLatin1String(name) && signature == QLatin1String(expected);
    };
    const QVariantList arguments = call.arguments();
    if (is("GetLayout", "iias")) {
        return GetLayout(call);
    }
    if (is("GetGroupProperties", "aias")) {
        return GetGroupProperties(call);
    }
    if (is("GetProperty", "is")) {
        return GetProperty(call);
    }
    if (is("Event", "isvu")) {
        return HandleEvent(arguments.at(0).toInt(), arguments.at(1).toString())
                   ? call.createReply()
                   : InvalidArguments(call, QStringLiteral("No menu item %1").arg(arguments.at(0).toInt()));
    }
    if (is("EventGroup", "a(isvu)")) {
        QList<int> idErrors;
        for (const DBusMenuEvent& event : qdbus_cast<DBusMenuEventList>(arguments.at(0))) {
            if (!HandleEvent(event.id, event.eventId)) {
                idErrors.append(event.id);
            }
        }
        return call.createReply(QVariant::fromValue(idErrors));
    }
    if (is("AboutToShow", "i")) {
        return AboutToShow(call);
    }
    if (is("AboutToShowGroup", "ai")) {
        return AboutToShowGroup(call);
    }
    const QStringList methods{QStringLiteral("GetLayout"),       QStringLiteral("GetGroupProperties"),
                              QStringLiteral("GetProperty"),     QStringLiteral("Event"),
                              QStringLiteral("EventGroup"),      QStringLiteral("AboutToShow"),
                              QStringLiteral("AboutToShowGroup")};
    return methods.contains(member)
               ? InvalidArguments(call, QStringLiteral("Wrong arguments for %1").arg(member))
               : UnknownMethod(call);
}

QDBusMessage DBusMenu::GetLayout(const QDBusMessage& call) const {
    const QVariantList arguments = call.arguments();
    const int parentId = arguments.at(0).toInt();
    const int depth = arguments.at(1).toInt();
    const QStringList names = arguments.at(2).toStringList();
    const std::optional<QVariantMap> properties = ItemProperties(parentId, names);
    if (!properties) {
        return InvalidArguments(call, QStringLiteral("No menu item %1").arg(parentId));
    }
    // The menu is flat: only the root has children, and a depth of zero asks for none of them.
    DBusMenuLayout layout{parentId, *properties, {}};
    if (parentId == 0 && depth != 0) {
        for (int id = 1; id <= Actions().size(); ++id) {
            layout.children.append(DBusMenuLayout{id, ItemProperties(id, names).value_or(QVariantMap()), {}});
        }
    }
    return call.createReply(QVariantList{QVariant::fromValue(revision_), QVariant::fromValue(layout)});
}

QDBusMessage DBusMenu::GetGroupProperties(const QDBusMessage& call) const {
    QList<int> ids = qdbus_cast<QList<int>>(call.arguments().at(0));
    const QStringList names = call.arguments().at(1).toStringList();
    // No identifiers at all asks for every item; unknown identifiers are left out of the answer.
    if (ids.isEmpty()) {
        for (int id = 0; id <= Actions().size(); ++id) {
            ids.append(id);
        }
    }
    DBusMenuItemList items;
    for (const int id : std::as_const(ids)) {
        if (const std::optional<QVariantMap> properties = ItemProperties(id, names)) {
            items.append(DBusMenuItem{id, *properties});
        }
    }
    return call.createReply(QVariant::fromValue(items));
}

QDBusMessage DBusMenu::GetProperty(const QDBusMessage& call) const {
    const int id = call.arguments().at(0).toInt();
    const QString name = call.arguments().at(1).toString();
    const std::optional<QVariantMap> properties = ItemProperties(id, {name});
    if (!properties || !properties->contains(name)) {
        return InvalidArguments(call, QStringLiteral("No property %1 on menu item %2").arg(name).arg(id));
    }
    return call.createReply(QVariant::fromValue(QDBusVariant(properties->value(name))));
}

QDBusMessage DBusMenu::AboutToShow(const QDBusMessage& call) {
    const int id = call.arguments().at(0).toInt();
    if (!ItemProperties(id, {})) {
        return InvalidArguments(call, QStringLiteral("No menu item %1").arg(id));
    }
    return call.createReply(PrepareToShow(id));
}

QDBusMessage DBusMenu::AboutToShowGroup(const QDBusMessage& call) {
    QList<int> updatesNeeded;
    QList<int> idErrors;
    for (const int id : qdbus_cast<QList<int>>(call.arguments().at(0))) {
        if (!ItemProperties(id, {})) {
            idErrors.append(id);
        } else if (PrepareToShow(id)) {
            updatesNeeded.append(id);
        }
    }
    return call.createReply(QVariantList{QVariant::fromValue(updatesNeeded), QVariant::fromValue(idErrors)});
}

bool DBusMenu::HandleEvent(int id, const QString& eventId) {
    if (id == 0) {
        if (eventId == QLatin1String("closed") && menu_ != nullptr) {
            emit menu_->aboutToHide();
        }
        return true;
    }
    QAction* action = ActionFor(id);
    if (action == nullptr) {
        return false;
    }
    // Triggered from the event loop, so the caller has its reply before whatever the action does (which
    // may be to end the program); QAction itself ignores the trigger if the entry was disabled by then.
    if (eventId == QLatin1String("clicked") && !action->isSeparator() && action->isEnabled() &&
        action->isVisible()) {
        QMetaObject::invokeMethod(action, "trigger", Qt::QueuedConnection);
    }
    return true;
}

QList<QAction*> DBusMenu::Actions() const {
    return menu_ != nullptr ? menu_->actions() : QList<QAction*>();
}

QAction* DBusMenu::ActionFor(int id) const {
    const QList<QAction*> actions = Actions();
    return id >= 1 && id <= actions.size() ? actions.at(id - 1) : nullptr;
}

std::optional<QVariantMap> DBusMenu::ItemProperties(int id, const QStringList& names) const {
    QVariantMap properties;
    if (id == 0) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const QAction* action = ActionFor(id)) {
        properties.insert(QStringLiteral("visible"), action->isVisible());
        if (action->isSeparator()) {
            properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            properties.insert(QStringLiteral("label"), Label(action->text()));
            properties.insert(QStringLiteral("enabled"), action->isEnabled());
        }
        if (action->isCheckable() && !action->isSeparator()) {
            const bool exclusive =
                action->actionGroup() != nullptr &&
                action->actionGroup()->exclusionPolicy() != QActionGroup::ExclusionPolicy::None;
            properties.insert(QStringLiteral("toggle-type"),
                              exclusive ? QStringLiteral("radio") : QStringLiteral("checkmark"));
            properties.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
        }
    } else {
        return std::nullopt;
    }
    if (!names.isEmpty()) {
        properties.removeIf([&](const auto& entry) { return !names.contains(entry.key()); });
    }
    return properties;
}

bool DBusMenu::PrepareToShow(int id) {
    if (id != 0 || menu_ == nullptr) {
        return false;
    }
    const uint before = revision_;
    emit menu_->aboutToShow();
    return revision_ != before;
}

bool DBusMenu::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == menu_ &&
        (type == QEvent::ActionAdded || type == QEvent::ActionRemoved || type == QEvent::ActionChanged)) {
        LayoutChanged();
    }
    return QDBusVirtualObject::eventFilter(watched, event);
}

void DBusMenu::LayoutChanged() {
    ++revision_;
    if (!layoutSignal_.isActive()) {
        layoutSignal_.start();
    }
}

void DBusMenu::SendLayoutUpdated() {
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(Path), QLatin1String(Interface),
                                                     QStringLiteral("LayoutUpdated"));
    signal << revision_ << 0;
    bus_.send(signal);
}

} // namespace kelvo::system
