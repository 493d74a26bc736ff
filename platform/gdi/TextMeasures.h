#pragma once

#include <memory>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

namespace kelvo::gdi {

// The measurements of one font: its line height and ascent and the widths of the texts measured with it,
// each worked out once. Measuring goes through the whole text stack (font lookup, shaping) and costs tens
// of microseconds when its code and data are not in the caches, as between the blocks of a memory pass.
class TextMeasures {
public:
    explicit TextMeasures(const QFont& font);

    const QFont& Font() const { return font_; }
    int Height() const { return height_; }
    int Ascent() const { return ascent_; }
    // The advance of text, as QFontMetrics::horizontalAdvance gives it.
    int Width(const QString& text);
    // The glyphs of text shaped with drawnWith (a painter's font, resolved for its device) as one
    // left-to-right line, placed from the start of its baseline: drawn there, they give the pixels
    // QPainter::drawText gives, without shaping the text again. Null for a text this cannot promise that
    // for (see ShapesAlike); such text is drawn by the painter.
    const QList<QGlyphRun>* Glyphs(const QString& text, const QFont& drawnWith);

private:
    // Plain text without decorations: characters from Latin scripts, spaces and punctuation only, so
    // the text has one direction whatever the paragraph's and nothing besides shaping places its glyphs.
    static bool ShapesAlike(const QString& text, const QFont& font);

    // Enough for every text a control draws; beyond it the widths, and the shaped texts, start over.
    static constexpr qsizetype MaxTexts = 512;
    // Longer texts are not kept: they are not the texts drawn again and again.
    static constexpr qsizetype MaxShapedLength = 128;

    struct Shaped {
        QFont drawnWith;
        QList<QGlyphRun> runs;
    };

    QFont font_;
    QFontMetrics metrics_;
    int height_;
    int ascent_;
    QHash<QString, int> widths_;
    QHash<QString, Shaped> shaped_;
};

// The measurements of the few fonts a device context draws text with, most recent first.
class TextMeasuresCache {
public:
    TextMeasures& For(const QFont& font);

private:
    static constexpr std::size_t MaxFonts = 4;
    std::vector<std::unique_ptr<TextMeasures>> fonts_;
};

} // namespace kelvo::gdi
