#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace kelvo::system {

DBusDesktopNotifier::DBusDesktopNotifier(const QString& appName, const QString& appId)
    : appName_(appName)
    , appId_(appId) {}

void DBusDesktopNotifier::Notify(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The desktop entry lets the server group the message under the program and apply its settings.
    const QVariantMap hints{{QStringLiteral("desktop-entry"), appId_}};
    call << appName_ << quint32{0} << appId_ << summary << body << QStringList() << hints << qint32{-1};
    // Sent without waiting: an error answer (no server) is dropped by the connection.
    bus.send(call);
}

} // namespace kelvo::system
