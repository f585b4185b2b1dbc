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
//
// Timer1 ticks once per millisecond of draw time while it is enabled. The
// ticks fall due on that schedule whatever wakes the program; whoever wakes
// it (a display frame, the end of a pause) runs the ticks that fell due since
// the last one, in order, through runDueTicks(). The draw's own steps are
// placed on the same time line: a ball is taken at the moment its tick was
// due, and each pause starts where the previous step of the draw ended. So
// the draw makes the same changes in the same order however the ticks are
// delivered, and lags the clock by at most the time between two wake-ups.
class DrawSequence
{
public:
    // Timer1's interval: one drum tick per millisecond of draw time.
    static constexpr double kTimer1Interval = 0.001; // seconds

    DrawSequence(FormControls &controls, EventPump &pump, Clock &clock, RandomSource &random);

    // Runs a whole draw before returning; the ticks run only inside the event
    // pump calls made by it and at the end of its pauses.
    void Command1_Click();
    // One drum tick.
    void Timer1_Timer();
    // Runs, one at a time and in order, every tick of Timer1 that has fallen
    // due by now and that the draw has reached; while the draw waits for a
    // ball, a tick that takes one ends the batch and the ticks after it wait
    // for the next call. Does nothing while Timer1 is disabled. Call it at
    // every display frame, from inside the event pump. False when the draw
    // must go on (a pause has ended, a ball was taken) before the present
    // moment can be shown: call again once the event pump is next called.
    bool runDueTicks();
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
    // True while a drum tick runs.
    bool isInTick() const { return m_inTick; }
    // On the monotonic clock: when the latest ball was taken (the moment its
    // tick was due), and the draw time the draw has reached.
    double ballTakenAt() const { return m_takenAt; }
    double drawTime() const { return m_drawTime; }

private:
    struct Stopped;

    void runDraw();
    // One pass of the wait loop: true when it takes a ball.
    bool passTakesBall();
    void startTicks();
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

    // Timer1's schedule: tick n of the run is due at m_ticksFrom + n intervals.
    bool m_ticking = false;
    bool m_inTick = false;
    double m_ticksFrom = 0.0;
    long m_ticksRun = 0;
    // Ticks due after this draw time wait until the draw has reached it:
    // the end of the current pause, or the pass that follows a reveal.
    double m_tickHorizon = 0.0;
    // While the wait loop waits for a ball, each tick is followed by its pass.
    bool m_waitingForBall = false;
    bool m_ballTaken = false;
    double m_takenAt = 0.0;
    // Where the draw stands on the monotonic clock: the next pause starts here.
    double m_drawTime = 0.0;
};

} // namespace dalmiro
