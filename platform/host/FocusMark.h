#pragma once

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Rect.h"

namespace kelvo::host {

// The keyboard focus mark: a dotted one-pixel outline just inside rect, every other pixel in colour
// (those whose x + y is even, as in DrawFocusRect's pattern), the rest left as they are. Drawn in the
// caption's own colour, it shows on the skin's dark picture as on a light face. An empty rect draws
// nothing; pixels outside the target are skipped.
void PaintFocusMark(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour colour);

} // namespace kelvo::host
