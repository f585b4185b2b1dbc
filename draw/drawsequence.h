#pragma once

#include "draw/calcolo.h"

#include <array>

namespace dalmiro {

class Clock;
class EventPump;
class FormControls;
class RandomSource;

// The window's behaviour on the button: the whole animated draw, the drum's
// agitation on every timer tick, and the pause that keeps the window alive.
// Holds the form-level state, which starts empty and lasts as long as the
// window.
class DrawSequence
{
public:
    DrawSequence(FormControls &controls, EventPump &pump, Clock &clock, RandomSource &random);

    // Runs a whole draw before returning; the timer's ticks reach
    // Timer1_Timer() only through the event pump calls made inside it.
    void Command1_Click();
    void Timer1_Timer();
    // Returns once the monotonic clock has advanced by `tempo` seconds, having
    // handled the events that came meanwhile; it sleeps between them.
    void Pausa(double tempo);

    // The window is going away: a running draw stops when its current call of
    // the event pump returns and touches no control again; later ticks and
    // clicks do nothing. Safe to call at any time, from inside the pump too.
    void requestStop();
    bool isRunning() const { return m_running; }

    const DrawnNumbers &drawnNumbers() const { return m_drawnNumbers; }
    int drumPick() const { return m_drumPick; }
    int chuteLatch() const { return m_chuteLatch; }
    const std::array<int, 33> &slotFrames() const { return m_slotFrames; }

private:
    struct Stopped;

    void runDraw();
    void runChute(int k);
    void reveal(int k);
    void settle();
    void pause(double tempo);
    // The event pump, then an unwind to Command1_Click if the window is going.
    void pumpPendingEvents();
    void waitForEvents(double deadline);

    FormControls &m_controls;
    EventPump &m_pump;
    Clock &m_clock;
    RandomSource &m_random;

    DrawnNumbers m_drawnNumbers{};
    int m_drumPick = 0;
    int m_chuteLatch = 0;
    std::array<int, 33> m_slotFrames{};
    bool m_running = false;
    bool m_stopRequested = false;
};

} // namespace dalmiro
