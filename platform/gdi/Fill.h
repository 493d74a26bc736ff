#pragma once

#include <cstdint>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Rect.h"
#include "platform/gdi/SelectedObject.h"

namespace kelvo::gdi {

// Paints [left, right) x [top, bottom) with the brush (pattern copy). An inverted rectangle is
// normalised keeping its first corner inclusive, so (10,10)-(5,5) paints columns and rows 6 to 10.
// False for a null brush or a context without pixels.
bool FillRect(DeviceContext& dc, const Rect& rect, const Brush& brush);
bool FillRect(DeviceContext& dc, const Rect& rect, const SelectedObject& brush);
bool FillRect(DeviceContext& dc, const Rect& rect, const BrushData& brush);
// The system colour brush of index (colourIndexPlusOne - 1), as the value COLOR_x + 1 names it.
bool FillRect(DeviceContext& dc, const Rect& rect, int colourIndexPlusOne);

// The four one-pixel strips along the inside of the rectangle; nothing for an empty or inverted one.
bool FrameRect(DeviceContext& dc, const Rect& rect, const Brush& brush);
bool FrameRect(DeviceContext& dc, const Rect& rect, const BrushData& brush);

// The block [x, x + width) x [y, y + height) with the selected brush under a pattern operation
// (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS); negative extents are normalised as for
// FillRect. False for other operations.
bool PatBlt(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
            std::uint32_t rop);

// The block [x, x + width) x [y, y + height) (negative extents normalised as for FillRect) painted with
// any brush under a pattern operation; the other operations are built on it.
bool PaintBlock(DeviceContext& dc, const BrushData& brush, std::int64_t x, std::int64_t y, std::int64_t width,
                std::int64_t height, std::uint32_t rop);

} // namespace kelvo::gdi
