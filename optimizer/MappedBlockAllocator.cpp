#include "MappedBlockAllocator.h"

#include <algorithm>
#include <cstring>

#include <sys/mman.h>

namespace kelvo::optimizer {

namespace {

class MappedBlock final : public Block {
public:
    MappedBlock(void* data, std::size_t size)
        : data_(data)
        , size_(size) {}
    ~MappedBlock() override { ::munmap(data_, size_); }
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;

private:
    void* data_;
    std::size_t size_;
};

constexpr std::uint64_t MinimumReserve = 512ull * 1024 * 1024;
constexpr std::uint64_t MinimumSwapReserve = 256ull * 1024 * 1024;
constexpr std::size_t HugePageBytes = std::size_t{2} * 1024 * 1024;

// The 2 MiB range just below previous, or null when it cannot be had.
void* MapRangeBelow(void* previous) {
    const auto below = reinterpret_cast<std::uintptr_t>(previous) - HugePageBytes;
    if (previous == nullptr || below == 0) {
        return nullptr;
    }
    void* wanted = reinterpret_cast<void*>(below); // NOLINT(performance-no-int-to-ptr)
    void* got = ::mmap(wanted, HugePageBytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (got == wanted) {
        return got;
    }
    if (got != MAP_FAILED) {
        ::munmap(got, HugePageBytes); // a kernel without MAP_FIXED_NOREPLACE put it elsewhere
    }
    return nullptr;
}

// An aligned 2 MiB range cut out of a mapping twice that size, or MAP_FAILED.
void* MapAlignedRange() {
    void* raw =
        ::mmap(nullptr, 2 * HugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return MAP_FAILED;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePageBytes - 1) & ~(std::uintptr_t{HugePageBytes} - 1);
    const std::size_t head = aligned - start;
    if (head > 0) {
        ::munmap(raw, head);
    }
    char* data = static_cast<char*>(raw) + head;
    const std::size_t tail = 2 * HugePageBytes - head - HugePageBytes;
    if (tail > 0) {
        ::munmap(data + HugePageBytes, tail);
    }
    return data;
}

// A huge page can only back a 2 MiB-aligned 2 MiB range, which a 2,000,000-byte mapping never is; for huge
// pages a block therefore gets a whole aligned 2 MiB range. The range just below the previous block is
// asked for first (the kernel places mappings downwards, so it is usually free): one call. Otherwise the
// range is cut out of a mapping twice that size, three calls.
void* MapAlignedHugeRange(void* previous) {
    void* data = MapRangeBelow(previous);
    if (data == nullptr) {
        data = MapAlignedRange();
    }
    if (data != MAP_FAILED) {
        // Only a hint: without free huge pages the kernel simply uses small ones.
        ::madvise(data, HugePageBytes, MADV_HUGEPAGE);
    }
    return data;
}

} // namespace

void FillWithSpaces(void* data, std::size_t bytes) {
    // GCC vector types give SSE2 stores on x86-64 (and the equivalent elsewhere) without intrinsics; a
    // u16string of spaces compiles to a scalar loop several times slower.
    using Vector = std::uint16_t __attribute__((vector_size(16)));
    const Vector spaces = {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    auto* out = static_cast<Vector*>(data);
    const std::size_t count = bytes / sizeof(Vector);
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        out[i] = spaces;
        out[i + 1] = spaces;
    }
}

std::uint64_t ReserveBytes(std::uint64_t totalBytes) {
    return std::max(MinimumReserve, totalBytes / 20);
}

std::uint64_t GroupReserveBytes(std::uint64_t limitBytes) {
    return std::max(std::min(MinimumReserve, limitBytes / 4), limitBytes / 20);
}

std::uint64_t SwapReserveBytes(std::uint64_t swapTotalBytes) {
    return std::max(MinimumSwapReserve, swapTotalBytes / 10);
}

std::uint64_t UsableSwap(const system::MemoryStatus& status) {
    const std::uint64_t reserve = SwapReserveBytes(status.swapTotalBytes);
    return status.swapTotalBytes > 0 && status.swapFreeBytes > reserve ? status.swapFreeBytes - reserve : 0;
}

MappedBlockAllocator::MappedBlockAllocator(system::MemorySource& memory, system::CgroupMemory* cgroup,
                                           bool hugePages, StallWatch* stall)
    : memory_(memory)
    , cgroup_(cgroup)
    , hugePages_(hugePages)
    , stall_(stall) {}

std::size_t MappedBlockAllocator::MappedBytes() const {
    return hugePages_ ? HugePageBytes : BlockBytes;
}

namespace {

std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b) {
    std::uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? UINT64_MAX : sum;
}

std::uint64_t Above(std::uint64_t room, std::uint64_t reserve) {
    return room > reserve ? room - reserve : 0;
}

// The figures after bytes more were committed: taken from the available memory first, then from swap.
system::MemoryStatus LessTaken(system::MemoryStatus status, std::uint64_t bytes) {
    const std::uint64_t fromMemory = std::min(bytes, status.availableBytes);
    status.availableBytes -= fromMemory;
    status.swapFreeBytes -= std::min(bytes - fromMemory, status.swapFreeBytes);
    return status;
}

} // namespace

std::uint64_t MappedBlockAllocator::CommittableBytes(const system::MemoryStatus& status,
                                                     std::span<const system::CgroupMemory::Room> groups) {
    std::uint64_t committable =
        Above(SaturatingSum(status.availableBytes, UsableSwap(status)), ReserveBytes(status.totalBytes));
    for (const system::CgroupMemory::Room& group : groups) {
        committable = std::min(committable, Above(group.bytes, GroupReserveBytes(group.limit)));
    }
    return committable;
}

bool MappedBlockAllocator::LeavesReserve(const system::MemoryStatus& status,
                                         std::span<const system::CgroupMemory::Room> groups,
                                         std::size_t blockBytes) {
    return BlocksAllowed(status, groups, blockBytes) > 0;
}

std::int32_t MappedBlockAllocator::BlocksAllowed(const system::MemoryStatus& status,
                                                 std::span<const system::CgroupMemory::Room> groups,
                                                 std::size_t blockBytes) {
    if (blockBytes == 0) {
        return 0;
    }
    const std::uint64_t blocks = CommittableBytes(status, groups) / blockBytes;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(blocks, INT32_MAX));
}

std::optional<system::MemoryStatus> MappedBlockAllocator::MachineFigures() {
    const std::uint64_t mapped = MappedBytes();
    const auto taken = [&](int blocks) { return static_cast<std::uint64_t>(blocks) * mapped; };
    if (reading_ && blocksSinceReading_ < MaxBlocksPerReading) {
        const std::uint64_t room = CommittableBytes(*reading_, {});
        if (2 * taken(blocksSinceReading_ + 1) <= room) {
            return LessTaken(*reading_, taken(blocksSinceReading_));
        }
    }
    return ReadMachineFigures();
}

std::optional<system::MemoryStatus> MappedBlockAllocator::ReadMachineFigures() {
    reading_ = memory_.Read();
    blocksSinceReading_ = 0;
    return reading_;
}

std::vector<system::CgroupMemory::Room>
MappedBlockAllocator::GroupRooms(const system::MemoryStatus& status) const {
    return cgroup_ != nullptr ? cgroup_->Rooms(UsableSwap(status))
                              : std::vector<system::CgroupMemory::Room>{};
}

std::optional<std::int32_t> MappedBlockAllocator::BeginPass() {
    const auto status = ReadMachineFigures();
    if (!status) {
        return std::nullopt; // without figures there is no telling how much is safe
    }
    if (cgroup_ != nullptr) {
        cgroup_->Refresh(status->totalBytes);
    }
    if (stall_ != nullptr) {
        stall_->Reset();
    }
    return BlocksAllowed(*status, GroupRooms(*status), MappedBytes());
}

Allocation MappedBlockAllocator::Allocate() {
    const auto status = MachineFigures();
    if (!status) {
        return {};
    }
    const std::size_t mapped = MappedBytes();
    // A thrashing machine ends the pass as the reserve does: normally, with what was committed so far.
    if (!LeavesReserve(*status, GroupRooms(*status), mapped) || (stall_ != nullptr && stall_->Thrashing())) {
        return {nullptr, true};
    }
    void* data =
        hugePages_ ? MapAlignedHugeRange(lastHugeRange_)
                   : ::mmap(nullptr, BlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) {
        return {};
    }
    if (hugePages_) {
        lastHugeRange_ = data;
    }
    auto block = std::make_unique<MappedBlock>(data, mapped);
    ++blocksSinceReading_;
    FillWithSpaces(data, BlockBytes);
    return {std::move(block), false};
}

} // namespace kelvo::optimizer
