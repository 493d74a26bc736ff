#include <QTest>

#include "forms/LoadSettings.h"
#include "tests/fakes/Fakes.h"

using namespace kelvo;
using namespace kelvo::forms;

namespace {

// Records what LoadSettings does, in order.
class RecordingTarget final : public SettingsTarget {
public:
    QStringList calls;
    void SetCheckOptionRAMValue(std::int16_t i, bool v) override {
        calls << QString("CheckOptionRAM(%1)=%2").arg(i).arg(v);
    }
    void SetOptTimedValue(std::int16_t i, bool v) override {
        calls << QString("optTimed(%1)=%2").arg(i).arg(v);
    }
    void SetOptionRAMPercentValue(std::int16_t i, bool v) override {
        calls << QString("OptionRAMPercent(%1)=%2").arg(i).arg(v);
    }
    void SetOptionLevelValue(std::int16_t i, bool v) override {
        calls << QString("OptionLevel(%1)=%2").arg(i).arg(v);
    }
    void SetChkStartValue(bool v) override { calls << QString("chkStart=%1").arg(v); }
    void CheckOptionRAM_Click(std::int16_t i) override {
        calls << QString("CheckOptionRAM_Click(%1)").arg(i);
    }
    void OptionRAMPercent_Click(std::int16_t i) override {
        calls << QString("OptionRAMPercent_Click(%1)").arg(i);
    }
    void OptionLevel_Click(std::int16_t i) override { calls << QString("OptionLevel_Click(%1)").arg(i); }
    void SetIntervalSeconds(std::int32_t s) override { calls << QString("Interval=%1").arg(s); }
    void SetStartMinimized(bool v) override { calls << QString("StartMinimized=%1").arg(v); }
};

} // namespace

// The order in which the stored settings reach the main window's controls and handlers, which the
// handlers depend on, and that the file is read once for all keys.
class TestLoadSettings : public QObject {
    Q_OBJECT

private slots:
    void loadSettingsOrder_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("calls");
        const QStringList tail{"OptionLevel_Click(0)", "OptionLevel(0)=1", "StartMinimized=0", "chkStart=0"};
        QTest::newRow("empty") << QByteArray()
                               << (QStringList{"OptionRAMPercent_Click(0)", "OptionRAMPercent(0)=1"} + tail);
        QTest::newRow("timed 1800") << QByteArray("[General]\nTimed=True\nTime=1800\n")
                                    << (QStringList{"CheckOptionRAM(0)=1", "optTimed(2)=1", "Interval=1800",
                                                    "OptionRAMPercent_Click(0)", "OptionRAMPercent(0)=1"} +
                                        tail);
        QTest::newRow("timed 600") << QByteArray("[General]\nTimed=1\nTime=600\n")
                                   << (QStringList{"CheckOptionRAM(0)=1", "optTimed(0)=1", "Interval=300",
                                                   "OptionRAMPercent_Click(0)", "OptionRAMPercent(0)=1"} +
                                       tail);
        QTest::newRow("timed yes") << QByteArray("[General]\nTimed=yes\nTime=900\n")
                                   << (QStringList{"OptionRAMPercent_Click(0)", "OptionRAMPercent(0)=1"} +
                                       tail);
        QTest::newRow("free ram 5")
            << QByteArray("[General]\nCheckRam=True\nCheckRamProcent=5\nLevel=7\nMinimized=True\n")
            << QStringList{"CheckOptionRAM(1)=1",       "CheckOptionRAM_Click(1)",
                           "OptionRAMPercent_Click(5)", "OptionRAMPercent(5)=1",
                           "OptionLevel_Click(7)",      "OptionLevel(7)=1",
                           "StartMinimized=1",          "chkStart=1"};
        QTest::newRow("quoted and spaced")
            << QByteArray("[ general ]\r\n level = \"2\" \r\nMinimized='False'\r\n")
            << QStringList{"OptionRAMPercent_Click(0)", "OptionRAMPercent(0)=1", "OptionLevel_Click(2)",
                           "OptionLevel(2)=1",          "StartMinimized=0",      "chkStart=0"};
    }
    void loadSettingsOrder() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, calls);
        tests::MemoryProfileStorage storage;
        if (!file.isEmpty()) {
            storage.files["/k/Kelvo.ini"] = file;
        }
        settings::SettingsStore store("/k/Kelvo.ini", storage);
        RecordingTarget target;
        LoadSettings(store, target);
        QCOMPARE(target.calls, calls);
        QCOMPARE(storage.replaces, 0); // LoadSettings itself writes nothing
        QCOMPARE(storage.reads, 1);    // and reads the file once for all its keys
    }
};

QTEST_GUILESS_MAIN(TestLoadSettings)
#include "TestLoadSettings.moc"
