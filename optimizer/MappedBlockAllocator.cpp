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
constexpr std::size_t HugePageBytes = 2 * 1024 * 1024;

// A huge page can only back a 2 MiB-aligned 2 MiB range, which a 2,000,000-byte mapping never is; for huge
// pages a block therefore gets a whole aligned 2 MiB range, cut out of a mapping twice that size.
void* MapAlignedHugeRange() {
    void* raw =
        ::mmap(nullptr, 2 * HugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return MAP_FAILED;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePageBytes - 1) & ~(std::uintptr_t{HugePageBytes} - 1);
    if (aligned > start) {
        ::munmap(raw, aligned - start);
    }
    const std::uintptr_t end = start + 2 * HugePageBytes;
    if (end > aligned + HugePageBytes) {
        ::munmap(reinterpret_cast<void*>(aligned + HugePageBytes), end - aligned - HugePageBytes);
    }
    void* data = reinterpret_cast<void*>(aligned);
    // Only a hint: without free huge pages the kernel simply uses small ones.
    ::madvise(data, HugePageBytes, MADV_HUGEPAGE);
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

MappedBlockAllocator::MappedBlockAllocator(system::MemorySource& memory, const system::CgroupMemory* cgroup,
                                           bool hugePages)
    : memory_(memory)
    , cgroup_(cgroup)
    , hugePages_(hugePages) {}

bool MappedBlockAllocator::LeavesReserve(const system::MemoryStatus& status,
                                         std::optional<std::uint64_t> cgroupHeadroom,
                                         std::size_t blockBytes) {
    std::uint64_t available = status.availableBytes;
    if (cgroupHeadroom) {
        available = std::min(available, *cgroupHeadroom);
    }
    const std::uint64_t needed = ReserveBytes(status.totalBytes) + blockBytes;
    return available >= needed;
}

BlockPtr MappedBlockAllocator::Allocate() {
    const auto status = memory_.Read();
    if (!status) {
        return nullptr; // without figures there is no telling whether the block is safe
    }
    const auto headroom = cgroup_ != nullptr ? cgroup_->Headroom(status->totalBytes) : std::nullopt;
    const std::size_t mapped = hugePages_ ? HugePageBytes : BlockBytes;
    if (!LeavesReserve(*status, headroom, mapped)) {
        return nullptr;
    }
    void* data =
        hugePages_ ? MapAlignedHugeRange()
                   : ::mmap(nullptr, BlockBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) {
        return nullptr;
    }
    auto block = std::make_unique<MappedBlock>(data, mapped);
    FillWithSpaces(data, BlockBytes);
    return block;
}

} // namespace kelvo::optimizer
