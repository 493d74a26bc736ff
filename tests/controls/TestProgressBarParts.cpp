// The progress bar's building blocks: colour arithmetic, the gradient band, the back buffer and the
// percentage text.
#include <limits>

#include <QtTest>

#include "ProgressBarRig.h"
#include "controls/progressbar/BarColour.h"
#include "controls/progressbar/BarPrimitives.h"
#include "platform/gdi/GdiConstants.h"
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls::progressbar;
using namespace kelvo::controls::progressbar::test;

namespace {

constexpr std::int32_t Big = std::numeric_limits<std::int32_t>::max();

std::uint32_t At(const QImage& image, int x, int y) {
    return gdi::Colour::FromQRgb(image.pixel(x, y)).Raw();
}

} // namespace

class TestProgressBarParts : public gdi::test::GuardedTest {
    Q_OBJECT

    const gdi::SysColours colours_ = gdi::SysColours::Classic();

private slots:
    void Lighten_data() {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<int>("amount");
        QTest::addColumn<uint>("expected");
        QTest::newRow("black by 150") << 0x000000u << 150 << 0x969696u;
        QTest::newRow("bar colour by 150") << 0x6A240Au << 150 << 0xC1A49Au;
        QTest::newRow("bar colour by 255") << 0x6A240Au << 255 << 0xFFFFFFu;
        QTest::newRow("grey by 255") << 0x7F7F7Fu << 255 << 0xFFFFFFu;
        QTest::newRow("bar colour by 0") << 0x6A240Au << 0 << 0x6A240Au;
        QTest::newRow("white stays white") << 0xFFFFFFu << 80 << 0xFFFFFFu;
        // Channels are worked out separately: 0x01 -> 10 + 245 / 255 = 10, 0xFE -> 10 + 62230 / 255 = 254.
        QTest::newRow("truncating division") << 0xFE0001u << 10 << 0xFE0A0Au;
    }
    void Lighten() {
        QFETCH(uint, colour);
        QFETCH(int, amount);
        QFETCH(uint, expected);
        QCOMPARE(LightenColor(gdi::Colour(colour), amount).Raw(), expected);
    }

    void Blend_data() {
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("second");
        QTest::addColumn<int>("weight");
        QTest::addColumn<uint>("expected");
        QTest::newRow("full weight keeps the colour") << 0x6A240Au << 0x000000u << 255 << 0x6A240Au;
        QTest::newRow("silver over black") << 0xC0C0C0u << 0x000000u << 255 << 0xC0C0C0u;
        // 10 * 100 / 255 = 3.92, 36 * 100 / 255 = 14.1, 106 * 100 / 255 = 41.6
        QTest::newRow("dark 100") << 0x6A240Au << 0x000000u << 100 << 0x2A0E04u;
        QTest::newRow("zero weight gives the second") << 0x6A240Au << 0x336699u << 0 << 0x336699u;
        QTest::newRow("half way") << 0xFF0000u << 0x0000FFu << 128 << 0x80007Fu;
        QTest::newRow("system highlight resolved") << 0x8000000Du << 0x000000u << 255 << 0x6A240Au;
        QTest::newRow("no such system colour is black") << 0x80000063u << 0xFFFFFFu << 255 << 0x000000u;
        QTest::newRow("stray high bits is black") << 0xFF000005u << 0x000000u << 255 << 0x000000u;
    }
    void Blend() {
        QFETCH(uint, first);
        QFETCH(uint, second);
        QFETCH(int, weight);
        QFETCH(uint, expected);
        QCOMPARE(BlendColor(gdi::Colour(first), gdi::Colour(second), weight, colours_).Raw(), expected);
    }

    // Rows y.. y + N of one gradient, each from x = 1 to x = 5 (end excluded); the image is one pixel
    // larger all round so lines that run too far show.
    void GradientRows_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<uint>>("rows");
        QTest::newRow("N = 0: one line in the end colour") << 0 << QList<uint>{0x000000u};
        QTest::newRow("N < 0: nothing") << -1 << QList<uint>{};
        // Steps of 1/6 in single precision: 3 * 0.16666667 = 0.50000001 rounds up, where exact arithmetic
        // would give 0.5 and round to the even 0.
        QTest::newRow("N = 6") << 6 << QList<uint>{0x000000u, 0x000000u, 0x000000u, 0x010101u,
                                                   0x010101u, 0x010101u, 0x010101u};
    }
    void GradientRows() {
        QFETCH(int, n);
        QFETCH(QList<uint>, rows);
        QImage image(7, 10, QImage::Format_RGB32);
        image.fill(0xFF808080u);
        gdi::DeviceContext dc(image, colours_);
        DrawGradient(dc, gdi::Colour(0x000000), gdi::Colour(0x010101), 1, 1, 6, n, false);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool drawn = y >= 1 && y <= rows.size() && x >= 1 && x < 6;
                QCOMPARE(At(image, x, y), drawn ? rows.at(y - 1) : 0x808080u);
            }
        }
    }

    void GradientColumnsRunFromEndToStart() {
        QImage image(12, 4, QImage::Format_RGB32);
        image.fill(0xFF808080u);
        gdi::DeviceContext dc(image, colours_);
        // Red 0 -> 255 over 6 steps of 42.5: the halves round to the even neighbour.
        DrawGradient(dc, gdi::Colour(0x000000), gdi::Colour(0x0000FF), 2, 1, 6, 3, true);
        const QList<uint> expected{0x00, 0x2A, 0x55, 0x80, 0xAA, 0xD4, 0xFF};
        for (int x = 0; x < 12; ++x) {
            const bool drawn = x >= 2 && x <= 8;
            QCOMPARE(At(image, x, 1), drawn ? expected.at(x - 2) : 0x808080u);
            QCOMPARE(At(image, x, 2), drawn ? expected.at(x - 2) : 0x808080u);
            QCOMPARE(At(image, x, 3), 0x808080u); // y2 itself is not drawn
        }
    }

    void GradientOfEveryLineStillOnlyDrawsWhatShows() {
        QImage image(5, 5, QImage::Format_RGB32);
        image.fill(0xFF808080u);
        gdi::DeviceContext dc(image, colours_);
        // Two billion columns end at column 0, which takes the last line's start colour; column 1 would be
        // line N + 1.
        DrawGradient(dc, gdi::Colour(0xFFFFFF), gdi::Colour(0x000000), -Big, 0, Big, 5, true);
        QCOMPARE(At(image, 0, 4), 0x000000u);
        QCOMPARE(At(image, 1, 0), 0x808080u);
        image.fill(0xFF808080u);
        DrawGradient(dc, gdi::Colour(0x000000), gdi::Colour(0xFFFFFF), 0, Big - 2, 5, Big, false);
        QCOMPARE(At(image, 0, 0), 0x808080u);
    }

    void BufferGrowsAndIsReused() {
        ProgressBarBackBuffer buffer(colours_);
        QCOMPARE(buffer.EnsureBackBuffer(0, 24), nullptr);
        gdi::DeviceContext* first = buffer.EnsureBackBuffer(40, 24);
        QVERIFY(first != nullptr);
        QCOMPARE(first->Target()->size(), QSize(40, 24));
        first->Target()->setPixel(39, 23, 0xFF00FF00u);
        // Smaller requests reuse the buffer and its pixels.
        QCOMPARE(buffer.EnsureBackBuffer(10, 5), first);
        QCOMPARE(buffer.EnsureBackBuffer(0, 0), first);
        QCOMPARE(QSize(buffer.Width(), buffer.Height()), QSize(40, 24));
        QCOMPARE(first->Target()->pixel(39, 23), 0xFF00FF00u);
        // A larger one rebuilds it at the new size.
        gdi::DeviceContext* grown = buffer.EnsureBackBuffer(50, 24);
        QVERIFY(grown != nullptr);
        QCOMPARE(QSize(buffer.Width(), buffer.Height()), QSize(50, 24));
        QCOMPARE(grown->Target()->size(), QSize(50, 24));
        // A size the system refuses leaves no buffer, and painting goes to the control itself.
        QCOMPARE(buffer.EnsureBackBuffer(30000, 24), nullptr);
        QCOMPARE(QSize(buffer.Width(), buffer.Height()), QSize(0, 0));
        QVERIFY(!buffer.pDraw(*grown));
    }

    void ShrunkControlCopiesOnlyWhatItShows() {
        QImage screenImage(40, 24, QImage::Format_RGB32);
        screenImage.fill(0xFF00FF00u);
        gdi::DeviceContext screen(screenImage, colours_);
        ProgressBarBackBuffer buffer(colours_);
        ProgressBarState state;
        ProgressBarLook look = Look(4, 40, 24, 100);
        int taken = 0;
        const ScreenTarget target{screenImage, [&]() -> gdi::DeviceContext& {
                                      ++taken;
                                      return screen;
                                  }};
        buffer.EnsureBackBuffer(40, 24);
        state = DrawProgressBar(&buffer, target, ScreenArea{0, 0, 40, 24}, look, state);
        QCOMPARE(At(screenImage, 39, 23), 0xFFFFFFu); // the etched edge's outer highlight
        // The same pixels again: the screen's context is not even taken.
        state = DrawProgressBar(&buffer, target, ScreenArea{0, 0, 40, 24}, look, state);
        QCOMPARE(taken, 1);

        screenImage.fill(0xFF00FF00u);
        look.clientWidth = 20;
        look.clientHeight = 10;
        buffer.EnsureBackBuffer(20, 10);
        state = DrawProgressBar(&buffer, target, ScreenArea{0, 0, 20, 10}, look, state);
        QCOMPARE(buffer.Width(), 40);
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 40; ++x) {
                QCOMPARE(screenImage.pixel(x, y) == 0xFF00FF00u, x >= 20 || y >= 10);
            }
        }
        // An empty client copies nothing at all.
        screenImage.fill(0xFF00FF00u);
        look.clientWidth = 0;
        buffer.EnsureBackBuffer(0, 10);
        state = DrawProgressBar(&buffer, target, ScreenArea{0, 0, 0, 10}, look, state);
        QCOMPARE(At(screenImage, 0, 0), 0x00FF00u);
        // pDraw without its optional arguments copies the whole buffer to (0, 0).
        QVERIFY(buffer.pDraw(screen));
        QCOMPARE(At(screenImage, 39, 23), 0xFFFFFFu);
    }

    void Text_data() {
        QTest::addColumn<int>("scrolling");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("expected");
        QTest::newRow("45 of 100") << 4 << 45 << 100 << "45 %";
        QTest::newRow("150 of 100") << 4 << 150 << 100 << "150 %";
        QTest::newRow("45 of 200") << 4 << 45 << 200 << "22 %";
        QTest::newRow("marquee") << 2 << 45 << 100 << "Searching..";
        QTest::newRow("maximum 0") << 4 << 45 << 0 << "0 %";
        QTest::newRow("below 0 rounds down") << 4 << -1 << 200 << "-1 %";
        QTest::newRow("maximum -1") << 4 << 45 << -1 << "-4500 %";
        // 29 / 100 * 100 is 28.999999999999996 in double precision.
        QTest::newRow("29 of 100") << 4 << 29 << 100 << "28 %";
        QTest::newRow("largest value") << 0 << Big << 1 << "214748364700 %";
        QTest::newRow("smallest value") << 0 << -Big << 1 << "-214748364700 %";
    }
    void Text() {
        QFETCH(int, scrolling);
        QFETCH(int, value);
        QFETCH(int, max);
        QFETCH(QString, expected);
        ProgressBarLook look = Look(scrolling, 100, 20, value);
        look.max = max;
        QCOMPARE(PercentText(look), expected);
    }
};

QTEST_MAIN(TestProgressBarParts)
#include "TestProgressBarParts.moc"
