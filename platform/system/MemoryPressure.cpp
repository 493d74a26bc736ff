#include "MemoryPressure.h"

#include <array>
#include <charconv>

namespace kelvo::system {

std::optional<std::uint64_t> ParseFullStall(std::string_view text) {
    // "full avg10=0.00 avg60=0.00 avg300=0.00 total=12345"
    const std::size_t line = text.find("full ");
    if (line == std::string_view::npos || (line > 0 && text[line - 1] != '\n')) {
        return std::nullopt;
    }
    std::string_view rest = text.substr(line);
    rest = rest.substr(0, rest.find('\n'));
    const std::size_t total = rest.find(" total=");
    if (total == std::string_view::npos) {
        return std::nullopt;
    }
    rest.remove_prefix(total + 7);
    std::uint64_t microseconds = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), microseconds);
    if (error != std::errc() || end == rest.data() || end != rest.data() + rest.size()) {
        return std::nullopt;
    }
    return microseconds;
}

MemoryPressure::MemoryPressure(const QString& path)
    : file_(path) {}

std::optional<std::uint64_t> MemoryPressure::FullStallMicroseconds() {
    std::array<char, 256> buffer{};
    auto text = file_.Read(buffer);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    while (!text->empty() && (text->back() == '\n' || text->back() == '\0')) {
        text->remove_suffix(1);
    }
    return ParseFullStall(*text);
}

} // namespace kelvo::system
