#pragma once

#include <cstdint>
#include <vector>

#include "BlockAllocator.h"
#include "MemoryFigures.h"
#include "PassInterfaces.h"
#include "platform/system/Clock.h"
#include "platform/system/EventPump.h"

namespace kelvo::optimizer {

// The memory optimizer's program-wide values and the optimization pass: it commits and fills blocks one
// after the other, letting the event loop run between them, then gives them all back.
class Optimizer {
public:
    Optimizer(BlockAllocator& allocator, system::EventPump& pump, system::Clock& clock);

    // The progress bar the pass drives; null until the main window exists.
    void SetProgress(ProgressSink* progress) { progress_ = progress; }

    // Runs a pass of count blocks, fewer when the memory that must stay available allows fewer at the start,
    // so the progress bar describes the pass that really runs. A block refused because memory got tighter
    // during the pass ends it normally. A pass asked for while one runs (from a timer or a click handled
    // during the pass's event-loop turns) is ignored: it would replace the running pass's blocks. Returns
    // false when the pass was ignored, failed or was cut short by ReleaseBlocks.
    bool OptimizeRAM(std::int16_t count);

    // What a request for a pass came to.
    enum class PassOutcome { NotRun, Completed, Failed };
    // The pass the "Free RAM Now" button and the scheduler ask for: as many blocks as the chosen level takes
    // of the figures last read (BlockCount). NotRun while a pass runs or when that count does not fit a
    // pass; Failed when the pass failed or was cut short.
    PassOutcome OptimizeNow();

    // Gives back every block, also those of a running pass, which then stops at its next event-loop turn.
    void ReleaseBlocks();

    bool Optimizing() const { return optimizing_; }
    // Blocks committed by the running pass (the pass's array has count + 1 elements; the last stays empty).
    std::size_t CommittedBlocks() const;
    const std::vector<BlockPtr>& Blocks() const { return blocks_; }

    std::int16_t LevelPercent = 40;
    MemoryFigures Figures;

    // Longest release batch between two event-loop turns before the pump runs again.
    static constexpr std::int64_t ReleaseSliceNanoseconds = 8'000'000;

private:
    // False when the pass was cut short during one of its event-loop turns.
    bool ReleaseInSlices(std::uint64_t generation);
    bool PumpTwice(std::uint64_t generation);
    void SetMax(std::int32_t max);
    void SetValue(std::int32_t value);

    BlockAllocator& allocator_;
    system::EventPump& pump_;
    system::Clock& clock_;
    ProgressSink* progress_ = nullptr;

    std::vector<BlockPtr> blocks_;
    std::vector<BlockPtr> releasing_;
    bool optimizing_ = false;
    // Counts passes started and passes cut short. A pass checks it after every event-loop turn: a change
    // means ReleaseBlocks ran during the turn, and perhaps a new pass started and now owns the blocks, so the
    // old pass must not touch them again.
    std::uint64_t generation_ = 0;
};

} // namespace kelvo::optimizer
