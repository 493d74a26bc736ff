#include "FontObject.h"

#include <cmath>

#include "FontSubstitution.h"

namespace kelvo::host {

FontObject::FontObject()
    : name_(QStringLiteral("MS Sans Serif")) {}

FontObject::FontObject(QString name, float size, bool bold, bool italic, bool underline, bool strikethrough)
    : name_(std::move(name))
    , bold_(bold)
    , italic_(italic)
    , underline_(underline)
    , strikethrough_(strikethrough) {
    SetSize(size);
}

bool FontObject::IsValidSize(double points) {
    return std::isfinite(points) && points > 0 && points <= MaxSize;
}

bool FontObject::SetSize(float points) {
    if (!IsValidSize(points)) {
        return false;
    }
    size_ = points;
    return true;
}

int FontObject::PixelSize() const {
    return FontSubstitution::PixelSize(size_);
}

QFont FontObject::ToQFont(const FontSubstitution& substitution) const {
    QFont font;
    // The fallback stays in the list so that a family missing on this machine still gives a known face.
    font.setFamilies({substitution.Family(name_), substitution.Fallback()});
    font.setPixelSize(PixelSize());
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    font.setStrikeOut(strikethrough_);
    font.setKerning(false);
    return font;
}

} // namespace kelvo::host
