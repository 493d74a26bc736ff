#include <QSignalSpy>
#include <QTest>

#include "MouseInput.h"
#include "RecordingControl.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

// Records the standard events a control raises, in one log with its hooks.
void RecordEvents(RecordingControl* control) {
    QObject::connect(control, &HostedWidget::Click, control, [control] { control->log << "event Click"; });
    QObject::connect(control, &HostedWidget::DblClick, control,
                     [control] { control->log << "event DblClick"; });
    QObject::connect(control, &HostedWidget::MouseDown, control,
                     [control](std::int16_t& button, std::int16_t&, float&, float&) {
                         control->log << QStringLiteral("event MouseDown %1").arg(button);
                     });
    QObject::connect(control, &HostedWidget::MouseUp, control,
                     [control](std::int16_t& button, std::int16_t&, float&, float&) {
                         control->log << QStringLiteral("event MouseUp %1").arg(button);
                     });
    QObject::connect(control, &HostedWidget::KeyDown, control,
                     [control](std::int16_t& keyCode, std::int16_t&) {
                         control->log << QStringLiteral("event KeyDown %1").arg(keyCode);
                     });
    QObject::connect(control, &HostedWidget::KeyPress, control, [control](std::int16_t& keyAscii) {
        control->log << QStringLiteral("event KeyPress %1").arg(keyAscii);
    });
    QObject::connect(control, &HostedWidget::KeyUp, control, [control](std::int16_t& keyCode, std::int16_t&) {
        control->log << QStringLiteral("event KeyUp %1").arg(keyCode);
    });
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
        QCOMPARE(control->HeightTwips(), 30);
        QCOMPARE(control->Surface().ScaleHeight(), 2);
        QCOMPARE(control->Surface().Image().size(), QSize(200, 2));
    }

    void hostUnitsAreTwips() {
        QWidget window;
        auto* control = new RecordingControl(host_, &window);
        control->LoadNew();
        control->setGeometry(10, 20, 100, 25);
        QCOMPARE(control->WidthTwips(), 1500);
        QCOMPARE(control->HeightTwips(), 375);
        control->SetWidthTwips(1000); // 66.67 pixels
        QCOMPARE(control->Surface().ScaleWidth(), 67);
        QCOMPARE(control->pos(), QPoint(10, 20));
        control->SetWidthTwips(-300);
        QCOMPARE(control->Surface().ScaleWidth(), 0);
        control->SetHeightTwips(std::numeric_limits<std::int32_t>::max());
        QCOMPARE(control->Surface().ScaleHeight(), HostContext::MaxSide);
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

    void theBaseRaisesTheEventsAndHooksSeeWhatHandlersLeft() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        RecordEvents(control);
        // A handler that turns the press into a right-button press: the hook acts on the right button.
        connect(control, &HostedWidget::MouseDown, control,
                [](std::int16_t& button, std::int16_t&, float&, float&) { button = 2; });
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(Without(Without(control->log, "MouseMove"), "GotFocus").join(", "),
                 QStringLiteral("event MouseDown 1, MouseDown 2 0 3 3, event MouseUp 1, MouseUp 1 0 3 3, "
                                "Click, event Click"));
        // A click action that declines keeps Click from being raised.
        control->log.clear();
        control->refuseClicks = true;
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY2(!control->log.contains("event Click"), qPrintable(control->log.join(", ")));
        // Keys: the event first, then the hook with the code a handler changed.
        control->log.clear();
        connect(control, &HostedWidget::KeyDown, control,
                [](std::int16_t& keyCode, std::int16_t&) { keyCode = 0; });
        QTest::keyClick(control, Qt::Key_A);
        QCOMPARE(control->log.join(", "),
                 QStringLiteral("event KeyDown 65, KeyDown 0 0, event KeyPress 97, KeyPress 97, "
                                "event KeyUp 65, KeyUp 65 0"));
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
        control->Surface().SetEnabled(false);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Without(control->log, "LostFocus").join(", "), QStringLiteral("EnabledChanged off"));
        QVERIFY(!control->Surface().Enabled());
    }

    void theEnabledStateIsTheWindowsOwn() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        // Disabled directly through Qt, as a form may do: the control reads it and hears of it.
        control->setEnabled(false);
        QVERIFY(!control->Surface().Enabled());
        control->setEnabled(true);
        QVERIFY(control->Surface().Enabled());
        // A disabled container disables the window without changing the control's own state.
        window->setEnabled(false);
        QVERIFY(control->Surface().Enabled());
        QVERIFY(!control->isEnabled());
        window->setEnabled(true);
        QCOMPARE(
            Without(control->log, "LostFocus").join(", "),
            QStringLiteral("EnabledChanged off, EnabledChanged on, EnabledChanged off, EnabledChanged on"));
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
        QVERIFY(control->Host().UserMode());
        QSignalSpy spy(control, &UserControl::PropertyChangeNotified);
        control->PropertyChanged(QStringLiteral("BCOL"));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), QStringLiteral("BCOL"));
    }

    void accessKeysRaiseAccessKeyPress() {
        RecordingControl* control = nullptr;
        const auto window = Window(control);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        control->Surface().SetAccessKeys(QStringLiteral("F"));
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        QVERIFY2(control->log.contains("AccessKeyPress 102"), qPrintable(control->log.join(", ")));
        QVERIFY(control->hasFocus());
        control->log.clear();
        control->Surface().SetAccessKeys(QString());
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        QVERIFY(!control->log.contains("AccessKeyPress 102"));
    }
};

QTEST_MAIN(TestUserControl)
#include "TestUserControl.moc"
