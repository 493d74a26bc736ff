#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <QSysInfo>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

// Runs the real program in a temporary program folder, offscreen (where there is no tray, so the main
// window is always shown), and watches what it leaves on disk.
class TestStartup : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString program_;

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", dir_.filePath("run"));
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        return env;
    }

    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool WriteFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    // A file's kind, owner and size, and the content of a small plain file; never opens anything else.
    static QByteArray Fingerprint(const QString& path) {
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
            return "missing";
        }
        const QByteArray shape = QByteArray::number(info.st_mode) + ' ' + QByteArray::number(info.st_uid) +
                                 ' ' + QByteArray::number(info.st_size);
        return S_ISREG(info.st_mode) && info.st_size < 4096 ? shape + ' ' + ReadFile(path) : shape;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir().mkpath(dir_.filePath("program"));
        QDir().mkpath(dir_.filePath("run"));
        QFile::setPermissions(dir_.filePath("run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        program_ = dir_.filePath("program/kelvo");
        QVERIFY(QFile::copy(KELVO_EXECUTABLE, program_));
    }

    void firstStartWritesDefaultsAndASecondInstanceLeaves() {
        QProcess first;
        first.setProcessEnvironment(Environment());
        first.start(program_, {});
        QVERIFY(first.waitForStarted());
        const QString ini = dir_.filePath("program/Kelvo.ini");
        QTRY_COMPARE_WITH_TIMEOUT(ReadFile(ini), QByteArray("[General]\r\nCheckRamProcent=0\r\nLevel=0\r\n"),
                                  10000);

        QProcess second;
        second.setProcessEnvironment(Environment());
        QElapsedTimer timer;
        timer.start();
        second.start(program_, {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(ReadFile(ini), QByteArray("[General]\r\nCheckRamProcent=0\r\nLevel=0\r\n"));

        // A termination request ends the program through its orderly end, which stores the level.
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(5000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(ReadFile(dir_.filePath("config/Kelvo/Kelvo.conf")).contains("Level=0"));
        QCOMPARE(ReadFile(ini), QByteArray("[General]\r\nCheckRamProcent=0\r\nLevel=0\r\n"));
        // The lock is gone, so the next start runs.
        QVERIFY(!QFile::exists(dir_.filePath("run/kelvo.lock")));
    }

    void storedSettingsSurviveRestarts() {
        const QString ini = dir_.filePath("program/Kelvo.ini");
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("; kept\n[General]\nCheckRam=True\nCheckRamProcent=1\nLevel=7\nTimed=True\nTime=600\n");
        file.close();
        for (int run = 0; run < 2; ++run) {
            QProcess kelvo;
            kelvo.setProcessEnvironment(Environment());
            kelvo.start(program_, {});
            QVERIFY(kelvo.waitForStarted());
            QTest::qWait(1500);
            ::kill(static_cast<pid_t>(kelvo.processId()), SIGTERM);
            QVERIFY(kelvo.waitForFinished(5000));
            QCOMPARE(kelvo.exitCode(), 0);
        }
        // Every value rewritten by the start-up handlers is the stored one; nothing else changed.
        QCOMPARE(ReadFile(ini),
                 QByteArray(
                     "; kept\n[General]\nCheckRam=True\nCheckRamProcent=1\nLevel=7\nTimed=True\nTime=600\n"));
    }

    // Hostile and broken files in the program and runtime folders: the program starts, keeps its settings in
    // a file it can use, says so on standard error, and leaves what is not its own alone. kept is a file
    // that must come out exactly as it went in; lock is where the program's lock must be.
    void brokenFilesAndLocks_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("said"); // in every "Kelvo:" line on standard error; empty: no such line
        QTest::addColumn<bool>("perUser");    // the settings go to the per-user file
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("lock");
        const QString uid = QString::number(::geteuid());
        QTest::newRow("huge settings file")
            << "huge" << QByteArray("larger than") << true << "program/Kelvo.ini"
            << "run/kelvo.lock";
        QTest::newRow("settings file is a FIFO")
            << "fifo" << QByteArray("not a plain file") << true << "program/Kelvo.ini"
            << "run/kelvo.lock";
        QTest::newRow("another user's links")
            << "foreign links" << QByteArray("symbolic link of another user") << true << "secret.ini"
            << "run/kelvo.lock";
        QTest::newRow("junk lock") << "junk lock" << QByteArray() << false << ""
                                   << "run/kelvo.lock";
        QTest::newRow("folder as lock") << "folder lock" << QByteArray("is a folder") << false << ""
                                        << "";
        QTest::newRow("planted shared lock, no runtime folder of ours")
            << "shared lock" << QByteArray() << false << "tmp/kelvo.lock"
            << "tmp/kelvo-" + uid + "/kelvo.lock";
    }
    void brokenFilesAndLocks() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, said);
        QFETCH(bool, perUser);
        QFETCH(QString, kept);
        QFETCH(QString, lock);
        constexpr uid_t Nobody = 65534;
        if ((kind == "foreign links" || kind == "shared lock") && ::geteuid() != 0) {
            QSKIP("only root can hand files to another user");
        }
        QTemporaryDir root;
        const auto at = [&](const QString& relative) { return QFile::encodeName(root.filePath(relative)); };
        QVERIFY(QDir().mkpath(root.filePath("program")) && QDir().mkpath(root.filePath("tmp")));
        QVERIFY(::mkdir(at("run"), 0700) == 0);
        QVERIFY(::link(KELVO_EXECUTABLE, at("program/kelvo")) == 0 ||
                QFile::copy(KELVO_EXECUTABLE, root.filePath("program/kelvo")));
        QProcessEnvironment env = Environment();
        env.insert("XDG_RUNTIME_DIR", root.filePath("run"));
        env.insert("XDG_CONFIG_HOME", root.filePath("config"));
        env.insert("TMPDIR", root.filePath("tmp"));
        const QByteArray stored("[General]\r\nLevel=2\r\n");
        if (kind == "huge") {
            QFile huge(root.filePath("program/Kelvo.ini"));
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(stored) && huge.resize(qint64{6} << 30));
        } else if (kind == "fifo") {
            QVERIFY(::mkfifo(at("program/Kelvo.ini"), 0644) == 0);
        } else if (kind == "foreign links") {
            QVERIFY(WriteFile(root.filePath("secret.ini"), stored));
            for (const char* name : {"program/Kelvo.ini", "program/ErrorLog.txt"}) {
                QVERIFY(::symlink(at("secret.ini"), at(name)) == 0 &&
                        ::lchown(at(name), Nobody, Nobody) == 0);
            }
        } else if (kind == "junk lock") {
            QVERIFY(WriteFile(root.filePath("run/kelvo.lock"), QByteArray("\xff\x00junk", 6)));
        } else if (kind == "folder lock") {
            QVERIFY(QDir().mkpath(root.filePath("run/kelvo.lock")));
        } else {
            QVERIFY(::chown(at("run"), Nobody, Nobody) == 0);
            QVERIFY(WriteFile(root.filePath("tmp/kelvo.lock"),
                              "1\nkelvo\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        }
        const auto keptNow = [&] { return kept.isEmpty() ? QByteArray() : Fingerprint(root.filePath(kept)); };
        const QByteArray keptBefore = keptNow();

        QProcess kelvo;
        kelvo.setProcessEnvironment(env);
        kelvo.start(root.filePath("program/kelvo"), {});
        QVERIFY(kelvo.waitForStarted());
        const QString ini =
            perUser ? root.filePath("config/Kelvo/Kelvo.ini") : root.filePath("program/Kelvo.ini");
        QTRY_VERIFY_WITH_TIMEOUT(ReadFile(ini).contains("Level=0"), 10000);
        QCOMPARE(kelvo.state(), QProcess::Running);
        if (!lock.isEmpty()) {
            QCOMPARE(ReadFile(root.filePath(lock)).split('\n').value(0).toLongLong(), kelvo.processId());
        }
        ::kill(static_cast<pid_t>(kelvo.processId()), SIGTERM);
        QVERIFY(kelvo.waitForFinished(5000));
        QCOMPARE(kelvo.exitCode(), 0);
        QCOMPARE(keptNow(), keptBefore);
        QList<QByteArray> ours = kelvo.readAllStandardError().split('\n');
        ours.removeIf([](const QByteArray& line) { return !line.startsWith("Kelvo:"); });
        QCOMPARE(ours.isEmpty(), said.isEmpty());
        for (const QByteArray& line : ours) {
            QVERIFY2(line.contains(said), line.constData());
        }
    }

    void withoutADisplayItSaysSo() {
        QProcessEnvironment env = Environment();
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        QProcess kelvo;
        kelvo.setProcessEnvironment(env);
        kelvo.start(program_, {});
        QVERIFY(kelvo.waitForFinished(5000));
        QCOMPARE(kelvo.exitCode(), 1);
        const QList<QByteArray> lines = kelvo.readAllStandardError().trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].contains("display"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "TestStartup.moc"
