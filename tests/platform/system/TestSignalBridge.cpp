#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <csignal>

#include "platform/system/SignalBridge.h"

using kelvo::system::SignalBridge;

namespace {

volatile std::sig_atomic_t ownHandlerRuns = 0;

void OwnHandler(int) {
    ownHandlerRuns = ownHandlerRuns + 1;
}

qsizetype OpenDescriptors() {
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
}

} // namespace

// The bridge is driven with SIGUSR1 and SIGUSR2, which nothing else in the test process uses.
class TestSignalBridge : public QObject {
    Q_OBJECT

private slots:
    void signalsArriveThroughTheEventLoopAndKeepErrno() {
        SignalBridge bridge({SIGUSR1});
        QVERIFY(bridge.Active());
        QSignalSpy spy(&bridge, &SignalBridge::terminationRequested);
        // Far more signals than the socket holds: once it is full every write fails, and the interrupted
        // code must still see its own errno.
        for (int i = 0; i < 20000; ++i) {
            errno = EDOM;
            std::raise(SIGUSR1);
            QCOMPARE(errno, EDOM);
        }
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.first().first().toInt(), SIGUSR1);
    }

    void aSecondBridgeLeavesTheFirstAlone() {
        SignalBridge first({SIGUSR1});
        QSignalSpy spy(&first, &SignalBridge::terminationRequested);
        {
            SignalBridge second({SIGUSR1});
            QVERIFY(!second.Active());
            QSignalSpy secondSpy(&second, &SignalBridge::terminationRequested);
            std::raise(SIGUSR1);
            QTRY_COMPARE(spy.size(), 1);
            QCOMPARE(secondSpy.size(), 0);
        }
        // The second bridge's end closed nothing of the first and put no handler back.
        std::raise(SIGUSR1);
        QTRY_COMPARE(spy.size(), 2);
    }

    void theEndGivesBackTheHandlerAndTheDescriptors() {
        struct sigaction own {};
        own.sa_handler = OwnHandler;
        sigemptyset(&own.sa_mask);
        struct sigaction saved {};
        QCOMPARE(::sigaction(SIGUSR2, &own, &saved), 0);
        const qsizetype before = OpenDescriptors();
        for (int round = 0; round < 3; ++round) {
            {
                SignalBridge bridge({SIGUSR2});
                QVERIFY(bridge.Active()); // also after an earlier bridge ended
                QCOMPARE(OpenDescriptors(), before + 2);
                std::raise(SIGUSR2);
                QCOMPARE(int(ownHandlerRuns), round);
            }
            QCOMPARE(OpenDescriptors(), before);
            std::raise(SIGUSR2);
            QCOMPARE(int(ownHandlerRuns), round + 1);
        }
        ::sigaction(SIGUSR2, &saved, nullptr);
    }
};

QTEST_GUILESS_MAIN(TestSignalBridge)
#include "TestSignalBridge.moc"
