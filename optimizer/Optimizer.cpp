#include "Optimizer.h"

#include <algorithm>

#include "platform/numeric/Numeric.h"

namespace kelvo::optimizer {

Optimizer::Optimizer(BlockAllocator& allocator, system::EventPump& pump, system::Clock& clock)
    : allocator_(allocator)
    , pump_(pump)
    , clock_(clock) {}

std::size_t Optimizer::CommittedBlocks() const {
    std::size_t committed = 0;
    for (const BlockPtr& block : blocks_) {
        committed += block ? 1 : 0;
    }
    return committed;
}

void Optimizer::SetMax(std::int32_t max) {
    if (progress_ != nullptr) {
        progress_->SetMax(max);
    }
}

void Optimizer::SetValue(std::int32_t value) {
    if (progress_ != nullptr) {
        progress_->SetValue(value);
    }
}

bool Optimizer::PumpTwice(std::uint64_t generation) {
    pump_.DoEvents();
    if (generation_ != generation) {
        return false;
    }
    pump_.DoEvents();
    return generation_ == generation;
}

Optimizer::PassOutcome Optimizer::OptimizeNow() {
    if (optimizing_) {
        return PassOutcome::NotRun;
    }
    const auto count = numeric::CInt(BlockCount(Figures.UsedMB, Figures.FreeMB, LevelPercent));
    if (!count) {
        return PassOutcome::NotRun;
    }
    return OptimizeRAM(*count) ? PassOutcome::Completed : PassOutcome::Failed;
}

bool Optimizer::OptimizeRAM(std::int16_t count) {
    if (optimizing_) {
        return false;
    }
    optimizing_ = true;
    const std::uint64_t generation = ++generation_;

    // A failed pass gives its memory back and clears the flag at once, instead of holding the blocks until
    // the next pass.
    const auto fail = [this] {
        blocks_.clear();
        optimizing_ = false;
        return false;
    };

    const auto allowed = allocator_.BeginPass();
    if (!allowed) {
        return fail();
    }
    if (*allowed == 0) {
        // The reserves leave nothing to commit: a full bar would tell of a pass that did not happen.
        SetMax(100);
        SetValue(0);
        optimizing_ = false;
        return true;
    }
    const std::int16_t blocks = static_cast<std::int16_t>(std::min<std::int32_t>(count, *allowed));
    blocks_.clear();
    blocks_.resize(static_cast<std::size_t>(std::max<std::int16_t>(blocks, 0)) + 1);
    const auto max = numeric::CLng(blocks / 10.0);
    if (!max) {
        return fail();
    }
    SetMax(*max);

    for (std::int16_t i = 0; i < blocks; ++i) {
        Allocation allocation = allocator_.Allocate();
        if (!allocation.block) {
            if (allocation.reserveReached) {
                break; // memory got tighter since the start: what is committed is the pass
            }
            return fail();
        }
        blocks_[static_cast<std::size_t>(i)] = std::move(allocation.block);
        SetValue(numeric::CLng(i / 10.0).value_or(0));
        if (!PumpTwice(generation)) {
            return false; // ReleaseBlocks ran during the event-loop turns: the program is ending
        }
    }

    if (!ReleaseInSlices(generation)) {
        return false;
    }
    SetValue(0);
    SetMax(100);
    SetValue(100);
    optimizing_ = false;
    return true;
}

bool Optimizer::ReleaseInSlices(std::uint64_t generation) {
    // munmap costs about 70 ms per GB with small pages: releasing a large pass in one go would freeze the
    // window, so the blocks go back in time slices with an event-loop turn between them. The pass's array
    // is already empty, as after a release all at once; only the flag stays up until the bar is full.
    releasing_ = std::move(blocks_);
    blocks_.clear();
    std::size_t next = 0;
    while (next < releasing_.size()) {
        const std::int64_t sliceEnd = clock_.MonotonicNanoseconds() + ReleaseSliceNanoseconds;
        do {
            releasing_[next++].reset();
        } while (next < releasing_.size() && clock_.MonotonicNanoseconds() < sliceEnd);
        if (next < releasing_.size()) {
            pump_.DoEvents();
            if (generation_ != generation) {
                return false;
            }
        }
    }
    releasing_.clear();
    return true;
}

void Optimizer::ReleaseBlocks() {
    blocks_.clear();
    releasing_.clear();
    if (optimizing_) {
        ++generation_;
        optimizing_ = false;
    }
}

} // namespace kelvo::optimizer
