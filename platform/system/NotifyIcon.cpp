#include "NotifyIcon.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace kelvo::system {

namespace {

bool OnX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

// The item has a session-bus connection of its own: the toolkit's tray icon uses the same object paths on the
// shared connection whenever it settles for a watcher itself.
QDBusConnection ItemBus() {
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("kelvo-tray"));
}

} // namespace

NotifyIcon::Kind NotifyIcon::Choose(bool watcherPresent, bool x11) {
    if (watcherPresent) {
        return Kind::StatusNotifier;
    }
    return x11 ? Kind::Embedded : Kind::None;
}

NotifyIcon::NotifyIcon(StatusNotifierItem::Description description, QMenu* menu, QObject* parent)
    : TrayIcon(parent)
    , description_(std::move(description))
    , menu_(menu) {
    embeddedCheck_.setInterval(EmbeddedCheckMs);
    connect(&embeddedCheck_, &QTimer::timeout, this, &NotifyIcon::Update);
}

NotifyIcon::~NotifyIcon() = default;

void NotifyIcon::Add() {
    added_ = true;
    QDBusConnection bus = ItemBus();
    if (!item_ && bus.isConnected()) {
        item_ = std::make_unique<StatusNotifierItem>(bus, description_, menu_);
        connect(item_.get(), &StatusNotifierItem::Activated, this, [this] { emit Clicked(Click::Left); });
        connect(item_.get(), &StatusNotifierItem::ContextMenuRequested, this, [this](int x, int y) {
            // Hosts that read the exported menu never ask for this; the others get the menu at the mouse.
            menu_->popup(QPoint(x, y));
            emit Clicked(Click::Right);
        });
        connect(item_.get(), &StatusNotifierItem::ShownChanged, this, &NotifyIcon::Update);
        if (!item_->Start()) {
            item_.reset();
        }
    }
    Update();
}

void NotifyIcon::Remove() {
    added_ = false;
    item_.reset();
    Update();
}

bool NotifyIcon::Shown() const {
    return (item_ && item_->Shown()) || EmbeddedShown();
}

bool NotifyIcon::Pending() const {
    return item_ && !item_->Shown() && StatusNotifierItem::WatcherPresent(ItemBus());
}

bool NotifyIcon::EmbeddedShown() const {
    // The toolkit gives the icon a place on the screen while an X11 tray holds it, and takes it away when the
    // tray goes.
    return embedded_ && embedded_->isVisible() && embedded_->geometry().isValid();
}

void NotifyIcon::Update() {
    const bool watcher = item_ && (item_->Shown() || StatusNotifierItem::WatcherPresent(ItemBus()));
    const Kind kind = added_ ? Choose(watcher, OnX11()) : Kind::None;
    if (kind != Kind::Embedded) {
        embedded_.reset();
        embeddedCheck_.stop();
    } else if (!embedded_) {
        embedded_ = std::make_unique<QSystemTrayIcon>(description_.icon);
        embedded_->setToolTip(description_.toolTip);
        embedded_->setContextMenu(menu_);
        connect(embedded_.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        emit Clicked(Click::Left);
                        break;
                    case QSystemTrayIcon::DoubleClick:
                        emit Clicked(Click::Double);
                        break;
                    case QSystemTrayIcon::Context:
                        emit Clicked(Click::Right);
                        break;
                    default:
                        break;
                    }
                });
        // Shown even when no tray is there yet: the toolkit docks it as soon as one appears.
        embedded_->show();
        embeddedCheck_.start();
    }
    const bool shown = Shown();
    if (shown != shown_) {
        shown_ = shown;
        emit ShownChanged(shown);
    }
}

} // namespace kelvo::system
