#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "FormsRig.h"
#include "platform/host/FormReader.h"
#include "platform/host/HostContext.h"

using namespace kelvo;
using tests::FormsRig;

namespace {

// What a screen reader calls the widget.
QString SpokenName(QWidget* widget) {
    QAccessibleInterface* iface = widget != nullptr ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("(none)");
}

// The window shown and in front, as the keyboard needs it.
bool ShowActive(FormsRig& rig) {
    rig.Start();
    rig.main.show();
    QApplication::setActiveWindow(&rig.main);
    return QTest::qWaitForWindowActive(&rig.main);
}

// Presses a key where the focus is.
void Press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

} // namespace

// The main window as its form file builds it: every control where the layout puts it, and every caption
// fitting its box in the font that stands in for the stored one.
class TestMainWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void clientArea() {
        FormsRig rig;
        rig.Start();
        QVERIFY2(rig.main.LoadErrors().isEmpty(), qPrintable(tests::FirstError(rig.main.LoadErrors())));
        QCOMPARE(rig.main.size(), QSize(371, 348));
    }

    // Every instance of the form file is made and placed where the file puts it (host units to pixels,
    // halves to even), inside the client area.
    void controlsAtTheirPlaces() {
        FormsRig rig;
        rig.Start();
        const host::FormReader::Result read =
            host::FormReader::ReadFile(QStringLiteral(":/forms/frmMain.json"));
        QVERIFY(read.form.has_value());
        const QRect client = rig.main.rect();
        for (const host::InstanceSpec& instance : read.form->instances) {
            auto* widget = qobject_cast<QWidget*>(rig.main.Instance(instance.name, instance.index));
            QVERIFY2(widget != nullptr, qPrintable(instance.DisplayName()));
            const QRect place(
                host::HostContext::ToPixels(instance.left), host::HostContext::ToPixels(instance.top),
                host::HostContext::ToPixels(instance.width), host::HostContext::ToPixels(instance.height));
            QVERIFY2(widget->geometry() == place && client.contains(place),
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                    .arg(instance.DisplayName())
                                    .arg(widget->x())
                                    .arg(widget->y())
                                    .arg(widget->width())
                                    .arg(widget->height())));
        }
        QVERIFY(read.form->instances.size() >= 40);
    }

    void optionsSpeakTheirCaptions() {
        FormsRig rig;
        rig.Start();
        QAccessibleInterface* level = QAccessible::queryAccessibleInterface(rig.main.OptionLevel[1]);
        QVERIFY(level != nullptr);
        QCOMPARE(level->role(), QAccessible::RadioButton);
        QCOMPARE(level->text(QAccessible::Name), QString("Moderate"));
        QVERIFY(!level->state().checked);
        rig.main.OptionLevel[1]->SetValue(true);
        QVERIFY(level->state().checked && level->state().checkable);
        QAccessibleInterface* timed = QAccessible::queryAccessibleInterface(rig.main.CheckOptionRAM[0]);
        QCOMPARE(timed->role(), QAccessible::CheckBox);
        QCOMPARE(timed->text(QAccessible::Name), QString("at timed intervals, every"));
        QCOMPARE(QAccessible::queryAccessibleInterface(rig.main.chkStart)->text(QAccessible::Name),
                 QString("Start Minimize"));
    }

    void tabStopsInReadingOrder() {
        FormsRig rig(QByteArray("[General]\r\nCheckRamProcent=1\r\n"));
        QVERIFY(ShowActive(rig));
        // Each option group is one stop, at its selected option, or its first when none is selected.
        const QStringList expected{"Light",      "at timed intervals, every",
                                   "5 min",      "when free RAM drops below certain level",
                                   "20%",        "Start Minimize",
                                   "Readme",     "Free RAM Now",
                                   "Website...", "Light"};
        // The first stop came from the window, not from Tab: no focus mark for a mouse user.
        QVERIFY(!rig.main.Find<host::Label>("lblLevel", 0)->FocusMarkShown());
        QStringList seen{SpokenName(QApplication::focusWidget())};
        while (seen.size() < expected.size()) {
            Press(Qt::Key_Tab);
            seen << SpokenName(QApplication::focusWidget());
        }
        QCOMPARE(seen, expected);
        QVERIFY(rig.main.Find<host::Label>("lblLevel", 0)->FocusMarkShown());
    }

    void captionsFitTheirBoxes() {
        FormsRig rig;
        rig.Start();
        rig.scheduler.CheckSchedule();
        rig.schedulerValues.IntervalSeconds = 1800;
        rig.scheduler.CheckSchedule(); // the longest countdown text
        int checked = 0;
        for (host::Label* label : rig.main.findChildren<host::Label*>()) {
            if (label->Caption().isEmpty() || label->isHidden()) {
                continue;
            }
            const QSize needed = label->MeasureText(label->WordWrap(), label->width());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(QString("\"%1\" needs %2x%3 in %4x%5")
                                    .arg(label->Caption())
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(label->width())
                                    .arg(label->height())));
            ++checked;
        }
        QVERIFY(checked >= 20);
    }
};

QTEST_MAIN(TestMainWindowLayout)
#include "TestMainWindowLayout.moc"
