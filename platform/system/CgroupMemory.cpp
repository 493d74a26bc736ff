#include "CgroupMemory.h"
#include "KeptOpenFile.h"

#include <algorithm>
#include <array>
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
    std::array<char, 64> buffer{};
    const auto text = ReadFromStart(fd, buffer);
    if (!text || text->empty() || text->size() == buffer.size()) {
        return std::nullopt;
    }
    return ParseBytes(*text);
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
        for (const int fd : {group.usageFd, group.swapUsageFd}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    groups_.clear();
}

void CgroupMemory::Refresh(std::uint64_t totalBytes) {
    CloseAll();
    const auto open = [](const QString& path) {
        return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    };
    // A group's files: the memory limit and usage, then the swap limit and usage ("" where there are none).
    const auto addGroup = [&](const QString& dir, const char* limit, const char* usage, const char* swapLimit,
                              const char* swapUsage, bool swapWithMemory) {
        const auto memoryLimit = ParseBytes(ReadSmallFile(dir + QLatin1String(limit)));
        if (!memoryLimit || *memoryLimit >= totalBytes) {
            return; // "max", unreadable, or no tighter than the machine itself
        }
        LimitedGroup group;
        group.limit = *memoryLimit;
        group.usageFd = open(dir + QLatin1String(usage));
        // "max" or a limit beyond any machine is no swap limit; unreadable swap files (a kernel that does not
        // account swap) leave the machine's swap as the only bound.
        if (const auto swap = ParseBytes(ReadSmallFile(dir + QLatin1String(swapLimit)));
            swap && *swap < (std::uint64_t{1} << 62)) {
            group.swapLimit = *swap;
            group.swapUsageFd = open(dir + QLatin1String(swapUsage));
            group.swapWithMemory = swapWithMemory;
        }
        groups_.push_back(group);
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
                addGroup(root_ + group, "/memory.max", "/memory.current", "/memory.swap.max",
                         "/memory.swap.current", false);
            }
        } else if (fields[1].split(',').contains("memory")) {
            const QString base = root_ + QStringLiteral("/memory");
            for (const QString& group : WithAncestors(path)) {
                addGroup(base + group, "/memory.limit_in_bytes", "/memory.usage_in_bytes",
                         "/memory.memsw.limit_in_bytes", "/memory.memsw.usage_in_bytes", true);
            }
        }
    }
}

std::uint64_t CgroupMemory::MemoryRoom(const LimitedGroup& group) {
    const auto usage = ReadNumber(group.usageFd);
    // A limit whose usage cannot be read is taken as fully used: refusing a block is the safe side.
    return usage && *usage < group.limit ? group.limit - *usage : 0;
}

std::vector<CgroupMemory::Room> CgroupMemory::Rooms(std::uint64_t usableSwap) const {
    std::vector<Room> rooms;
    rooms.reserve(groups_.size());
    for (const LimitedGroup& group : groups_) {
        const std::uint64_t memory = MemoryRoom(group);
        std::uint64_t swap = usableSwap;
        if (group.swapLimit) {
            // A swap usage that cannot be read counts as the whole limit used.
            const auto used = ReadNumber(group.swapUsageFd);
            const std::uint64_t left = used && *used < *group.swapLimit ? *group.swapLimit - *used : 0;
            // Memory and swap together: what is left beyond the memory headroom can only be swap.
            const std::uint64_t swapLeft = group.swapWithMemory ? (left > memory ? left - memory : 0) : left;
            swap = std::min(swap, swapLeft);
        }
        rooms.push_back({group.limit, memory + swap});
    }
    return rooms;
}

} // namespace kelvo::system
