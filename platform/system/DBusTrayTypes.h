#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

class QIcon;

namespace kelvo::system {

// The structured values the tray icon and its menu exchange over D-Bus. Each is a plain value with its
// D-Bus signature noted beside it; RegisterDBusTrayTypes makes them known to QtDBus.

// One icon image (iiay): 32-bit ARGB pixels, each in network byte order, row by row.
struct DBusPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using DBusPixmapList = QList<DBusPixmap>;

// A tray icon's tool tip (sa(iiay)ss): icon name, icon images, title and a longer description.
struct DBusToolTip {
    QString iconName;
    DBusPixmapList pixmaps;
    QString title;
    QString description;
};

// A menu item's identifier with its properties (ia{sv}).
struct DBusMenuItem {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemList = QList<DBusMenuItem>;

// A menu item with its children (ia{sv}av). The children travel as variants, each holding one more such
// item, which is how a recursive layout is written in a D-Bus signature.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// One event sent to a menu item (isvu): its identifier, the event's name, its data and a timestamp.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

QDBusArgument& operator<<(QDBusArgument& argument, const DBusPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& toolTip);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayout& layout);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);

// Registers the types above with QtDBus; the first call does the work, later ones return at once.
void RegisterDBusTrayTypes();

// The icon's images at the given square sizes (as many as the icon can give, no size twice), converted to
// the D-Bus pixel layout.
DBusPixmapList PixmapsForDBus(const QIcon& icon, const QList<int>& sizes);

// Answers an org.freedesktop.DBus.Properties call (Get, GetAll, Set) on an object whose properties are
// all read-only and belong to one interface. The arguments are checked before use, since anyone on the
// bus may send anything.
QDBusMessage AnswerPropertiesCall(const QDBusMessage& call, const QString& interfaceName,
                                  const QVariantMap& properties);

// Whether the call asks for the object's introspection document, which QtDBus writes itself (with the part
// our object's introspect() gives): an object leaves such calls unhandled.
bool IsIntrospection(const QDBusMessage& call);

// An org.freedesktop.DBus.Error.InvalidArgs reply to the call.
QDBusMessage InvalidArguments(const QDBusMessage& call, const QString& text);

// The standard reply to a method or interface the object does not have.
QDBusMessage UnknownMethod(const QDBusMessage& call);

} // namespace kelvo::system

Q_DECLARE_METATYPE(kelvo::system::DBusPixmap)
Q_DECLARE_METATYPE(kelvo::system::DBusToolTip)
Q_DECLARE_METATYPE(kelvo::system::DBusMenuItem)
Q_DECLARE_METATYPE(kelvo::system::DBusMenuLayout)
Q_DECLARE_METATYPE(kelvo::system::DBusMenuEvent)
