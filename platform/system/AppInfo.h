#pragma once

#include <QString>

namespace kelvo::system {

// What the program knows about itself.
struct AppInfo {
    QString title = QStringLiteral("Kelvo");
    int major = KELVO_VERSION_MAJOR;
    int minor = KELVO_VERSION_MINOR;
    int revision = KELVO_VERSION_REVISION;
};

// The real folder of the running executable (symbolic links resolved); needs a QCoreApplication.
QString ExecutableFolder();

// The folder text with exactly one trailing "/": "/opt/kelvo" and "/opt/kelvo/" give "/opt/kelvo/", and the
// root of the file system stays "/".
QString WithTrailingSeparator(const QString& folder);

} // namespace kelvo::system
