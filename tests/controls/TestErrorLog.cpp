#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "tests/controls/ErrorLogRig.h"

using namespace kelvo;
using namespace kelvo::controls;

namespace {

using tests::Origin;
using tests::RecordingMessages;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestErrorLog : public QObject {
    Q_OBJECT

private slots:
    void messageText_data() {
        QTest::addColumn<QStringList>("arguments"); // number, description, module, procedure
        QTest::addColumn<QString>("text");
        QTest::newRow("all") << QStringList{"11", "Division by zero", "Frame3D", "UserControl_ReadProperties"}
                             << "Error occured: 11\r\nDescription: Division by zero\r\nModule: Frame3D\r\n"
                                "Function: UserControl_ReadProperties";
        QTest::newRow("empty number still ends its line")
            << QStringList{"", "Overflow", "Frame3D", "X"}
            << "Error occured: \r\nDescription: Overflow\r\nModule: Frame3D\r\nFunction: X";
        QTest::newRow("empty description and module left out")
            << QStringList{"6", "", "", "X"} << "Error occured: 6\r\nFunction: X";
        QTest::newRow("no procedure") << QStringList{"6", "", "", ""} << "Error occured: 6\r\n";
    }
    void messageText() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        QCOMPARE(ErrorLog::MessageText(arguments[0], arguments[1], arguments[2], arguments[3]), text);
    }

    void record_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QByteArray>("line");
        const QDate day(2026, 3, 7);
        QTest::newRow("time of day")
            << QDateTime(day, QTime(9, 5, 3)) << "Overflow"
            << QByteArray("#2026-03-07 09:05:03#,\"6\",\"Overflow\",\"Frame3D\",\"DrawFlood\","
                          "\"Kelvo v2.0.26\",\"ann\",\"desk\"\r\n");
        QTest::newRow("midnight: the date alone, whatever the milliseconds")
            << QDateTime(day, QTime(0, 0, 0, 437)) << "x"
            << QByteArray("#2026-03-07#,\"6\",\"x\",\"Frame3D\",\"DrawFlood\",\"Kelvo "
                          "v2.0.26\",\"ann\",\"desk\"\r\n");
        QTest::newRow("quotes unchanged, line breaks become spaces")
            << QDateTime(day, QTime(0, 0, 1)) << "a \"b\"\r\nc\nd\re"
            << QByteArray("#2026-03-07 00:00:01#,\"6\",\"a \"b\" c d e\",\"Frame3D\",\"DrawFlood\","
                          "\"Kelvo v2.0.26\",\"ann\",\"desk\"\r\n");
        QTest::newRow("UTF-8") << QDateTime(day, QTime(1, 2, 3)) << QString::fromUtf8("Größe")
                               << QByteArray(
                                      "#2026-03-07 01:02:03#,\"6\",\"Gr\xc3\xb6\xc3\x9f"
                                      "e\",\"Frame3D\",\"DrawFlood\",\"Kelvo v2.0.26\",\"ann\",\"desk\"\r\n");
    }
    void record() {
        QFETCH(QDateTime, moment);
        QFETCH(QString, description);
        QFETCH(QByteArray, line);
        QCOMPARE(ErrorLog::Record(moment, "6", description, "Frame3D", "DrawFlood", Origin()), line);
    }

    // Records are appended in order; the message comes first and only where asked for, and the moment is read
    // once the message has been dismissed.
    void appendsInOrder() {
        QTemporaryDir dir;
        RecordingMessages messages;
        QList<qsizetype> messagesAtClockRead;
        ErrorLog log(dir.filePath("ErrorLog.txt"), messages, Origin(), [&] {
            messagesAtClockRead << messages.texts.size();
            return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
        });
        log.LogError(false, "6", "Overflow", "Frame3D", "DrawFlood");
        log.LogError(true, "13", "Type mismatch", "Frame3D", "UserControl_ReadProperties");
        const QList<QByteArray> lines = ReadAll(log.Path()).split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains("\"DrawFlood\""));
        QVERIFY(lines[1].contains("\"UserControl_ReadProperties\""));
        QCOMPARE(messages.titles, QStringList{"Kelvo - ERROR"});
        QCOMPARE(messagesAtClockRead, (QList<qsizetype>{0, 1}));
    }

    void heldMessagesWaitForTheWindow() {
        QTemporaryDir dir;
        RecordingMessages messages;
        ErrorLog log(dir.filePath("ErrorLog.txt"), messages, Origin());
        log.HoldMessages(true);
        log.LogError(true, "13", "Type mismatch", "Frame3D", "UserControl_ReadProperties");
        QVERIFY(messages.texts.isEmpty());
        QVERIFY(!ReadAll(log.Path()).isEmpty()); // the record is written at once
        log.ShowHeldMessages();
        QCOMPARE(messages.texts.size(), 1);
        log.LogError(true, "13", "Type mismatch", "Frame3D", "UserControl_WriteProperties");
        QCOMPARE(messages.texts.size(), 2);
    }

    void staysUnderItsBound() {
        QTemporaryDir dir;
        RecordingMessages messages;
        ErrorLog log(dir.filePath("ErrorLog.txt"), messages, Origin());
        {
            QFile full(log.Path());
            QVERIFY(full.open(QIODevice::WriteOnly));
            full.write(QByteArray(ErrorLog::MaximumBytes - 10, 'x'));
        }
        log.LogError(false, "6", "Overflow", "Frame3D", "DrawFlood");
        QVERIFY(ReadAll(log.Path()).startsWith("#"));
        QCOMPARE(QFileInfo(log.Path() + ErrorLog::OldSuffix).size(), ErrorLog::MaximumBytes - 10);
        log.LogError(false, "6", "Overflow", "Frame3D", "DrawFlood");
        QCOMPARE(ReadAll(log.Path()).count('\n'), 2);
    }

    // A missing folder is made; where no plain file can be, the record is dropped at once and the message
    // is still shown.
    void writesWhereItCanAndDropsTheRest_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("written");
        QTest::newRow("folder still to make") << "new/folder/ErrorLog.txt" << true;
        QTest::newRow("folder that is a file") << "file/ErrorLog.txt" << false;
        QTest::newRow("FIFO") << "fifo" << false;
    }
    void writesWhereItCanAndDropsTheRest() {
        QFETCH(QString, place);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
        RecordingMessages messages;
        ErrorLog log(dir.filePath(place), messages, Origin());
        log.LogError(true, "6", "Overflow", "Frame3D", "UserControl_WriteProperties");
        QCOMPARE(messages.texts.size(), 1);
        QCOMPARE(QFileInfo(log.Path()).isFile() && ReadAll(log.Path()).startsWith("#"), written);
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "TestErrorLog.moc"
