#include "CgroupMemory.h"

#include <array>
#include <cerrno>
#include <charconv>

#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

namespace kelvo::system {

namespace {

QByteArray ReadSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(4096);
}

std::optional<std::uint64_t> ParseBytes(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    std::uint64_t value = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || rest != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint64_t> ParseBytes(const QByteArray& text) {
    return ParseBytes(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

// The number a kept-open cgroup file holds now; these files are regenerated on every read from offset 0.
std::optional<std::uint64_t> ReadNumber(int fd) {
    if (fd < 0) {
        return std::nullopt;
    }
    std::array<char, 64> buffer{};
    ssize_t got = 0;
    do {
        got = ::pread(fd, buffer.data(), buffer.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got <= 0 || static_cast<std::size_t>(got) == buffer.size()) {
        return std::nullopt;
    }
    return ParseBytes(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
}

// The group's path and every ancestor's path below the mount point, innermost first.
QStringList WithAncestors(const QString& groupPath) {
    QStringList paths;
    QString path = groupPath;
    while (!path.isEmpty() && path != QLatin1String("/")) {
        paths << path;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        path = slash <= 0 ? QString() : path.left(slash);
    }
    paths << QString();
    return paths;
}

} // namespace

CgroupMemory::CgroupMemory(QString procCgroup, QString root)
    : procCgroup_(std::move(procCgroup))
    , root_(std::move(root)) {}

CgroupMemory::~CgroupMemory() {
    CloseAll();
}

void CgroupMemory::CloseAll() {
    for (const LimitedGroup& group : groups_) {
        if (group.usageFd >= 0) {
            ::close(group.usageFd);
        }
    }
    groups_.clear();
}

void CgroupMemory::Refresh(std::uint64_t totalBytes) {
    CloseAll();
    const auto addGroup = [&](const QString& limitPath, const QString& usagePath) {
        const auto limit = ParseBytes(ReadSmallFile(limitPath));
        if (!limit || *limit >= totalBytes) {
            return; // "max", unreadable, or no tighter than the machine itself
        }
        const int fd = ::open(QFile::encodeName(usagePath).constData(), O_RDONLY | O_CLOEXEC);
        groups_.push_back({*limit, fd});
    };
    const QByteArray membership = ReadSmallFile(procCgroup_);
    for (const QByteArray& line : membership.split('\n')) {
        // Lines are "id:controllers:path"; v2 has id 0 and no controllers.
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() < 3) {
            continue;
        }
        const QString path = QString::fromUtf8(line.mid(fields[0].size() + fields[1].size() + 2));
        if (fields[0] == "0" && fields[1].isEmpty()) {
            for (const QString& group : WithAncestors(path)) {
                addGroup(root_ + group + QStringLiteral("/memory.max"),
                         root_ + group + QStringLiteral("/memory.current"));
            }
        } else if (fields[1].split(',').contains("memory")) {
            const QString base = root_ + QStringLiteral("/memory");
            for (const QString& group : WithAncestors(path)) {
                addGroup(base + group + QStringLiteral("/memory.limit_in_bytes"),
                         base + group + QStringLiteral("/memory.usage_in_bytes"));
            }
        }
    }
}

std::optional<std::uint64_t> CgroupMemory::Headroom() const {
    std::optional<std::uint64_t> headroom;
    for (const LimitedGroup& group : groups_) {
        const auto usage = ReadNumber(group.usageFd);
        // A limit whose usage cannot be read is taken as fully used: refusing a block is the safe side.
        const std::uint64_t room = usage && *usage < group.limit ? group.limit - *usage : 0;
        if (!headroom || room < *headroom) {
            headroom = room;
        }
    }
    return headroom;
}

} // namespace kelvo::system
