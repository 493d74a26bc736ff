#pragma once

#include <cstdint>

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

// Sets one pixel; false outside the target.
bool SetPixelV(DeviceContext& dc, std::int32_t x, std::int32_t y, Colour colour);
// The pixel's colour, CLR_INVALID outside the target.
Colour GetPixel(DeviceContext& dc, std::int32_t x, std::int32_t y);

} // namespace kelvo::gdi
