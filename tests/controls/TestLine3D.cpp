#include <QSignalSpy>
#include <QTest>

#include "controls/line/sknLine3D.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"
#include "tests/support/BagKeys.h"

using namespace kelvo;
using namespace kelvo::controls;

namespace {

constexpr QRgb Shadow = 0xff808080;    // classic 3-D shadow
constexpr QRgb Highlight = 0xffffffff; // classic 3-D highlight

} // namespace

class TestLine3D : public QObject {
    Q_OBJECT

    host::HostContext host_;

    std::unique_ptr<sknLine3D> Line(QSize size, std::int32_t lineType = 1) {
        auto line = std::make_unique<sknLine3D>(host_);
        line->resize(size);
        line->LoadNew();
        if (lineType != 1) {
            line->SetLineTypes(lineType);
        }
        return line;
    }

    static bool RowIs(const QImage& image, int y, QRgb colour) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour) {
                return false;
            }
        }
        return true;
    }
    static bool ColumnIs(const QImage& image, int x, QRgb colour) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != colour) {
                return false;
            }
        }
        return true;
    }

private slots:
    void orientationAndThickness_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("lineType");
        QTest::addColumn<QSize>("result");
        QTest::newRow("sunken horizontal") << QSize(200, 30) << 1 << QSize(200, 2);
        QTest::newRow("sunken vertical") << QSize(30, 200) << 1 << QSize(2, 200);
        QTest::newRow("square is horizontal") << QSize(40, 40) << 1 << QSize(40, 2);
        QTest::newRow("raised") << QSize(100, 5) << 2 << QSize(100, 2);
        QTest::newRow("type 0") << QSize(100, 5) << 0 << QSize(100, 1);
        QTest::newRow("type 3 vertical") << QSize(5, 100) << 3 << QSize(1, 100);
        QTest::newRow("type -1") << QSize(100, 5) << -1 << QSize(100, 1);
        QTest::newRow("type 1000") << QSize(100, 5) << 1000 << QSize(100, 1);
    }
    void orientationAndThickness() {
        QFETCH(QSize, size);
        QFETCH(int, lineType);
        QFETCH(QSize, result);
        auto line = Line(size, lineType);
        QCOMPARE(line->size(), result);
        const QImage& surface = line->Surface().Image();
        const bool horizontal = result.width() >= result.height();
        const QRgb first = lineType == 2 ? Highlight : Shadow;
        QVERIFY(horizontal ? RowIs(surface, 0, first) : ColumnIs(surface, 0, first));
        if (lineType == 1 || lineType == 2) {
            const QRgb second = lineType == 2 ? Shadow : Highlight;
            QVERIFY(horizontal ? RowIs(surface, 1, second) : ColumnIs(surface, 1, second));
        }
    }

    void drawStyleClearsFirst() {
        auto line = Line(QSize(200, 2));
        QVERIFY(RowIs(line->Surface().Image(), 0, Shadow));
        QVERIFY(RowIs(line->Surface().Image(), 1, Highlight));
        QSignalSpy notified(line.get(), &host::UserControl::PropertyChangeNotified);
        line->SetDrawStyle(2); // dotted: the gaps show the background again, not the old solid line
        QCOMPARE(line->DrawStyle(), 2);
        QCOMPARE(notified.size(), 1);
        QCOMPARE(notified.first().first().toString(), QStringLiteral("DrawStyle"));
        // Dots of three pixels and gaps of three from the start of each line.
        const QImage& surface = line->Surface().Image();
        const QRgb background = host_.Resolve(line->Surface().BackColor()).ToQRgb();
        for (int x = 0; x < surface.width(); ++x) {
            const bool dot = x % 6 < 3;
            QCOMPARE(surface.pixel(x, 0), dot ? Shadow : background);
            QCOMPARE(surface.pixel(x, 1), dot ? Highlight : background);
        }
    }

    void followsTheSystemColours() {
        // A host of its own, so a failure here leaves the shared one as it was.
        gdi::SysColours colours = gdi::SysColours::Classic();
        colours.SetSysColor(16, gdi::Colour::FromRgb(10, 20, 30));
        host::HostContext host(colours);
        sknLine3D line(host);
        line.resize(50, 2);
        line.LoadNew();
        QCOMPARE(line.Surface().Image().pixel(10, 0), qRgb(10, 20, 30));
    }

    void storedProperties() {
        host::PropertyBag bag;
        bag.Write(QStringLiteral("LineType"), std::int16_t{2});
        bag.Write(QStringLiteral("3DShadow"), gdi::Colour(0x7F000000u)); // stray high bits
        sknLine3D line(host_);
        line.resize(60, 10);
        line.LoadStored(bag);
        QCOMPARE(line.LineTypes(), 2);
        QCOMPARE(line.Border3DShadow(), sknLine3D::DefaultShadow);
        QCOMPARE(bag.Errors().size(), 1);
        host::PropertyBag saved;
        line.Save(saved);
        const QStringList keys = kelvo::test::BagKeys(saved);
        QCOMPARE(keys, (QStringList{"LineType", "3DHighlight", "3DShadow", "DrawStyle"})); // always written
    }

    void degenerateSizes() {
        auto empty = Line(QSize(0, 0));
        QCOMPARE(empty->height(), 2);
        auto huge = Line(QSize(100000, 100000));
        QVERIFY(huge->width() <= host::HostContext::MaxSide);
    }
};

QTEST_MAIN(TestLine3D)
#include "TestLine3D.moc"
