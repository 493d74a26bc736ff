#include "FramePass.h"

#include "platform/numeric/Numeric.h"

namespace kelvo::controls::framepaint {

namespace {

using numeric::CLng;

enum class Corners { Square, Rounded, Inset };

// Two outlines one pixel apart: etched draws the dark one first, bump the light one.
void TwoOutlines(FramePass& pass, gdi::Colour first, gdi::Colour second, double corner) {
    const double sw = pass.Width();
    pass.Run(ResizeProcedure, [&] {
        return pass.RoundRect(first, 0, pass.top, sw - 1, static_cast<double>(pass.bottom) - 1, corner);
    });
    pass.Run(ResizeProcedure, [&] {
        return pass.RoundRect(second, 1, static_cast<double>(pass.top) + 1, sw, pass.bottom, corner);
    });
}

void OneOutline(FramePass& pass, gdi::Colour pen, double inset, double corner) {
    pass.Run(ResizeProcedure, [&] {
        return pass.RoundRect(pen, 0, pass.top, pass.Width() - inset, pass.bottom - inset, corner);
    });
}

// The 3-D lines styles first paint the whole outline in the back colour: the caption's blank strip is not
// used, the lines run along the very edge of the control.
void BackgroundOutline(FramePass& pass, double corner) {
    pass.Run(ResizeProcedure, [&] {
        return pass.RoundRect(pass.Look().backColor, 0, 0, pass.Width(), pass.Height(), corner);
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
    pass.Run(ResizeProcedure, [&] { return pass.Arc(r, r, r, light, Angle90, Angle180); });
    pass.Run(ResizeProcedure, [&] { return pass.Arc(r, sh - r - 1, r, light, Angle180, Angle270); });
    pass.Run(ResizeProcedure, [&] { return pass.Arc(sw - r - 1, r, r, dark, Angle360, Angle90); });
    pass.Run(ResizeProcedure,
             [&] { return pass.Arc(sw - r - 1, sh - r - 1, r, dark, Angle270, std::nullopt); });
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

// The 3-D lines of the sunken (1) and raised (2) inner bevels, with quarter arcs at rounded corners.
void BevelLines(FramePass& pass, float x, std::int32_t r, gdi::Colour upper, gdi::Colour lower) {
    const double sw = pass.Width();
    const double sh = pass.Height();
    const double rr = r;
    const double xx = x;
    const auto run = [&](auto statement) { pass.Run(BevelProcedure, statement); };
    run([&] { return pass.Line(xx + rr, xx, sw - 1 - xx - rr, xx, upper); });
    run([&] { return pass.Line(xx, xx + rr, xx, sh - xx - rr - 1, upper); });
    run([&] { return pass.Line(sw - xx - 1, xx + rr, sw - xx - 1, sh - rr - xx - 1, lower); });
    run([&] { return pass.Line(xx + rr, sh - xx - 1, sw - xx - rr - 1, sh - xx - 1, lower); });
    if (r == 0) {
        return;
    }
    run([&] { return pass.Arc(xx + rr, xx + rr, rr, upper, Angle90, Angle180); });
    run([&] { return pass.Arc(xx + rr, sh - xx - rr - 1, rr, upper, Angle180, Angle270); });
    run([&] { return pass.Arc(sw - rr - xx - 1, xx + rr, rr, lower, Angle360, Angle90); });
    run([&] { return pass.Arc(sw - rr - xx - 1, sh - xx - rr - 1, rr, lower, Angle270, std::nullopt); });
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

void DrawBevelInner(FramePass& pass) {
    const FrameLook& look = pass.Look();
    if (look.bevelInner != 0) {
        float x = 0;
        pass.Run(BevelProcedure, [&] {
            const auto single = Single(static_cast<double>(pass.State().borderTop) + look.bevelWidth);
            if (!single) {
                return Fault::Overflow;
            }
            x = *single;
            return Fault::None;
        });
        pass.State().labels.blankVisible = false;
        const std::int32_t r = look.borderType >= 7 && look.borderType <= 13 ? look.cornerRadius : 0;
        switch (look.bevelInner) {
        case 1:
            BevelLines(pass, x, r, pass.Sh(), pass.Hi());
            break;
        case 2:
            BevelLines(pass, x, r, pass.Hi(), pass.Sh());
            break;
        case 3:
        case 4:
            pass.Run(BevelProcedure, [&] {
                const gdi::Colour pen = look.bevelInner == 3 ? pass.Sh() : pass.Hi();
                return pass.RoundRect(pen, x, x, pass.Width() - x, pass.Height() - x, r);
            });
            break;
        default:
            break;
        }
        const double xx = x;
        pass.SetInside(BevelProcedure, xx + 1, xx + 1, pass.Width() - 2 * xx - 2, pass.Height() - 2 * xx - 2);
    }
    if (look.floodPercent > 0) {
        DrawFlood(pass);
    }
}

} // namespace kelvo::controls::framepaint
