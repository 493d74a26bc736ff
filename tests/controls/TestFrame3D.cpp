#include <functional>
#include <map>
#include <memory>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "controls/frame/FrameProperties.h"
#include "controls/frame/sknFrame3D.h"
#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"
#include "tests/controls/ErrorLogRig.h"
#include "tests/support/BagKeys.h"

using namespace kelvo;
using namespace kelvo::controls;

namespace {

using tests::Origin;
using tests::RecordingMessages;

constexpr QRgb Marker = 0xff00ff00;
const QDateTime Moment(QDate(2026, 1, 2), QTime(3, 4, 5));

using Setter = std::function<void(sknFrame3D&, int)>;
const std::map<QString, Setter>& Setters() {
    static const std::map<QString, Setter> setters{
        {"BackColor", [](sknFrame3D& f, int v) { f.SetBackColor(gdi::Colour(std::uint32_t(v))); }},
        {"BackStyle", [](sknFrame3D& f, int v) { f.SetBackStyle(std::int16_t(v)); }},
        {"BevelWidth", &sknFrame3D::SetBevelWidth},
        {"Border3DHighlight",
         [](sknFrame3D& f, int v) { f.SetBorder3DHighlight(gdi::Colour(std::uint32_t(v))); }},
        {"Border3DShadow", [](sknFrame3D& f, int v) { f.SetBorder3DShadow(gdi::Colour(std::uint32_t(v))); }},
        {"BorderType", &sknFrame3D::SetBorderType},
        {"Caption", [](sknFrame3D& f, int v) { f.SetCaption(QString::number(v)); }},
        {"Caption3D", &sknFrame3D::SetCaption3D},
        {"CaptionAlignment", &sknFrame3D::SetCaptionAlignment},
        {"CaptionLocation", &sknFrame3D::SetCaptionLocation},
        {"CaptionMAlignment", &sknFrame3D::SetCaptionMAlignment},
        {"CornerRadius", &sknFrame3D::SetCornerRadius},
        {"DrawStyle", &sknFrame3D::SetDrawStyle},
        {"Enabled", [](sknFrame3D& f, int v) { f.SetEnabled(v != 0); }},
        {"FillColor", [](sknFrame3D& f, int v) { f.SetFillColor(gdi::Colour(std::uint32_t(v))); }},
        {"FillGradient", &sknFrame3D::SetFillGradient},
        {"FillStyle", &sknFrame3D::SetFillStyle},
        {"FloodColor", [](sknFrame3D& f, int v) { f.SetFloodColor(gdi::Colour(std::uint32_t(v))); }},
        {"FloodPercent", &sknFrame3D::SetFloodPercent},
        {"FloodShowPct", [](sknFrame3D& f, int v) { f.SetFloodShowPct(v != 0); }},
        {"FloodType", &sknFrame3D::SetFloodType},
        {"FontBold", [](sknFrame3D& f, int v) { f.SetFontBold(v != 0); }},
        {"FontItalic", [](sknFrame3D& f, int v) { f.SetFontItalic(v != 0); }},
        {"FontName", [](sknFrame3D& f, int) { f.SetFontName("Arial"); }},
        {"FontSize", &sknFrame3D::SetFontSize},
        {"FontUnderline", [](sknFrame3D& f, int v) { f.SetFontUnderline(v != 0); }},
        {"ForeColor", [](sknFrame3D& f, int v) { f.SetForeColor(gdi::Colour(std::uint32_t(v))); }},
        {"MouseIcon", [](sknFrame3D& f, int) { f.SetMouseIcon({}); }},
        {"MousePointer", &sknFrame3D::SetMousePointer},
        {"UseMnemonic", [](sknFrame3D& f, int v) { f.SetUseMnemonic(v != 0); }},
    };
    return setters;
}

// A value of a type a key holding `stored` cannot be read as.
host::PropertyValue WrongType(const host::PropertyValue& stored) {
    return host::TypeOf(stored) == host::PropertyType::Text ? host::PropertyValue(std::int32_t{7})
                                                            : host::PropertyValue(QStringLiteral("x"));
}

} // namespace

class TestFrame3D : public QObject {
    Q_OBJECT

    host::HostContext host_;
    RecordingMessages messages_;
    QTemporaryDir dir_;
    std::unique_ptr<ErrorLog> log_;

    std::unique_ptr<sknFrame3D> Frame(host::PropertyBag* stored = nullptr) {
        auto frame = std::make_unique<sknFrame3D>(host_, log_.get());
        frame->resize(60, 40);
        if (stored != nullptr) {
            frame->LoadStored(*stored);
        } else {
            frame->LoadNew();
        }
        return frame;
    }
    QByteArray LogText() const {
        QFile file(log_->Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() {
        QFile::remove(dir_.filePath("ErrorLog.txt"));
        messages_.texts.clear();
        messages_.titles.clear();
        log_ = std::make_unique<ErrorLog>(dir_.filePath("ErrorLog.txt"), messages_, Origin(),
                                          [] { return Moment; });
    }

    // Markers outside and inside the flood bar tell a full pass (clears both), the flood alone (paints
    // over the inner one) and no drawing (both stay) apart.
    void setterAfterActions_data() {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("notified");
        QTest::addColumn<QString>("after");
        for (const char* name :
             {"BackColor",  "BevelWidth", "Border3DHighlight", "Border3DShadow",  "BorderType",
              "Caption",    "Caption3D",  "CaptionAlignment",  "CaptionLocation", "CaptionMAlignment",
              "DrawStyle",  "Enabled",    "FillColor",         "FillGradient",    "FillStyle",
              "FloodType",  "FontBold",   "FontItalic",        "FontName",        "FontSize",
              "UseMnemonic"}) {
            QTest::newRow(name) << name << 1 << name << "repaint";
        }
        QTest::newRow("CornerRadius") << "CornerRadius" << 5 << "CornerDiameter"
                                      << "repaint";
        for (const char* name :
             {"BackStyle", "FloodShowPct", "FontUnderline", "ForeColor", "MouseIcon", "MousePointer"}) {
            QTest::newRow(name) << name << 1 << name << "none";
        }
        QTest::newRow("FloodColor") << "FloodColor" << 0x00FF0000 << "FloodColor"
                                    << "flood";
        QTest::newRow("FloodPercent raised") << "FloodPercent" << 60 << "FloodPercent"
                                             << "flood";
        QTest::newRow("FloodPercent lowered") << "FloodPercent" << 40 << "FloodPercent"
                                              << "repaint";
        QTest::newRow("FloodPercent same") << "FloodPercent" << 50 << "FloodPercent"
                                           << "repaint";
    }
    void setterAfterActions() {
        QFETCH(QString, setter);
        QFETCH(int, value);
        QFETCH(QString, notified);
        QFETCH(QString, after);
        auto frame = Frame();
        frame->SetFloodPercent(50); // the bar covers the left half of the inside
        for (const QPoint p : {QPoint(45, 20), QPoint(10, 20)}) {
            QVERIFY(frame->Surface().LineBoxFilled(p.x(), p.y(), p.x(), p.y(), gdi::Colour(0x0000FF00u)));
        }
        QSignalSpy spy(frame.get(), &host::UserControl::PropertyChangeNotified);
        Setters().at(setter)(*frame, value);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), notified);
        const QImage& image = frame->Surface().Image();
        const bool outside = image.pixel(45, 20) == Marker;
        const bool inside = image.pixel(10, 20) == Marker;
        QCOMPARE(after, !outside ? QString("repaint") : inside ? QString("none") : QString("flood"));
    }

    void setterClamps_data() {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("BevelWidth 0") << "BevelWidth" << 0 << 3;
        QTest::newRow("BevelWidth 2") << "BevelWidth" << 2 << 3;
        QTest::newRow("BevelWidth -9") << "BevelWidth" << -9 << 3;
        QTest::newRow("BevelWidth 4") << "BevelWidth" << 4 << 4;
        QTest::newRow("FloodPercent 150") << "FloodPercent" << 150 << 100;
        QTest::newRow("FloodPercent 101") << "FloodPercent" << 101 << 100;
        QTest::newRow("FloodPercent -5") << "FloodPercent" << -5 << 0;
    }
    void setterClamps() {
        QFETCH(QString, setter);
        QFETCH(int, value);
        QFETCH(int, stored);
        auto frame = Frame();
        Setters().at(setter)(*frame, value);
        QCOMPARE(setter == "BevelWidth" ? frame->BevelWidth() : frame->FloodPercent(), stored);
    }

    void loadingKeepsWhatSettersClamp() {
        host::PropertyBag bag;
        bag.Write("BevelWidth", std::int32_t{1});
        bag.Write("FloodPercent", std::int32_t{150});
        auto frame = Frame(&bag);
        QCOMPARE(frame->BevelWidth(), 1);
        QCOMPARE(frame->FloodPercent(), 150);
        QVERIFY(LogText().isEmpty()); // the paint copes with the bar wider than the frame
    }

    void captionWhileFloodShowsPercentage() {
        auto frame = Frame();
        frame->SetFloodShowPct(true);
        frame->SetCaption("Hello"); // no flood yet: the caption stays
        QCOMPARE(frame->Caption(), QString("Hello"));
        frame->SetFloodPercent(30);
        frame->SetCaption("Again"); // the repaint writes the percentage back
        QCOMPARE(frame->Caption(), QString("30%"));
        QCOMPARE(frame->lblCaptionShadow->Caption(), QString("30%"));
        frame->SetFloodShowPct(false);
        QCOMPARE(frame->Caption(), QString());
        QCOMPARE(frame->lblCaptionShadow->Caption(), QString());
    }

    void readPropertiesShowsPercentageAndCopiesToShadow() {
        host::PropertyBag bag;
        bag.Write("FloodShowPct", true);
        bag.Write("FloodPercent", std::int32_t{42});
        bag.Write("Caption", QString("Stored"));
        bag.Write("CaptionMAlignment", std::int16_t{2});
        bag.Write("FontBold", true);
        auto frame = Frame(&bag);
        QCOMPARE(frame->Caption(), QString("42%"));
        QCOMPARE(frame->lblCaptionShadow->Caption(), QString("42%"));
        QCOMPARE(frame->lblCaptionShadow->Alignment(), std::int16_t{2});
        QVERIFY(frame->lblCaptionShadow->Font().Bold());
    }

    void cornerRadiusKeptUnderCornerDiameter() {
        auto frame = Frame();
        frame->SetCornerRadius(5);
        host::PropertyBag bag;
        frame->Save(bag);
        QCOMPARE(bag.Read("CornerDiameter", std::int32_t{0}), 5);
        QCOMPARE(Frame(&bag)->CornerRadius(), 5);
    }

    // A frame placed new; what it does not set stays 0.
    void newFrameStartingValues() {
        const auto frame = Frame();
        QCOMPARE(frame->BorderType(), 1);
        QCOMPARE(frame->BevelWidth(), 3);
        QCOMPARE(frame->CornerRadius(), 7);
        QCOMPARE(frame->Border3DHighlight(), gdi::Colour(0x80000014u));
        QCOMPARE(frame->Border3DShadow(), gdi::Colour(0x80000010u));
        QCOMPARE(frame->BackColor(), frame->Ambient().backColor);
        QCOMPARE(frame->FloodColor(), gdi::Colour(0x00FFC19Fu));
        QVERIFY(frame->Enabled() && !frame->UseMnemonic());
        QCOMPARE(frame->Caption3D() + frame->FloodPercent() + frame->FloodType() + frame->FillGradient(), 0);
    }

    void missingBackColorTakesTheForms() {
        host::PropertyBag bag;
        auto frame = std::make_unique<sknFrame3D>(host_, log_.get());
        host::AmbientValues ambient;
        ambient.backColor = gdi::Colour(0x00123456u);
        frame->SetAmbient(ambient);
        frame->resize(60, 40);
        frame->LoadStored(bag);
        QCOMPARE(frame->BackColor(), gdi::Colour(0x00123456u));
    }

    // Stored files depend on these orders: they are written out here, not taken from the code.
    void keysInTheirOrders() {
        const QStringList read{
            "BorderType",      "BevelWidth",   "BevelInner",        "Caption3D",      "CaptionAlignment",
            "CaptionLocation", "BackColor",    "Border3DHighlight", "Border3DShadow", "Enabled",
            "CornerDiameter",  "FloodPercent", "FloodShowPct",      "FloodType",      "FloodColor",
            "FillGradient",    "FillColor",    "FillStyle",         "DrawStyle",      "MousePointer",
            "MouseIcon",       "Picture",      "CaptionMAlignment", "Font",           "FontBold",
            "FontItalic",      "FontName",     "FontSize",          "FontStrikethru", "FontUnderline",
            "ForeColor",       "Caption",      "UseMnemonic"};
        QCOMPARE(sknFrame3D::Properties().Keys(), read);
        // A new frame writes every key, defaults included, in its writing order.
        host::PropertyBag bag;
        Frame()->Save(bag);
        const QStringList written = kelvo::test::BagKeys(bag);
        const QStringList expected{
            "BorderType",      "BevelWidth",   "BevelInner",        "Caption3D",      "CaptionAlignment",
            "CaptionLocation", "BackColor",    "CornerDiameter",    "FillColor",      "FillStyle",
            "DrawStyle",       "FloodPercent", "FloodShowPct",      "FloodType",      "FloodColor",
            "FillGradient",    "MousePointer", "MouseIcon",         "Picture",        "Border3DHighlight",
            "Border3DShadow",  "Enabled",      "CaptionMAlignment", "Font",           "FontBold",
            "FontItalic",      "FontName",     "FontSize",          "FontStrikethru", "FontUnderline",
            "ForeColor",       "Caption",      "UseMnemonic"};
        QCOMPARE(written, expected);
    }

    void wrongTypeForEveryKey_data() {
        QTest::addColumn<QString>("badKey");
        for (const QString& key : sknFrame3D::Properties().Keys()) {
            QTest::newRow(qPrintable(key)) << key;
        }
    }
    void wrongTypeForEveryKey() {
        QFETCH(QString, badKey);
        // A frame far from its defaults, saved, then one key spoilt.
        host::PropertyBag good;
        {
            auto frame = Frame();
            frame->SetBorderType(4);
            frame->SetBevelWidth(5);
            frame->SetCaption3D(2);
            frame->SetCaptionAlignment(4);
            frame->SetBackColor(gdi::Colour(0x00102030u));
            frame->SetCornerRadius(3);
            frame->SetFloodPercent(20);
            frame->SetFloodType(1);
            frame->SetFloodColor(gdi::Colour(0x00405060u));
            frame->SetFillStyle(0);
            frame->SetFontSize(12);
            frame->SetFontName("Arial");
            frame->SetForeColor(gdi::Colour(0x00708090u));
            frame->SetCaption("Stored");
            frame->SetEnabled(false);
            frame->Save(good);
        }
        host::PropertyBag spoilt = good;
        const bool font = host::TypeOf(*good.Value(badKey)) == host::PropertyType::Font;
        spoilt.Set(badKey, WrongType(*good.Value(badKey)));
        init();
        host::PropertyBag loaded;
        Frame(&spoilt)->Save(loaded);

        QCOMPARE(messages_.texts.size(), 1);
        QVERIFY2(messages_.texts[0].contains(badKey), qPrintable(messages_.texts[0]));
        const QList<QByteArray> lines = LogText().split('\n');
        QCOMPARE(lines.size(), 2); // one record and what follows its line end
        QVERIFY(lines[0].contains("\"UserControl_ReadProperties\""));
        for (const host::PropertyBag::Entry& entry : good.Entries()) {
            if (entry.key.compare(badKey, Qt::CaseInsensitive) != 0 &&
                !(font && entry.key.startsWith("Font"))) {
                QVERIFY2(*loaded.Value(entry.key) == entry.value, qPrintable(entry.key));
            }
        }
    }

    void loadFailureRecordAndMessage() {
        host::PropertyBag bag;
        bag.Write("FloodPercent", QString("lots"));
        auto frame = Frame(&bag);
        QCOMPARE(messages_.titles, QStringList{"Kelvo - ERROR"});
        const QString& text = messages_.texts.value(0);
        QVERIFY2(text.startsWith("Error occured: 13\r\nDescription: Type mismatch (key \"FloodPercent\""),
                 qPrintable(text));
        QVERIFY(text.endsWith(")\r\nModule: Frame3D\r\nFunction: UserControl_ReadProperties"));
        const QByteArray record = LogText();
        QVERIFY2(record.startsWith("#2026-01-02 03:04:05#,\"13\",\"Type mismatch (key \"FloodPercent\""),
                 record.constData());
        QVERIFY(record.endsWith(
            ")\",\"Frame3D\",\"UserControl_ReadProperties\",\"Kelvo v2.0.26\",\"ann\",\"desk\"\r\n"));
    }

    void paintErrorsAreLoggedWithoutMessage() {
        auto frame = Frame();
        frame->SetCornerRadius(INT32_MAX); // twice the radius does not fit
        QVERIFY(messages_.texts.isEmpty());
        QVERIFY2(LogText().contains(",\"6\",\"Overflow\",\"Frame3D\",\"UserControl_Resize\","),
                 LogText().constData());
    }

    void insideInTwipsAndRegion() {
        auto frame = Frame();
        frame->SetBorderType(7); // two-pixel border, rounded
        QCOMPARE(frame->InsideLeft(), 30);
        QCOMPARE(frame->InsideTop(), 30);
        QCOMPARE(frame->InsideWidth(), 56 * 15);
        QCOMPARE(frame->InsideHeight(), 36 * 15);
        QCOMPARE(frame->Region(),
                 std::optional<FrameRegion>(FrameRegion{0, 0, 61, 41, 14})); // one past each far edge
        QVERIFY(!frame->mask().contains(QPoint(0, 0)));                      // rounded corner
        QVERIFY(frame->mask().contains(QPoint(30, 20)));
    }

    void labelsStackedAndForwardTheirEvents() {
        auto frame = Frame();
        const QObjectList& children = frame->children();
        QVERIFY(children.indexOf(frame->lblCaptionBlank) < children.indexOf(frame->lblCaptionShadow));
        QVERIFY(children.indexOf(frame->lblCaptionShadow) < children.indexOf(frame->lblCaption));
        frame->SetCaption("Caption");
        frame->show();
        QSignalSpy clicks(frame.get(), &host::HostedWidget::Click);
        QList<QPointF> downs;
        connect(frame.get(), &host::HostedWidget::MouseDown, this,
                [&downs](std::int16_t&, std::int16_t&, float& x, float& y) { downs << QPointF(x, y); });
        QTest::mouseClick(frame->lblCaption, Qt::LeftButton, {}, QPoint(3, 4));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(downs, QList<QPointF>{QPointF(3, 4)}); // the label's own coordinates
    }

    void accessKeyRaisesClick() {
        auto frame = Frame();
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QSignalSpy clicks(frame.get(), &host::HostedWidget::Click);
        frame->Surface().SetAccessKeys("K");
        QTest::keyClick(frame.get(), Qt::Key_K, Qt::AltModifier);
        QCOMPARE(clicks.size(), 1);
    }
};

QTEST_MAIN(TestFrame3D)
#include "TestFrame3D.moc"
