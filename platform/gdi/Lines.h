#pragma once

#include <cstdint>
#include <span>

#include <QPoint>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::gdi {

// Moves the current position; the old one goes to previous when given.
bool MoveToEx(DeviceContext& dc, std::int32_t x, std::int32_t y, QPoint* previous = nullptr);

// A line with the selected pen from the current position up to, not including, (x, y); the current
// position becomes (x, y). One-pixel lines light one pixel per step of the longer axis, ties going to
// the upper or left pixel; styled one-pixel pens repeat their dash pattern from the start of each line,
// the gaps in the background colour when the background mode is OPAQUE. Wider pens are solid and
// round-capped at both ends (the end point is covered then). Far-away coordinates are clipped, not
// walked.
bool LineTo(DeviceContext& dc, std::int32_t x, std::int32_t y);

// Lines one pixel wide side by side, each drawn as MoveToEx and LineTo draw it with a solid one-pixel pen
// of its colour: line i runs from (first + i, from) to (first + i, to) when vertical, else from (from,
// first + i) to (to, first + i), end point excluded. A band of hundreds of lines costs what its pixels
// cost, without a pen per line; no pen is selected. The current position ends at the end of the last
// line. False without a target.
bool DrawStripes(DeviceContext& dc, bool vertical, std::int32_t first, std::span<const Colour> colours,
                 std::int32_t from, std::int32_t to);

// Sets one pixel; false outside the target.
bool SetPixelV(DeviceContext& dc, std::int32_t x, std::int32_t y, Colour colour);
// The pixel's colour, CLR_INVALID outside the target.
Colour GetPixel(DeviceContext& dc, std::int32_t x, std::int32_t y);

} // namespace kelvo::gdi
