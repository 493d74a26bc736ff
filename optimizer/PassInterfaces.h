#pragma once

#include <cstdint>

namespace kelvo::optimizer {

// The progress bar of the main window, as the pass sees it.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetMax(std::int32_t max) = 0;
    virtual void SetValue(std::int32_t value) = 0;
};

} // namespace kelvo::optimizer
