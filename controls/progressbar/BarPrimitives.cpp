#include "controls/progressbar/BarPrimitives.h"

#include <algorithm>

#include <QVarLengthArray>

#include "controls/progressbar/BarColour.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Lines.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::controls::progressbar {

namespace {

struct Channels {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
};

Channels Split(gdi::Colour colour) {
    return Channels{colour.Red(), colour.Green(), colour.Blue()};
}

// The single-precision step from one channel value to another over n lines.
float Step(std::int32_t from, std::int32_t to, std::int32_t n) {
    return static_cast<float>(static_cast<double>(to - from) / static_cast<double>(n));
}

std::uint8_t Interpolate(std::int32_t from, float step, std::int64_t i) {
    const double channel = numeric::RoundHalfEven(from + static_cast<double>(step) * static_cast<double>(i));
    return static_cast<std::uint8_t>(std::clamp(channel, 0.0, 255.0));
}

} // namespace

void DrawLine(gdi::DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t endX, std::int32_t endY,
              gdi::Colour colour) {
    gdi::Pen pen = gdi::CreatePen(gdi::PS_SOLID, 1, ResolveColour(colour, dc.Colours()));
    const gdi::SelectedObject previous = gdi::SelectObject(dc, pen);
    gdi::MoveToEx(dc, x, y);
    gdi::LineTo(dc, endX, endY);
    gdi::SelectObject(dc, previous);
    gdi::DeleteObject(pen);
}

void DrawGradient(gdi::DeviceContext& dc, gdi::Colour endColour, gdi::Colour startColour, std::int32_t x,
                  std::int32_t y, std::int32_t x2, std::int32_t y2, bool horizontal) {
    const Channels end = Split(ResolveColour(endColour, dc.Colours()));
    const Channels start = Split(ResolveColour(startColour, dc.Colours()));
    const std::int32_t n = horizontal ? x2 : y2;
    const QImage* target = dc.Target();
    if (n < 0 || target == nullptr) {
        return;
    }
    // With n = 0 there is no step to take: only the first line is drawn.
    const float dRed = n == 0 ? 0.0f : Step(end.red, start.red, n);
    const float dGreen = n == 0 ? 0.0f : Step(end.green, start.green, n);
    const float dBlue = n == 0 ? 0.0f : Step(end.blue, start.blue, n);

    // Only the lines that land on the target's pixels: each line's colour depends on i alone, so
    // leaving out the others changes no pixel, and a band millions of lines long costs what is visible.
    const std::int64_t origin = horizontal ? x : y;
    const std::int64_t extent = horizontal ? target->width() : target->height();
    const std::int64_t first = std::max<std::int64_t>(0, -origin);
    const std::int64_t last = std::min<std::int64_t>(n, extent - 1 - origin);
    if (first > last) {
        return;
    }
    QVarLengthArray<gdi::Colour, 1024> colours;
    colours.reserve(last - first + 1);
    for (std::int64_t i = first; i <= last; ++i) {
        colours.push_back(gdi::Colour::FromRgb(Interpolate(end.red, dRed, i),
                                               Interpolate(end.green, dGreen, i),
                                               Interpolate(end.blue, dBlue, i)));
    }
    // Line i runs from (x + i, y) to (x + i, y2) across a horizontal bar, from (x, y + i) to (x2, y + i) down
    // a vertical one; the lines are within the target, so their positions fit.
    gdi::DrawStripes(dc, horizontal, static_cast<std::int32_t>(origin + first), colours, horizontal ? y : x,
                     horizontal ? y2 : x2);
}

// The brushes of these two live only for the one call, so they are plain brush data rather than objects
// made and deleted: the pixels are the same and nothing is allocated.
void FillSolid(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour colour) {
    gdi::FillRect(dc, rect, gdi::SolidBrushData(ResolveColour(colour, dc.Colours())));
}

void FrameSolid(gdi::DeviceContext& dc, const gdi::Rect& rect, gdi::Colour colour) {
    gdi::FrameRect(dc, rect, gdi::SolidBrushData(colour));
}

} // namespace kelvo::controls::progressbar
