#include "Preview.h"

#include <QPainter>
#include <QPainterPath>

#include "AssetSet.h"
#include "Theme.h"

namespace kelvo::assets {

namespace {

// The faces the window puts in place of its stored fonts: "MS Sans Serif" becomes Liberation Sans Narrow,
// "Verdana" DejaVu Sans, each at the pixel size of its point size at 96 DPI.
QFont WindowFont(bool verdana, int pixelSize, bool bold = false, bool italic = false,
                 bool underline = false) {
    QFont font(verdana ? QStringLiteral("DejaVu Sans") : QStringLiteral("Liberation Sans Narrow"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setKerning(false);
    return font;
}

void Caption(QPainter& p, const QRect& r, const QString& text, int flags = Qt::AlignLeft | Qt::AlignTop,
             const QFont& font = WindowFont(false, 11), const QColor& colour = Qt::white) {
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags, text);
}

// A sunken separator as the window's line control draws it with the default colours: a shadow row
// (or column) followed by a highlight.
void Separator(QPainter& p, int x, int y, int length, bool vertical) {
    if (vertical) {
        p.fillRect(QRect(x, y, 1, length), QColor(160, 160, 160));
        p.fillRect(QRect(x + 1, y, 1, length), Qt::white);
    } else {
        p.fillRect(QRect(x, y, length, 1), QColor(160, 160, 160));
        p.fillRect(QRect(x, y + 1, length, 1), Qt::white);
    }
}

void RaisedBox(QPainter& p, const QRect& r, const QColor& face) {
    p.fillRect(r, face);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), Qt::white);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), Qt::white);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), QColor(64, 64, 64));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), QColor(64, 64, 64));
}

void Header(QPainter& p, const AssetSet& a) {
    p.drawImage(14, 4, a.banner);
    Caption(p, QRect(180, 16, 29, 24), QStringLiteral("2.0"), Qt::AlignLeft | Qt::AlignTop,
            WindowFont(false, 18, true));
    // The small frame (107 x 51): its picture on the button face, under the square two-pixel bump border
    // the frame draws in the classic colours: highlight outside at the top and left and inside at the
    // bottom and right, shadow the other way round.
    const QRect frame(264, 2, 107, 51);
    p.fillRect(frame, QColor(212, 208, 200));
    p.drawImage(frame.topLeft(), a.frame);
    const auto ring = [&p](const QRect& r, const QColor& colour) {
        p.setPen(colour);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    ring(frame.adjusted(0, 0, -1, -1), Qt::white);
    ring(frame.adjusted(1, 1, 0, 0), QColor(128, 128, 128));
}

void Statistics(QPainter& p) {
    const QString captions[] = {QStringLiteral("Total Physical RAM:"), QStringLiteral("Physical RAM used:"),
                                QStringLiteral("Free RAM:")};
    const QString values[] = {QStringLiteral("536,870,912"), QStringLiteral("411,041,792"),
                              QStringLiteral("125,829,120")};
    const QColor colours[] = {Qt::black, QColor(255, 128, 0), QColor(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        Caption(p, QRect(12, 60 + 18 * i, 119, 15), captions[i], Qt::AlignRight | Qt::AlignTop,
                WindowFont(true, 11));
        p.fillRect(QRect(134, 58 + 18 * i, 97, 17), Qt::white);
        Caption(p, QRect(134, 58 + 18 * i, 97, 17), values[i], Qt::AlignHCenter | Qt::AlignTop,
                WindowFont(true, 11), colours[i]);
    }
}

void Level(QPainter& p, const AssetSet& a) {
    Caption(p, QRect(10, 120, 86, 13), QStringLiteral("Optimization Level"));
    const QString levels[] = {QStringLiteral("Light"), QStringLiteral("Moderate"), QStringLiteral("Heavy")};
    for (int i = 0; i < 3; ++i) {
        p.drawImage(14, 134 + 16 * i + 2, i == 1 ? a.optionSet : a.optionCleared);
        Caption(p, QRect(34, 136 + 16 * i, 87, 13), levels[i]);
    }
    Caption(
        p, QRect(136, 122, 225, 61),
        QStringLiteral("Easily free up RAM on your computer with just one click! Select the desired level, "
                       "then simply click on the Free RAM button."),
        Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, WindowFont(true, 12, false, true));
}

void Scheduling(QPainter& p, const AssetSet& a) {
    Caption(p, QRect(10, 194, 67, 13), QStringLiteral("Optimize RAM"));
    Separator(p, 232, 198, 79, true);
    Caption(p, QRect(244, 204, 95, 37), QStringLiteral("Next optimize in:\n14 minutes"));
    p.drawImage(10, 209, a.checkTicked);
    Caption(p, QRect(28, 210, 111, 13), QStringLiteral("at timed intervals, every"));
    const int lefts[] = {32, 78, 130};
    const QString intervals[] = {QStringLiteral("5 min"), QStringLiteral("15 min"), QStringLiteral("30 min")};
    const QString percents[] = {QStringLiteral("10%"), QStringLiteral("20%"), QStringLiteral("30%")};
    for (int i = 0; i < 3; ++i) {
        p.drawImage(lefts[i], 228, i == 1 ? a.optionSet : a.optionCleared);
        Caption(p, QRect(lefts[i] + 16, 228, 44, 13), intervals[i]);
        p.drawImage(lefts[i], 266, i == 0 ? a.optionSet : a.optionCleared);
        Caption(p, QRect(lefts[i] + 16, 266, 44, 13), percents[i]);
    }
    p.drawImage(10, 247, a.checkCleared);
    Caption(p, QRect(28, 248, 194, 13), QStringLiteral("when free RAM drops below certain level"));
    p.drawImage(240, 265, a.checkCleared);
    Caption(p, QRect(258, 266, 83, 13), QStringLiteral("Start Minimize"));
}

void Bottom(QPainter& p) {
    const QRect bar(6, 292, 357, 24);
    p.fillRect(bar, Qt::white);
    p.fillRect(QRect(bar.left() + 2, bar.top() + 2, 140, bar.height() - 4), QColor(10, 36, 106));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
    RaisedBox(p, QRect(120, 318, 123, 25), QColor(212, 208, 200));
    Caption(p, QRect(120, 318, 123, 25), QStringLiteral("Free RAM Now"), Qt::AlignCenter,
            WindowFont(false, 11, true), Qt::black);
    const QFont link = WindowFont(true, 13, false, false, true);
    Caption(p, QRect(6, 320, 83, 19), QStringLiteral("Readme"), Qt::AlignLeft | Qt::AlignTop, link,
            QColor(0, 0, 255));
    Caption(p, QRect(290, 320, 73, 19), QStringLiteral("Website..."), Qt::AlignRight | Qt::AlignTop, link,
            QColor(255, 0, 0));
}

} // namespace

QImage ComposePreview(const AssetSet& a) {
    QImage preview(371, 348, QImage::Format_RGB32);
    preview.fill(QColor(224, 224, 224));
    QPainter p(&preview);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(0, 0, a.background);
    Header(p, a);
    Statistics(p);
    Separator(p, 4, 116, 361, false);
    Level(p, a);
    Separator(p, 4, 188, 361, false);
    Scheduling(p, a);
    Separator(p, 4, 286, 361, false);
    Bottom(p);
    p.end();
    return preview;
}

} // namespace kelvo::assets
