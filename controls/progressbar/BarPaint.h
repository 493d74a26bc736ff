#pragma once

#include <cstdint>

#include "controls/progressbar/BarColour.h"
#include "controls/progressbar/BarMath.h"
#include "controls/progressbar/ProgressBarLook.h"
#include "platform/gdi/DeviceContext.h"

namespace kelvo::controls::progressbar {

// One paint in progress: the context, the look, the kept rectangles, and the values every style reads.
// R and B are the client rectangle's right and bottom as the paint read them; the bar colour is resolved
// once here so that a look filled in by hand with a system reference still paints its RGB value.
struct BarPaint {
    BarPaint(gdi::DeviceContext& context, const ProgressBarLook& barLook, ProgressBarState& barState)
        : dc(context)
        , look(barLook)
        , state(barState)
        , colour(ResolveColour(barLook.colour, context.Colours()))
        , R(barState.client.right)
        , B(barState.client.bottom) {}

    gdi::DeviceContext& dc;
    const ProgressBarLook& look;
    ProgressBarState& state;
    const gdi::Colour colour;
    const std::int32_t R;
    const std::int32_t B;

    bool Vertical() const { return look.orientation != 0; }
    // Lighten(a) and Dark(w) of the style descriptions: the bar colour moved toward white, or scaled.
    gdi::Colour Lighten(std::int32_t amount) const { return LightenColor(colour, amount); }
    gdi::Colour Dark(std::int32_t weight) const {
        return BlendColor(colour, gdi::Colour(0x000000), weight, dc.Colours());
    }
    // Value / maximum, 0 when the maximum is 0.
    double Fraction() const { return progressbar::Fraction(look.value, look.max); }
    // Value / 100: the glass style and style 6's text scale by 100, not by the maximum.
    double Percent() const { return static_cast<double>(look.value) / 100.0; }
};

// Segmented, continuous and marquee looks (every `Scrolling` other than 3 to 9).
void DrawSegmentedStyle(BarPaint& paint);
// The fill rectangle of the segmented looks; style 3 uses it for its vertical bars too. Adds 3 to the
// client rectangle's left, which DrawRoundFrame takes off again.
void CalcFillRect(BarPaint& paint);
// The rounded grey frame with its twenty-four corner pixels; subtracts 3 from the client's left first.
void DrawRoundFrame(BarPaint& paint);

void DrawFlatStyle(BarPaint& paint);
void DrawEtchedStyle(BarPaint& paint);
void DrawGlossStyle(BarPaint& paint);
void DrawDarkStyle(BarPaint& paint);
void DrawHatchStyle(BarPaint& paint);
void DrawPictureStyle(BarPaint& paint);
void DrawGlassStyle(BarPaint& paint);

} // namespace kelvo::controls::progressbar
