#include <QTemporaryDir>
#include <QTest>

#include "platform/system/CgroupMemory.h"
#include "platform/system/MemoryStatus.h"

using namespace kelvo::system;

namespace {

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The room of the tightest limited group with that much usable swap; empty when no group is limited.
std::optional<std::uint64_t> Tightest(const CgroupMemory& cgroup, std::uint64_t usableSwap = 0) {
    std::optional<std::uint64_t> tightest;
    for (const CgroupMemory::Room& room : cgroup.Rooms(usableSwap)) {
        tightest = std::min(room.bytes, tightest.value_or(room.bytes));
    }
    return tightest;
}

} // namespace

class TestMemoryStatus : public QObject {
    Q_OBJECT

private slots:
    void parsesMeminfo_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("available");
        QTest::addColumn<quint64>("swapTotal");
        QTest::addColumn<quint64>("swapFree");
        QTest::newRow("real layout") << QByteArray(
                                            "MemTotal:       24609280 kB\nMemFree:        20000000 kB\n"
                                            "MemAvailable:   23000000 kB\nBuffers:  1 kB\n")
                                     << true << 24609280ull * 1024 << 23000000ull * 1024 << 0ull << 0ull;
        QTest::newRow("more than 4 GiB") << QByteArray("MemTotal: 67108864 kB\nMemAvailable: 8 kB\n") << true
                                         << 68719476736ull << 8192ull << 0ull << 0ull;
        QTest::newRow("no MemAvailable")
            << QByteArray("MemTotal: 1000 kB\nMemFree: 500 kB\n") << false << 0ull << 0ull << 0ull << 0ull;
        QTest::newRow("no MemTotal") << QByteArray("MemAvailable: 1000 kB\n") << false << 0ull << 0ull << 0ull
                                     << 0ull;
        QTest::newRow("garbage value")
            << QByteArray("MemTotal: lots kB\nMemAvailable: 1 kB\n") << false << 0ull << 0ull << 0ull << 0ull;
        QTest::newRow("wrong unit") << QByteArray("MemTotal: 1000 MB\nMemAvailable: 1 kB\n") << false << 0ull
                                    << 0ull << 0ull << 0ull;
        QTest::newRow("overflowing") << QByteArray("MemTotal: 99999999999999999999 kB\nMemAvailable: 1 kB\n")
                                     << false << 0ull << 0ull << 0ull << 0ull;
        QTest::newRow("times 1024 overflows")
            << QByteArray("MemTotal: 18014398509481984 kB\nMemAvailable: 1 kB\n") << false << 0ull << 0ull
            << 0ull << 0ull;
        QTest::newRow("prefix of another name")
            << QByteArray("MemTotalX: 5 kB\nMemTotal: 7 kB\nMemAvailable: 1 kB") << true << 7168ull << 1024ull
            << 0ull << 0ull;
        QTest::newRow("empty") << QByteArray() << false << 0ull << 0ull << 0ull << 0ull;
        // Swap: its two lines, or none at all; a free figure above the total is cut to it.
        QTest::newRow("swap") << QByteArray(
                                     "MemTotal: 8 kB\nMemAvailable: 4 kB\nSwapTotal: 2 kB\nSwapFree: 1 kB\n")
                              << true << 8192ull << 4096ull << 2048ull << 1024ull;
        QTest::newRow("swap free beyond its total")
            << QByteArray("MemTotal: 8 kB\nMemAvailable: 4 kB\nSwapTotal: 2 kB\nSwapFree: 3 kB\n") << true
            << 8192ull << 4096ull << 2048ull << 2048ull;
        QTest::newRow("damaged swap: none")
            << QByteArray("MemTotal: 8 kB\nMemAvailable: 4 kB\nSwapTotal: 2 kB\nSwapFree: x kB\n") << true
            << 8192ull << 4096ull << 0ull << 0ull;
        QTest::newRow("binary") << QByteArray("\0\xff\n:MemTotal::", 15) << false << 0ull << 0ull << 0ull
                                << 0ull;
    }
    void parsesMeminfo() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(quint64, total);
        QFETCH(quint64, available);
        QFETCH(quint64, swapTotal);
        QFETCH(quint64, swapFree);
        const auto status =
            ParseMeminfo(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        QCOMPARE(status.has_value(), valid);
        if (valid) {
            QCOMPARE(status->totalBytes, total);
            QCOMPARE(status->availableBytes, available);
            QCOMPARE(status->swapTotalBytes, swapTotal);
            QCOMPARE(status->swapFreeBytes, swapFree);
        }
    }

    void readsThroughAKeptDescriptor() {
        QTemporaryDir dir;
        const QString path = dir.filePath("meminfo");
        ProcMemorySource missing(path);
        QVERIFY(!missing.Read()); // no file yet: a failure, not zeros
        WriteFile(path, "MemTotal: 2048 kB\nMemAvailable: 1024 kB\n");
        ProcMemorySource source(path);
        QCOMPARE(source.Read()->availableBytes, 1024ull * 1024);
        QCOMPARE(missing.Read()->totalBytes, 2048ull * 1024); // opened once it exists
        ProcMemorySource real;
        const auto status = real.Read();
        QVERIFY(status && status->totalBytes > status->availableBytes / 2);
    }

    void cgroupHeadroom() {
        QTemporaryDir dir;
        const QString root = dir.filePath("cg");
        const quint64 total = 8ull << 30;
        const auto headroom = [&](const QString& membership, std::uint64_t usableSwap = 0) {
            CgroupMemory cgroup(dir.filePath(membership), root);
            cgroup.Refresh(total);
            return Tightest(cgroup, usableSwap);
        };
        // v2: the group's own limit and a tighter one on its parent.
        WriteFile(dir.filePath("v2"), "0::/user.slice/app\n");
        WriteFile(root + "/user.slice/app/memory.max", "max\n");
        WriteFile(root + "/user.slice/app/memory.current", "100\n");
        WriteFile(root + "/user.slice/memory.max", "1073741824\n");
        WriteFile(root + "/user.slice/memory.current", "73741824\n");
        QCOMPARE(headroom("v2"), std::optional<std::uint64_t>(1000000000));
        // A limit at or above the machine's memory is no limit.
        WriteFile(root + "/user.slice/memory.max", QByteArray::number(total) + "\n");
        QCOMPARE(headroom("v2"), std::nullopt);
        // v1 with usage above the limit: no room at all.
        WriteFile(dir.filePath("v1"), "9:pids:/\n4:memory,foo:/box\n0::/\n");
        WriteFile(root + "/memory/box/memory.limit_in_bytes", "1000\n");
        WriteFile(root + "/memory/box/memory.usage_in_bytes", "5000\n");
        QCOMPARE(headroom("v1"), std::optional<std::uint64_t>(0));
        // No membership file: no limit known.
        QCOMPARE(headroom("none"), std::nullopt);
        // The swap a group may fill: all the usable swap without swap accounting, what its limit on memory
        // and swap together leaves beyond its memory headroom (v1), what its swap limit leaves (v2).
        WriteFile(root + "/memory/box/memory.usage_in_bytes", "400\n");
        QCOMPARE(headroom("v1", 5000), std::optional<std::uint64_t>(5600));
        WriteFile(root + "/memory/box/memory.memsw.limit_in_bytes", "2000\n");
        WriteFile(root + "/memory/box/memory.memsw.usage_in_bytes", "900\n");
        QCOMPARE(headroom("v1", 5000), std::optional<std::uint64_t>(1100)); // 600 of memory and 500 of swap
        QCOMPARE(headroom("v1", 100), std::optional<std::uint64_t>(700));   // the machine's swap is tighter
        WriteFile(root + "/user.slice/memory.max", "1073741824\n");
        WriteFile(root + "/user.slice/memory.swap.max", "0\n");
        WriteFile(root + "/user.slice/memory.swap.current", "0\n");
        QCOMPARE(headroom("v2", 5000), std::optional<std::uint64_t>(1000000000)); // no swap allowed
        WriteFile(root + "/user.slice/memory.swap.max", "max\n");
        QCOMPARE(headroom("v2", 5000), std::optional<std::uint64_t>(1000005000));
        // A limit whose usage is unreadable counts as full.
        WriteFile(root + "/memory/box/memory.usage_in_bytes", "junk\n");
        QCOMPARE(headroom("v1"), std::optional<std::uint64_t>(0));
        QFile::remove(root + "/memory/box/memory.usage_in_bytes");
        QCOMPARE(headroom("v1"), std::optional<std::uint64_t>(0));
    }

    // A desktop may move the program into a limited group after it started: each Refresh looks afresh, and
    // between refreshes the usage is read anew at every call.
    void cgroupMembershipIsReadAgain() {
        QTemporaryDir dir;
        const QString root = dir.filePath("cg");
        const QString membership = dir.filePath("self");
        WriteFile(membership, "4:memory:/\n0::/\n");
        WriteFile(root + "/memory/memory.limit_in_bytes", "9223372036854771712\n");
        WriteFile(root + "/memory/scope/memory.limit_in_bytes", "3000000000\n");
        WriteFile(root + "/memory/scope/memory.usage_in_bytes", "1000000000\n");
        CgroupMemory cgroup(membership, root);
        cgroup.Refresh(24ull << 30);
        QCOMPARE(Tightest(cgroup), std::nullopt);

        WriteFile(membership, "4:memory:/scope\n0::/\n");
        QCOMPARE(Tightest(cgroup), std::nullopt); // not looked at until the next pass
        cgroup.Refresh(24ull << 30);
        QCOMPARE(cgroup.LimitedGroups(), std::size_t{1});
        QCOMPARE(Tightest(cgroup), std::optional<std::uint64_t>(2000000000));
        WriteFile(root + "/memory/scope/memory.usage_in_bytes", "2999999999\n");
        QCOMPARE(Tightest(cgroup), std::optional<std::uint64_t>(1)); // usage read through the kept file

        WriteFile(membership, "4:memory:/\n0::/\n");
        cgroup.Refresh(24ull << 30);
        QCOMPARE(Tightest(cgroup), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestMemoryStatus)
#include "TestMemoryStatus.moc"
