#include <QBackingStore>
#include <QTest>

#include "RecordingControl.h"
#include "platform/gdi/Fill.h"
#include "tests/support/DrawingStepGuard.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Red = 0xFFFF0000u;
constexpr QRgb Blue = 0xFF0000FFu;
constexpr QRgb Black = 0xFF000000u;

// Counts the paint events a widget receives, and remembers which drawing the latest one put on the screen.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(RecordingControl* control)
        : control_(control) {
        control->installEventFilter(this);
    }
    int paints = 0;
    qint64 shownKey = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            shownKey = control_->Surface().Image().cacheKey();
        }
        return false;
    }

private:
    RecordingControl* control_;
};

} // namespace

class TestControlSurface : public QObject {
    Q_OBJECT

private:
    HostContext host_;

    // A white control of the given pixel size, loaded as a new instance in a shown window.
    std::unique_ptr<QWidget> Window(RecordingControl*& control, QSize size) {
        auto window = std::make_unique<QWidget>();
        window->resize(100, 60);
        control = new RecordingControl(host_, window.get());
        control->setGeometry(QRect(QPoint(5, 5), size));
        control->Surface().SetBackColor(gdi::Colour(0xFFFFFF));
        control->LoadNew();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            return nullptr;
        }
        control->log.clear();
        return window;
    }

private slots:
    // What the optimization pass does between blocks: draw from code, then let events run a few turns.
    // The drawing must be on the screen by then, without any input or idle time.
    void drawingFromCodeReachesTheScreenWhileEventsRun_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("surface line") << "line";
        QTest::newRow("device context") << "context";
        QTest::newRow("clear") << "clear";
    }
    void drawingFromCodeReachesTheScreenWhileEventsRun() {
        QFETCH(QString, how);
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(8, 6));
        QVERIFY(window);
        control->Surface().LineBoxFilled(0, 0, 7, 5, gdi::Colour(0x0000FF));
        QTRY_COMPARE(control->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(2, 2), Red);
        for (int turn = 0; turn < 10; ++turn) {
            host_.DoEvents(); // nothing left to paint after this
        }
        PaintCounter counter(control);
        if (how == "line") {
            QVERIFY(control->Surface().Line(0, 2, 8, 2, gdi::Colour(0xFF0000)));
        } else if (how == "context") {
            const gdi::Brush brush = gdi::CreateSolidBrush(gdi::Colour(0xFF0000));
            QVERIFY(gdi::FillRect(control->Surface().hDC(), gdi::Rect{0, 2, 8, 3}, brush));
        } else {
            control->Surface().Cls();
        }
        const qint64 drawn = control->Surface().Image().cacheKey();
        const QRgb expected = how == "clear" ? White : Blue;
        QCOMPARE(control->Surface().Image().pixel(2, 2), expected);
        for (int turn = 0; turn < 50 && counter.paints == 0; ++turn) {
            host_.DoEvents();
        }
        QVERIFY2(counter.paints > 0, "the drawing never reached the screen");
        QCOMPARE(counter.shownKey, drawn);
        // And it is in the window's backing store, which is what the screen shows.
        const auto* stored = dynamic_cast<const QImage*>(window->backingStore()->paintDevice());
        QVERIFY(stored != nullptr);
        QCOMPARE(stored->pixel(control->mapTo(window.get(), QPoint(2, 2))), expected);
    }

    void theSurfaceKeepsItsDrawingAcrossResizes() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 3));
        QVERIFY(window);
        control->Surface().LineBoxFilled(0, 0, 3, 2, gdi::Colour(0x0000FF)); // the whole surface red
        control->resize(6, 4);
        const QImage& surface = control->Surface().Image();
        QCOMPARE(surface.size(), QSize(6, 4));
        QCOMPARE(surface.pixel(3, 2), Red);
        QCOMPARE(surface.pixel(4, 2), White);
        QCOMPARE(surface.pixel(0, 3), White);
        control->resize(2, 2);
        control->resize(4, 3);
        QCOMPARE(control->Surface().Image().pixel(1, 1), Red);
        QCOMPARE(control->Surface().Image().pixel(3, 2), White); // the part cut off is gone
        // What is on the screen is the surface.
        QTRY_COMPARE(control->grab().toImage().convertToFormat(QImage::Format_RGB32),
                     control->Surface().Image());
    }

    void clearingGoesBackToTheBackColourAndPicture() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 4));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Blue);
        surface.SetPicture(PictureObject::FromImage(picture));
        surface.LineBoxFilled(0, 0, 3, 3, gdi::Colour(0x0000FF));
        surface.Cls();
        QCOMPARE(surface.Image().pixel(1, 1), Blue);
        QCOMPARE(surface.Image().pixel(2, 2), White);
        QCOMPARE(surface.CurrentX(), 0.0f);
        surface.SetBackColor(gdi::Colour(0x000000FF)); // a new back colour clears as well
        QCOMPARE(surface.Image().pixel(3, 3), Red);
    }

    void paintIsRaisedForShowResizeAndRefreshOnly() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 4));
        QVERIFY(window);
        control->drawInPaint = true;
        control->Surface().Refresh();
        QCOMPARE(control->log.join(", "), QStringLiteral("Paint"));
        QCOMPARE(control->Surface().Image().pixel(2, 2), Red);
        // Drawing done in Paint only reaches the screen; it leads to no further Paint.
        QTest::qWait(50);
        QCOMPARE(control->log.join(", "), QStringLiteral("Paint"));
        control->Surface().SetAutoRedraw(true);
        control->Surface().Refresh();
        QTest::qWait(20);
        QCOMPARE(control->log.join(", "), QStringLiteral("Paint"));
    }

    void drawingOperationsFollowTheSurfaceRules() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(12, 12));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        const QImage& s = surface.Image();
        tests::DrawingStepGuard guard(surface.hDC());
        QVERIFY(surface.Line(1, 1, 5, 1, gdi::Colour(0x0000FF)));
        QCOMPARE(s.pixel(1, 1), Red);
        QCOMPARE(s.pixel(4, 1), Red);
        QCOMPARE(s.pixel(5, 1), White); // end point left out
        QCOMPARE(surface.CurrentX(), 5.0f);
        QVERIFY(surface.LineBox(1, 3, 4, 6, gdi::Colour(0xFF0000)));
        QCOMPARE(s.pixel(1, 3), Blue);
        QCOMPARE(s.pixel(4, 6), Blue);  // both corners inside
        QCOMPARE(s.pixel(2, 4), White); // fill style 1: transparent inside
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QVERIFY(surface.SetFillStyle(0));
        surface.SetFillColor(gdi::Colour(0x0000FF));
        tests::DrawingStepGuard filled(surface.hDC());
        QVERIFY(surface.LineBox(6, 3, 9, 6, gdi::Colour(0xFF0000)));
        QCOMPARE(s.pixel(7, 4), Red);
        QCOMPARE(s.pixel(9, 6), Blue);
        QVERIFY(surface.LineBoxFilled(6, 8, 8, 9)); // the fore colour, black by default reference
        QCOMPARE(s.pixel(8, 9), Black);
        QCOMPARE(s.pixel(6, 10), White);
        QVERIFY2(filled.Unchanged(), qPrintable(filled.Report()));
    }

    void circlesReachTheirRadius() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(11, 11));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        QVERIFY(surface.Circle(5, 5, 3, gdi::Colour(0x0000FF)));
        const QImage& s = surface.Image();
        QCOMPARE(s.pixel(2, 5), Red);
        QCOMPARE(s.pixel(8, 5), Red);
        QCOMPARE(s.pixel(5, 2), Red);
        QCOMPARE(s.pixel(5, 8), Red);
        QCOMPARE(s.pixel(5, 5), White);
        QCOMPARE(s.pixel(1, 5), White);
        surface.Cls();
        // A quarter arc from 0 to pi/2 stays in the upper right quarter.
        QVERIFY(surface.Circle(5, 5, 3, gdi::Colour(0x0000FF), 0.0, 1.5707963));
        QCOMPARE(s.pixel(2, 5), White);
        QCOMPARE(s.pixel(5, 8), White);
        QCOMPARE(s.pixel(7, 3), Red);
    }

    void figuresFollowAspectAnglesModesAndFillStyles() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(11, 11));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        const QImage& s = surface.Image();
        // Half as high as wide.
        QVERIFY(surface.Circle(5, 5, 4, gdi::Colour(0x0000FF), std::nullopt, std::nullopt, 0.5));
        QCOMPARE(s.pixel(1, 5), Red);
        QCOMPARE(s.pixel(9, 5), Red);
        QCOMPARE(s.pixel(5, 3), Red);
        QCOMPARE(s.pixel(5, 7), Red);
        QCOMPARE(s.pixel(5, 2), White);
        surface.Cls();
        // Negative angles also draw the radii: a quarter pie from 3 to 12 o'clock.
        QVERIFY(surface.Circle(5, 5, 3, gdi::Colour(0x0000FF), -1e-8, -1.5707963));
        QCOMPARE(s.pixel(5, 5), Red);
        QCOMPARE(s.pixel(6, 5), Red);
        QCOMPARE(s.pixel(5, 4), Red);
        QCOMPARE(s.pixel(4, 6), White);
        surface.Cls();
        // A horizontal hatch fills row 3 of every 8 inside the box.
        QVERIFY(surface.SetFillStyle(2));
        surface.SetFillColor(gdi::Colour(0x0000FF));
        QVERIFY(surface.LineBox(0, 0, 9, 9, gdi::Colour(0xFF0000)));
        QCOMPARE(s.pixel(4, 3), Red);
        QCOMPARE(s.pixel(4, 2), White);
        QCOMPARE(s.pixel(4, 4), White);
        QCOMPARE(s.pixel(9, 9), Blue);
        // Exclusive-or twice gives back what was there.
        const QImage before = s.copy();
        QVERIFY(surface.SetDrawMode(7));
        QVERIFY(surface.Line(0, 3, 10, 3, gdi::Colour(0x00FF00)));
        QVERIFY(s != before);
        QVERIFY(surface.Line(0, 3, 10, 3, gdi::Colour(0x00FF00)));
        QCOMPARE(s, before);
    }

    void argumentsOutOfRangeDrawNothing() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 4));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        const QImage before = surface.Image().copy();
        tests::DrawingStepGuard guard(surface.hDC());
        QVERIFY(!surface.Line(0, 0, 1e30f, 2));
        QVERIFY(!surface.LineBox(-1e20f, 0, 2, 2));
        QVERIFY(!surface.Circle(1, 1, 1e30f));
        QVERIFY(!surface.Circle(1, 1, 2, std::nullopt, 7.0, 1.0));
        QVERIFY(!surface.Circle(1, 1, 2, std::nullopt, 0.0, 1.0, std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(!surface.LineBoxFilled(3e9f, 0, 0, 3));
        QCOMPARE(surface.Image(), before);
        QVERIFY(!surface.SetDrawMode(0));
        QVERIFY(!surface.SetDrawStyle(7));
        QVERIFY(!surface.SetFillStyle(-1));
        QVERIFY(!surface.SetDrawWidth(0));
        QCOMPARE(surface.DrawMode(), 13);
        QCOMPARE(surface.DrawStyle(), 0);
        QCOMPARE(surface.FillStyle(), 1);
        QCOMPARE(surface.DrawWidth(), 1);
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        // Far-away coordinates that still fit are clipped, not refused: the diagonal crosses the surface
        // and the huge box covers it.
        QVERIFY(surface.Line(-1000000, -1000000, 1000000, 1000000));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(surface.Image().pixel(i, i), Black);
        }
        QCOMPARE(surface.Image().pixel(1, 0), White);
        QVERIFY(surface.LineBoxFilled(2147483000.0f, 0, -2147483000.0f, 3, gdi::Colour(0x0000FF)));
        QCOMPARE(surface.Image().pixel(3, 0), Red);
        QCOMPARE(surface.Image().pixel(0, 3), Red);
    }

    void emptySurfacesAreSafe() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(0, 0));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        QVERIFY(surface.Image().isNull());
        QCOMPARE(surface.ScaleWidth(), 0);
        // The operations take their arguments and draw nowhere.
        QVERIFY(surface.Line(0, 0, 5, 5));
        QVERIFY(surface.LineBoxFilled(0, 0, 5, 5));
        QVERIFY(surface.Circle(0, 0, 3));
        QCOMPARE(surface.CurrentX(), 0.0f);
        surface.Cls();
        QVERIFY(surface.Image().isNull());
        // A surface that grows from nothing starts in its back colour.
        control->resize(2, 1);
        QCOMPARE(surface.Image().size(), QSize(2, 1));
        QCOMPARE(surface.Image().pixel(1, 0), White);
        QVERIFY(surface.LineBoxFilled(0, 0, 0, 0, gdi::Colour(0x0000FF)));
        QCOMPARE(surface.Image().pixel(0, 0), Red);
        QCOMPARE(surface.Image().pixel(1, 0), White);
        control->resize(0, 3);
        QVERIFY(surface.Image().isNull());
    }

    void cursorKindsAndPictures() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(20, 10));
        QVERIFY(window);
        ControlSurface& surface = control->Surface();
        QVERIFY(surface.SetMousePointer(1));
        QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!surface.SetMousePointer(50));
        QCOMPARE(surface.MousePointer(), 1);
        QVERIFY(!surface.SetMouseIcon(PictureObject::FromImage(QImage(2, 2, QImage::Format_RGB32))));
        QVERIFY(surface.SetMouseIcon(host_.HandCursor()));
        QVERIFY(surface.SetMousePointer(99));
        QCOMPARE(control->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(control->cursor().hotSpot(), QPoint(8, 0));
        QVERIFY(surface.SetMouseIcon(PictureObject()));
        QVERIFY(surface.SetMousePointer(0));
    }
};

QTEST_MAIN(TestControlSurface)
#include "TestControlSurface.moc"
