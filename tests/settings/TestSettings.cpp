#include <QTemporaryDir>
#include <QTest>

#include "settings/SettingsConversions.h"
#include "settings/SettingsStore.h"
#include "tests/fakes/Fakes.h"

using namespace kelvo;
using namespace kelvo::settings;

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void toBoolean_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("tRUE") << "tRUE" << true;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("0.0") << "0.0" << false;
        QTest::newRow("2.5") << " 2.5 " << true;
        QTest::newRow("yes") << "yes" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("True with junk") << "Truex" << false;
        QTest::newRow("nan") << "nan" << false;
        QTest::newRow("inf") << "inf" << false;
    }
    void toBoolean() {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(ToBoolean(text), expected);
    }

    void toInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("7") << "7" << 7;
        QTest::newRow("-1") << "-1" << -1;
        QTest::newRow("99999") << "99999" << 0;
        QTest::newRow("2.5") << "2.5" << 2;
        QTest::newRow("3.5") << "3.5" << 4;
        QTest::newRow("abc") << "abc" << 0;
        QTest::newRow("spaces") << "  2  " << 2;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("32767") << "32767" << 32767;
        QTest::newRow("-32768") << "-32768" << -32768;
        QTest::newRow("32768") << "32768" << 0;
        QTest::newRow("1e3") << "1e3" << 0;
        QTest::newRow("0x10") << "0x10" << 0;
    }
    void toInteger() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(ToInteger(text)), expected);
    }

    void trimAtNul() {
        QCOMPARE(TrimAtNul(QString("abc") + QChar(0) + "def"), QString("abc"));
        QCOMPARE(TrimAtNul(QString(QChar(0)) + "x"), QString());
        QCOMPARE(TrimAtNul("plain"), QString("plain"));
    }

    void readIniTrimsAndTruncates() {
        tests::MemoryProfileStorage storage;
        SettingsStore store("/k/Kelvo.ini", storage);
        QCOMPARE(store.ReadIni("General", "Level"), QString()); // no file
        storage.files["/k/Kelvo.ini"] = "[General]\r\nLevel=1  \r\nLong=" + QByteArray(1 << 20, 'x') + "\r\n";
        QCOMPARE(store.ReadIni("general", "LEVEL"), QString("1"));
        QCOMPARE(store.ReadIni("General", "Long"), QString(255, 'x'));
        QVERIFY(store.WriteIni("General", "Level", "2"));
        QCOMPARE(store.ReadIni("General", "Level"), QString("2"));
        storage.failWrites = true;
        QVERIFY(!store.WriteIni("General", "Level", "0"));
        QCOMPARE(store.ReadIni("General", "Level"), QString("2"));
    }

    void settingsFileLocation_data() {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("writable folder") << true << false << false << true;
        QTest::newRow("writable folder, read-only file") << true << true << false << true;
        QTest::newRow("read-only folder") << false << false << false << false;
        // An administrator's portable installation: only the file itself may be written (in place).
        QTest::newRow("read-only folder, writable file") << false << true << true << true;
        QTest::newRow("read-only folder and file") << false << true << false << false;
    }
    void settingsFileLocation() {
        QFETCH(bool, folderWritable);
        QFETCH(bool, fileExists);
        QFETCH(bool, fileWritable);
        QFETCH(bool, besideProgram);
        QTemporaryDir dir;
        const QString program = dir.filePath("program/");
        const QString user = dir.filePath("config/Kelvo");
        QDir().mkpath(program);
        if (fileExists) {
            QFile existing(program + "Kelvo.ini");
            QVERIFY(existing.open(QIODevice::WriteOnly));
        }
        const auto writable = [&](const QString& path) {
            return path == program ? folderWritable : path == program + "Kelvo.ini" && fileWritable;
        };
        QCOMPARE(ProgramFilePath(program, user, "Kelvo.ini", writable),
                 besideProgram ? program + "Kelvo.ini" : user + "/Kelvo.ini");
    }

    void realWritability() {
        QTemporaryDir dir;
        QVERIFY(Writable(dir.path()));
        QVERIFY(!Writable(dir.filePath("missing/")));
        QCOMPARE(ProgramFilePath(dir.path() + "/", dir.filePath("user"), "Kelvo.ini"),
                 dir.filePath("Kelvo.ini"));
    }

    // The per-user file of a read-only installation starts from the installation's own file.
    void userFileStartsFromTheProgramFile_data() {
        QTest::addColumn<QByteArray>("programFile"); // null: none
        QTest::addColumn<QByteArray>("userFile");    // null: none
        QTest::addColumn<QByteArray>("expected");    // the user file afterwards, null: none
        const QByteArray preset("[General]\r\nLevel=2\r\n");
        QTest::newRow("copied") << preset << QByteArray() << preset;
        QTest::newRow("user file kept")
            << preset << QByteArray("[General]\r\nLevel=1\r\n") << QByteArray("[General]\r\nLevel=1\r\n");
        QTest::newRow("nothing to copy") << QByteArray() << QByteArray() << QByteArray();
    }
    void userFileStartsFromTheProgramFile() {
        QFETCH(QByteArray, programFile);
        QFETCH(QByteArray, userFile);
        QFETCH(QByteArray, expected);
        tests::MemoryProfileStorage storage;
        if (!programFile.isNull()) {
            storage.files["/opt/kelvo/Kelvo.ini"] = programFile;
        }
        if (!userFile.isNull()) {
            storage.files["/home/u/Kelvo.ini"] = userFile;
        }
        SettingsStore store("/home/u/Kelvo.ini", storage);
        QCOMPARE(store.StartFrom("/opt/kelvo/Kelvo.ini"), userFile.isNull() && !programFile.isNull());
        QCOMPARE(storage.files.value("/home/u/Kelvo.ini"), expected);
        QCOMPARE(storage.files.contains("/home/u/Kelvo.ini"), !expected.isNull());
        QVERIFY(!SettingsStore("/opt/kelvo/Kelvo.ini", storage).StartFrom("/opt/kelvo/Kelvo.ini"));
    }

    void writesCreateTheUserFolder() {
        QTemporaryDir dir;
        kelvo::system::FileProfileStorage storage;
        SettingsStore store(dir.filePath("config/Kelvo/Kelvo.ini"), storage);
        QVERIFY(store.WriteIni("General", "Level", "1"));
        QCOMPARE(store.ReadIni("General", "Level"), QString("1"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
