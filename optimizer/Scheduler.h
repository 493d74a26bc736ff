#pragma once

#include <QString>

#include "Optimizer.h"
#include "SchedulerValues.h"
#include "platform/system/Clock.h"
#include "platform/system/MemoryStatus.h"

namespace kelvo::optimizer {

// What the scheduler reads from and writes to the main window.
class ScheduleView {
public:
    virtual ~ScheduleView() = default;
    // The free-RAM check box, read afresh at every tick.
    virtual bool FreeRamModeChecked() const = 0;
    virtual void SetNextOptimizeCaption(const QString& caption) = 0;
};

// Decides when a pass runs: on every eleventh event of the 100 ms global timer it refreshes the memory
// figures, starts a pass when the free share is below the threshold, writes the countdown and starts a
// pass when the timed interval has elapsed.
class Scheduler {
public:
    Scheduler(SchedulerValues& values, Optimizer& optimizer, system::MemorySource& memory,
              system::Clock& clock, system::StartMark& start);

    void SetView(ScheduleView* view) { view_ = view; }

    // One event of the global timer.
    void OnGlobalTimer();
    void CheckSchedule();

    // The countdown text for the seconds left.
    static QString CountdownText(double secondsLeft);

private:
    void RunPass();

    SchedulerValues& values_;
    Optimizer& optimizer_;
    system::MemorySource& memory_;
    system::Clock& clock_;
    system::StartMark& start_;
    ScheduleView* view_ = nullptr;
};

} // namespace kelvo::optimizer
