#include <QTest>

#include <algorithm>
#include <vector>

#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/MemoryFigures.h"
#include "optimizer/Optimizer.h"
#include "tests/fakes/Fakes.h"

using namespace kelvo;
using namespace kelvo::optimizer;

namespace {

struct Pass {
    tests::FakeAllocator allocator;
    tests::FakePump pump;
    tests::SteppingPassClock clock;
    tests::RecordingProgress progress;
    SchedulerValues scheduler;
    Optimizer optimizer{allocator, pump, clock, scheduler};
    Pass() { optimizer.SetProgress(&progress); }
};

} // namespace

class TestOptimizer : public QObject {
    Q_OBJECT

private slots:
    void blockCount_data() {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("free");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("expected");
        QTest::newRow("moderate 512/100") << 412 << 100 << 15 << 162;
        QTest::newRow("heavy 1024/300") << 724 << 300 << 20 << 445;
        QTest::newRow("before settings") << 412 << 100 << 40 << 265; // 164.8 + 100
        QTest::newRow("nothing") << 0 << 0 << 10 << 0;
        QTest::newRow("overflow gives 0") << 2147483647 << 2147483647 << 20 << 0;
    }
    void blockCount() {
        QFETCH(int, used);
        QFETCH(int, free);
        QFETCH(int, level);
        QFETCH(int, expected);
        QCOMPARE(BlockCount(used, free, static_cast<std::int16_t>(level)), expected);
    }

    void memoryFiguresInMegabytes() {
        tests::FakeMemorySource memory;
        memory.status = system::MemoryStatus{24ull << 30, (3ull << 19)}; // 24 GiB total, 1.5 MiB free
        const auto figures = GetMemoryMB(memory);
        QVERIFY(figures);
        QCOMPARE((*figures)[0], 24576); // more than 2 GiB reports its true size
        QCOMPARE((*figures)[1], 2);     // 1.5 rounds to the even neighbour
        memory.status = system::MemoryStatus{(5ull << 19), 0};
        QCOMPARE((*GetMemoryMB(memory))[0], 2); // 2.5 MiB -> 2
        memory.status.reset();
        QVERIFY(!GetMemoryMB(memory));
        memory.status = system::MemoryStatus{~0ull, 0}; // beyond 32-bit megabytes
        QVERIFY(!GetMemoryMB(memory));
    }

    void progressOfAPass_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("max");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("N=0") << 0 << 0 << QList<int>{};
        QTest::newRow("N=1") << 1 << 0 << QList<int>{0};
        QTest::newRow("N=15") << 15 << 2 << QList<int>{0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("N=-3") << -3 << 0 << QList<int>{};
    }
    void progressOfAPass() {
        QFETCH(int, count);
        QFETCH(int, max);
        QFETCH(QList<int>, values);
        Pass pass;
        pass.scheduler.TickDivisor = 3;
        int seenDuringPass = -1;
        pass.pump.onTurn = [&](int) { seenDuringPass = pass.optimizer.Optimizing(); };
        QVERIFY(pass.optimizer.OptimizeRAM(static_cast<std::int16_t>(count)));

        std::vector<std::pair<char, std::int32_t>> expected{{'M', max}};
        for (int v : values) {
            expected.emplace_back('V', v);
        }
        expected.insert(expected.end(), {{'V', 0}, {'M', 100}, {'V', 100}});
        QCOMPARE(pass.progress.calls, expected);
        QCOMPARE(pass.allocator.allocations, std::max(count, 0));
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
        QVERIFY(pass.optimizer.Blocks().empty());
        QCOMPARE(pass.scheduler.TickDivisor, std::int16_t{10});
        QCOMPARE(pass.pump.turns >= 2 * std::max(count, 0), true); // two turns per block
        if (count > 0) {
            QCOMPARE(seenDuringPass, 1);
        }
    }

    void blocksAreHeldUntilTheEnd() {
        Pass pass;
        std::vector<int> liveAtTurn;
        std::size_t arraySize = 0;
        pass.pump.onTurn = [&](int) {
            liveAtTurn.push_back(pass.allocator.live);
            arraySize = std::max(arraySize, pass.optimizer.Blocks().size());
        };
        pass.optimizer.OptimizeRAM(5);
        QCOMPARE(liveAtTurn, (std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5}));
        QCOMPARE(arraySize, std::size_t{6}); // count + 1 elements, the last never filled
    }

    void aPassDuringAPassIsIgnored() {
        Pass pass;
        bool nested = true;
        pass.pump.onTurn = [&](int turn) {
            if (turn == 3) {
                nested = pass.optimizer.OptimizeRAM(50);
            }
        };
        QVERIFY(pass.optimizer.OptimizeRAM(4));
        QVERIFY(!nested);
        QCOMPARE(pass.allocator.allocations, 4);
        QCOMPARE(pass.allocator.live, 0);
    }

    void aFailedPassReleasesAtOnce() {
        Pass pass;
        pass.allocator.refuseAt = 3;
        pass.scheduler.TickDivisor = 4;
        QVERIFY(!pass.optimizer.OptimizeRAM(10));
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
        QVERIFY(pass.optimizer.Blocks().empty());
        // The steps after the failing allocation do not run.
        QCOMPARE(pass.scheduler.TickDivisor, std::int16_t{4});
        QCOMPARE(pass.progress.calls.back(), (std::pair<char, std::int32_t>{'V', 0}));
        // The next pass runs normally.
        pass.allocator.refuseAt = -1;
        QVERIFY(pass.optimizer.OptimizeRAM(2));
    }

    void releaseBlocksDuringAPassEndsIt() {
        Pass pass;
        pass.pump.onTurn = [&](int turn) {
            if (turn == 5) {
                pass.optimizer.ReleaseBlocks();
            }
        };
        QVERIFY(!pass.optimizer.OptimizeRAM(100));
        QCOMPARE(pass.allocator.allocations, 3);
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
    }

    void releaseKeepsTheEventLoopTurning() {
        Pass pass;
        // Every clock reading advances 1 ms: a slice of 8 ms frees a handful of blocks, then the loop turns.
        const int count = 200;
        int turnsInRelease = 0;
        bool flagDuringRelease = false;
        bool arrayEmptyDuringRelease = true;
        pass.pump.onTurn = [&](int turn) {
            if (turn > 2 * count) {
                ++turnsInRelease;
                flagDuringRelease = pass.optimizer.Optimizing();
                arrayEmptyDuringRelease = arrayEmptyDuringRelease && pass.optimizer.Blocks().empty();
            }
        };
        QVERIFY(pass.optimizer.OptimizeRAM(count));
        QVERIFY(turnsInRelease >= count / 10);
        QVERIFY(flagDuringRelease);
        QVERIFY(arrayEmptyDuringRelease);
        QCOMPARE(pass.allocator.live, 0);
    }

    void exitDuringTheReleaseFreesTheRest() {
        Pass pass;
        pass.pump.onTurn = [&](int turn) {
            if (turn == 2 * 100 + 2) {
                pass.optimizer.ReleaseBlocks();
            }
        };
        QVERIFY(!pass.optimizer.OptimizeRAM(100));
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
    }

    void reserveIsKept_data() {
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("available");
        QTest::addColumn<qint64>("cgroup"); // -1 none
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("blocks"); // blocks of 2,000,000 bytes above the reserve
        const quint64 MiB = 1ull << 20;
        const quint64 block = BlockBytes;
        QTest::newRow("plenty") << 8192 * MiB << 4096 * MiB << qint64(-1) << true << 1879;
        QTest::newRow("exactly the 512 MiB reserve after")
            << 8192 * MiB << 512 * MiB + block << qint64(-1) << true << 1;
        QTest::newRow("one byte short") << 8192 * MiB << 512 * MiB + block - 1 << qint64(-1) << false << 0;
        QTest::newRow("5 % of 24 GiB") << 24576 * MiB << 1228 * MiB << qint64(-1) << false << 0;
        QTest::newRow("5 % of 24 GiB kept") << 24576 * MiB << 1300 * MiB << qint64(-1) << true << 37;
        QTest::newRow("cgroup tighter") << 8192 * MiB << 4096 * MiB << qint64(513 * MiB) << false << 0;
        QTest::newRow("cgroup roomy") << 8192 * MiB << 4096 * MiB << qint64(2048 * MiB) << true << 805;
        QTest::newRow("nothing available") << 8192 * MiB << quint64(0) << qint64(-1) << false << 0;
        QTest::newRow("beyond 32 bits of blocks") << ~0ull << ~0ull << qint64(-1) << true << INT32_MAX;
    }
    void reserveIsKept() {
        QFETCH(quint64, total);
        QFETCH(quint64, available);
        QFETCH(qint64, cgroup);
        QFETCH(bool, allowed);
        QFETCH(int, blocks);
        const auto headroom = cgroup < 0 ? std::nullopt : std::optional<std::uint64_t>(cgroup);
        QCOMPARE(MappedBlockAllocator::LeavesReserve({total, available}, headroom), allowed);
        QCOMPARE(MappedBlockAllocator::BlocksAllowed({total, available}, headroom, BlockBytes), blocks);
    }

    void allocatorRefusesWithoutFigures() {
        tests::FakeMemorySource memory;
        MappedBlockAllocator allocator(memory, nullptr, false);
        memory.status.reset();
        QVERIFY(!allocator.BeginPass());
        const Allocation unknown = allocator.Allocate();
        QVERIFY(!unknown.block);
        QVERIFY(!unknown.reserveReached); // no figures: a failure, not the reserve
        memory.SetMB(8192, 100);
        QCOMPARE(allocator.BeginPass(), std::optional<std::int32_t>(0));
        const Allocation tight = allocator.Allocate();
        QVERIFY(!tight.block);
        QVERIFY(tight.reserveReached);
        QCOMPARE(memory.reads, 4); // figures are read afresh for every block
    }

    // The machine's figures are read again at least every 32nd block, and before every block once the last
    // reading leaves less than twice the blocks committed since above the reserve. A drop seen by a reading
    // stops the blocks at once.
    void machineFiguresAreReadWhileTheyMatter_data() {
        QTest::addColumn<int>("freeMB");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("reads");
        QTest::addColumn<int>("allocated");
        QTest::newRow("far from the reserve") << 4096 << 70 << 3 << 70;
        QTest::newRow("room for ten blocks: every fifth") << 512 + 20 << 10 << 2 << 10;
        QTest::newRow("room for one block: every block") << 515 << 5 << 6 << 5;
        QTest::newRow("below the reserve") << 500 << 3 << 4 << 0;
    }
    void machineFiguresAreReadWhileTheyMatter() {
        QFETCH(int, freeMB);
        QFETCH(int, blocks);
        QFETCH(int, reads);
        QFETCH(int, allocated);
        tests::FakeMemorySource memory;
        memory.SetMB(8192, static_cast<std::uint64_t>(freeMB));
        MappedBlockAllocator allocator(memory, nullptr, false);
        QVERIFY(allocator.BeginPass());
        std::vector<Allocation> held;
        held.reserve(static_cast<std::size_t>(blocks));
        for (int i = 0; i < blocks; ++i) {
            held.push_back(allocator.Allocate());
        }
        QCOMPARE(memory.reads, reads);
        QCOMPARE(static_cast<int>(std::count_if(held.begin(), held.end(),
                                                [](const Allocation& a) { return a.block != nullptr; })),
                 allocated);

        // The figures fall far below the reserve: the next reading refuses, at the latest 32 blocks on.
        memory.SetMB(8192, 100);
        int more = 0;
        while (allocator.Allocate().block) {
            ++more;
        }
        QVERIFY(more < MappedBlockAllocator::MaxBlocksPerReading);
    }

    // The pass asks for about twice the free memory; it runs what the reserve allows at its start, and its
    // bar describes that pass.
    void aPassIsClampedToTheReserveAtItsStart() {
        Pass pass;
        pass.allocator.allowed = 12;
        QVERIFY(pass.optimizer.OptimizeRAM(100));
        QCOMPARE(pass.allocator.allocations, 12);
        QCOMPARE(pass.progress.calls.front(), (std::pair<char, std::int32_t>{'M', 1}));
        QCOMPARE(pass.progress.calls[12], (std::pair<char, std::int32_t>{'V', 1})); // block 11
        QCOMPARE(pass.progress.calls.back(), (std::pair<char, std::int32_t>{'V', 100}));
        pass.allocator.allowed = 0;
        QVERIFY(pass.optimizer.OptimizeRAM(100)); // nothing may be taken: the bar is simply drawn full
        QCOMPARE(pass.allocator.allocations, 12);
        pass.allocator.allowed.reset();
        QVERIFY(!pass.optimizer.OptimizeRAM(100)); // cannot tell what is safe: a failure
        QCOMPARE(pass.allocator.allocations, 12);
        QVERIFY(!pass.optimizer.Optimizing());
    }

    // Memory that got tighter during the pass ends it normally; only a real failure is a failure.
    void theReserveEndsAPassNormally() {
        Pass pass;
        pass.allocator.reserveAt = 3;
        pass.scheduler.TickDivisor = 4;
        QVERIFY(pass.optimizer.OptimizeRAM(10));
        QCOMPARE(pass.allocator.allocations, 4);
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
        QCOMPARE(pass.scheduler.TickDivisor, std::int16_t{10});
        const std::vector<std::pair<char, std::int32_t>> end{{'V', 0}, {'M', 100}, {'V', 100}};
        QVERIFY(std::equal(end.begin(), end.end(), pass.progress.calls.end() - 3));
    }

    // A pass started in an event-loop turn right after ReleaseBlocks owns the blocks; the pass that was
    // cut short must not touch them again.
    void aPassStartedAfterAReleaseInATurn() {
        Pass pass;
        bool nested = false;
        bool inner = false;
        pass.pump.onTurn = [&](int turn) {
            if (turn == 3 && !inner) {
                inner = true;
                pass.optimizer.ReleaseBlocks();
                nested = pass.optimizer.OptimizeRAM(5);
            }
        };
        QVERIFY(!pass.optimizer.OptimizeRAM(50));
        QVERIFY(nested);
        QCOMPARE(pass.allocator.allocations, 2 + 5);
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
        QVERIFY(pass.optimizer.Blocks().empty());
        QCOMPARE(pass.progress.calls.back(), (std::pair<char, std::int32_t>{'V', 100}));
    }

    void fillWritesTheSpacePattern() {
        alignas(16) std::array<unsigned char, 96> bytes{};
        bytes.fill(0xAA);
        FillWithSpaces(bytes.data(), 64);
        for (std::size_t i = 0; i < 64; ++i) {
            QCOMPARE(bytes[i], static_cast<unsigned char>(i % 2 == 0 ? 0x20 : 0x00));
        }
        QCOMPARE(bytes[64], static_cast<unsigned char>(0xAA)); // nothing beyond the asked size
    }
};

QTEST_GUILESS_MAIN(TestOptimizer)
#include "TestOptimizer.moc"
