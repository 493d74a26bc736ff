#include <cmath>

#include <QApplication>
#include <QBackingStore>
#include <QTest>

#include "RecordingControl.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiConstants.h"
#include "platform/gdi/Text.h"
#include "platform/host/Label.h"

using namespace kelvo;
using namespace kelvo::host;

// The host on a high-resolution screen. The whole program runs at the ratio QT_SCALE_FACTOR gives (2
// unless the test command sets another), as it would on such a screen.
namespace {

constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Blue = 0xFF0000FFu;

// The surface pixel a screen pixel of the window shows: the one under its centre, for every ratio.
int SurfacePixel(int device, qreal ratio, int widgetPosition) {
    return static_cast<int>(std::floor((device + 0.5) / ratio)) - widgetPosition;
}

// What the screen shows of a window: a copy, since the window may replace its backing store.
QImage BackingStore(QWidget& window) {
    const auto* image = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    return image != nullptr ? *image : QImage();
}

// The first screen pixel of the control that does not show the surface pixel under its centre, or
// nothing. At a whole ratio that pixel must match exactly, so each surface pixel is a whole block. At a
// fractional one, where the blocks are one or two pixels wide and where a block starts depends on
// rounding, the screen pixel must take the colour of the surface pixel there or of a neighbour: never a
// blend of them.
QString FirstMismatch(QWidget& window, RecordingControl& control) {
    const qreal ratio = window.devicePixelRatioF();
    const bool whole = ratio == std::floor(ratio);
    const QImage screen = BackingStore(window);
    const QImage& image = control.Surface().Image();
    const QRect place = control.geometry();
    if (screen.size() != window.size() * ratio) {
        return QStringLiteral("the window is %1x%2 pixels").arg(screen.width()).arg(screen.height());
    }
    const int reach = whole ? 0 : 1;
    for (int y = int(std::ceil(place.top() * ratio)); y < int((place.bottom() + 1) * ratio); ++y) {
        for (int x = int(std::ceil(place.left() * ratio)); x < int((place.right() + 1) * ratio); ++x) {
            const QPoint from(SurfacePixel(x, ratio, place.x()), SurfacePixel(y, ratio, place.y()));
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy) {
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    const QPoint near = from + QPoint(dx, dy);
                    found = !image.rect().contains(near) || screen.pixel(x, y) == image.pixel(near);
                }
            }
            if (!found) {
                return QStringLiteral("screen %1,%2 is %3, surface %4,%5 is %6")
                    .arg(x)
                    .arg(y)
                    .arg(screen.pixel(x, y), 8, 16)
                    .arg(from.x())
                    .arg(from.y())
                    .arg(image.pixel(from), 8, 16);
            }
        }
    }
    return QString();
}

// The bounding box of the pixels that differ from the background, in device pixels.
QRect Ink(const QImage& image, QRgb background) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// How many ratio x ratio blocks of the image hold more than one colour.
int MixedBlocks(const QImage& image, int ratio) {
    int mixed = 0;
    for (int y = 0; y + ratio <= image.height(); y += ratio) {
        for (int x = 0; x + ratio <= image.width(); x += ratio) {
            bool same = true;
            for (int i = 0; i < ratio * ratio; ++i) {
                same = same && image.pixel(x + i % ratio, y + i / ratio) == image.pixel(x, y);
            }
            mixed += same ? 0 : 1;
        }
    }
    return mixed;
}

} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT

private:
    HostContext host_;

private slots:
    void initTestCase() { QVERIFY(qApp->devicePixelRatio() > 1); }

    // Every screen pixel of a control shows the surface pixel under its centre, so at a whole ratio each
    // surface pixel is an exact ratio x ratio block and at a fractional one no colour is blended. Drawing
    // after the first show repaints only a part; it must land on the same screen pixels.
    void surfacePixelsAreShownWithoutBlending_data() {
        QTest::addColumn<QString>("drawing");
        QTest::newRow("one-pixel checks") << "checks";
        QTest::newRow("circle and lines") << "figures";
        QTest::newRow("later parts drawn one by one") << "parts";
    }
    void surfacePixelsAreShownWithoutBlending() {
        QFETCH(QString, drawing);
        QWidget window;
        window.resize(40, 30);
        auto* control = new RecordingControl(host_, &window);
        const QRect place(5, 3, 23, 17); // odd sizes and places: no help from even numbers
        control->setGeometry(place);
        control->Surface().SetBackColor(gdi::Colour(0xFFFFFF));
        control->LoadNew();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ControlSurface& surface = control->Surface();
        if (drawing == "checks") {
            for (int y = 0; y < place.height(); ++y) {
                for (int x = y % 2; x < place.width(); x += 2) {
                    surface.LineBoxFilled(float(x), float(y), float(x), float(y), gdi::Colour(0xFF0000));
                }
            }
        } else if (drawing == "figures") {
            surface.Circle(11, 8, 6, gdi::Colour(0x008000));
            surface.Line(0, 16, 22, 0, gdi::Colour(0x000080));
            surface.LineBox(0, 0, 22, 16, gdi::Colour(0));
        } else {
            for (int i = 0; i < 9; ++i) {
                surface.LineBoxFilled(float(2 * i + 1), 3, float(2 * i + 1), float(3 + i),
                                      gdi::Colour(0xFF0000));
                QTest::qWait(10);
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(FirstMismatch(window, *control), QString(), 3000);
    }

    // A label's text is drawn at the screen's resolution: in the same place and size as at 96 DPI, with
    // finer glyphs than the 96-DPI text enlarged would have.
    void labelTextHasTheScreensDetail_data() {
        QTest::addColumn<int>("backStyle");
        QTest::newRow("opaque") << 1;
        QTest::newRow("transparent") << 0;
    }
    void labelTextHasTheScreensDetail() {
        QFETCH(int, backStyle);
        QWidget window;
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 255));
        window.setPalette(palette);
        window.resize(140, 24);
        auto* label = new Label(host_, &window);
        label->setGeometry(3, 3, 120, 16);
        label->SetBackColor(gdi::Colour(0xFFFFFF));
        label->SetForeColor(gdi::Colour(0));
        QVERIFY(label->SetBackStyle(std::int16_t(backStyle)));
        label->SetCaption(QStringLiteral("Heavy Optimization"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRgb background = backStyle == 1 ? White : Blue;

        // The text as the label shows it at 96 DPI.
        QImage plain(label->size(), QImage::Format_RGB32);
        plain.fill(background);
        {
            gdi::DeviceContext dc(plain, host_.SysColours());
            gdi::Font font = gdi::CreateFontIndirect(host_.ToQFont(label->Font()));
            const gdi::SelectedObject previous = gdi::SelectObject(dc, font);
            gdi::SetBkMode(dc, gdi::TRANSPARENT);
            gdi::Rect place{0, 0, label->width(), label->height()};
            gdi::DrawTextA(dc, label->Caption(), -1, place, label->DrawFormat());
            gdi::SelectObject(dc, previous);
        }
        const QRect plainInk = Ink(plain, background);
        QVERIFY(!plainInk.isEmpty());

        const qreal ratio = window.devicePixelRatioF();
        const QImage shot = window.grab(label->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), label->size() * ratio);
        const QRect ink = Ink(shot, background);
        const auto near = [ratio](int device, int plainEdge) {
            return std::abs(device / ratio - plainEdge) <= 1.5;
        };
        QVERIFY2(near(ink.left(), plainInk.left()) && near(ink.right() + 1, plainInk.right() + 1) &&
                     near(ink.top(), plainInk.top()) && near(ink.bottom() + 1, plainInk.bottom() + 1),
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4 at 96 DPI %5,%6 %7x%8")
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(plainInk.x())
                                .arg(plainInk.y())
                                .arg(plainInk.width())
                                .arg(plainInk.height())));
        if (ratio == std::floor(ratio)) {
            // Enlarged 96-DPI text would be whole blocks; text drawn at the screen's resolution splits
            // most of the blocks its glyph edges pass through.
            QVERIFY2(MixedBlocks(shot, int(ratio)) > 50,
                     qPrintable(QString::number(MixedBlocks(shot, int(ratio)))));
        }
    }
};

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", "2");
    }
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestHighDpi.moc"
