#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "settings/ProgramFolder.h"

using namespace kelvo::settings;

// Which readme the "Readme" commands open, and whether the program runs from an installation, for the
// program folders a portable copy, a package and "cmake --install" give.
class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void readmeAndInstalledMode_data() {
        QTest::addColumn<QString>("appFolder");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("readme");
        QTest::addColumn<bool>("installed");
        const QString packaged = "/usr/share/doc/kelvo/readme.txt";
        QTest::newRow("portable folder")
            << "/opt/kelvo/" << QStringList{"/opt/kelvo/readme.txt"} << "/opt/kelvo/readme.txt" << false;
        QTest::newRow("package") << "/usr/bin/" << QStringList{packaged} << packaged << true;
        QTest::newRow("readme put beside an installed program")
            << "/usr/bin/" << QStringList{"/usr/bin/readme.txt", packaged} << "/usr/bin/readme.txt" << true;
        QTest::newRow("no readme anywhere") << "/usr/bin/" << QStringList{} << "/usr/bin/readme.txt" << false;
        QTest::newRow("other prefix")
            << "/home/ann/.local/bin/" << QStringList{"/home/ann/.local/share/doc/kelvo/readme.txt"}
            << "/home/ann/.local/share/doc/kelvo/readme.txt" << true;
        QTest::newRow("another prefix's readme is not ours")
            << "/usr/local/bin/" << QStringList{packaged} << "/usr/local/bin/readme.txt" << false;
        QTest::newRow("prefix at the root")
            << "/bin/" << QStringList{"/share/doc/kelvo/readme.txt"} << "/share/doc/kelvo/readme.txt" << true;
    }

    void readmeAndInstalledMode() {
        QFETCH(QString, appFolder);
        QFETCH(QStringList, files);
        QFETCH(QString, readme);
        QFETCH(bool, installed);
        const QSet<QString> present(files.begin(), files.end());
        const auto exists = [&present](const QString& path) { return present.contains(path); };
        QCOMPARE(ReadmePath(appFolder, exists), readme);
        QCOMPARE(RunsInstalled(appFolder, exists), installed);
    }

    // The same choice on a real file system, where only a file counts as a readme.
    void realFolders() {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const QString bin = prefix.filePath("bin/");
        const QString packaged = prefix.filePath("share/doc/kelvo/readme.txt");
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QDir().mkpath(prefix.filePath("share/doc/kelvo")));
        QCOMPARE(ReadmePath(bin), bin + "readme.txt");
        QVERIFY(!RunsInstalled(bin));

        QFile file(packaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir().mkpath(bin + "readme.txt")); // a folder of that name is no readme
        QCOMPARE(ReadmePath(bin), packaged);
        QVERIFY(RunsInstalled(bin));

        QVERIFY(QDir(bin).rmdir("readme.txt"));
        QFile beside(bin + "readme.txt");
        QVERIFY(beside.open(QIODevice::WriteOnly));
        beside.close();
        QCOMPARE(ReadmePath(bin), bin + "readme.txt");
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
