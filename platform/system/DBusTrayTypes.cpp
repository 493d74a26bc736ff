#include "platform/system/DBusTrayTypes.h"

#include <algorithm>

#include <QDBusMetaType>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace kelvo::system {

QDBusArgument& operator<<(QDBusArgument& argument, const DBusPixmap& pixmap) {
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.bytes;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusPixmap& pixmap) {
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.bytes;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& toolTip) {
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.pixmaps << toolTip.title << toolTip.description;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& toolTip) {
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.pixmaps >> toolTip.title >> toolTip.description;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItem& item) {
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItem& item) {
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayout& layout) {
    argument.beginStructure();
    argument << layout.id << layout.properties;
    argument.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const DBusMenuLayout& child : layout.children) {
        argument << QDBusVariant(QVariant::fromValue(child));
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayout& layout) {
    argument.beginStructure();
    argument >> layout.id >> layout.properties;
    layout.children.clear();
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        // A child that is not itself a layout item is skipped rather than read as one.
        const QVariant value = child.variant();
        if (value.canConvert<QDBusArgument>()) {
            const auto inner = value.value<QDBusArgument>();
            if (inner.currentSignature() == QLatin1String("(ia{sv}av)")) {
                inner >> layout.children.emplace_back();
            }
        }
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event) {
    argument.beginStructure();
    argument << event.id << event.eventId << event.data << event.timestamp;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event) {
    argument.beginStructure();
    argument >> event.id >> event.eventId >> event.data >> event.timestamp;
    argument.endStructure();
    return argument;
}

void RegisterDBusTrayTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<DBusPixmap>();
        qDBusRegisterMetaType<DBusPixmapList>();
        qDBusRegisterMetaType<DBusToolTip>();
        qDBusRegisterMetaType<DBusMenuItem>();
        qDBusRegisterMetaType<DBusMenuItemList>();
        qDBusRegisterMetaType<DBusMenuLayout>();
        qDBusRegisterMetaType<DBusMenuEvent>();
        qDBusRegisterMetaType<DBusMenuEventList>();
        return true;
    }();
    Q_UNUSED(registered);
}

DBusPixmapList PixmapsForDBus(const QIcon& icon, const QList<int>& sizes) {
    DBusPixmapList pixmaps;
    for (const int size : sizes) {
        // A device pixel ratio of one: the tray asks for pixels, whatever the scale of our own windows.
        const QImage image =
            icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        const bool known = std::any_of(pixmaps.cbegin(), pixmaps.cend(), [&](const DBusPixmap& pixmap) {
            return pixmap.width == image.width() && pixmap.height == image.height();
        });
        if (image.isNull() || known) {
            continue;
        }
        DBusPixmap pixmap{image.width(), image.height(), {}};
        pixmap.bytes.reserve(qsizetype(image.width()) * image.height() * 4);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = line[x];
                for (const int channel : {qAlpha(pixel), qRed(pixel), qGreen(pixel), qBlue(pixel)}) {
                    pixmap.bytes.append(char(channel));
                }
            }
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

QDBusMessage AnswerPropertiesCall(const QDBusMessage& call, const QString& interfaceName,
                                  const QVariantMap& properties) {
    const QString member = call.member();
    const QString signature = call.signature();
    const QVariantList arguments = call.arguments();
    const bool known = (member == QLatin1String("Get") && signature == QLatin1String("ss")) ||
                       (member == QLatin1String("GetAll") && signature == QLatin1String("s")) ||
                       (member == QLatin1String("Set") && signature == QLatin1String("ssv"));
    if (!known) {
        return member == QLatin1String("Get") || member == QLatin1String("GetAll") ||
                       member == QLatin1String("Set")
                   ? InvalidArguments(call, QStringLiteral("Wrong arguments for %1").arg(member))
                   : UnknownMethod(call);
    }
    // An empty interface name asks for the object's properties whatever their interface, which here is one.
    const QString askedInterface = arguments.at(0).toString();
    if (!askedInterface.isEmpty() && askedInterface != interfaceName) {
        return call.createErrorReply(QDBusError::UnknownInterface,
                                     QStringLiteral("No interface %1 here").arg(askedInterface));
    }
    if (member == QLatin1String("GetAll")) {
        return call.createReply(QVariant::fromValue(properties));
    }
    const QString name = arguments.at(1).toString();
    const auto found = properties.constFind(name);
    if (found == properties.cend()) {
        return call.createErrorReply(QDBusError::UnknownProperty, QStringLiteral("No property %1").arg(name));
    }
    if (member == QLatin1String("Set")) {
        return call.createErrorReply(QDBusError::PropertyReadOnly,
                                     QStringLiteral("Property %1 is read-only").arg(name));
    }
    return call.createReply(QVariant::fromValue(QDBusVariant(*found)));
}

bool IsIntrospection(const QDBusMessage& call) {
    const QString interface = call.interface();
    return (interface.isEmpty() || interface == QLatin1String("org.freedesktop.DBus.Introspectable")) &&
           call.member() == QLatin1String("Introspect") && call.signature().isEmpty();
}

QDBusMessage InvalidArguments(const QDBusMessage& call, const QString& text) {
    return call.createErrorReply(QDBusError::InvalidArgs, text);
}

QDBusMessage UnknownMethod(const QDBusMessage& call) {
    return call.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("No method %1.%2(%3)").arg(call.interface(), call.member(), call.signature()));
}

} // namespace kelvo::system
