#include "platform/gdi/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/ShapeSpans.h"

namespace kelvo::gdi {

namespace {

using Span = std::pair<std::int64_t, std::int64_t>;

// Which outline pixels an arc keeps: those whose direction from the centre lies in the sweep.
class ArcFilter {
public:
    ArcFilter(double centreX, double centreY, std::int64_t startX, std::int64_t startY, std::int64_t endX,
              std::int64_t endY)
        : centreX_(centreX)
        , centreY_(centreY)
        , start_(Angle(static_cast<double>(startX), static_cast<double>(startY))) {
        sweep_ = Turn(Angle(static_cast<double>(endX), static_cast<double>(endY)) - start_);
        if (sweep_ == 0.0) {
            sweep_ = 2 * std::numbers::pi;
        }
    }
    bool Keeps(std::int64_t x, std::int64_t y) const {
        return Turn(Angle(static_cast<double>(x), static_cast<double>(y)) - start_) <= sweep_;
    }

private:
    // Counter-clockwise on the screen, where rows grow downwards.
    double Angle(double x, double y) const { return std::atan2(centreY_ - y, x - centreX_); }
    static double Turn(double angle) {
        const double full = 2 * std::numbers::pi;
        const double turned = std::fmod(angle + 2 * full, full);
        return turned < 0 ? turned + full : turned;
    }

    double centreX_;
    double centreY_;
    double start_;
    double sweep_ = 0;
};

struct Figure {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
    std::int64_t cornerWidth;
    std::int64_t cornerHeight;
    bool fill;
    std::optional<ArcFilter> arc;
};

std::optional<Span> Clamp(std::optional<Span> span, int width) {
    if (!span) {
        return std::nullopt;
    }
    const std::int64_t from = std::max<std::int64_t>(span->first, 0);
    const std::int64_t to = std::min<std::int64_t>(span->second, width);
    if (from >= to) {
        return std::nullopt;
    }
    return Span{from, to};
}

void PenRun(QImage& image, int y, std::int64_t from, std::int64_t to, QRgb colour, int rop2,
            const std::optional<ArcFilter>& arc) {
    const auto clipped = Clamp(Span{from, to}, image.width());
    if (!clipped) {
        return;
    }
    if (!arc) {
        Raster::MixSpan(image, y, static_cast<int>(clipped->first), static_cast<int>(clipped->second), colour,
                        rop2);
        return;
    }
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (std::int64_t x = clipped->first; x < clipped->second; ++x) {
        if (arc->Keeps(x, y)) {
            row[x] = Raster::Mix(row[x], colour, rop2);
        }
    }
}

bool Paint(DeviceContext& dc, Figure figure) {
    QImage* image = dc.Target();
    if (image == nullptr) {
        return false;
    }
    if (figure.left > figure.right) {
        std::swap(figure.left, figure.right);
    }
    if (figure.top > figure.bottom) {
        std::swap(figure.top, figure.bottom);
    }
    if (figure.left == figure.right || figure.top == figure.bottom) {
        return true;
    }
    const PenData& pen = dc.CurrentPen();
    const int width = pen.style == PS_NULL ? 0 : std::clamp(pen.width, 1, 4096);
    if (pen.style == PS_INSIDEFRAME && width > 1) {
        figure.left += width / 2;
        figure.top += width / 2;
        figure.right -= (width - 1) / 2;
        figure.bottom -= (width - 1) / 2;
        if (figure.left >= figure.right || figure.top >= figure.bottom) {
            return true;
        }
    }
    const std::int64_t w = figure.right - figure.left;
    const std::int64_t h = figure.bottom - figure.top;
    const bool rounded = figure.cornerWidth > 0 && figure.cornerHeight > 0;
    const auto corner = [rounded](std::int64_t size) {
        return rounded ? std::max<std::int64_t>(size, 0) : 0;
    };
    const Raster::BrushPainter brush(dc, dc.CurrentBrush());
    const bool fill = figure.fill && brush.Paints();
    const QRgb colour = Raster::DeviceColour(dc, pen.colour);
    const int rop2 = dc.Rop2();

    // The pixels the outline covers and the inside, as spans: the inside of a one-pixel outline is
    // what is left of the figure after taking away every pixel next to its border.
    const std::int64_t before = width / 2;
    const ShapeSpans outer =
        width == 0
            ? ShapeSpans(figure.left, figure.top, w - 1, h - 1, figure.cornerWidth, figure.cornerHeight)
        : width == 1
            ? ShapeSpans(figure.left, figure.top, w, h, figure.cornerWidth, figure.cornerHeight)
            : ShapeSpans(figure.left - before, figure.top - before, w - 1 + width, h - 1 + width,
                         corner(figure.cornerWidth + width - 1), corner(figure.cornerHeight + width - 1));
    const ShapeSpans inner(figure.left - before + width, figure.top - before + width, w - 1 - width,
                           h - 1 - width, corner(figure.cornerWidth - width - 1),
                           corner(figure.cornerHeight - width - 1));
    const std::int64_t firstRow = std::max<std::int64_t>(outer.Top(), 0);
    const std::int64_t lastRow = std::min<std::int64_t>(outer.Bottom(), image->height());
    for (std::int64_t y = firstRow; y < lastRow; ++y) {
        const auto row = outer.Row(y);
        if (!row) {
            continue;
        }
        const int line = static_cast<int>(y);
        if (width == 0) {
            if (fill) {
                if (const auto clipped = Clamp(row, image->width())) {
                    brush.MixSpan(*image, line, static_cast<int>(clipped->first),
                                  static_cast<int>(clipped->second), rop2);
                }
            }
            continue;
        }
        std::optional<Span> inside;
        if (width == 1) {
            const auto up = outer.Row(y - 1);
            const auto down = outer.Row(y + 1);
            if (up && down) {
                const std::int64_t from = std::max({row->first + 1, up->first, down->first});
                const std::int64_t to = std::min({row->second - 1, up->second, down->second});
                if (from < to) {
                    inside = Span{from, to};
                }
            }
        } else if (const auto in = inner.Row(y); in && in->first < in->second) {
            inside = in;
        }
        if (fill && !figure.arc) {
            if (const auto clipped = Clamp(inside, image->width())) {
                brush.MixSpan(*image, line, static_cast<int>(clipped->first),
                              static_cast<int>(clipped->second), rop2);
            }
        }
        if (inside) {
            PenRun(*image, line, row->first, inside->first, colour, rop2, figure.arc);
            PenRun(*image, line, inside->second, row->second, colour, rop2, figure.arc);
        } else {
            PenRun(*image, line, row->first, row->second, colour, rop2, figure.arc);
        }
    }
    return true;
}

} // namespace

bool Rectangle(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) {
    return Paint(dc, Figure{left, top, right, bottom, 0, 0, true, std::nullopt});
}

bool Ellipse(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
             std::int32_t bottom) {
    const std::int64_t w = std::llabs(std::int64_t{right} - left);
    const std::int64_t h = std::llabs(std::int64_t{bottom} - top);
    return Paint(dc, Figure{left, top, right, bottom, w, h, true, std::nullopt});
}

bool RoundRect(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::int32_t cornerWidth, std::int32_t cornerHeight) {
    return Paint(dc, Figure{left, top, right, bottom, std::llabs(std::int64_t{cornerWidth}),
                            std::llabs(std::int64_t{cornerHeight}), true, std::nullopt});
}

bool Arc(DeviceContext& dc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
         std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
    const std::int64_t l = std::min(left, right);
    const std::int64_t r = std::max(left, right);
    const std::int64_t t = std::min(top, bottom);
    const std::int64_t b = std::max(top, bottom);
    const ArcFilter filter((static_cast<double>(l) + static_cast<double>(r) - 1) / 2,
                           (static_cast<double>(t) + static_cast<double>(b) - 1) / 2, startX, startY, endX,
                           endY);
    return Paint(dc, Figure{l, t, r, b, r - l, b - t, false, filter});
}

} // namespace kelvo::gdi
