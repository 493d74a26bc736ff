#pragma once

#include <cstdint>
#include <optional>

#include <QRect>

namespace kelvo::gdi {

// A rectangle in pixels: columns left..right-1 and rows top..bottom-1 (right and bottom exclusive).
// Inverted rectangles (right < left, bottom < top) are representable and are simply empty for the
// helpers below; drawing calls treat them as their own rules say.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    // Width and height never overflow: they are computed in 64 bits and may be negative.
    constexpr std::int64_t Width() const { return std::int64_t{right} - left; }
    constexpr std::int64_t Height() const { return std::int64_t{bottom} - top; }

    // The one conversion to Qt's rectangle, whose right() and bottom() are inclusive. Empty when the
    // width or height does not fit Qt's int or the inclusive edge would leave the 32-bit range.
    std::optional<QRect> ToQRect() const;
    // The one conversion back; empty when the exclusive edge would leave the 32-bit range.
    static std::optional<Rect> FromQRect(const QRect& rect);

    friend constexpr bool operator==(const Rect& a, const Rect& b) = default;
};

// The rectangle helpers. Each returns false and leaves its output alone when the result would leave
// the 32-bit range; none of them normalises an inverted rectangle.
bool CopyRect(Rect& destination, const Rect& source);
bool OffsetRect(Rect& rect, std::int32_t dx, std::int32_t dy);
bool InflateRect(Rect& rect, std::int32_t dx, std::int32_t dy);
// True when left >= right or top >= bottom.
bool IsRectEmpty(const Rect& rect);
// The common part of a and b; an empty intersection sets destination to all zeros and returns false.
bool IntersectRect(Rect& destination, const Rect& a, const Rect& b);
// The smallest rectangle holding both; an empty input is ignored; false when both are empty.
bool UnionRect(Rect& destination, const Rect& a, const Rect& b);
bool PtInRect(const Rect& rect, std::int32_t x, std::int32_t y);

} // namespace kelvo::gdi
