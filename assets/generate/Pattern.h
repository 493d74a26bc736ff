#pragma once

#include <QImage>

namespace kelvo::assets {

// The progress bar's pattern picture, 12 x 12: diagonal bands in the accent blues that run on without a
// seam when the picture is tiled.
QImage DrawPattern();

} // namespace kelvo::assets
