#include <QTest>

#include "controls/option/StateImagePainter.h"
#include "platform/gdi/SysColours.h"
#include "tests/platform/gdi/PixelPicture.h"
#include "tests/support/DrawingStepGuard.h"

using namespace kelvo;
using namespace kelvo::controls;
using kelvo::gdi::test::Blank;
using kelvo::gdi::test::Picture;

namespace {

constexpr QRgb Background = 0xFF00FF00u;
// F frame, W face, M mark.
const std::map<QRgb, char> Legend{
    {Background, '.'}, {0xFF808080u, 'F'}, {0xFFFFFFFFu, 'W'}, {0xFF000000u, 'M'}};

} // namespace

// The stand-in state images, drawn on pictures one pixel larger than the box so an overrun shows.
class TestStateImagePainter : public QObject {
    Q_OBJECT

private slots:
    void boxes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("set");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("cleared") << QSize(5, 4) << false
                                 << QStringList{"FFFFF.", "FWWWF.", "FWWWF.", "FFFFF.", "......"};
        QTest::newRow("set, mark inset by four")
            << QSize(10, 9) << true
            << QStringList{"FFFFFFFFFF.", "FWWWWWWWWF.", "FWWWWWWWWF.", "FWWWWWWWWF.", "FWWWMMWWWF.",
                           "FWWWWWWWWF.", "FWWWWWWWWF.", "FWWWWWWWWF.", "FFFFFFFFFF.", "..........."};
        QTest::newRow("set, too small for a mark")
            << QSize(8, 4) << true
            << QStringList{"FFFFFFFF.", "FWWWWWWF.", "FWWWWWWF.", "FFFFFFFF.", "........."};
    }
    void boxes() {
        QFETCH(QSize, size);
        QFETCH(bool, set);
        QFETCH(QStringList, expected);
        QImage image = Blank(size.width() + 1, size.height() + 1, Background);
        const gdi::SysColours colours = gdi::SysColours::Classic();
        gdi::DeviceContext dc(image, colours);
        const tests::DrawingStepGuard guard(dc);
        PaintStateImage(dc, StateImageLook{.width = size.width(), .height = size.height(), .set = set});
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(Picture(image, Legend), expected);
    }
};

QTEST_MAIN(TestStateImagePainter)
#include "TestStateImagePainter.moc"
