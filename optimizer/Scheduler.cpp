#include "Scheduler.h"

#include <algorithm>

#include "platform/numeric/Numeric.h"

namespace kelvo::optimizer {

Scheduler::Scheduler(SchedulerValues& values, Optimizer& optimizer, system::MemorySource& memory,
                     system::Clock& clock, system::StartMark& start)
    : values_(values)
    , optimizer_(optimizer)
    , memory_(memory)
    , clock_(clock)
    , start_(start) {}

void Scheduler::OnGlobalTimer() {
    if (values_.TickCount < values_.TickDivisor) {
        ++values_.TickCount;
        return;
    }
    values_.TickCount = 0;
    CheckSchedule();
}

QString Scheduler::CountdownText(double secondsLeft) {
    const QString head = QStringLiteral("Next RAM Optimization: \r\n");
    if (secondsLeft < 60) {
        return head + QStringLiteral("less than 1 minute");
    }
    return head + numeric::Format(secondsLeft / 60, QStringLiteral("#,##")) + QStringLiteral(" minutes");
}

bool Scheduler::RunPass() {
    // A trigger that comes due while a pass runs starts no second pass.
    if (optimizer_.Optimizing()) {
        return false;
    }
    const auto before = observer_ != nullptr ? memory_.Read() : std::nullopt;
    const Optimizer::PassOutcome outcome = optimizer_.OptimizeNow();
    // A pass that was cut short or failed did not do what it set out to do: there is nothing to tell of it.
    if (outcome == Optimizer::PassOutcome::Completed && before) {
        if (const auto after = memory_.Read()) {
            observer_->ScheduledPassDone(*before, *after);
        }
    }
    // A count that does not fit a pass ends the tick here.
    return outcome != Optimizer::PassOutcome::NotRun;
}

void Scheduler::RearmFreeRam() {
    lastFreeRamPassMs_.reset();
    backoffMinutes_ = FirstBackoffMinutes;
}

void Scheduler::CheckFreeRam() {
    const float share =
        static_cast<float>(static_cast<double>(optimizer_.Figures.FreeMB) / optimizer_.Figures.TotalMB);
    if (share >= values_.FreeThreshold) {
        RearmFreeRam();
        return;
    }
    bool further = false;
    if (lastFreeRamPassMs_) {
        const qint64 waitedMs = clock_.MonotonicMilliseconds() - *lastFreeRamPassMs_;
        if (waitedMs < qint64{backoffMinutes_} * 60'000) {
            return;
        }
        further = true; // the last pass left the share below the threshold
    }
    if (!RunPass()) {
        return;
    }
    if (further) {
        backoffMinutes_ = std::min(backoffMinutes_ * 2, LongestBackoffMinutes);
    }
    lastFreeRamPassMs_ = clock_.MonotonicMilliseconds();
}

void Scheduler::CheckSchedule() {
    const auto figures = GetMemoryMB(memory_);
    if (!figures) {
        return;
    }
    const auto used = numeric::CheckedSub((*figures)[0], (*figures)[1]);
    if (!used) {
        return;
    }
    optimizer_.Figures = MemoryFigures{(*figures)[0], (*figures)[1], *used};

    if (view_ != nullptr && view_->FreeRamModeChecked()) {
        // With no total the free share cannot be computed, and the tick ends here.
        if (optimizer_.Figures.TotalMB == 0) {
            return;
        }
        CheckFreeRam();
    }

    if (values_.IntervalSeconds > 0) {
        // Elapsed time is measured on the monotonic clock, so midnight and clock changes do not disturb it.
        const double elapsed = (clock_.MonotonicMilliseconds() - start_.MonotonicMs) / 1000.0;
        const double left = values_.IntervalSeconds - elapsed;
        if (view_ != nullptr) {
            view_->SetNextOptimizeCaption(CountdownText(left));
        }
        const double elapsedAgain = (clock_.MonotonicMilliseconds() - start_.MonotonicMs) / 1000.0;
        if (elapsedAgain >= values_.IntervalSeconds) {
            start_ = system::MarkNow(clock_);
            RunPass();
        }
    }
}

} // namespace kelvo::optimizer
