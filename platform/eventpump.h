#pragma once

namespace dalmiro {

// How the draw keeps the window alive while it runs without returning to the
// event loop.
class EventPump
{
public:
    virtual ~EventPump() = default;

    // Handles every event waiting at the moment of the call (paints, due
    // timer ticks, input) and returns without waiting for more.
    virtual void processPendingEvents() = 0;
    // Blocks until an event arrives or the monotonic clock reaches `deadline`
    // (seconds, see Clock::monotonic), whichever is first; may handle the
    // events that woke it. A negative deadline waits for an event only.
    virtual void waitForEvents(double deadline) = 0;
};

} // namespace dalmiro
