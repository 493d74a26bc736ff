#pragma once

#include <QString>

namespace kelvo::system {

// Shows a short message in the desktop's notification area; the desktop's own settings decide whether and
// how. Tests substitute their own.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void Notify(const QString& summary, const QString& body) = 0;
};

// Sends org.freedesktop.Notifications.Notify on the session bus and does not wait for the answer: with no
// session bus or no notification server the message is simply not shown.
class DBusDesktopNotifier final : public DesktopNotifier {
public:
    // appId: the name of the program's menu entry and icon.
    explicit DBusDesktopNotifier(const QString& appName, const QString& appId);
    void Notify(const QString& summary, const QString& body) override;

private:
    QString appName_;
    QString appId_;
};

} // namespace kelvo::system
