#include <QtTest>

#include "GuardedTest.h"
#include <optional>

#include "platform/gdi/Colour.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Lines.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/gdi/SysColours.h"

using namespace kelvo::gdi;

class TestColour : public kelvo::gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void ChannelsAndQtConversion() {
        constexpr Colour colour = Colour::FromRgb(0x12, 0x34, 0x56);
        static_assert(colour.Raw() == 0x563412u);
        QCOMPARE(colour.ToQRgb(), 0xFF123456u);
        QCOMPARE(Colour::FromQRgb(0x80123456u), colour);
        QCOMPARE(Colour::FromQColor(QColor(0x12, 0x34, 0x56)), colour);
        QVERIFY(Colour(0x8000000Fu).IsSystem());
        QVERIFY(!colour.IsSystem());
    }

    void ClassicSystemColours_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<uint>("rgb");
        QTest::newRow("highlight") << 13 << 0x6A240Au;
        QTest::newRow("face") << 15 << 0xC8D0D4u;
        QTest::newRow("shadow") << 16 << 0x808080u;
        QTest::newRow("button text") << 18 << 0x000000u;
        QTest::newRow("button highlight") << 20 << 0xFFFFFFu;
        QTest::newRow("dark shadow") << 21 << 0x404040u;
        QTest::newRow("light") << 22 << 0xC8D0D4u;
        QTest::newRow("outside") << 31 << 0u;
        QTest::newRow("negative") << -1 << 0u;
    }
    void ClassicSystemColours() {
        QFETCH(int, index);
        QFETCH(uint, rgb);
        QCOMPARE(SysColours::Classic().GetSysColor(index).Raw(), rgb);
    }

    void Translation_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<uint>("rgb");
        QTest::newRow("rgb passes") << 0x00123456u << true << 0x00123456u;
        QTest::newRow("system face") << 0x8000000Fu << true << 0xC8D0D4u;
        QTest::newRow("last index") << 0x8000001Eu << true << 0xC8D0D4u;
        QTest::newRow("index past table") << 0x8000001Fu << false << 0u;
        QTest::newRow("stray bits") << 0x8001000Fu << false << 0u;
        QTest::newRow("unknown flag") << 0x4000000Fu << false << 0u;
        QTest::newRow("all ones") << 0xFFFFFFFFu << false << 0u;
    }
    void Translation() {
        QFETCH(uint, value);
        QFETCH(bool, ok);
        QFETCH(uint, rgb);
        const auto translated = SysColours::Classic().OleTranslateColor(Colour(value));
        QCOMPARE(translated.has_value(), ok);
        if (ok) {
            QCOMPARE(translated->Raw(), rgb);
        }
    }

    void PaletteFollowsTheDesktop() {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
        const SysColours colours = SysColours::FromPalette(palette);
        QCOMPARE(colours.GetSysColor(COLOR_BTNFACE), Colour::FromRgb(1, 2, 3));
        QCOMPARE(colours.GetSysColor(COLOR_HIGHLIGHT), Colour::FromRgb(4, 5, 6));
    }

    void ContextsAndCapabilities() {
        const SysColours colours = SysColours::Classic();
        const ObjectCountGuard guard;
        {
            QImage image(4, 4, QImage::Format_RGB32);
            DeviceContext surface(image, colours);
            QCOMPARE(GetDeviceCaps(surface, BITSPIXEL), 32);
            DcPtr display = CreateDCA(u"display", colours);
            QVERIFY(display);
            QVERIFY(!CreateDCA(u"PRINTER", colours));
            QCOMPARE(GetDeviceCaps(*display, BITSPIXEL), 32);
            DcPtr memory = CreateCompatibleDC(display.get());
            QCOMPARE(GetDeviceCaps(*memory, BITSPIXEL), 1);
            Bitmap bitmap = CreateCompatibleBitmap(*display, 8, 8);
            QVERIFY(bitmap);
            const SelectedObject old = SelectObject(*memory, bitmap);
            QVERIFY(old);
            QCOMPARE(GetDeviceCaps(*memory, BITSPIXEL), 32);
            DcPtr other = CreateCompatibleDC(display.get());
            QVERIFY(!SelectObject(*other, bitmap)); // already selected elsewhere
            QVERIFY(!SelectObject(surface, bitmap));
            SelectObject(*memory, old);
            QVERIFY(SelectObject(*other, bitmap));
            QVERIFY(!CreateCompatibleBitmap(*display, -1, 5));
            QVERIFY(!CreateCompatibleBitmap(*display, 100000, 100000));
            QVERIFY(DeleteDC(memory));
            QVERIFY(!DeleteDC(memory));
            QCOMPARE(SetBkMode(surface, 3), 0);
            QCOMPARE(SetBkMode(surface, TRANSPARENT), OPAQUE);
            // The context's own setters refuse what the free functions refuse.
            QVERIFY(!surface.SetBkModeValue(0));
            QCOMPARE(GetBkMode(surface), TRANSPARENT);
            QVERIFY(!surface.SetRop2Value(R2_WHITE + 1));
            QVERIFY(!surface.SetRop2Value(0));
            QCOMPARE(GetROP2(surface), R2_COPYPEN);
            QCOMPARE(SetROP2(surface, 17), 0);
            QCOMPARE(SetROP2(surface, R2_XORPEN), R2_COPYPEN);
            QCOMPARE(SetTextColor(surface, Colour(0xFF)), Colour(0));
            QCOMPARE(GetTextColor(surface), Colour(0xFF));
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }

    void WindowContexts() {
        const SysColours colours = SysColours::Classic();
        const ObjectCountGuard guard;
        {
            QWidget window;
            QPalette palette;
            palette.setColor(QPalette::Window, QColor(1, 2, 3));
            window.setPalette(palette);
            window.setAutoFillBackground(true);
            window.resize(10, 10);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            DcPtr dc = GetDC(&window, colours);
            QVERIFY(dc);
            QCOMPARE(GetBkColor(*dc), Colour::FromRgb(1, 2, 3));
            QCOMPARE(GetPixel(*dc, 5, 5), Colour::FromRgb(1, 2, 3));
            QCOMPARE(GetPixel(*dc, 10, 5), CLR_INVALID);
            QCOMPARE(ReleaseDC(&window, dc), 1);
            QCOMPARE(ReleaseDC(&window, dc), 0);
            DcPtr screen = GetDC(nullptr, colours);
            QCOMPARE(screen->GetKind(), DeviceContext::Kind::Display);
            QCOMPARE(GetPixel(*screen, 0, 0), CLR_INVALID);
        }
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
    }
};

QTEST_MAIN(TestColour)
#include "TestColour.moc"
