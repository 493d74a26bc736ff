#pragma once

#include <chrono>

#include "PassInterfaces.h"
#include "platform/host/EventPump.h"

namespace kelvo::optimizer {

// The pass lets events run through the host's pump, the one every other caller uses: a click handled in
// the middle of a pass that runs the event loop again nests inside the same guard against going too deep.
class HostEventPump final : public EventPump {
public:
    explicit HostEventPump(host::EventPump& pump)
        : pump_(pump) {}
    void ProcessEvents() override { pump_.DoEvents(); }

private:
    host::EventPump& pump_;
};

class SteadyPassClock final : public PassClock {
public:
    std::int64_t Nanoseconds() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace kelvo::optimizer
