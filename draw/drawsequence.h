#pragma once

#include "draw/calcolo.h"
#include "draw/drawschedule.h"

#include <array>

namespace dalmiro {

class Clock;
class DrawListener;
class EventPump;
class FormControls;
class RandomSource;

// The window's behaviour on the button: the whole animated draw, the drum's
// agitation on every timer tick, and the pause that keeps the window alive.
// Holds the form-level state, which starts empty and lasts as long as the
// window, and tells a listener the draw's moments.
//
// Timer1 ticks once per millisecond of draw time while it is enabled, on the
// draw's time line (DrawSchedule); whoever wakes the program (a display
// frame, the end of a pause) runs the ticks that fell due since the last one,
// in order, through runDueTicks(). A ball is taken at the moment its tick was
// due, and each pause starts where the previous step of the draw ended. So
// the draw makes the same changes in the same order however the ticks are
// delivered, and lags the clock by at most the time between two wake-ups.
class DrawSequence
{
public:
    DrawSequence(FormControls &controls, EventPump &pump, Clock &clock, RandomSource &random);

    // Who hears the draw's moments; none by default. Not owned.
    void setListener(DrawListener *listener) { m_listener = listener; }

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
    double ballTakenAt() const { return m_schedule.ballTakenAt(); }
    double drawTime() const { return m_schedule.drawTime(); }

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
    DrawListener *m_listener = nullptr;

    DrawnNumbers m_drawnNumbers{};
    int m_drumPick = 0;
    int m_chuteLatch = 0;
    std::array<int, 33> m_slotFrames{};
    bool m_running = false;
    bool m_stopRequested = false;

    DrawSchedule m_schedule;
    bool m_inTick = false;
    // While the wait loop waits for a ball, each tick is followed by its pass.
    bool m_waitingForBall = false;
    // A tick took a ball that the draw has not yet sent down the chute.
    bool m_ballTaken = false;
};

} // namespace dalmiro
