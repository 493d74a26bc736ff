#include <QSignalSpy>
#include <QTest>

#include "MouseInput.h"
#include "platform/gdi/ObjectCountGuard.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/UserControl.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Red = 0xFFFF0000u;
constexpr QRgb Blue = 0xFF0000FFu;

// Records every notification in the order the host sends it, with the input arguments.
class RecordingControl : public UserControl {
public:
    using UserControl::PropertyChanged;
    using UserControl::UserControl;

    QStringList log;
    int resizeHeightPixels = -1; // when set, Resize forces this height, as the 3-D line does
    bool drawInPaint = false;
    bool changeButtonToRight = false;

protected:
    void UserControl_Initialize() override { log << "Initialize"; }
    void UserControl_InitProperties() override { log << "InitProperties"; }
    void UserControl_ReadProperties(PropertyBag& bag) override {
        log << QStringLiteral("ReadProperties %1").arg(bag.Read(QStringLiteral("Value"), std::int32_t{0}));
    }
    void UserControl_Resize() override {
        log << QStringLiteral("Resize %1x%2").arg(ScaleWidth()).arg(ScaleHeight());
        if (resizeHeightPixels >= 0) {
            SetHeight(resizeHeightPixels * HostContext::TwipsPerPixelY);
        }
    }
    void UserControl_Show() override { log << "Show"; }
    void UserControl_Paint() override {
        log << "Paint";
        if (drawInPaint) {
            LineBoxFilled(0, 0, 3, 3, gdi::Colour(0x0000FF));
            Refresh();
        }
    }
    void UserControl_Hide() override { log << "Hide"; }
    void UserControl_WriteProperties(PropertyBag& bag) override {
        log << "WriteProperties";
        bag.Write(QStringLiteral("Value"), std::int32_t{7}, std::int32_t{0});
    }
    void UserControl_Terminate() override { log << "Terminate"; }
    void UserControl_Click() override { log << "Click"; }
    void UserControl_DblClick() override { log << "DblClick"; }
    void UserControl_MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
        log << QStringLiteral("MouseDown %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void UserControl_MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
        log << QStringLiteral("MouseMove %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void UserControl_MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
        log << QStringLiteral("MouseUp %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void UserControl_KeyDown(std::int16_t& keyCode, std::int16_t& shift) override {
        log << QStringLiteral("KeyDown %1 %2").arg(keyCode).arg(shift);
    }
    void UserControl_KeyUp(std::int16_t& keyCode, std::int16_t& shift) override {
        log << QStringLiteral("KeyUp %1 %2").arg(keyCode).arg(shift);
    }
    void UserControl_KeyPress(std::int16_t& keyAscii) override {
        log << QStringLiteral("KeyPress %1").arg(keyAscii);
    }
    void UserControl_GotFocus() override { log << "GotFocus"; }
    void UserControl_LostFocus() override { log << "LostFocus"; }
    void UserControl_AccessKeyPress(std::int16_t keyAscii) override {
        log << QStringLiteral("AccessKeyPress %1").arg(keyAscii);
    }
    void UserControl_AmbientChanged(const QString& name) override { log << "AmbientChanged " + name; }
};

QStringList Without(QStringList log, const QString& prefix) {
    log.removeIf([&](const QString& line) { return line.startsWith(prefix); });
    return log;
}

} // namespace

class TestUserControl : public QObject {
    Q_OBJECT

private:
    HostContext host_;

    // A white control of the given pixel size, loaded as a new instance in a shown window.
    std::unique_ptr<QWidget> Window(RecordingControl*& control, QSize size = QSize(20, 10)) {
        auto window = std::make_unique<QWidget>();
        window->resize(100, 60);
        control = new RecordingControl(host_, window.get());
        control->setGeometry(QRect(QPoint(5, 5), size));
        control->SetBackColor(gdi::Colour(0xFFFFFF));
        control->LoadNew();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            return nullptr;
        }
        control->log.clear();
        return window;
    }

private slots:
    void newInstanceNotificationsComeInOrder() {
        QWidget window;
        auto* control = new RecordingControl(host_, &window);
        control->resize(30, 12);
        control->LoadNew();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(control->log.contains("Paint"));
        window.hide();
        PropertyBag bag;
        control->Save(bag);
        control->Unload();
        control->Unload();
        QCOMPARE(Without(Without(control->log, "GotFocus"), "LostFocus").join(", "),
                 (QStringList{"Initialize", "InitProperties", "Resize 30x12", "Show", "Paint", "Hide",
                              "WriteProperties", "Terminate"}
                      .join(", ")));
        QCOMPARE(bag.Read(QStringLiteral("value"), std::int32_t{0}), 7);
    }

    void storedInstanceReadsItsProperties() {
        QWidget window;
        auto* control = new RecordingControl(host_, &window);
        control->resize(8, 8);
        PropertyBag bag;
        bag.Write(QStringLiteral("VALUE"), std::int32_t{42});
        control->LoadStored(bag);
        control->LoadNew(); // a second start is ignored
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        control->Unload(); // ends a shown instance: Hide first
        QCOMPARE(
            Without(Without(control->log, "Paint"), "GotFocus").join(", "),
            (QStringList{"Initialize", "ReadProperties 42", "Resize 8x8", "Show", "Hide", "Terminate"}.join(
                ", ")));
    }

    void aSizeSetInsideResizeRaisesResizeOnceMore() {
        QWidget window;
        auto* control = new RecordingControl(host_, &window);
        control->resizeHeightPixels = 2;
        control->resize(200, 30);
        control->LoadNew();
        QCOMPARE(control->log.join(", "),
                 (QStringList{"Initialize", "InitProperties", "Resize 200x30", "Resize 200x2"}.join(", ")));
        QCOMPARE(control->Height(), 30);
        QCOMPARE(control->ScaleHeight(), 2);
        QCOMPARE(control->Surface().size(), QSize(200, 2));
    }

    void hostUnitsAreTwips() {
        QWidget window;
        auto* control = new RecordingControl(host_, &window);
        control->LoadNew();
        control->Move(150, 300, 1500, 375);
        QCOMPARE(control->geometry(), QRect(10, 20, 100, 25));
        QCOMPARE(control->Width(), 1500);
        QCOMPARE(control->Left(), 150);
        control->SetWidth(1000); // 66.67 pixels
        QCOMPARE(control->ScaleWidth(), 67);
        control->SetWidth(-300);
        QCOMPARE(control->ScaleWidth(), 0);
        control->SetHeight(std::numeric_limits<std::int32_t>::max());
        QCOMPARE(control->ScaleHeight(), UserControl::MaxSide);
        QCOMPARE(HostContext::ToPixels(22.5), 2); // 1.5 pixels: halves to even
        QCOMPARE(HostContext::ToPixels(7.5), 0);
        QCOMPARE(HostContext::ToTwips(std::int64_t{1} << 40),
                 std::numeric_limits<std::int32_t>::max() / 15 * 15);
    }

    void mouseInputArrivesAsButtonShiftXY_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(3, 4)
                              << QStringList{"MouseDown 1 0 3 4", "MouseUp 1 0 3 4", "Click"};
        QTest::newRow("right with shift")
            << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(1, 1)
            << QStringList{"MouseDown 2 1 1 1", "MouseUp 2 1 1 1", "Click"};
        QTest::newRow("middle with ctrl and alt")
            << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
            << QPoint(19, 9) << QStringList{"MouseDown 4 6 19 9", "MouseUp 4 6 19 9", "Click"};
    }
    void mouseInputArrivesAsButtonShiftXY() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, at);
        QFETCH(QStringList, expected);
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        QTest::mouseClick(control, button, modifiers, at);
        QCOMPARE(Without(Without(control->log, "MouseMove"), "GotFocus").join(", "), expected.join(", "));
    }

    void movesReportEveryHeldButtonAndReleasesOutsideDoNotClick() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 3), control->mapToGlobal(QPointF(2, 3)), Qt::NoButton,
                         Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(control, &move);
        QCOMPARE(control->log.last(), QStringLiteral("MouseMove 3 0 2 3"));
        control->log.clear();
        QTest::mousePress(control, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(40, 1));
        QCOMPARE(Without(Without(control->log, "MouseMove"), "GotFocus").join(", "),
                 (QStringList{"MouseDown 1 0 1 1", "MouseUp 1 0 40 1"}.join(", ")));
    }

    void aDoubleClickGivesOneClickAndOneDblClick() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        SendDoubleClick(control, QPoint(2, 2), 10'000'000, 100);
        QCOMPARE(Without(Without(control->log, "MouseMove"), "GotFocus").join(", "),
                 QStringLiteral("MouseDown 1 0 2 2, MouseUp 1 0 2 2, Click, DblClick, MouseUp 1 0 2 2"));
        // Presses further apart than the double-click time are two clicks.
        control->log.clear();
        SendMouse(control, QEvent::MouseButtonPress, QPoint(2, 2), 20'000'000);
        SendMouse(control, QEvent::MouseButtonRelease, QPoint(2, 2), 20'000'010);
        SendMouse(control, QEvent::MouseButtonPress, QPoint(2, 2), 30'000'000);
        SendMouse(control, QEvent::MouseButtonRelease, QPoint(2, 2), 30'000'010);
        QCOMPARE(control->log.join(", "), QStringLiteral("MouseDown 1 0 2 2, MouseUp 1 0 2 2, Click, "
                                                         "MouseDown 1 0 2 2, MouseUp 1 0 2 2, Click"));
    }

    void keysArriveAsKeyCodesAndCharacters_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("shift A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "A"
                                 << QStringList{"KeyDown 65 1", "KeyPress 65", "KeyUp 65 1"};
        QTest::newRow("a") << int(Qt::Key_A) << Qt::KeyboardModifiers() << "a"
                           << QStringList{"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0"};
        QTest::newRow("space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << " "
                               << QStringList{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"};
        QTest::newRow("enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << "\r"
                               << QStringList{"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"};
        QTest::newRow("left arrow") << int(Qt::Key_Left) << Qt::KeyboardModifiers() << ""
                                    << QStringList{"KeyDown 37 0", "KeyUp 37 0"};
        QTest::newRow("ctrl down arrow") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                         << "" << QStringList{"KeyDown 40 2", "KeyUp 40 2"};
        QTest::newRow("F1") << int(Qt::Key_F1) << Qt::KeyboardModifiers() << ""
                            << QStringList{"KeyDown 112 0", "KeyUp 112 0"};
        QTest::newRow("euro sign types nothing 8-bit")
            << int(Qt::Key_unknown) << Qt::KeyboardModifiers() << QString(QChar(0x20AC)) << QStringList{};
    }
    void keysArriveAsKeyCodesAndCharacters() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(control, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(control, &release);
        QKeyEvent repeat(QEvent::KeyRelease, key, modifiers, text, true);
        QApplication::sendEvent(control, &repeat); // repeats end in no KeyUp
        QCOMPARE(control->log.join(", "), expected.join(", "));
    }

    void aDisabledControlGetsNoInput() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        control->SetEnabled(false);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Without(control->log, "LostFocus").join(", "), QString());
        QVERIFY(!control->Enabled());
    }

    void theSurfaceKeepsItsDrawingAcrossResizes() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 3));
        QVERIFY(window);
        control->LineBoxFilled(0, 0, 3, 2, gdi::Colour(0x0000FF)); // the whole surface red
        control->resize(6, 4);
        const QImage& surface = control->Surface();
        QCOMPARE(surface.size(), QSize(6, 4));
        QCOMPARE(surface.pixel(3, 2), Red);
        QCOMPARE(surface.pixel(4, 2), White);
        QCOMPARE(surface.pixel(0, 3), White);
        control->resize(2, 2);
        control->resize(4, 3);
        QCOMPARE(control->Surface().pixel(1, 1), Red);
        QCOMPARE(control->Surface().pixel(3, 2), White); // the part cut off is gone
        // What is on the screen is the surface.
        QTRY_COMPARE(control->grab().toImage().convertToFormat(QImage::Format_RGB32), control->Surface());
    }

    void clearingGoesBackToTheBackColourAndPicture() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 4));
        QVERIFY(window);
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Blue);
        control->SetPicture(PictureObject::FromImage(picture));
        control->LineBoxFilled(0, 0, 3, 3, gdi::Colour(0x0000FF));
        control->Cls();
        QCOMPARE(control->Surface().pixel(1, 1), Blue);
        QCOMPARE(control->Surface().pixel(2, 2), White);
        QCOMPARE(control->CurrentX(), 0.0f);
        control->SetBackColor(gdi::Colour(0x000000FF)); // a new back colour clears as well
        QCOMPARE(control->Surface().pixel(3, 3), Red);
    }

    void paintIsRaisedForShowResizeAndRefreshOnly() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 4));
        QVERIFY(window);
        control->drawInPaint = true;
        control->Refresh();
        QCOMPARE(control->log.join(", "), QStringLiteral("Paint"));
        QCOMPARE(control->Surface().pixel(2, 2), Red);
        // Drawing done in Paint only reaches the screen; it leads to no further Paint.
        QTest::qWait(50);
        QCOMPARE(control->log.join(", "), QStringLiteral("Paint"));
        control->SetAutoRedraw(true);
        control->Refresh();
        QTest::qWait(20);
        QCOMPARE(control->log.join(", "), QStringLiteral("Paint"));
    }

    void drawingOperationsFollowTheSurfaceRules() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(12, 12));
        QVERIFY(window);
        const QImage& s = control->Surface();
        gdi::ObjectCountGuard guard;
        QVERIFY(control->Line(1, 1, 5, 1, gdi::Colour(0x0000FF)));
        QCOMPARE(s.pixel(1, 1), Red);
        QCOMPARE(s.pixel(4, 1), Red);
        QCOMPARE(s.pixel(5, 1), White); // end point left out
        QCOMPARE(control->CurrentX(), 5.0f);
        QVERIFY(control->LineBox(1, 3, 4, 6, gdi::Colour(0xFF0000)));
        QCOMPARE(s.pixel(1, 3), Blue);
        QCOMPARE(s.pixel(4, 6), Blue);  // both corners inside
        QCOMPARE(s.pixel(2, 4), White); // fill style 1: transparent inside
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QVERIFY(control->SetFillStyle(0));
        control->SetFillColor(gdi::Colour(0x0000FF));
        gdi::ObjectCountGuard filled;
        QVERIFY(control->LineBox(6, 3, 9, 6, gdi::Colour(0xFF0000)));
        QCOMPARE(s.pixel(7, 4), Red);
        QCOMPARE(s.pixel(9, 6), Blue);
        QVERIFY(control->LineBoxFilled(6, 8, 8, 9)); // the fore colour, black by default reference
        QCOMPARE(s.pixel(8, 9), 0xFF000000u);
        QCOMPARE(s.pixel(6, 10), White);
        QVERIFY2(filled.Unchanged(), qPrintable(filled.Report()));
    }

    void circlesReachTheirRadius() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(11, 11));
        QVERIFY(window);
        QVERIFY(control->Circle(5, 5, 3, gdi::Colour(0x0000FF)));
        const QImage& s = control->Surface();
        QCOMPARE(s.pixel(2, 5), Red);
        QCOMPARE(s.pixel(8, 5), Red);
        QCOMPARE(s.pixel(5, 2), Red);
        QCOMPARE(s.pixel(5, 8), Red);
        QCOMPARE(s.pixel(5, 5), White);
        QCOMPARE(s.pixel(1, 5), White);
        control->Cls();
        // A quarter arc from 0 to pi/2 stays in the upper right quarter.
        QVERIFY(control->Circle(5, 5, 3, gdi::Colour(0x0000FF), 0.0, 1.5707963));
        QCOMPARE(s.pixel(2, 5), White);
        QCOMPARE(s.pixel(5, 8), White);
        QCOMPARE(s.pixel(7, 3), Red);
    }

    void figuresFollowAspectAnglesModesAndFillStyles() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(11, 11));
        QVERIFY(window);
        const QImage& s = control->Surface();
        // Half as high as wide.
        QVERIFY(control->Circle(5, 5, 4, gdi::Colour(0x0000FF), std::nullopt, std::nullopt, 0.5));
        QCOMPARE(s.pixel(1, 5), Red);
        QCOMPARE(s.pixel(9, 5), Red);
        QCOMPARE(s.pixel(5, 3), Red);
        QCOMPARE(s.pixel(5, 7), Red);
        QCOMPARE(s.pixel(5, 2), White);
        control->Cls();
        // Negative angles also draw the radii: a quarter pie from 3 to 12 o'clock.
        QVERIFY(control->Circle(5, 5, 3, gdi::Colour(0x0000FF), -1e-8, -1.5707963));
        QCOMPARE(s.pixel(5, 5), Red);
        QCOMPARE(s.pixel(6, 5), Red);
        QCOMPARE(s.pixel(5, 4), Red);
        QCOMPARE(s.pixel(4, 6), White);
        control->Cls();
        // A horizontal hatch fills row 3 of every 8 inside the box.
        QVERIFY(control->SetFillStyle(2));
        control->SetFillColor(gdi::Colour(0x0000FF));
        QVERIFY(control->LineBox(0, 0, 9, 9, gdi::Colour(0xFF0000)));
        QCOMPARE(s.pixel(4, 3), Red);
        QCOMPARE(s.pixel(4, 2), White);
        QCOMPARE(s.pixel(4, 4), White);
        QCOMPARE(s.pixel(9, 9), Blue);
        // Exclusive-or twice gives back what was there.
        const QImage before = s.copy();
        QVERIFY(control->SetDrawMode(7));
        QVERIFY(control->Line(0, 3, 10, 3, gdi::Colour(0x00FF00)));
        QVERIFY(s != before);
        QVERIFY(control->Line(0, 3, 10, 3, gdi::Colour(0x00FF00)));
        QCOMPARE(s, before);
    }

    void argumentsOutOfRangeDrawNothing() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(4, 4));
        QVERIFY(window);
        const QImage before = control->Surface();
        gdi::ObjectCountGuard guard;
        QVERIFY(!control->Line(0, 0, 1e30f, 2));
        QVERIFY(!control->LineBox(-1e20f, 0, 2, 2));
        QVERIFY(!control->Circle(1, 1, 1e30f));
        QVERIFY(!control->Circle(1, 1, 2, std::nullopt, 7.0, 1.0));
        QVERIFY(!control->Circle(1, 1, 2, std::nullopt, 0.0, 1.0, std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(control->Line(-1000000, -1000000, 1000000, 1000000));
        QVERIFY(!control->LineBoxFilled(3e9f, 0, 0, 3));
        QVERIFY(control->LineBoxFilled(2147483000.0f, 0, -2147483000.0f, 3));
        QVERIFY(!control->SetDrawMode(0));
        QVERIFY(!control->SetDrawStyle(7));
        QVERIFY(!control->SetFillStyle(-1));
        QVERIFY(!control->SetDrawWidth(0));
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        Q_UNUSED(before);
    }

    void emptySurfacesAreSafe() {
        RecordingControl* control = nullptr;
        const auto window = Window(control, QSize(0, 0));
        QVERIFY(window);
        QVERIFY(control->Surface().isNull());
        control->Line(0, 0, 5, 5);
        control->LineBoxFilled(0, 0, 5, 5);
        control->Circle(0, 0, 3);
        control->Cls();
        control->resize(1, 1);
        control->LineBoxFilled(0, 0, 0, 0, gdi::Colour(0x0000FF));
        QCOMPARE(control->Surface().pixel(0, 0), Red);
    }

    void ambientChangesAndPropertyNotificationsReachTheirListeners() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        AmbientValues ambient = control->Ambient();
        ambient.displayAsDefault = true;
        ambient.displayName = QStringLiteral("cmdOptimize");
        control->SetAmbient(ambient);
        QCOMPARE(control->log.join(", "),
                 (QStringList{"AmbientChanged DisplayName", "AmbientChanged DisplayAsDefault"}.join(", ")));
        QVERIFY(control->AmbientUserMode());
        QSignalSpy spy(control, &UserControl::PropertyChangeNotified);
        control->PropertyChanged(QStringLiteral("BCOL"));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), QStringLiteral("BCOL"));
    }

    void cursorKindsAndPictures() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        QVERIFY(control->SetMousePointer(1));
        QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!control->SetMousePointer(50));
        QCOMPARE(control->MousePointer(), 1);
        QVERIFY(!control->SetMouseIcon(PictureObject::FromImage(QImage(2, 2, QImage::Format_RGB32))));
        QVERIFY(control->SetMouseIcon(host_.HandCursor()));
        QVERIFY(control->SetMousePointer(99));
        QCOMPARE(control->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(control->cursor().hotSpot(), QPoint(8, 0));
        QVERIFY(control->SetMouseIcon(PictureObject()));
        QVERIFY(control->SetMousePointer(0));
    }

    void accessKeysRaiseAccessKeyPress() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        control->SetAccessKeys(QStringLiteral("F"));
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        QVERIFY2(control->log.contains("AccessKeyPress 102"), qPrintable(control->log.join(", ")));
        QVERIFY(control->hasFocus());
        control->log.clear();
        control->SetAccessKeys(QString());
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        QVERIFY(!control->log.contains("AccessKeyPress 102"));
    }
};

QTEST_MAIN(TestUserControl)
#include "TestUserControl.moc"
