#pragma once

#include <QByteArray>
#include <QImage>

namespace kelvo::assets {

// The program icon at one of its sizes (16, 32, 48, 64, 128 or 256 pixels), drawn for that size on the
// pixel grid: a rounded square in the program's indigo-to-teal gradient with a white mark (a bold "K" at 16
// pixels, a memory chip carrying the "K" at the larger sizes). Any other size gives a null image.
QImage DrawIcon(int size);

// The same icon as an SVG document, for desktops that scale icons freely: the 256-pixel design in a
// 256 x 256 view box, the same shapes and colours as the pictures.
QByteArray DrawScalableIcon();

} // namespace kelvo::assets
