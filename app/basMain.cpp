#include "basMain.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFileInfo>
#include <QSessionManager>
#include <QStandardPaths>

#include <unistd.h>

#include "forms/LoadSettings.h"
#include "forms/frmHidden.h"
#include "forms/frmMain.h"
#include "platform/system/AppInfo.h"
#include "platform/system/Environment.h"
#include "platform/system/OwnFile.h"
#include "platform/system/SignalBridge.h"
#include "settings/ProgramFolder.h"

namespace kelvo::app {

namespace {

// Huge pages committed about 1.7 times and released about 6 times faster than small pages in every run of
// bench/BenchOptimize on the machines we measured, and without free huge pages the kernel falls back to
// small ones.
constexpr bool UseHugePages = true;

// How long a later start waits for the running copy to take its request.
constexpr int ComeForwardTimeoutMs = 1000;
// How long a tray that has been asked to show the icon at start-up may take before a minimized start shows
// the window after all.
constexpr int TrayAnswerMs = 2000;

QString UserConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Kelvo");
}

} // namespace

basMain::basMain()
    : stall_(pressure_, clock_)
    , allocator_(memory_, &cgroup_, UseHugePages, &stall_)
    // The desktop's colours and fonts for the drawing layer; the layout stays a fixed 96-DPI pixel layout.
    , host_(std::make_unique<host::HostContext>(gdi::SysColours::FromPalette(QApplication::palette())))
    , optimizer_(allocator_, host_->Events(), clock_)
    , scheduler_(schedulerValues_, optimizer_, memory_, clock_, shell_.Start)
    , instance_(QStringLiteral("kelvo"))
    , notifier_(QStringLiteral("Kelvo"), QStringLiteral("org.kelvo.Kelvo")) {}

basMain::~basMain() = default;

bool basMain::Start() {
    // Termination signals are caught from the first moment: one that comes while the program starts waits
    // for the event loop and ends the program in order, its lock removed, instead of killing it.
    signals_ = std::make_unique<system::SignalBridge>();
    optimizer_.LevelPercent = 40;
    const QString channelPath =
        QFileInfo(instance_.LockPath()).absolutePath() + QStringLiteral("/kelvo.socket");
    switch (instance_.TryAcquire()) {
    case system::SingleInstance::Outcome::Acquired:
        channel_ = std::make_unique<system::InstanceChannel>(channelPath);
        if (!channel_->Listen()) {
            std::fprintf(stderr, "Kelvo: a later start cannot bring this window forward: %s.\n",
                         qPrintable(channel_->Problem()));
        }
        break;
    case system::SingleInstance::Outcome::AlreadyRunning:
        // The running copy may be out of sight (minimized, or on a desktop whose tray went away): it is asked
        // to come forward, and this start ends as before.
        system::InstanceChannel::AskToComeForward(channelPath, ComeForwardTimeoutMs,
                                                  qgetenv("XDG_ACTIVATION_TOKEN"));
        return false;
    case system::SingleInstance::Outcome::Unavailable:
        // Only a copy that really runs may stop this start; a broken lock must not keep the program from
        // ever starting, nor keep silent about the missing guarantee.
        std::fprintf(stderr, "Kelvo: running without the check for another running copy: %s.\n",
                     qPrintable(instance_.Problem()));
        break;
    }
    // If the kernel must end a program for lack of memory, it ends the optimizer, never the user's work.
    system::RaiseOomScoreAdj(1000);

    shell_.AppFolder = system::WithTrailingSeparator(system::ExecutableFolder());
    // An installed program never adds its settings to a system folder (run as root, say), but a "Kelvo.ini"
    // already beside it is used; a portable folder keeps them beside the executable.
    const bool installed = settings::RunsInstalled(shell_.AppFolder);
    const auto writableBeside = [installed](const QString& path) {
        return installed ? QFileInfo(path).isFile() && settings::Writable(path) : settings::Writable(path);
    };
    const QString besideProgram = shell_.AppFolder + QStringLiteral("Kelvo.ini");
    settings_ = std::make_unique<settings::SettingsStore>(
        settings::ProgramFilePath(shell_.AppFolder, UserConfigFolder(), QStringLiteral("Kelvo.ini"),
                                  writableBeside),
        profileStorage_);
    // A file beside the program that cannot be used is not copied either.
    if (settings::SettingsFileProblem(besideProgram).isEmpty()) {
        settings_->StartFrom(besideProgram);
    }
    host_->SetAppFolder(shell_.AppFolder.size() > 1 ? shell_.AppFolder.chopped(1) : shell_.AppFolder);
    // The frames' error log sits where the settings go; its messages wait until a window is up.
    const host::EnvironmentValues& environment = host_->Environment();
    errorLog_ = std::make_unique<controls::ErrorLog>(
        settings::ProgramFilePath(shell_.AppFolder, UserConfigFolder(), QStringLiteral("ErrorLog.txt"),
                                  writableBeside,
                                  [](const QString& path) { return system::OwnFileProblem(path); }),
        host_->MessageBox(),
        controls::ErrorLogOrigin{host_->App(), environment.userName, environment.computerName});
    errorLog_->HoldMessages(true);
    context_ = std::make_unique<forms::ProgramContext>(forms::ProgramContext{*host_,
                                                                             shell_,
                                                                             schedulerValues_,
                                                                             optimizer_,
                                                                             scheduler_,
                                                                             *settings_,
                                                                             userSettings_,
                                                                             desktop_,
                                                                             memory_,
                                                                             clock_,
                                                                             system::AppInfo{},
                                                                             QLocale::system(),
                                                                             [this] { UnloadAll(); },
                                                                             errorLog_.get(),
                                                                             {},
                                                                             &notifier_});

    hidden_ = std::make_unique<forms::frmHidden>(*context_);
    hidden_->Load();
    shell_.Start = system::MarkNow(clock_);

    main_ = std::make_unique<forms::frmMain>(*context_, *hidden_);
    hidden_->SetMainWindow(main_.get());
    optimizer_.SetProgress(main_.get());
    scheduler_.SetView(main_.get());
    scheduler_.SetObserver(hidden_.get());
    if (channel_) {
        QObject::connect(channel_.get(), &system::InstanceChannel::ComeForwardRequested, hidden_.get(),
                         [this](const QByteArray& token) {
                             // The toolkit activates a Wayland window with the token it finds here, once.
                             if (!token.isEmpty() &&
                                 QGuiApplication::platformName() == QStringLiteral("wayland")) {
                                 qputenv("XDG_ACTIVATION_TOKEN", token);
                             }
                             hidden_->RestoreMainWindow();
                         });
    }
    main_->Load();
    forms::LoadSettings(*settings_, *main_);
    hidden_->EnableGlobalTimer();

    // Without a tray there is no way to bring a hidden window back: show it even for a minimized start.
    if (shell_.StartMinimized) {
        hidden_->ShowMainWindowWithoutTray(TrayAnswerMs);
    } else {
        main_->show();
    }
    errorLog_->ShowHeldMessages();

    // The end of the session and termination signals close the program as "any other reason" does.
    QObject::connect(signals_.get(), &system::SignalBridge::terminationRequested, main_.get(),
                     [this] { main_->QueryUnload(forms::CloseReason::Other); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, main_.get(),
                     [this](QSessionManager&) { main_->QueryUnload(forms::CloseReason::Other); });
    return true;
}

void basMain::UnloadAll() {
    if (main_) {
        main_->Unload();
    }
    if (hidden_) {
        hidden_->Unload();
    }
    // The process ends here, at once: no further event handler may run, also when UnloadAll was reached
    // from inside a pass's event-loop turns.
    instance_.Release();
    std::fflush(nullptr);
    ::_exit(0);
}

int RunKelvo(int argc, char** argv) {
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Kelvo needs a graphical desktop: no display is set (DISPLAY or WAYLAND_DISPLAY).\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvo"));
    // Lets the desktop match the windows to the installed menu entry (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvo.Kelvo"));
    // Closing the main window only hides it; the program ends through UnloadAll.
    QApplication::setQuitOnLastWindowClosed(false);

    basMain program;
    if (!program.Start()) {
        return 0;
    }
    return QApplication::exec();
}

} // namespace kelvo::app
