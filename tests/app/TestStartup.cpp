#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

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

    // A lock that no running copy holds (here a folder in the lock file's place) must not keep the program
    // from starting; it runs, and says in one line why it cannot check for another copy.
    void aBrokenLockLetsTheProgramRunAndSaysWhy() {
        QTemporaryDir run;
        QVERIFY(QDir(run.path()).mkdir("kelvo.lock"));
        QProcessEnvironment env = Environment();
        env.insert("XDG_RUNTIME_DIR", run.path());
        QProcess kelvo;
        kelvo.setProcessEnvironment(env);
        kelvo.start(program_, {});
        QVERIFY(kelvo.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(kelvo.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(kelvo.processId()), SIGTERM);
        QVERIFY(kelvo.waitForFinished(5000));
        QCOMPARE(kelvo.exitCode(), 0);
        QList<QByteArray> ours = kelvo.readAllStandardError().split('\n');
        ours.removeIf([](const QByteArray& line) { return !line.startsWith("Kelvo:"); });
        QCOMPARE(ours.size(), 1);
        QVERIFY2(ours[0].contains(QFile::encodeName(run.filePath("kelvo.lock"))), ours[0].constData());
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
