#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/Profile.h"

using namespace kelvo::system;

namespace {

// Keeps embedded NUL bytes that a plain const char* conversion would cut off.
template <std::size_t N> QByteArray Bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

class MemoryStorage final : public ProfileStorage {
public:
    std::optional<QByteArray> file;
    bool unreadable = false; // something is there but Read fails for it
    bool failReplace = false;
    int replaceCalls = 0;

    std::optional<QByteArray> Read(const QString&) override { return unreadable ? std::nullopt : file; }
    bool Replace(const QString&, const QByteArray& content) override {
        ++replaceCalls;
        if (failReplace) {
            return false;
        }
        file = content;
        return true;
    }
    bool Exists(const QString&) override { return unreadable || file.has_value(); }
};

// The buffer is allocated at exactly bufferSize bytes so that AddressSanitizer sees any write past it.
QByteArray Get(ProfileStorage& storage, const QByteArray& section, const QByteArray& key,
               const QByteArray& def, qsizetype bufferSize = 64,
               const QString& path = QStringLiteral("test.ini")) {
    auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(bufferSize));
    const qsizetype copied =
        GetPrivateProfileString(section, key, def, buffer.get(), bufferSize, path, storage);
    if (copied < 0 || copied >= bufferSize || buffer[copied] != '\0') {
        return QByteArrayLiteral("<broken buffer>");
    }
    return QByteArray(buffer.get(), copied);
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString Fixture(const QString& name) {
    return qEnvironmentVariable("KELVO_TEST_DATA") + QStringLiteral("/ini/") + name;
}

} // namespace

class TestProfile : public QObject {
    Q_OBJECT

private slots:
    void readsKeysWithClassicRules_data() {
        QTest::addColumn<QByteArray>("lineBreak");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("def");
        QTest::addColumn<int>("bufferSize");
        QTest::addColumn<QByteArray>("expected");
        for (const QByteArray& lineBreak : {Bytes("\r\n"), Bytes("\n"), Bytes("\r")}) {
            const QByteArray tag = lineBreak == "\r\n" ? "crlf " : lineBreak == "\n" ? "lf " : "cr ";
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow((tag + name).constData()) << lineBreak;
            };
            row("key case ignored") << Bytes("section1") << Bytes("NaMe1") << Bytes("d") << 32
                                    << Bytes("val1");
            row("quotes stripped") << Bytes("section1") << Bytes("name2") << Bytes("d") << 32
                                   << Bytes("val2");
            row("size 4 truncates") << Bytes("section1") << Bytes("name1") << Bytes("d") << 4 << Bytes("val");
            row("size 5 fits") << Bytes("section1") << Bytes("name1") << Bytes("d") << 5 << Bytes("val1");
            row("size 1 empty") << Bytes("section1") << Bytes("name1") << Bytes("d") << 1 << Bytes("");
            row("caller names trimmed")
                << Bytes(" SECTION1\t") << Bytes(" name1 ") << Bytes("d") << 32 << Bytes("val1");
            row("line without =") << Bytes("section1") << Bytes("name3") << Bytes("d") << 32 << Bytes("d");
            row("empty value") << Bytes("section1") << Bytes("name4") << Bytes("d") << 32 << Bytes("");
            row("empty key") << Bytes("section1") << Bytes("") << Bytes("d") << 32 << Bytes("d");
            row("empty section") << Bytes("") << Bytes("name1") << Bytes("d") << 32 << Bytes("d");
            row("default trailing blanks")
                << Bytes("section1") << Bytes("none") << Bytes("default  ") << 32 << Bytes("default");
            row("default inner blanks")
                << Bytes("x") << Bytes("y") << Bytes("one two \t ") << 32 << Bytes("one two");
            // Only a value from the file loses its quotes; the caller's default is used as given.
            row("default quotes kept") << Bytes("x") << Bytes("y") << Bytes("\"q\"") << 32 << Bytes("\"q\"");
            row("default truncated") << Bytes("x") << Bytes("y") << Bytes("abcdef") << 4 << Bytes("abc");
            row("value blanks trimmed")
                << Bytes("section2") << Bytes("name1") << Bytes("d") << 32 << Bytes("one two");
            row("key of other section")
                << Bytes("section2") << Bytes("name2") << Bytes("d") << 32 << Bytes("d");
        }
    }
    void readsKeysWithClassicRules() {
        QFETCH(QByteArray, lineBreak);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, def);
        QFETCH(int, bufferSize);
        QFETCH(QByteArray, expected);
        FileProfileStorage files;
        MemoryStorage memory;
        memory.file = files.Read(Fixture(QStringLiteral("lookup.ini")));
        QVERIFY(memory.file);
        memory.file->replace("\r\n", lineBreak);
        QCOMPARE(Get(memory, section, key, def, bufferSize), expected);
        if (lineBreak == "\r\n") {
            QCOMPARE(Get(files, section, key, def, bufferSize, Fixture(QStringLiteral("lookup.ini"))),
                     expected);
        }
    }

    void bufferSizeZeroLeavesTheBufferAlone() {
        MemoryStorage memory;
        memory.file = Bytes("[a]\r\nk=value\r\n");
        char buffer[] = "XYZ";
        QCOMPARE(GetPrivateProfileString("a", "k", "d", buffer, 0, QString(), memory), 0);
        QCOMPARE(GetPrivateProfileString("a", "k", "d", buffer, -1, QString(), memory), 0);
        QCOMPARE(GetPrivateProfileString("a", "k", "d", nullptr, 8, QString(), memory), 0);
        QCOMPARE(QByteArray(buffer), QByteArray("XYZ"));
    }

    void readsDifficultFiles_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty file") << Bytes("") << Bytes("a") << Bytes("k") << Bytes("def");
        const QByteArray mixed = Bytes("[a]\rk1=1\nk2=2\r\nk3=3\n\r[b]\rk4=4");
        QTest::newRow("mixed breaks cr") << mixed << Bytes("a") << Bytes("k1") << Bytes("1");
        QTest::newRow("mixed breaks lf") << mixed << Bytes("a") << Bytes("k2") << Bytes("2");
        QTest::newRow("mixed breaks crlf") << mixed << Bytes("a") << Bytes("k3") << Bytes("3");
        QTest::newRow("mixed breaks last") << mixed << Bytes("b") << Bytes("k4") << Bytes("4");
        QTest::newRow("bom") << Bytes("\xEF\xBB\xBF[a]\r\nk=v\r\n") << Bytes("a") << Bytes("k") << Bytes("v");
        const QByteArray nul = Bytes("\0\0\r\n[a]\r\nk=v\0w\r\nk2=x\r\n\0");
        QTest::newRow("nul inside value") << nul << Bytes("a") << Bytes("k") << Bytes("v\0w");
        QTest::newRow("nul lines around") << nul << Bytes("a") << Bytes("k2") << Bytes("x");
        QTest::newRow("entry then key")
            << Bytes("[a]\r\nk\r\nk=2\r\n") << Bytes("a") << Bytes("k") << Bytes("2");
        QTest::newRow("key before sections")
            << Bytes("k=1\r\n[a]\r\n") << Bytes("a") << Bytes("k") << Bytes("def");
        const QByteArray duplicates = Bytes("[a]\r\nx=1\r\nX=9\r\n[b]\r\nx=2\r\n[A]\r\nx=3\r\ny=4\r\n");
        QTest::newRow("first duplicate key") << duplicates << Bytes("a") << Bytes("x") << Bytes("1");
        QTest::newRow("merged duplicate section") << duplicates << Bytes("a") << Bytes("y") << Bytes("4");
        QTest::newRow("between duplicates") << duplicates << Bytes("b") << Bytes("x") << Bytes("2");
        QTest::newRow("blanks and ^Z")
            << Bytes("[a]\r\n \t k \t=  v x \t\x1a\r\n") << Bytes("a") << Bytes("k") << Bytes("v x");
        QTest::newRow("single quotes") << Bytes("[a]\r\nk='v'\r\n") << Bytes("a") << Bytes("k") << Bytes("v");
        QTest::newRow("quotes keep inner blanks")
            << Bytes("[a]\r\nk=\" v \"\r\n") << Bytes("a") << Bytes("k") << Bytes(" v ");
        QTest::newRow("unmatched quotes")
            << Bytes("[a]\r\nk=\"v'\r\n") << Bytes("a") << Bytes("k") << Bytes("\"v'");
        QTest::newRow("lone quote") << Bytes("[a]\r\nk=\"\r\n") << Bytes("a") << Bytes("k") << Bytes("\"");
        QTest::newRow("empty quotes") << Bytes("[a]\r\nk=\"\"\r\n") << Bytes("a") << Bytes("k") << Bytes("");
        QTest::newRow("inline semicolon")
            << Bytes("[a]\r\nk=v ; note\r\n") << Bytes("a") << Bytes("k") << Bytes("v ; note");
        QTest::newRow("comment skipped")
            << Bytes("[a]\r\n;k=1\r\n k=2\r\n") << Bytes("a") << Bytes("k") << Bytes("2");
        QTest::newRow("header to last ]")
            << Bytes("[a]b] \r\nk=1\r\n") << Bytes("a]b") << Bytes("k") << Bytes("1");
        QTest::newRow("text after ]")
            << Bytes("[a] x\r\nk=1\r\n") << Bytes("a] x") << Bytes("k") << Bytes("def");
        QTest::newRow("[ without ] is a key")
            << Bytes("[a]\r\n[b=1\r\n") << Bytes("a") << Bytes("[b") << Bytes("1");
        QTest::newRow("= in value") << Bytes("[a]\r\nk==1=2\r\n") << Bytes("a") << Bytes("k")
                                    << Bytes("=1=2");
    }
    void readsDifficultFiles() {
        QFETCH(QByteArray, image);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        MemoryStorage memory;
        memory.file = image;
        QCOMPARE(Get(memory, section, key, "def"), expected);
    }

    void missingOrUnreadableFilesGiveTheDefault_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no file") << "missing";
        QTest::newRow("folder in its place") << "folder";
        QTest::newRow("no read permission") << "unreadable";
    }
    void missingOrUnreadableFilesGiveTheDefault() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kelvo.ini"));
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == QLatin1String("unreadable")) {
            if (::geteuid() == 0) {
                QSKIP("root reads every file; the fake storage covers this case");
            }
            QVERIFY(WriteFile(path, "[a]\r\nk=v\r\n"));
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0200) == 0);
        }
        FileProfileStorage files;
        QCOMPARE(files.Read(path), std::nullopt);
        QCOMPARE(Get(files, "a", "k", "def  ", 64, path), QByteArray("def"));
        QCOMPARE(files.Exists(path), kind != QLatin1String("missing"));
        // What could not be read is never overwritten.
        QCOMPARE(WritePrivateProfileString("a", "k", "new", path, files), kind == QLatin1String("missing"));
    }

    void handlesAMegabyteLine() {
        const QByteArray longValue(1024 * 1024, 'x');
        MemoryStorage memory;
        memory.file = "[a]\r\nk=" + longValue + "\r\nz=1\r\n[" + longValue + "]\r\nk=2\r\n";
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Get(memory, "a", "k", "", 256), longValue.left(255));
        QCOMPARE(Get(memory, "a", "z", ""), QByteArray("1"));
        QCOMPARE(Get(memory, longValue, "k", "", 8), QByteArray("2"));
        QVERIFY(WritePrivateProfileString("a", "k", "short", QString(), memory));
        QCOMPARE(*memory.file, "[a]\r\nk=short\r\nz=1\r\n[" + longValue + "]\r\nk=2\r\n");
        QVERIFY2(timer.elapsed() < 5000, "profile access must stay linear in the line length");
    }

    void writesChangeOnlyTheirLine_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << false << Bytes("") << Bytes("App") << Bytes("key") << Bytes("string")
                                  << Bytes("[App]\r\nkey=string\r\n");
        QTest::newRow("empty file") << true << Bytes("") << Bytes(" App ") << Bytes("\tkey")
                                    << Bytes("  string") << Bytes("[App]\r\nkey=string\r\n");
        QTest::newRow("bom only") << true << Bytes("\xEF\xBB\xBF") << Bytes("a") << Bytes("k") << Bytes("")
                                  << Bytes("\xEF\xBB\xBF[a]\r\nk=\r\n");
        QTest::newRow("new section") << true << Bytes("[a]\nx=1\n") << Bytes("b") << Bytes("k") << Bytes("v")
                                     << Bytes("[a]\nx=1\n[b]\r\nk=v\r\n");
        QTest::newRow("new section, no final break") << true << Bytes("[a]\rx=1") << Bytes("b") << Bytes("k")
                                                     << Bytes("v") << Bytes("[a]\rx=1\r\n[b]\r\nk=v\r\n");
        QTest::newRow("new key after the last one")
            << true << Bytes("[a]\r\nx=1\r\nnote\r\n\r\n; c\r\n[b]\r\ny=2\r\n") << Bytes("A") << Bytes("k")
            << Bytes("\"q\" ;v") << Bytes("[a]\r\nx=1\r\nnote\r\nk=\"q\" ;v\r\n\r\n; c\r\n[b]\r\ny=2\r\n");
        QTest::newRow("new key in empty section") << true << Bytes("[a]\n\n[b]\n") << Bytes("a") << Bytes("k")
                                                  << Bytes("v") << Bytes("[a]\nk=v\r\n\n[b]\n");
        QTest::newRow("new key, no final break") << true << Bytes("[a]\r\nx=1") << Bytes("a") << Bytes("k")
                                                 << Bytes("v") << Bytes("[a]\r\nx=1\r\nk=v\r\n");
        QTest::newRow("new key in first duplicate")
            << true << Bytes("[a]\r\nx=1\r\n[a]\r\ny=2\r\n") << Bytes("a") << Bytes("k") << Bytes("v")
            << Bytes("[a]\r\nx=1\r\nk=v\r\n[a]\r\ny=2\r\n");
        QTest::newRow("replace keeps spelling and break")
            << true << Bytes("\xEF\xBB\xBF; top\r\n[a]\r  X = 1 ;c\ny=2\r\n") << Bytes("a") << Bytes("x")
            << Bytes("7") << Bytes("\xEF\xBB\xBF; top\r\n[a]\rX=7\ny=2\r\n");
        QTest::newRow("replace after bom header")
            << true << Bytes("\xEF\xBB\xBF[a]\r\nk=1") << Bytes("a") << Bytes("k") << Bytes("2")
            << Bytes("\xEF\xBB\xBF[a]\r\nk=2");
        QTest::newRow("replace keeps nul bytes")
            << true << Bytes("\0\0\r\n[a]\r\nk=1\r\nz=\0\r\n\0") << Bytes("a") << Bytes("k") << Bytes("2")
            << Bytes("\0\0\r\n[a]\r\nk=2\r\nz=\0\r\n\0");
        QTest::newRow("replace first duplicate key")
            << true << Bytes("[a]\r\nk=1\r\nk=2\r\n") << Bytes("a") << Bytes("k") << Bytes("9")
            << Bytes("[a]\r\nk=9\r\nk=2\r\n");
        QTest::newRow("replace in later duplicate section")
            << true << Bytes("[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=1\r\n") << Bytes("a") << Bytes("k") << Bytes("5")
            << Bytes("[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=5\r\n");
        QTest::newRow("replace with empty value") << true << Bytes("[a]\r\nk=1\r\n") << Bytes("a")
                                                  << Bytes("k") << Bytes("") << Bytes("[a]\r\nk=\r\n");
    }
    void writesChangeOnlyTheirLine() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        MemoryStorage memory;
        if (exists) {
            memory.file = before;
        }
        QVERIFY(WritePrivateProfileString(section, key, value, QString(), memory));
        QCOMPARE(memory.replaceCalls, 1);
        QCOMPARE(*memory.file, after);
    }

    void identicalValueIsNotRewritten() {
        MemoryStorage memory;
        memory.file = Bytes("[a]\r\n k = \"v\" \r\n");
        QVERIFY(WritePrivateProfileString("A", "K", "  \"v\"", QString(), memory));
        QCOMPARE(memory.replaceCalls, 0);
    }

    void refusedWritesKeepTheOldFile_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<bool>("failReplace");
        QTest::newRow("disk full") << Bytes("a") << Bytes("k") << Bytes("2") << false << true;
        QTest::newRow("unreadable file") << Bytes("a") << Bytes("k") << Bytes("2") << true << false;
        QTest::newRow("empty section") << Bytes(" ") << Bytes("k") << Bytes("2") << false << false;
        QTest::newRow("empty key") << Bytes("a") << Bytes("") << Bytes("2") << false << false;
        QTest::newRow("line break in value")
            << Bytes("a") << Bytes("k") << Bytes("2\r\n[b]") << false << false;
    }
    void refusedWritesKeepTheOldFile() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(bool, unreadable);
        QFETCH(bool, failReplace);
        MemoryStorage memory;
        memory.file = Bytes("[a]\r\nk=1\r\n");
        memory.unreadable = unreadable;
        memory.failReplace = failReplace;
        QVERIFY(!WritePrivateProfileString(section, key, value, QString(), memory));
        QCOMPARE(*memory.file, Bytes("[a]\r\nk=1\r\n"));
        QCOMPARE(memory.replaceCalls, failReplace ? 1 : 0);
    }

    // A UTF-16 file with its byte-order mark is read as text and written back in its own encoding, changed
    // only in the written key; one that would not come back byte for byte is read but not rewritten.
    void utf16FilesKeepTheirEncoding_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<bool>("broken"); // a trailing odd byte
        QTest::newRow("little endian") << "UTF-16LE" << false;
        QTest::newRow("big endian") << "UTF-16BE" << false;
        QTest::newRow("odd length") << "UTF-16LE" << true;
    }
    void utf16FilesKeepTheirEncoding() {
        QFETCH(QString, encoding);
        QFETCH(bool, broken);
        const auto encoded = [&](const QString& text) {
            QStringEncoder encoder(qPrintable(encoding), QStringEncoder::Flag::WriteBom);
            return QByteArray(encoder(text));
        };
        const QString text = QStringLiteral("; Küche\r\n[General]\r\nLevel=2\r\nTime=900\r\n");
        MemoryStorage memory;
        memory.file = encoded(text) + (broken ? QByteArray("\x01", 1) : QByteArray());
        QCOMPARE(Get(memory, "General", "Level", "0"), Bytes("2"));
        QCOMPARE(Get(memory, "general", "TIME", "300"), Bytes("900"));
        const QByteArray before = *memory.file;
        QCOMPARE(WritePrivateProfileString("General", "Level", "1", QString(), memory), !broken);
        QCOMPARE(*memory.file, broken ? before : encoded(QString(text).replace("Level=2", "Level=1")));
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "TestProfile.moc"
