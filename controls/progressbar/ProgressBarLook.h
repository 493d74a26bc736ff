#pragma once

#include <cstdint>

#include <QFont>
#include <QImage>

#include "platform/gdi/Colour.h"
#include "platform/gdi/Rect.h"

namespace kelvo::controls::progressbar {

// Everything one paint of the bar needs, taken from the control's fields at the moment it paints. The
// values are passed through unchecked: the control accepts any value for every property, and the
// drawing routines are written to complete for all of them.
struct ProgressBarLook {
    // Bar colour, already resolved to an RGB value by the control.
    gdi::Colour colour{0x6A240A};
    // `Scrolling`: the drawing style; 0 to 9, anything else draws as the continuous bar.
    std::int32_t scrolling = 0;
    // `Orientation`: 0 horizontal, anything else vertical.
    std::int32_t orientation = 0;
    // `FillOrEmpty` of vertical bars: 1 fills from the bottom, 0 empties from the top.
    std::int32_t fillOrEmpty = 1;
    // `eBrushStyle`: the hatch of style 7.
    std::int32_t brushStyle = 4;
    bool showText = false;
    std::int32_t value = 0;
    std::int32_t max = 100;
    // The installed font the control's `Font` stands for.
    QFont font;
    // The pattern of style 8; a null or empty image means no picture.
    QImage picture;
    // The client area in pixels.
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
};

// Whether two looks paint alike: every field equal, the pictures the same image (same pixels by
// identity, not compared pixel by pixel).
inline bool SameLook(const ProgressBarLook& a, const ProgressBarLook& b) {
    return a.colour == b.colour && a.scrolling == b.scrolling && a.orientation == b.orientation &&
           a.fillOrEmpty == b.fillOrEmpty && a.brushStyle == b.brushStyle && a.showText == b.showText &&
           a.value == b.value && a.max == b.max && a.clientWidth == b.clientWidth &&
           a.clientHeight == b.clientHeight && a.picture.cacheKey() == b.picture.cacheKey() &&
           a.font == b.font;
}

// What the paint routines keep between paints. Several styles work out only part of the fill rectangle
// and use what an earlier paint left in the rest, so this lives as long as the control does.
struct ProgressBarState {
    gdi::Rect client;
    gdi::Rect fill;
    gdi::Rect gap;
    gdi::Rect text;
    double fillFraction = 0.0;
    std::int32_t blockWidth = 0;
    std::int32_t blockGap = 2;
    friend bool operator==(const ProgressBarState& a, const ProgressBarState& b) = default;
};

// Whether two states give the same paint: every paint works out the client and text rectangles afresh
// before it uses them, so only the rest of the state carries over from one paint to the next.
inline bool SameCarriedState(const ProgressBarState& a, const ProgressBarState& b) {
    return a.fill == b.fill && a.gap == b.gap && a.fillFraction == b.fillFraction &&
           a.blockWidth == b.blockWidth && a.blockGap == b.blockGap;
}

} // namespace kelvo::controls::progressbar
