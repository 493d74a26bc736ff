#include "FramePainter.h"

#include <algorithm>
#include <array>

#include <QPainter>

#include "FramePass.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls {

namespace {

using framepaint::Fault;
using framepaint::FramePass;

// Each side of the inside rectangle is its own statement: one that does not fit in twips keeps its old
// value, the others still change.
void SetInside(FramePass& pass, const char* procedure, double left, double top, double width, double height) {
    FrameInside& inside = pass.State().inside;
    const auto set = [&](double pixels, double& keptPixels, std::int32_t& keptTwips) {
        pass.Run(procedure, [&] {
            const auto twips = framepaint::Twips(pixels);
            if (!twips) {
                return Fault::Overflow;
            }
            keptPixels = pixels;
            keptTwips = *twips;
            return Fault::None;
        });
    };
    set(left, inside.left, inside.leftTwips);
    set(top, inside.top, inside.topTwips);
    set(width, inside.width, inside.widthTwips);
    set(height, inside.height, inside.heightTwips);
}

// Back to the back colour with the picture at the top left, as the surface clears itself.
void Clear(gdi::DeviceContext& dc, const FrameLook& look) {
    QImage* image = dc.Target();
    if (image == nullptr || image->isNull()) {
        return;
    }
    image->fill(dc.Colours().Resolve(look.backColor).ToQRgb());
    if (!look.picture.isNull()) {
        QPainter painter(image);
        painter.drawImage(0, 0, look.picture);
    }
    dc.SetCurrentPosition(0, 0);
}

// The 3-D lines of the sunken (1) and raised (2) inner bevels, with quarter arcs at rounded corners.
void BevelLines(FramePass& pass, float x, std::int32_t r, gdi::Colour upper, gdi::Colour lower) {
    const double sw = pass.Width();
    const double sh = pass.Height();
    const double rr = r;
    const double xx = x;
    const auto run = [&](auto statement) { pass.Run(framepaint::BevelProcedure, statement); };
    run([&] { return pass.Line(xx + rr, xx, sw - 1 - xx - rr, xx, upper); });
    run([&] { return pass.Line(xx, xx + rr, xx, sh - xx - rr - 1, upper); });
    run([&] { return pass.Line(sw - xx - 1, xx + rr, sw - xx - 1, sh - rr - xx - 1, lower); });
    run([&] { return pass.Line(xx + rr, sh - xx - 1, sw - xx - rr - 1, sh - xx - 1, lower); });
    if (r == 0) {
        return;
    }
    run([&] { return pass.Arc(xx + rr, xx + rr, rr, upper, 1.57, 3.14); });
    run([&] { return pass.Arc(xx + rr, sh - xx - rr - 1, rr, upper, 3.14, 4.71); });
    run([&] { return pass.Arc(sw - rr - xx - 1, xx + rr, rr, lower, 6.28, 1.57); });
    run([&] { return pass.Arc(sw - rr - xx - 1, sh - xx - rr - 1, rr, lower, 4.71, std::nullopt); });
}

} // namespace

namespace framepaint {

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
                pass.SetForeColor(look.bevelInner == 3 ? pass.Sh() : pass.Hi());
                return pass.RoundRect(x, x, pass.Width() - x, pass.Height() - x, r);
            });
            break;
        default:
            break;
        }
        const double xx = x;
        SetInside(pass, BevelProcedure, xx + 1, xx + 1, pass.Width() - 2 * xx - 2,
                  pass.Height() - 2 * xx - 2);
    }
    if (look.floodPercent > 0) {
        DrawFlood(pass);
    }
}

} // namespace framepaint

FramePaintResult PaintFrame(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous,
                            const CaptionMeasure& measure) {
    FramePass pass(dc, look, previous, measure);
    FrameState& state = pass.State();
    const char* procedure = framepaint::ResizeProcedure;

    pass.top = 0;
    pass.bottom = look.scaleHeight;
    state.labels.blankVisible = false;
    if (look.bevelInner == 0 && look.captionLocation == 1 && !state.labels.text.isEmpty()) {
        // The caption sits across the border line, which runs through its middle.
        const float lift = static_cast<float>(pass.CaptionSize().height() / 2.25);
        if (look.captionAlignment >= 0 && look.captionAlignment <= 2) {
            pass.top = lift;
            state.labels.blankVisible = true;
        } else if (look.captionAlignment >= 6 && look.captionAlignment <= 8) {
            pass.bottom = look.scaleHeight - lift;
            state.labels.blankVisible = true;
        }
    }
    state.borderTop = pass.top;
    pass.Run(procedure, [&] {
        const auto diameter = numeric::CheckedAdd(look.cornerRadius, look.cornerRadius);
        if (!diameter) {
            return Fault::Overflow;
        }
        pass.diameter = *diameter;
        return Fault::None;
    });

    Clear(dc, look);
    if (look.fillGradient != 0) {
        DrawGradiant(dc, look);
    }
    const bool twoPixels =
        look.borderType == 1 || look.borderType == 2 || look.borderType == 7 || look.borderType == 8;
    const double border = twoPixels ? 2 : 1;
    SetInside(pass, procedure, border, border, static_cast<double>(look.scaleWidth) - 2 * border,
              static_cast<double>(look.scaleHeight) - 2 * border);

    framepaint::DrawBorder(pass);
    framepaint::DrawBevelInner(pass);
    framepaint::DrawCaptionAlignment(pass);
    return pass.Finish();
}

FramePaintResult PaintFlood(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous,
                            const CaptionMeasure& measure) {
    FramePass pass(dc, look, previous, measure);
    framepaint::DrawFlood(pass);
    return pass.Finish();
}

void DrawGradiant(gdi::DeviceContext& dc, const FrameLook& look) {
    if (look.fillGradient != 1 && look.fillGradient != 2) {
        return;
    }
    const auto split = [&dc](gdi::Colour colour) {
        if ((colour.Raw() & 0x80000000u) != 0) {
            colour = dc.Colours().GetSysColor(colour.SystemIndex());
        }
        return std::array<float, 3>{float(colour.Red()), float(colour.Green()), float(colour.Blue())};
    };
    std::array<float, 3> current = split(look.surface.fillColor);
    const std::array<float, 3> end = split(look.backColor);
    const bool horizontal = look.fillGradient == 1;
    const double length = horizontal ? look.scaleWidth : look.scaleHeight;
    // A failed statement leaves its variable as it was: n stays 0 and the steps stay 0.
    const std::int32_t n = numeric::CLng(length - look.cornerRadius).value_or(0);
    std::array<float, 3> step{};
    for (std::size_t c = 0; c < step.size(); ++c) {
        if (n != 0) {
            step[c] = static_cast<float>(static_cast<double>(end[c] - current[c]) / n);
        }
    }
    const host::SurfaceDrawing::Attributes& attributes = look.surface;
    // Lines past the edge of the surface change nothing, so the loop stops there.
    const QImage* image = dc.Target();
    const std::int32_t visible = image == nullptr ? 0 : (horizontal ? image->width() : image->height());
    const std::int32_t last = std::min(n, visible);
    for (std::int32_t i = 0; i <= last; ++i) {
        std::array<int, 3> channel{};
        bool valid = true;
        for (std::size_t c = 0; c < channel.size(); ++c) {
            const auto value = numeric::CInt(current[c]);
            valid = valid && value && *value >= 0;
            channel[c] = value ? std::min<int>(*value, 255) : 0;
        }
        if (valid) {
            const gdi::Colour colour = gdi::Colour::FromRgb(static_cast<std::uint8_t>(channel[0]),
                                                            static_cast<std::uint8_t>(channel[1]),
                                                            static_cast<std::uint8_t>(channel[2]));
            if (horizontal) {
                host::SurfaceDrawing::Line(dc, attributes, i, 0, i, look.scaleHeight, colour);
            } else {
                host::SurfaceDrawing::Line(dc, attributes, 0, i, look.scaleWidth, i, colour);
            }
        }
        for (std::size_t c = 0; c < current.size(); ++c) {
            current[c] += step[c];
        }
    }
}

gdi::Region CreateFrameRegion(const FrameRegion& region) {
    return gdi::CreateRoundRectRgn(region.left, region.top, region.right, region.bottom, region.corner,
                                   region.corner);
}

} // namespace kelvo::controls
