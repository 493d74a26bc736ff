#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "platform/system/OwnFile.h"
#include "platform/system/Profile.h"

using namespace kelvo::system;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>");
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

ino_t Inode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// A folder that forbids new files, as an immutable folder or a read-only installation does.
int RefuseNewFiles(char*) {
    errno = EACCES;
    return -1;
}

bool Link(const QString& target, const QString& link) {
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

} // namespace

class TestFileProfileStorage : public QObject {
    Q_OBJECT

private slots:
    void replacesWholeFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvo.ini"));
        FileProfileStorage files;
        QVERIFY(WritePrivateProfileString("App", "key", "string", path, files));
        QCOMPARE(ReadFile(path), QByteArray("[App]\r\nkey=string\r\n"));
        QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                               QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY(WritePrivateProfileString("App", "key", "other", path, files));
        QCOMPARE(ReadFile(path), QByteArray("[App]\r\nkey=other\r\n"));
        QCOMPARE(QFile::permissions(path),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("Kelvo.ini")});
    }

    // A write killed before its rename leaves a temporary file; the next write removes ours once old, and
    // leaves a fresh one (a write under way), a link and other names alone.
    void staleTemporariesAreRemoved() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvo.ini"));
        for (const char* name : {".Kelvo.ini.aB3xY9", ".Kelvo.ini.fresh1", ".Kelvo.ini.toolong1"}) {
            QVERIFY(WriteFile(dir.filePath(name), "partial"));
        }
        QVERIFY(QFile::link(dir.filePath(".Kelvo.ini.toolong1"), dir.filePath(".Kelvo.ini.link01")));
        for (const char* name : {".Kelvo.ini.aB3xY9", ".Kelvo.ini.toolong1"}) {
            const struct timeval old[2] = {{1000, 0}, {1000, 0}};
            QCOMPARE(::lutimes(QFile::encodeName(dir.filePath(name)).constData(), old), 0);
        }
        FileProfileStorage files;
        QVERIFY(WritePrivateProfileString("App", "key", "value", path, files));
        QCOMPARE(Entries(dir.path()),
                 (QStringList{".Kelvo.ini.fresh1", ".Kelvo.ini.link01", ".Kelvo.ini.toolong1", "Kelvo.ini"}));
    }

    // A file beyond the bound is not read: its keys give their defaults, and a write neither replaces nor
    // truncates it.
    void aHugeFileIsLeftAlone() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvo.ini"));
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("[App]\r\nkey=stored\r\n") > 0 &&
                huge.resize(FileProfileStorage::MaxBytes + 1));
        huge.close();
        FileProfileStorage files;
        QVERIFY(!files.Read(path));
        char value[16] = {};
        QCOMPARE(GetPrivateProfileString("App", "key", "default", value, sizeof value, path, files),
                 qsizetype{7});
        QCOMPARE(QByteArray(value), QByteArray("default"));
        QVERIFY(!WritePrivateProfileString("App", "key", "new", path, files));
        QCOMPARE(QFileInfo(path).size(), FileProfileStorage::MaxBytes + 1);
        QVERIFY(ReadFile(path).startsWith("[App]\r\nkey=stored"));
    }

    void failuresKeepTheOldFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder missing") << "missing folder";
        QTest::newRow("read-only folder and file") << "read-only";
        QTest::newRow("disk full") << "full";
    }
    void failuresKeepTheOldFile() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("Kelvo.ini"));
        const QByteArray old("[a]\r\nk=1\r\n");
        QVERIFY(WriteFile(path, old));
        FileProfileStorage files;
        // Large enough that the write cannot finish under the file size limit below.
        const QByteArray value(qsizetype{256} * 1024, 'v');
        bool written = true;
        if (kind == QLatin1String("missing folder")) {
            path = dir.filePath(QStringLiteral("no such folder/Kelvo.ini"));
            written = WritePrivateProfileString("a", "k", value, path, files);
            path = dir.filePath(QStringLiteral("Kelvo.ini"));
        } else if (kind == QLatin1String("read-only")) {
            if (::geteuid() == 0) {
                QSKIP("root writes into read-only folders and files; the fake storage covers this case");
            }
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0400) == 0);
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0500) == 0);
            written = WritePrivateProfileString("a", "k", value, path, files);
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        } else {
            // A file size limit makes write() fail part way exactly as a full disk does.
            rlimit saved{};
            QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
            rlimit small = saved;
            small.rlim_cur = 4096;
            const auto previous = std::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
            written = WritePrivateProfileString("a", "k", value, path, files);
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, previous);
        }
        QVERIFY(!written);
        QCOMPARE(ReadFile(path), old);
        QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("Kelvo.ini")});
    }

    // Without a temporary file the existing file itself is rewritten: same file, new content, nothing else
    // left in the folder.
    void writesInPlaceWhenNoTemporaryFileCanBeMade_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("old");
        QTest::newRow("refused, longer") << "refused" << QByteArray("[General]\r\nLevel=0\r\n");
        QTest::newRow("refused, shorter")
            << "refused" << QByteArray("[General]\r\nLevel=0\r\n; long remark\r\n");
        // Real files: a name so long that the temporary name beside it exceeds the file-name limit.
        QTest::newRow("name too long") << "long name" << QByteArray("[General]\r\nLevel=0\r\n");
        QTest::newRow("read-only folder") << "read-only folder" << QByteArray("[General]\r\nLevel=0\r\n");
    }
    void writesInPlaceWhenNoTemporaryFileCanBeMade() {
        QFETCH(QString, how);
        QFETCH(QByteArray, old);
        QTemporaryDir dir;
        const QString name = how == QLatin1String("long name") ? QString(250, QLatin1Char('k')) : "Kelvo.ini";
        const QString path = dir.filePath(name);
        QVERIFY(WriteFile(path, old));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        const ino_t inode = Inode(path);
        FileProfileStorage files(how == QLatin1String("refused") ? RefuseNewFiles : nullptr);
        if (how == QLatin1String("read-only folder")) {
            if (::geteuid() == 0) {
                QSKIP("root creates files in read-only folders; the other rows cover this case");
            }
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0500) == 0);
        }
        const bool written = WritePrivateProfileString("General", "Level", "2", path, files) &&
                             WritePrivateProfileString("General", "CheckRamProcent", "1", path, files);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        QVERIFY(written);
        QByteArray expected = old;
        expected.replace("Level=0", "Level=2").replace("Level=2\r\n", "Level=2\r\nCheckRamProcent=1\r\n");
        QCOMPARE(ReadFile(path), expected);
        QCOMPARE(Inode(path), inode);
        QCOMPARE(QFile::permissions(path) & QFile::WriteOther, QFile::WriteOther);
        QCOMPARE(Entries(dir.path()), QStringList{name});
    }

    void noTemporaryFileAndNoOldFileWritesNothing() {
        QTemporaryDir dir;
        FileProfileStorage files(RefuseNewFiles);
        QVERIFY(!WritePrivateProfileString("General", "Level", "2", dir.filePath("Kelvo.ini"), files));
        QCOMPARE(Entries(dir.path()), QStringList());
    }

    // A linked settings file is written through to the file it leads to; the links stay links.
    void writesThroughSymbolicLinks_data() {
        QTest::addColumn<QString>("link"); // what Kelvo.ini in the program folder points at
        QTest::addColumn<QString>(
            "target"); // the file that must receive the write, relative to the test folder
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("absolute") << "@/shared/Kelvo.ini"
                                  << "shared/Kelvo.ini" << true;
        QTest::newRow("relative") << "../shared/Kelvo.ini"
                                  << "shared/Kelvo.ini" << true;
        QTest::newRow("dangling") << "../shared/new.ini"
                                  << "shared/new.ini" << false;
        QTest::newRow("chain") << "../shared/hop.ini"
                               << "shared/Kelvo.ini" << true;
    }
    void writesThroughSymbolicLinks() {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(bool, targetExists);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("program")) && QDir().mkpath(dir.filePath("shared")));
        if (targetExists) {
            QVERIFY(WriteFile(dir.filePath("shared/Kelvo.ini"), "[General]\r\nLevel=0\r\n"));
        }
        QVERIFY(Link("Kelvo.ini", dir.filePath("shared/hop.ini")));
        const QString linkText = link.startsWith('@') ? dir.path() + link.mid(1) : link;
        const QString path = dir.filePath("program/Kelvo.ini");
        QVERIFY(Link(linkText, path));
        FileProfileStorage files;
        QVERIFY(WritePrivateProfileString("General", "Level", "2", path, files));
        QCOMPARE(ReadFile(dir.filePath(target)), QByteArray("[General]\r\nLevel=2\r\n"));
        QCOMPARE(QFileInfo(path).canonicalFilePath(), QFileInfo(dir.filePath(target)).canonicalFilePath());
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(Entries(dir.filePath("program")), QStringList{"Kelvo.ini"});
    }

    // What is not a plain file, or is reached through a link that is not the user's own, is unusable: it is
    // neither read nor replaced nor waited on, a write fails and says why, and the file behind is unchanged.
    void unusableFilesAreLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link of another user") << "foreign link";
        QTest::newRow("link loop") << "loop";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link to a device") << "device";
    }
    void unusableFilesAreLeftAlone() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString target = dir.filePath("private.ini");
        const QString path = dir.filePath("Kelvo.ini");
        QVERIFY(WriteFile(target, "[General]\r\nLevel=0\r\n"));
        const QByteArray name = QFile::encodeName(path);
        if (kind == "foreign link") {
            constexpr uid_t Nobody = 65534;
            if (::geteuid() == Nobody) {
                QSKIP("the test user owns the link it would hand to another user");
            }
            QVERIFY(Link(target, path) && ::lchown(name.constData(), Nobody, Nobody) == 0);
        } else if (kind == "loop") {
            QVERIFY(Link("b.ini", path) && Link("Kelvo.ini", dir.filePath("b.ini")));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        } else if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("Kelvo.ini"));
        } else {
            QVERIFY(Link("/dev/zero", path));
        }
        FileProfileStorage files;
        QVERIFY(!files.Read(path));
        QVERIFY(!files.Problem().isEmpty());
        QVERIFY(files.Exists(path));
        QVERIFY(!OwnFileProblem(path).isEmpty());
        QVERIFY(!WritePrivateProfileString("General", "Level", "2", path, files));
        QVERIFY(!files.Replace(path, "[General]\r\nLevel=2\r\n"));
        QVERIFY(!files.Problem().isEmpty());
        QCOMPARE(ReadFile(target), QByteArray("[General]\r\nLevel=0\r\n"));
        QVERIFY(OwnFileProblem(target).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileProfileStorage)
#include "TestFileProfileStorage.moc"
