#include "Profile.h"

#include <cerrno>
#include <cstdlib>

#include <QFile>

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

// Makes the rename itself durable. A folder that cannot be opened or synced (some file systems refuse)
// does not undo a replace that has already happened.
void SyncFolder(const QByteArray& folder) {
    FileDescriptor fd(OpenRetrying(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        SyncRetrying(fd.Get());
    }
}

} // namespace

std::optional<QByteArray> FileProfileStorage::Read(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    // O_NONBLOCK keeps a FIFO in the file's place from blocking the open; it is rejected just below.
    FileDescriptor fd(OpenRetrying(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.IsOpen() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    QByteArray content;
    content.reserve(info.st_size > 0 && info.st_size < (qsizetype(1) << 30) ? qsizetype(info.st_size) + 1
                                                                            : 0);
    constexpr qsizetype ChunkSize = 64 * 1024;
    for (;;) {
        const qsizetype used = content.size();
        content.resize(used + ChunkSize);
        const ssize_t got = ::read(fd.Get(), content.data() + used, static_cast<size_t>(ChunkSize));
        if (got < 0 && errno == EINTR) {
            content.resize(used);
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        content.resize(used + got);
        if (got == 0) {
            return content;
        }
    }
}

bool FileProfileStorage::Exists(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (name.isEmpty()) {
        return false;
    }
    if (::lstat(name.constData(), &info) == 0) {
        return true;
    }
    // Anything but "no such entry" (a folder we may not search, say) leaves open that something is there.
    return errno != ENOENT && errno != ENOTDIR;
}

bool FileProfileStorage::Replace(const QString& path, const QByteArray& content) {
    const QByteArray target = QFile::encodeName(path);
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
            return false;
        }
        mode = old.st_mode & 07777;
    }

    // mkostemp creates the name with O_CREAT | O_EXCL, so a file or link planted under a guessed
    // temporary name is never opened or followed.
    QByteArray temporary = target.left(slash + 1) + '.' + baseName + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.IsOpen()) {
        return false;
    }
    bool stored = ::fchmod(fd.Get(), mode) == 0;
    if (stored && hadOld && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Keep the old owner when we may (an administrator editing a user's file); otherwise the file
        // simply becomes ours, as any editor would leave it.
        [[maybe_unused]] const int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
    }
    stored = stored && WriteAll(fd.Get(), content) && SyncRetrying(fd.Get());
    stored = fd.Close() && stored;
    if (!stored || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    SyncFolder(folder);
    return true;
}

} // namespace kelvo::system
