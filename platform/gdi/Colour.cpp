#include "platform/gdi/Colour.h"

namespace kelvo::gdi {

Colour Colour::FromQColor(const QColor& colour) {
    return FromQRgb(colour.rgb());
}

} // namespace kelvo::gdi
