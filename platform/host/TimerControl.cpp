#include "TimerControl.h"

#include "PropertyBag.h"

namespace kelvo::host {

TimerControl::TimerControl(QObject* parent)
    : QObject(parent) {
    // Timer handlers may run the event loop themselves; a precise timer keeps the rhythm of short intervals.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimerControl::Timer);
}

void TimerControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Apply();
}

bool TimerControl::SetInterval(std::int32_t milliseconds) {
    if (milliseconds < 0 || milliseconds > MaxInterval) {
        return false;
    }
    interval_ = milliseconds;
    Apply();
    return true;
}

void TimerControl::Apply() {
    // A new interval or a fresh enable starts the count from the beginning.
    timer_.stop();
    if (enabled_ && interval_ > 0) {
        timer_.start(interval_);
    }
}

void TimerControl::LoadNew() {
    enabled_ = true;
    interval_ = 0;
    Apply();
}

void TimerControl::LoadStored(PropertyBag& bag) {
    enabled_ = bag.Read(QStringLiteral("Enabled"), true);
    const std::int32_t interval = bag.Read(QStringLiteral("Interval"), std::int32_t{0});
    if (interval < 0 || interval > MaxInterval) {
        bag.ReportError(QStringLiteral("Interval"),
                        QStringLiteral("the interval %1 is outside 0 to %2").arg(interval).arg(MaxInterval));
        interval_ = 0;
    } else {
        interval_ = interval;
    }
    Apply();
}

void TimerControl::Save(PropertyBag& bag) {
    bag.Write(QStringLiteral("Enabled"), enabled_, true);
    bag.Write(QStringLiteral("Interval"), interval_, std::int32_t{0});
}

void TimerControl::Unload() {
    timer_.stop();
    enabled_ = false;
}

} // namespace kelvo::host
