#include "Environment.h"

#include <QFile>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

namespace kelvo::system {

QString UserName() {
    // The password database is the authority; USER may be unset (services) or stale (su).
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name != nullptr) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return QString::fromLocal8Bit(qgetenv("USER"));
}

QString ComputerName() {
    return QSysInfo::machineHostName();
}

bool RaiseOomScoreAdj(int score, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray text = QByteArray::number(score) + '\n';
    return file.write(text) == text.size() && file.flush();
}

} // namespace kelvo::system
