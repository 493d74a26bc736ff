#include "StallWatch.h"

namespace kelvo::optimizer {

StallWatch::StallWatch(system::MemoryPressure& pressure, system::Clock& clock)
    : pressure_(pressure)
    , clock_(clock) {}

void StallWatch::Reset() {
    windowStart_.reset();
    thrashing_ = false;
    lastLook_ = clock_.MonotonicNanoseconds();
    if (const auto stall = pressure_.FullStallMicroseconds()) {
        windowStart_ = Sample{lastLook_, *stall};
    }
}

bool StallWatch::Thrashing() {
    const std::int64_t now = clock_.MonotonicNanoseconds();
    if (now - lastLook_ < SampleNanoseconds) {
        return thrashing_;
    }
    lastLook_ = now;
    const auto stall = pressure_.FullStallMicroseconds();
    if (!stall) {
        return thrashing_ = false;
    }
    if (!windowStart_ || *stall < windowStart_->stallMicroseconds || now < windowStart_->nanoseconds) {
        windowStart_ = Sample{now, *stall}; // the first look, or a counter that went back
        return thrashing_;
    }
    const std::int64_t elapsed = now - windowStart_->nanoseconds;
    if (elapsed < WindowNanoseconds) {
        return thrashing_;
    }
    const double stalled = static_cast<double>(*stall - windowStart_->stallMicroseconds) * 1000.0;
    thrashing_ = stalled > StallShareLimit * static_cast<double>(elapsed);
    windowStart_ = Sample{now, *stall};
    return thrashing_;
}

} // namespace kelvo::optimizer
