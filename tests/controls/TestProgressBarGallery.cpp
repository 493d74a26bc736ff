// Draws every look of the progress bar into one picture, build/galleries/progressbar.png, for people to
// judge: each style at 0, 45 and 100 of 100, horizontal and vertical (filling from the bottom and
// emptying from the top), each bar painted through its back buffer onto a surface of its own size.
#include <algorithm>

#include <QDir>
#include <QPainter>
#include <QtTest>

#include "ProgressBarRig.h"
#include "tests/platform/gdi/GuardedTest.h"

using namespace kelvo;
using namespace kelvo::controls::progressbar;
using namespace kelvo::controls::progressbar::test;

namespace {

constexpr int HorizontalWidth = 357; // the main window's bar
constexpr int HorizontalHeight = 24;
constexpr int VerticalWidth = 30;
constexpr int VerticalHeight = 112;
constexpr int Values[] = {0, 45, 100};

const char* const Names[] = {"segmented", "continuous", "marquee", "flat",    "etched",
                             "gloss",     "dark",       "hatched", "picture", "glass"};

// One bar as the control would show it: painted into a back buffer and copied to the control's surface.
QImage ShowBar(const ProgressBarLook& look, const gdi::SysColours& colours) {
    QImage surface(look.clientWidth, look.clientHeight, QImage::Format_RGB32);
    surface.fill(Qt::magenta); // anything the paint misses stands out
    gdi::DeviceContext screen(surface, colours);
    ProgressBarBackBuffer buffer(colours);
    ProgressBarState state;
    const bool buffered = buffer.EnsureBackBuffer(look.clientWidth, look.clientHeight) != nullptr;
    state = DrawProgressBar(buffered ? &buffer : nullptr,
                            ScreenTarget{surface, [&screen]() -> gdi::DeviceContext& { return screen; }},
                            ScreenArea{0, 0, look.clientWidth, look.clientHeight}, look, state);
    return surface;
}

// The pixels of a shown bar that its paint missed: the surface's magenta shows through.
int Missed(const QImage& bar) {
    int missed = 0;
    for (int y = 0; y < bar.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(bar.constScanLine(y));
        missed += static_cast<int>(std::count(row, row + bar.width(), qRgb(0xFF, 0x00, 0xFF)));
    }
    return missed;
}

} // namespace

class TestProgressBarGallery : public gdi::test::GuardedTest {
    Q_OBJECT

private slots:
    void WriteGallery() {
        const gdi::SysColours colours = gdi::SysColours::Classic();
        const QImage pattern = PatternPicture();
        QVERIFY(!pattern.isNull());

        constexpr int labelWidth = 150;
        constexpr int rowHeight = VerticalHeight + 30;
        constexpr int verticalLeft = labelWidth + HorizontalWidth + 30;
        constexpr int verticalPitch = VerticalWidth + 16;
        QImage gallery(verticalLeft + 6 * verticalPitch + 10, 30 + 10 * rowHeight, QImage::Format_RGB32);
        gallery.fill(QColor(0xE4, 0xE6, 0xEA));
        QPainter painter(&gallery);
        QFont labelFont(QStringLiteral("DejaVu Sans"));
        labelFont.setPixelSize(11);
        painter.setFont(labelFont);
        painter.setPen(Qt::black);
        painter.drawText(verticalLeft, 18, QStringLiteral("FillOrEmpty 1"));
        painter.drawText(verticalLeft + 3 * verticalPitch, 18, QStringLiteral("FillOrEmpty 0"));

        // Nothing the bars miss may show: every pixel of each bar is painted.
        QStringList missed;
        const auto show = [&](const ProgressBarLook& look, const QString& name) {
            const QImage bar = ShowBar(look, colours);
            if (const int count = Missed(bar); count > 0) {
                missed << QStringLiteral("%1: %2 pixels").arg(name).arg(count);
            }
            return bar;
        };
        for (int style = 0; style < 10; ++style) {
            const int top = 30 + style * rowHeight;
            painter.drawText(10, top + 14, QStringLiteral("Scrolling %1").arg(style));
            painter.drawText(10, top + 30, QString::fromLatin1(Names[style]));
            for (int i = 0; i < 3; ++i) {
                ProgressBarLook look = Look(style, HorizontalWidth, HorizontalHeight, Values[i]);
                look.showText = true;
                look.picture = pattern;
                const int y = top + i * (HorizontalHeight + 12);
                painter.drawText(labelWidth - 30, y + 16, QString::number(Values[i]));
                painter.drawImage(labelWidth, y,
                                  show(look, QStringLiteral("%1 at %2").arg(Names[style]).arg(Values[i])));
                for (int fillOrEmpty : {1, 0}) {
                    ProgressBarLook vertical =
                        Look(style, VerticalWidth, VerticalHeight, Values[i], 1, fillOrEmpty);
                    vertical.showText = true;
                    vertical.picture = pattern;
                    const int x = verticalLeft + ((fillOrEmpty == 1 ? 0 : 3) + i) * verticalPitch;
                    painter.drawImage(x, top,
                                      show(vertical, QStringLiteral("%1 at %2, vertical, FillOrEmpty %3")
                                                         .arg(Names[style])
                                                         .arg(Values[i])
                                                         .arg(fillOrEmpty)));
                    painter.drawText(x, top + VerticalHeight + 13, QString::number(Values[i]));
                }
            }
        }
        painter.end();

        QVERIFY(QDir().mkpath(QStringLiteral(KELVO_GALLERY_DIR)));
        const QString path = QStringLiteral(KELVO_GALLERY_DIR "/progressbar.png");
        QVERIFY2(gallery.save(path), qPrintable(path));
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestProgressBarGallery)
#include "TestProgressBarGallery.moc"
