#pragma once

#include <cstdint>

#include <QElapsedTimer>

namespace kelvo::system {

// Time as the scheduler and the pass need it: the local time of day for the scheduler's texts and a
// monotonic count for elapsed time, which neither midnight nor a change of the system clock disturbs; the
// pass measures its release slices in nanoseconds. Tests substitute their own.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with fractions.
    virtual double SecondsSinceMidnight() = 0;
    // Milliseconds on a clock that only moves forward.
    virtual qint64 MonotonicMilliseconds() = 0;
    // Nanoseconds on the same kind of clock.
    virtual std::int64_t MonotonicNanoseconds() = 0;
};

// The moment the timed interval is counted from: the whole seconds since midnight as the program shows
// them, and the same moment on the monotonic clock, on which elapsed time is measured.
struct StartMark {
    std::int32_t StartTime = 0;
    qint64 MonotonicMs = 0;
};

// The current moment, seconds rounded to whole seconds (halves to even).
StartMark MarkNow(Clock& clock);

class SystemClock final : public Clock {
public:
    SystemClock();
    double SecondsSinceMidnight() override;
    qint64 MonotonicMilliseconds() override;
    std::int64_t MonotonicNanoseconds() override;

private:
    QElapsedTimer elapsed_;
};

} // namespace kelvo::system
