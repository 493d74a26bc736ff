#include "platform/gdi/Raster.h"

#include <algorithm>
#include <array>

#include "platform/gdi/DeviceContext.h"

namespace kelvo::gdi {

namespace {

constexpr QRgb Opaque = 0xFF000000u;
constexpr QRgb Bits = 0x00FFFFFFu;

constexpr std::array<std::array<std::uint8_t, 8>, 6> Hatches{{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // "\"
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // "/"
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
}};

int PositiveMod(std::int64_t value, int modulus) {
    const std::int64_t rest = value % modulus;
    return static_cast<int>(rest < 0 ? rest + modulus : rest);
}

} // namespace

std::optional<Rect> Raster::Clip(const QImage& image, std::int64_t left, std::int64_t top, std::int64_t right,
                                 std::int64_t bottom) {
    const std::int64_t l = std::max<std::int64_t>(left, 0);
    const std::int64_t t = std::max<std::int64_t>(top, 0);
    const std::int64_t r = std::min<std::int64_t>(right, image.width());
    const std::int64_t b = std::min<std::int64_t>(bottom, image.height());
    if (l >= r || t >= b) {
        return std::nullopt;
    }
    return Rect{static_cast<std::int32_t>(l), static_cast<std::int32_t>(t), static_cast<std::int32_t>(r),
                static_cast<std::int32_t>(b)};
}

QRgb Raster::DeviceColour(const DeviceContext& dc, Colour colour) {
    const QRgb rgb = dc.Colours().Resolve(colour).ToQRgb();
    if (dc.BitsPerPixel() == 1) {
        // A monochrome bitmap keeps white for the light colours and black for the rest.
        return qGray(rgb) >= 128 ? 0xFFFFFFFFu : Opaque;
    }
    return rgb;
}

QRgb Raster::Mix(QRgb d, QRgb p, int rop2) {
    QRgb result = p;
    switch (rop2) {
    case 1:
        result = 0;
        break;
    case 2:
        result = ~(d | p);
        break;
    case 3:
        result = ~p & d;
        break;
    case 4:
        result = ~p;
        break;
    case 5:
        result = p & ~d;
        break;
    case 6:
        result = ~d;
        break;
    case 7:
        result = p ^ d;
        break;
    case 8:
        result = ~(p & d);
        break;
    case 9:
        result = p & d;
        break;
    case 10:
        result = ~(p ^ d);
        break;
    case 11:
        result = d;
        break;
    case 12:
        result = ~p | d;
        break;
    case 13:
        result = p;
        break;
    case 14:
        result = p | ~d;
        break;
    case 15:
        result = p | d;
        break;
    case 16:
        result = Bits;
        break;
    default:
        break;
    }
    return Opaque | (result & Bits);
}

bool Raster::IsPatternRop(std::uint32_t rop) {
    return rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS;
}

QRgb Raster::PatternRop(QRgb d, QRgb p, std::uint32_t rop) {
    switch (rop) {
    case PATINVERT:
        return Opaque | ((p ^ d) & Bits);
    case DSTINVERT:
        return Opaque | (~d & Bits);
    case BLACKNESS:
        return Opaque;
    case WHITENESS:
        return Opaque | Bits;
    default:
        return Opaque | p;
    }
}

void Raster::MixSpan(QImage& image, int y, int x0, int x1, QRgb pen, int rop2) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    if (rop2 == R2_COPYPEN) {
        std::fill(row + x0, row + x1, Opaque | pen);
        return;
    }
    for (int x = x0; x < x1; ++x) {
        row[x] = Mix(row[x], pen, rop2);
    }
}

std::uint8_t Raster::HatchRow(int hatch, int row) {
    return Hatches[static_cast<std::size_t>(std::clamp(hatch, 0, 5))][static_cast<std::size_t>(row & 7)];
}

Raster::BrushPainter::BrushPainter(const DeviceContext& dc, const BrushData& brush)
    : style_(brush.style)
    , hatch_(brush.hatch)
    , colour_(DeviceColour(dc, brush.colour))
    , originX_(dc.BrushOrigin().x())
    , originY_(dc.BrushOrigin().y()) {
    if (dc.BkMode() == OPAQUE) {
        background_ = DeviceColour(dc, dc.BkColour());
    }
    if (style_ == BS_PATTERN) {
        pattern_ = brush.pattern.isNull() ? nullptr : &brush.pattern;
        monochrome_ = brush.monochrome;
        zeroBits_ = DeviceColour(dc, dc.TextColour());
        oneBits_ = DeviceColour(dc, dc.BkColour());
        if (pattern_ == nullptr) {
            style_ = BS_NULL;
        }
    }
}

std::optional<QRgb> Raster::BrushPainter::At(int x, int y) const {
    switch (style_) {
    case BS_SOLID:
        return colour_;
    case BS_HATCHED: {
        const int column = PositiveMod(std::int64_t{x} - originX_, 8);
        const int row = PositiveMod(std::int64_t{y} - originY_, 8);
        if ((HatchRow(hatch_, row) & (0x80u >> column)) != 0) {
            return colour_;
        }
        return background_;
    }
    case BS_PATTERN: {
        const int column = PositiveMod(std::int64_t{x} - originX_, pattern_->width());
        const int row = PositiveMod(std::int64_t{y} - originY_, pattern_->height());
        const QRgb pixel = reinterpret_cast<const QRgb*>(pattern_->constScanLine(row))[column];
        if (monochrome_) {
            return (pixel & Bits) != 0 ? oneBits_ : zeroBits_;
        }
        return Opaque | pixel;
    }
    default:
        return std::nullopt;
    }
}

void Raster::BrushPainter::Span(QImage& image, int y, int x0, int x1, std::uint32_t rop) const {
    if (!Paints() && rop != DSTINVERT && rop != BLACKNESS && rop != WHITENESS) {
        return;
    }
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    if (style_ == BS_SOLID && rop == PATCOPY) {
        std::fill(row + x0, row + x1, colour_);
        return;
    }
    for (int x = x0; x < x1; ++x) {
        if (rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS) {
            row[x] = PatternRop(row[x], 0, rop);
        } else if (const auto colour = At(x, y)) {
            row[x] = PatternRop(row[x], *colour, rop);
        }
    }
}

void Raster::BrushPainter::MixSpan(QImage& image, int y, int x0, int x1, int rop2) const {
    if (!Paints()) {
        return;
    }
    if (style_ == BS_SOLID) {
        Raster::MixSpan(image, y, x0, x1, colour_, rop2);
        return;
    }
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = x0; x < x1; ++x) {
        if (const auto colour = At(x, y)) {
            row[x] = Mix(row[x], *colour, rop2);
        }
    }
}

} // namespace kelvo::gdi
