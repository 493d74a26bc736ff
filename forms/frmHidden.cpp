#include "frmHidden.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>

#include "FormResources.h"
#include "app/OpenDocument.h"
#include "app/ProgramFolder.h"
#include "frmMain.h"

namespace kelvo::forms {

namespace {

constexpr int LeftButtonUp = 514;
constexpr int LeftButtonDoubleClick = 515;
constexpr int RightButtonUp = 517;

} // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/images/icon%1.png").arg(size), QSize(size, size));
    }
    // Without the compiled-in images (a broken build) the tray still gets an icon to click.
    return icon.availableSizes().isEmpty() ? QApplication::style()->standardIcon(QStyle::SP_ComputerIcon)
                                           : icon;
}

frmHidden::frmHidden(ProgramContext& context)
    : context_(context) {
    setWindowTitle(QStringLiteral("Hidden"));
    setWindowIcon(ProgramIcon());
    GlobalTimer.setParent(this);
    connect(&GlobalTimer, &QTimer::timeout, this, [this] { context_.scheduler.OnGlobalTimer(); });

    mnuTrayPopup = new QMenu(this);
    connect(mnuTrayPopup->addAction(QStringLiteral("Show")), &QAction::triggered, this,
            &frmHidden::RestoreMainWindow);
    mnuTrayPopup->addSeparator();
    connect(mnuTrayPopup->addAction(QStringLiteral("Visit Website")), &QAction::triggered, this,
            [this] { app::OpenDocument(context_.desktop, WebsiteHost); });
    connect(mnuTrayPopup->addAction(QStringLiteral("Readme.txt")), &QAction::triggered, this,
            [this] { app::OpenDocument(context_.desktop, app::ReadmePath(context_.shell.AppFolder)); });
    mnuTrayPopup->addSeparator();
    connect(mnuTrayPopup->addAction(QStringLiteral("Exit")), &QAction::triggered, this, [this] {
        if (context_.unloadAll) {
            context_.unloadAll();
        }
    });
    connect(mnuTrayPopup, &QMenu::aboutToShow, this, &frmHidden::TrayMenuShown);
}

frmHidden::~frmHidden() = default;

void frmHidden::Load() {
    GlobalTimer.setInterval(100);
    context_.schedulerValues.TickDivisor = 10;
    TrayOn();
    hide();
}

void frmHidden::Unload() {
    context_.optimizer.ReleaseBlocks();
    GlobalTimer.setInterval(0);
    GlobalTimer.stop();
}

bool frmHidden::OptimizeRAM(std::int16_t count) {
    return context_.optimizer.OptimizeRAM(count);
}

void frmHidden::TrayOn() {
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(windowIcon());
        tray_->setToolTip(QStringLiteral("Kelvo Optimizer"));
        tray_->setContextMenu(mnuTrayPopup);
        connect(tray_.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        TrayNotification(LeftButtonUp);
                        break;
                    case QSystemTrayIcon::DoubleClick:
                        TrayNotification(LeftButtonDoubleClick);
                        break;
                    case QSystemTrayIcon::Context:
                        TrayNotification(RightButtonUp);
                        break;
                    default:
                        break;
                    }
                });
    }
    // Shown even when no tray is there yet: the icon is embedded as soon as a tray host appears.
    tray_->show();
}

void frmHidden::TrayOff() {
    if (tray_) {
        tray_->hide();
    }
}

bool frmHidden::TrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void frmHidden::TrayNotification(int message) {
    hide();
    switch (message) {
    case LeftButtonUp:
    case LeftButtonDoubleClick:
        RestoreMainWindow();
        break;
    case RightButtonUp:
        // The tray shows the context menu itself, at the mouse; bring the main window's application forward
        // so the menu gets the keyboard.
        if (main_ != nullptr) {
            main_->activateWindow();
        }
        break;
    default:
        break;
    }
}

void frmHidden::RestoreMainWindow() {
    if (main_ == nullptr) {
        return;
    }
    // Only a window the user minimized from its title bar is still minimized here: clearing that state
    // maps it again and the window manager brings it back. A window closed to the tray is withdrawn, not
    // minimized, so this changes nothing and show() maps it once.
    main_->setWindowState(main_->windowState() & ~Qt::WindowMinimized);
    main_->show();
    main_->raise();
    main_->activateWindow();
}

} // namespace kelvo::forms
