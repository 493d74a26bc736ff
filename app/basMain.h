#pragma once

#include <memory>

#include "controls/frame/ErrorLog.h"
#include "forms/ProgramContext.h"
#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/Optimizer.h"
#include "optimizer/Scheduler.h"
#include "platform/host/HostContext.h"
#include "platform/system/CgroupMemory.h"
#include "platform/system/Clock.h"
#include "platform/system/DesktopNotifier.h"
#include "platform/system/InstanceChannel.h"
#include "platform/system/MemoryPressure.h"
#include "platform/system/MemoryStatus.h"
#include "platform/system/Profile.h"
#include "platform/system/Shell.h"
#include "platform/system/SingleInstance.h"
#include "platform/system/UserSettings.h"
#include "settings/SettingsStore.h"
#include "settings/ShellValues.h"

namespace kelvo::forms {
class frmHidden;
class frmMain;
} // namespace kelvo::forms

namespace kelvo::system {
class SignalBridge;
} // namespace kelvo::system

namespace kelvo::app {

// The program: every program-wide value and service, owned here and handed to the windows, and the
// start-up and shutdown routines.
class basMain {
public:
    basMain();
    ~basMain();
    basMain(const basMain&) = delete;
    basMain& operator=(const basMain&) = delete;

    // The start-up steps; false when another instance is running and this process should end at once.
    bool Start();
    // Closes both windows and ends the process; a step that fails is skipped.
    [[noreturn]] void UnloadAll();

private:
    system::SystemClock clock_;
    system::ProcMemorySource memory_;
    system::CgroupMemory cgroup_;
    system::MemoryPressure pressure_;
    optimizer::StallWatch stall_;
    optimizer::MappedBlockAllocator allocator_;
    // The host comes before the pass, which lets events run through the host's pump.
    std::unique_ptr<host::HostContext> host_;
    optimizer::SchedulerValues schedulerValues_;
    optimizer::Optimizer optimizer_;
    settings::ShellValues shell_;
    optimizer::Scheduler scheduler_;
    system::FileProfileStorage profileStorage_;
    std::unique_ptr<settings::SettingsStore> settings_;
    system::QtUserSettings userSettings_;
    system::DesktopShell desktop_;
    system::SingleInstance instance_;
    std::unique_ptr<system::InstanceChannel> channel_;
    system::DBusDesktopNotifier notifier_;
    std::unique_ptr<controls::ErrorLog> errorLog_;
    std::unique_ptr<forms::ProgramContext> context_;
    std::unique_ptr<forms::frmHidden> hidden_;
    std::unique_ptr<forms::frmMain> main_;
    std::unique_ptr<system::SignalBridge> signals_;
};

// Builds the application and runs the program; returns the exit status.
int RunKelvo(int argc, char** argv);

} // namespace kelvo::app
