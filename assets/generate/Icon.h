#pragma once

#include <QImage>

namespace kelvo::assets {

// The program icon at one of its sizes (16, 32 or 48 pixels), drawn for that size on the pixel grid: a
// rounded square in the program's indigo-to-teal gradient with a white mark (a bold "K" at 16 pixels, a
// memory chip carrying the "K" at the larger sizes). Any other size gives a null image.
QImage DrawIcon(int size);

} // namespace kelvo::assets
