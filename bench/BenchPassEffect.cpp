// What a pass does to the machine, measured for each level: blocks asked and committed, MemAvailable,
// MemFree and the page cache before and after, the free swap before and after, the MB of an idle program
// that were paged out, the longest gap between event-loop turns, and the time the pass took. Run it by
// hand, never in CI: a pass commits everything down to the reserves.
//
//   --idle MB                    first writes MB of idle memory, standing for other programs in the group;
//                                what of it is no longer resident after a pass was paged out (swap, when
//                                the machine has some; with none, nothing of it can go)
//
//   BenchPassEffect              moves itself into a new memory group limited to 3072 MB (needs root and a
//                                writable memory cgroup), as a desktop scope would, then runs the passes
//   BenchPassEffect --limit MB   the same with another limit
//   BenchPassEffect --machine    no group of its own: the passes take the whole machine down to the reserve
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <sys/mman.h>
#include <unistd.h>

#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/MemoryFigures.h"
#include "optimizer/Optimizer.h"
#include "platform/system/CgroupMemory.h"
#include "platform/system/Clock.h"
#include "platform/system/EventPump.h"
#include "platform/system/MemoryPressure.h"

using namespace kelvo;
using namespace kelvo::optimizer;

namespace {

std::map<std::string, double> MeminfoMB() {
    std::ifstream file("/proc/meminfo");
    std::map<std::string, double> fields;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string name;
        double kb = 0;
        in >> name >> kb;
        if (!name.empty() && name.back() == ':') {
            fields[name.substr(0, name.size() - 1)] = kb / 1024.0;
        }
    }
    return fields;
}

bool WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush();
}

// A child memory group of the one the process runs in, with a limit; the process moves into it and back.
class LimitedGroup {
public:
    explicit LimitedGroup(quint64 limitBytes) {
        QFile self("/proc/self/cgroup");
        if (!self.open(QIODevice::ReadOnly)) {
            return;
        }
        const QByteArray pid = QByteArray::number(::getpid());
        for (const QByteArray& line : self.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() < 3) {
                continue;
            }
            const QString own = QString::fromUtf8(fields[2]);
            QString base;
            QString limitFile;
            if (fields[1].split(',').contains("memory")) {
                base = "/sys/fs/cgroup/memory" + own;
                limitFile = "memory.limit_in_bytes";
            } else if (fields[0] == "0" && QFile::exists("/sys/fs/cgroup" + own + "/memory.max")) {
                base = "/sys/fs/cgroup" + own;
                limitFile = "memory.max";
            } else {
                continue;
            }
            const QString child = base + QStringLiteral("/kelvo-bench-") + QString::number(::getpid());
            if (!QDir().mkdir(child)) {
                continue;
            }
            if (WriteText(child + '/' + limitFile, QByteArray::number(limitBytes)) &&
                WriteText(child + "/cgroup.procs", pid)) {
                parent_ = base;
                child_ = child;
                return;
            }
            QDir().rmdir(child);
        }
    }
    ~LimitedGroup() {
        if (!child_.isEmpty()) {
            WriteText(parent_ + "/cgroup.procs", QByteArray::number(::getpid()));
            QDir().rmdir(child_);
        }
    }
    LimitedGroup(const LimitedGroup&) = delete;
    LimitedGroup& operator=(const LimitedGroup&) = delete;
    bool Active() const { return !child_.isEmpty(); }

private:
    QString parent_;
    QString child_;
};

// Watches the pass through its event-loop turns, and the longest time between two of them.
class WatchingPump final : public system::EventPump {
public:
    Optimizer* optimizer = nullptr;
    std::size_t committed = 0;
    double longestGapMs = 0;
    void DoEvents() override {
        const auto now = std::chrono::steady_clock::now();
        if (last_) {
            longestGapMs =
                std::max(longestGapMs, std::chrono::duration<double, std::milli>(now - *last_).count());
        }
        committed = std::max(committed, optimizer->CommittedBlocks());
        QCoreApplication::processEvents();
        last_ = std::chrono::steady_clock::now();
    }

private:
    std::optional<std::chrono::steady_clock::time_point> last_;
};

// Idle memory written once, as a program the user left open holds it.
class IdleMemory {
public:
    explicit IdleMemory(std::size_t bytes)
        : bytes_(bytes) {
        data_ = bytes_ > 0
                    ? ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                    : MAP_FAILED;
        if (data_ != MAP_FAILED) {
            auto* bytes = static_cast<unsigned char*>(data_);
            for (std::size_t i = 0; i < bytes_; i += 4096) {
                bytes[i] = static_cast<unsigned char>(i >> 12 | 1); // not the shared zero page
            }
        }
    }
    ~IdleMemory() {
        if (data_ != MAP_FAILED) {
            ::munmap(data_, bytes_);
        }
    }
    IdleMemory(const IdleMemory&) = delete;
    IdleMemory& operator=(const IdleMemory&) = delete;
    // MB of it in memory now.
    double ResidentMB() const {
        if (data_ == MAP_FAILED) {
            return 0;
        }
        std::vector<unsigned char> pages((bytes_ + 4095) / 4096);
        if (::mincore(data_, bytes_, pages.data()) != 0) {
            return 0;
        }
        return static_cast<double>(
                   std::count_if(pages.begin(), pages.end(), [](unsigned char p) { return p & 1; })) *
               4096 / 1048576.0;
    }

private:
    std::size_t bytes_;
    void* data_ = MAP_FAILED;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTimer timer; // the program's timers keep the event loop busy between blocks
    timer.start(100);
    bool wholeMachine = false;
    quint64 limitMB = 3072;
    std::size_t idleMB = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--machine") == 0) {
            wholeMachine = true;
        } else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc) {
            limitMB = std::stoull(argv[++i]);
        } else if (std::strcmp(argv[i], "--idle") == 0 && i + 1 < argc) {
            idleMB = std::stoull(argv[++i]);
        }
    }
    // Started outside the group and moved in afterwards, as desktops and systemd-run place programs in
    // scopes: each pass must look up the group afresh.
    system::ProcMemorySource memory;
    system::CgroupMemory cgroup;
    system::MemoryPressure pressure;
    system::SystemClock stallClock;
    StallWatch stall(pressure, stallClock);
    MappedBlockAllocator allocator(memory, &cgroup, true, &stall);
    std::unique_ptr<LimitedGroup> group;
    if (!wholeMachine) {
        group = std::make_unique<LimitedGroup>(limitMB << 20);
        if (!group->Active()) {
            std::puts("could not create a limited memory group (needs root and a memory cgroup); "
                      "run under `systemd-run --scope -p MemoryMax=3G` or with --machine");
            return 1;
        }
        std::printf("in a memory group limited to %llu MB\n", static_cast<unsigned long long>(limitMB));
    } else {
        std::puts("whole machine, down to the reserve");
    }

    const IdleMemory idle(idleMB << 20);
    std::printf("swap: %.0f MB, %.0f MB free; idle memory %zu MB\n", MeminfoMB().at("SwapTotal"),
                MeminfoMB().at("SwapFree"), idleMB);
    std::puts(
        "level     | asked | committed | MemAvailable MB    | MemFree MB         | page cache MB      | "
        "free swap MB       | idle paged out MB | longest gap ms | time s");
    const std::pair<const char*, std::int16_t> levels[] = {{"Light", 10}, {"Moderate", 15}, {"Heavy", 20}};
    for (const auto& [name, percent] : levels) {
        const auto figures = GetMemoryMB(memory);
        if (!figures) {
            std::puts("memory figures unreadable");
            return 1;
        }
        const std::int32_t used = (*figures)[0] - (*figures)[1];
        const std::int32_t asked = BlockCount(used, (*figures)[1], percent);
        WatchingPump pump;
        system::SystemClock clock;
        Optimizer optimizer(allocator, pump, clock);
        pump.optimizer = &optimizer;
        const auto before = MeminfoMB();
        const double idleBefore = idle.ResidentMB();
        const auto start = std::chrono::steady_clock::now();
        const bool ok = optimizer.OptimizeRAM(static_cast<std::int16_t>(std::min(asked, 32767)));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        QCoreApplication::processEvents();
        const auto after = MeminfoMB();
        std::printf("%-9s | %5d | %9zu | %7.0f -> %7.0f | %7.0f -> %7.0f | %7.0f -> %7.0f | %7.0f -> %7.0f | "
                    "%17.0f | %14.0f | %6.2f%s\n",
                    name, asked, pump.committed, before.at("MemAvailable"), after.at("MemAvailable"),
                    before.at("MemFree"), after.at("MemFree"), before.at("Cached"), after.at("Cached"),
                    before.at("SwapFree"), after.at("SwapFree"), idleBefore - idle.ResidentMB(),
                    pump.longestGapMs, seconds, ok ? "" : " (failed)");
    }
    return 0;
}
