#pragma once

#include <cstdint>

#include "BlockAllocator.h"
#include "platform/system/CgroupMemory.h"
#include "platform/system/MemoryStatus.h"

namespace kelvo::optimizer {

// Fills memory with the UTF-16 space pattern (bytes 0x20 0x00), sixteen bytes at a time. bytes must be a
// multiple of 32 and data 16-byte aligned.
void FillWithSpaces(void* data, std::size_t bytes);

// The memory that must stay available after a block: max(512 MiB, 5 % of the total).
std::uint64_t ReserveBytes(std::uint64_t totalBytes);

// Blocks in anonymous private mappings, released with munmap so the memory goes back to the kernel at
// once. Linux overcommits: a mapping that cannot be backed still succeeds and the OOM killer strikes
// later, so the allocator refuses a block unless the reserve stays available after it. The headroom under
// the process's memory group limits is read before every block; which groups those are is looked up afresh
// as each pass begins. The machine's figures (a few microseconds of the kernel's time to produce, tens of
// microseconds just after a block has been filled) are read before a block unless the last reading is fewer
// than MaxBlocksPerReading blocks old and left room above the reserve for twice what has been committed
// since, this block included; the blocks committed since the reading count as taken. Near the reserve they
// are read before every block. With huge pages each block takes a whole aligned 2 MiB range so the kernel can
// back it with one huge page.
class MappedBlockAllocator final : public BlockAllocator {
public:
    MappedBlockAllocator(system::MemorySource& memory, system::CgroupMemory* cgroup, bool hugePages);

    std::optional<std::int32_t> BeginPass() override;
    Allocation Allocate() override;

    // Bytes one block takes from the machine: a whole 2 MiB page with huge pages.
    std::size_t MappedBytes() const;

    // Whether one more block of blockBytes would leave the reserve available, with these figures.
    static bool LeavesReserve(const system::MemoryStatus& status, std::optional<std::uint64_t> cgroupHeadroom,
                              std::size_t blockBytes = BlockBytes);
    // How many blocks of blockBytes fit above the reserve, with these figures.
    static std::int32_t BlocksAllowed(const system::MemoryStatus& status,
                                      std::optional<std::uint64_t> cgroupHeadroom, std::size_t blockBytes);

    // 64 MB between readings far from the reserve, an eighth of the smallest reserve.
    static constexpr int MaxBlocksPerReading = 32;

private:
    // The machine's figures for the next block: the last reading less what was committed since, or a
    // fresh reading when that one may be out of date. Empty when they cannot be read.
    std::optional<system::MemoryStatus> MachineFigures();
    std::optional<system::MemoryStatus> ReadMachineFigures();

    system::MemorySource& memory_;
    system::CgroupMemory* cgroup_;
    bool hugePages_;
    std::optional<system::MemoryStatus> reading_;
    // Where the last huge-page block was mapped: the next one is asked for just below it.
    void* lastHugeRange_ = nullptr;
    int blocksSinceReading_ = 0;
};

} // namespace kelvo::optimizer
