#include "MousePointers.h"

#include <QPixmap>

#include "PictureObject.h"

namespace kelvo::host {

std::optional<QCursor> MousePointers::Cursor(std::int16_t pointer, const PictureObject& icon) {
    switch (pointer) {
    case 1:
        return QCursor(Qt::ArrowCursor);
    case 2:
        return QCursor(Qt::CrossCursor);
    case 3:
        return QCursor(Qt::IBeamCursor);
    case 4:
        return QCursor(Qt::ArrowCursor);
    case 5:
    case 15:
        return QCursor(Qt::SizeAllCursor);
    case 6:
        return QCursor(Qt::SizeBDiagCursor);
    case 7:
        return QCursor(Qt::SizeVerCursor);
    case 8:
        return QCursor(Qt::SizeFDiagCursor);
    case 9:
        return QCursor(Qt::SizeHorCursor);
    case 10:
        return QCursor(Qt::UpArrowCursor);
    case 11:
        return QCursor(Qt::WaitCursor);
    case 12:
        return QCursor(Qt::ForbiddenCursor);
    case 13:
        return QCursor(Qt::BusyCursor);
    case 14:
        return QCursor(Qt::WhatsThisCursor);
    case Custom:
        if (icon.IsEmpty()) {
            return std::nullopt;
        }
        return QCursor(QPixmap::fromImage(icon.Image()), icon.Hotspot().x(), icon.Hotspot().y());
    default:
        return std::nullopt;
    }
}

} // namespace kelvo::host
