#include "platform/gdi/Text.h"

#include <algorithm>
#include <vector>

#include <QPainter>

#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Raster.h"

namespace kelvo::gdi {

namespace {

// Text with its access-key marks taken out: the character to underline, if any, by its index.
struct Marked {
    QString text;
    qsizetype underline = -1;
};

Marked RemoveMarks(const QString& text, unsigned format) {
    if ((format & DT_NOPREFIX) != 0 || !text.contains(QLatin1Char('&'))) {
        return Marked{text, -1};
    }
    Marked marked;
    marked.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            marked.text += text[i];
            continue;
        }
        if (i + 1 >= text.size()) {
            break; // a lone trailing mark shows nothing
        }
        ++i;
        if (text[i] != QLatin1Char('&') && (format & DT_HIDEPREFIX) == 0) {
            marked.underline = marked.text.size();
        }
        marked.text += text[i];
    }
    return marked;
}

struct Line {
    qsizetype start = 0; // in the marked text
    QString text;
    int width = 0;
};

// Splits a paragraph into lines no wider than limit, breaking after spaces; spaces at a break are
// dropped. Word widths are measured once so very long texts stay cheap.
void WrapParagraph(const QString& paragraph, qsizetype offset, std::int64_t limit, TextMeasures& metrics,
                   std::vector<Line>& lines) {
    qsizetype lineStart = 0;
    qsizetype lineEnd = 0; // end of the last word that fits, spaces excluded
    std::int64_t lineWidth = 0;
    qsizetype position = 0;
    const int spaceWidth = metrics.Width(QStringLiteral(" "));
    const auto addLine = [&](qsizetype start, qsizetype end) {
        const QString text = paragraph.mid(start, end - start);
        lines.push_back(Line{offset + start, text, metrics.Width(text)});
    };
    while (position < paragraph.size()) {
        qsizetype spaces = position;
        while (spaces < paragraph.size() && paragraph[spaces] == QLatin1Char(' ')) {
            ++spaces;
        }
        qsizetype wordEnd = spaces;
        while (wordEnd < paragraph.size() && paragraph[wordEnd] != QLatin1Char(' ')) {
            ++wordEnd;
        }
        const std::int64_t wordWidth = metrics.Width(paragraph.mid(spaces, wordEnd - spaces));
        std::int64_t withWord = lineWidth + std::int64_t{spaceWidth} * (spaces - position) + wordWidth;
        // Widths rounded piece by piece can add up to more than the line's own width; a line that
        // seems too long is measured whole, so text measured into a rectangle wraps the same when it is
        // drawn there.
        if (lineEnd > lineStart && withWord > limit) {
            withWord = metrics.Width(paragraph.mid(lineStart, wordEnd - lineStart));
        }
        if (lineEnd > lineStart && withWord > limit) {
            addLine(lineStart, lineEnd);
            lineStart = spaces;
            lineWidth = wordWidth;
        } else {
            lineWidth = withWord;
        }
        lineEnd = wordEnd;
        position = wordEnd;
    }
    addLine(lineStart, std::max(lineEnd, lineStart));
}

std::vector<Line> LayOut(const QString& text, unsigned format, std::int64_t limit, TextMeasures& metrics) {
    std::vector<Line> lines;
    if ((format & DT_SINGLELINE) != 0) {
        lines.push_back(Line{0, text, metrics.Width(text)});
        return lines;
    }
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n')) {
            ++end;
        }
        const QString paragraph = text.mid(start, end - start);
        if ((format & DT_WORDBREAK) != 0) {
            WrapParagraph(paragraph, start, limit, metrics, lines);
        } else {
            lines.push_back(Line{start, paragraph, metrics.Width(paragraph)});
        }
        if (end >= text.size()) {
            break;
        }
        start = end + 1;
        if (text[end] == QLatin1Char('\r') && start < text.size() && text[start] == QLatin1Char('\n')) {
            ++start;
        }
    }
    return lines;
}

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

int DrawTextA(DeviceContext& dc, const QString& text, int count, Rect& rect, unsigned format) {
    if (count == 0) {
        return 0;
    }
    const QString given = count < 0 ? text : text.left(count);
    const bool measure = (format & DT_CALCRECT) != 0;
    QImage* image = measure ? nullptr : dc.Target();
    if (!measure && image == nullptr) {
        return 0;
    }
    const QFont font = dc.CurrentFont().font;
    TextMeasures& metrics = dc.Measures(font);
    const int lineHeight = metrics.Height();
    if ((format & DT_SINGLELINE) != 0) {
        format &= ~DT_WORDBREAK;
    }
    const Marked marked = RemoveMarks(given, format);
    const std::vector<Line> lines = LayOut(marked.text, format, rect.Width(), metrics);

    std::int64_t y = rect.top;
    if ((format & DT_SINGLELINE) != 0) {
        if ((format & DT_VCENTER) != 0) {
            y = rect.top + rect.Height() / 2 - lineHeight / 2;
        } else if ((format & DT_BOTTOM) != 0) {
            y = std::int64_t{rect.bottom} - lineHeight;
        }
    }
    const std::int64_t end = y + std::int64_t{lineHeight} * static_cast<std::int64_t>(lines.size());
    const int height = static_cast<int>(std::clamp<std::int64_t>(end - rect.top, INT32_MIN, INT32_MAX));

    if (measure) {
        if (given.isEmpty()) {
            rect.right = rect.left;
            rect.bottom = rect.top;
            return lineHeight;
        }
        int widest = 0;
        for (const Line& line : lines) {
            widest = std::max(widest, line.width);
        }
        rect.right = Clamp32(std::int64_t{rect.left} + widest);
        rect.bottom = Clamp32(end);
        return height;
    }

    // The area drawing may touch: the rectangle (unless not clipping) within the image.
    std::int64_t clipLeft = 0;
    std::int64_t clipTop = 0;
    std::int64_t clipRight = image->width();
    std::int64_t clipBottom = image->height();
    if ((format & DT_NOCLIP) == 0) {
        clipLeft = std::max<std::int64_t>(clipLeft, rect.left);
        clipTop = std::max<std::int64_t>(clipTop, rect.top);
        clipRight = std::min<std::int64_t>(clipRight, rect.right);
        clipBottom = std::min<std::int64_t>(clipBottom, rect.bottom);
    }
    if (clipLeft >= clipRight || clipTop >= clipBottom) {
        return height;
    }
    const QRect clip(QPoint(static_cast<int>(clipLeft), static_cast<int>(clipTop)),
                     QPoint(static_cast<int>(clipRight - 1), static_cast<int>(clipBottom - 1)));
    const QRgb textColour = Raster::DeviceColour(dc, dc.TextColour());
    const QRgb background = Raster::DeviceColour(dc, dc.BkColour());
    QPainter painter(image);
    painter.setClipRect(clip);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(textColour));
    // Text with no right-to-left letters runs left to right unless the painter says otherwise.
    const bool leftToRight = painter.layoutDirection() != Qt::RightToLeft;
    for (const Line& line : lines) {
        std::int64_t x = rect.left;
        if ((format & DT_CENTER) != 0) {
            x = (std::int64_t{rect.left} + rect.right - line.width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = std::int64_t{rect.right} - line.width;
        }
        const std::int64_t lineTop = y;
        y += lineHeight;
        if (x >= clipRight || x + line.width <= clipLeft || lineTop >= clipBottom ||
            lineTop + lineHeight <= clipTop) {
            continue;
        }
        const int left = static_cast<int>(x);
        const int top = static_cast<int>(lineTop);
        if (dc.BkMode() == OPAQUE && line.width > 0) {
            painter.fillRect(QRect(left, top, line.width, lineHeight), QColor::fromRgb(background));
        }
        // Shaping is most of the cost of drawing a short text; a text drawn before is drawn from its glyphs.
        const QList<QGlyphRun>* glyphs = leftToRight ? metrics.Glyphs(line.text, painter.font()) : nullptr;
        if (glyphs != nullptr) {
            for (const QGlyphRun& run : *glyphs) {
                painter.drawGlyphRun(QPointF(left, top + metrics.Ascent()), run);
            }
        } else {
            painter.drawText(left, top + metrics.Ascent(), line.text);
        }
        const qsizetype key = marked.underline - line.start;
        if (marked.underline >= 0 && key >= 0 && key < line.text.size()) {
            const int from = left + metrics.Width(line.text.left(key));
            const int to = left + metrics.Width(line.text.left(key + 1)) - 2;
            if (to >= from) {
                painter.fillRect(QRect(from, top + metrics.Ascent() + 1, to - from + 1, 1),
                                 QColor::fromRgb(textColour));
            }
        }
    }
    return height;
}

} // namespace kelvo::gdi
