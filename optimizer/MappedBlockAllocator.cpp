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

MappedBlockAllocator::MappedBlockAllocator(system::MemorySource& memory, system::CgroupMemory* cgroup,
                                           bool hugePages)
    : memory_(memory)
    , cgroup_(cgroup)
    , hugePages_(hugePages) {}

std::size_t MappedBlockAllocator::MappedBytes() const {
    return hugePages_ ? HugePageBytes : BlockBytes;
}

namespace {

std::uint64_t Available(const system::MemoryStatus& status, std::optional<std::uint64_t> cgroupHeadroom) {
    return cgroupHeadroom ? std::min(status.availableBytes, *cgroupHeadroom) : status.availableBytes;
}

} // namespace

bool MappedBlockAllocator::LeavesReserve(const system::MemoryStatus& status,
                                         std::optional<std::uint64_t> cgroupHeadroom,
                                         std::size_t blockBytes) {
    return BlocksAllowed(status, cgroupHeadroom, blockBytes) > 0;
}

std::int32_t MappedBlockAllocator::BlocksAllowed(const system::MemoryStatus& status,
                                                 std::optional<std::uint64_t> cgroupHeadroom,
                                                 std::size_t blockBytes) {
    const std::uint64_t available = Available(status, cgroupHeadroom);
    const std::uint64_t reserve = ReserveBytes(status.totalBytes);
    if (available <= reserve || blockBytes == 0) {
        return 0;
    }
    const std::uint64_t blocks = (available - reserve) / blockBytes;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(blocks, INT32_MAX));
}

std::optional<system::MemoryStatus> MappedBlockAllocator::MachineFigures() {
    const std::uint64_t mapped = MappedBytes();
    const auto taken = [&](int blocks) { return static_cast<std::uint64_t>(blocks) * mapped; };
    if (reading_ && blocksSinceReading_ < MaxBlocksPerReading) {
        const std::uint64_t reserve = ReserveBytes(reading_->totalBytes);
        const std::uint64_t room =
            reading_->availableBytes > reserve ? reading_->availableBytes - reserve : 0;
        if (2 * taken(blocksSinceReading_ + 1) <= room) {
            return system::MemoryStatus{reading_->totalBytes,
                                        reading_->availableBytes - taken(blocksSinceReading_)};
        }
    }
    return ReadMachineFigures();
}

std::optional<system::MemoryStatus> MappedBlockAllocator::ReadMachineFigures() {
    reading_ = memory_.Read();
    blocksSinceReading_ = 0;
    return reading_;
}

std::optional<std::int32_t> MappedBlockAllocator::BeginPass() {
    const auto status = ReadMachineFigures();
    if (!status) {
        return std::nullopt; // without figures there is no telling how much is safe
    }
    if (cgroup_ != nullptr) {
        cgroup_->Refresh(status->totalBytes);
    }
    return BlocksAllowed(*status, cgroup_ != nullptr ? cgroup_->Headroom() : std::nullopt, MappedBytes());
}

Allocation MappedBlockAllocator::Allocate() {
    const auto status = MachineFigures();
    if (!status) {
        return {};
    }
    const auto headroom = cgroup_ != nullptr ? cgroup_->Headroom() : std::nullopt;
    const std::size_t mapped = MappedBytes();
    if (!LeavesReserve(*status, headroom, mapped)) {
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
