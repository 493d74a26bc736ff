#include "platform/gdi/TextMeasures.h"

#include <algorithm>

#include <QTextLayout>
#include <QTextOption>

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
    if (widths_.size() >= MaxTexts) {
        widths_.clear();
    }
    const int width = metrics_.horizontalAdvance(text);
    widths_.insert(text, width);
    return width;
}

bool TextMeasures::ShapesAlike(const QString& text, const QFont& font) {
    if (text.size() > MaxShapedLength || font.underline() || font.strikeOut() || font.overline()) {
        return false;
    }
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x300);
    });
}

const QList<QGlyphRun>* TextMeasures::Glyphs(const QString& text, const QFont& drawnWith) {
    if (!ShapesAlike(text, drawnWith)) {
        return nullptr;
    }
    const auto found = shaped_.find(text);
    if (found != shaped_.end() && found->drawnWith == drawnWith) {
        return &found->runs;
    }
    if (shaped_.size() >= MaxTexts) {
        shaped_.clear();
    }
    QTextLayout layout(text, drawnWith);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) {
        return nullptr;
    }
    QList<QGlyphRun> runs = line.glyphRuns();
    const QPointF baseline(0, line.ascent());
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) {
            position -= baseline;
        }
        run.setPositions(positions);
    }
    return &shaped_.insert(text, Shaped{drawnWith, std::move(runs)})->runs;
}

TextMeasures& TextMeasuresCache::For(const QFont& font) {
    const auto found = std::find_if(fonts_.begin(), fonts_.end(), [&font](const auto& m) {
        // A copy of the font shares its data: telling so takes no comparison of families and sizes.
        return m->Font().isCopyOf(font) || m->Font() == font;
    });
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
