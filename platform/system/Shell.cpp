#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace kelvo::system {

QUrl TargetUrl(const QString& target) {
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty()) {
        return {};
    }
    if (trimmed.startsWith(QLatin1Char('/'))) {
        return QUrl::fromLocalFile(trimmed);
    }
    QUrl url(trimmed, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty()) {
        return url;
    }
    const QUrl web(QStringLiteral("https://") + trimmed, QUrl::StrictMode);
    return web.isValid() && !web.host().isEmpty() ? web : QUrl();
}

bool DesktopShell::Open(const QString& target) {
    const QUrl url = TargetUrl(target);
    if (!url.isValid()) {
        return false;
    }
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        return false; // a missing readme opens nothing, rather than an error dialog of some viewer
    }
    return QDesktopServices::openUrl(url);
}

} // namespace kelvo::system
