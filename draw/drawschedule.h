#pragma once

#include <optional>

namespace dalmiro {

// The draw's one time line, in seconds on the monotonic clock: where the draw
// stands, when the latest ball was taken, the drum's ticks and how far they
// may run.
//
// Timer1 is not a timer of the toolkit and never wakes the program by itself.
// While it is enabled, a drum tick falls due every kTimer1Interval, counted
// from the moment it was enabled; whoever wakes the program (a display frame,
// the end of a pause) runs the ticks that fell due since the last wake-up, one
// at a time and in order. The draw's own steps lie on the same line: a pause
// starts where the draw stands and moves it to the pause's deadline, and
// ticks run only as far as the draw has reached (the horizon). So the draw
// makes the same changes in the same order however its ticks are delivered.
class DrawSchedule
{
public:
    // Timer1's interval: one drum tick per millisecond of draw time.
    static constexpr double kTimer1Interval = 0.001;
    // A draw that falls further behind the clock than this (a stopped process,
    // a machine that stalled) drops what it missed rather than replay it.
    static constexpr double kLagLimit = 0.25;
    // Due times are sums of floating-point seconds, compared with a clock that
    // may step in whole microseconds: a time this close counts as reached.
    static constexpr double kDueAllowance = 1e-7;

    // Timer1 enabled at `now`: its first tick falls due one interval later.
    // The draw stands at `now`, and no tick runs until the draw's next step
    // moves the horizon.
    void enableTimer1(double now);
    void disableTimer1() { m_timer1Enabled = false; }
    bool isTimer1Enabled() const { return m_timer1Enabled; }

    // How far the ticks run at `now`: up to `now`, or to the horizon where
    // the draw has not reached `now` yet. Ticks missed by more than
    // kLagLimit are dropped first.
    double tickLimit(double now);
    // The next tick, when it falls due by `limit`: counted as run, and its
    // due time returned.
    std::optional<double> takeTick(double limit);
    // The draw has reached `now`: no tick due by then waits for it.
    bool reaches(double now) const { return m_horizon >= now; }
    // While the draw waits for a ball, ticks run as they fall due.
    void openHorizon();

    // A pause of `tempo` from where the draw stands, or from kLagLimit
    // before `now` if it fell further behind. Returns its deadline, the new
    // horizon. The draw stands at the deadline once the pause has ended.
    double startPause(double tempo, double now);

    // The draw stands at `at`: the present moment, the end of a pause, or the
    // moment a ball was taken. The next pause starts there.
    void standAt(double at) { m_drawTime = at; }
    double drawTime() const { return m_drawTime; }

    // A ball was taken at `at`: the due time of the tick that brought it to
    // the exit, or where the draw stood when a pass of the wait loop took it.
    void takeBall(double at) { m_takenAt = at; }
    double ballTakenAt() const { return m_takenAt; }

private:
    double nextTickDue() const;

    bool m_timer1Enabled = false;
    // Tick n (from 1) of the run falls due at m_ticksFrom + n intervals.
    double m_ticksFrom = 0.0;
    long m_ticksRun = 0;
    double m_horizon = 0.0;
    double m_drawTime = 0.0;
    double m_takenAt = 0.0;
};

} // namespace dalmiro
