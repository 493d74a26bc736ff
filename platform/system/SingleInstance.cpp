#include "SingleInstance.h"

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo::system {

namespace {

// A starting instance creates its lock file and writes its process id into it a moment later; a lock file
// found empty is looked at again for this long before it counts as unreadable.
constexpr int ContentRetries = 5;
constexpr unsigned long ContentRetryMs = 20;

// Why files cannot be made in folder, in the system's words.
QString FolderProblem(const QString& folder) {
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    return QStringLiteral("unknown error");
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty()) {
        dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (!PrivateFolder(dir)) {
            // Without a runtime folder of the user's own, a folder of the user's own in the temporary
            // folder: a lock in a place every user shares could be held, or planted, by someone else.
            dir = QDir::tempPath() + QStringLiteral("/kelvo-%1").arg(::geteuid());
            ::mkdir(QFile::encodeName(dir).constData(), 0700);
            if (!PrivateFolder(dir)) {
                folderProblem_ = QStringLiteral("the folder %1 for the lock file belongs to another user or "
                                                "is open to others")
                                     .arg(dir);
            }
        }
    }
    path_ = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock is stale only when its process is gone; a running instance never loses its lock because it
    // has been running for long.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::PrivateFolder(const QString& folder) {
    struct stat status {};
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Outcome SingleInstance::TryAcquire() {
    problem_.clear();
    if (lock_->isLocked()) {
        return Outcome::Acquired;
    }
    if (!folderProblem_.isEmpty()) {
        problem_ = folderProblem_;
        return Outcome::Unavailable;
    }
    // tryLock takes over a lock whose process is gone (QLockFile compares the recorded process id and
    // program name with the running processes), and fails while a live instance holds it.
    bool replaced = false;
    for (int attempt = 0; attempt <= ContentRetries; ++attempt) {
        if (lock_->tryLock(0)) {
            // Only this user has any business reading it.
            ::chmod(QFile::encodeName(path_).constData(), 0600);
            return Outcome::Acquired;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            problem_ = QStringLiteral("cannot create the lock file %1 (%2)")
                           .arg(path_, FolderProblem(QFileInfo(path_).absolutePath()));
            return Outcome::Unavailable;
        }
        const Holder holder = LockHolder();
        if (holder == Holder::Live) {
            return Outcome::AlreadyRunning;
        }
        if (holder == Holder::Elsewhere) {
            break; // a lock of another machine is left to it
        }
        qint64 pid = 0;
        QString host;
        QString application;
        const bool readable = lock_->getLockInfo(&pid, &host, &application);
        // A lock naming no running copy of ours is stale: taken over once. Empty or junk, it is given the
        // writer's grace first (a starting copy writes its process id a moment after making the file).
        if ((readable || attempt == ContentRetries) && !replaced && PlainFile()) {
            replaced = true;
            if (QFile::remove(path_)) {
                attempt = -1;
                continue;
            }
        }
        if (readable) {
            break; // names no running copy, but could not be taken over
        }
        QThread::msleep(ContentRetryMs);
    }
    problem_ = LockProblem();
    return Outcome::Unavailable;
}

bool SingleInstance::PlainFile() const {
    struct stat status {};
    return ::lstat(QFile::encodeName(path_).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

QString SingleInstance::LockProblem() const {
    struct stat status {};
    if (::lstat(QFile::encodeName(path_).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return QStringLiteral("the lock file %1 is a folder; remove it").arg(path_);
        }
        if (!S_ISREG(status.st_mode)) {
            return QStringLiteral("the lock file %1 is not a plain file; remove it").arg(path_);
        }
        if (status.st_uid != ::geteuid()) {
            return QStringLiteral("the lock file %1 belongs to another user").arg(path_);
        }
    }
    return QStringLiteral("the lock file %1 names no running copy of the program but cannot be replaced "
                          "(from another machine, or in a folder we may not change)")
        .arg(path_);
}

SingleInstance::Holder SingleInstance::LockHolder() const {
    struct stat status {};
    if (::lstat(QFile::encodeName(path_).constData(), &status) != 0 || status.st_uid != ::geteuid()) {
        return Holder::None; // another user's lock, wherever it lies, is not ours
    }
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_->getLockInfo(&pid, &host, &application) || pid <= 0 || pid != static_cast<pid_t>(pid)) {
        return Holder::None;
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return Holder::Elsewhere; // nothing here can tell whether it runs
    }
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        return Holder::None;
    }
    // A process id taken over by another program does not hold the lock, nor does a process whose program
    // cannot be seen: a copy of ours runs as this user, and this user sees its program.
    const QString program = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return !program.isEmpty() && QFileInfo(program).fileName() == application ? Holder::Live : Holder::None;
}

void SingleInstance::Release() {
    lock_->unlock();
}

QString SingleInstance::LockPath() const {
    return path_;
}

} // namespace kelvo::system
