#include "OwnFile.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo::system {

QString OwnFileError(int error) {
    switch (error) {
    case ELOOP:
        return QStringLiteral("it is a symbolic link of another user, or a loop of links");
    case EINVAL:
        return QStringLiteral("it is not a plain file");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

std::optional<QByteArray> OwnTarget(const QByteArray& path) {
    constexpr int MaxLinks = 40; // the kernel's own limit for one lookup
    QByteArray current = path;
    for (int hop = 0; hop <= MaxLinks; ++hop) {
        struct stat info {};
        if (current.isEmpty() || ::lstat(current.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        if (info.st_uid != ::geteuid() && info.st_uid != 0) {
            return std::nullopt;
        }
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.constData(), link.data(), static_cast<size_t>(link.size()));
        if (length <= 0 || length >= link.size()) {
            return std::nullopt;
        }
        link.truncate(length);
        current = link.startsWith('/') ? link : current.left(current.lastIndexOf('/') + 1) + link;
    }
    return std::nullopt;
}

int OpenOwnFile(const QByteArray& path, int flags, int mode) {
    const std::optional<QByteArray> target = OwnTarget(path);
    if (!target) {
        errno = ELOOP;
        return -1;
    }
    // Some devices act on a mere open (a tape rewinds), so what is not a plain file is not opened at all;
    // the check after the open catches one put in the file's place meanwhile, and O_NOFOLLOW a link.
    struct stat info {};
    if (::lstat(target->constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    int fd = -1;
    do {
        fd = ::open(target->constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

QString OwnFileProblem(const QString& path, qint64 maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        return {}; // nothing there yet: it is made when first written
    }
    const std::optional<QByteArray> target = OwnTarget(name);
    if (!target) {
        return OwnFileError(ELOOP);
    }
    if (::stat(target->constData(), &info) != 0) {
        return errno == ENOENT ? QString() : OwnFileError(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return QStringLiteral("it is a folder");
    }
    if (!S_ISREG(info.st_mode)) {
        return OwnFileError(EINVAL);
    }
    if (info.st_size > maxBytes) {
        return QStringLiteral("it is larger than %1 bytes").arg(maxBytes);
    }
    // A file that can be read but not written is no problem: a read-only installation's preset, which the
    // per-user file starts from.
    return ::access(target->constData(), R_OK) == 0 ? QString() : OwnFileError(errno);
}

} // namespace kelvo::system
