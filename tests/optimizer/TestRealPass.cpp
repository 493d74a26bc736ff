#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include <unistd.h>

#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/Optimizer.h"
#include "platform/system/CgroupMemory.h"
#include "platform/system/Clock.h"
#include "platform/system/EventPump.h"
#include "tests/fakes/Fakes.h"

using namespace kelvo;
using namespace kelvo::optimizer;

namespace {

// Resident memory of this process in bytes.
std::int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

// A real pass of 50 blocks (100 MB): the memory is really committed while the pass runs and really given
// back afterwards.
class TestRealPass : public QObject {
    Q_OBJECT

private slots:
    void commitsAndGivesBack_data() {
        QTest::addColumn<bool>("hugePages");
        QTest::newRow("small pages") << false;
        QTest::newRow("huge pages") << true;
    }
    void commitsAndGivesBack() {
        QFETCH(bool, hugePages);
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer's shadow memory and allocator change resident memory by megabytes");
#endif
        system::ProcMemorySource memory;
        system::CgroupMemory cgroup;
        MappedBlockAllocator allocator(memory, &cgroup, hugePages);
        tests::FakePump pump;
        system::SystemClock clock;
        Optimizer optimizer(allocator, pump, clock);

        const std::int64_t before = ResidentBytes();
        std::int64_t peak = 0;
        pump.onTurn = [&](int) { peak = std::max(peak, ResidentBytes()); };
        QVERIFY(optimizer.OptimizeRAM(50));
        const std::int64_t after = ResidentBytes();

        const std::int64_t rise = peak - before;
        QVERIFY2(rise >= 95'000'000 && rise <= 110'000'000, qPrintable(QString::number(rise)));
        QVERIFY2(std::llabs(after - before) <= 2 * 1024 * 1024, qPrintable(QString::number(after - before)));
    }

    // Moved into a limited memory group after start (as desktops place programs in scopes): the next pass
    // sees the limit, takes only what the reserve allows under it, and stops normally when the group fills.
    void followsTheGroupItWasMovedInto() {
        QTemporaryDir dir;
        const QString root = dir.filePath("cg");
        const QString membership = dir.filePath("self");
        const QString usage = root + "/memory/scope/memory.usage_in_bytes";
        WriteFile(membership, "4:memory:/\n");
        // A 2 GiB group keeps the full 512 MiB reserve; it is used up to 9,000,000 bytes above it.
        const std::uint64_t limit = 2ull << 30;
        const std::uint64_t reserve = GroupReserveBytes(limit);
        const std::uint64_t used = limit - reserve - 9'000'000;
        WriteFile(root + "/memory/scope/memory.limit_in_bytes", QByteArray::number(quint64(limit)));
        WriteFile(usage, QByteArray::number(quint64(used)));
        tests::FakeMemorySource memory;
        memory.SetMB(8192, 4096);
        system::CgroupMemory cgroup(membership, root);
        MappedBlockAllocator allocator(memory, &cgroup, false);
        tests::FakePump pump;
        tests::RecordingProgress progress;
        system::SystemClock clock;
        Optimizer optimizer(allocator, pump, clock);
        optimizer.SetProgress(&progress);
        std::size_t committed = 0;
        pump.onTurn = [&](int) { committed = std::max(committed, optimizer.CommittedBlocks()); };

        QVERIFY(optimizer.OptimizeRAM(6));
        QCOMPARE(committed, std::size_t{6}); // no limit yet

        WriteFile(membership, "4:memory:/scope\n");
        committed = 0;
        QVERIFY(optimizer.OptimizeRAM(100));
        QCOMPARE(committed, std::size_t{4}); // 9,000,000 bytes above the reserve: four blocks
        QCOMPARE(progress.calls.back(), (std::pair<char, std::int32_t>{'V', 100}));

        // The group fills up during the pass: the pass ends normally with what it has.
        WriteFile(root + "/memory/scope/memory.limit_in_bytes",
                  QByteArray::number(quint64(used + reserve * 2)));
        committed = 0;
        pump.turns = 0;
        pump.onTurn = [&](int turn) {
            committed = std::max(committed, optimizer.CommittedBlocks());
            if (turn == 3) {
                WriteFile(usage, QByteArray::number(quint64(used + reserve)));
            }
        };
        QVERIFY(optimizer.OptimizeRAM(100));
        QCOMPARE(committed, std::size_t{2});
        QVERIFY(!optimizer.Optimizing());
        QVERIFY(optimizer.Blocks().empty());
    }
};

QTEST_GUILESS_MAIN(TestRealPass)
#include "TestRealPass.moc"
