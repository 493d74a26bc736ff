#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <QString>

#include "KeptOpenFile.h"

namespace kelvo::system {

// The "full" line of /proc/pressure/memory: the microseconds, since boot, in which every task that had work
// to do waited for memory at once (the machine was thrashing). Empty when the line is missing or damaged.
std::optional<std::uint64_t> ParseFullStall(std::string_view text);

// Reads the kernel's memory pressure through a descriptor kept open; a kernel without pressure accounting
// (no file, or one that cannot be read) gives nothing, and nothing is then judged from it.
class MemoryPressure {
public:
    explicit MemoryPressure(const QString& path = QStringLiteral("/proc/pressure/memory"));

    std::optional<std::uint64_t> FullStallMicroseconds();

private:
    KeptOpenFile file_;
};

} // namespace kelvo::system
