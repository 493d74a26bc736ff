#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>

namespace kelvo::system {

// The memory limit of the control group the process runs in. A container or a systemd slice can allow far
// less than the machine's free memory; exceeding it gets the process killed just as surely as running the
// machine out, so the optimizer treats the headroom under the limit as available memory too.
class CgroupMemory {
public:
    // procCgroup is /proc/self/cgroup; root the mount point of the cgroup file systems.
    explicit CgroupMemory(const QString& procCgroup = QStringLiteral("/proc/self/cgroup"),
                          const QString& root = QStringLiteral("/sys/fs/cgroup"));

    // Bytes the process's group (and every enclosing group) may still take before reaching its limit; empty
    // when no limit is set ("max", or a limit at or above totalBytes).
    std::optional<std::uint64_t> Headroom(std::uint64_t totalBytes) const;

private:
    struct LimitFiles {
        QString limit;
        QString usage;
    };
    QList<LimitFiles> files_;
};

} // namespace kelvo::system
