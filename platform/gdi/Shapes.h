#pragma once

#include <cstdint>

#include "platform/gdi/DeviceContext.h"

namespace kelvo::gdi {

// Closed figures in the box [left, right) x [top, bottom) (corners in any order; nothing for a zero
// width or height), outlined with the selected pen and filled with the selected brush, both in the
// pen mixing mode. A one-pixel outline runs along the inside of the box (Rectangle's is FrameRect's);
// a wider pen is centred on that line, or kept inside the box with PS_INSIDEFRAME. Without a pen the
// filled area is the region CreateRoundRectRgn makes from the same numbers: one pixel smaller at the
// right and bottom. A hollow brush leaves the inside alone.
bool Rectangle(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom);
bool Ellipse(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// Corners rounded by a cornerWidth x cornerHeight ellipse (clamped to the box).
bool RoundRect(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::int32_t cornerWidth, std::int32_t cornerHeight);

// The part of the outline of Ellipse(left, top, right, bottom) that runs counter-clockwise (as seen on
// the screen) from the ray through (startX, startY) to the ray through (endX, endY), both rays from the
// box's centre; the whole outline when the rays coincide. Outline only, with the pen.
bool Arc(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
         std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY);

} // namespace kelvo::gdi
