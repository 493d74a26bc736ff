#pragma once

#include <cstdint>
#include <memory>

#include <QIcon>
#include <QTimer>
#include <QWidget>

#include "ProgramContext.h"
#include "optimizer/Scheduler.h"
#include "platform/system/TrayIcon.h"

class QMenu;

namespace kelvo::forms {

class frmMain;

// The program's icon in 16, 32 and 48 pixels, for the tray and the main window.
QIcon ProgramIcon();

// The window the user never sees: it owns the tray icon and its menu, and the global timer that drives
// the scheduler. It tells the desktop of passes the scheduler ran while the main window was not in view.
class frmHidden : public QWidget, public optimizer::PassObserver {
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

    void TrayOn();
    void TrayOff();
    // Whether a tray shows the icon now: only then can a hidden main window be brought back from it.
    bool TrayIconShown() const;
    // Shows the main window unless a tray shows the icon; a tray that has been asked to show it is given
    // graceMs to do so.
    void ShowMainWindowWithoutTray(int graceMs);
    // Shows, un-minimizes, raises and activates the main window.
    void RestoreMainWindow();

    // The tray icon's notifications, numbered as mouse messages: 514 left button released, 515 left
    // double click, 517 right button released.
    void TrayNotification(int message);

    // PassObserver
    void ScheduledPassDone(const system::MemoryStatus& before, const system::MemoryStatus& after) override;
    // What the desktop is told of such a pass: the "Free RAM" figures before and after it and the change.
    static QString PassReport(const system::MemoryStatus& before, const system::MemoryStatus& after,
                              const QLocale& locale);

    // A tray that went away is given this long to come back before a hidden main window is put where the
    // user can reach it (a panel restarting, say).
    static constexpr int TrayReturnMs = 3000;

    QTimer GlobalTimer;
    QMenu* mnuTrayPopup = nullptr;

private:
    // A tray that is gone leaves a hidden main window out of reach: it goes to the task list, minimized.
    void TrayShownChanged(bool shown);
    bool MainWindowInView() const;
    // Hidden, with no tray icon to bring it back from.
    bool MainWindowOutOfReach() const;

    ProgramContext& context_;
    frmMain* main_ = nullptr;
    std::unique_ptr<system::TrayIcon> tray_;
    QTimer trayAnswer_;
    QTimer trayReturn_;
};

} // namespace kelvo::forms
