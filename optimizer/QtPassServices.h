#pragma once

#include <chrono>

#include <QCoreApplication>

#include "PassInterfaces.h"

namespace kelvo::optimizer {

// The application's event loop, run from inside the pass.
class QtEventPump final : public EventPump {
public:
    void ProcessEvents() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
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
