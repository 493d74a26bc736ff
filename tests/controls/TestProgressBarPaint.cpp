// The progress bar's looks, pixel by pixel: each expectation is worked out from the geometry of the
// style for the size and value painted.
#include <QtTest>

#include "ProgressBarRig.h"
#include "controls/progressbar/BarColour.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Lines.h"
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls::progressbar;
using namespace kelvo::controls::progressbar::test;

namespace {

// Text without antialiasing, so every pixel of a glyph has the text colour.
ProgressBarLook WithText(ProgressBarLook look) {
    look.showText = true;
    look.font.setStyleStrategy(QFont::NoAntialias);
    return look;
}

constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t Shadow = 0x808080; // classic 3-D shadow
constexpr std::uint32_t C = BarColour.Raw();

std::uint32_t At(const QImage& image, int x, int y) {
    return gdi::Colour::FromQRgb(image.pixel(x, y)).Raw();
}
std::uint32_t Lit(int amount) {
    return LightenColor(BarColour, amount).Raw();
}
std::uint32_t Dark(int weight) {
    return BlendColor(BarColour, gdi::Colour(0), weight, gdi::SysColours::Classic()).Raw();
}
bool Contains(const QImage& image, std::uint32_t colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (At(image, x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}
// Every pixel of [left, right) x [top, bottom) has the colour.
bool Block(const QImage& image, int left, int top, int right, int bottom, std::uint32_t colour) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (At(image, x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestProgressBarPaint : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void SegmentedFullBar() {
        ProgressBarState state;
        const QImage image = Paint(Look(0, 200, 24, 100), state);
        // 200 - ((200 - 3) Mod 8) = 195; the client's left is back at 0 after the frame.
        QCOMPARE(state.fill, (gdi::Rect{3, 0, 195, 24}));
        QCOMPARE(state.client, (gdi::Rect{0, 0, 200, 24}));
        for (int x = 0; x < 200; ++x) {
            const bool gap = x >= 10 && (x - 10) % 8 < 2;
            std::uint32_t expected = x >= 4 && x <= 194 && !gap ? C : White;
            expected = x == 0 || x == 199   ? 0x686868
                       : x == 1             ? 0xBEBEBE
                       : x == 2 || x == 198 ? 0xEFEFEF
                                            : expected;
            QCOMPARE(At(image, x, 12), expected);
            if (x >= 4 && x <= 194 && !gap) {
                QCOMPARE(At(image, x, 3), Lit(150));  // first row of the light top edge
                QCOMPARE(At(image, x, 20), Lit(150)); // last row of the light bottom edge
            }
        }
    }

    void StubAtValueZero() {
        const QImage continuous = Paint(Look(1, 100, 24, 0));
        const QImage segmented = Paint(Look(0, 100, 24, 0));
        for (int x = 3; x < 14; ++x) {
            QCOMPARE(At(continuous, x, 12), x >= 4 && x < 12 ? C : White);
            QCOMPARE(At(segmented, x, 12), x >= 4 && x < 10 ? C : White);
        }
    }

    void ContinuousAlignsToTwoPixels_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("right");
        QTest::newRow("100 - 97 Mod 2") << 50 << 99;
        QTest::newRow("102 - 99 Mod 2") << 51 << 101;
        QTest::newRow("20 - 17 Mod 2") << 10 << 19;
        QTest::newRow("short bars show the stub") << 1 << 12;
    }
    void ContinuousAlignsToTwoPixels() {
        QFETCH(int, value);
        QFETCH(int, right);
        ProgressBarState state;
        Paint(Look(1, 200, 24, value), state);
        QCOMPARE(state.fill.right, right);
    }

    void RoundFrameCorners_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<uint>("colour");
        constexpr int R = 40;
        constexpr int B = 20;
        const struct {
            int x, y;
            uint colour;
        } pixels[] = {
            {0, 0, 0xFFFFFF},
            {0, 1, 0xA6ABAC},
            {0, 2, 0x7D7E7F},
            {1, 0, 0xA7ABAC},
            {1, 1, 0x777777},
            {2, 0, 0x7D7E7F},
            {2, 2, 0xBEBEBE},
            {0, B - 1, 0xFFFFFF},
            {1, B - 1, 0xA6ABAC},
            {2, B - 1, 0x7D7E7F},
            {0, B - 3, 0x7D7E7F},
            {0, B - 2, 0xA7ABAC},
            {1, B - 2, 0x777777},
            {R - 1, 0, 0xFFFFFF},
            {R - 1, 1, 0xBEBEBE},
            {R - 1, 2, 0x7D7E7F},
            {R - 2, 2, 0xBEBEBE},
            {R - 2, 1, 0x686868},
            {R - 1, B - 1, 0xFFFFFF},
            {R - 1, B - 2, 0xBEBEBE},
            {R - 1, B - 3, 0x7D7E7F},
            {R - 2, B - 2, 0x777777},
            {R - 2, B - 1, 0xBEBEBE},
            {R - 3, B - 1, 0x7D7E7F},
            // the frame's lines and outline between the corners
            {20, 0, 0x686868},
            {20, 1, 0xBEBEBE},
            {20, 2, 0xEFEFEF},
            {20, B - 2, 0xEFEFEF},
            {20, B - 1, 0x686868},
            {0, 10, 0x686868},
            {1, 10, 0xBEBEBE},
            {2, 10, 0xEFEFEF},
            {R - 2, 10, 0xEFEFEF},
            {R - 1, 10, 0x686868},
            {R - 3, 10, 0xFFFFFF},
        };
        for (const auto& p : pixels) {
            QTest::addRow("(%d, %d)", p.x, p.y) << p.x << p.y << p.colour;
        }
    }
    void RoundFrameCorners() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(uint, colour);
        // Continuous at 0 keeps its stub away from the corners; glass draws the same frame.
        QCOMPARE(At(Paint(Look(1, 40, 20, 0)), x, y), colour);
        ProgressBarLook glass = Look(9, 40, 20, 0);
        QCOMPARE(At(Paint(glass), x, y), colour);
    }

    void VerticalSegmentedRisesFromTheBottom() {
        ProgressBarState state;
        const QImage image = Paint(Look(0, 30, 100, 45, 1, 1), state);
        // f = 0.55: top 55, moved down to a whole number of blocks from the bottom: 55 - (-45 Mod 8) = 60.
        QCOMPARE(state.fill.top, 60);
        QCOMPARE(At(image, 12, 59), White);
        QCOMPARE(At(image, 12, 60), C);
        QCOMPARE(At(image, 12, 66), White); // gaps at [y - 2, y) for y = 100, 92 ... 68
        QCOMPARE(At(image, 12, 68), C);
        QCOMPARE(At(image, 4, 70), Lit(150)); // the light edges run along x
        QCOMPARE(At(image, 8, 70), C);
        QCOMPARE(At(image, 26, 70), Lit(150));
        QCOMPARE(Paint(Look(0, 30, 100, 45, 1, 0)), image);
        QCOMPARE(Paint(Look(0, 30, 100, 45, 1, 7)), image);
    }

    void MarqueeBlocks() {
        ProgressBarLook look = Look(2, 357, 24, 45);
        look.showText = false;
        const QImage image = Paint(look);
        // fill.right 161; blocks start at CLng(161 - 55 / 100 * 45) = 136 and every 12 pixels after.
        const struct {
            int x;
            std::uint32_t colour;
        } columns[] = {{135, White},    {136, Lit(220)}, {145, Lit(200)}, {146, White}, {148, Lit(180)},
                       {157, Lit(160)}, {160, Lit(140)}, {169, Lit(120)}, {170, White}};
        for (const auto& column : columns) {
            QCOMPARE(At(image, column.x, 3), column.colour);
            QCOMPARE(At(image, column.x, 21), column.colour);
        }
        // A larger value moves them to the right: fill.right 285, first block at 276.
        const QImage later = Paint(Look(2, 357, 24, 80));
        QCOMPARE(At(later, 275, 10), White);
        QCOMPARE(At(later, 276, 10), Lit(220));
    }

    void FlatStyle() {
        const QImage image = Paint(Look(3, 100, 20, 45));
        QVERIFY(Block(image, 1, 1, 45, 19, Lit(180)));
        QCOMPARE(At(image, 45, 10), White);
        QCOMPARE(At(image, 0, 10), Lit(100));
        QCOMPARE(At(image, 99, 10), Lit(100));
        // Vertical: the continuous fill rectangle, widened to the frame.
        ProgressBarState state;
        Paint(Look(3, 30, 100, 45, 1, 1), state);
        QCOMPARE(state.fill, (gdi::Rect{1, 53, 29, 99}));
        Paint(Look(3, 30, 100, 45, 1, 0), state);
        QCOMPARE(state.fill, (gdi::Rect{1, 41, 29, 99}));
        // Another FillOrEmpty keeps what the last paint worked out.
        const QImage kept = Paint(Look(3, 30, 100, 90, 1, 3), state);
        QCOMPARE(state.fill, (gdi::Rect{1, 41, 29, 99}));
        QVERIFY(Block(kept, 1, 41, 29, 99, Lit(180)));
    }

    void EtchedStyle() {
        const QImage image = Paint(Look(4, 104, 20, 50));
        QCOMPARE(At(image, 2, 2), Lit(140));
        QCOMPARE(At(image, 52, 16), Lit(200)); // w = 50: columns 2 to 52
        QCOMPARE(At(image, 53, 10), White);
        QCOMPARE(At(image, 30, 17), White);
        QCOMPARE(At(image, 0, 0), Shadow);
        QCOMPARE(At(image, 1, 1), White);
        QCOMPARE(At(image, 102, 10), Shadow);

        const QImage fills = Paint(Look(4, 30, 100, 50, 1, 1));   // y = 100 - 49 = 51
        const QImage empties = Paint(Look(4, 30, 100, 50, 1, 0)); // y = 49
        for (int y = 2; y < 98; ++y) {
            QCOMPARE(At(fills, 10, y) != White, y >= 52 && y <= 96);
            QCOMPARE(At(empties, 10, y) != White, y >= 50 && y <= 96);
        }
        QCOMPARE(At(fills, 2, 60), Lit(140));
        QCOMPARE(At(fills, 26, 60), Lit(200));
        QCOMPARE(At(fills, 27, 60), White);
        QVERIFY(Block(Paint(Look(4, 30, 100, 50, 1, 5)), 2, 2, 28, 98, White));
    }

    void GlossStyle() {
        const QImage image = Paint(Look(5, 100, 20, 50));
        QCOMPARE(At(image, 0, 10), Lit(10));
        QCOMPARE(At(image, 1, 10), White);
        QCOMPARE(At(image, 60, 2), C);         // track: bar colour at the top ...
        QCOMPARE(At(image, 60, 17), Lit(100)); // ... to a light shade at B - 3
        QCOMPARE(At(image, 10, 3), Lit(250));  // fill: nearly white at the top ...
        QCOMPARE(At(image, 10, 17), C);        // ... to the bar colour
        for (int y = 2; y < 18; ++y) {
            QCOMPARE(At(image, 50, y), Lit(25)); // the edge line at fill.right
        }
        QVERIFY(Block(Paint(Look(5, 30, 100, 50, 1, 2)), 1, 1, 29, 99, White));
    }

    void DarkStyle() {
        // x = CLng(0.5 * 93) = 46, halves to even: columns 2 to 48.
        const QImage image = Paint(Look(6, 98, 20, 50));
        const std::uint32_t shade = LightenColor(gdi::Colour(Dark(100)), 10).Raw();
        QCOMPARE(At(image, 0, 0), Dark(200));
        QCOMPARE(At(image, 48, 2), shade);
        QCOMPARE(At(image, 48, 17), shade);
        QCOMPARE(At(image, 48, 18), Black);
        QCOMPARE(At(image, 49, 10), Black);
        QCOMPARE(At(image, 60, 10), Black);
    }

    void HatchStyle() {
        ProgressBarLook look = Look(7, 100, 20, 50);
        ProgressBarState state;
        QImage image = Paint(look, state);
        look.showText = true;
        // A paint with text leaves the context transparent; the next hatch still fills its spaces.
        const QImage shaded = Paint(look, state);
        for (int y = 2; y < 18; ++y) {
            for (int x = 2; x < 97; ++x) {
                const std::uint32_t hatch = x % 8 == 4 || y % 8 == 3 ? C : Lit(140);
                QCOMPARE(At(image, x, y), x < 50 ? hatch : White);
                if (x < 30) {
                    QCOMPARE(At(shaded, x, y), hatch);
                }
            }
        }
        // Vertical, emptying: the band between B - 2 and CLng(0.25 * B) = 25, normalised to rows 26 to 98.
        image = Paint(Look(7, 30, 100, 25, 1, 0));
        QCOMPARE(At(image, 5, 25), White);
        QCOMPARE(At(image, 5, 26), Lit(140));
        QCOMPARE(At(image, 4, 98), C);
        for (const int brush : {6, -1, 70000}) {
            look = Look(7, 100, 20, 50);
            look.brushStyle = brush;
            QVERIFY(Block(Paint(look), 2, 2, 98, 18, White));
        }
    }

    void PictureStyle() {
        ProgressBarLook look = Look(8, 100, 20, 50);
        QVERIFY(Block(Paint(look), 0, 0, 100, 20, White));
        look.picture = PatternPicture();
        const QImage image = Paint(look);
        for (int y = 2; y < 18; ++y) {
            for (int x = 2; x < 60; ++x) {
                QCOMPARE(image.pixel(x, y), x < 52 ? look.picture.pixel(x % 12, y % 12) : 0xFFFFFFFFu);
            }
        }
        QCOMPARE(At(image, 0, 0), Shadow);
        QCOMPARE(At(image, 99, 19), White);
        look = Look(8, 30, 100, 50, 1, 1);
        look.picture = PatternPicture();
        const QImage vertical = Paint(look);
        QCOMPARE(At(vertical, 1, 49), White);
        QCOMPARE(vertical.pixel(1, 50), look.picture.pixel(1, 50 % 12));
        QCOMPARE(vertical.pixel(28, 99), look.picture.pixel(28 % 12, 99 % 12));
    }

    void GlassStyle() {
        ProgressBarLook look = Look(9, 104, 24, 50);
        look.max = 200; // the glass scales by 100, not by the maximum
        ProgressBarState state;
        const QImage image = Paint(look, state);
        QCOMPARE(state.fill.right, 50);
        QCOMPARE(At(image, 10, 3) != 0xEFEFEF && At(image, 10, 3) != White, true);
        QCOMPARE(At(image, 10, 10), Dark(190)); // lower fill from row h = CLng(10.5) = 10 ...
        QCOMPARE(At(image, 10, 20), C);         // ... to the bar colour at 2h
        QCOMPARE(At(image, 50, 15), 0xC0C0C0u); // the flat silver lower track
        QCOMPARE(At(image, 60, 21), White);
        QVERIFY(Block(Paint(Look(9, 30, 100, 50, 1, 2)), 0, 0, 30, 100, White));
    }

    void TextOffTouchesNoTextState() {
        for (int scrolling = -1; scrolling <= 10; ++scrolling) {
            for (int orientation : {0, 1}) {
                ProgressBarLook look = Look(scrolling, 60, 40, 100, orientation);
                look.picture = PatternPicture();
                QImage image(60, 40, QImage::Format_RGB32);
                const gdi::SysColours colours = gdi::SysColours::Classic();
                gdi::DeviceContext dc(image, colours);
                gdi::SetTextColor(dc, gdi::Colour(0x123456));
                const auto font = dc.CurrentFont().font;
                ProgressBarState state;
                state = PaintProgressBar(dc, look, state);
                QCOMPARE(gdi::GetTextColor(dc).Raw(), 0x123456u);
                QCOMPARE(dc.CurrentFont().font, font);
                QCOMPARE(state.text, gdi::Rect{});
                QVERIFY(scrolling == 7 || gdi::GetBkMode(dc) == gdi::OPAQUE);
            }
        }
    }

    // A paint works out the client and text rectangles afresh and starts every line with a move: what an
    // earlier paint left there, or where it left the pen, changes no pixel and no other part of the state.
    void PaintDoesNotReadTheRectanglesItRecomputes() {
        for (int scrolling = 0; scrolling <= 9; ++scrolling) {
            for (int orientation : {0, 1}) {
                for (int fillOrEmpty : {0, 1, 5}) {
                    ProgressBarLook look = WithText(Look(scrolling, 90, 40, 45, orientation, fillOrEmpty));
                    look.picture = PatternPicture();
                    const auto paint = [&look](ProgressBarState& state, QPoint pen) {
                        QImage image(90, 40, QImage::Format_RGB32);
                        const gdi::SysColours colours = gdi::SysColours::Classic();
                        gdi::DeviceContext dc(image, colours);
                        gdi::MoveToEx(dc, pen.x(), pen.y());
                        state = PaintProgressBar(dc, look, state);
                        return image;
                    };
                    ProgressBarState fresh;
                    ProgressBarState left;
                    left.client = gdi::Rect{5, -7, 3000, 2};
                    left.text = gdi::Rect{-40, 80, 7, 9};
                    const QImage expected = paint(fresh, QPoint(0, 0));
                    const QImage image = paint(left, QPoint(77, -3));
                    QVERIFY2(image == expected && left == fresh,
                             qPrintable(QStringLiteral("style %1 orientation %2 fill %3")
                                            .arg(scrolling)
                                            .arg(orientation)
                                            .arg(fillOrEmpty)));
                }
            }
        }
    }

    void TextIsCentred() {
        const ProgressBarLook look = WithText(Look(4, 357, 24, 45));
        ProgressBarState state;
        const QImage image = Paint(look, state);
        const gdi::Rect& text = state.text;
        QVERIFY(text.Width() > 10 && text.Height() > 5);
        QVERIFY(std::abs(text.left + text.right - 357) <= 1);
        QVERIFY(std::abs(text.top + text.bottom - 24) <= 1);
        QVERIFY(Contains(image.copy(text.ToQRect().value()), Black));
        QVERIFY(!Contains(image.copy(0, 0, text.left, 24), Black));
    }

    void DarkTextTurnsLightWhereTheBarIs() {
        ProgressBarLook look = WithText(Look(6, 200, 24, 0));
        QImage image = Paint(look);
        QVERIFY(Contains(image, 0xC0C0C0));
        QVERIFY(!Contains(image, Lit(80)));
        look.value = 100;
        image = Paint(look);
        QVERIFY(!Contains(image, 0xC0C0C0));
        QVERIFY(Contains(image, Lit(80)));
    }
};

QTEST_MAIN(TestProgressBarPaint)
#include "TestProgressBarPaint.moc"
