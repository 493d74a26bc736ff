#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace kelvo::settings {

bool IsFile(const QString& path) {
    return QFileInfo(path).isFile();
}

QString InstalledReadmePath(const QString& appFolder) {
    return QDir::cleanPath(appFolder + QStringLiteral(KELVO_INSTALLED_README));
}

bool RunsInstalled(const QString& appFolder, const FileExists& exists) {
    return exists(InstalledReadmePath(appFolder));
}

QString ReadmePath(const QString& appFolder, const FileExists& exists) {
    QString beside = appFolder + QStringLiteral("readme.txt");
    if (exists(beside)) {
        return beside;
    }
    const QString installed = InstalledReadmePath(appFolder);
    return exists(installed) ? installed : beside;
}

} // namespace kelvo::settings
