#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace kelvo::system {

SingleInstance::SingleInstance(const QString& name, const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    path_ = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock is stale only when its process is gone; a running instance never loses its lock because it
    // has been running for long.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryAcquire() {
    if (lock_->isLocked()) {
        return true;
    }
    // tryLock takes over a lock whose process is gone (QLockFile compares the recorded process id and
    // program name with the running processes), and fails while a live instance holds it.
    return lock_->tryLock(0);
}

void SingleInstance::Release() {
    lock_->unlock();
}

QString SingleInstance::LockPath() const {
    return path_;
}

} // namespace kelvo::system
