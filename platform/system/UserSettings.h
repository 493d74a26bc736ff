#pragma once

#include <QString>

namespace kelvo::system {

// The per-user settings area: values by application, section and key.
class UserSettings {
public:
    virtual ~UserSettings() = default;
    virtual QString GetSetting(const QString& application, const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    // Returns false when the value could not be stored.
    virtual bool SaveSetting(const QString& application, const QString& section, const QString& key,
                             const QString& value) = 0;
};

// Kept with QSettings in the XDG config folder (~/.config/<application>/<application>.conf), or in the given
// folder for tests.
class QtUserSettings final : public UserSettings {
public:
    QtUserSettings() = default;
    explicit QtUserSettings(const QString& folder);

    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) override;
    bool SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override;

private:
    QString FilePath(const QString& application) const;

    QString folder_;
};

} // namespace kelvo::system
