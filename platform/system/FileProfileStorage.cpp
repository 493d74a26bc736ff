#include "Profile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <QDir>
#include <QFile>

#include "OwnFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo::system {

namespace {

constexpr mode_t NewFileMode = 0644;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // close reports delayed write errors (network file systems), so a writer checks it. It is not retried
    // on EINTR: on Linux the descriptor is released either way.
    bool Close() {
        if (fd_ < 0) {
            return true;
        }
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

int OpenRetrying(const char* path, int flags) {
    int fd = -1;
    do {
        fd = ::open(path, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, const QByteArray& content) {
    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool SyncRetrying(int fd) {
    int result = -1;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// A write killed between making its temporary file and renaming it leaves ".NAME.XXXXXX" behind. Ours
// (plain files of this user under that pattern) older than a write could take are removed; links and other
// users' files are left alone.
void RemoveStaleTemporaries(const QByteArray& folder, const QByteArray& baseName) {
    constexpr time_t StaleSeconds = 60;
    const QString prefix = QLatin1Char('.') + QFile::decodeName(baseName) + QLatin1Char('.');
    const QStringList names = QDir(QFile::decodeName(folder))
                                  .entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QByteArray path = folder + '/' + QFile::encodeName(name);
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::geteuid() && ::time(nullptr) - status.st_mtime > StaleSeconds) {
            ::unlink(path.constData());
        }
    }
}

// Makes the rename itself durable. A folder that cannot be opened or synced (some file systems refuse)
// does not undo a replace that has already happened.
void SyncFolder(const QByteArray& folder) {
    FileDescriptor fd(OpenRetrying(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        SyncRetrying(fd.Get());
    }
}

int MakeTemporary(char* nameTemplate) {
    return ::mkostemp(nameTemplate, O_CLOEXEC);
}

// Rewrites an existing regular file in its own place. Space for a longer content is reserved first, so a
// full disk fails the write before any byte of the file has changed; a crash half-way can still leave a
// mixed file, which is why this is only the way out when no temporary file can be made.
bool WriteInPlace(const QByteArray& target, const QByteArray& content) {
    FileDescriptor fd(OpenRetrying(target.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    if (!fd.IsOpen() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    if (content.size() > info.st_size && ::fallocate(fd.Get(), 0, 0, content.size()) != 0 &&
        errno != EOPNOTSUPP) {
        return false;
    }
    const bool stored =
        WriteAll(fd.Get(), content) && ::ftruncate(fd.Get(), content.size()) == 0 && SyncRetrying(fd.Get());
    return fd.Close() && stored;
}

} // namespace

FileProfileStorage::FileProfileStorage(TemporaryFileMaker makeTemporary)
    : makeTemporary_(makeTemporary != nullptr ? makeTemporary : MakeTemporary) {}

std::optional<QByteArray> FileProfileStorage::Read(const QString& path) {
    problem_.clear();
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    FileDescriptor fd(OpenOwnFile(name, O_RDONLY));
    struct stat info {};
    if (!fd.IsOpen() || ::fstat(fd.Get(), &info) != 0) {
        problem_ = OwnFileError(errno);
        return std::nullopt;
    }
    // The program's own keys take a few hundred bytes; a file far beyond that (a runaway or hostile one)
    // is not read at all, so it can neither exhaust memory nor slow the start. It is unreadable: its
    // values are the defaults, and no write ever replaces it.
    const auto tooLarge = [&] {
        problem_ = QStringLiteral("it is larger than %1 bytes").arg(MaxBytes);
        if (warnedTooLarge_.insert(path).second) {
            std::fprintf(stderr, "kelvo: %s is larger than %lld bytes and is not read\n", name.constData(),
                         static_cast<long long>(MaxBytes));
        }
        return std::nullopt;
    };
    if (info.st_size > MaxBytes) {
        return tooLarge();
    }
    QByteArray content;
    content.reserve(info.st_size > 0 && info.st_size < (qsizetype(1) << 30) ? qsizetype(info.st_size) + 1
                                                                            : 0);
    constexpr qsizetype ChunkSize = qsizetype{64} * 1024;
    for (;;) {
        const qsizetype used = content.size();
        content.resize(used + ChunkSize);
        const ssize_t got = ::read(fd.Get(), content.data() + used, static_cast<size_t>(ChunkSize));
        if (got < 0 && errno == EINTR) {
            content.resize(used);
            continue;
        }
        if (got < 0) {
            problem_ = OwnFileError(errno);
            return std::nullopt;
        }
        content.resize(used + got);
        if (got == 0) {
            return content;
        }
        if (content.size() > MaxBytes) {
            return tooLarge(); // it grew while we read
        }
    }
}

bool FileProfileStorage::Exists(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (name.isEmpty()) {
        return false;
    }
    // Links are followed, as a write follows them: a dangling link holds nothing yet; a loop or a link of
    // another user is something that cannot be read.
    const std::optional<QByteArray> target = OwnTarget(name);
    if (!target || ::stat(target->constData(), &info) == 0) {
        return true;
    }
    // Anything but "no such entry" (a folder we may not search, say) leaves open that something is there.
    return errno != ENOENT && errno != ENOTDIR;
}

bool FileProfileStorage::Replace(const QString& path, const QByteArray& content) {
    problem_.clear();
    if (ReplaceFile(path, content)) {
        return true;
    }
    if (problem_.isEmpty()) {
        problem_ = errno != 0 ? OwnFileError(errno) : QStringLiteral("unknown error");
    }
    return false;
}

bool FileProfileStorage::ReplaceFile(const QString& path, const QByteArray& content) {
    errno = 0;
    const std::optional<QByteArray> found = OwnTarget(QFile::encodeName(path));
    if (!found) {
        problem_ = OwnFileError(ELOOP);
        return false;
    }
    const QByteArray& target = *found;
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray baseName = target.mid(slash + 1);
    if (baseName.isEmpty()) {
        return false;
    }
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);

    mode_t mode = NewFileMode;
    struct stat old {};
    const bool hadOld = ::stat(target.constData(), &old) == 0;
    if (hadOld) {
        if (!S_ISREG(old.st_mode)) {
            problem_ = OwnFileError(EINVAL);
            return false;
        }
        mode = old.st_mode & 07777;
    }

    // Only a write killed in another run leaves them: looking once per file and run is enough.
    if (swept_.insert(path).second) {
        RemoveStaleTemporaries(folder, baseName);
    }
    // The temporary name is created with O_CREAT | O_EXCL, so a file or link planted under a guessed
    // name is never opened or followed.
    QByteArray temporary = target.left(slash + 1) + '.' + baseName + ".XXXXXX";
    FileDescriptor fd(makeTemporary_(temporary.data()));
    if (!fd.IsOpen()) {
        return hadOld && WriteInPlace(target, content);
    }
    bool stored = ::fchmod(fd.Get(), mode) == 0;
    if (stored && hadOld && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Keep the old owner when we may (an administrator editing a user's file); otherwise the file
        // simply becomes ours, as any editor would leave it.
        [[maybe_unused]] const int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
    }
    stored = stored && WriteAll(fd.Get(), content) && SyncRetrying(fd.Get());
    stored = fd.Close() && stored;
    if (!stored) {
        const int error = errno;
        ::unlink(temporary.constData());
        errno = error;
        return false;
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        // A folder may let us create entries but not replace this one (a sticky folder, another owner).
        ::unlink(temporary.constData());
        return hadOld && WriteInPlace(target, content);
    }
    SyncFolder(folder);
    return true;
}

} // namespace kelvo::system
