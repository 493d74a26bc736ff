#include "LoadSettings.h"

#include "SettingsConversions.h"

namespace kelvo::settings {

namespace {

// The file as it was read first, for every later read of the same load: a start-up reads the file once,
// however many keys it looks up. Nothing is written through it.
class ReadOnce final : public system::ProfileStorage {
public:
    explicit ReadOnce(system::ProfileStorage& storage)
        : storage_(storage) {}

    std::optional<QByteArray> Read(const QString& path) override {
        if (!read_) {
            read_ = storage_.Read(path);
        }
        return *read_;
    }
    bool Replace(const QString&, const QByteArray&) override { return false; }
    bool Exists(const QString& path) override { return storage_.Exists(path); }

private:
    system::ProfileStorage& storage_;
    std::optional<std::optional<QByteArray>> read_;
};

} // namespace

void LoadSettings(const SettingsStore& settings, SettingsTarget& target) {
    // The handlers below write keys through the real store while the load goes on, but never a key that is
    // read after them, so the first reading serves all.
    ReadOnce once(settings.Storage());
    const SettingsStore store(settings.Path(), once);
    const QString time = store.ReadIni(SettingsSection, QStringLiteral("Time"));
    const QString timed = store.ReadIni(SettingsSection, QStringLiteral("Timed"));

    // Timed mode: the interval text must be exactly "900" or "1800"; anything else means 5 minutes. Nothing
    // is written back, so a hand-edited "600" stays in the file until the user picks an interval.
    if (ToBoolean(timed)) {
        target.SetCheckOptionRAMValue(0, true);
        if (time == QLatin1String("900")) {
            target.SetOptTimedValue(1, true);
            target.SetIntervalSeconds(900);
        } else if (time == QLatin1String("1800")) {
            target.SetOptTimedValue(2, true);
            target.SetIntervalSeconds(1800);
        } else {
            target.SetOptTimedValue(0, true);
            target.SetIntervalSeconds(300);
        }
    }

    // Both values are read before either is applied: the check box handler writes "CheckRam" again.
    const bool checkRam = ToBoolean(store.ReadIni(SettingsSection, QStringLiteral("CheckRam")));
    const std::int16_t percent = ToInteger(store.ReadIni(SettingsSection, QStringLiteral("CheckRamProcent")));
    if (checkRam) {
        target.SetCheckOptionRAMValue(1, true);
        target.CheckOptionRAM_Click(1);
    }
    target.OptionRAMPercent_Click(percent);
    target.SetOptionRAMPercentValue(percent, true);

    const std::int16_t level = ToInteger(store.ReadIni(SettingsSection, QStringLiteral("Level")));
    target.OptionLevel_Click(level);
    target.SetOptionLevelValue(level, true);

    const bool minimized = ToBoolean(store.ReadIni(SettingsSection, QStringLiteral("Minimized")));
    target.SetStartMinimized(minimized);
    target.SetChkStartValue(minimized);
}

} // namespace kelvo::settings
