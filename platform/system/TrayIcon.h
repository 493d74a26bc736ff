#pragma once

#include <QObject>

namespace kelvo::system {

// The program's icon in the desktop's tray. Whether a tray shows it can change at any time: trays start after
// the program, restart, or never exist; the owner hears of each change.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    enum class Click { Left, Double, Right };

    using QObject::QObject;
    // Puts the icon up, now and in every tray that appears later.
    virtual void Add() = 0;
    // Takes it down for good.
    virtual void Remove() = 0;
    // A tray shows the icon now.
    virtual bool Shown() const = 0;
    // A tray is there and has been asked to show the icon, but has not answered yet.
    virtual bool Pending() const = 0;

signals:
    void Clicked(kelvo::system::TrayIcon::Click click);
    void ShownChanged(bool shown);
};

} // namespace kelvo::system
