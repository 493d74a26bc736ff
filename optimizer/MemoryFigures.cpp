#include "MemoryFigures.h"

#include "platform/numeric/Numeric.h"

namespace kelvo::optimizer {

std::optional<std::int32_t> ToMegabytes(std::uint64_t bytes) {
    // A double holds every byte count below 2^53 exactly; larger machines lose nothing that matters for
    // whole megabytes.
    return numeric::CLng(static_cast<double>(bytes) / 1048576.0);
}

std::optional<std::array<std::int32_t, 2>> GetMemoryMB(system::MemorySource& source) {
    const auto status = source.Read();
    if (!status) {
        return std::nullopt;
    }
    const auto total = ToMegabytes(status->totalBytes);
    const auto available = ToMegabytes(status->availableBytes);
    if (!total || !available) {
        return std::nullopt;
    }
    return std::array<std::int32_t, 2>{*total, *available};
}

std::int32_t BlockCount(std::int32_t usedMB, std::int32_t freeMB, std::int16_t levelPercent) {
    const double blocks = levelPercent * 0.01 * usedMB + freeMB;
    return numeric::CLng(blocks).value_or(0);
}

} // namespace kelvo::optimizer
