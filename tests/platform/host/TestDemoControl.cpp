#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

#include "DemoControl.h"
#include "platform/host/ControlFactory.h"
#include "platform/host/Form.h"
#include "platform/host/FormReader.h"
#include "platform/host/FormWriter.h"
#include "platform/host/HostContext.h"
#include "platform/host/Label.h"
#include "tests/support/DrawingStepGuard.h"

using namespace kelvo;
using namespace kelvo::host;

class TestDemoControl : public QObject {
    Q_OBJECT

private slots:
    void loadedPaintedClickedAndSaved() {
        const QString path = qEnvironmentVariable("KELVO_TEST_DATA") + QStringLiteral("/forms/demo.json");
        FormReader::Result read = FormReader::ReadFile(path);
        QVERIFY(read.form);
        QVERIFY(read.errors.isEmpty());
        HostContext host;
        ControlFactory factory;
        factory.Register<DemoControl>(QStringLiteral("DemoControl"));
        Form form(host);
        QVERIFY(form.Load(*read.form, factory, path).isEmpty());
        auto* demo = form.Find<DemoControl>(QStringLiteral("demo"));
        QVERIFY(demo != nullptr);
        QCOMPARE(demo->size(), QSize(120, 25));
        QCOMPARE(demo->Text(), QStringLiteral("Clicked 2"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // Painted through the device context: a black frame around a green box with the caption.
        const QImage& surface = demo->Surface().Image();
        QCOMPARE(surface.pixel(0, 0), 0xFF000000u);
        QCOMPARE(surface.pixel(119, 24), 0xFF000000u);
        QCOMPARE(surface.pixel(2, 2), 0xFF00FF00u);
        const QImage before = surface.copy();
        int inked = 0;
        for (int y = 2; y < 23; ++y) {
            for (int x = 2; x < 118; ++x) {
                inked += before.pixel(x, y) != 0xFF00FF00u ? 1 : 0;
            }
        }
        QVERIFY(inked > 20); // the caption
        QTRY_COMPARE(demo->grab().toImage().convertToFormat(QImage::Format_RGB32), before);

        QSignalSpy clicks(demo, &DemoControl::Click);
        QSignalSpy changes(demo, &UserControl::PropertyChangeNotified);
        tests::DrawingStepGuard guard(demo->Surface().hDC());
        QTest::mouseClick(demo, Qt::LeftButton, {}, QPoint(30, 10));
        QVERIFY2(guard.Unchanged(), qPrintable(guard.Report()));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().first().toString(), QStringLiteral("Clicks"));
        QCOMPARE(demo->Clicks(), 3);
        QVERIFY(demo->Surface().Image() != before); // the new count is drawn
        QTRY_COMPARE(demo->grab().toImage().convertToFormat(QImage::Format_RGB32), demo->Surface().Image());

        // A handler that turns the press into a right-button press suppresses the click.
        connect(demo, &DemoControl::MouseDown, this,
                [](std::int16_t& button, std::int16_t&, float&, float&) { button = 2; });
        QTest::mouseClick(demo, Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(demo->Clicks(), 3);

        // Saving writes the new count; everything else comes back as it was read.
        QJsonObject expected = FormWriter::ToJson(*read.form);
        QJsonArray instances = expected.value(QStringLiteral("instances")).toArray();
        QJsonObject first = instances.at(0).toObject();
        QJsonObject properties = first.value(QStringLiteral("properties")).toObject();
        properties.insert(QStringLiteral("Clicks"), QJsonObject{{QStringLiteral("int32"), 3}});
        first.insert(QStringLiteral("properties"), properties);
        instances.replace(0, first);
        expected.insert(QStringLiteral("instances"), instances);
        QCOMPARE(FormWriter::ToJson(form.Save()), expected);
    }

    void aNewInstanceStartsFromItsDisplayName() {
        HostContext host;
        ControlFactory factory;
        factory.Register<DemoControl>(QStringLiteral("DemoControl"));
        Form form(host);
        FormErrors errors;
        auto* created =
            dynamic_cast<DemoControl*>(form.Add(factory, QStringLiteral("DemoControl"),
                                                QStringLiteral("demo"), 3, QRect(0, 0, 900, 300), &errors));
        QVERIFY(created != nullptr);
        QVERIFY(errors.isEmpty());
        QCOMPARE(created->Caption(), QStringLiteral("demo(3)"));
        QCOMPARE(created->Surface().Font(), form.Font());
        QVERIFY(form.Add(factory, QStringLiteral("DemoControl"), QStringLiteral("DEMO"), 3, QRect(),
                         &errors) == nullptr);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().key, QStringLiteral("name"));
        PropertyBag bag;
        created->Save(bag);
        QCOMPARE(bag.Read(QStringLiteral("Caption"), ""), QStringLiteral("demo(3)"));
        QVERIFY(!bag.Contains(QStringLiteral("Clicks")));
        QVERIFY(!bag.Contains(QStringLiteral("Font")));
    }
};

QTEST_MAIN(TestDemoControl)
#include "TestDemoControl.moc"
