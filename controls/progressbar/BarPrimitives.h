#pragma once

#include <cstdint>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Rect.h"

namespace kelvo::controls::progressbar {

// The bar's drawing primitives. Each makes its pen or brush, draws, and deletes it again, so no object
// outlives the call.

// One line from (x, y) to (endX, endY), the end point itself not drawn, one pixel wide in the resolved
// colour.
void DrawLine(gdi::DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t endX, std::int32_t endY,
              gdi::Colour colour);

// A band of one-pixel lines whose colour moves from endColour (first line) to startColour (last line).
// horizontal: N = x2, columns x .. x + N, each from y to y2 (colour changes along x); otherwise N = y2,
// rows y .. y + N, each from x to x2. N = 0 draws one line in endColour, N < 0 nothing. The steps are
// single-precision (channel difference / N) and each line's channel is rounded half to even. Lines
// that cannot reach the target's pixels are not drawn; they would change nothing.
void DrawGradient(gdi::DeviceContext& dc, gdi::Colour endColour, gdi::Colour startColour, std::int32_t x,
                  std::int32_t y, std::int32_t x2, std::int32_t y2, bool horizontal);

// The rectangle filled with a solid brush of the resolved colour.
void FillSolid(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour colour);

// The rectangle's one-pixel outline; the colour is handed to the brush as given.
void FrameSolid(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour colour);

} // namespace kelvo::controls::progressbar
