#include "KeptOpenFile.h"

#include <cerrno>

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace kelvo::system {

std::optional<std::string_view> ReadFromStart(int fd, std::span<char> buffer) {
    if (fd < 0) {
        return std::nullopt;
    }
    ssize_t got = 0;
    do {
        got = ::pread(fd, buffer.data(), buffer.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        return std::nullopt;
    }
    return std::string_view(buffer.data(), static_cast<std::size_t>(got));
}

KeptOpenFile::KeptOpenFile(QString path)
    : path_(std::move(path)) {}

KeptOpenFile::~KeptOpenFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::optional<std::string_view> KeptOpenFile::Read(std::span<char> buffer) {
    if (fd_ < 0) {
        fd_ = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    }
    return ReadFromStart(fd_, buffer);
}

} // namespace kelvo::system
