#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace kelvo::optimizer {

// Every block of a pass holds 1,000,000 two-byte spaces.
inline constexpr std::size_t BlockBytes = 2'000'000;

// One committed block; destroying it gives the memory back.
class Block {
public:
    virtual ~Block() = default;
};
using BlockPtr = std::unique_ptr<Block>;

// What one request for a block gave: the block, or why there is none. A block refused because the memory
// that must stay available would be crossed is the normal end of a pass on a machine whose memory got
// tighter; anything else (a mapping the kernel refused, figures that cannot be read) is a failure.
struct Allocation {
    BlockPtr block;
    bool reserveReached = false;
};

// Commits blocks for the pass. Tests substitute allocators that count, fail on demand or commit nothing.
class BlockAllocator {
public:
    virtual ~BlockAllocator() = default;
    // Called when a pass starts: takes a fresh look at the memory the process may use (it may have been moved
    // into another memory group since the last pass) and gives how many blocks the reserve allows right now;
    // empty when that cannot be told, which fails the pass.
    virtual std::optional<std::int32_t> BeginPass() = 0;
    virtual Allocation Allocate() = 0;
};

} // namespace kelvo::optimizer
