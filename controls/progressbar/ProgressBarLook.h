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

    // Pictures compare by their pixels, which costs nothing for the same image (or none).
    friend bool operator==(const ProgressBarLook&, const ProgressBarLook&) = default;
};

// What one paint leaves for the next: several styles work out only part of the fill rectangle and use
// what an earlier paint left in the rest, so this lives as long as the control does.
struct ProgressBarCarried {
    gdi::Rect fill;
    gdi::Rect gap;
    double fillFraction = 0.0;
    std::int32_t blockWidth = 0;
    std::int32_t blockGap = 2;
    friend bool operator==(const ProgressBarCarried&, const ProgressBarCarried&) = default;
};

// A paint's rectangles: what it carries to the next, and the client and text rectangles it works out
// afresh each time (so two paints that carry the same start alike whatever these hold).
struct ProgressBarState : ProgressBarCarried {
    gdi::Rect client;
    gdi::Rect text;
    const ProgressBarCarried& Carried() const { return *this; }
    friend bool operator==(const ProgressBarState&, const ProgressBarState&) = default;
};

} // namespace kelvo::controls::progressbar
