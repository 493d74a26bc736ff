#include "platform/gdi/Lines.h"

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
