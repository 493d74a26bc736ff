#pragma once

#include <cstdint>
#include <memory>

#include <QIcon>
#include <QTimer>
#include <QWidget>

#include "ProgramContext.h"

class QMenu;
class QSystemTrayIcon;

namespace kelvo::forms {

class frmMain;

// The program's icon in 16, 32 and 48 pixels, for the tray and the main window.
QIcon ProgramIcon();

// The window the user never sees: it owns the tray icon and its menu, and the global timer that drives
// the scheduler.
class frmHidden : public QWidget {
    Q_OBJECT
public:
    explicit frmHidden(ProgramContext& context);
    ~frmHidden() override;

    // Sets up the global timer (created disabled) and adds the tray icon.
    void Load();
    // Gives back the blocks of a pass and stops the global timer.
    void Unload();

    void SetMainWindow(frmMain* main) { main_ = main; }
    void EnableGlobalTimer() { GlobalTimer.start(); }

    bool OptimizeRAM(std::int16_t count);

    void TrayOn();
    void TrayOff();
    // Whether a tray can show the icon now.
    bool TrayAvailable() const;

    // The tray icon's notifications, numbered as mouse messages: 514 left button released, 515 left
    // double click, 517 right button released.
    void TrayNotification(int message);

    QTimer GlobalTimer;
    QMenu* mnuTrayPopup = nullptr;

signals:
    // The menu is about to be shown (tests and the log watch it).
    void TrayMenuShown();

private:
    void RestoreMainWindow();

    ProgramContext& context_;
    frmMain* main_ = nullptr;
    std::unique_ptr<QSystemTrayIcon> tray_;
};

} // namespace kelvo::forms
