#pragma once

#include <QImage>

namespace kelvo::assets {

// The banner at the top left of the window, 229 x 49: the chip-and-gauge glyph and the "Kelvo" wordmark
// on the header band of the background (cut from the same place of the background, so the banner has no
// visible edge), with a dark version badge where the window writes "2.0" in white.
QImage DrawBanner(const QImage& background);

// The picture inside the small header frame, 106 x 50: a compact memory gauge.
QImage DrawFrame();

} // namespace kelvo::assets
