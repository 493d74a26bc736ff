#pragma once

#include <QImage>

namespace kelvo::assets {

// Every picture the generator makes, drawn once and then written out and previewed from the same images.
struct AssetSet {
    QImage background;
    QImage banner;
    QImage frame;
    QImage icon16;
    QImage icon32;
    QImage icon48;
    QImage icon64;
    QImage icon128;
    QImage icon256;
    QImage optionCleared;
    QImage optionSet;
    QImage checkCleared;
    QImage checkTicked;
    QImage pattern;
};

} // namespace kelvo::assets
