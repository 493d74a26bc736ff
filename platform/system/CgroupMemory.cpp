#include "CgroupMemory.h"

#include <charconv>

#include <QFile>

namespace kelvo::system {

namespace {

QByteArray ReadSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(4096);
}

std::optional<std::uint64_t> ParseBytes(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    std::uint64_t value = 0;
    const auto [rest, error] =
        std::from_chars(trimmed.constData(), trimmed.constData() + trimmed.size(), value);
    if (error != std::errc() || rest != trimmed.constData() + trimmed.size() || trimmed.isEmpty()) {
        return std::nullopt;
    }
    return value;
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

CgroupMemory::CgroupMemory(const QString& procCgroup, const QString& root) {
    const QByteArray membership = ReadSmallFile(procCgroup);
    for (const QByteArray& line : membership.split('\n')) {
        // Lines are "id:controllers:path"; v2 has id 0 and no controllers.
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() < 3) {
            continue;
        }
        const QString path = QString::fromUtf8(line.mid(fields[0].size() + fields[1].size() + 2));
        if (fields[0] == "0" && fields[1].isEmpty()) {
            for (const QString& group : WithAncestors(path)) {
                files_.append({root + group + QStringLiteral("/memory.max"),
                               root + group + QStringLiteral("/memory.current")});
            }
        } else if (fields[1].split(',').contains("memory")) {
            for (const QString& group : WithAncestors(path)) {
                files_.append(
                    {root + QStringLiteral("/memory") + group + QStringLiteral("/memory.limit_in_bytes"),
                     root + QStringLiteral("/memory") + group + QStringLiteral("/memory.usage_in_bytes")});
            }
        }
    }
}

std::optional<std::uint64_t> CgroupMemory::Headroom(std::uint64_t totalBytes) const {
    std::optional<std::uint64_t> headroom;
    for (const LimitFiles& group : files_) {
        const auto limit = ParseBytes(ReadSmallFile(group.limit));
        if (!limit || *limit >= totalBytes) {
            continue; // "max", unreadable, or no tighter than the machine itself
        }
        const auto usage = ParseBytes(ReadSmallFile(group.usage));
        // A limit whose usage cannot be read is taken as fully used: refusing a block is the safe side.
        const std::uint64_t room = usage && *usage < *limit ? *limit - *usage : 0;
        if (!headroom || room < *headroom) {
            headroom = room;
        }
    }
    return headroom;
}

} // namespace kelvo::system
