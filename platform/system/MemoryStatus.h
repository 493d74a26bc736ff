#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <QString>

#include "KeptOpenFile.h"

namespace kelvo::system {

// Physical memory in bytes: the machine's total and what is available to programs without swapping; and
// the machine's swap, all of it and what is free (both zero without swap).
struct MemoryStatus {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
    std::uint64_t swapTotalBytes = 0;
    std::uint64_t swapFreeBytes = 0;
};

// Where memory figures come from; tests substitute their own figures.
class MemorySource {
public:
    virtual ~MemorySource() = default;
    // Empty when the figures cannot be read; never a made-up zero.
    virtual std::optional<MemoryStatus> Read() = 0;
};

// Parses the text of /proc/meminfo: MemTotal and MemAvailable in kB, either missing, malformed or too large
// for a 64-bit byte count making the whole result empty; and SwapTotal and SwapFree, whose absence (a
// kernel without swap support) or damage means no swap.
std::optional<MemoryStatus> ParseMeminfo(std::string_view text);

// Reads /proc/meminfo (or another file of its format) through a descriptor kept open, so a read costs a few
// microseconds and can be repeated before every block of a pass.
class ProcMemorySource final : public MemorySource {
public:
    explicit ProcMemorySource(const QString& path = QStringLiteral("/proc/meminfo"));

    std::optional<MemoryStatus> Read() override;

private:
    KeptOpenFile file_;
};

} // namespace kelvo::system
