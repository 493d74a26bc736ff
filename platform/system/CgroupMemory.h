#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace kelvo::system {

// The memory limits of the control groups the process runs in. A container, a systemd scope or a slice can
// allow far less than the machine's free memory; exceeding it gets the process killed just as surely as
// running the machine out, so the optimizer treats the headroom under the limit as available memory too.
//
// A desktop or `systemd-run` may move the process into another group at any time, so the membership and the
// limits are read afresh by Refresh (once per pass); the usage of every limited group is then read through a
// descriptor kept open, which keeps the check before each block down to one pread per limited group.
class CgroupMemory {
public:
    // procCgroup is /proc/self/cgroup; root the mount point of the cgroup file systems. Nothing is read until
    // the first Refresh.
    explicit CgroupMemory(QString procCgroup = QStringLiteral("/proc/self/cgroup"),
                          QString root = QStringLiteral("/sys/fs/cgroup"));
    ~CgroupMemory();
    CgroupMemory(const CgroupMemory&) = delete;
    CgroupMemory& operator=(const CgroupMemory&) = delete;

    // Reads which groups the process belongs to (v1 and v2, its own group and every ancestor) and their
    // limits. Limits at or above totalBytes, and "max", are no limits.
    void Refresh(std::uint64_t totalBytes);

    // What one limited group may still take, from the limits of the last Refresh and the usage read now: its
    // memory headroom (none when its usage cannot be read) plus the swap it may still fill.
    struct Room {
        std::uint64_t limit = 0; // the group's memory limit
        std::uint64_t bytes = 0;
    };
    // The room of every limited group, with usableSwap the machine's swap a pass may fill: a group may push
    // its own pages out to swap beyond its memory limit, as far as its swap limit allows (v1: the limit on
    // memory and swap together, v2: the limit on swap alone). A swap usage that cannot be read allows none.
    std::vector<Room> Rooms(std::uint64_t usableSwap) const;

    // Groups with a limit found by the last Refresh.
    std::size_t LimitedGroups() const { return groups_.size(); }

private:
    struct LimitedGroup {
        std::uint64_t limit = 0;
        int usageFd = -1;
        // The group's swap limit, if it has one, and whether it counts memory and swap together.
        std::optional<std::uint64_t> swapLimit;
        int swapUsageFd = -1;
        bool swapWithMemory = false;
    };
    static std::uint64_t MemoryRoom(const LimitedGroup& group);
    void CloseAll();

    QString procCgroup_;
    QString root_;
    std::vector<LimitedGroup> groups_;
};

} // namespace kelvo::system
