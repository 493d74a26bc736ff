#pragma once

#include <functional>
#include <memory>

#include <QLocale>

#include "optimizer/Optimizer.h"
#include "optimizer/Scheduler.h"
#include "optimizer/SchedulerValues.h"
#include "platform/system/AppInfo.h"
#include "platform/system/Clock.h"
#include "platform/system/DesktopNotifier.h"
#include "platform/system/MemoryStatus.h"
#include "platform/system/Shell.h"
#include "platform/system/TrayIcon.h"
#include "platform/system/UserSettings.h"
#include "settings/SettingsStore.h"
#include "settings/ShellValues.h"

namespace kelvo::host {
class HostContext;
}

namespace kelvo::controls {
class ErrorLog;
}

class QMenu;

namespace kelvo::forms {

// The program-wide values and services the two windows work with. main owns every one of them; tests
// build exactly the state they need.
struct ProgramContext {
    host::HostContext& host;
    settings::ShellValues& shell;
    optimizer::SchedulerValues& schedulerValues;
    optimizer::Optimizer& optimizer;
    optimizer::Scheduler& scheduler;
    settings::SettingsStore& settings;
    system::UserSettings& userSettings;
    system::Shell& desktop;
    system::MemorySource& memory;
    system::Clock& clock;
    system::AppInfo appInfo;
    QLocale locale = QLocale::system();
    // Ends the program: closes both windows and ends the process.
    std::function<void()> unloadAll;
    // Where the 3-D frames log their trapped errors; none drops them.
    controls::ErrorLog* errorLog = nullptr;
    // Makes the tray icon with the given menu; none makes the desktop's own (NotifyIcon).
    std::function<std::unique_ptr<system::TrayIcon>(QMenu* menu)> makeTrayIcon;
    // Where word of a pass the user did not watch goes; none says nothing.
    system::DesktopNotifier* notifier = nullptr;
};

// The maker's web page: a full address for the main window's link, a bare host name for the tray menu.
inline const QString WebsiteAddress = QStringLiteral("https://kelvo.org/");
inline const QString WebsiteHost = QStringLiteral("kelvo.org");

} // namespace kelvo::forms
