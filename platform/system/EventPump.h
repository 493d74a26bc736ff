#pragma once

namespace kelvo::system {

// Lets pending events run from inside a long routine (timers, clicks, repaints). Handlers that run from
// it may call it again; implementations must allow that.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void DoEvents() = 0;
};

// The event loop of the application. Nesting is allowed up to MaxDepth levels; a deeper call returns at
// once, so that handlers which keep re-entering each other cannot exhaust the stack.
class QtEventPump : public EventPump {
public:
    void DoEvents() override;
    static constexpr int MaxDepth = 32;

private:
    int depth_ = 0;
};

} // namespace kelvo::system
