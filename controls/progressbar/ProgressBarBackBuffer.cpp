#include "controls/progressbar/ProgressBarBackBuffer.h"

#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiConstants.h"

namespace kelvo::controls::progressbar {

gdi::DeviceContext* ProgressBarBackBuffer::EnsureBackBuffer(std::int32_t width, std::int32_t height) {
    if (Dc() != nullptr) {
        if (width <= Width() && height <= Height()) {
            return Dc();
        }
        CreateBackBuffer(width, height);
    } else if (width >= 1 && height >= 1) {
        CreateBackBuffer(width, height);
    }
    return Dc();
}

void ProgressBarBackBuffer::CreateBackBuffer(std::int32_t width, std::int32_t height) {
    DestroyBackBuffer();
    // The buffer is made like the display, not like the control's own context, so it is a true-colour
    // bitmap whatever the control's surface is.
    gdi::DcPtr display = gdi::CreateDCA(u"DISPLAY", *colours_);
    if (display) {
        buffer_.Create(*display, width, height);
    }
    gdi::DeleteDC(display);
}

namespace {

// Whether two rows have the same colours (alpha aside). Four pixels are read at a time into one running
// difference, which the compiler does as vector operations.
bool SameColours(const QRgb* a, const QRgb* b, std::int64_t count) {
    QRgb difference = 0;
    std::int64_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const QRgb d0 = a[i] ^ b[i];
        const QRgb d1 = a[i + 1] ^ b[i + 1];
        const QRgb d2 = a[i + 2] ^ b[i + 2];
        const QRgb d3 = a[i + 3] ^ b[i + 3];
        difference |= d0 | d1 | d2 | d3;
    }
    for (; i < count; ++i) {
        difference |= a[i] ^ b[i];
    }
    return (difference & 0x00FFFFFFu) == 0;
}

} // namespace

bool ProgressBarBackBuffer::Shows(const QImage& image, std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height) const {
    const QImage* buffer = Dc() != nullptr ? Dc()->Target() : nullptr;
    const auto isTrueColour = [](const QImage& i) {
        return i.format() == QImage::Format_RGB32 || i.format() == QImage::Format_ARGB32;
    };
    if (buffer == nullptr || width < 1 || height < 1 || x < 0 || y < 0 || !isTrueColour(*buffer) ||
        !isTrueColour(image) || width > buffer->width() || height > buffer->height() ||
        std::int64_t{x} + width > image.width() || std::int64_t{y} + height > image.height()) {
        return false;
    }
    for (std::int32_t row = 0; row < height; ++row) {
        const auto* shown = reinterpret_cast<const QRgb*>(image.constScanLine(y + row)) + x;
        const auto* drawn = reinterpret_cast<const QRgb*>(buffer->constScanLine(row));
        if (!SameColours(shown, drawn, width)) {
            return false;
        }
    }
    return true;
}

bool ProgressBarBackBuffer::pDraw(gdi::DeviceContext& target, std::int32_t sourceX, std::int32_t sourceY,
                                  std::int32_t width, std::int32_t height, std::int32_t destinationX,
                                  std::int32_t destinationY) const {
    if (Dc() == nullptr) {
        return false;
    }
    return gdi::BitBlt(target, destinationX, destinationY, width < 1 ? Width() : width,
                       height < 1 ? Height() : height, Dc(), sourceX, sourceY, gdi::SRCCOPY);
}

} // namespace kelvo::controls::progressbar
