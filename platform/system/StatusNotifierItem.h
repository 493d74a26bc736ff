#pragma once

#include <QDBusConnection>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusMessage;
class QDBusServiceWatcher;
class QDBusVirtualObject;
class QMenu;

namespace kelvo::system {

class DBusMenu;

// Our tray icon on desktops that show icons as StatusNotifierItems: the item is an object on the bus
// that the desktop's watcher is told of, and every tray (a "host") reads its properties and menu from it.
//
// We follow the watcher ourselves instead of deciding once whether there is one: a tray that starts after
// the program (or restarts) gets the icon as soon as its watcher appears. The item is exported at
// /StatusNotifierItem and the menu at /MenuBar, so one item per connection; the service name is
// org.kde.StatusNotifierItem-<pid>-<n> with the first n that is free. Everything runs on the thread that
// made the item, which must be the one that owns the menu.
class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    struct Description {
        QString id;       // the application's identifier, never shown ("Kelvo")
        QString title;    // the application's name as a tray may show it
        QString iconName; // the icon's name in the icon theme
        QIcon icon;       // sent as images (16, 32 and 48 pixels) for trays without the themed icon
        QString toolTip;
    };

    // The menu's actions (entries and separators, their text without access marks, enabled and visible
    // state) are exported for the tray to show; choosing an entry there triggers its action.
    StatusNotifierItem(QDBusConnection bus, Description description, QMenu* menu, QObject* parent = nullptr);
    // Takes the item and its menu off the bus and gives up the service name.
    ~StatusNotifierItem() override;
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    // Exports the item and its menu, takes the service name, and registers with the watcher now and every
    // time a watcher appears. False when the bus is not connected or the objects or a name cannot be had.
    bool Start();
    // Whether a tray shows the icon: the item is registered with a watcher that reports a host.
    bool Shown() const { return registered_ && hostPresent_; }
    // Whether a watcher owns its name on the bus right now (asks the bus daemon only).
    static bool WatcherPresent(const QDBusConnection& bus);

    QString ServiceName() const { return serviceName_; }

signals:
    void Activated(int x, int y);            // the icon was clicked (the primary button)
    void SecondaryActivated(int x, int y);   // the icon was clicked with the middle button
    void ContextMenuRequested(int x, int y); // a tray that does not show the menu itself asks us to
    void ShownChanged(bool shown);

private slots:
    // The watcher's signals, connected by name through QDBusConnection::connect.
    void HostRegistered();
    void HostUnregistered();

private:
    bool HandleItemMessage(const QDBusMessage& message);
    bool TakeServiceName();
    void WatcherOwnerChanged(const QString& newOwner);
    void RegisterWithWatcher();
    void ReadHostPresence();
    void SetState(bool registered, bool hostPresent);
    void Stop();

    QDBusConnection bus_;
    QVariantMap properties_;
    DBusMenu* menu_ = nullptr;
    QDBusVirtualObject* item_ = nullptr;
    QDBusServiceWatcher* watcher_ = nullptr;
    QString serviceName_;
    bool started_ = false;
    bool registered_ = false;
    bool hostPresent_ = false;
    // Counts registrations, so that the answer to one made for a watcher that has gone since is ignored.
    quint64 generation_ = 0;
};

} // namespace kelvo::system
