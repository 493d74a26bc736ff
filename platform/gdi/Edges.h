#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Rect.h"

namespace kelvo::gdi {

// A 3-D border along the inside of rect in the system colours: the outer line (BDR_*OUTER) and the
// inner line (BDR_*INNER) on the sides named by flags (BF_LEFT, BF_TOP, BF_RIGHT, BF_BOTTOM). A single
// inner or outer kind is drawn as one line in the outer position. The top and left lines are painted
// first, the bottom and right ones over them, so the corners they share take the bottom-right colour.
// BF_MIDDLE fills the rest with the button face (the window colour with BF_MONO); BF_ADJUST shrinks
// rect to the part inside the border. False, drawing nothing, when both outer or both inner kinds are
// asked for without BF_FLAT or BF_MONO. BF_SOFT, BF_FLAT and BF_MONO do not change the line colours:
// nothing in the program draws flat or monochrome edges.
bool DrawEdge(DeviceContext& dc, Rect& rect, unsigned edge, unsigned flags);

// Inverts every other pixel of a one-pixel border along the inside of rect (a checkerboard aligned to
// the brush origin, pixels whose x + y is even), so drawing it twice restores the picture. Pixels of
// the pattern's 0 bits are mixed with the text colour, of its 1 bits with the background colour: with
// the default black text and white background only the 1 bits change.
bool DrawFocusRect(DeviceContext& dc, const Rect& rect);

} // namespace kelvo::gdi
