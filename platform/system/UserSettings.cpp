#include "UserSettings.h"

#include <QSettings>
#include <QStandardPaths>

namespace kelvo::system {

QtUserSettings::QtUserSettings(const QString& folder)
    : folder_(folder) {}

QString QtUserSettings::FilePath(const QString& application) const {
    const QString folder =
        folder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) : folder_;
    return folder + QLatin1Char('/') + application + QLatin1Char('/') + application + QStringLiteral(".conf");
}

QString QtUserSettings::GetSetting(const QString& application, const QString& section, const QString& key,
                                   const QString& defaultValue) {
    QSettings settings(FilePath(application), QSettings::IniFormat);
    return settings.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

bool QtUserSettings::SaveSetting(const QString& application, const QString& section, const QString& key,
                                 const QString& value) {
    QSettings settings(FilePath(application), QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace kelvo::system
