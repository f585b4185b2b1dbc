#pragma once

#include "platform/eventpump.h"

#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace dalmiro {

class Clock;

// The event pump of a running QApplication on the user-interface thread.
//
// processPendingEvents() makes one pass over the events waiting at the moment
// of the call (window system input and paints, posted events, due timers) and
// never blocks. waitForEvents() sleeps in the event dispatcher until the next
// event or the deadline, then handles what woke it: the caller burns no
// processor time between events. The deadline is kept to well under a
// millisecond by a kernel timer on Linux, and to the millisecond elsewhere by a
// precise Qt timer (on Windows, a multimedia timer of 1 ms resolution).
//
// In a web page the dispatcher's wait suspends the whole call stack and lets
// the browser run; the browser then hands timers, display frames and input
// to the toolkit in callbacks of its own, and none of them ends the wait. So
// there the pump ends the wait itself, at the first event the toolkit
// delivers during it, as the wait ends everywhere else.
class QtEventPump final : public EventPump
{
public:
    // `clock` is the one the deadlines are read from (Clock::monotonic).
    explicit QtEventPump(const Clock &clock);
    ~QtEventPump() override;
    QtEventPump(const QtEventPump &) = delete;
    QtEventPump &operator=(const QtEventPump &) = delete;

    void processPendingEvents() override;
    void waitForEvents(double deadline) override;

private:
    // Arms the wake-up `seconds` from now; false if it could not be armed.
    bool armWakeUp(double seconds);
    void wokenUp();

    const Clock &m_clock;
    double m_armedDeadline = -1.0; // the deadline the wake-up is set for
#if defined(__linux__)
    int m_wakeFd = -1;
    std::unique_ptr<QSocketNotifier> m_wakeNotifier;
#endif
    QTimer m_wakeTimer; // the fallback wake-up
#if defined(Q_OS_WASM)
    class WaitEnder;
    std::unique_ptr<WaitEnder> m_waitEnder;
#endif
};

} // namespace dalmiro
