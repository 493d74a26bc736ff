// Measures the optimization pass on this machine, driving the main window's real progress bar (on the
// offscreen platform unless another is set): its commit rate next to a bare fill loop into the same kind
// of memory, small pages next to huge pages, the release time per GB, the longest gap between two
// event-loop turns through a whole pass, and the cost of one Value write of the bar at its size in the
// main window. Prints figures; asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QTimer>

#include <sys/mman.h>

#include "controls/progressbar/sknProgressBar.h"
#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/Optimizer.h"
#include "platform/system/CgroupMemory.h"
#include "platform/system/Clock.h"
#include "platform/system/EventPump.h"
#include "platform/system/MemoryPressure.h"
#include "tests/support/MainWindowBar.h"

using namespace kelvo;
using namespace kelvo::optimizer;
using Clock = std::chrono::steady_clock;

namespace {

// Rounds of each kind of run. A huge-page pass of 1 GB takes a tenth of a second and its cost per block is
// mostly the cache misses of what runs between the fills, which other tenants of a shared host vary from
// run to run: more rounds give the best of them a fair chance to be a quiet one.
constexpr int SmallPageRounds = 6;
constexpr int HugePageRounds = 15;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The real event loop, timing every turn.
class TimingPump final : public system::EventPump {
public:
    Clock::time_point last = Clock::now();
    Clock::duration longestGap{};
    Clock::time_point lastAllocationTurn;
    void DoEvents() override {
        const auto now = Clock::now();
        longestGap = std::max(longestGap, now - last);
        QCoreApplication::processEvents();
        last = Clock::now();
        lastAllocationTurn = last;
    }
};

struct PassFigures {
    double commitGBps = 0;
    // The Value writes that changed the bar's value (each paints) and the others, microseconds apiece.
    double newValueWriteUs = 0;
    double sameValueWriteUs = 0;
    double releaseMsPerGB = 0;
    double longestGapMs = 0;
};

PassFigures RunPass(int blocks, bool hugePages, ProgressSink* bar) {
    system::ProcMemorySource memory;
    system::CgroupMemory cgroup;
    // The program's checks before each block: the reserves, the groups' swap room and the stall watch.
    system::MemoryPressure pressure;
    system::SystemClock passClock;
    StallWatch stall(pressure, passClock);
    MappedBlockAllocator allocator(memory, &cgroup, hugePages, &stall);
    TimingPump pump;
    Optimizer optimizer(allocator, pump, passClock);
    // Watch the release through the event loop: the turn before the flag drops marks its end.
    Clock::time_point commitEnd;
    std::size_t committed = 0;
    pump.last = Clock::now();
    const auto start = Clock::now();
    struct Watch final : ProgressSink {
        Optimizer* optimizer = nullptr;
        Clock::time_point* commitEnd = nullptr;
        std::size_t* committed = nullptr;
        ProgressSink* bar = nullptr;
        void SetMax(std::int32_t max) override {
            if (bar != nullptr) {
                bar->SetMax(max);
            }
        }
        std::int32_t last = -1;
        Clock::duration spent[2]{};
        int writes[2] = {0, 0};
        void SetValue(std::int32_t value) override {
            const auto before = Clock::now();
            if (bar != nullptr) {
                bar->SetValue(value);
            }
            const int same = value == last ? 1 : 0;
            spent[same] += Clock::now() - before;
            ++writes[same];
            last = value;
            const std::size_t now = optimizer->CommittedBlocks();
            if (now >= *committed) {
                *committed = now;
                *commitEnd = Clock::now();
            }
        }
    } watch;
    watch.optimizer = &optimizer;
    watch.commitEnd = &commitEnd;
    watch.committed = &committed;
    watch.bar = bar;
    optimizer.SetProgress(&watch);
    const bool ok = optimizer.OptimizeRAM(static_cast<std::int16_t>(blocks));
    const auto end = Clock::now();
    if (!ok || committed != static_cast<std::size_t>(blocks)) {
        std::printf("  pass ended early after %zu blocks (reserve reached)\n", committed);
    }
    const double gb = committed * BlockBytes / 1e9;
    PassFigures figures;
    figures.commitGBps = gb / Seconds(commitEnd - start);
    figures.releaseMsPerGB = Seconds(end - commitEnd) * 1000.0 / gb;
    figures.longestGapMs = Seconds(pump.longestGap) * 1000.0;
    const auto perWrite = [&watch](int same) {
        return watch.writes[same] == 0 ? 0.0 : Seconds(watch.spent[same]) * 1e6 / watch.writes[same];
    };
    figures.newValueWriteUs = perWrite(0);
    figures.sameValueWriteUs = perWrite(1);
    return figures;
}

double BareFill(int blocks, bool hugePages) {
    std::vector<void*> mapped;
    std::vector<std::size_t> sizes;
    mapped.reserve(static_cast<std::size_t>(blocks));
    const auto start = Clock::now();
    for (int i = 0; i < blocks; ++i) {
        // The same kind of memory as the pass's blocks: 2 MiB-aligned ranges for huge pages.
        const std::size_t size = hugePages ? std::size_t{4} * 1024 * 1024 : BlockBytes;
        void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (data == MAP_FAILED) {
            break;
        }
        void* fill = data;
        if (hugePages) {
            const auto base = reinterpret_cast<std::uintptr_t>(data);
            const auto at = (base + (2u << 20) - 1) & ~std::uintptr_t((2u << 20) - 1);
            fill = static_cast<char*>(data) + (at - base);
            ::madvise(fill, 2u << 20, MADV_HUGEPAGE);
        }
        FillWithSpaces(fill, BlockBytes);
        mapped.push_back(data);
        sizes.push_back(size);
    }
    const auto end = Clock::now();
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        ::munmap(mapped[i], sizes[i]);
    }
    return mapped.size() * BlockBytes / 1e9 / Seconds(end - start);
}

// The main window's bar as the pass sees it.
class BarSink final : public ProgressSink {
public:
    explicit BarSink(controls::sknProgressBar& bar)
        : bar_(bar) {}
    void SetMax(std::int32_t max) override { bar_.SetMax(max); }
    void SetValue(std::int32_t value) override { bar_.SetValue(value); }

private:
    controls::sknProgressBar& bar_;
};

// The bar of the main window's form file, shown at its size there.
void ShowMainWindowBar(controls::sknProgressBar& bar) {
    if (!tests::LoadMainWindowBar(bar)) {
        std::fputs("the main window's form file could not be read\n", stderr);
    }
    bar.show();
    QCoreApplication::processEvents();
}

// One Value write: the paint into the back buffer, the copy to the surface, and the window's copy of the
// surface to the screen.
double ValueWriteMicroseconds(controls::sknProgressBar& bar) {
    constexpr int writes = 2000;
    const auto start = Clock::now();
    for (int i = 0; i < writes; ++i) {
        bar.SetValue(i % 101);
        bar.repaint();
    }
    return Seconds(Clock::now() - start) / writes * 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    host::HostContext host;
    controls::sknProgressBar bar(host);
    ShowMainWindowBar(bar);
    BarSink barSink(bar);
    std::printf("one Value write at 357 x 24 (paint, copy to the surface, copy to the screen): %.1f us\n",
                ValueWriteMicroseconds(bar));
    // Keep a timer busy so the event loop has real work between blocks, as in the program.
    QTimer timer;
    timer.start(100);

    system::ProcMemorySource memory;
    const auto status = memory.Read();
    if (!status) {
        std::puts("memory figures unreadable");
        return 1;
    }
    // Up to 1 GB, and never closer than 2 GB above the reserve.
    const std::uint64_t spare = status->availableBytes > ReserveBytes(status->totalBytes) + (2ull << 30)
                                    ? status->availableBytes - ReserveBytes(status->totalBytes) - (2ull << 30)
                                    : 0;
    const int blocks = static_cast<int>(std::min<std::uint64_t>(500, spare / BlockBytes));
    if (blocks < 50) {
        std::puts("not enough spare memory to measure");
        return 0;
    }
    // The check made before every block: the machine's figures and the room of every limited memory group.
    {
        system::CgroupMemory cgroup;
        cgroup.Refresh(status->totalBytes);
        constexpr int reads = 2000;
        const auto start = Clock::now();
        std::uint64_t sink = 0;
        for (int i = 0; i < reads; ++i) {
            const system::MemoryStatus now = memory.Read().value_or(system::MemoryStatus{});
            sink += now.availableBytes;
            for (const system::CgroupMemory::Room& room : cgroup.Rooms(UsableSwap(now))) {
                sink += room.bytes;
            }
        }
        const double perCheck = Seconds(Clock::now() - start) / reads * 1e6;
        std::printf("per-block check: %.1f us (%zu limited memory groups)%s\n", perCheck,
                    cgroup.LimitedGroups(), sink == 0 ? " (no figures)" : "");
    }
    std::printf("pass of %d blocks (%.2f GB) without and with the real bar, best of %d rounds with small "
                "pages and %d with huge pages, side by side\n",
                blocks, blocks * BlockBytes / 1e9, SmallPageRounds, HugePageRounds);
    for (bool huge : {false, true}) {
        double bestBare = 0;
        PassFigures best[2];
        double worstGap[2] = {0, 0};
        for (int round = 0; round < (huge ? HugePageRounds : SmallPageRounds); ++round) {
            // The bare fill, the pass without a bar and the pass with the real one take turns at going
            // first: whichever runs after the others finds the memory more fragmented.
            for (int step = 0; step < 3; ++step) {
                const int run = (step + round) % 3;
                if (run == 2) {
                    bestBare = std::max(bestBare, BareFill(blocks, huge));
                    continue;
                }
                const int withBar = run;
                const PassFigures pass = RunPass(blocks, huge, withBar != 0 ? &barSink : nullptr);
                PassFigures& b = best[withBar];
                if (pass.commitGBps > b.commitGBps) {
                    b.newValueWriteUs = pass.newValueWriteUs;
                    b.sameValueWriteUs = pass.sameValueWriteUs;
                }
                b.commitGBps = std::max(b.commitGBps, pass.commitGBps);
                b.releaseMsPerGB = b.releaseMsPerGB == 0 ? pass.releaseMsPerGB
                                                         : std::min(b.releaseMsPerGB, pass.releaseMsPerGB);
                worstGap[withBar] = std::max(worstGap[withBar], pass.longestGapMs);
            }
        }
        for (int withBar = 0; withBar < 2; ++withBar) {
            std::printf("%-12s %-8s bare fill %.2f GB/s | pass commit %.2f GB/s (ratio %.2f) | release %.1f "
                        "ms/GB | longest event-loop gap %.2f ms (release included)\n",
                        huge ? "huge pages" : "4 KiB pages", withBar != 0 ? "real bar" : "no bar", bestBare,
                        best[withBar].commitGBps, best[withBar].commitGBps / bestBare,
                        best[withBar].releaseMsPerGB, worstGap[withBar]);
            if (withBar != 0) {
                std::printf(
                    "%-12s %-8s Value writes in that pass: a new value %.1f us, the same value %.1f us\n", "",
                    "", best[withBar].newValueWriteUs, best[withBar].sameValueWriteUs);
            }
        }
    }
    return 0;
}
