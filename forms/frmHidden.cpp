#include "frmHidden.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QStyle>

#include "FormResources.h"
#include "frmMain.h"
#include "platform/numeric/Numeric.h"
#include "platform/system/NotifyIcon.h"
#include "settings/OpenDocument.h"
#include "settings/ProgramFolder.h"

namespace kelvo::forms {

namespace {

constexpr int LeftButtonUp = 514;
constexpr int LeftButtonDoubleClick = 515;
constexpr int RightButtonUp = 517;

// The theme name of the program's icon, installed in hicolor with the program.
const QString IconName = QStringLiteral("org.kelvo.Kelvo");

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
            [this] { settings::OpenDocument(context_.desktop, WebsiteHost); });
    connect(mnuTrayPopup->addAction(QStringLiteral("Readme.txt")), &QAction::triggered, this, [this] {
        settings::OpenDocument(context_.desktop, settings::ReadmePath(context_.shell.AppFolder));
    });
    mnuTrayPopup->addSeparator();
    connect(mnuTrayPopup->addAction(QStringLiteral("Exit")), &QAction::triggered, this, [this] {
        if (context_.unloadAll) {
            context_.unloadAll();
        }
    });

    trayAnswer_.setSingleShot(true);
    connect(&trayAnswer_, &QTimer::timeout, this, [this] {
        if (MainWindowOutOfReach()) {
            main_->show();
        }
    });
    trayReturn_.setSingleShot(true);
    trayReturn_.setInterval(TrayReturnMs);
    connect(&trayReturn_, &QTimer::timeout, this, [this] {
        if (MainWindowOutOfReach()) {
            main_->showMinimized();
        }
    });
}

frmHidden::~frmHidden() = default;

void frmHidden::Load() {
    GlobalTimer.setInterval(100);
    TrayOn();
    hide();
}

void frmHidden::Unload() {
    context_.optimizer.ReleaseBlocks();
    GlobalTimer.setInterval(0);
    GlobalTimer.stop();
}

void frmHidden::TrayOn() {
    if (!tray_) {
        if (context_.makeTrayIcon) {
            tray_ = context_.makeTrayIcon(mnuTrayPopup);
        } else {
            tray_ = std::make_unique<system::NotifyIcon>(
                system::StatusNotifierItem::Description{QStringLiteral("Kelvo"), QStringLiteral("Kelvo"),
                                                        IconName, windowIcon(),
                                                        QStringLiteral("Kelvo Optimizer")},
                mnuTrayPopup);
        }
        connect(tray_.get(), &system::TrayIcon::Clicked, this, [this](system::TrayIcon::Click click) {
            switch (click) {
            case system::TrayIcon::Click::Left:
                TrayNotification(LeftButtonUp);
                break;
            case system::TrayIcon::Click::Double:
                TrayNotification(LeftButtonDoubleClick);
                break;
            case system::TrayIcon::Click::Right:
                TrayNotification(RightButtonUp);
                break;
            }
        });
        connect(tray_.get(), &system::TrayIcon::ShownChanged, this, &frmHidden::TrayShownChanged);
    }
    tray_->Add();
}

void frmHidden::TrayOff() {
    if (tray_) {
        tray_->Remove();
    }
}

bool frmHidden::TrayIconShown() const {
    return tray_ && tray_->Shown();
}

void frmHidden::TrayShownChanged(bool shown) {
    if (shown) {
        trayReturn_.stop();
    } else {
        trayReturn_.start();
    }
}

void frmHidden::ShowMainWindowWithoutTray(int graceMs) {
    if (!MainWindowOutOfReach()) {
        return;
    }
    if (!tray_ || !tray_->Pending()) {
        main_->show();
        return;
    }
    trayAnswer_.start(graceMs);
}

bool frmHidden::MainWindowOutOfReach() const {
    return main_ != nullptr && !main_->isVisible() && !TrayIconShown();
}

bool frmHidden::MainWindowInView() const {
    return main_ != nullptr && main_->isVisible() && !main_->isMinimized();
}

void frmHidden::ScheduledPassDone(const system::MemoryStatus& before, const system::MemoryStatus& after) {
    // The user who watches the window sees the bar and the figures.
    if (context_.notifier == nullptr || MainWindowInView()) {
        return;
    }
    context_.notifier->Notify(QStringLiteral("Kelvo Optimizer"), PassReport(before, after, context_.locale));
}

QString frmHidden::PassReport(const system::MemoryStatus& before, const system::MemoryStatus& after,
                              const QLocale& locale) {
    // The window's own format; the pattern gives nothing for 0, which is still a figure here.
    const auto bytes = [&locale](std::uint64_t value) {
        return value == 0 ? QStringLiteral("0")
                          : numeric::Format(static_cast<double>(value), QStringLiteral("#,###,###"), locale);
    };
    const bool rose = after.availableBytes >= before.availableBytes;
    const std::uint64_t change =
        rose ? after.availableBytes - before.availableBytes : before.availableBytes - after.availableBytes;
    QString report =
        QStringLiteral("Free RAM before: %1\nFree RAM after: %2\nAvailable memory %3 by %4 bytes")
            .arg(bytes(before.availableBytes), bytes(after.availableBytes),
                 rose ? QStringLiteral("rose") : QStringLiteral("fell"), bytes(change));
    // The pass's own blocks are gone from swap once released: what swap holds more is other programs'.
    if (after.swapFreeBytes < before.swapFreeBytes) {
        report += QStringLiteral("\n%1 bytes of idle programs moved to swap")
                      .arg(bytes(before.swapFreeBytes - after.swapFreeBytes));
    }
    return report;
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
    // A window minimized from its title bar, or closed on a desktop without a tray, is still minimized here:
    // clearing that state maps it again and the window manager brings it back. A window closed to the tray
    // is withdrawn, not minimized, so this changes nothing and show() maps it once.
    main_->setWindowState(main_->windowState() & ~Qt::WindowMinimized);
    main_->show();
    main_->raise();
    main_->activateWindow();
}

} // namespace kelvo::forms
