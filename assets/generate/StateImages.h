#pragma once

#include <QImage>

namespace kelvo::assets {

// The round option button, 14 x 15: a light face with a blue-grey rim when cleared; an accent rim and a
// centre dot when set. The corners are transparent.
QImage DrawOption(bool set);

// The square check box, 15 x 16: a light face with a blue-grey rim when cleared; an accent face with a
// white tick when ticked. The corners are transparent.
QImage DrawCheck(bool ticked);

} // namespace kelvo::assets
