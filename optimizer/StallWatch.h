#pragma once

#include <cstdint>
#include <optional>

#include "platform/system/Clock.h"
#include "platform/system/MemoryPressure.h"

namespace kelvo::optimizer {

// Tells when the machine thrashes: paging out idle programs is what a pass is for, but once every task
// with work to do waits for memory nearly all the time, the pass is hurting the desktop, not helping it,
// and ends. The kernel's counter is read at most every SampleNanoseconds and the share judged over the last
// WindowNanoseconds or more, so the check before each block stays cheap.
//
// The bound: a full stall means no task on the machine made progress, and the pass's own waits count too.
// On a quiet desktop the pass is often the only busy task, so a page-out that runs at the disk's pace
// shows a high share by itself: 87 % was measured here, pushing 800 MB of an idle program out to swap
// with nothing else slowed. Only a share above StallShareLimit over two seconds, the whole machine frozen
// for all but a few of every hundred milliseconds, tells thrashing from that work. A slower disk may end
// a pass early; that is the safe side.
class StallWatch {
public:
    StallWatch(system::MemoryPressure& pressure, system::Clock& clock);

    // Starts a fresh window (a pass begins).
    void Reset();
    // Whether the last window's full-stall share was above the limit.
    bool Thrashing();

    static constexpr double StallShareLimit = 0.95;
    static constexpr std::int64_t SampleNanoseconds = 250'000'000;
    static constexpr std::int64_t WindowNanoseconds = 2'000'000'000;

private:
    struct Sample {
        std::int64_t nanoseconds = 0;
        std::uint64_t stallMicroseconds = 0;
    };

    system::MemoryPressure& pressure_;
    system::Clock& clock_;
    std::optional<Sample> windowStart_;
    std::int64_t lastLook_ = 0;
    bool thrashing_ = false;
};

} // namespace kelvo::optimizer
