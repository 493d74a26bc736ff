#include <functional>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "platform/host/FontSubstitution.h"
#include "platform/host/HostContext.h"
#include "platform/host/PictureObject.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/TimerControl.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

QString DataPath(const QString& name) {
    return qEnvironmentVariable("KELVO_TEST_DATA") + QStringLiteral("/forms/") + name;
}

// Runs that queue the next run (by name: a queued call of a slot, nothing to own) and then let events
// run, counting how deep they nest.
class NestingRuns : public QObject {
    Q_OBJECT

public:
    std::function<void()> run;
    int runs = 0;
    int depth = 0;
    int deepest = 0;
    void Queue() { QMetaObject::invokeMethod(this, "Run", Qt::QueuedConnection); }

public slots:
    void Run() {
        ++runs;
        ++depth;
        deepest = std::max(deepest, depth);
        if (runs < 200) {
            Queue();
        }
        run();
        --depth;
    }
};

class RecordingMessageBox : public MessageBoxService {
public:
    QStringList shown;
    void ShowCritical(const QString& text, const QString& title) override { shown << title + ": " + text; }
};

} // namespace

class TestHostServices : public QObject {
    Q_OBJECT

private slots:
    void fontsAreSubstitutedAtTheirPixelSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::newRow("MS Sans Serif 8.25") << "MS Sans Serif" << 8.25 << "Liberation Sans Narrow" << 11;
        QTest::newRow("Tahoma 8") << "Tahoma" << 8.0 << "DejaVu Sans Condensed" << 11;
        QTest::newRow("verdana 9, any case") << "verdana" << 9.0 << "DejaVu Sans" << 12;
        QTest::newRow("Verdana 9.75") << " Verdana " << 9.75 << "DejaVu Sans" << 13;
        QTest::newRow("bold 13.5") << "MS Sans Serif" << 13.5 << "Liberation Sans Narrow" << 18;
        QTest::newRow("unknown face") << "Wingdings 7" << 8.25 << "DejaVu Sans" << 11;
        QTest::newRow("empty name") << "" << 1.0 << "DejaVu Sans" << 1;
    }
    void fontsAreSubstitutedAtTheirPixelSize() {
        QFETCH(QString, name);
        QFETCH(double, points);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        const FontObject font(name, float(points), true, true, true, true);
        const QFont qfont = font.ToQFont(FontSubstitution());
        QCOMPARE(qfont.families().first(), family);
        QCOMPARE(qfont.pixelSize(), pixels);
        QVERIFY(qfont.bold() && qfont.italic() && qfont.underline() && qfont.strikeOut());
        QVERIFY(!qfont.kerning());
    }

    void oddFontSizesAreRefusedOrBounded() {
        FontObject font;
        QVERIFY(!font.SetSize(0));
        QVERIFY(!font.SetSize(-3));
        QVERIFY(!font.SetSize(std::numeric_limits<float>::quiet_NaN()));
        QVERIFY(!font.SetSize(1e30f));
        QCOMPARE(font.Size(), 8.25f);
        QCOMPARE(FontSubstitution::PixelSize(1e300), FontSubstitution::MaxPixelSize);
        QCOMPARE(FontSubstitution::PixelSize(-1), 1);
        QCOMPARE(FontSubstitution::PixelSize(std::numeric_limits<double>::infinity()), 1);
    }

    void picturesLoadAsBitmapsOrIcons() {
        QString error;
        const PictureObject banner =
            PictureObject::Load(DataPath(QStringLiteral("pictures/banner.png")), {}, &error);
        QVERIFY2(!banner.IsEmpty(), qPrintable(error));
        QCOMPARE(banner.Type(), PictureType::Bitmap);
        QCOMPARE(banner.Image().format(), QImage::Format_RGB32);
        QCOMPARE(QSize(banner.Width(), banner.Height()), QSize(8, 4));
        QCOMPARE(banner.WidthHimetric(), 212); // 8 pixels at 96 DPI
        QCOMPARE(qRound(PictureObject::HimetricToPixels(banner.WidthHimetric())), 8);
        QVERIFY(banner.Handle() != 0);
        const PictureObject icon = PictureObject::Load(DataPath(QStringLiteral("pictures/cross.ico")));
        QCOMPARE(icon.Type(), PictureType::Icon);
        QCOMPARE(icon.Width(), 16);
        QCOMPARE(qAlpha(icon.Image().pixel(1, 0)), 0);
    }

    void picturesThatFailGiveAnEmptyPictureAndAReason_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << DataPath(QStringLiteral("pictures/none.png")) << "does not exist";
        QTest::newRow("garbage") << DataPath(QStringLiteral("pictures/broken.png")) << "cannot be decoded";
        QTest::newRow("folder") << DataPath(QStringLiteral("pictures")) << "not a file";
        QTest::newRow("device") << QStringLiteral("/dev/zero") << "not a file";
        QTest::newRow("no path") << QString() << "no path";
    }
    void picturesThatFailGiveAnEmptyPictureAndAReason() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QString error;
        const PictureObject picture = PictureObject::Load(path, {}, &error);
        QVERIFY(picture.IsEmpty());
        QCOMPARE(picture.Handle(), 0);
        QCOMPARE(picture.Source(), path);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(PictureObject::Decode(QByteArray("\x89PNG\r\n\x1a\n broken"), PictureType::Bitmap, &error)
                    .IsEmpty());
    }

    void theHostOffersItsValues() {
        HostContext host;
        QCOMPARE(host.App().title, QStringLiteral("Kelvo"));
        QCOMPARE(host.App().major, 2);
        QCOMPARE(host.App().revision, 26);
        QCOMPARE(HostContext::TwipsPerPixelX, 15);
        QCOMPARE(HostContext::TwipsPerPixelY, 15);
        host.SetEnvironment({QStringLiteral("ada"), QStringLiteral("engine")});
        QCOMPARE(host.Environ(QStringLiteral("UserName")), QStringLiteral("ada"));
        QCOMPARE(host.Environ(QStringLiteral("COMPUTERNAME")), QStringLiteral("engine"));
        QCOMPARE(host.Environ(QStringLiteral("PATH")), QString());
        QVERIFY(!EnvironmentValues::FromSystem().userName.isEmpty());
        QCOMPARE(host.Resolve(gdi::Colour(0x8000000Fu)), gdi::Colour::FromRgb(212, 208, 200));
        const PictureObject& hand = host.HandCursor();
        QCOMPARE(hand.Type(), PictureType::Icon);
        QCOMPARE(hand.Hotspot(), QPoint(8, 0));
        auto recorder = std::make_unique<RecordingMessageBox>();
        RecordingMessageBox* messages = recorder.get();
        host.SetMessageBox(std::move(recorder));
        host.MessageBox().ShowCritical(QStringLiteral("Error occured: 5"), QStringLiteral("Kelvo"));
        QCOMPARE(messages->shown, QStringList{"Kelvo: Error occured: 5"});
    }

    void timersFollowEnabledAndInterval() {
        TimerControl timer;
        QSignalSpy spy(&timer, &TimerControl::Timer);
        QVERIFY(!timer.IsRunning()); // interval 0 keeps it silent
        QVERIFY(timer.SetInterval(5));
        QVERIFY(timer.IsRunning());
        QTRY_VERIFY(spy.size() >= 2);
        timer.SetEnabled(false);
        QVERIFY(!timer.IsRunning());
        QVERIFY(!timer.SetInterval(-1));
        QVERIFY(!timer.SetInterval(65536));
        QCOMPARE(timer.Interval(), 5);
        timer.SetEnabled(true);
        QVERIFY(timer.SetInterval(0));
        QVERIFY(!timer.IsRunning());

        PropertyBag bag;
        QVERIFY(timer.SetInterval(500));
        timer.Save(bag);
        QCOMPARE(bag.Count(), 1); // Enabled is at its default
        TimerControl loaded;
        loaded.LoadStored(bag);
        QCOMPARE(loaded.Interval(), 500);
        QVERIFY(loaded.IsRunning());
        loaded.Unload();
        QVERIFY(!loaded.IsRunning());
    }

    // Each run queues the next one and lets events run, so the runs nest into each other until the pump
    // refuses to go deeper; the rest then run from the outer loop.
    void nestedTurnsHaveADepthLimit() {
        HostContext host;
        NestingRuns nesting;
        nesting.run = [&] { host.DoEvents(); };
        nesting.Queue();
        QTRY_COMPARE(nesting.runs, 200);
        QCOMPARE(nesting.deepest, system::QtEventPump::MaxDepth + 1);
        QCOMPARE(nesting.depth, 0);
    }

    void sendKeysMovesTheFocus() {
        HostContext host;
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* first = new QLineEdit(&window);
        auto* second = new QLineEdit(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QVERIFY(host.SendKeys(QStringLiteral("{Tab}")));
        QTRY_VERIFY(second->hasFocus());
        QVERIFY(host.SendKeys(QStringLiteral("+{Tab}")));
        QTRY_VERIFY(first->hasFocus());
        QVERIFY(!host.SendKeys(QStringLiteral("{F13}")));
        QVERIFY(!host.SendKeys(QStringLiteral("{Tab")));
    }
};

QTEST_MAIN(TestHostServices)
#include "TestHostServices.moc"
