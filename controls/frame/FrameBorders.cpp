#include "FramePass.h"

#include "platform/numeric/Numeric.h"

namespace kelvo::controls::framepaint {

namespace {

using numeric::CLng;

// The arcs run between these literal angles, not exact quarter turns: the corners of the 3-D lines styles
// stop just short of a full quarter, as they always have.
constexpr double Quarter1 = 1.57;
constexpr double Quarter2 = 3.14;
constexpr double Quarter3 = 4.71;
constexpr double Quarter4 = 6.28;

enum class Corners { Square, Rounded, Inset };

// Two outlines one pixel apart: etched draws the dark one first, bump the light one.
void TwoOutlines(FramePass& pass, gdi::Colour first, gdi::Colour second, double corner) {
    const double sw = pass.Width();
    pass.Run(ResizeProcedure, [&] {
        pass.SetForeColor(first);
        return pass.RoundRect(0, pass.top, sw - 1, static_cast<double>(pass.bottom) - 1, corner);
    });
    pass.Run(ResizeProcedure, [&] {
        pass.SetForeColor(second);
        return pass.RoundRect(1, static_cast<double>(pass.top) + 1, sw, pass.bottom, corner);
    });
}

void OneOutline(FramePass& pass, gdi::Colour pen, double inset, double corner) {
    pass.Run(ResizeProcedure, [&] {
        pass.SetForeColor(pen);
        return pass.RoundRect(0, pass.top, pass.Width() - inset, pass.bottom - inset, corner);
    });
}

// The 3-D lines styles first paint the whole outline in the back colour: the caption's blank strip is not
// used, the lines run along the very edge of the control.
void BackgroundOutline(FramePass& pass, double corner) {
    pass.Run(ResizeProcedure, [&] {
        pass.SetForeColor(pass.Look().backColor);
        return pass.RoundRect(0, 0, pass.Width(), pass.Height(), corner);
    });
}

void SquareLines(FramePass& pass, bool raised) {
    pass.State().labels.blankVisible = false;
    BackgroundOutline(pass, 0);
    const double sw = pass.Width();
    const double sh = pass.Height();
    const gdi::Colour lower = raised ? pass.Sh() : pass.Hi();
    const gdi::Colour upper = raised ? pass.Hi() : pass.Sh();
    // The sunken style stops its dark lines one pixel earlier at the far corners.
    const double shorten = raised ? 1 : 2;
    pass.Run(ResizeProcedure, [&] { return pass.Line(sw - 1, sh - 1, sw - 1, 0, lower); });
    pass.Run(ResizeProcedure, [&] { return pass.Line(sw - 1, sh - 1, 0, sh - 1, lower); });
    pass.Run(ResizeProcedure, [&] { return pass.Line(sw - shorten, 0, 0, 0, upper); });
    pass.Run(ResizeProcedure, [&] { return pass.Line(0, sh - shorten, 0, 0, upper); });
}

void RoundedLines(FramePass& pass, bool raised) {
    pass.State().labels.blankVisible = false;
    BackgroundOutline(pass, pass.diameter);
    const double sw = pass.Width();
    const double sh = pass.Height();
    const double r = pass.Look().cornerRadius;
    const gdi::Colour light = raised ? pass.Hi() : pass.Sh();
    const gdi::Colour dark = raised ? pass.Sh() : pass.Hi();
    pass.Run(ResizeProcedure, [&] { return pass.Line(r, 0, sw - r - 1, 0, light); });
    pass.Run(ResizeProcedure, [&] { return pass.Line(0, r, 0, sh - r - 1, light); });
    pass.Run(ResizeProcedure, [&] { return pass.Line(sw - 1, r, sw - 1, sh - r - 1, dark); });
    pass.Run(ResizeProcedure, [&] { return pass.Line(r, sh - 1, sw - r - 1, sh - 1, dark); });
    pass.Run(ResizeProcedure, [&] { return pass.Arc(r, r, r, light, Quarter1, Quarter2); });
    pass.Run(ResizeProcedure, [&] { return pass.Arc(r, sh - r - 1, r, light, Quarter2, Quarter3); });
    pass.Run(ResizeProcedure, [&] { return pass.Arc(sw - r - 1, r, r, dark, Quarter4, Quarter1); });
    pass.Run(ResizeProcedure,
             [&] { return pass.Arc(sw - r - 1, sh - r - 1, r, dark, Quarter3, std::nullopt); });
}

Corners DrawOutline(FramePass& pass) {
    const double d = pass.diameter;
    switch (pass.Look().borderType) {
    case 1:
        TwoOutlines(pass, pass.Sh(), pass.Hi(), 0);
        return Corners::Square;
    case 2:
        TwoOutlines(pass, pass.Hi(), pass.Sh(), 0);
        return Corners::Square;
    case 3:
        OneOutline(pass, pass.Sh(), 1, 0);
        return Corners::Square;
    case 4:
        OneOutline(pass, pass.Hi(), 0, 0);
        return Corners::Square;
    case 5:
        SquareLines(pass, true);
        return Corners::Square;
    case 6:
        SquareLines(pass, false);
        return Corners::Square;
    case 7:
        TwoOutlines(pass, pass.Sh(), pass.Hi(), d);
        return Corners::Rounded;
    case 8:
        TwoOutlines(pass, pass.Hi(), pass.Sh(), d);
        return Corners::Rounded;
    case 9:
        OneOutline(pass, pass.Sh(), 0, d);
        return Corners::Rounded;
    case 10:
        OneOutline(pass, pass.Hi(), 0, d);
        return Corners::Rounded;
    case 11:
        RoundedLines(pass, true);
        return Corners::Rounded;
    case 12:
        RoundedLines(pass, false);
        return Corners::Rounded;
    default:
        // No border: the outline only repaints the edge in the back colour. Style 13 cuts the window to a
        // rounded shape one pixel inside the control; any unknown style keeps it square.
        BackgroundOutline(pass, 0);
        return pass.Look().borderType == 13 ? Corners::Inset : Corners::Square;
    }
}

} // namespace

void DrawBorder(FramePass& pass) {
    const Corners corners = DrawOutline(pass);
    pass.Run(ResizeProcedure, [&] {
        const double inset = corners == Corners::Inset ? 0 : 1;
        const auto left = CLng(1 - inset);
        const auto right = CLng(pass.Width() + inset);
        const auto bottom = CLng(pass.Height() + inset);
        if (!left || !right || !bottom) {
            return Fault::Overflow;
        }
        const std::int32_t corner = corners == Corners::Square ? 0 : pass.diameter;
        pass.SetRegion(FrameRegion{*left, *left, *right, *bottom, corner});
        return Fault::None;
    });
}

} // namespace kelvo::controls::framepaint
