#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/system/MemoryStatus.h"

namespace kelvo::optimizer {

// Megabytes of 1,048,576 bytes, refreshed by every scheduler tick; all 0 until the first one.
struct MemoryFigures {
    std::int32_t TotalMB = 0;
    std::int32_t FreeMB = 0;
    std::int32_t UsedMB = 0;
};

// Bytes to whole megabytes, halves to the even neighbour; empty when the result does not fit 32 bits.
std::optional<std::int32_t> ToMegabytes(std::uint64_t bytes);

// Element 0 the total, element 1 the free physical memory in megabytes; empty when the figures cannot be
// read or converted.
std::optional<std::array<std::int32_t, 2>> GetMemoryMB(system::MemorySource& source);

// How many blocks a pass commits: level percent of the used memory plus all of the free memory, rounded
// halves to even; 0 when the computation fails.
std::int32_t BlockCount(std::int32_t usedMB, std::int32_t freeMB, std::int16_t levelPercent);

} // namespace kelvo::optimizer
