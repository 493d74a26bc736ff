#pragma once

#include <cstdint>

namespace kelvo::optimizer {

// The progress bar of the main window, as the pass sees it.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetMax(std::int32_t max) = 0;
    virtual void SetValue(std::int32_t value) = 0;
};

// Lets pending events run (timers, clicks, tray notifications) from inside a long routine; nested calls
// are expected.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
};

// The monotonic time the release of blocks measures its batches with.
class PassClock {
public:
    virtual ~PassClock() = default;
    virtual std::int64_t Nanoseconds() = 0;
};

} // namespace kelvo::optimizer
