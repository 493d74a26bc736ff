#include <QTest>

#include "controls/line/Line3DPainter.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/SysColours.h"
#include "tests/platform/gdi/PixelPicture.h"
#include "tests/support/DrawingStepGuard.h"

using namespace kelvo;
using namespace kelvo::controls;
using kelvo::gdi::test::Blank;
using kelvo::gdi::test::Picture;

namespace {

constexpr QRgb Background = 0xFF00FF00u;
// Classic colours: S 3-D shadow, H 3-D highlight.
const std::map<QRgb, char> Legend{{Background, '.'}, {0xFF808080u, 'S'}, {0xFFFFFFFFu, 'H'}};

} // namespace

// The 3-D line drawn on its own, on pictures just big enough to show where every line ends.
class TestLine3DPainter : public QObject {
    Q_OBJECT

    const gdi::SysColours colours_ = gdi::SysColours::Classic();

private slots:
    void linesOfEachType_data() {
        QTest::addColumn<int>("lineType");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("drawStyle");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sunken horizontal")
            << 1 << true << 0 << QStringList{"SSSSS...", "HHHHH...", "........"};
        QTest::newRow("raised horizontal")
            << 2 << true << 0 << QStringList{"HHHHH...", "SSSSS...", "........"};
        QTest::newRow("single horizontal")
            << 0 << true << 0 << QStringList{"SSSSS...", "........", "........"};
        QTest::newRow("type 7 is single")
            << 7 << true << 0 << QStringList{"SSSSS...", "........", "........"};
        QTest::newRow("sunken vertical")
            << 1 << false << 0 << QStringList{"SH.", "SH.", "SH.", "SH.", "SH.", "..."};
        QTest::newRow("raised vertical")
            << 2 << false << 0 << QStringList{"HS.", "HS.", "HS.", "HS.", "HS.", "..."};
        QTest::newRow("single vertical")
            << -1 << false << 0 << QStringList{"S..", "S..", "S..", "S..", "S..", "..."};
        // Dots of three pixels and gaps of three, each line starting with a dot.
        QTest::newRow("dotted sunken horizontal")
            << 1 << true << 2 << QStringList{"SSS...S.", "HHH...H.", "........"};
    }
    void linesOfEachType() {
        QFETCH(int, lineType);
        QFETCH(bool, horizontal);
        QFETCH(int, drawStyle);
        QFETCH(QStringList, expected);
        QImage image = horizontal ? Blank(8, 3, Background) : Blank(3, 6, Background);
        gdi::DeviceContext dc(image, colours_);
        gdi::SetBkMode(dc, gdi::TRANSPARENT); // as on a control's surface: the gaps leave what was there
        Line3DLook look;
        look.lineType = lineType;
        look.pen.drawStyle = static_cast<std::int16_t>(drawStyle);
        const std::int32_t length = drawStyle == 0 ? 5 : 7;
        const tests::DrawingStepGuard guard(dc);
        PaintLine3D(dc, look, horizontal ? LineDirection::Horizontal : LineDirection::Vertical, length);
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(Picture(image, Legend), expected);
    }

    void thickness_data() {
        QTest::addColumn<int>("lineType");
        QTest::addColumn<int>("thickness");
        QTest::newRow("sunken") << 1 << 2;
        QTest::newRow("raised") << 2 << 2;
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("3") << 3 << 1;
        QTest::newRow("negative") << -2 << 1;
    }
    void thickness() {
        QFETCH(int, lineType);
        QFETCH(int, thickness);
        QCOMPARE(Line3DThickness(lineType), thickness);
    }

    void colourReferencesFollowTheContextsSystemColours() {
        gdi::SysColours colours = gdi::SysColours::Classic();
        colours.SetSysColor(16, gdi::Colour::FromRgb(10, 20, 30));
        colours.SetSysColor(20, gdi::Colour::FromRgb(40, 50, 60));
        QImage image = Blank(4, 2, Background);
        gdi::DeviceContext dc(image, colours);
        PaintLine3D(dc, Line3DLook{}, LineDirection::Horizontal, 4);
        QCOMPARE(image.pixel(3, 0), qRgb(10, 20, 30));
        QCOMPARE(image.pixel(0, 1), qRgb(40, 50, 60));
        // Colours given as RGB are used as they are.
        Line3DLook look;
        look.shadow = gdi::Colour::FromRgb(1, 2, 3);
        PaintLine3D(dc, look, LineDirection::Horizontal, 4);
        QCOMPARE(image.pixel(0, 0), qRgb(1, 2, 3));
    }
};

QTEST_MAIN(TestLine3DPainter)
#include "TestLine3DPainter.moc"
