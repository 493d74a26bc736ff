#include <QTest>

#include "optimizer/Scheduler.h"
#include "tests/fakes/Fakes.h"

using namespace kelvo;
using namespace kelvo::optimizer;

namespace {

class FakeView final : public ScheduleView {
public:
    bool freeRam = false;
    QStringList captions;
    std::function<void()> onCaption;
    bool FreeRamModeChecked() const override { return freeRam; }
    void SetNextOptimizeCaption(const QString& caption) override {
        captions << caption;
        if (onCaption) {
            onCaption();
        }
    }
};

struct Rig {
    tests::FakeAllocator allocator;
    tests::FakePump pump;
    tests::SteppingPassClock passClock;
    SchedulerValues values;
    Optimizer optimizer{allocator, pump, passClock};
    tests::FakeMemorySource memory;
    tests::FakeClock clock;
    system::StartMark start = system::MarkNow(clock);
    FakeView view;
    Scheduler scheduler{values, optimizer, memory, clock, start};
    std::vector<int> passes; // block counts of the passes run
    Rig() {
        optimizer.LevelPercent = 10;
        scheduler.SetView(&view);
        memory.SetMB(1000, 500);
    }
    int Passes() const { return allocator.allocations; }
};

// Records what it hears of scheduled passes, as "available before -> available after" in MB.
class FakeObserver final : public PassObserver {
public:
    QStringList passes;
    void ScheduledPassDone(const system::MemoryStatus& before, const system::MemoryStatus& after) override {
        passes << QStringLiteral("%1 -> %2").arg(before.availableBytes >> 20).arg(after.availableBytes >> 20);
    }
};

QString Minutes(const QString& n) {
    return "Next RAM Optimization: \r\n" + n + " minutes";
}

} // namespace

class TestScheduler : public QObject {
    Q_OBJECT

private slots:
    void everyEleventhEventTicks() {
        Rig rig;
        for (int event = 1; event <= 22; ++event) {
            const int readsBefore = rig.memory.reads;
            rig.scheduler.OnGlobalTimer();
            const bool ticked = rig.memory.reads > readsBefore;
            QCOMPARE(ticked, event == 11 || event == 22);
        }
    }

    void tickRefreshesFigures() {
        Rig rig;
        rig.memory.SetMB(1024, 300);
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.optimizer.Figures.TotalMB, 1024);
        QCOMPARE(rig.optimizer.Figures.FreeMB, 300);
        QCOMPARE(rig.optimizer.Figures.UsedMB, 724);
        QCOMPARE(rig.Passes(), 0); // both modes off: only the figures
        QVERIFY(rig.view.captions.isEmpty());
    }

    void freeRamThreshold_data() {
        QTest::addColumn<int>("freeMB");
        QTest::addColumn<bool>("passes");
        QTest::newRow("199 of 1000") << 199 << true;
        QTest::newRow("200 of 1000") << 200 << false;
    }
    void freeRamThreshold() {
        QFETCH(int, freeMB);
        QFETCH(bool, passes);
        Rig rig;
        rig.view.freeRam = true;
        rig.values.FreeThreshold = 0.2f;
        rig.memory.SetMB(1000, static_cast<std::uint64_t>(freeMB));
        rig.scheduler.CheckSchedule();
        rig.scheduler.CheckSchedule();
        // 10 % of the used memory plus the free memory; the next tick waits for the back-off.
        const int blocks = BlockCount(1000 - freeMB, freeMB, 10);
        QCOMPARE(rig.Passes(), passes ? blocks : 0);
    }

    // Free memory held low by other programs: passes back off (5, then 10 minutes...) instead of running at
    // every tick; a tick at or above the threshold, or choosing the mode again, re-arms at once.
    void freeRamBacksOff_data() {
        QTest::addColumn<QList<int>>("freeMBEachMinute"); // ticks every 10 s; the list is cycled per minute
        QTest::addColumn<QList<int>>("rearmAtSecond");    // explicit re-arms (mode chosen again)
        QTest::addColumn<QList<int>>("passSeconds");
        QList<int> low(21, 199);
        QTest::newRow("199 MB for 20 minutes") << low << QList<int>{} << QList<int>{0, 300, 900};
        QTest::newRow("200 MB") << QList<int>(21, 200) << QList<int>{} << QList<int>{};
        QList<int> recovers = low;
        recovers[2] = 250;
        QTest::newRow("250 MB for a minute re-arms")
            << recovers << QList<int>{} << QList<int>{0, 180, 480, 1080};
        QTest::newRow("chosen again") << low << QList<int>{400} << QList<int>{0, 300, 400, 700};
    }
    void freeRamBacksOff() {
        QFETCH(QList<int>, freeMBEachMinute);
        QFETCH(QList<int>, rearmAtSecond);
        QFETCH(QList<int>, passSeconds);
        Rig rig;
        rig.view.freeRam = true;
        rig.values.FreeThreshold = 0.2f;
        QList<int> seen;
        for (int second = 0; second <= 1200; second += 10) {
            if (rearmAtSecond.contains(second)) {
                rig.scheduler.RearmFreeRam();
            }
            rig.memory.SetMB(1000, static_cast<std::uint64_t>(freeMBEachMinute[second / 60]));
            const int before = rig.allocator.passes;
            rig.scheduler.CheckSchedule();
            if (rig.allocator.passes > before) {
                seen << second;
            }
            rig.clock.Advance(10.0);
        }
        QCOMPARE(seen, passSeconds);
    }

    void zeroTotalDropsTheTick() {
        Rig rig;
        rig.view.freeRam = true;
        rig.values.FreeThreshold = 0.3f;
        rig.values.IntervalSeconds = 300;
        rig.memory.SetMB(0, 0);
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.Passes(), 0);
        QVERIFY(rig.view.captions.isEmpty()); // the rest of the tick does not run
        rig.memory.status.reset();            // unreadable figures: the same
        rig.scheduler.CheckSchedule();
        QVERIFY(rig.view.captions.isEmpty());
    }

    void countdownTexts_data() {
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("text");
        QTest::newRow("899 s") << 899.0 << Minutes("15");
        QTest::newRow("300 s") << 300.0 << Minutes("5");
        QTest::newRow("100 s") << 100.0 << Minutes("2");
        QTest::newRow("70 s") << 70.0 << Minutes("1");
        QTest::newRow("60 s") << 60.0 << Minutes("1");
        QTest::newRow("59.9 s") << 59.9 << "Next RAM Optimization: \r\nless than 1 minute";
        QTest::newRow("30 s") << 30.0 << "Next RAM Optimization: \r\nless than 1 minute";
        QTest::newRow("negative") << -5.0 << "Next RAM Optimization: \r\nless than 1 minute";
    }
    void countdownTexts() {
        QFETCH(double, left);
        QFETCH(QString, text);
        QCOMPARE(Scheduler::CountdownText(left), text);
    }

    void timedModeRunsAtTheInterval() {
        Rig rig; // switched on at 10:00:00
        rig.values.IntervalSeconds = 300;
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.view.captions.last(), Minutes("5"));
        QCOMPARE(rig.Passes(), 0);
        // Ticks every 1.1 s: the first pass at the first tick at or after 10:05:00.
        int ticks = 0;
        while (rig.Passes() == 0) {
            rig.clock.Advance(1.1);
            rig.scheduler.CheckSchedule();
            ++ticks;
        }
        QCOMPARE(ticks, 273); // 273 * 1.1 = 300.3 s
        QCOMPARE(rig.start.StartTime, 36300);
        // The next interval counts from the start of that pass.
        const int first = rig.Passes();
        int more = 0;
        while (rig.Passes() == first) {
            rig.clock.Advance(1.1);
            rig.scheduler.CheckSchedule();
            ++more;
        }
        QCOMPARE(more, 273);
    }

    void timedModeAcrossMidnight() {
        Rig rig;
        rig.clock.secondsSinceMidnight = 86400.0 - 120.0; // 23:58
        rig.start = system::MarkNow(rig.clock);
        rig.values.IntervalSeconds = 300;
        rig.clock.Advance(299.0);
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.Passes(), 0);
        QCOMPARE(rig.view.captions.last(), "Next RAM Optimization: \r\nless than 1 minute");
        rig.clock.Advance(1.0);
        rig.scheduler.CheckSchedule();
        QVERIFY(rig.Passes() > 0); // due after five minutes, although the time of day went back to 00:03
        QCOMPARE(rig.start.StartTime, 180);
    }

    void bothModesInOrder() {
        Rig rig;
        rig.view.freeRam = true;
        rig.values.FreeThreshold = 0.3f;
        rig.values.IntervalSeconds = 300;
        rig.memory.SetMB(1000, 100);
        rig.clock.Advance(300.0);
        std::vector<int> passesAtCaption;
        rig.view.onCaption = [&] { passesAtCaption.push_back(rig.Passes()); };
        rig.scheduler.CheckSchedule();
        const int blocks = BlockCount(900, 100, 10);
        QCOMPARE(passesAtCaption, std::vector<int>{blocks}); // free-RAM pass first, then the text
        QCOMPARE(rig.Passes(), 2 * blocks);                  // then the timed pass
    }

    void triggerDuringAPassStartsNoSecond() {
        Rig rig;
        rig.view.freeRam = true;
        rig.values.FreeThreshold = 0.3f;
        rig.memory.SetMB(1000, 100);
        int nestedTicks = 0;
        rig.pump.onTurn = [&](int) {
            if (nestedTicks++ < 3) {
                rig.scheduler.CheckSchedule();
            }
        };
        rig.scheduler.CheckSchedule();
        QCOMPARE(rig.Passes(), BlockCount(900, 100, 10));
    }

    void anObserverHearsOfPassesThatRan_data() {
        QTest::addColumn<int>("refuseAt");
        QTest::addColumn<int>("reserveAt");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("whole pass") << -1 << -1 << QStringList{"100 -> 600"};
        QTest::newRow("ended by the reserve") << -1 << 3 << QStringList{"100 -> 600"};
        QTest::newRow("failed") << 3 << -1 << QStringList{};
    }
    void anObserverHearsOfPassesThatRan() {
        QFETCH(int, refuseAt);
        QFETCH(int, reserveAt);
        QFETCH(QStringList, heard);
        Rig rig;
        FakeObserver observer;
        rig.scheduler.SetObserver(&observer);
        rig.view.freeRam = true;
        rig.values.FreeThreshold = 0.3f;
        rig.allocator.refuseAt = refuseAt;
        rig.allocator.reserveAt = reserveAt;
        rig.memory.SetMB(1000, 100);
        // The figures after the pass are read once it has given its blocks back.
        rig.pump.onTurn = [&](int) { rig.memory.SetMB(1000, 600); };
        rig.scheduler.CheckSchedule();
        QCOMPARE(observer.passes, heard);
    }
};

QTEST_GUILESS_MAIN(TestScheduler)
#include "TestScheduler.moc"
