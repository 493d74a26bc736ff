#pragma once

#include <cstdint>

#include "settings/SettingsStore.h"

namespace kelvo::forms {

// What the stored settings are applied to: the main window's option and check controls (writing a Value
// from code runs no click handler), its click handlers, and the scheduler's and shell's values. Setters
// of an element that does not exist do nothing.
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;

    virtual void SetCheckOptionRAMValue(std::int16_t index, bool value) = 0;
    virtual void SetOptTimedValue(std::int16_t index, bool value) = 0;
    virtual void SetOptionRAMPercentValue(std::int16_t index, bool value) = 0;
    virtual void SetOptionLevelValue(std::int16_t index, bool value) = 0;
    virtual void SetChkStartValue(bool value) = 0;

    virtual void CheckOptionRAM_Click(std::int16_t index) = 0;
    virtual void OptionRAMPercent_Click(std::int16_t index) = 0;
    virtual void OptionLevel_Click(std::int16_t index) = 0;

    virtual void SetIntervalSeconds(std::int32_t seconds) = 0;
    virtual void SetStartMinimized(bool value) = 0;
};

// Reads the settings file, once, at start-up and applies it to the target, in the order the handlers expect.
void LoadSettings(const settings::SettingsStore& store, SettingsTarget& target);

} // namespace kelvo::forms
