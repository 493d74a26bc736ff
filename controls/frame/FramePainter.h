#pragma once

#include "FrameLook.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Region.h"

// The painting of the 3-D frame, as free functions over the frame surface's device context. They draw
// the picture and say where the labels go and which region the window takes; the control applies that
// to its labels and window and logs the errors.
namespace kelvo::controls {

// The whole painting pass, run when the frame is resized and after most property changes:
// 1. The border top T is 0, or, for a top-row caption straddling the border (CaptionLocation 1, no inner
//    bevel, a caption to show), the caption's height / 2.25; a bottom-row caption lifts the bottom line
//    likewise. Either shows the blank label behind the caption.
// 2. The surface is cleared to the back colour and its picture; FillGradient paints the gradient.
// 3. The inside rectangle of the border (2 pixels for the etched and bump styles, 1 for the others).
// 4. The border of the border type and the window region: square, rounded (2 x CornerRadius corner
//    ellipse) or, for style 13, rounded one pixel inside the control.
// 5. The inner bevel with its inside rectangle, and the flood bar when FloodPercent is above 0.
// 6. The caption on the 3 x 3 grid and its 3-D style.
// A statement that fails (a value out of range) is skipped and listed as an error; the rest is drawn.
FramePaintResult PaintFrame(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous);

// The flood alone, as the flood colour and percentage setters run it: the percentage caption (when
// FloodShowPct is on) placed again, and the bar drawn over what is there. A lower percentage needs the
// whole pass to take the old bar away. The region and fore colour are left alone.
FramePaintResult PaintFlood(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous);

// The flood's percentage as its caption shows it: "50%".
QString FloodPercentText(std::int32_t percent);

// The gradient from the fill colour at the left (FillGradient 1) or top (2) edge to the back colour,
// SW - CornerRadius (or SH - CornerRadius) lines further on. Steps that fail are skipped silently: with
// no distance between the two colours (CornerRadius equal to the size) a single line in the fill colour
// is drawn, with a negative distance none.
void DrawGradiant(gdi::DeviceContext& dc, const FrameLook& look);

// The region a pass names, made for handing to SetWindowRgn.
gdi::Region CreateFrameRegion(const FrameRegion& region);

} // namespace kelvo::controls
