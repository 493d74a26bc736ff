#include "platform/gdi/LinePainter.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Raster.h"

namespace kelvo::gdi {

namespace {

__extension__ using Wide = __int128;

// ceil(numerator / denominator) for a positive denominator.
Wide CeilDiv(Wide numerator, Wide denominator) {
    const Wide quotient = numerator / denominator;
    return (numerator % denominator > 0) ? quotient + 1 : quotient;
}

// The on/off run lengths of the styled one-pixel pens.
std::span<const int> DashRuns(int style) {
    static constexpr std::array<int, 2> Dash{18, 6};
    static constexpr std::array<int, 2> Dot{3, 3};
    static constexpr std::array<int, 4> DashDot{9, 6, 3, 6};
    static constexpr std::array<int, 6> DashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return Dash;
    case PS_DOT:
        return Dot;
    case PS_DASHDOT:
        return DashDot;
    case PS_DASHDOTDOT:
        return DashDotDot;
    default:
        return {};
    }
}

bool DashOn(std::span<const int> runs, std::int64_t index) {
    int total = 0;
    for (const int run : runs) {
        total += run;
    }
    if (total <= 0) {
        return true; // no pattern: a solid line
    }
    int position = static_cast<int>(index % total);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (position < runs[i]) {
            return i % 2 == 0;
        }
        position -= runs[i];
    }
    return true;
}

} // namespace

void LinePainter::Walk(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool includeEnd,
                       int width, int height, int margin,
                       const std::function<void(std::int64_t, int, int)>& visit) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t count = major + (includeEnd ? 1 : 0);
    if (count == 0) {
        return;
    }
    // Ties between two candidate pixels go up or left: in these octants the minor axis steps on an
    // exact tie.
    const bool octant3 = dx <= 0 && dy > 0 && dy >= -dx;
    const bool octant5 = dy <= 0 && dx < 0 && -dx > -dy;
    const bool octant6 = dy <= 0 && dx < 0 && -dy >= -dx;
    const bool octant8 = dy <= 0 && dx >= 0 && dx > -dy;
    const int bias = (octant3 || octant5 || octant6 || octant8) ? 1 : 0;

    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLow = -std::int64_t{margin};
    const std::int64_t majorHigh = std::int64_t{xMajor ? width : height} + margin; // exclusive
    const std::int64_t minorLow = -std::int64_t{margin};
    const std::int64_t minorHigh = std::int64_t{xMajor ? height : width} + margin;

    // Steps i whose main coordinate majorStart + i * majorStep lies in [majorLow, majorHigh).
    std::int64_t first = 0;
    std::int64_t last = count; // exclusive
    if (majorStep > 0) {
        first = std::max<std::int64_t>(first, majorLow - majorStart);
        last = std::min<std::int64_t>(last, majorHigh - majorStart);
    } else {
        first = std::max<std::int64_t>(first, majorStart - (majorHigh - 1));
        last = std::min<std::int64_t>(last, majorStart - majorLow + 1);
    }
    if (first >= last) {
        return;
    }
    const std::int64_t safeMajor = std::max<std::int64_t>(major, 1);
    // The minor steps taken before step i, in closed form, so the walk can start at the first visible
    // step: the unique c with the error term in its band.
    const Wide steps = CeilDiv(Wide{2} * minor * first - safeMajor + bias, Wide{2} * safeMajor);
    std::int64_t error = static_cast<std::int64_t>(Wide{2} * minor - safeMajor + Wide{2} * minor * first -
                                                   Wide{2} * safeMajor * steps);
    std::int64_t minorPos = minorStart + static_cast<std::int64_t>(steps) * minorStep;
    std::int64_t majorPos = majorStart + first * majorStep;
    for (std::int64_t i = first; i < last; ++i) {
        if (minorPos >= minorLow && minorPos < minorHigh) {
            const int a = static_cast<int>(majorPos);
            const int b = static_cast<int>(minorPos);
            visit(i, xMajor ? a : b, xMajor ? b : a);
        }
        if (error + bias > 0) {
            minorPos += minorStep;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
        majorPos += majorStep;
    }
}

void LinePainter::Draw(DeviceContext& dc, QImage& image, const PenData& pen, std::int32_t x0, std::int32_t y0,
                       std::int32_t x1, std::int32_t y1) {
    if (pen.style == PS_NULL || image.isNull()) {
        return;
    }
    const QRgb colour = Raster::DeviceColour(dc, pen.colour);
    const int rop2 = dc.Rop2();
    const int width = image.width();
    const int height = image.height();
    if (pen.width <= 1) {
        const std::span<const int> runs = DashRuns(pen.style);
        if (runs.empty() && y0 == y1) {
            // The common horizontal run: one span.
            const std::int64_t from = x0 < x1 ? x0 : std::int64_t{x1} + 1;
            const std::int64_t to = x0 < x1 ? x1 : std::int64_t{x0} + 1;
            if (const auto clipped = Raster::Clip(image, from, y0, to, std::int64_t{y0} + 1)) {
                Raster::MixSpan(image, clipped->top, clipped->left, clipped->right, colour, rop2);
            }
            return;
        }
        if (runs.empty() && x0 == x1) {
            // The common vertical run (gradients draw hundreds of them per paint): straight down the column
            // instead of a walk with a call per pixel.
            const std::int64_t from = y0 < y1 ? y0 : std::int64_t{y1} + 1;
            const std::int64_t to = y0 < y1 ? y1 : std::int64_t{y0} + 1;
            if (const auto clipped = Raster::Clip(image, x0, from, std::int64_t{x0} + 1, to)) {
                uchar* bits = image.bits();
                const qsizetype stride = image.bytesPerLine();
                const QRgb copied = Raster::Mix(0, colour, R2_COPYPEN);
                for (int y = clipped->top; y < clipped->bottom; ++y) {
                    QRgb* pixel = reinterpret_cast<QRgb*>(bits + y * stride) + clipped->left;
                    *pixel = rop2 == R2_COPYPEN ? copied : Raster::Mix(*pixel, colour, rop2);
                }
            }
            return;
        }
        const std::optional<QRgb> gap = dc.BkMode() == OPAQUE
                                            ? std::optional<QRgb>(Raster::DeviceColour(dc, dc.BkColour()))
                                            : std::nullopt;
        Walk(x0, y0, x1, y1, false, width, height, 0, [&](std::int64_t i, int x, int y) {
            QRgb* pixel = reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
            if (runs.empty() || DashOn(runs, i)) {
                *pixel = Raster::Mix(*pixel, colour, rop2);
            } else if (gap) {
                *pixel = Raster::Mix(*pixel, *gap, rop2);
            }
        });
        return;
    }
    // A wide pen: a square of the pen's width stamped at every pixel of the centre line, end points
    // included, each covered pixel mixed once.
    const int w = std::min(pen.width, 4096);
    const int before = w / 2;
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{std::min(x0, x1)} - before, 0);
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{std::min(y0, y1)} - before, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{std::max(x0, x1)} - before + w, width);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{std::max(y0, y1)} - before + w, height);
    if (left >= right || top >= bottom) {
        return;
    }
    const int boxWidth = static_cast<int>(right - left);
    const int boxHeight = static_cast<int>(bottom - top);
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(boxWidth) *
                                      static_cast<std::size_t>(boxHeight));
    Walk(x0, y0, x1, y1, true, width, height, w, [&](std::int64_t, int x, int y) {
        const int fromX = std::max<int>(x - before - static_cast<int>(left), 0);
        const int toX = std::min<int>(x - before + w - static_cast<int>(left), boxWidth);
        const int fromY = std::max<int>(y - before - static_cast<int>(top), 0);
        const int toY = std::min<int>(y - before + w - static_cast<int>(top), boxHeight);
        for (int row = fromY; row < toY; ++row) {
            std::fill_n(covered.begin() + static_cast<std::ptrdiff_t>(row) * boxWidth + fromX,
                        std::max(toX - fromX, 0), std::uint8_t{1});
        }
    });
    for (int row = 0; row < boxHeight; ++row) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(row + static_cast<int>(top))) + left;
        const std::uint8_t* mask = covered.data() + static_cast<std::ptrdiff_t>(row) * boxWidth;
        for (int column = 0; column < boxWidth; ++column) {
            if (mask[column] != 0) {
                line[column] = Raster::Mix(line[column], colour, rop2);
            }
        }
    }
}

} // namespace kelvo::gdi
