// The bar accepts any value for every property; whatever it is given, a paint completes, writes only
// inside the pixels it was given and leaves no drawing object behind.
#include <limits>
#include <vector>

#include <QtTest>

#include "ProgressBarRig.h"
#include "controls/progressbar/BarColour.h"
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls::progressbar;
using namespace kelvo::controls::progressbar::test;

namespace {

constexpr std::int32_t Big = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Least = std::numeric_limits<std::int32_t>::min();
constexpr quint32 Guard = 0xDEADBEEFu;
constexpr int Pad = 4;

// An image inside a larger block of memory: a guard row above and below and guard pixels at the end of
// every row, so a write outside the image shows without a sanitizer.
class GuardedImage {
public:
    GuardedImage(int width, int height)
        : width_(std::max(width, 0))
        , height_(std::max(height, 0))
        , memory_(static_cast<std::size_t>(width_ + Pad) * static_cast<std::size_t>(height_ + 2), Guard)
        , image_(reinterpret_cast<uchar*>(memory_.data() + width_ + Pad), width_, height_,
                 static_cast<qsizetype>(width_ + Pad) * 4, QImage::Format_RGB32) {}

    QImage& Image() { return image_; }
    bool GuardsIntact() const {
        const auto stride = static_cast<std::size_t>(width_ + Pad);
        for (std::size_t i = 0; i < memory_.size(); ++i) {
            const std::size_t row = i / stride;
            const bool inside = row >= 1 && row <= static_cast<std::size_t>(height_) &&
                                i % stride < static_cast<std::size_t>(width_);
            if (!inside && memory_[i] != Guard) {
                return false;
            }
        }
        return true;
    }

private:
    int width_;
    int height_;
    std::vector<quint32> memory_;
    QImage image_;
};

std::uint32_t At(const QImage& image, int x, int y) {
    return gdi::Colour::FromQRgb(image.pixel(x, y)).Raw();
}

} // namespace

class TestProgressBarBadInput : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void PaintCompletes_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("fillOrEmpty");
        QTest::addColumn<int>("brushStyle");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<bool>("picture");
        QTest::newRow("maximum 0") << 45 << 0 << 60 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("maximum -1") << 45 << -1 << 60 << 24 << 0 << 4 << 0x6A240Au << true;
        QTest::newRow("largest value") << Big << 100 << 60 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("largest value of 1") << Big << 1 << 60 << 24 << 0 << 4 << 0x6A240Au << true;
        QTest::newRow("most negative value") << -Big << 100 << 60 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("least value of -1") << Least << -1 << 60 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("zero size") << 45 << 100 << 0 << 0 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("zero width") << 45 << 100 << 0 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("one pixel") << 45 << 100 << 1 << 1 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("30,000 wide") << 45 << 100 << 30000 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("30,000 wide, largest value") << Big << 1 << 30000 << 24 << 1 << 4 << 0x6A240Au << true;
        QTest::newRow("odd FillOrEmpty") << 45 << 100 << 30 << 90 << 7 << 4 << 0x6A240Au << true;
        QTest::newRow("negative FillOrEmpty") << 45 << 100 << 30 << 90 << -5 << 4 << 0x6A240Au << true;
        QTest::newRow("hatch out of range") << 45 << 100 << 60 << 24 << 1 << 70000 << 0x6A240Au << true;
        QTest::newRow("negative hatch") << 45 << 100 << 60 << 24 << 0 << -1 << 0x6A240Au << true;
        QTest::newRow("stray colour bits") << 45 << 100 << 60 << 24 << 1 << 4 << 0x7F123456u << true;
        QTest::newRow("unresolved colour") << 45 << 100 << 60 << 24 << 1 << 4 << 0xFF000005u << true;
        QTest::newRow("picture of size 0") << 45 << 100 << 60 << 24 << 1 << 4 << 0x6A240Au << false;
    }
    void PaintCompletes() {
        QFETCH(int, value);
        QFETCH(int, max);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, fillOrEmpty);
        QFETCH(int, brushStyle);
        QFETCH(uint, colour);
        QFETCH(bool, picture);
        const gdi::SysColours colours = gdi::SysColours::Classic();
        const QImage pattern = picture ? PatternPicture() : QImage(0, 0, QImage::Format_RGB32);
        for (const int scrolling : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1000}) {
            for (const int orientation : {0, 1, -7}) {
                GuardedImage target(width, height);
                gdi::DeviceContext dc(target.Image(), colours);
                ProgressBarLook look = Look(scrolling, width, height, value, orientation, fillOrEmpty);
                look.max = max;
                look.brushStyle = brushStyle;
                look.colour = gdi::Colour(colour);
                look.picture = pattern;
                look.showText = true;
                ProgressBarState state;
                state = PaintProgressBar(dc, look, state);
                state = PaintProgressBar(dc, look, state); // again, from what the first paint left
                QVERIFY2(
                    target.GuardsIntact(),
                    qPrintable(QStringLiteral("style %1 orientation %2").arg(scrolling).arg(orientation)));
            }
        }
    }

    // A maximum of 0 draws what a fraction of 0 draws: with the largest maximum, 45 is a fraction too small
    // to show. The marquee, the glass and style 6's text scale the value by 100 and draw it either way.
    void MaximumZeroDrawsAnEmptyBar() {
        for (int scrolling = 0; scrolling <= 9; ++scrolling) {
            for (const int orientation : {0, 1}) {
                ProgressBarLook look = Look(scrolling, 80, 60, 45, orientation);
                look.showText = true;
                look.max = 0;
                const QImage undefined = Paint(look);
                QCOMPARE(PercentText(look),
                         scrolling == 2 ? QStringLiteral("Searching..") : QStringLiteral("0 %"));
                look.max = Big;
                QVERIFY2(undefined == Paint(look), qPrintable(QString::number(scrolling)));
            }
        }
    }

    // Far above the maximum the flat fill runs past the right edge; far below 0 the inverted rectangle
    // reaches back to the left edge only.
    void ValuesFarOutOfRangeAreClipped() {
        const std::uint32_t fill = LightenColor(BarColour, 180).Raw();
        QImage image = Paint(Look(3, 100, 20, Big));
        for (int x = 1; x < 100; ++x) {
            QCOMPARE(At(image, x, 10), fill);
        }
        image = Paint(Look(3, 100, 20, -Big));
        QCOMPARE(At(image, 1, 10), fill);
        QCOMPARE(At(image, 2, 10), 0xFFFFFFu);
    }
};

QTEST_MAIN(TestProgressBarBadInput)
#include "TestProgressBarBadInput.moc"
