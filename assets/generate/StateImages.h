#pragma once

#include <QImage>

// The state images of the option and check controls. Their corners are transparent; the colour channels
// of the transparent and partly transparent pixels hold the picture as it looks over the dark window, so
// a reader that ignores alpha still shows a clean, smooth button instead of black corners.
namespace kelvo::assets {

// The round option button, 14 x 15: a light face with a blue-grey rim when cleared; an accent rim and a
// centre dot when set.
QImage DrawOption(bool set);

// The square check box, 15 x 16: a light face with a blue-grey rim when cleared; an accent face with a
// white tick when ticked.
QImage DrawCheck(bool ticked);

} // namespace kelvo::assets
