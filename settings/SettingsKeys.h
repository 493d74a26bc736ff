#pragma once

#include <array>
#include <cstdint>

#include <QString>

// The settings the program stores: every key of Kelvo.ini, once. The per-user store keeps "Level" under
// the same key and section.
namespace kelvo::settings {

// The one section of Kelvo.ini, and of the per-user store.
inline const QString Section = QStringLiteral("General");
// The application name the per-user store files "Level" under.
inline const QString UserSettingsApp = QStringLiteral("Kelvo");

// A setting: its key, and for a choice among the window's three options the values written for them in
// the options' order (the first is also what anything else reads as). A yes/no setting has no values: it
// is written "True" or "False", and a missing entry reads as no.
struct SettingKey {
    const char* key;
    std::array<std::int32_t, 3> values{};

    QString Key() const { return QString::fromLatin1(key); }
};

inline constexpr SettingKey Timed{"Timed"};
// The timed interval in seconds.
inline constexpr SettingKey Time{"Time", {300, 900, 1800}};
inline constexpr SettingKey CheckRam{"CheckRam"};
// The free-memory threshold, as the index of its option (10, 20 or 30 %).
inline constexpr SettingKey CheckRamProcent{"CheckRamProcent", {0, 1, 2}};
// The level of a pass, as the index of its option (Light, Moderate, Heavy).
inline constexpr SettingKey Level{"Level", {0, 1, 2}};
inline constexpr SettingKey Minimized{"Minimized"};

} // namespace kelvo::settings
