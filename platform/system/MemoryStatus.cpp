#include "MemoryStatus.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kelvo::system {

namespace {

// The value of "Name:   123 kB" lines, in bytes.
std::optional<std::uint64_t> FieldBytes(std::string_view text, std::string_view name) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ':') {
            continue;
        }
        line.remove_prefix(name.size() + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        std::uint64_t kilobytes = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), kilobytes);
        if (error != std::errc() || rest == line.data()) {
            return std::nullopt;
        }
        std::string_view unit(rest, static_cast<std::size_t>(line.data() + line.size() - rest));
        while (!unit.empty() && (unit.front() == ' ' || unit.front() == '\t')) {
            unit.remove_prefix(1);
        }
        while (!unit.empty() && (unit.back() == ' ' || unit.back() == '\r')) {
            unit.remove_suffix(1);
        }
        if (unit != "kB") {
            return std::nullopt;
        }
        std::uint64_t bytes = 0;
        if (__builtin_mul_overflow(kilobytes, std::uint64_t{1024}, &bytes)) {
            return std::nullopt;
        }
        return bytes;
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoryStatus> ParseMeminfo(std::string_view text) {
    const auto total = FieldBytes(text, "MemTotal");
    const auto available = FieldBytes(text, "MemAvailable");
    if (!total || !available) {
        return std::nullopt;
    }
    const auto swapTotal = FieldBytes(text, "SwapTotal");
    const auto swapFree = FieldBytes(text, "SwapFree");
    if (!swapTotal || !swapFree) {
        return MemoryStatus{*total, *available, 0, 0};
    }
    return MemoryStatus{*total, *available, *swapTotal, std::min(*swapFree, *swapTotal)};
}

ProcMemorySource::ProcMemorySource(const QString& path)
    : file_(path) {}

std::optional<MemoryStatus> ProcMemorySource::Read() {
    // /proc/meminfo is about 1.5 kB and the fields we need are in its first lines. The kernel builds the
    // whole text afresh for every read call, so one call with room to spare is half the cost of reading on
    // until the end (this runs before every block of a pass).
    std::array<char, 8192> buffer{};
    const auto text = file_.Read(buffer);
    return text ? ParseMeminfo(*text) : std::nullopt;
}

} // namespace kelvo::system
