#pragma once

#include <cstddef>
#include <memory>

namespace kelvo::optimizer {

// Every block of a pass holds 1,000,000 two-byte spaces.
inline constexpr std::size_t BlockBytes = 2'000'000;

// One committed block; destroying it gives the memory back.
class Block {
public:
    virtual ~Block() = default;
};
using BlockPtr = std::unique_ptr<Block>;

// Commits blocks for the pass. Tests substitute allocators that count, fail on demand or commit nothing.
class BlockAllocator {
public:
    virtual ~BlockAllocator() = default;
    // A committed, filled block; null when the allocation is refused.
    virtual BlockPtr Allocate() = 0;
};

} // namespace kelvo::optimizer
