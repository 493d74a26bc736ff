#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "FormsRig.h"

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

    void controlsAtTheirPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("place");
        const auto row = [](const char* name, int index, int l, int t, int w, int h) {
            QTest::addRow("%s(%d)", name, index) << QString(name) << index << QRect(l, t, w, h);
        };
        row("Picture1", -1, 14, 4, 229, 49);
        row("lblVersion", -1, 180, 16, 29, 24);
        row("sknFrame3D1", -1, 264, 2, 107, 51);
        for (int i = 0; i < 3; ++i) {
            row("lblCaption", i, 12, 60 + 18 * i, 119, 15);
            row("lblM", i, 134, 58 + 18 * i, 97, 17);
            row("OptionLevel", i, 14, 134 + 16 * i, 15, 19);
            row("lblLevel", i, 34, 136 + 16 * i, 87, 13);
        }
        const int columns[] = {32, 78, 130};
        for (int i = 0; i < 3; ++i) {
            row("optTimed", i, columns[i], 228, 15, 15);
            row("lblInterval", i, columns[i] + 16, 228, 44, 13);
            row("OptionRAMPercent", i, columns[i], 266, 15, 15);
            row("lblPercent", i, columns[i] + 16, 266, 44, 13);
        }
        row("sknLine3D1", -1, 4, 116, 361, 2);
        row("lblLevelHeading", -1, 10, 120, 86, 13);
        row("lblDescription", -1, 136, 122, 225, 61);
        row("sknLine3D2", -1, 4, 188, 361, 2);
        row("lblScheduleHeading", -1, 10, 194, 67, 13);
        row("sknLine3D4", -1, 232, 198, 2, 79);
        row("NextOptimizeLabel", -1, 244, 204, 95, 37);
        row("CheckOptionRAM", 0, 10, 210, 17, 15);
        row("lblTimed", -1, 28, 210, 111, 13);
        row("CheckOptionRAM", 1, 10, 248, 17, 15);
        row("lblFreeRam", -1, 28, 248, 194, 13);
        row("chkStart", -1, 240, 264, 19, 19);
        row("lblStartMinimize", -1, 258, 266, 83, 13);
        row("sknLine3D3", -1, 4, 286, 361, 2);
        row("pb", -1, 6, 292, 357, 24);
        row("lblReadme", -1, 6, 320, 83, 19);
        row("cmdOptimize", -1, 120, 318, 123, 25);
        row("lblWebsite", -1, 290, 320, 73, 19);
    }
    void controlsAtTheirPlaces() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, place);
        FormsRig rig;
        rig.Start();
        auto* widget = qobject_cast<QWidget*>(rig.main.Instance(name, index));
        QVERIFY2(widget != nullptr, qPrintable(name));
        QCOMPARE(widget->geometry(), place);
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
