#pragma once

#include "forms/frmHidden.h"
#include "forms/frmMain.h"
#include "platform/host/HostContext.h"
#include "tests/fakes/Fakes.h"

namespace kelvo::tests {

inline QString FirstError(const host::FormErrors& errors) {
    return errors.isEmpty() ? QString() : errors.first().ToString();
}

// A tray that shows the icon until a test says otherwise.
class FakeTrayIcon final : public system::TrayIcon {
public:
    bool shown = true;
    bool pending = false;
    void Add() override {}
    void Remove() override {}
    bool Shown() const override { return shown; }
    bool Pending() const override { return pending; }
    void Set(bool value) {
        shown = value;
        emit ShownChanged(value);
    }
};

class RecordingNotifier final : public system::DesktopNotifier {
public:
    QStringList bodies;
    void Notify(const QString&, const QString& body) override { bodies << body; }
};

// Both windows over fake memory, clock, allocator, settings file and desktop.
struct FormsRig {
    inline static const QString IniPath = QStringLiteral("/program/Kelvo.ini");

    FakeMemorySource memory;
    FakeClock clock;
    FakeAllocator allocator;
    FakePump pump;
    SteppingPassClock passClock;
    optimizer::SchedulerValues schedulerValues;
    optimizer::Optimizer optimizer{allocator, pump, passClock};
    settings::ShellValues shell{QStringLiteral("/program/"), false, {}};
    optimizer::Scheduler scheduler{schedulerValues, optimizer, memory, clock, shell.Start};
    MemoryProfileStorage storage;
    settings::SettingsStore settings{IniPath, storage};
    FakeUserSettings userSettings;
    FakeShell desktop;
    int unloads = 0;
    FakeTrayIcon* tray = nullptr; // made by the hidden window's load
    RecordingNotifier notifier;
    host::HostContext hostContext;
    forms::ProgramContext context{hostContext,
                                  shell,
                                  schedulerValues,
                                  optimizer,
                                  scheduler,
                                  settings,
                                  userSettings,
                                  desktop,
                                  memory,
                                  clock,
                                  system::AppInfo{},
                                  QLocale(QLocale::English),
                                  [this] { ++unloads; },
                                  nullptr,
                                  [this](QMenu*) {
                                      auto icon = std::make_unique<FakeTrayIcon>();
                                      tray = icon.get();
                                      return icon;
                                  },
                                  &notifier};
    forms::frmHidden hidden{context};
    forms::frmMain main{context, hidden};

    explicit FormsRig(const QByteArray& ini = QByteArray(), const QString& userLevel = QString()) {
        if (!ini.isNull()) {
            storage.files[IniPath] = ini;
        }
        if (!userLevel.isNull()) {
            userSettings.values["Kelvo/General/Level"] = userLevel;
        }
    }

    // The start-up steps that concern the windows.
    void Start() {
        hidden.Load();
        shell.Start = system::MarkNow(clock);
        hidden.SetMainWindow(&main);
        optimizer.SetProgress(&main);
        scheduler.SetView(&main);
        scheduler.SetObserver(&hidden);
        main.Load();
        forms::LoadSettings(settings, main);
    }

    QByteArray Ini() const { return storage.files.value(IniPath); }

    static std::vector<bool> Values(const std::array<forms::frmMain::OptionControl*, 3>& group) {
        return {group[0]->Value(), group[1]->Value(), group[2]->Value()};
    }
};

} // namespace kelvo::tests
