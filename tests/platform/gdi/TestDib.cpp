#include <limits>
#include <optional>
#include <vector>

#include <QtTest>

#include "GuardedTest.h"

#include "PixelPicture.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/ObjectCountGuard.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

// A picture whose every pixel is different: red = x, green = y, blue = 7.
QImage Numbered(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x, y, 7));
        }
    }
    return image;
}

BitmapInfoHeader Header(int width, int height, int bits = 24) {
    BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = static_cast<std::uint16_t>(bits);
    return info;
}

} // namespace

class TestDib : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private:
    const SysColours colours_ = SysColours::Classic();

private slots:
    void RowPadding_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("bits");
        QTest::addColumn<uint>("bytes");
        QTest::newRow("1 px 24") << 1 << 24 << 4u;
        QTest::newRow("3 px 24") << 3 << 24 << 12u;
        QTest::newRow("5 px 24") << 5 << 24 << 16u;
        QTest::newRow("32 px 24") << 32 << 24 << 96u;
        QTest::newRow("5 px 32") << 5 << 32 << 20u;
        QTest::newRow("negative") << -1 << 24 << 0u;
    }
    void RowPadding() {
        QFETCH(int, width);
        QFETCH(int, bits);
        QFETCH(uint, bytes);
        QCOMPARE(DibRowBytes(width, bits), std::uint32_t(bytes));
    }

    void GetBitsIsBottomUpBgr() {
        const ObjectCountGuard guard;
        {
            DcPtr display = CreateDCA(u"DISPLAY", colours_);
            const Bitmap bitmap = CreateBitmapFromImage(Numbered(3, 2));
            BitmapInfoHeader info = Header(0, 0);
            info.biBitCount = 0;
            QCOMPARE(GetDIBits(*display, bitmap, 0, 2, {}, info, DIB_RGB_COLORS), 1);
            QCOMPARE(info.biWidth, 3);
            QCOMPARE(info.biHeight, 2);
            QCOMPARE(info.biBitCount, std::uint16_t(32));

            info = Header(3, 2);
            std::vector<std::uint8_t> bits(std::size_t{2} * 12, 0xEE);
            QCOMPARE(GetDIBits(*display, bitmap, 0, 2, bits, info, DIB_RGB_COLORS), 2);
            // First stored row is the bottom row (y = 1): B G R per pixel, then 3 bytes of padding.
            const std::vector<std::uint8_t> expected{7, 1, 0, 7, 1, 1, 7, 1, 2, 0, 0, 0,
                                                     7, 0, 0, 7, 0, 1, 7, 0, 2, 0, 0, 0};
            QCOMPARE(bits, expected);
            // Top-down, one line from the second.
            info = Header(3, -2);
            std::vector<std::uint8_t> one(12);
            QCOMPARE(GetDIBits(*display, bitmap, 1, 5, one, info, DIB_RGB_COLORS), 1);
            QCOMPARE(one[1], std::uint8_t(1));
            // Bad headers and short buffers fail.
            std::vector<std::uint8_t> small(10);
            QCOMPARE(GetDIBits(*display, bitmap, 0, 1, small, info, DIB_RGB_COLORS), 0);
            BitmapInfoHeader wrong = Header(4, 2);
            QCOMPARE(GetDIBits(*display, bitmap, 0, 2, bits, wrong, DIB_RGB_COLORS), 0);
            wrong = Header(3, 2);
            wrong.biSize = 12;
            QCOMPARE(GetDIBits(*display, bitmap, 0, 2, bits, wrong, DIB_RGB_COLORS), 0);
            wrong = Header(3, 2, 16);
            QCOMPARE(GetDIBits(*display, bitmap, 0, 2, bits, wrong, DIB_RGB_COLORS), 0);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void RoundTrip() {
        // The round trip the gradient drawing makes: read a 32x32 block, put it back elsewhere.
        QImage image = Numbered(40, 40);
        DeviceContext dc(image, colours_);
        DcPtr memory = CreateCompatibleDC(&dc);
        const Bitmap bitmap = CreateCompatibleBitmap(dc, 32, 32);
        const SelectedObject previous = SelectObject(*memory, bitmap);
        QVERIFY(BitBlt(*memory, 0, 0, 32, 32, &dc, 4, 4, SRCCOPY));
        SelectObject(*memory, previous);
        BitmapInfoHeader info = Header(32, 32);
        std::vector<std::uint8_t> bits(std::size_t{DibRowBytes(32, 24)} * 32);
        QCOMPARE(GetDIBits(dc, bitmap, 0, 32, bits, info, DIB_RGB_COLORS), 32);
        QImage out = Blank(40, 40, 0xFF000000u);
        DeviceContext outDc(out, colours_);
        QCOMPARE(SetDIBitsToDevice(outDc, 8, 8, 32, 32, 0, 0, 0, 32, bits, info, DIB_RGB_COLORS), 32);
        QCOMPARE(out.copy(8, 8, 32, 32), image.copy(4, 4, 32, 32));
        QCOMPARE(out.pixel(7, 7), 0xFF000000u);

        // A part of the DIB: source (2, 1) counted from the bottom, 3x2 pixels.
        QImage part = Blank(5, 5, 0xFF000000u);
        DeviceContext partDc(part, colours_);
        SetDIBitsToDevice(partDc, 1, 1, 3, 2, 2, 1, 0, 32, bits, info, DIB_RGB_COLORS);
        // Rows 29..30 of the block from its top (32 - 1 - 2 = 29), columns 2..4.
        QCOMPARE(part.pixel(1, 1), image.pixel(4 + 2, 4 + 29));
        QCOMPARE(part.pixel(3, 2), image.pixel(4 + 4, 4 + 30));
        QCOMPARE(part.pixel(4, 1), 0xFF000000u);
        // Only the scan lines given: lines 0..9 of a bottom-up DIB are its bottom ten rows.
        QImage band = Blank(32, 32, 0xFF000000u);
        DeviceContext bandDc(band, colours_);
        QCOMPARE(SetDIBitsToDevice(bandDc, 0, 0, 32, 32, 0, 0, 0, 10, bits, info, DIB_RGB_COLORS), 10);
        QCOMPARE(band.pixel(5, 31), image.pixel(9, 35));
        QCOMPARE(band.pixel(5, 21), 0xFF000000u);
        QCOMPARE(SetDIBitsToDevice(bandDc, 0, 0, 32, 32, 0, 0, 0, 40, bits, info, DIB_RGB_COLORS), 0);
    }

    void FarAndTinyTargets() {
        std::vector<std::uint8_t> bits(std::size_t{DibRowBytes(4, 24)} * 4, 0x55);
        const BitmapInfoHeader info = Header(4, 4);
        for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(3, 3)}) {
            QImage image = Blank(size.width(), size.height());
            DeviceContext dc(image, colours_);
            for (const auto& [x, y] :
                 {std::pair{Min, Min}, std::pair{Max, Max}, std::pair{-1000000, 0}, std::pair{-2, -2}}) {
                SetDIBitsToDevice(dc, x, y, 0xFFFFFFFFu, 0xFFFFFFFFu, Min, Max, 0, 4, bits, info,
                                  DIB_RGB_COLORS);
                BitBlt(dc, x, y, Max, Max, &dc, y, x, SRCCOPY);
                BitBlt(dc, 0, 0, Max, Max, &dc, x, y, SRCCOPY);
                DrawIconEx(dc, x, y, Numbered(4, 4), 0, 0, DI_NORMAL);
            }
        }
    }

    void BlitOverlapAndMonochrome() {
        QImage image = Numbered(6, 1);
        const QImage before = image.copy();
        DeviceContext dc(image, colours_);
        QVERIFY(BitBlt(dc, 1, 0, 5, 1, &dc, 0, 0, SRCCOPY));
        for (int x = 1; x < 6; ++x) {
            QCOMPARE(image.pixel(x, 0), before.pixel(x - 1, 0));
        }
        // Monochrome source: black takes the text colour, white the background colour.
        DcPtr memory = CreateCompatibleDC(&dc);
        const std::uint8_t row[] = {0x40, 0x00};
        const Bitmap mono = CreateBitmap(2, 1, 1, 1, row);
        const SelectedObject previous = SelectObject(*memory, mono);
        SetTextColor(dc, Colour(0x0000FF));
        SetBkColor(dc, Colour(0x00FF00));
        QVERIFY(BitBlt(dc, 0, 0, 2, 1, memory.get(), 0, 0, SRCCOPY));
        QCOMPARE(image.pixel(0, 0), 0xFFFF0000u);
        QCOMPARE(image.pixel(1, 0), 0xFF00FF00u);
        SelectObject(*memory, previous);
        QVERIFY(!BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
        QVERIFY(!BitBlt(dc, 0, 0, 1, 1, &dc, 0, 0, 0x12345678u));
    }

    void NearestColours() {
        QImage image = Blank(1, 1);
        DeviceContext dc(image, colours_);
        QCOMPARE(GetNearestColor(dc, Colour(0x123456)), Colour(0x123456));
        QCOMPARE(GetNearestColor(dc, Colour(0x80000010u)), Colour(0x808080));
        DcPtr memory = CreateCompatibleDC(&dc);
        QCOMPARE(GetNearestColor(*memory, Colour(0xE0E0E0)), Colour(0xFFFFFF));
        QCOMPARE(GetNearestColor(*memory, Colour(0x202020)), Colour(0x000000));
    }

    void Icons() {
        QImage icon(2, 1, QImage::Format_ARGB32);
        icon.setPixel(0, 0, qRgba(255, 0, 0, 255));
        icon.setPixel(1, 0, qRgba(0, 0, 0, 0));
        QImage image = Blank(4, 2);
        DeviceContext dc(image, colours_);
        QVERIFY(DrawIconEx(dc, 1, 1, icon, 0, 0, DI_NORMAL));
        QCOMPARE(image.pixel(1, 1), 0xFFFF0000u);
        QCOMPARE(image.pixel(2, 1), 0xFFFFFFFFu);
        QVERIFY(DrawIconEx(dc, 0, 0, icon, 4, 1, DI_NORMAL)); // scaled to twice the width
        QCOMPARE(image.pixel(0, 0), 0xFFFF0000u);
        QCOMPARE(image.pixel(3, 0), 0xFFFFFFFFu);
        QVERIFY(!DrawIconEx(dc, 0, 0, QImage(), 0, 0, DI_NORMAL));
        QVERIFY(!DrawIconEx(dc, 0, 0, icon, -1, 0, DI_NORMAL));
        QVERIFY(DrawIconEx(dc, 0, 0, QIcon(QPixmap::fromImage(icon)), 2, 1, DI_NORMAL));
        // With a background brush the transparent parts show the brush.
        const Brush mask = CreateSolidBrush(Colour(0x00FF00));
        QImage masked = Blank(3, 1);
        DeviceContext maskedDc(masked, colours_);
        QVERIFY(DrawIconEx(maskedDc, 0, 0, icon, 0, 0, 0, mask, DI_NORMAL));
        QCOMPARE(masked.pixel(0, 0), 0xFFFF0000u);
        QCOMPARE(masked.pixel(1, 0), 0xFF00FF00u);
        QCOMPARE(masked.pixel(2, 0), 0xFFFFFFFFu);
        QVERIFY(DrawIconEx(maskedDc, 1, 0, QIcon(QPixmap::fromImage(icon)), 0, 0, 0, mask, DI_NORMAL));
        QCOMPARE(masked.pixel(2, 0), 0xFF00FF00u);
    }
};

QTEST_MAIN(TestDib)
#include "TestDib.moc"
