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

} // namespace

FramePaintResult PaintFrame(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous) {
    FramePass pass(dc, look, previous);
    FrameState& state = pass.State();
    const char* procedure = framepaint::ResizeProcedure;

    pass.top = 0;
    pass.bottom = look.scaleHeight;
    state.labels.blankVisible = false;
    if (look.bevelInner == 0 && look.captionLocation == 1 && !state.labels.text.isEmpty()) {
        // The caption sits across the border line, which runs through its middle.
        const double lift = pass.CaptionSize().height() / 2.25;
        if (look.captionAlignment >= 0 && look.captionAlignment <= 2) {
            pass.top = static_cast<float>(lift);
            state.labels.blankVisible = true;
        } else if (look.captionAlignment >= 6 && look.captionAlignment <= 8) {
            pass.bottom = static_cast<float>(look.scaleHeight - lift);
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
    pass.SetInside(procedure, border, border, static_cast<double>(look.scaleWidth) - 2 * border,
                   static_cast<double>(look.scaleHeight) - 2 * border);

    framepaint::DrawBorder(pass);
    framepaint::DrawBevelInner(pass);
    framepaint::DrawCaptionAlignment(pass);
    return pass.Finish();
}

FramePaintResult PaintFlood(gdi::DeviceContext& dc, const FrameLook& look, const FrameState& previous) {
    FramePass pass(dc, look, previous);
    framepaint::DrawFlood(pass);
    return pass.Finish();
}

QString FloodPercentText(std::int32_t percent) {
    return QString::number(percent) + QLatin1Char('%');
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
