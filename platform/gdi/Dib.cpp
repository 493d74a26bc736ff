#include "platform/gdi/Dib.h"

#include <cstdlib>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Raster.h"

namespace kelvo::gdi {

namespace {

bool ValidHeader(const BitmapInfoHeader& info) {
    return info.biSize == 40 && info.biPlanes == 1 && (info.biBitCount == 24 || info.biBitCount == 32) &&
           info.biCompression == BI_RGB && info.biWidth > 0 && info.biHeight != 0 &&
           info.biWidth <= MaxBitmapSide && std::llabs(info.biHeight) <= MaxBitmapSide;
}

} // namespace

std::uint32_t DibRowBytes(std::int64_t width, int bitsPerPixel) {
    if (width < 0 || width > MaxBitmapSide || bitsPerPixel <= 0 || bitsPerPixel > 32) {
        return 0;
    }
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

int GetDIBits(DeviceContext& /*dc*/, const Bitmap& bitmap, std::uint32_t start, std::uint32_t lines,
              std::span<std::uint8_t> bits, BitmapInfoHeader& info, unsigned usage) {
    if (!bitmap || usage != DIB_RGB_COLORS || info.biSize != 40) {
        return 0;
    }
    const QImage& image = bitmap.Get()->image;
    if (bits.empty()) {
        info.biWidth = image.width();
        info.biHeight = image.height();
        info.biPlanes = 1;
        info.biBitCount = 32;
        info.biCompression = BI_RGB;
        info.biSizeImage = DibRowBytes(image.width(), 32) * static_cast<std::uint32_t>(image.height());
        return 1;
    }
    if (!ValidHeader(info) || info.biWidth != image.width() || std::llabs(info.biHeight) != image.height()) {
        return 0;
    }
    const std::int64_t height = image.height();
    if (start >= height) {
        return 0;
    }
    const std::int64_t count = std::min<std::int64_t>(lines, height - start);
    const std::uint32_t stride = DibRowBytes(info.biWidth, info.biBitCount);
    if (static_cast<std::uint64_t>(bits.size()) < static_cast<std::uint64_t>(stride) * count) {
        return 0;
    }
    const bool bottomUp = info.biHeight > 0;
    const int bytes = info.biBitCount / 8;
    for (std::int64_t line = 0; line < count; ++line) {
        const std::int64_t scan = start + line;
        const int row = static_cast<int>(bottomUp ? height - 1 - scan : scan);
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        std::uint8_t* out = bits.data() + static_cast<std::size_t>(line) * stride;
        std::fill(out, out + stride, std::uint8_t{0});
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* p = out + static_cast<std::size_t>(x) * bytes;
            p[0] = static_cast<std::uint8_t>(qBlue(in[x]));
            p[1] = static_cast<std::uint8_t>(qGreen(in[x]));
            p[2] = static_cast<std::uint8_t>(qRed(in[x]));
        }
    }
    return static_cast<int>(count);
}

int SetDIBitsToDevice(DeviceContext& dc, std::int32_t x, std::int32_t y, std::uint32_t width,
                      std::uint32_t height, std::int32_t sourceX, std::int32_t sourceY,
                      std::uint32_t startScan, std::uint32_t lines, std::span<const std::uint8_t> bits,
                      const BitmapInfoHeader& info, unsigned usage) {
    QImage* target = dc.Target();
    if (target == nullptr || usage != DIB_RGB_COLORS || !ValidHeader(info)) {
        return 0;
    }
    const std::uint32_t stride = DibRowBytes(info.biWidth, info.biBitCount);
    if (static_cast<std::uint64_t>(bits.size()) < static_cast<std::uint64_t>(stride) * lines) {
        return 0;
    }
    const std::int64_t dibHeight = std::llabs(info.biHeight);
    const bool bottomUp = info.biHeight > 0;
    const int bytes = info.biBitCount / 8;
    const bool mono = dc.BitsPerPixel() == 1;
    // Source rows from the DIB's top that the block covers.
    const std::int64_t sourceTop = bottomUp ? dibHeight - sourceY - std::int64_t{height} : sourceY;
    const auto clipped = Raster::Clip(*target, x, y, std::int64_t{x} + width, std::int64_t{y} + height);
    if (!clipped) {
        return static_cast<int>(lines);
    }
    for (int row = clipped->top; row < clipped->bottom; ++row) {
        const std::int64_t fromTop = sourceTop + (row - std::int64_t{y});
        if (fromTop < 0 || fromTop >= dibHeight) {
            continue;
        }
        const std::int64_t scan = bottomUp ? dibHeight - 1 - fromTop : fromTop;
        if (scan < startScan || scan >= std::int64_t{startScan} + lines) {
            continue;
        }
        const std::uint8_t* in = bits.data() + static_cast<std::size_t>(scan - startScan) * stride;
        QRgb* out = reinterpret_cast<QRgb*>(target->scanLine(row));
        for (int column = clipped->left; column < clipped->right; ++column) {
            const std::int64_t sx = sourceX + (column - std::int64_t{x});
            if (sx < 0 || sx >= info.biWidth) {
                continue;
            }
            const std::uint8_t* p = in + static_cast<std::size_t>(sx) * bytes;
            const QRgb colour = qRgb(p[2], p[1], p[0]);
            out[column] = mono ? (qGray(colour) >= 128 ? 0xFFFFFFFFu : 0xFF000000u) : colour;
        }
    }
    return static_cast<int>(lines);
}

} // namespace kelvo::gdi
