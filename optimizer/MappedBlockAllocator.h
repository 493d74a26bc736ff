#pragma once

#include <cstdint>
#include <span>

#include "BlockAllocator.h"
#include "StallWatch.h"
#include "platform/system/CgroupMemory.h"
#include "platform/system/MemoryStatus.h"

namespace kelvo::optimizer {

// Fills memory with the UTF-16 space pattern (bytes 0x20 0x00), sixteen bytes at a time. bytes must be a
// multiple of 32 and data 16-byte aligned.
void FillWithSpaces(void* data, std::size_t bytes);

// The memory that must stay available after a block: max(512 MiB, 5 % of the total).
std::uint64_t ReserveBytes(std::uint64_t totalBytes);
// The same inside a memory group, scaled to its limit: max(min(512 MiB, a quarter), 5 %) of it, so a small
// group keeps room for its programs without the reserve swallowing the group.
std::uint64_t GroupReserveBytes(std::uint64_t limitBytes);
// The swap that must stay free: max(256 MiB, 10 % of the swap).
std::uint64_t SwapReserveBytes(std::uint64_t swapTotalBytes);
// The swap a pass may fill, the machine's free swap less its reserve; none without swap.
std::uint64_t UsableSwap(const system::MemoryStatus& status);

// Blocks in anonymous private mappings, released with munmap so the memory goes back to the kernel at
// once. Linux overcommits: a mapping that cannot be backed still succeeds and the OOM killer strikes
// later, so the allocator refuses a block unless the reserve stays available after it. Where there is
// swap, the pass exists to make the kernel page idle programs out: the available memory then counts the
// swap a pass may fill (less the swap's own reserve), on the machine and under each memory group's swap
// limit, and a pass also ends once the machine thrashes (StallWatch). Without free swap nothing changes. The
// headroom under the process's memory group limits is read before every block; which groups those are is
// looked up afresh as each pass begins. The machine's figures (a few microseconds of the kernel's time to
// produce, tens of microseconds just after a block has been filled) are read before a block unless the last
// reading is fewer than MaxBlocksPerReading blocks old and left room above the reserve for twice what has
// been committed since, this block included; the blocks committed since the reading count as taken. Near the
// reserve they are read before every block. With huge pages each block takes a whole aligned 2 MiB range so
// the kernel can back it with one huge page.
class MappedBlockAllocator final : public BlockAllocator {
public:
    MappedBlockAllocator(system::MemorySource& memory, system::CgroupMemory* cgroup, bool hugePages,
                         StallWatch* stall = nullptr);

    std::optional<std::int32_t> BeginPass() override;
    Allocation Allocate() override;

    // Bytes one block takes from the machine: a whole 2 MiB page with huge pages.
    std::size_t MappedBytes() const;

    // Bytes a pass may still commit with these figures: the least of the machine's room (available memory
    // and usable swap, less the reserve) and each limited group's room (less the group's reserve).
    static std::uint64_t CommittableBytes(const system::MemoryStatus& status,
                                          std::span<const system::CgroupMemory::Room> groups);
    // Whether one more block of blockBytes would leave the reserves, with these figures.
    static bool LeavesReserve(const system::MemoryStatus& status,
                              std::span<const system::CgroupMemory::Room> groups,
                              std::size_t blockBytes = BlockBytes);
    // How many blocks of blockBytes fit above the reserves, with these figures.
    static std::int32_t BlocksAllowed(const system::MemoryStatus& status,
                                      std::span<const system::CgroupMemory::Room> groups,
                                      std::size_t blockBytes);

    // 64 MB between readings far from the reserve, an eighth of the smallest reserve.
    static constexpr int MaxBlocksPerReading = 32;

private:
    // The machine's figures for the next block: the last reading less what was committed since, or a
    // fresh reading when that one may be out of date. Empty when they cannot be read.
    std::optional<system::MemoryStatus> MachineFigures();
    std::optional<system::MemoryStatus> ReadMachineFigures();
    std::vector<system::CgroupMemory::Room> GroupRooms(const system::MemoryStatus& status) const;

    system::MemorySource& memory_;
    system::CgroupMemory* cgroup_;
    bool hugePages_;
    StallWatch* stall_;
    std::optional<system::MemoryStatus> reading_;
    // Where the last huge-page block was mapped: the next one is asked for just below it.
    void* lastHugeRange_ = nullptr;
    int blocksSinceReading_ = 0;
};

} // namespace kelvo::optimizer
