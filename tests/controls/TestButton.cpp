#include <functional>
#include <memory>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include "controls/button/ButtonAccessible.h"
#include "controls/button/ButtonProperties.h"
#include "controls/button/sknButton.h"
#include "platform/host/Form.h"
#include "platform/host/HostContext.h"
#include "platform/host/KeySender.h"
#include "platform/host/PropertyBag.h"
#include "tests/support/BagKeys.h"

using namespace kelvo;
using namespace kelvo::controls;

namespace {

// Remembers the keystrokes a control sends instead of typing them.
class KeyRecorder : public host::KeySender {
public:
    explicit KeyRecorder(QStringList& sent)
        : sent_(sent) {}
    bool SendKeys(const QString& keys) override {
        sent_ << keys;
        return true;
    }

private:
    QStringList& sent_;
};

// Every event and change notification of a button, in order.
QStringList* Record(sknButton& button) {
    auto* log = new QStringList;
    QObject::connect(&button, &sknButton::Click, [log] { *log << "Click"; });
    QObject::connect(&button, &sknButton::MouseOver, [log] { *log << "MouseOver"; });
    QObject::connect(&button, &sknButton::MouseOut, [log] { *log << "MouseOut"; });
    QObject::connect(&button, &host::HostedWidget::MouseDown,
                     [log](std::int16_t& b, std::int16_t&, float& x, float& y) {
                         *log << QStringLiteral("MouseDown %1 %2 %3").arg(b).arg(x).arg(y);
                     });
    QObject::connect(&button, &host::HostedWidget::MouseUp,
                     [log](std::int16_t& b, std::int16_t&, float&, float&) {
                         *log << QStringLiteral("MouseUp %1").arg(b);
                     });
    QObject::connect(&button, &host::UserControl::PropertyChangeNotified,
                     [log](const QString& name) { *log << name; });
    QObject::connect(&button, &QObject::destroyed, [log] { delete log; });
    return log;
}

QPoint Centre(const QWidget& widget) {
    return QPoint(widget.width() / 2, widget.height() / 2);
}

} // namespace

class TestButton : public QObject {
    Q_OBJECT

    host::HostContext host_;
    QStringList sentKeys_;

    // A shown style-14 button of 123 x 25 in a window of its own, as the main window holds one.
    struct Rig {
        QWidget window;
        sknButton* button;
    };
    std::unique_ptr<Rig> Shown(std::int32_t type = 14) {
        auto rig = std::make_unique<Rig>();
        rig->window.resize(200, 80);
        rig->button = new sknButton(host_, &rig->window);
        rig->button->setGeometry(20, 20, 123, 25);
        rig->button->LoadNew();
        rig->button->SetCaption(QStringLiteral("Free &RAM Now"));
        rig->button->SetButtonType(type);
        rig->window.show();
        if (!QTest::qWaitForWindowExposed(&rig->window)) {
            return nullptr;
        }
        return rig;
    }

private slots:
    void initTestCase() { host_.SetKeySender(std::make_unique<KeyRecorder>(sentKeys_)); }
    void init() { sentKeys_.clear(); }

    void savedKeysFollowTheTable() {
        sknButton button(host_);
        button.resize(123, 25);
        button.LoadNew();
        host::PropertyBag saved;
        button.Save(saved);
        const QStringList keys = kelvo::test::BagKeys(saved);
        // Stored files depend on this order: it is written out here, not taken from the code.
        const QStringList expected{"BTYPE", "TX",     "ENAB",  "FONT", "COLTYPE", "FOCUSR", "BCOL", "BCOLO",
                                   "FCOL",  "FCOLO",  "MCOL",  "MPTR", "MICON",   "PICN",   "PICH", "UMCOL",
                                   "SOFT",  "PICPOS", "NGREY", "FX",   "HAND",    "CHECK",  "VALUE"};
        QCOMPARE(keys, expected); // every key, defaults included
        QCOMPARE(sknButton::Properties().Keys(), expected);
    }

    void storedValuesRoundTrip() {
        host::PropertyBag bag;
        bag.Write(QStringLiteral("BTYPE"), std::int16_t{14}); // 16 bits wide is read as well
        bag.Write(QStringLiteral("TX"), QStringLiteral("Free RAM Now"));
        bag.Write(QStringLiteral("ENAB"), false);
        bag.Write(QStringLiteral("COLTYPE"), std::int32_t{2});
        bag.Write(QStringLiteral("BCOL"), gdi::Colour(0xC8D0D4));
        bag.Write(QStringLiteral("FCOL"), gdi::Colour(0x123456));
        bag.Write(QStringLiteral("PICPOS"), std::int32_t{3});
        bag.Write(QStringLiteral("FX"), std::int32_t{2});
        bag.Write(QStringLiteral("CHECK"), true);
        bag.Write(QStringLiteral("VALUE"), true);
        sknButton button(host_);
        QStringList* log = Record(button);
        button.LoadStored(bag);
        QCOMPARE(button.ButtonType(), 14);
        QVERIFY(!button.Enabled());
        QVERIFY(!button.isEnabled());
        // The window enabled from outside leaves the stored property as it was.
        button.setEnabled(true);
        QVERIFY(!button.Enabled());
        QCOMPARE(button.ColorScheme(), 2);
        QCOMPARE(button.BackOver().Raw(), 0xC8D0D4u); // a missing BackOver is the BackColor read
        QCOMPARE(button.ForeOver().Raw(), 0x123456u);
        QCOMPARE(button.PicturePosition(), 3);
        QCOMPARE(button.SpecialEffect(), 2);
        QVERIFY(button.CheckBoxBehaviour() && button.Value());
        QCOMPARE(*log, QStringList{"HAND"}); // only the hand pointer goes through its setter
        host::PropertyBag saved;
        button.Save(saved);
        sknButton again(host_);
        again.LoadStored(saved);
        host::PropertyBag savedAgain;
        again.Save(savedAgain);
        QCOMPARE(savedAgain, saved);
    }

    // What a stored button without any key comes back as, and what a new one starts with, written out here
    // (stored files and forms rely on them). A stored button's cursor kind is the arrow: "HAND", False, is
    // applied after "MPTR"; a new one keeps the surface's.
    void startingValues_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<std::int64_t>("pointer");
        QTest::newRow("stored without keys") << true << std::int64_t{1};
        QTest::newRow("new") << false << std::int64_t{0};
    }
    void startingValues() {
        QFETCH(bool, stored);
        QFETCH(std::int64_t, pointer);
        sknButton button(host_);
        host::PropertyBag empty;
        stored ? button.LoadStored(empty) : button.LoadNew();
        const std::vector<std::pair<const char*, std::int64_t>> values{
            {"ButtonType", button.ButtonType()},
            {"ColorScheme", button.ColorScheme()},
            {"Enabled", button.Enabled()},
            {"ShowFocusRect", button.ShowFocusRect()},
            {"MaskColor", button.MaskColor().Raw()},
            {"MousePointer", button.MousePointer()},
            {"UseMaskColor", button.UseMaskColor()},
            {"SoftBevel", button.SoftBevel()},
            {"PicturePosition", button.PicturePosition()},
            {"UseGreyscale", button.UseGreyscale()},
            {"SpecialEffect", button.SpecialEffect()},
            {"HandPointer", button.HandPointer()},
            {"CheckBoxBehaviour", button.CheckBoxBehaviour()},
            {"Value", button.Value()}};
        const std::vector<std::pair<const char*, std::int64_t>> expected{
            {"ButtonType", 2},        {"ColorScheme", 1},
            {"Enabled", 1},           {"ShowFocusRect", 1},
            {"MaskColor", 0xC0C0C0},  {"MousePointer", pointer},
            {"UseMaskColor", 1},      {"SoftBevel", 0},
            {"PicturePosition", 0},   {"UseGreyscale", 0},
            {"SpecialEffect", 0},     {"HandPointer", 0},
            {"CheckBoxBehaviour", 0}, {"Value", 0}};
        QCOMPARE(values, expected);
        QCOMPARE(button.Caption(), stored ? QString() : button.Ambient().displayName);
        QCOMPARE(button.BackColor(), host_.SysColours().GetSysColor(15));
        QCOMPARE(button.BackOver(), button.BackColor());
        QCOMPARE(button.ForeColor(), host_.SysColours().GetSysColor(18));
        QCOMPARE(button.ForeOver(), button.ForeColor());
        QVERIFY(button.PictureNormal().IsEmpty() && button.PictureOver().IsEmpty());
    }

    void badStoredValues() {
        host::PropertyBag bag;
        bag.Write(QStringLiteral("BTYPE"), QStringLiteral("fourteen")); // wrong type
        bag.Write(QStringLiteral("BCOL"), gdi::Colour(0x7F00FF00));     // stray high bits
        bag.Write(QStringLiteral("COLTYPE"), std::int32_t{99});         // out of range: stored as is
        bag.Write(QStringLiteral("TX"), QString(10000, QChar(u'&')));   // only ampersands
        sknButton button(host_);
        button.resize(0, 0);
        button.LoadStored(bag);
        QCOMPARE(button.ButtonType(), 2);
        QCOMPARE(button.BackColor(), host_.SysColours().GetSysColor(15));
        QCOMPARE(button.ColorScheme(), 99);
        button.Refresh();
        QCOMPARE(button.Palette().FaceColor, host_.SysColours().GetSysColor(15)); // behaves as scheme 1
        // Scheme 4 takes the colours its form really paints with.
        {
            host::Form form(host_);
            form.SetBackColor(gdi::Colour(0x0000FF));
            form.SetForeColor(gdi::Colour(0x00FF00));
            button.setParent(&form);
            // The form must not delete the button, which lives on the stack, when a comparison fails.
            const auto release = qScopeGuard([&button] { button.setParent(nullptr); });
            button.SetColorScheme(4);
            QCOMPARE(button.Palette().FaceColor, gdi::Colour(0x0000FF));
            QCOMPARE(button.Palette().TextColor, gdi::Colour(0x00FF00));
        }
        QStringList errorKeys;
        for (const host::PropertyError& error : bag.Errors()) {
            errorKeys << error.key;
        }
        QCOMPARE(errorKeys, (QStringList{"BTYPE", "BCOL"}));
        button.resize(4000, 3000); // huge after zero: paints without trouble
        button.SetButtonType(-5);
        QCOMPARE(button.LastState(), button::StateUp);
    }

    void setterNotifications_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("notified");
        QTest::newRow("PictureOver says PICO") << "PictureOver"
                                               << "PICO";
        QTest::newRow("BackColor") << "BackColor"
                                   << "BCOL";
        QTest::newRow("ButtonType") << "ButtonType"
                                    << "BTYPE";
        QTest::newRow("PicturePosition") << "PicturePosition"
                                         << "PICPOS";
        QTest::newRow("HandPointer") << "HandPointer"
                                     << "HAND";
        QTest::newRow("FontBold says nothing") << "FontBold"
                                               << "";
    }
    void setterNotifications() {
        QFETCH(QString, property);
        QFETCH(QString, notified);
        sknButton button(host_);
        button.resize(123, 25);
        button.LoadNew();
        QStringList* log = Record(button);
        if (property == "PictureOver") {
            button.SetPictureOver(host::PictureObject::FromImage(QImage(4, 4, QImage::Format_RGB32)));
        } else if (property == "BackColor") {
            button.SetBackColor(gdi::Colour(0x102030));
        } else if (property == "ButtonType") {
            button.SetButtonType(13);
        } else if (property == "PicturePosition") {
            button.SetPicturePosition(7);
        } else if (property == "HandPointer") {
            button.SetHandPointer(true);
            QCOMPARE(button.MousePointer(), std::int16_t{99});
            QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
        } else {
            button.SetFontBold(true);
            QVERIFY(button.FontBold());
        }
        QCOMPARE(*log, notified.isEmpty() ? QStringList() : QStringList{notified});
    }

    // The setters that are the property table's Set: each announces its key, and the rows marked so
    // rebuild the palette, lay the caption out again or draw the button again.
    void tableSettersTakeEffect() {
        struct Row {
            const char* key;
            std::function<void(sknButton&)> set;
            bool palette, layout, drawn;
        };
        const QImage picture(16, 16, QImage::Format_RGB32);
        const std::vector<Row> rows{
            {"COLTYPE", [](sknButton& b) { b.SetColorScheme(1); }, true, false, true},
            {"FCOLO", [](sknButton& b) { b.SetForeOver(gdi::Colour(0x0000FF)); }, true, false, false},
            {"SOFT", [](sknButton& b) { b.SetSoftBevel(true); }, true, false, true},
            {"FX", [](sknButton& b) { b.SetSpecialEffect(1); }, false, false, true},
            {"FONT",
             [](sknButton& b) {
                 host::FontObject font = b.Font();
                 font.SetSize(16);
                 b.SetFont(font);
             },
             false, true, true},
            {"PICN", [&](sknButton& b) { b.SetPictureNormal(host::PictureObject::FromImage(picture)); },
             false, true, true},
            {"PICPOS",
             [&](sknButton& b) {
                 b.SetPictureNormal(host::PictureObject::FromImage(picture));
                 b.SetPicturePosition(2);
             },
             false, true, true},
        };
        for (const Row& row : rows) {
            auto rig = Shown();
            QVERIFY(rig);
            sknButton& button = *rig->button;
            button.SetColorScheme(2); // the custom colours, where every colour property counts
            const button::ButtonPalette palette = button.Palette();
            const button::CaptionLayout layout = button.Layout();
            const QImage image = button.Surface().Image();
            QStringList* log = Record(button);
            row.set(button);
            QVERIFY2(log->endsWith(QString::fromLatin1(row.key)), row.key);
            QVERIFY2((button.Palette() != palette) == row.palette, row.key);
            QVERIFY2((button.Layout() != layout) == row.layout, row.key);
            QVERIFY2((button.Surface().Image() != image) == row.drawn, row.key);
        }
    }

    void setterStepsRepaint() {
        auto rig = Shown();
        QVERIFY(rig);
        sknButton& button = *rig->button;
        const QImage before = button.Surface().Image();
        // At run time BackColor leaves BackOver; in design mode it sets both.
        button.SetColorScheme(2);
        const gdi::Colour overBefore = button.BackOver();
        button.SetBackColor(gdi::Colour(0x0000FF));
        QCOMPARE(button.BackOver(), overBefore);
        QCOMPARE(button.Palette().FaceColor.Raw(), 0x0000FFu); // BuildPalette ran
        QVERIFY(button.Surface().Image() != before);           // and the button was drawn again
        host_.SetUserMode(false);
        button.SetBackColor(gdi::Colour(0x00FF00));
        host_.SetUserMode(true);
        QCOMPARE(button.BackOver().Raw(), 0x00FF00u);
        // PictureOver while the mouse is away, and Value without the check-box behaviour, draw nothing.
        const QImage still = button.Surface().Image();
        button.SetPictureOver(host::PictureObject::FromImage(QImage(8, 8, QImage::Format_RGB32)));
        button.SetValue(true);
        QCOMPARE(button.Surface().Image(), still);
        button.SetCheckBoxBehaviour(true);
        QCOMPARE(button.LastState(), button::StateDown); // a checked check-box button looks pressed
        // After DisableRefresh nothing is drawn until Refresh.
        button.DisableRefresh();
        const QImage frozen = button.Surface().Image();
        button.SetCaption(QStringLiteral("Changed"));
        QCOMPARE(button.Surface().Image(), frozen);
        button.Refresh();
        QVERIFY(button.Surface().Image() != frozen);
    }

    void storedHandFalseWinsOverThePointer() {
        host::PropertyBag bag;
        bag.Write(QStringLiteral("MPTR"), std::int16_t{11});
        bag.Write(QStringLiteral("HAND"), false);
        sknButton button(host_);
        button.LoadStored(bag);
        QCOMPARE(button.MousePointer(), std::int16_t{1});
        QVERIFY(button.MouseIcon().IsEmpty());
    }

    void clicksAndButtons_data() {
        QTest::addColumn<int>("qtButton");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("left clicks") << int(Qt::LeftButton)
                                     << QStringList{"MouseDown 1 61 12", "MouseUp 1", "Click"};
        QTest::newRow("right never clicks")
            << int(Qt::RightButton) << QStringList{"MouseDown 2 61 12", "MouseUp 2"};
        QTest::newRow("middle never clicks")
            << int(Qt::MiddleButton) << QStringList{"MouseDown 4 61 12", "MouseUp 4"};
    }
    void clicksAndButtons() {
        QFETCH(int, qtButton);
        QFETCH(QStringList, events);
        auto rig = Shown();
        QVERIFY(rig);
        QStringList* log = Record(*rig->button);
        QTest::mousePress(rig->button, Qt::MouseButton(qtButton), {}, Centre(*rig->button));
        // Right presses draw nothing; the others show the down look.
        QCOMPARE(rig->button->LastState(), qtButton == Qt::RightButton ? button::StateUp : button::StateDown);
        QTest::mouseRelease(rig->button, Qt::MouseButton(qtButton), {}, Centre(*rig->button));
        QCOMPARE(rig->button->LastState(), button::StateUp);
        QCOMPARE(*log, events);
    }

    void handlerChangingButtonSuppressesThePress() {
        auto rig = Shown();
        QVERIFY(rig);
        connect(rig->button, &host::HostedWidget::MouseDown,
                [](std::int16_t& b, std::int16_t&, float&, float&) { b = 2; });
        QSignalSpy clicks(rig->button, &sknButton::Click);
        QTest::mouseClick(rig->button, Qt::LeftButton, {}, Centre(*rig->button));
        QCOMPARE(clicks.count(), 0); // the press counted as a right one
    }

    void clickOutsideTheRegionFallsThrough() {
        auto rig = Shown(14);
        QVERIFY(rig);
        sknButton& button = *rig->button;
        QVERIFY(!button.mask().contains(QPoint(0, 0)));
        QVERIFY(button.mask().contains(QPoint(1, 0)));
        QSignalSpy clicks(&button, &sknButton::Click);
        // Through the window system, which hands each press to the widget whose shape holds the point.
        QTest::mouseClick(rig->window.windowHandle(), Qt::LeftButton, {}, button.mapToParent(QPoint(0, 0)));
        QCOMPARE(clicks.count(), 0);
        // Far enough apart in time not to make a double click.
        QTest::mouseClick(rig->window.windowHandle(), Qt::LeftButton, {}, button.mapToParent(QPoint(1, 0)),
                          QApplication::doubleClickInterval() + 50);
        QCOMPARE(clicks.count(), 1);
        button.SetButtonType(13); // the ellipse: its corners are outside
        QVERIFY(!button.mask().contains(QPoint(2, 1)));
        QVERIFY(button.mask().contains(Centre(button)));
    }

    void doubleClickPressesAgainAndCaptures() {
        auto rig = Shown();
        QVERIFY(rig);
        QStringList* log = Record(*rig->button);
        QTest::mouseClick(rig->button, Qt::LeftButton, {}, Centre(*rig->button));
        QTest::mouseDClick(rig->button, Qt::LeftButton, {}, Centre(*rig->button));
        QTest::mouseRelease(rig->button, Qt::LeftButton, {}, Centre(*rig->button));
        QCOMPARE(log->count("Click"), 1);
        QVERIFY(log->contains("MouseDown 1 0 0")); // the second press, raised again with zeros
        QCOMPARE(rig->button->LastState(), button::StateUp);
        QCOMPARE(QWidget::mouseGrabber(), nullptr); // the capture ends with the release
    }

    void hoverMachine() {
        auto rig = Shown();
        QVERIFY(rig);
        sknButton& button = *rig->button;
        QStringList* log = Record(button);
        QCursor::setPos(button.mapToGlobal(Centre(button)));
        QTest::mouseMove(&button, Centre(button));
        QTest::mouseMove(&button, Centre(button) + QPoint(2, 0)); // moving within draws nothing new
        QVERIFY(button.Hovering());
        QVERIFY(button.OverTimer().isActive());
        QCOMPARE(button.OverTimer().interval(), 10); // 3 ms raised to the window timers' minimum
        const QImage hovered = button.Surface().Image();
        // Style 14 fills the face with the light colour while hovered (left of the focus mark).
        QCOMPARE(hovered.pixel(5, 12), QColor(host_.SysColours().GetSysColor(22).Raw() & 0xFF,
                                              (host_.SysColours().GetSysColor(22).Raw() >> 8) & 0xFF,
                                              (host_.SysColours().GetSysColor(22).Raw() >> 16) & 0xFF)
                                           .rgb());
        // Pressed, dragged inside and released: still the one hover, no second MouseOver.
        QTest::mousePress(&button, Qt::LeftButton, {}, Centre(button));
        QMouseEvent drag(QEvent::MouseMove, QPointF(Centre(button) + QPoint(1, 0)),
                         button.mapToGlobal(Centre(button)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&button, &drag);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, Centre(button));
        QTest::mouseMove(&button, Centre(button));
        QCursor::setPos(rig->window.mapToGlobal(QPoint(190, 70)));
        QTRY_VERIFY_WITH_TIMEOUT(!button.Hovering(), 1000);
        QVERIFY(!button.OverTimer().isActive());
        QVERIFY(button.Surface().Image() != hovered);
        // Moved away from a resting cursor, the button notices it is no longer under it.
        QCursor::setPos(button.mapToGlobal(Centre(button)));
        QTest::mouseMove(&button, Centre(button));
        QVERIFY(button.Hovering());
        button.move(button.pos() + QPoint(0, 60));
        QTRY_VERIFY_WITH_TIMEOUT(!button.Hovering(), 1000);
        QStringList hovers = *log;
        hovers.removeIf([](const QString& entry) { return !entry.startsWith("MouseO"); });
        QCOMPARE(hovers, (QStringList{"MouseOver", "MouseOut", "MouseOver", "MouseOut"}));
    }

    void spaceArrowsAndAccessKey() {
        auto rig = Shown();
        QVERIFY(rig);
        sknButton& button = *rig->button;
        button.setFocus();
        QTRY_VERIFY(button.HasFocus());
        QStringList* log = Record(button);
        QTest::keyPress(&button, Qt::Key_Space);
        QCOMPARE(button.LastState(), button::StateDown);
        QTest::keyRelease(&button, Qt::Key_Space);
        QCOMPARE(*log, QStringList{"Click"});
        // A space released after another key on the button gives no Click.
        log->clear();
        QTest::keyPress(&button, Qt::Key_A);
        QTest::keyRelease(&button, Qt::Key_Space);
        QVERIFY(log->isEmpty());
        QTest::keyClick(&button, Qt::Key_Left);
        QTest::keyClick(&button, Qt::Key_Down);
        QCOMPARE(sentKeys_, (QStringList{"+{Tab}", "{Tab}"}));
        // A KeyDown handler that sets KeyCode to 0 stops the arrow.
        auto zero = connect(&button, &host::HostedWidget::KeyDown,
                            [](std::int16_t& code, std::int16_t&) { code = 0; });
        QTest::keyClick(&button, Qt::Key_Right);
        QCOMPARE(sentKeys_.size(), 2);
        disconnect(zero);
        QVERIFY(log->isEmpty()); // arrows never click
        // Alt+R is the caption's access key.
        QTest::keyClick(&rig->window, Qt::Key_R, Qt::AltModifier);
        QCOMPARE(*log, QStringList{"Click"});
        button.SetEnabled(false);
        log->clear();
        QTest::keyClick(&rig->window, Qt::Key_R, Qt::AltModifier);
        QVERIFY(log->isEmpty()); // a disabled button's access key does nothing
    }

    void checkBoxBehaviourFlipsOnEveryClick() {
        auto rig = Shown();
        QVERIFY(rig);
        sknButton& button = *rig->button;
        button.SetCheckBoxBehaviour(true);
        QTest::mouseClick(&button, Qt::LeftButton, {}, Centre(button));
        QVERIFY(button.Value());
        QCOMPARE(button.LastState(), button::StateDown);
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_Space);
        QVERIFY(!button.Value());
        QCOMPARE(button.LastState(), button::StateUp);
    }

    void accessibility() {
        auto rig = Shown();
        QVERIFY(rig);
        sknButton& button = *rig->button;
        QCOMPARE(host::HostedAccessible::WithoutAccessMark("Free &RAM && more"), QString("Free RAM & more"));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
        QVERIFY(face != nullptr);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QString("Free RAM Now"));
        QVERIFY(face->state().focusable);
        QSignalSpy clicks(&button, &sknButton::Click);
        QAccessibleActionInterface* actions = face->actionInterface();
        QVERIFY(actions != nullptr);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);
        QTest::mousePress(&button, Qt::LeftButton, {}, Centre(button));
        QVERIFY(face->state().pressed);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, Centre(button));
        QVERIFY(!face->state().pressed);
        QCOMPARE(button.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    }
};

QTEST_MAIN(TestButton)
#include "TestButton.moc"
