#pragma once

#include <optional>

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>

#include "platform/system/DBusTrayTypes.h"

class QAction;
class QMenu;

namespace kelvo::system {

// Exports a QMenu over D-Bus as com.canonical.dbusmenu, the interface through which a tray shows an
// icon's menu in its own style. The root item has identifier 0; the menu's actions follow as 1, 2, ... in
// their order, entries with their label (access marks removed), enabled and visible state, separators
// as separators. A "clicked" event triggers the action from the event loop, after the reply has gone out.
//
// The menu is watched: when actions are added, removed or changed, the layout revision goes up and the
// tray hears of it through LayoutUpdated. When the tray is about to show the menu, the menu's own
// aboutToShow signal is emitted, so whoever keeps it up to date does so as for a menu shown by us.
//
// Register it with QDBusConnection::registerVirtualObject at Path; it lives on the thread that owns the
// menu, where QtDBus delivers its calls.
class DBusMenu : public QDBusVirtualObject {
    Q_OBJECT
public:
    static constexpr const char* Path = "/MenuBar";
    static constexpr const char* Interface = "com.canonical.dbusmenu";

    DBusMenu(QDBusConnection bus, QMenu* menu, QObject* parent = nullptr);
    ~DBusMenu() override;
    DBusMenu(const DBusMenu&) = delete;
    DBusMenu& operator=(const DBusMenu&) = delete;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

    uint Revision() const { return revision_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDBusMessage Answer(const QDBusMessage& call);
    QDBusMessage GetLayout(const QDBusMessage& call) const;
    QDBusMessage GetGroupProperties(const QDBusMessage& call) const;
    QDBusMessage GetProperty(const QDBusMessage& call) const;
    QDBusMessage AboutToShow(const QDBusMessage& call);
    QDBusMessage AboutToShowGroup(const QDBusMessage& call);
    // Acts on one event; false when no item has the identifier.
    bool HandleEvent(int id, const QString& eventId);

    QList<QAction*> Actions() const;
    QAction* ActionFor(int id) const;
    // The item's properties, restricted to the names given unless none are; nothing for an unknown item.
    std::optional<QVariantMap> ItemProperties(int id, const QStringList& names) const;
    // Whether the menu shown by the tray should be brought up to date before it opens (the menu changed
    // while its owner prepared it).
    bool PrepareToShow(int id);
    void LayoutChanged();
    void SendLayoutUpdated();

    QDBusConnection bus_;
    QPointer<QMenu> menu_;
    uint revision_ = 1;
    QTimer layoutSignal_;
};

} // namespace kelvo::system
