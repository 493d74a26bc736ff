#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/MemoryFigures.h"
#include "optimizer/Optimizer.h"
#include "optimizer/StallWatch.h"
#include "tests/fakes/Fakes.h"

using namespace kelvo;
using namespace kelvo::optimizer;

namespace {

struct Pass {
    tests::FakeAllocator allocator;
    tests::FakePump pump;
    tests::SteppingPassClock clock;
    tests::RecordingProgress progress;
    Optimizer optimizer{allocator, pump, clock};
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
        memory.status = system::MemoryStatus{24ull << 30, (3ull << 19), 0, 0}; // 24 GiB total, 1.5 MiB free
        const auto figures = GetMemoryMB(memory);
        QVERIFY(figures);
        QCOMPARE((*figures)[0], 24576); // more than 2 GiB reports its true size
        QCOMPARE((*figures)[1], 2);     // 1.5 rounds to the even neighbour
        memory.status = system::MemoryStatus{(5ull << 19), 0, 0, 0};
        QCOMPARE((*GetMemoryMB(memory))[0], 2); // 2.5 MiB -> 2
        memory.status.reset();
        QVERIFY(!GetMemoryMB(memory));
        memory.status = system::MemoryStatus{~0ull, 0, 0, 0}; // beyond 32-bit megabytes
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
        QVERIFY(!pass.optimizer.OptimizeRAM(10));
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
        QVERIFY(pass.optimizer.Blocks().empty());
        // The steps after the failing allocation do not run.
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

    // The clamp: what the memory, the swap and a memory group allow, and what each level then commits (its
    // count, the free memory plus its share of the used, in blocks, where that is smaller). Figures in MiB.
    void reserveIsKept_data() {
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("available");
        QTest::addColumn<quint64>("swapTotal");
        QTest::addColumn<quint64>("swapFree");
        QTest::addColumn<quint64>("groupLimit"); // 0: no group
        QTest::addColumn<quint64>("groupRoom");  // bytes the group may take, swap included
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QString>("levels"); // Light/Moderate/Heavy
        const auto row = [](const char* name, quint64 total, quint64 available, quint64 swapTotal,
                            quint64 swapFree, quint64 groupLimit, quint64 groupRoom) -> QTestData& {
            return QTest::newRow(name)
                   << total << available << swapTotal << swapFree << groupLimit << groupRoom;
        };
        row("no swap: as before", 8192, 4096, 0, 0, 0, 0) << 1879 << QString("1879/1879/1879");
        row("free swap counts, less its reserve", 8192, 4096, 8192, 8192, 0, 0)
            << 5744 << QString("4506/4710/4915");
        row("swap nearly full: as without", 8192, 4096, 8192, 800, 0, 0) << 1879 << QString("1879/1879/1879");
        row("much swap: each level its own", 8192, 1024, 16384, 16384, 0, 0)
            << 7999 << QString("1741/2099/2458");
        // 700 MiB of memory and the usable swap (4096 less 409.6) under a 1.5 GiB limit, 384 MiB kept.
        row("group, swap not limited", 8192, 4096, 4096, 4096, 1536, (700ull << 20) + 3865470566ull)
            << 2098 << QString("2098/2098/2098");
        row("group at its swap limit", 8192, 4096, 4096, 4096, 1536, 700ull << 20)
            << 165 << QString("165/165/165");
        row("small group: its reserve scaled", 8192, 4096, 0, 0, 600, 500ull << 20)
            << 183 << QString("183/183/183");
        // The edges of the machine's reserve: 2 MiB above it hold one block, 1 MiB none.
        row("one block above the reserve", 8192, 514, 0, 0, 0, 0) << 1 << QString("1/1/1");
        row("less than a block above it", 8192, 513, 0, 0, 0, 0) << 0 << QString("0/0/0");
        row("swap below its own reserve adds nothing", 8192, 513, 8192, 819, 0, 0) << 0 << QString("0/0/0");
        row("beyond 32 bits of blocks", ~0ull >> 21, ~0ull >> 21, 0, 0, 0, 0) << INT32_MAX << QString("");
    }
    void reserveIsKept() {
        QFETCH(quint64, total);
        QFETCH(quint64, available);
        QFETCH(quint64, swapTotal);
        QFETCH(quint64, swapFree);
        QFETCH(quint64, groupLimit);
        QFETCH(quint64, groupRoom);
        QFETCH(int, blocks);
        QFETCH(QString, levels);
        const system::MemoryStatus status{total << 20, available << 20, swapTotal << 20, swapFree << 20};
        std::vector<system::CgroupMemory::Room> groups;
        if (groupLimit > 0) {
            groups.push_back({groupLimit << 20, groupRoom});
        }
        QCOMPARE(MappedBlockAllocator::BlocksAllowed(status, groups, BlockBytes), blocks);
        QCOMPARE(MappedBlockAllocator::LeavesReserve(status, groups), blocks > 0);
        if (levels.isEmpty()) {
            return; // beyond what megabytes in 32 bits can count
        }
        QStringList committed;
        for (const std::int16_t level : {10, 15, 20}) {
            const auto freeMB = *ToMegabytes(status.availableBytes);
            const auto usedMB = *ToMegabytes(status.totalBytes) - freeMB;
            committed << QString::number(std::min(BlockCount(usedMB, freeMB, level), blocks));
        }
        QCOMPARE(committed.join('/'), levels);
    }

    // Each block checks both reserves and the machine's stalls; either ends the pass as the reserve does.
    void aPassEndsAtTheSwapReserveOrAStall_data() {
        QTest::addColumn<quint64>("swapFree");       // bytes; 4 GiB of swap keep 429,496,729
        QTest::addColumn<quint64>("stallPerSecond"); // microseconds of full stall per second of the pass
        QTest::addColumn<int>("blocks");
        QTest::newRow("three blocks of swap above its reserve")
            << 429496729ull + 3 * BlockBytes + 1 << 0ull << 3;
        // A stall share is judged over two seconds or more: the seventh block sees 2.1 s of the pass.
        QTest::newRow("paging out, the pass itself waiting") << (4ull << 30) << 870'000ull << 40;
        QTest::newRow("thrashing") << (4ull << 30) << 980'000ull << 6;
    }
    void aPassEndsAtTheSwapReserveOrAStall() {
        QFETCH(quint64, swapFree);
        QFETCH(quint64, stallPerSecond);
        QFETCH(int, blocks);
        QTemporaryDir dir;
        const QString pressureFile = dir.filePath("memory");
        const auto writeStall = [&](quint64 total) {
            QFile file(pressureFile);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(
                "some avg10=0.00 avg60=0.00 avg300=0.00 total=0\nfull avg10=0.00 avg60=0.00 avg300=0.00 "
                "total=" +
                QByteArray::number(total) + "\n");
        };
        writeStall(0);
        system::MemoryPressure pressure(pressureFile);
        tests::SteppingPassClock clock;
        clock.step = 300'000'000; // one block every 0.3 s
        StallWatch stall(pressure, clock);
        tests::FakeMemorySource memory;
        // The memory at its reserve: only swap is left to fill, and the kernel fills it as blocks come.
        memory.status = system::MemoryStatus{8192ull << 20, 512ull << 20, 4096ull << 20, swapFree};
        MappedBlockAllocator allocator(memory, nullptr, false, &stall);
        QVERIFY(allocator.BeginPass());
        std::vector<BlockPtr> held;
        for (int i = 0; i < 40; ++i) {
            Allocation next = allocator.Allocate();
            if (!next.block) {
                QVERIFY(next.reserveReached);
                break;
            }
            held.push_back(std::move(next.block));
            memory.status->swapFreeBytes -= std::min<quint64>(BlockBytes, memory.status->swapFreeBytes);
            writeStall(stallPerSecond * static_cast<quint64>(clock.now) / 1'000'000'000);
        }
        QCOMPARE(static_cast<int>(held.size()), blocks);
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
        pass.progress.calls.clear();
        QVERIFY(pass.optimizer.OptimizeRAM(100)); // nothing may be taken: the bar shows it empty, at once
        QCOMPARE(pass.allocator.allocations, 12);
        QCOMPARE(pass.progress.calls, (std::vector<std::pair<char, std::int32_t>>{{'M', 100}, {'V', 0}}));
        pass.allocator.allowed.reset();
        QVERIFY(!pass.optimizer.OptimizeRAM(100)); // cannot tell what is safe: a failure
        QCOMPARE(pass.allocator.allocations, 12);
        QVERIFY(!pass.optimizer.Optimizing());
    }

    // Memory that got tighter during the pass ends it normally; only a real failure is a failure.
    void theReserveEndsAPassNormally() {
        Pass pass;
        pass.allocator.reserveAt = 3;
        QVERIFY(pass.optimizer.OptimizeRAM(10));
        QCOMPARE(pass.allocator.allocations, 4);
        QCOMPARE(pass.allocator.live, 0);
        QVERIFY(!pass.optimizer.Optimizing());
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
