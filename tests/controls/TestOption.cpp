#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "controls/option/OptionGroup.h"
#include "controls/option/sknCheck.h"
#include "controls/option/sknOption.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"
#include "tests/support/BagKeys.h"

using namespace kelvo;
using namespace kelvo::controls;

namespace {

// Every event and change notification of a control, in order.
QStringList* Record(sknOption& control) {
    auto* log = new QStringList;
    QObject::connect(&control, &sknOption::Click, [log] { *log << "Click"; });
    QObject::connect(&control, &sknOption::Change, [log] { *log << "Change"; });
    QObject::connect(&control, &host::UserControl::PropertyChangeNotified,
                     [log](const QString& name) { *log << name; });
    QObject::connect(&control, &QObject::destroyed, [log] { delete log; });
    return log;
}

void ClickAt(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, widget->height() / 2));
}

} // namespace

class TestOption : public QObject {
    Q_OBJECT

    host::HostContext host_;

private slots:
    void optionClicksSelect() {
        sknOption option(host_);
        option.resize(15, 19);
        option.LoadNew();
        QStringList* log = Record(option);
        ClickAt(&option);
        ClickAt(option.picRadio); // a click on a set option repeats everything
        QVERIFY(option.Value());
        QCOMPARE(*log, (QStringList{"Change", "Value", "Click", "Change", "Value", "Click"}));
    }

    void checkClicksToggle() {
        sknCheck check(host_);
        check.resize(120, 16);
        check.LoadNew();
        QStringList* log = Record(check);
        ClickAt(&check);
        QVERIFY(check.Value());
        ClickAt(check.lblCaption);
        QVERIFY(!check.Value());
        QCOMPARE(*log, (QStringList{"Change", "Value", "Click", "Change", "Value", "Click"}));
    }

    void writingValueAlwaysRaisesChange() {
        sknOption option(host_);
        option.LoadNew();
        QStringList* log = Record(option);
        option.SetValue(false);
        option.SetValue(true);
        QCOMPARE(*log, (QStringList{"Value", "Change", "Value", "Change"}));
        QCOMPARE(option.picRadio->Picture().Image().size(), QSize(14, 15));
    }

    void imagesFollowTheValue() {
        sknCheck check(host_);
        check.LoadNew();
        const QImage cleared = check.picRadio->Picture().Image();
        QCOMPARE(cleared.size(), QSize(15, 16));
        check.SetValue(true);
        const QImage set = check.picRadio->Picture().Image();
        QVERIFY(set != cleared);
        // A stored true shows the set image without any event.
        host::PropertyBag bag;
        bag.Write(QStringLiteral("Value"), true);
        sknCheck stored(host_);
        QStringList* log = Record(stored);
        stored.LoadStored(bag);
        QVERIFY(stored.Value());
        QCOMPARE(stored.picRadio->Picture().Image(), set);
        QVERIFY(log->isEmpty());
    }

    void emptyStoreGivesTheDefaults() {
        host::PropertyBag bag;
        sknOption option(host_);
        option.LoadStored(bag);
        QVERIFY(option.Enabled());
        QCOMPARE(option.Font(), option.Ambient().font);
        QCOMPARE(option.ForeColor().Raw(), 0x80000012u);
        QCOMPARE(option.ToolTipText(), QString());
        QVERIFY(!option.Value());
        QCOMPARE(option.Caption(), QString()); // the designed "Option" gives way to the empty default
        host::PropertyBag saved;
        option.Save(saved);
        QVERIFY(saved.IsEmpty()); // every value at its default is omitted
    }

    void propertiesRoundTripInOrder() {
        host::PropertyBag bag;
        bag.Write(QStringLiteral("Caption"), QStringLiteral("Heavy"));
        bag.Write(QStringLiteral("value"), true);
        bag.Write(QStringLiteral("ENABLED"), false);
        bag.Write(QStringLiteral("ToolTipText"), QStringLiteral("tip"));
        sknOption option(host_);
        option.LoadStored(bag);
        QVERIFY(!option.Enabled());
        QCOMPARE(option.lblCaption->ToolTipText(), QString("tip"));
        QCOMPARE(option.picRadio->ToolTipText(), QString()); // read back onto the caption only
        option.SetToolTipText(QStringLiteral("both"));
        QCOMPARE(option.picRadio->ToolTipText(), QString("both"));
        host::PropertyBag saved;
        option.Save(saved);
        const QStringList keys = kelvo::test::BagKeys(saved);
        QCOMPARE(keys, (QStringList{"Enabled", "ToolTipText", "Value", "Caption"}));
    }

    void badStoredValuesFallBack() {
        host::PropertyBag bag;
        bag.Write(QStringLiteral("Value"), QStringLiteral("yes"));        // wrong type
        bag.Write(QStringLiteral("ForeColor"), gdi::Colour(0x7F000001u)); // stray high bits
        sknOption option(host_);
        option.LoadStored(bag);
        QVERIFY(!option.Value());
        QCOMPARE(option.ForeColor().Raw(), 0x80000012u);
        QCOMPARE(bag.Errors().size(), 2);
    }

    void eachPropertyLandsWhereItBelongs() {
        sknOption option(host_);
        option.LoadNew();
        QStringList* log = Record(option);
        const host::FontObject captionFont = option.lblCaption->Font();
        const gdi::Colour captionColour = option.lblCaption->ForeColor();
        const host::FontObject bold(QStringLiteral("Verdana"), 12.0f, true);
        // Font and ForeColor are the surface's: the caption keeps its own.
        option.SetFont(bold);
        QCOMPARE(option.Font(), bold);
        QCOMPARE(option.Surface().Font(), bold);
        QCOMPARE(option.lblCaption->Font(), captionFont);
        option.SetForeColor(gdi::Colour(0x0000FF));
        QCOMPARE(option.Surface().ForeColor().Raw(), 0x0000FFu);
        QCOMPARE(option.lblCaption->ForeColor().Raw(), captionColour.Raw());
        // The tool tip goes on the image and the caption.
        option.SetToolTipText(QStringLiteral("tip"));
        QCOMPARE(option.picRadio->toolTip(), QStringLiteral("tip"));
        QCOMPARE(option.lblCaption->toolTip(), QStringLiteral("tip"));
        option.SetCaption(QStringLiteral("Light"));
        QCOMPARE(option.lblCaption->Caption(), QStringLiteral("Light"));
        option.SetEnabled(false);
        QVERIFY(!option.Surface().Enabled());
        QCOMPARE(*log, (QStringList{"Font", "ForeColor", "ToolTipText", "Caption", "Enabled"}));
        // What was set is what is stored, under the keys of the table, in its order.
        host::PropertyBag saved;
        option.Save(saved);
        const QStringList keys = kelvo::test::BagKeys(saved);
        QCOMPARE(keys, (QStringList{"Enabled", "Font", "ForeColor", "ToolTipText", "Caption"}));
        QCOMPARE(sknOption::Properties().Keys(),
                 (QStringList{"Enabled", "Font", "ForeColor", "ToolTipText", "Value", "Caption"}));
        sknOption loaded(host_);
        loaded.LoadStored(saved);
        QCOMPARE(loaded.Font(), bold);
        QCOMPARE(loaded.ForeColor().Raw(), 0x0000FFu);
        QVERIFY(!loaded.Enabled());
    }

    void disabledDirectlyReadsAsDisabled() {
        sknOption option(host_);
        option.LoadNew();
        option.setEnabled(false); // as a form may do, past the property
        QVERIFY(!option.Enabled());
        host::PropertyBag saved;
        option.Save(saved);
        QCOMPARE(saved.Read(QStringLiteral("Enabled"), true), false);
    }

    void mouseEventsComeFromTheSurfaceOnly() {
        QWidget window;
        window.resize(150, 40);
        auto* option = new sknOption(host_, &window);
        option->setGeometry(0, 0, 130, 19);
        option->LoadNew();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy downs(option, &sknOption::MouseDown);
        QSignalSpy ups(option, &sknOption::MouseUp);
        QSignalSpy clicks(option, &sknOption::Click);
        ClickAt(option->lblCaption);
        ClickAt(option->picRadio);
        QCOMPARE(downs.size(), 0);
        QCOMPARE(ups.size(), 0);
        QCOMPARE(clicks.size(), 2);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(125, 10)); // the surface right of the caption
        QCOMPARE(downs.size(), 1);
        QCOMPARE(ups.size(), 1);
        QCOMPARE(clicks.size(), 3);
    }

    void keyboardClicksAsTheMouseDoes() {
        QWidget window;
        std::vector<sknOption*> options;
        for (int i = 0; i < 3; ++i) {
            options.push_back(new sknOption(host_, &window));
            options.back()->setGeometry(20 * i, 0, 15, 19);
            options.back()->LoadNew();
        }
        auto* check = new sknCheck(host_, &window);
        check->setGeometry(0, 20, 15, 19);
        check->LoadNew();
        OptionGroup group(options);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(group.TabStop(), options[0]); // none selected: the first is the group's stop
        QStringList* log = Record(*check);
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(check->Value());
        QCOMPARE(*log, (QStringList{"Change", "Value", "Click"}));
        // A host that takes the key keeps it from clicking.
        QObject::connect(check, &sknOption::KeyDown,
                         [](std::int16_t& keyCode, std::int16_t&) { keyCode = 0; });
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(check->Value());
        // A screen reader's toggle action clicks it too; its image and caption are parts of it, not children.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(check);
        QCOMPARE(iface->childCount(), 0);
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!check->Value() && !iface->state().checked);
        QCOMPARE(*log, (QStringList{"Change", "Value", "Click", "Change", "Value", "Click"}));
        // The arrows move through the group and select as they go, round the ends, past a disabled one.
        options[1]->setEnabled(false);
        options[0]->setFocus(Qt::MouseFocusReason);
        QSignalSpy clicks(options[2], &sknOption::Click);
        QTest::keyClick(options[0], Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), options[2]);
        QVERIFY(options[2]->Value() && options[2]->KeyboardFocus());
        QCOMPARE(clicks.size(), 1);
        QTest::keyClick(options[2], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), options[0]);
        // Only the selected option is a Tab stop (the form clears the others; here two are selected).
        options[2]->SetValue(false);
        QCOMPARE(group.TabStop(), options[0]);
        QCOMPARE(options[0]->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(options[2]->focusPolicy(), Qt::ClickFocus);
    }

    void imageStaysCentred_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("top");
        QTest::newRow("40 high: 12.5") << 40 << 12;
        QTest::newRow("19 high: 2") << 19 << 2;
        QTest::newRow("15 high: 0") << 15 << 0;
        QTest::newRow("0 high") << 0 << -8;
    }
    void imageStaysCentred() {
        QFETCH(int, height);
        QFETCH(int, top);
        QWidget window;
        window.resize(100, 100);
        auto* option = new sknOption(host_, &window);
        option->LoadNew();
        window.show();
        option->resize(30, height);
        QCOMPARE(option->picRadio->y(), top);
    }
};

QTEST_MAIN(TestOption)
#include "TestOption.moc"
