#include "platform/gdi/Lines.h"

#include <algorithm>

#include <QVarLengthArray>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/LinePainter.h"
#include "platform/gdi/Raster.h"

namespace kelvo::gdi {

bool MoveToEx(DeviceContext& dc, std::int32_t x, std::int32_t y, QPoint* previous) {
    if (previous != nullptr) {
        *previous = QPoint(dc.CurrentX(), dc.CurrentY());
    }
    dc.SetCurrentPosition(x, y);
    return true;
}

bool LineTo(DeviceContext& dc, std::int32_t x, std::int32_t y) {
    const std::int32_t fromX = dc.CurrentX();
    const std::int32_t fromY = dc.CurrentY();
    dc.SetCurrentPosition(x, y);
    QImage* image = dc.Target();
    if (image == nullptr) {
        return false;
    }
    LinePainter::Draw(dc, *image, dc.CurrentPen(), fromX, fromY, x, y);
    return true;
}

bool DrawStripes(DeviceContext& dc, bool vertical, std::int32_t first, std::span<const Colour> colours,
                 std::int32_t from, std::int32_t to) {
    if (colours.empty()) {
        return true;
    }
    const std::int64_t lastLine = std::int64_t{first} + static_cast<std::int64_t>(colours.size()) - 1;
    const auto endOfLast =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(lastLine, INT32_MIN, INT32_MAX));
    if (vertical) {
        dc.SetCurrentPosition(endOfLast, to);
    } else {
        dc.SetCurrentPosition(to, endOfLast);
    }
    QImage* image = dc.Target();
    if (image == nullptr) {
        return false;
    }
    // The pixels along each line, as a one-pixel line takes them: [from, to), or (to, from] backwards.
    const std::int64_t along0 = from < to ? from : std::int64_t{to} + 1;
    const std::int64_t along1 = from < to ? to : std::int64_t{from} + 1;
    const std::int64_t across0 = first;
    const std::int64_t across1 = lastLine + 1;
    const auto clipped = vertical ? Raster::Clip(*image, across0, along0, across1, along1)
                                  : Raster::Clip(*image, along0, across0, along1, across1);
    if (!clipped) {
        return true;
    }
    const int rop2 = dc.Rop2();
    if (!vertical) {
        for (int y = clipped->top; y < clipped->bottom; ++y) {
            const QRgb colour = Raster::DeviceColour(dc, colours[static_cast<std::size_t>(y - across0)]);
            Raster::MixSpan(*image, y, clipped->left, clipped->right, colour, rop2);
        }
        return true;
    }
    // Vertical lines: every row of the band holds the same run of colours.
    QVarLengthArray<QRgb, 1024> row(clipped->right - clipped->left);
    for (qsizetype x = 0; x < row.size(); ++x) {
        const QRgb colour =
            Raster::DeviceColour(dc, colours[static_cast<std::size_t>(clipped->left - across0 + x)]);
        row[x] = rop2 == R2_COPYPEN ? Raster::Mix(0, colour, R2_COPYPEN) : colour;
    }
    for (int y = clipped->top; y < clipped->bottom; ++y) {
        QRgb* pixels = reinterpret_cast<QRgb*>(image->scanLine(y)) + clipped->left;
        if (rop2 == R2_COPYPEN) {
            std::copy(row.cbegin(), row.cend(), pixels);
            continue;
        }
        for (qsizetype x = 0; x < row.size(); ++x) {
            pixels[x] = Raster::Mix(pixels[x], row[x], rop2);
        }
    }
    return true;
}

bool SetPixelV(DeviceContext& dc, std::int32_t x, std::int32_t y, Colour colour) {
    QImage* image = dc.Target();
    if (image == nullptr || x < 0 || y < 0 || x >= image->width() || y >= image->height()) {
        return false;
    }
    reinterpret_cast<QRgb*>(image->scanLine(y))[x] = Raster::DeviceColour(dc, colour);
    return true;
}

Colour GetPixel(DeviceContext& dc, std::int32_t x, std::int32_t y) {
    QImage* image = dc.Target(true);
    if (image == nullptr || x < 0 || y < 0 || x >= image->width() || y >= image->height()) {
        return CLR_INVALID;
    }
    return Colour::FromQRgb(reinterpret_cast<const QRgb*>(image->constScanLine(y))[x]);
}

} // namespace kelvo::gdi
