#include <limits>
#include <optional>

#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/gdi/Raster.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {
constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
const std::map<QRgb, char> Legend{
    {0xFFFFFFFFu, '.'}, {0xFF000000u, '#'}, {0xFFFF0000u, 'r'}, {0xFF0000FFu, 'b'}};
} // namespace

class TestFill : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private:
    const SysColours colours_ = SysColours::Classic();

private slots:
    void FillRectRects_data() {
        QTest::addColumn<Rect>("rect");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("inner") << Rect{1, 1, 4, 3} << QStringList{"......", ".###..", ".###..", "......"};
        QTest::newRow("inverted keeps first corner")
            << Rect{4, 3, 1, 1} << QStringList{"......", "......", "..###.", "..###."};
        QTest::newRow("zero width") << Rect{2, 0, 2, 4}
                                    << QStringList{"......", "......", "......", "......"};
        QTest::newRow("over the edges")
            << Rect{-1000000, 2, 1000000, 1000000} << QStringList{"......", "......", "######", "######"};
        QTest::newRow("limits") << Rect{Min, Min, Max, Max}
                                << QStringList{"######", "######", "######", "######"};
        QTest::newRow("inverted limits")
            << Rect{Max, Max, Min, Min} << QStringList{"######", "######", "######", "######"};
        QTest::newRow("outside") << Rect{6, 0, 9, 4} << QStringList{"......", "......", "......", "......"};
    }
    void FillRectRects() {
        QFETCH(Rect, rect);
        QFETCH(QStringList, expected);
        QImage image = Blank(6, 4);
        const ObjectCountGuard guard;
        {
            DeviceContext dc(image, colours_);
            const Brush brush = CreateSolidBrush(Colour(0));
            QVERIFY(FillRect(dc, rect, brush));
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(Picture(image, Legend), expected);
    }

    void TinyImages() {
        for (const QSize size : {QSize(0, 0), QSize(1, 1)}) {
            QImage image = Blank(size.width(), size.height());
            DeviceContext dc(image, colours_);
            const Brush brush = CreateHatchBrush(HS_CROSS, Colour(0));
            FillRect(dc, Rect{Min, Min, Max, Max}, brush);
            FrameRect(dc, Rect{-5, -5, 5, 5}, brush);
            PatBlt(dc, Max, Max, Max, Max, PATINVERT);
            PatBlt(dc, Min, Min, Min, Min, PATCOPY);
        }
        QImage empty;
        DeviceContext dc(empty, colours_);
        QVERIFY(!FillRect(dc, Rect{0, 0, 1, 1}, 16));
    }

    void HatchPatterns_data() {
        QTest::addColumn<int>("hatch");
        for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
            QTest::newRow(qPrintable(QString::number(hatch))) << hatch;
        }
    }
    void HatchPatterns() {
        QFETCH(int, hatch);
        // The expectations from the pattern geometry, not from the table the code uses.
        const auto set = [hatch](int x, int y) {
            switch (hatch) {
            case HS_HORIZONTAL:
                return y == 3;
            case HS_VERTICAL:
                return x == 4;
            case HS_FDIAGONAL:
                return x == y;
            case HS_BDIAGONAL:
                return x == 7 - y;
            case HS_CROSS:
                return x == 4 || y == 3;
            default:
                return x == y || x == 7 - y;
            }
        };
        for (const int mode : {OPAQUE, TRANSPARENT}) {
            for (const QPoint origin : {QPoint(0, 0), QPoint(3, -2)}) {
                QImage image = Blank(19, 10);
                DeviceContext dc(image, colours_);
                SetBkColor(dc, Colour(0xFF0000)); // blue
                SetBkMode(dc, mode);
                SetBrushOrgEx(dc, origin.x(), origin.y());
                const Brush brush = CreateHatchBrush(hatch, Colour(0x0000FF)); // red
                FillRect(dc, Rect{1, 1, 18, 9}, brush);
                for (int y = 0; y < 10; ++y) {
                    for (int x = 0; x < 19; ++x) {
                        QRgb expected = 0xFFFFFFFFu;
                        if (x >= 1 && x < 18 && y >= 1 && y < 9) {
                            const int px = ((x - origin.x()) % 8 + 8) % 8;
                            const int py = ((y - origin.y()) % 8 + 8) % 8;
                            expected =
                                set(px, py) ? 0xFFFF0000u : (mode == OPAQUE ? 0xFF0000FFu : 0xFFFFFFFFu);
                        }
                        QCOMPARE(image.pixel(x, y), expected);
                    }
                }
            }
        }
    }

    void PatternBrushes() {
        const ObjectCountGuard guard;
        {
            // 2x2 monochrome bitmap: top-left and bottom-right set (white).
            const std::uint8_t bits[] = {0x80, 0x00, 0x40, 0x00};
            const Bitmap mono = CreateBitmap(2, 2, 1, 1, bits);
            QVERIFY(mono);
            const Brush brush = CreatePatternBrush(mono);
            QImage image = Blank(5, 3);
            DeviceContext dc(image, colours_);
            SetTextColor(dc, Colour(0x0000FF)); // 0 bits red
            SetBkColor(dc, Colour(0xFF0000));   // 1 bits blue
            SetBrushOrgEx(dc, 1, 0);
            FillRect(dc, Rect{0, 0, 5, 3}, brush);
            QCOMPARE(Picture(image, Legend), (QStringList{"rbrbr", "brbrb", "rbrbr"}));

            QImage colourImage = Blank(3, 1);
            colourImage.setPixel(1, 0, 0xFF000000u);
            const Bitmap colourBitmap = CreateBitmapFromImage(colourImage);
            const Brush colourBrush = CreatePatternBrush(colourBitmap);
            SetBrushOrgEx(dc, 0, 0);
            FillRect(dc, Rect{0, 0, 5, 1}, colourBrush);
            QCOMPARE(Picture(image, Legend).first(), QStringLiteral(".#..#"));
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void FrameRectStrips_data() {
        QTest::addColumn<Rect>("rect");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("box") << Rect{1, 0, 5, 4} << QStringList{".####.", ".#..#.", ".#..#.", ".####."};
        QTest::newRow("one row") << Rect{0, 1, 3, 2} << QStringList{"......", "###...", "......", "......"};
        QTest::newRow("empty") << Rect{2, 1, 2, 3} << QStringList{"......", "......", "......", "......"};
        QTest::newRow("inverted") << Rect{5, 3, 1, 1} << QStringList{"......", "......", "......", "......"};
        QTest::newRow("over the edge")
            << Rect{-1, -1, 3, 7} << QStringList{"..#...", "..#...", "..#...", "..#..."};
    }
    void FrameRectStrips() {
        QFETCH(Rect, rect);
        QFETCH(QStringList, expected);
        QImage image = Blank(6, 4);
        DeviceContext dc(image, colours_);
        const Brush brush = CreateSolidBrush(Colour(0));
        FrameRect(dc, rect, brush);
        QCOMPARE(Picture(image, Legend), expected);
    }

    void PatBltOperations() {
        QImage image = Blank(4, 2);
        DeviceContext dc(image, colours_);
        const Brush brush = CreateSolidBrush(Colour(0x0000FF));
        const SelectedObject previous = SelectObject(dc, brush);
        QVERIFY(PatBlt(dc, 0, 0, 2, 2, PATCOPY));
        QCOMPARE(Picture(image, Legend), (QStringList{"rr..", "rr.."}));
        QVERIFY(PatBlt(dc, 3, 1, -2, -1, PATINVERT)); // columns 2..3, row 1
        QCOMPARE(image.pixel(2, 1), 0xFF00FFFFu);
        QVERIFY(PatBlt(dc, 3, 1, -2, -1, PATINVERT));
        QCOMPARE(Picture(image, Legend), (QStringList{"rr..", "rr.."}));
        QVERIFY(!PatBlt(dc, 0, 0, 1, 1, 0x00CC0020u));
        SelectObject(dc, previous);
    }

    void SystemColourBrushValue() {
        QImage image = Blank(2, 1);
        DeviceContext dc(image, colours_);
        QVERIFY(FillRect(dc, Rect{0, 0, 1, 1}, COLOR_BTNFACE + 1));
        QCOMPARE(image.pixel(0, 0), Q(0xC8D0D4));
        QVERIFY(!FillRect(dc, Rect{0, 0, 1, 1}, 0));
        QVERIFY(!FillRect(dc, Rect{0, 0, 1, 1}, 32));
    }

    void MixingModes_data() {
        QTest::addColumn<int>("rop2");
        QTest::addColumn<uint>("expected");
        // destination 0x00F0F0 (as 0xRRGGBB) = 0xF0F000 bgr, pen 0x0F00FF rgb.
        QTest::newRow("black") << 1 << 0xFF000000u;
        QTest::newRow("not merge") << 2 << (0xFF000000u | (~(0x00F0F0u | 0x0F00FFu) & 0xFFFFFFu));
        QTest::newRow("xor") << 7 << (0xFF000000u | (0x00F0F0u ^ 0x0F00FFu));
        QTest::newRow("nop") << 11 << 0xFF00F0F0u;
        QTest::newRow("copy") << 13 << 0xFF0F00FFu;
        QTest::newRow("merge") << 15 << (0xFF000000u | 0x00F0F0u | 0x0F00FFu);
        QTest::newRow("white") << 16 << 0xFFFFFFFFu;
    }
    void MixingModes() {
        QFETCH(int, rop2);
        QFETCH(uint, expected);
        QCOMPARE(Raster::Mix(0xFF00F0F0u, 0xFF0F00FFu, rop2), QRgb(expected));
    }
};

QTEST_MAIN(TestFill)
#include "TestFill.moc"
