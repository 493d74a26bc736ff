#pragma once

#include <QImage>

namespace kelvo::assets {

struct AssetSet;

// A mock-up of the main window's client area (371 x 348) built from the generated pictures, with the
// window's white captions, value boxes, separators and bottom controls drawn roughly where the window
// puts them: a way to judge the composition and the readability of the captions without the program.
QImage ComposePreview(const AssetSet& assets);

} // namespace kelvo::assets
