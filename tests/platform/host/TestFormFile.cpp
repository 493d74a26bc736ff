#include <QFile>
#include <QJsonDocument>
#include <QTest>

#include "platform/host/ControlFactory.h"
#include "platform/host/Form.h"
#include "platform/host/FormReader.h"
#include "platform/host/FormWriter.h"
#include "platform/host/HostContext.h"
#include "platform/host/Label.h"
#include "platform/host/PictureBox.h"
#include "platform/host/PictureLoader.h"
#include "platform/host/TimerControl.h"

using namespace kelvo;
using namespace kelvo::host;

namespace {

QString DataPath(const QString& name) {
    return qEnvironmentVariable("KELVO_TEST_DATA") + QStringLiteral("/forms/") + name;
}

QJsonObject ReadJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString Joined(const FormErrors& errors) {
    QStringList lines;
    for (const FormError& error : errors) {
        lines.append(error.ToString());
    }
    return lines.join(QLatin1Char('\n'));
}

// A form with one instance whose fields and properties are given as JSON text.
QByteArray OneInstance(const QString& instance) {
    return QStringLiteral(
               R"({"form": "frmBad", "clientWidth": 1500, "clientHeight": 1500, "instances": [%1]})")
        .arg(instance)
        .toUtf8();
}

} // namespace

class TestFormFile : public QObject {
    Q_OBJECT

private slots:
    void readingAndWritingLosesNothing() {
        const QString path = DataPath(QStringLiteral("roundtrip.json"));
        const FormReader::Result read = FormReader::ReadFile(path);
        QVERIFY2(read.errors.isEmpty(), qPrintable(Joined(read.errors)));
        QVERIFY(read.form);
        QCOMPARE(FormWriter::ToJson(*read.form), ReadJson(path));
    }

    void aFormBuiltAndSavedLosesNothing() {
        const QString path = DataPath(QStringLiteral("roundtrip.json"));
        const FormReader::Result read = FormReader::ReadFile(path);
        QVERIFY(read.form);
        HostContext host;
        ControlFactory factory;
        Form form(host);
        const FormErrors errors = form.Load(*read.form, factory, path);
        QVERIFY2(errors.isEmpty(), qPrintable(Joined(errors)));
        QCOMPARE(form.InstanceCount(), 7);
        QCOMPARE(form.size(), QSize(371, 348));
        QCOMPARE(form.windowTitle(), QStringLiteral("Kelvo 2.0 Build 26"));

        auto* total = form.Find<Label>(QStringLiteral("LBLM"), 0);
        QVERIFY(total != nullptr);
        QCOMPARE(total->Caption(), QStringLiteral("536,870,912"));
        QCOMPARE(total->geometry(), QRect(134, 58, 97, 17));
        QCOMPARE(form.Indices(QStringLiteral("lblM")), (QList<std::int32_t>{0, 1}));
        QVERIFY(form.Find<Label>(QStringLiteral("lblM")) == nullptr); // an array element needs its index
        QVERIFY(form.Find<PictureBox>(QStringLiteral("lblM"), 1) == nullptr);
        auto* timer = form.Find<TimerControl>(QStringLiteral("Timer1"));
        QVERIFY(timer != nullptr);
        QCOMPARE(timer->Interval(), 500);
        QVERIFY(timer->IsRunning());
        auto* picture = form.Find<PictureBox>(QStringLiteral("Picture1"));
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->Picture().Width(), 8);
        QCOMPARE(picture->Picture().Type(), PictureType::Bitmap);
        QVERIFY(!form.Find<Label>(QStringLiteral("lblHidden"))->Visible());

        QCOMPARE(FormWriter::ToJson(form.Save()), ReadJson(path));
    }

    void aMovedInstanceIsWrittenAtItsNewPlace() {
        const FormReader::Result read = FormReader::ReadFile(DataPath(QStringLiteral("roundtrip.json")));
        QVERIFY(read.form);
        HostContext host;
        ControlFactory factory;
        Form form(host);
        form.Load(*read.form, factory);
        form.Find<Label>(QStringLiteral("lblM"), 1)->MovePixels(10, 20, 30, 40);
        const FormSpec saved = form.Save();
        const auto moved =
            std::find_if(saved.instances.begin(), saved.instances.end(),
                         [](const InstanceSpec& i) { return i.name == "lblM" && i.index == 1; });
        QVERIFY(moved != saved.instances.end());
        QCOMPARE(QRect(moved->left, moved->top, moved->width, moved->height), QRect(150, 300, 450, 600));
    }

    void badInputIsReportedWithFileInstanceAndKey_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("formRead");
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");

        QTest::newRow("malformed JSON")
            << QByteArray(R"({"form": "frmBad", "clientWidth": 15)") << false << ""
            << ""
            << "not valid JSON";
        QTest::newRow("not an object") << QByteArray("[1, 2, 3]") << false << ""
                                       << ""
                                       << "one JSON object";
        QTest::newRow("empty file") << QByteArray() << false << ""
                                    << ""
                                    << "not valid JSON";
        QTest::newRow("form without name")
            << QByteArray(R"({"clientWidth": 15, "clientHeight": 15})") << true << ""
            << "form"
            << "needs a name";
        QTest::newRow("form without size") << QByteArray(R"({"form": "f"})") << true << ""
                                           << "clientWidth"
                                           << "client size";
        QTest::newRow("huge client size")
            << QByteArray(R"({"form": "f", "clientWidth": 1e12, "clientHeight": 15})") << true << ""
            << "clientWidth"
            << "whole number";
        QTest::newRow("unknown kind")
            << OneInstance(R"({"kind": "Gadget", "name": "gizmo"})") << true << "gizmo"
            << "kind"
            << "Gadget";
        QTest::newRow("missing kind") << OneInstance(R"({"name": "lbl"})") << true << "lbl"
                                      << "kind"
                                      << "needs a kind";
        QTest::newRow("missing name") << OneInstance(R"({"kind": "Label"})") << true << "#0"
                                      << "name"
                                      << "needs a name";
        QTest::newRow("instance not an object") << OneInstance("42") << true << "#0"
                                                << ""
                                                << "is an object";
        QTest::newRow("huge width") << OneInstance(
                                           R"({"kind": "Label", "name": "lbl", "width": 99999999999})")
                                    << true << "lbl"
                                    << "width"
                                    << "whole number";
        QTest::newRow("negative height")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "height": -15})") << true << "lbl"
            << "height"
            << "whole number";
        QTest::newRow("fractional left")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "left": 1.5})") << true << "lbl"
            << "left"
            << "whole number";
        QTest::newRow("index out of range")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "index": 40000})") << true << "lbl"
            << "index"
            << "whole number";
        QTest::newRow("text where a number belongs")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "properties": {"Alignment": {"text": "2"}}})")
            << true << "lbl"
            << "Alignment"
            << "stored as text, read as int16";
        QTest::newRow("number where text belongs")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "properties": {"Caption": {"int32": 5}}})")
            << true << "lbl"
            << "Caption"
            << "stored as int32, read as text";
        QTest::newRow("value of an unknown type")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "properties": {"Caption": {"complex": 5}}})")
            << true << "lbl"
            << "Caption"
            << "not a type";
        QTest::newRow("value without its type")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "properties": {"Caption": "x"}})") << true
            << "lbl"
            << "Caption"
            << "one member naming its type";
        QTest::newRow("int16 out of range")
            << OneInstance(
                   R"({"kind": "Label", "name": "lbl", "properties": {"Alignment": {"int16": 40000}}})")
            << true << "lbl"
            << "Alignment"
            << "-32768 to 32767";
        QTest::newRow("value the control refuses")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "properties": {"Alignment": {"int16": 7}}})")
            << true << "lbl"
            << "Alignment"
            << "not 0, 1 or 2";
        QTest::newRow("bad colour")
            << OneInstance(
                   R"({"kind": "Label", "name": "lbl", "properties": {"BackColor": {"colour": "red"}}})")
            << true << "lbl"
            << "BackColor"
            << "hexadecimal";
        QTest::newRow("font size 0")
            << OneInstance(
                   R"({"kind": "Label", "name": "lbl", "properties": {"Font": {"font": {"name": "Verdana", "size": 0}}}})")
            << true << "lbl"
            << "Font"
            << "size";
        QTest::newRow("font without a name")
            << OneInstance(
                   R"({"kind": "Label", "name": "lbl", "properties": {"Font": {"font": {"size": 8}}}})")
            << true << "lbl"
            << "Font"
            << "name";
        QTest::newRow("single too large")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "properties": {"X": {"single": 1e300}}})")
            << true << "lbl"
            << "X"
            << "single-precision";
        QTest::newRow("negative interval")
            << OneInstance(R"({"kind": "Timer", "name": "tmr", "properties": {"Interval": {"int32": -5}}})")
            << true << "tmr"
            << "Interval"
            << "outside 0 to 65535";
        QTest::newRow("key twice")
            << OneInstance(
                   R"({"kind": "Label", "name": "lbl", "properties": {"Caption": {"text": "a"}, "caption": {"text": "b"}}})")
            << true << "lbl"
            << "caption"
            << "given twice";
        QTest::newRow("same name twice")
            << QByteArray(R"({"form": "f", "clientWidth": 15, "clientHeight": 15, "instances": [
                   {"kind": "Label", "name": "lbl"}, {"kind": "Label", "name": "LBL"}]})")
            << true << "LBL"
            << "name"
            << "same name";
        QTest::newRow("array and single")
            << QByteArray(R"({"form": "f", "clientWidth": 15, "clientHeight": 15, "instances": [
                   {"kind": "Label", "name": "lbl", "index": 0}, {"kind": "Label", "name": "lbl"}]})")
            << true << "lbl"
            << "index"
            << "with and without";
        QTest::newRow("unknown field")
            << OneInstance(R"({"kind": "Label", "name": "lbl", "colour": 5})") << true << "lbl"
            << "colour"
            << "unknown field";
        QTest::newRow("missing picture file")
            << OneInstance(
                   R"({"kind": "PictureBox", "name": "pic", "properties": {"Picture": {"picture": {"path": "pictures/none.png"}}}})")
            << true << "pic"
            << "Picture"
            << "does not exist";
        QTest::newRow("undecodable picture")
            << OneInstance(
                   R"({"kind": "PictureBox", "name": "pic", "properties": {"Picture": {"picture": {"path": "pictures/broken.png"}}}})")
            << true << "pic"
            << "Picture"
            << "cannot be decoded";
        QTest::newRow("picture that is a folder")
            << OneInstance(
                   R"({"kind": "PictureBox", "name": "pic", "properties": {"Picture": {"picture": {"path": "pictures"}}}})")
            << true << "pic"
            << "Picture"
            << "not a file";
        QTest::newRow("picture data not base64")
            << OneInstance(
                   R"({"kind": "PictureBox", "name": "pic", "properties": {"Picture": {"picture": {"data": "***", "type": 1}}}})")
            << true << "pic"
            << "Picture"
            << "not base64";
        QTest::newRow("picture of type 2")
            << OneInstance(
                   R"({"kind": "PictureBox", "name": "pic", "properties": {"Picture": {"picture": {"path": "pictures/banner.png", "type": 2}}}})")
            << true << "pic"
            << "Picture"
            << "1 (bitmap) or 3 (icon)";
        QTest::newRow("form picture missing")
            << QByteArray(
                   R"({"form": "f", "clientWidth": 15, "clientHeight": 15, "picture": {"path": "nothing.jpg"}})")
            << true << ""
            << "picture"
            << "does not exist";
    }
    void badInputIsReportedWithFileInstanceAndKey() {
        QFETCH(QByteArray, json);
        QFETCH(bool, formRead);
        QFETCH(QString, instance);
        QFETCH(QString, key);
        QFETCH(QString, message);
        const QString file = DataPath(QStringLiteral("bad.json"));
        FilePictureLoader pictures(DataPath(QString()));
        FormReader reader(pictures);
        FormReader::Result read = reader.Read(json, file);
        QCOMPARE(read.form.has_value(), formRead);
        FormErrors errors = read.errors;
        if (read.form) {
            HostContext host;
            ControlFactory factory;
            Form form(host);
            errors.append(form.Load(*read.form, factory, file));
            if (!form.size().isEmpty()) {
                form.show();
                QVERIFY(QTest::qWaitForWindowExposed(&form));
            }
            form.Save();
        }
        const auto match = std::find_if(errors.begin(), errors.end(), [&](const FormError& error) {
            const bool sameInstance =
                instance.isEmpty() ? error.instance.isEmpty() : error.instance.startsWith(instance);
            return error.file == file && sameInstance && error.key == key && error.message.contains(message);
        });
        QVERIFY2(match != errors.end(), qPrintable(Joined(errors)));
        QVERIFY(match->ToString().contains(file));
        if (!key.isEmpty()) {
            QVERIFY(match->ToString().contains(QStringLiteral("key \"%1\"").arg(key)));
        }
    }

    void aPictureThatFailedKeepsItsPathWhenWrittenBack() {
        FilePictureLoader pictures(DataPath(QString()));
        FormReader reader(pictures);
        const FormReader::Result read = reader.Read(
            OneInstance(
                R"({"kind": "PictureBox", "name": "pic", "properties": {"Picture": {"picture": {"path": "pictures/none.png"}}}})"),
            QStringLiteral("bad.json"));
        QVERIFY(read.form);
        HostContext host;
        ControlFactory factory;
        Form form(host);
        form.Load(*read.form, factory);
        QVERIFY(form.Find<PictureBox>(QStringLiteral("pic"))->Picture().IsEmpty());
        const QJsonObject saved = FormWriter::ToJson(form.Save());
        QVERIFY(QJsonDocument(saved).toJson().contains("pictures/none.png"));
    }

    void pictureBoxesAndAmbientValuesFollowTheForm() {
        FormSpec spec;
        spec.name = QStringLiteral("frmSmall");
        spec.clientWidth = 1500;
        spec.clientHeight = 1500;
        InstanceSpec picture;
        picture.kind = QStringLiteral("PictureBox");
        picture.name = QStringLiteral("picRadio");
        picture.width = 15;
        picture.height = 15;
        picture.properties.Write(QStringLiteral("AutoSize"), true);
        picture.properties.Write(QStringLiteral("Picture"),
                                 PictureObject::Load(DataPath(QStringLiteral("pictures/banner.png"))));
        spec.instances.push_back(picture);
        InstanceSpec label;
        label.kind = QStringLiteral("Label");
        label.name = QStringLiteral("lblCaption");
        spec.instances.push_back(label);
        HostContext host;
        ControlFactory factory;
        Form form(host);
        QVERIFY(form.Load(spec, factory).isEmpty());
        auto* box = form.Find<PictureBox>(QStringLiteral("picradio"));
        QCOMPARE(box->size(), QSize(8, 4)); // the picture's size
        box->SetTopPixels(40 / 2.0 - 15 / 2.0);
        QCOMPARE(box->y(), 12); // 12.5 rounds to even
        box->SetTopPixels(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(box->y(), 12);

        auto* caption = form.Find<Label>(QStringLiteral("lblCaption"));
        QCOMPARE(caption->Ambient().displayName, QStringLiteral("lblCaption"));
        QVERIFY(!caption->Ambient().displayAsDefault);
        form.SetDefaultInstance(QStringLiteral("LBLCAPTION"));
        QVERIFY(caption->Ambient().displayAsDefault);
        form.SetBackColor(gdi::Colour(0xE0E0E0));
        QCOMPARE(caption->Ambient().backColor, gdi::Colour(0xE0E0E0));
    }

    void hugeAndOddValuesLoadWithoutHarm() {
        const QString caption(10000, QLatin1Char('W'));
        const QByteArray json = OneInstance(
            QStringLiteral(
                R"({"kind": "Label", "name": "lbl", "width": 61440, "height": 61440, "properties": {
                "Caption": {"text": "%1"}, "AutoSize": {"bool": true},
                "Font": {"font": {"name": "No Such Face At All", "size": 2048}}}},
               {"kind": "Label", "name": "empty", "width": 0, "height": 0, "properties": {"Caption": {"text": ""}}})")
                .arg(caption));
        FilePictureLoader pictures;
        FormReader reader(pictures);
        const FormReader::Result read = reader.Read(json, QStringLiteral("big.json"));
        QVERIFY2(read.errors.isEmpty(), qPrintable(Joined(read.errors)));
        HostContext host;
        ControlFactory factory;
        Form form(host);
        QVERIFY(form.Load(*read.form, factory).isEmpty());
        auto* label = form.Find<Label>(QStringLiteral("lbl"));
        QCOMPARE(label->Caption().size(), 10000);
        QVERIFY(label->width() <= HostContext::MaxSide && label->height() <= HostContext::MaxSide);
        // An unknown face falls back to an installed one.
        QCOMPARE(host.ToQFont(label->Font()).families().first(), host.Fonts().Fallback());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(!form.grab().isNull());
    }
};

QTEST_MAIN(TestFormFile)
#include "TestFormFile.moc"
