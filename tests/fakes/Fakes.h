#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "optimizer/BlockAllocator.h"
#include "optimizer/PassInterfaces.h"
#include "platform/host/MessageBoxService.h"
#include "platform/system/Clock.h"
#include "platform/system/EventPump.h"
#include "platform/system/MemoryStatus.h"
#include "platform/system/Profile.h"
#include "platform/system/Shell.h"
#include "platform/system/UserSettings.h"

#include <QMap>
#include <QStringList>

// Stand-ins for the outside world, shared by the tests.
namespace kelvo::tests {

class FakeMemorySource final : public system::MemorySource {
public:
    std::optional<system::MemoryStatus> status = system::MemoryStatus{8ull << 30, 4ull << 30, 0, 0};
    int reads = 0;
    std::optional<system::MemoryStatus> Read() override {
        ++reads;
        return status;
    }
    void SetMB(std::uint64_t totalMB, std::uint64_t freeMB) {
        status = system::MemoryStatus{totalMB << 20, freeMB << 20, 0, 0};
    }
};

class FakeClock final : public system::Clock {
public:
    double secondsSinceMidnight = 36000.0; // 10:00:00
    qint64 monotonicMs = 1'000'000;
    double SecondsSinceMidnight() override { return secondsSinceMidnight; }
    qint64 MonotonicMilliseconds() override { return monotonicMs; }
    std::int64_t MonotonicNanoseconds() override { return monotonicMs * 1'000'000; }
    void Advance(double seconds) {
        secondsSinceMidnight += seconds;
        if (secondsSinceMidnight >= 86400.0) {
            secondsSinceMidnight -= 86400.0;
        }
        monotonicMs += static_cast<qint64>(seconds * 1000.0);
    }
};

// Counts live blocks; can fail the n-th allocation, or refuse it for the reserve.
class FakeAllocator final : public optimizer::BlockAllocator {
public:
    class FakeBlock final : public optimizer::Block {
    public:
        explicit FakeBlock(int& live)
            : live_(live) {
            ++live_;
        }
        ~FakeBlock() override { --live_; }

    private:
        int& live_;
    };

    int live = 0;
    int allocations = 0;
    int passes = 0;
    int refuseAt = -1;                           // index of the allocation that fails, -1 never
    int reserveAt = -1;                          // index of the allocation the reserve refuses, -1 never
    std::optional<std::int32_t> allowed = 30000; // blocks the reserve allows when a pass begins
    std::optional<std::int32_t> BeginPass() override {
        ++passes;
        return allowed;
    }
    optimizer::Allocation Allocate() override {
        const int index = allocations++;
        if (index == refuseAt) {
            return {};
        }
        if (index == reserveAt) {
            return {nullptr, true};
        }
        return {std::make_unique<FakeBlock>(live), false};
    }
};

class RecordingProgress final : public optimizer::ProgressSink {
public:
    std::vector<std::pair<char, std::int32_t>> calls; // ('M', max) or ('V', value)
    void SetMax(std::int32_t max) override { calls.emplace_back('M', max); }
    void SetValue(std::int32_t value) override { calls.emplace_back('V', value); }
};

// Runs a callback at chosen turns of the event loop.
class FakePump final : public system::EventPump {
public:
    int turns = 0;
    std::function<void(int)> onTurn;
    void DoEvents() override {
        ++turns;
        if (onTurn) {
            onTurn(turns);
        }
    }
};

// Every reading moves time on by step nanoseconds.
class SteppingPassClock final : public system::Clock {
public:
    std::int64_t now = 0;
    std::int64_t step = 1'000'000;
    double SecondsSinceMidnight() override { return 0.0; }
    qint64 MonotonicMilliseconds() override { return MonotonicNanoseconds() / 1'000'000; }
    std::int64_t MonotonicNanoseconds() override { return now += step; }
};

class FakeShell final : public system::Shell {
public:
    QStringList opened;
    bool Open(const QString& target) override {
        opened << target;
        return true;
    }
};

class FakeUserSettings final : public system::UserSettings {
public:
    QMap<QString, QString> values;
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) override {
        return values.value(application + '/' + section + '/' + key, defaultValue);
    }
    bool SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override {
        values[application + '/' + section + '/' + key] = value;
        return true;
    }
};

// Settings files kept in memory; a write can be made to fail as on a full disk.
class RecordingMessages final : public host::MessageBoxService {
public:
    QStringList texts;
    QStringList titles;
    void ShowCritical(const QString& text, const QString& title) override {
        texts << text;
        titles << title;
    }
};

class MemoryProfileStorage final : public system::ProfileStorage {
public:
    QMap<QString, QByteArray> files;
    bool failWrites = false;
    int replaces = 0;
    int reads = 0;
    std::optional<QByteArray> Read(const QString& path) override {
        ++reads;
        if (!files.contains(path)) {
            return std::nullopt;
        }
        return files.value(path);
    }
    bool Replace(const QString& path, const QByteArray& content) override {
        ++replaces;
        if (failWrites) {
            return false;
        }
        files[path] = content;
        return true;
    }
    QString Problem() const override {
        return failWrites ? QStringLiteral("No space left on device") : QString();
    }
};

} // namespace kelvo::tests
