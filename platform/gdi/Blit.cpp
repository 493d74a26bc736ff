#include "platform/gdi/Blit.h"

#include <algorithm>

#include "platform/gdi/Fill.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Raster.h"

namespace kelvo::gdi {

namespace {

constexpr QRgb Opaque = 0xFF000000u;
constexpr QRgb Bits = 0x00FFFFFFu;

QRgb SourceRop(QRgb d, QRgb s, std::uint32_t rop) {
    switch (rop) {
    case SRCPAINT:
        return Opaque | ((s | d) & Bits);
    case SRCAND:
        return Opaque | (s & d & Bits);
    case SRCINVERT:
        return Opaque | ((s ^ d) & Bits);
    case NOTSRCCOPY:
        return Opaque | (~s & Bits);
    default:
        return Opaque | s;
    }
}

bool IsSourceRop(std::uint32_t rop) {
    return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT || rop == NOTSRCCOPY;
}

std::uint8_t BlendChannel(int source, int destination, int alpha) {
    return static_cast<std::uint8_t>((source * alpha + destination * (255 - alpha) + 127) / 255);
}

// out[i] = in[i] with full alpha. Four pixels are read before any is written, so the compiler moves them as
// one vector without checking whether the rows overlap.
void CopyOpaque(QRgb* out, const QRgb* in, std::int64_t count) {
    std::int64_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const QRgb a = in[i];
        const QRgb b = in[i + 1];
        const QRgb c = in[i + 2];
        const QRgb d = in[i + 3];
        out[i] = Opaque | a;
        out[i + 1] = Opaque | b;
        out[i + 2] = Opaque | c;
        out[i + 3] = Opaque | d;
    }
    for (; i < count; ++i) {
        out[i] = Opaque | in[i];
    }
}

} // namespace

bool BitBlt(DeviceContext& destination, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, DeviceContext* source, std::int32_t sourceX, std::int32_t sourceY,
            std::uint32_t rop) {
    if (Raster::IsPatternRop(rop)) {
        return PatBlt(destination, x, y, width, height, rop);
    }
    if (!IsSourceRop(rop) || source == nullptr) {
        return false;
    }
    QImage* target = destination.Target();
    QImage* from = source->Target(true);
    if (target == nullptr || from == nullptr) {
        return false;
    }
    if (width <= 0 || height <= 0) {
        return true;
    }
    // The destination block clipped to both images, in 64 bits.
    const std::int64_t shiftX = std::int64_t{sourceX} - x;
    const std::int64_t shiftY = std::int64_t{sourceY} - y;
    std::int64_t left = std::max<std::int64_t>({x, 0, -shiftX});
    std::int64_t top = std::max<std::int64_t>({y, 0, -shiftY});
    std::int64_t right =
        std::min<std::int64_t>({std::int64_t{x} + width, target->width(), from->width() - shiftX});
    std::int64_t bottom =
        std::min<std::int64_t>({std::int64_t{y} + height, target->height(), from->height() - shiftY});
    if (left >= right || top >= bottom) {
        return true;
    }
    const bool sameImage = target->constBits() == from->constBits();
    const QImage copy = sameImage ? from->copy() : QImage();
    const QImage& pixels = sameImage ? copy : *from;
    const bool monoSource = source->BitsPerPixel() == 1;
    const bool monoTarget = destination.BitsPerPixel() == 1;
    const QRgb zeroColour = Raster::DeviceColour(destination, destination.TextColour());
    const QRgb oneColour = Raster::DeviceColour(destination, destination.BkColour());
    const QRgb sourceBackground = source->Colours().Resolve(source->BkColour()).ToQRgb() & Bits;
    if (rop == SRCCOPY && monoSource == monoTarget) {
        // The common plain copy (every back buffer reaching its surface), the row pointers taken once.
        uchar* outBits = target->bits();
        const uchar* inBits = pixels.constBits();
        for (std::int64_t row = top; row < bottom; ++row) {
            auto* out = reinterpret_cast<QRgb*>(outBits + row * target->bytesPerLine());
            const auto* in = reinterpret_cast<const QRgb*>(inBits + (row + shiftY) * pixels.bytesPerLine());
            CopyOpaque(out + left, in + left + shiftX, right - left);
        }
        return true;
    }
    for (std::int64_t row = top; row < bottom; ++row) {
        QRgb* out = reinterpret_cast<QRgb*>(target->scanLine(static_cast<int>(row)));
        const QRgb* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(static_cast<int>(row + shiftY)));
        for (std::int64_t column = left; column < right; ++column) {
            QRgb s = in[column + shiftX] & Bits;
            if (monoSource && !monoTarget) {
                s = s != 0 ? oneColour : zeroColour;
            } else if (monoTarget && !monoSource) {
                s = s == sourceBackground ? Bits : 0;
            }
            out[column] = SourceRop(out[column], s, rop);
        }
    }
    return true;
}

Colour GetNearestColor(DeviceContext& dc, Colour colour) {
    if (dc.GetKind() != DeviceContext::Kind::Display && dc.Target() == nullptr) {
        return CLR_INVALID;
    }
    return Colour::FromQRgb(Raster::DeviceColour(dc, colour));
}

bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QImage& icon, int width, int height,
                unsigned flags) {
    QImage* target = dc.Target();
    if (target == nullptr || icon.isNull() || (flags & DI_NORMAL) == 0 || width < 0 || height < 0 ||
        width > MaxBitmapSide || height > MaxBitmapSide) {
        return false;
    }
    const int w = width == 0 ? icon.width() : width;
    const int h = height == 0 ? icon.height() : height;
    QImage picture = icon.convertToFormat(QImage::Format_ARGB32);
    if (picture.size() != QSize(w, h)) {
        picture = picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const auto clipped = Raster::Clip(*target, x, y, std::int64_t{x} + w, std::int64_t{y} + h);
    if (!clipped) {
        return true;
    }
    for (int row = clipped->top; row < clipped->bottom; ++row) {
        QRgb* out = reinterpret_cast<QRgb*>(target->scanLine(row));
        const QRgb* in =
            reinterpret_cast<const QRgb*>(picture.constScanLine(static_cast<int>(row - std::int64_t{y})));
        for (int column = clipped->left; column < clipped->right; ++column) {
            const QRgb s = in[column - std::int64_t{x}];
            const QRgb d = out[column];
            const int alpha = qAlpha(s);
            if ((flags & DI_NORMAL) == DI_NORMAL) {
                out[column] =
                    qRgb(BlendChannel(qRed(s), qRed(d), alpha), BlendChannel(qGreen(s), qGreen(d), alpha),
                         BlendChannel(qBlue(s), qBlue(d), alpha));
            } else if ((flags & DI_IMAGE) != 0) {
                out[column] = Opaque | (s & Bits);
            } else if (alpha >= 128) {
                out[column] = Opaque;
            }
        }
    }
    return true;
}

bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QIcon& icon, int width, int height,
                unsigned flags) {
    if (icon.isNull()) {
        return false;
    }
    const QList<QSize> sizes = icon.availableSizes();
    const QSize natural = sizes.isEmpty() ? QSize(32, 32) : sizes.first();
    const QSize size(width == 0 ? natural.width() : width, height == 0 ? natural.height() : height);
    if (size.width() <= 0 || size.height() <= 0 || size.width() > MaxBitmapSide ||
        size.height() > MaxBitmapSide) {
        return false;
    }
    return DrawIconEx(dc, x, y, icon.pixmap(size).toImage(), size.width(), size.height(), flags);
}

namespace {

QSize IconSize(const QSize& natural, int width, int height) {
    return QSize(width == 0 ? natural.width() : width, height == 0 ? natural.height() : height);
}

bool PaintIconBackground(DeviceContext& dc, std::int32_t x, std::int32_t y, QSize size,
                         const Brush& background) {
    if (size.width() <= 0 || size.height() <= 0 || size.width() > MaxBitmapSide ||
        size.height() > MaxBitmapSide) {
        return false;
    }
    if (background) {
        PaintBlock(dc, *background.Get(), x, y, size.width(), size.height(), PATCOPY);
    }
    return true;
}

} // namespace

bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QImage& icon, int width, int height,
                unsigned /*step*/, const Brush& background, unsigned flags) {
    if (icon.isNull() || !PaintIconBackground(dc, x, y, IconSize(icon.size(), width, height), background)) {
        return false;
    }
    return DrawIconEx(dc, x, y, icon, width, height, flags);
}

bool DrawIconEx(DeviceContext& dc, std::int32_t x, std::int32_t y, const QIcon& icon, int width, int height,
                unsigned /*step*/, const Brush& background, unsigned flags) {
    if (icon.isNull()) {
        return false;
    }
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = IconSize(sizes.isEmpty() ? QSize(32, 32) : sizes.first(), width, height);
    if (!PaintIconBackground(dc, x, y, size, background)) {
        return false;
    }
    return DrawIconEx(dc, x, y, icon, width, height, flags);
}

} // namespace kelvo::gdi
