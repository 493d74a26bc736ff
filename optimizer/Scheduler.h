#pragma once

#include <optional>

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

// Hears of every pass the scheduler started and finished, with the memory figures read just before and just
// after it: a pass the user did not start may have run unseen.
class PassObserver {
public:
    virtual ~PassObserver() = default;
    virtual void ScheduledPassDone(const system::MemoryStatus& before, const system::MemoryStatus& after) = 0;
};

// Decides when a pass runs: on every eleventh event of the 100 ms global timer it refreshes the memory
// figures, starts a pass when the free share is below the threshold, writes the countdown and starts a
// pass when the timed interval has elapsed.
class Scheduler {
public:
    Scheduler(SchedulerValues& values, Optimizer& optimizer, system::MemorySource& memory,
              system::Clock& clock, system::StartMark& start);

    void SetView(ScheduleView* view) { view_ = view; }
    void SetObserver(PassObserver* observer) { observer_ = observer; }

    // One event of the global timer.
    void OnGlobalTimer();
    void CheckSchedule();

    // The countdown text for the seconds left.
    static QString CountdownText(double secondsLeft);

    // Lets free-RAM mode start a pass at the next tick that finds the free share low; called when the mode is
    // switched on or its percentage chosen.
    void RearmFreeRam();

    // Waits between free-RAM passes that leave the free share below the threshold: the first, then doubling
    // after each further such pass, never more than the last.
    static constexpr std::int32_t FirstBackoffMinutes = 5;
    static constexpr std::int32_t LongestBackoffMinutes = 60;

private:
    // False when no pass ran (one was already running, or the count did not fit a pass).
    bool RunPass();
    void CheckFreeRam();

    SchedulerValues& values_;
    Optimizer& optimizer_;
    system::MemorySource& memory_;
    system::Clock& clock_;
    system::StartMark& start_;
    ScheduleView* view_ = nullptr;
    PassObserver* observer_ = nullptr;

    // A pass cannot raise the available memory when other programs' memory has nowhere to go; a pass at
    // every tick while the share stays low would only make the machine slower. After a free-RAM pass the
    // mode waits until a tick finds the share back at the threshold, or until the back-off has elapsed.
    std::optional<qint64> lastFreeRamPassMs_;
    std::int32_t backoffMinutes_ = FirstBackoffMinutes;
};

} // namespace kelvo::optimizer
