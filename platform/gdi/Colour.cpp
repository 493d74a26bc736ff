#include "platform/gdi/Colour.h"

namespace kelvo::gdi {

QColor Colour::ToQColor() const {
    return QColor(Red(), Green(), Blue());
}

Colour Colour::FromQColor(const QColor& colour) {
    return FromQRgb(colour.rgb());
}

} // namespace kelvo::gdi
