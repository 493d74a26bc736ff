#include "Clock.h"

#include <QTime>

#include "platform/numeric/Numeric.h"

namespace kelvo::system {

StartMark MarkNow(Clock& clock) {
    // Seconds since midnight are below 86,400, so the conversion cannot fail.
    return StartMark{numeric::CLng(clock.SecondsSinceMidnight()).value_or(0), clock.MonotonicMilliseconds()};
}

SystemClock::SystemClock() {
    elapsed_.start();
}

double SystemClock::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

qint64 SystemClock::MonotonicMilliseconds() {
    return elapsed_.elapsed();
}

std::int64_t SystemClock::MonotonicNanoseconds() {
    return elapsed_.nsecsElapsed();
}

} // namespace kelvo::system
