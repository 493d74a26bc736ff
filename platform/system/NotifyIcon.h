#pragma once

#include <memory>

#include <QTimer>

#include "StatusNotifierItem.h"
#include "TrayIcon.h"

class QMenu;
class QSystemTrayIcon;

namespace kelvo::system {

// The tray icon on the desktops people run: a StatusNotifierItem of our own whenever a watcher is on the
// session bus (KDE Plasma, LXQt, Xfce, GNOME with the AppIndicator extension), registered again each time a
// watcher appears; otherwise, under X11, an icon embedded in an X11 tray, which the toolkit docks as soon as
// such a tray appears. Only one of the two exists at a time, so a tray never shows the icon twice.
class NotifyIcon final : public TrayIcon {
    Q_OBJECT
public:
    // Which icon a desktop gets.
    enum class Kind { None, StatusNotifier, Embedded };
    static Kind Choose(bool watcherPresent, bool x11);

    NotifyIcon(StatusNotifierItem::Description description, QMenu* menu, QObject* parent = nullptr);
    ~NotifyIcon() override;

    void Add() override;
    void Remove() override;
    bool Shown() const override;
    bool Pending() const override;

    // How often the embedded icon's tray is looked for while no watcher is on the bus. Each look wakes the
    // program a few times (the icon's place is asked of the X server); every 2 s it added 2.5 wakeups per
    // second to the idle program's 10.
    static constexpr int EmbeddedCheckMs = 10000;

private:
    // Brings the icons in line with what the desktop offers now.
    void Update();
    bool EmbeddedShown() const;

    StatusNotifierItem::Description description_;
    QMenu* menu_;
    bool added_ = false;
    bool shown_ = false;
    std::unique_ptr<StatusNotifierItem> item_;
    std::unique_ptr<QSystemTrayIcon> embedded_;
    QTimer embeddedCheck_;
};

} // namespace kelvo::system
