#pragma once

#include <cstdint>
#include <functional>

#include <QImage>
#include <QString>

#include "controls/progressbar/ProgressBarBackBuffer.h"
#include "controls/progressbar/ProgressBarLook.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::progressbar {

// The text the bar shows: "Searching.." for the marquee style, else Int(value / maximum * 100) followed
// by " %" (45 of 100 gives "45 %", 45 of 200 gives "22 %"). A maximum of 0 gives "0 %".
QString PercentText(const ProgressBarLook& look);

// Paints the whole bar on dc: reads the client rectangle, fills the background (black for style 6,
// white otherwise), draws the style selected by `Scrolling` and then the percentage text. Starts from
// what the last paint carried and gives back what the next one needs; dc is left as it was found.
ProgressBarState PaintProgressBar(gdi::DeviceContext& dc, const ProgressBarLook& look,
                                  const ProgressBarState& carried);

// Where the control's pixels are, in pixels of its own context.
struct ScreenArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The control's own context and the pixels it draws into. Taking the context for drawing has the window
// repaint, so it is taken only when something is drawn there.
struct ScreenTarget {
    const QImage& shown;
    std::function<gdi::DeviceContext&()> context;
};

// One full paint: into the back buffer when the control paints through one, then the client part of the
// buffer copied to the control's own context unless that already shows exactly these pixels; without a
// buffer, straight on the control's context. An empty client area copies nothing, so pixels of a larger
// buffer never reach the screen.
ProgressBarState DrawProgressBar(const ProgressBarBackBuffer* bufferInUse, const ScreenTarget& screen,
                                 const ScreenArea& area, const ProgressBarLook& look,
                                 const ProgressBarState& carried);

} // namespace kelvo::controls::progressbar
