#include "AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kelvo::system {

QString ExecutableFolder() {
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return QFileInfo(executable).absolutePath();
}

QString WithTrailingSeparator(const QString& folder) {
    QString result = folder;
    while (result.endsWith(QLatin1Char('/'))) {
        result.chop(1);
    }
    return result + QLatin1Char('/');
}

} // namespace kelvo::system
