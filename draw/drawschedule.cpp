#include "draw/drawschedule.h"

#include <algorithm>
#include <limits>

namespace dalmiro {

void DrawSchedule::enableTimer1(double now)
{
    m_timer1Enabled = true;
    m_ticksFrom = now;
    m_ticksRun = 0;
    m_horizon = now;
    m_drawTime = now;
}

double DrawSchedule::nextTickDue() const
{
    return m_ticksFrom + double(m_ticksRun + 1) * kTimer1Interval;
}

double DrawSchedule::tickLimit(double now)
{
    const double missedBefore = now - kLagLimit;
    if (nextTickDue() < missedBefore)
        m_ticksRun = static_cast<long>((missedBefore - m_ticksFrom) / kTimer1Interval);
    return std::min(now, m_horizon) + kDueAllowance;
}

std::optional<double> DrawSchedule::takeTick(double limit)
{
    const double due = nextTickDue();
    if (due > limit)
        return std::nullopt;
    ++m_ticksRun;
    return due;
}

void DrawSchedule::openHorizon()
{
    m_horizon = std::numeric_limits<double>::infinity();
}

double DrawSchedule::startPause(double tempo, double now)
{
    // Each pause starts where the step before ended, so that no wake-up's
    // lateness adds up.
    const double start = std::max(m_drawTime, now - kLagLimit);
    m_horizon = start + tempo;
    return m_horizon;
}

} // namespace dalmiro
