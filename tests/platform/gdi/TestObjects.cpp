#include <QtTest>

#include "GuardedTest.h"
#include <optional>

#include "PixelPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Fill.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/gdi/Region.h"

using namespace kelvo::gdi;
using namespace kelvo::gdi::test;

class TestObjects : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private:
    const SysColours colours_ = SysColours::Classic();

private slots:
    void CountsFollowOwnership() {
        const ObjectCountGuard guard;
        Pen pen = CreatePen(PS_SOLID, 1, Colour(0));
        Brush brush = CreateSolidBrush(Colour(0));
        Region region = CreateRectRgn(0, 0, 1, 1);
        QCOMPARE(guard.Report(), QStringLiteral("pens +1, brushes +1, regions +1"));
        Pen moved = std::move(pen);
        QVERIFY(!pen); // NOLINT(bugprone-use-after-move): a moved-from handle holds nothing
        QVERIFY(DeleteObject(moved));
        QVERIFY(!DeleteObject(moved));
        QVERIFY(DeleteObject(brush));
        QVERIFY(DeleteObject(region));
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        // Stock objects are not counted.
        const SelectedObject stock = GetStockObject(GRAY_BRUSH);
        QVERIFY(stock);
        QVERIFY(!GetStockObject(9));
        QVERIFY(guard.Unchanged());
    }

    void DeletingASelectedObjectLeavesTheContextWhole() {
        QImage image = Blank(3, 1);
        DeviceContext dc(image, colours_);
        const ObjectCountGuard guard;
        {
            Pen pen = CreatePen(PS_SOLID, 1, Colour(0));
            SelectObject(dc, pen);
            DeleteObject(pen);
            QVERIFY(guard.Unchanged());
            MoveToEx(dc, 0, 0);
            QVERIFY(LineTo(dc, 3, 0));
            QCOMPARE(image.pixel(2, 0), 0xFF000000u);
            SelectObject(dc, GetStockObject(BLACK_PEN));
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void BadRequestsFail() {
        const ObjectCountGuard guard;
        QVERIFY(!CreatePen(7, 1, Colour(0)));
        QVERIFY(!CreatePen(PS_SOLID, -1, Colour(0)));
        QCOMPARE(CreatePen(PS_SOLID, 0, Colour(0)).Get()->width, 1);
        QCOMPARE(CreatePen(PS_DASH, 2, Colour(0)).Get()->style, PS_SOLID);
        QVERIFY(!CreateHatchBrush(6, Colour(0)));
        QVERIFY(!CreateHatchBrush(-1, Colour(0)));
        QVERIFY(!CreatePatternBrush(Bitmap()));
        QVERIFY(!CreateBitmap(-3, 4, 1, 32));
        QVERIFY(!CreateBitmap(4, 4, 2, 32));
        QVERIFY(!CreateBitmap(4, 4, 1, 24));
        QVERIFY(!CreateBitmap(MaxBitmapSide + 1, 1, 1, 32));
        QVERIFY(!CreateBitmap(MaxBitmapSide, MaxBitmapSide, 1, 32)); // more pixels than allowed
        const std::uint8_t few[2] = {};
        QVERIFY(!CreateBitmap(4, 4, 1, 32, few));
        QVERIFY(CreateBitmap(0, 5, 1, 32).Get()->monochrome);
        QVERIFY(!CreateBitmapFromImage(QImage()));
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void PatternBrushKeepsItsOwnCopy() {
        QImage source = Blank(2, 1, 0xFF000000u);
        Bitmap bitmap = CreateBitmapFromImage(source);
        const Brush brush = CreatePatternBrush(bitmap);
        DeleteObject(bitmap);
        QImage image = Blank(2, 1);
        DeviceContext dc(image, colours_);
        QVERIFY(FillRect(dc, Rect{0, 0, 2, 1}, brush));
        QCOMPARE(image.pixel(1, 0), 0xFF000000u);
    }

    void MemoryContextsOwnTheirFirstBitmap() {
        const ObjectCountGuard guard;
        {
            DcPtr display = CreateDCA(u"DISPLAY", colours_);
            DcPtr memory = CreateCompatibleDC(display.get());
            Bitmap bitmap = CreateCompatibleBitmap(*display, 4, 4);
            const SelectedObject first = SelectObject(*memory, bitmap);
            QVERIFY(PatBlt(*memory, 0, 0, 4, 4, WHITENESS));
            QCOMPARE(bitmap.Get()->image.pixel(3, 3), 0xFFFFFFFFu);
            // Deleting the context gives the bitmap back, free to go elsewhere.
            QVERIFY(DeleteDC(memory));
            DcPtr other = CreateCompatibleDC(display.get());
            QVERIFY(SelectObject(*other, bitmap));
            QVERIFY(!CreateCompatibleDC(nullptr));
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }
};

QTEST_MAIN(TestObjects)
#include "TestObjects.moc"
