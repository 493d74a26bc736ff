#include <limits>
#include <optional>
#include <vector>

#include <QPainter>
#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/gdi/Text.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

QFont TestFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

// The smallest rectangle holding every pixel that is not white.
QRect Ink(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != 0xFFFFFFFFu) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

} // namespace

class TestText : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private:
    const SysColours colours_ = SysColours::Classic();
    const QFontMetrics metrics_{TestFont()};

    // Draws in OPAQUE mode with text and background both blue, so the painted area is exactly the cells
    // of the lines.
    QRect Cells(const QString& text, Rect rect, unsigned format, int* height = nullptr) {
        QImage image = Blank(120, 60);
        DeviceContext dc(image, colours_);
        const Font font = CreateFontIndirect(TestFont());
        const SelectedObject previous = SelectObject(dc, font);
        SetTextColor(dc, Colour(0xFF0000));
        SetBkColor(dc, Colour(0xFF0000));
        const int result = DrawTextA(dc, text, -1, rect, format);
        if (height != nullptr) {
            *height = result;
        }
        SelectObject(dc, previous);
        return Ink(image);
    }

    Rect Measure(const QString& text, Rect rect, unsigned format, int* height = nullptr) {
        QImage image = Blank(1, 1);
        DeviceContext dc(image, colours_);
        const Font font = CreateFontIndirect(TestFont());
        const SelectedObject previous = SelectObject(dc, font);
        const int result = DrawTextA(dc, text, -1, rect, format | DT_CALCRECT);
        if (height != nullptr) {
            *height = result;
        }
        SelectObject(dc, previous);
        QTest::qVerify(image.pixel(0, 0) == 0xFFFFFFFFu, "measuring drew", "", __FILE__, __LINE__);
        return rect;
    }

private slots:
    void Placement_data() {
        QTest::addColumn<uint>("format");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        const int w = metrics_.horizontalAdvance(QStringLiteral("Hello"));
        const int h = metrics_.height();
        // Rectangle (10, 5)-(110, 45).
        QTest::newRow("left top") << 0x0u << 10 << 5;
        QTest::newRow("centre") << 0x1u << (10 + 110 - w) / 2 << 5;
        QTest::newRow("right") << 0x2u << 110 - w << 5;
        QTest::newRow("single centred") << 0x25u << (10 + 110 - w) / 2 << 5 + 40 / 2 - h / 2;
        QTest::newRow("vcentre needs single line") << 0x5u << (10 + 110 - w) / 2 << 5;
        QTest::newRow("bottom") << 0x28u << 10 << 45 - h;
        QTest::newRow("centred word break") << 0x15u << (10 + 110 - w) / 2 << 5;
    }
    void Placement() {
        QFETCH(uint, format);
        QFETCH(int, left);
        QFETCH(int, top);
        const ObjectCountGuard guard;
        int height = 0;
        const QRect cells = Cells(QStringLiteral("Hello"), Rect{10, 5, 110, 45}, format, &height);
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(cells,
                 QRect(left, top, metrics_.horizontalAdvance(QStringLiteral("Hello")), metrics_.height()));
        QCOMPARE(height, top + metrics_.height() - 5);
    }

    void WordBreaks() {
        const QString text = QStringLiteral("aaa bbb ccc");
        const int two = metrics_.horizontalAdvance(QStringLiteral("aaa bbb"));
        const int h = metrics_.height();
        int height = 0;
        // Room for two words a line.
        const Rect measured = Measure(text, Rect{0, 0, two + 1, 0}, DT_WORDBREAK, &height);
        QCOMPARE(measured, (Rect{0, 0, two, 2 * h}));
        QCOMPARE(height, 2 * h);
        // Room for one word: a line each; a word wider than the line stands alone.
        QCOMPARE(Measure(text, Rect{0, 0, 5, 0}, DT_WORDBREAK),
                 (Rect{0, 0,
                       std::max({metrics_.horizontalAdvance(QStringLiteral("aaa")),
                                 metrics_.horizontalAdvance(QStringLiteral("bbb")),
                                 metrics_.horizontalAdvance(QStringLiteral("ccc"))}),
                       3 * h}));
        // Without word breaks, one line; line breaks still count.
        QCOMPARE(Measure(text, Rect{0, 0, 5, 0}, 0), (Rect{0, 0, metrics_.horizontalAdvance(text), h}));
        QCOMPARE(Measure(QStringLiteral("ab\r\ncd\nx"), Rect{3, 4, 5, 0}, 0).bottom, 4 + 3 * h);
        QCOMPARE(Measure(QStringLiteral("ab\r\ncd"), Rect{3, 4, 5, 0}, DT_SINGLELINE).bottom, 4 + h);
        // Drawn: the second line is centred on its own width.
        const QRect cells = Cells(text, Rect{0, 0, two + 1, 60}, 0x11u);
        QCOMPARE(cells.top(), 0);
        QCOMPARE(cells.bottom(), 2 * h - 1);
        QCOMPARE(cells.left(), (two + 1 - two) / 2);
    }

    void AccessKeys_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("mark") << QStringLiteral("A&bc&&d") << 0u << QStringLiteral("Abc&d");
        QTest::newRow("hidden") << QStringLiteral("A&bc&&d") << unsigned(DT_HIDEPREFIX)
                                << QStringLiteral("Abc&d");
        QTest::newRow("no prefix") << QStringLiteral("A&bc&&d") << unsigned(DT_NOPREFIX)
                                   << QStringLiteral("A&bc&&d");
        QTest::newRow("lone trailing") << QStringLiteral("ab&") << 0u << QStringLiteral("ab");
        QTest::newRow("only marks") << QStringLiteral("&&&") << 0u << QStringLiteral("&");
    }
    void AccessKeys() {
        QFETCH(QString, text);
        QFETCH(uint, format);
        QFETCH(QString, shown);
        QCOMPARE(Measure(text, Rect{0, 0, 0, 0}, format).right, metrics_.horizontalAdvance(shown));
    }

    void UnderlinedKey() {
        QImage image = Blank(60, 30);
        DeviceContext dc(image, colours_);
        const Font font = CreateFontIndirect(TestFont());
        const SelectedObject previous = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        Rect rect{2, 3, 60, 30};
        DrawTextA(dc, QStringLiteral("x&Wy"), -1, rect, 0);
        const int row = 3 + metrics_.ascent() + 1;
        const int from = 2 + metrics_.horizontalAdvance(QStringLiteral("x"));
        const int to = 2 + metrics_.horizontalAdvance(QStringLiteral("xW")) - 2;
        for (int x = from; x <= to; ++x) {
            QCOMPARE(image.pixel(x, row), 0xFF000000u);
        }
        SelectObject(dc, previous);
    }

    void EmptyAndCounts() {
        int height = 0;
        QCOMPARE(Measure(QString(), Rect{5, 5, 50, 50}, 0, &height), (Rect{5, 5, 5, 5}));
        QVERIFY(height > 0);
        QImage image = Blank(4, 4);
        DeviceContext dc(image, colours_);
        Rect rect{0, 0, 4, 4};
        QCOMPARE(DrawTextA(dc, QStringLiteral("abc"), 0, rect, DT_CALCRECT), 0);
        QCOMPARE(rect, (Rect{0, 0, 4, 4}));
        Rect partial{0, 0, 0, 0};
        const Font font = CreateFontIndirect(TestFont());
        SelectObject(dc, font);
        DrawTextA(dc, QStringLiteral("abcdef"), 2, partial, DT_CALCRECT);
        QCOMPARE(partial.right, metrics_.horizontalAdvance(QStringLiteral("ab")));
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
    }

    // One context measuring the same texts again and again, in several fonts in turn and past the number of
    // widths a font keeps: every measure is what the font's metrics give.
    void RepeatedMeasuresStayTrue() {
        QImage image = Blank(4, 4);
        DeviceContext dc(image, colours_);
        std::vector<QFont> fonts;
        for (int pixels : {9, 12, 17, 23, 30, 12}) {
            QFont font = TestFont();
            font.setPixelSize(pixels);
            fonts.push_back(font);
        }
        for (int round = 0; round < 3; ++round) {
            for (const QFont& qfont : fonts) {
                const Font font = CreateFontIndirect(qfont);
                const SelectedObject previous = SelectObject(dc, font);
                const QFontMetrics metrics(qfont);
                for (int i = 0; i < 700; i += 7 + round) {
                    const QString text = QString::number(i * 37) + QStringLiteral(" %");
                    Rect rect{3, 4, 3, 4};
                    QCOMPARE(DrawTextA(dc, text, -1, rect, DT_CALCRECT | DT_SINGLELINE), metrics.height());
                    QCOMPARE(rect, (Rect{3, 4, 3 + metrics.horizontalAdvance(text), 4 + metrics.height()}));
                }
                SelectObject(dc, previous);
            }
        }
    }

    // Texts drawn again are drawn from their kept glyphs: the first and the later draws give the pixels
    // of the painter's own drawText, in every font, for plain, kerned, ligated, accented and decorated
    // text, and for text this shortcut leaves to the painter.
    void DrawnAsThePainterDrawsIt() {
        std::vector<QFont> fonts{TestFont(), QFont(QStringLiteral("Tahoma"), 8)};
        fonts.emplace_back(QStringLiteral("DejaVu Serif"), 13, QFont::Bold, true);
        QFont spaced = TestFont();
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
        fonts.push_back(spaced);
        QFont underlined = TestFont();
        underlined.setUnderline(true);
        fonts.push_back(underlined);
        const QStringList texts{QStringLiteral("45 %"),         QStringLiteral("100 %"),
                                QStringLiteral("Free RAM Now"), QStringLiteral("AVAWAY To"),
                                QStringLiteral("office ffl"),   QStringLiteral("Ça été ŝ ǅ"),
                                QStringLiteral(" x  y "),       QStringLiteral("שלום 45")};
        for (const QFont& qfont : fonts) {
            QImage image = Blank(160, 40);
            DeviceContext dc(image, colours_);
            const Font font = CreateFontIndirect(qfont);
            const SelectedObject previous = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, Colour(0x804020));
            const QFontMetrics metrics(qfont);
            for (const QString& text : texts) {
                QImage expected = Blank(160, 40);
                {
                    QPainter painter(&expected);
                    painter.setFont(qfont);
                    painter.setPen(QColor(0x20, 0x40, 0x80));
                    painter.drawText(3, 5 + metrics.ascent(), text);
                }
                for (int draw = 0; draw < 2; ++draw) {
                    image.fill(0xFFFFFFFFu);
                    Rect rect{3, 5, 160, 40};
                    DrawTextA(dc, text, -1, rect, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
                    QVERIFY2(image == expected, qPrintable(qfont.toString() + QStringLiteral(": ") + text));
                }
            }
            SelectObject(dc, previous);
        }
    }

    void ClippedToTheRectangle() {
        const QRect cells = Cells(QStringLiteral("Hello world"), Rect{10, 5, 20, 8}, 0);
        QCOMPARE(cells, QRect(10, 5, 10, 3));
        const QRect unclipped = Cells(QStringLiteral("Hello"), Rect{10, 5, 20, 8}, DT_NOCLIP);
        QCOMPARE(unclipped.width(), metrics_.horizontalAdvance(QStringLiteral("Hello")));
    }

    void BadInput() {
        const QString longText = QString(10000, QLatin1Char('w')) + QStringLiteral(" &") +
                                 QString(5000, QLatin1Char(' ')) + QStringLiteral("x &");
        for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(30, 20)}) {
            QImage image = Blank(size.width(), size.height());
            DeviceContext dc(image, colours_);
            for (Rect rect : {Rect{Min, Min, Max, Max}, Rect{Max, Max, Min, Min},
                              Rect{-1000000, 0, 1000000, 20}, Rect{Max - 1, Max - 1, Max, Max}}) {
                for (const unsigned format : {0x15u, 0x20u, 0x410u, 0x400u, 0x0u, 0x2Au | DT_NOCLIP}) {
                    Rect copy = rect;
                    DrawTextA(dc, longText, -1, copy, format);
                    copy = rect;
                    DrawTextA(dc, QStringLiteral("&"), -1, copy, format);
                }
            }
        }
        // A font that does not exist falls back to another and still measures.
        QFont missing(QStringLiteral("No Such Font At All"));
        missing.setPixelSize(11);
        QImage image = Blank(1, 1);
        DeviceContext dc(image, colours_);
        const Font font = CreateFontIndirect(missing);
        SelectObject(dc, font);
        Rect rect{0, 0, 0, 0};
        QVERIFY(DrawTextA(dc, QStringLiteral("abc"), -1, rect, DT_CALCRECT) > 0);
        QVERIFY(rect.right > 0);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
    }
};

QTEST_MAIN(TestText)
#include "TestText.moc"
