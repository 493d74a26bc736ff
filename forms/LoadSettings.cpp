#include "LoadSettings.h"

#include "settings/SettingsConversions.h"
#include "settings/SettingsKeys.h"

namespace kelvo::forms {

using settings::SettingsStore;
using settings::ToBoolean;
using settings::ToInteger;

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
    const auto read = [&store](const settings::SettingKey& setting) {
        return store.ReadIni(settings::Section, setting.Key());
    };
    const QString time = read(settings::Time);
    const QString timed = read(settings::Timed);

    // Timed mode: the interval text must be exactly one the program writes ("900", say); anything else means
    // the first, 5 minutes. Nothing is written back, so a hand-edited "600" stays in the file until the user
    // picks an interval.
    if (ToBoolean(timed)) {
        target.SetCheckOptionRAMValue(0, true);
        std::size_t option = 0;
        for (std::size_t k = 1; k < settings::Time.values.size(); ++k) {
            if (time == QString::number(settings::Time.values[k])) {
                option = k;
            }
        }
        target.SetOptTimedValue(static_cast<std::int16_t>(option), true);
        target.SetIntervalSeconds(settings::Time.values[option]);
    }

    // Both values are read before either is applied: the check box handler writes "CheckRam" again.
    const bool checkRam = ToBoolean(read(settings::CheckRam));
    const std::int16_t percent = ToInteger(read(settings::CheckRamProcent));
    if (checkRam) {
        target.SetCheckOptionRAMValue(1, true);
        target.CheckOptionRAM_Click(1);
    }
    target.OptionRAMPercent_Click(percent);
    target.SetOptionRAMPercentValue(percent, true);

    const std::int16_t level = ToInteger(read(settings::Level));
    target.OptionLevel_Click(level);
    target.SetOptionLevelValue(level, true);

    const bool minimized = ToBoolean(read(settings::Minimized));
    target.SetStartMinimized(minimized);
    target.SetChkStartValue(minimized);
}

} // namespace kelvo::forms
