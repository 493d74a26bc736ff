#pragma once

#include <cstdint>

namespace kelvo::optimizer {

// The scheduler's program-wide values.
struct SchedulerValues {
    // Timer events counted before a scheduler tick.
    static constexpr std::int16_t TickDivisor = 10;
    // Timer events counted since the last tick.
    std::int16_t TickCount = 0;
    // Timed-mode interval in seconds (300, 900 or 1800); 0 means timed mode is off.
    std::int32_t IntervalSeconds = 0;
    // Free share of physical memory below which a pass runs (0.1, 0.2 or 0.3; 0 until one is chosen).
    float FreeThreshold = 0.0f;
};

} // namespace kelvo::optimizer
