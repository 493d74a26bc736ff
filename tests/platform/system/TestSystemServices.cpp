#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/AppInfo.h"
#include "platform/system/Clock.h"
#include "platform/system/Environment.h"
#include "platform/system/Shell.h"
#include "platform/system/SingleInstance.h"
#include "platform/system/UserSettings.h"

using namespace kelvo::system;

class TestSystemServices : public QObject {
    Q_OBJECT

private slots:
    void folderEndsInOneSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/opt/kelvo"
                               << "/opt/kelvo/";
        QTest::newRow("already ends") << "/opt/kelvo/"
                                      << "/opt/kelvo/";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("doubled") << "/media//"
                                 << "/media/";
    }
    void folderEndsInOneSeparator() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(WithTrailingSeparator(folder), expected);
    }

    void shellTargets_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("url");
        QTest::newRow("file path") << "/opt/kelvo/readme.txt"
                                   << "file:///opt/kelvo/readme.txt";
        QTest::newRow("path with spaces") << "/opt/my kelvo/readme.txt"
                                          << "file:///opt/my kelvo/readme.txt";
        QTest::newRow("web address") << "https://kelvo.org/"
                                     << "https://kelvo.org/";
        QTest::newRow("bare host") << "kelvo.org"
                                   << "https://kelvo.org";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("shell metacharacters stay text") << "/tmp/a;rm -rf b"
                                                        << "file:///tmp/a;rm -rf b";
    }
    void shellTargets() {
        QFETCH(QString, target);
        QFETCH(QString, url);
        QCOMPARE(TargetUrl(target).toString(QUrl::PreferLocalFile | QUrl::FullyDecoded).isEmpty(),
                 url.isEmpty());
        if (!url.isEmpty()) {
            QCOMPARE(TargetUrl(target).toString(QUrl::FullyDecoded), url);
        }
    }

    void missingFileOpensNothing() {
        DesktopShell shell;
        QVERIFY(!shell.Open("/nonexistent/kelvo/readme.txt"));
        QVERIFY(!shell.Open(""));
    }

    void singleInstance() {
        QTemporaryDir dir;
        SingleInstance first("kelvo", dir.path());
        QCOMPARE(first.TryAcquire(), SingleInstance::Outcome::Acquired);
        SingleInstance second("kelvo", dir.path());
        QCOMPARE(second.TryAcquire(), SingleInstance::Outcome::AlreadyRunning);
        QVERIFY(second.Problem().isEmpty());
        first.Release();
        QCOMPARE(second.TryAcquire(), SingleInstance::Outcome::Acquired);
    }

    // A lock naming no live copy of this user's is stale: one a crashed instance left (pid_max is far lower
    // on these machines, so no process has this id), an empty one, one of junk, another user's.
    void staleLockIsTakenOver_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("foreign");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        QTest::newRow("dead holder") << "99999999\nkelvo\n" + host + "\n" << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("junk") << QByteArray("\xff\x00junk", 6) << false;
        QTest::newRow("another user's, naming a live copy")
            << QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
                   QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\n" + host + "\n"
            << true;
    }
    void staleLockIsTakenOver() {
        QFETCH(QByteArray, content);
        QFETCH(bool, foreign);
        QTemporaryDir dir;
        QFile lock(dir.filePath("kelvo.lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        if (foreign && (::geteuid() != 0 ||
                        ::chown(QFile::encodeName(lock.fileName()).constData(), 65534, 65534) != 0)) {
            QSKIP("only root can hand a file to another user");
        }
        SingleInstance instance("kelvo", dir.path());
        QCOMPARE(instance.TryAcquire(), SingleInstance::Outcome::Acquired);
        SingleInstance second("kelvo", dir.path());
        QCOMPARE(second.TryAcquire(), SingleInstance::Outcome::AlreadyRunning); // and it guards again
    }

    // The lock is the user's own: in the runtime folder when it is this user's and closed to others,
    // otherwise in a folder made for the user in the temporary folder, and one planted there by another user
    // is not used.
    void lockFolderIsTheUsers_data() {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<bool>("planted");
        QTest::newRow("own runtime folder") << "own" << false;
        QTest::newRow("none") << "unset" << false;
        QTest::newRow("open to others") << "open" << false;
        QTest::newRow("another user's") << "foreign" << false;
        QTest::newRow("planted fallback") << "unset" << true;
    }
    void lockFolderIsTheUsers() {
        QFETCH(QString, runtime);
        QFETCH(bool, planted);
        if (::geteuid() != 0 && (runtime == "foreign" || planted)) {
            QSKIP("only root can hand a folder to another user");
        }
        QTemporaryDir dir;
        const QByteArray run = QFile::encodeName(dir.filePath("run"));
        const QString fallback = dir.filePath(QStringLiteral("tmp/kelvo-%1").arg(::geteuid()));
        QVERIFY(QDir().mkpath(dir.filePath("tmp")) && ::mkdir(run.constData(), 0700) == 0);
        QVERIFY(runtime != "open" || ::chmod(run.constData(), 0777) == 0);
        QVERIFY(runtime != "foreign" || ::chown(run.constData(), 65534, 65534) == 0);
        QVERIFY(!planted || (QDir().mkpath(fallback) &&
                             ::chown(QFile::encodeName(fallback).constData(), 65534, 65534) == 0));
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedTemp = qgetenv("TMPDIR");
        runtime == "unset" ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", run);
        qputenv("TMPDIR", QFile::encodeName(dir.filePath("tmp")));
        SingleInstance instance("kelvo");
        const SingleInstance::Outcome outcome = instance.TryAcquire();
        for (const auto& [name, value] :
             {std::pair{"XDG_RUNTIME_DIR", savedRuntime}, {"TMPDIR", savedTemp}}) {
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
        QCOMPARE(QFileInfo(instance.LockPath()).absolutePath(), runtime == "own" ? QString(run) : fallback);
        QCOMPARE(outcome, planted ? SingleInstance::Outcome::Unavailable : SingleInstance::Outcome::Acquired);
        QVERIFY(!planted || instance.Problem().contains(fallback));
        QVERIFY(planted ||
                !(QFileInfo(instance.LockPath()).permissions() & (QFile::ReadGroup | QFile::ReadOther)));
        QCOMPARE(QFileInfo(fallback).permissions() & (QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }

    // Only a live holder stops a start; every other lock problem leaves the program running, with a reason.
    void lockProblemsDoNotStopTheProgram_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << "missing folder";
        QTest::newRow("folder is a file") << "file as folder";
        QTest::newRow("unreadable lock file") << "garbage";
        QTest::newRow("lock of another machine") << "other machine";
        QTest::newRow("read-only folder") << "read-only";
    }
    void lockProblemsDoNotStopTheProgram() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString folder = dir.path();
        const auto writeLock = [&](const QByteArray& content) {
            QFile lock(dir.filePath("kelvo.lock"));
            return lock.open(QIODevice::WriteOnly) && lock.write(content) == content.size();
        };
        if (kind == "missing folder") {
            folder = dir.filePath("missing");
        } else if (kind == "file as folder") {
            folder = dir.filePath("file");
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
        } else if (kind == "garbage") {
            QVERIFY(QDir(dir.path()).mkdir("kelvo.lock")); // never readable as a lock
        } else if (kind == "other machine") {
            QVERIFY(
                writeLock(QByteArray::number(QCoreApplication::applicationPid()) + "\nkelvo\nelsewhere\n"));
        } else {
            if (::geteuid() == 0) {
                QSKIP("root creates files in read-only folders");
            }
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        SingleInstance instance("kelvo", folder);
        const SingleInstance::Outcome outcome = instance.TryAcquire();
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(outcome, SingleInstance::Outcome::Unavailable);
        QVERIFY2(instance.Problem().contains(instance.LockPath()), qPrintable(instance.Problem()));
        QVERIFY(kind != "garbage" || instance.Problem().contains("is a folder"));
        QVERIFY(!instance.Problem().contains('\n'));
    }

    void userSettingsRoundTrip() {
        QTemporaryDir dir;
        QtUserSettings settings(dir.path());
        QCOMPARE(settings.GetSetting("Kelvo", "General", "Level", "0"), QString("0"));
        QVERIFY(settings.SaveSetting("Kelvo", "General", "Level", "2"));
        QCOMPARE(QtUserSettings(dir.path()).GetSetting("Kelvo", "General", "Level", "0"), QString("2"));
        QVERIFY(QFile::exists(dir.filePath("Kelvo/Kelvo.conf")));
    }

    void oomScoreIsWritten() {
        QTemporaryDir dir;
        QVERIFY(RaiseOomScoreAdj(1000, dir.filePath("score")));
        QFile file(dir.filePath("score"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("1000\n"));
        QVERIFY(!RaiseOomScoreAdj(1000, dir.filePath("missing/score")));
    }

    void clockMarksWholeSeconds() {
        struct Fixed final : Clock {
            double SecondsSinceMidnight() override { return 36000.5; }
            qint64 MonotonicMilliseconds() override { return 42; }
            std::int64_t MonotonicNanoseconds() override { return 42'000'000; }
        } clock;
        const StartMark mark = MarkNow(clock);
        QCOMPARE(mark.StartTime, 36000); // halves to even
        QCOMPARE(mark.MonotonicMs, qint64(42));
        QVERIFY(!UserName().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSystemServices)
#include "TestSystemServices.moc"
