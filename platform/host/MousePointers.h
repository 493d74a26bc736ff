#pragma once

#include <cstdint>
#include <optional>

#include <QCursor>

namespace kelvo::host {

class PictureObject;

// The cursor kinds a control can ask for: 0 the default of its container, 1 arrow, 2 cross, 3 I-beam,
// 4 icon, 5 size all, 6 size NE-SW, 7 size N-S, 8 size NW-SE, 9 size W-E, 10 up arrow, 11 hourglass,
// 12 no drop, 13 arrow and hourglass, 14 arrow and question mark, 15 size all, 99 the control's own
// cursor picture.
class MousePointers {
public:
    static constexpr std::int16_t Default = 0;
    static constexpr std::int16_t Arrow = 1;
    static constexpr std::int16_t Custom = 99;

    static bool IsValid(std::int16_t pointer) { return (pointer >= 0 && pointer <= 15) || pointer == Custom; }
    // The cursor to set, or nothing when the container's cursor applies (kind 0, or 99 without a picture).
    static std::optional<QCursor> Cursor(std::int16_t pointer, const PictureObject& icon);
};

} // namespace kelvo::host
