#include <QTest>

#include <fstream>

#include <unistd.h>

#include "optimizer/MappedBlockAllocator.h"
#include "optimizer/Optimizer.h"
#include "optimizer/QtPassServices.h"
#include "platform/system/CgroupMemory.h"
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
        SteadyPassClock clock;
        SchedulerValues scheduler;
        Optimizer optimizer(allocator, pump, clock, scheduler);

        const std::int64_t before = ResidentBytes();
        std::int64_t peak = 0;
        pump.onTurn = [&](int) { peak = std::max(peak, ResidentBytes()); };
        QVERIFY(optimizer.OptimizeRAM(50));
        const std::int64_t after = ResidentBytes();

        const std::int64_t rise = peak - before;
        QVERIFY2(rise >= 95'000'000 && rise <= 110'000'000, qPrintable(QString::number(rise)));
        QVERIFY2(std::llabs(after - before) <= 2 * 1024 * 1024, qPrintable(QString::number(after - before)));
    }
};

QTEST_GUILESS_MAIN(TestRealPass)
#include "TestRealPass.moc"
