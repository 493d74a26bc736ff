#pragma once

#include <QImage>

namespace kelvo::assets {

// The main window's background picture, 372 x 373: a dark header band for the banner and the small
// frame, the dark indigo-to-teal body behind the white captions of the statistics, level and
// scheduling groups, and a light strip at the bottom behind the progress bar, the button and the
// blue links.
QImage DrawBackground();

// Where the window's separators and groups fall on the picture (client pixels).
constexpr int BackgroundWidth = 372;
constexpr int BackgroundHeight = 373;
constexpr int HeaderBottom = 54;
constexpr int LightStripTop = 288;

} // namespace kelvo::assets
