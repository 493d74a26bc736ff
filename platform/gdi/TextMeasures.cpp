#include "platform/gdi/TextMeasures.h"

#include <algorithm>

namespace kelvo::gdi {

TextMeasures::TextMeasures(const QFont& font)
    : font_(font)
    , metrics_(font)
    , height_(metrics_.height())
    , ascent_(metrics_.ascent()) {}

int TextMeasures::Width(const QString& text) {
    const auto found = widths_.constFind(text);
    if (found != widths_.cend()) {
        return *found;
    }
    if (widths_.size() >= MaxWidths) {
        widths_.clear();
    }
    const int width = metrics_.horizontalAdvance(text);
    widths_.insert(text, width);
    return width;
}

TextMeasures& TextMeasuresCache::For(const QFont& font) {
    const auto found =
        std::find_if(fonts_.begin(), fonts_.end(), [&font](const auto& m) { return m->Font() == font; });
    if (found != fonts_.end()) {
        std::rotate(fonts_.begin(), found, found + 1);
        return *fonts_.front();
    }
    if (fonts_.size() >= MaxFonts) {
        fonts_.pop_back();
    }
    fonts_.insert(fonts_.begin(), std::make_unique<TextMeasures>(font));
    return *fonts_.front();
}

} // namespace kelvo::gdi
