#pragma once

#include "platform/clock.h"
#include "platform/eventpump.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>

namespace dalmiro::testing {

// A clock that stands still until the simulated event pump moves it, counted
// in whole microseconds so that runs are exactly repeatable.
class SimulatedTime final : public Clock
{
public:
    // `timeOfDayAtStart`: where the wall clock stands at time 0 (seconds since
    // midnight); it wraps to 0 at midnight, the monotonic clock does not.
    explicit SimulatedTime(double timeOfDayAtStart = 36000.0) : m_dayStart(timeOfDayAtStart) {}

    double timeOfDay() const override { return std::fmod(m_dayStart + seconds(), 86400.0); }
    double monotonic() const override { return kOrigin + seconds(); }

    std::int64_t now() const { return m_now; }
    void advance(std::int64_t micros) { m_now += micros; }
    void advanceTo(std::int64_t micros)
    {
        if (micros > m_now)
            m_now = micros;
    }
    // The first whole microsecond at which monotonic() reads `deadline` or more.
    std::int64_t firstAtOrAfter(double deadline) const
    {
        auto micros = static_cast<std::int64_t>(std::ceil((deadline - kOrigin) * 1e6));
        while (kOrigin + double(micros) / 1e6 < deadline)
            ++micros;
        while (kOrigin + double(micros - 1) / 1e6 >= deadline)
            --micros;
        return micros;
    }

private:
    static constexpr double kOrigin = 5000.0; // any fixed origin will do
    double seconds() const { return double(m_now) / 1e6; }

    double m_dayStart;
    std::int64_t m_now = 0;
};

// An event pump over simulated time with one periodic timer, Timer1, that
// behaves as a precise platform timer: a tick falls due every interval; an
// overdue timer fires once and is rescheduled from the present.
//
// processPendingEvents() costs `passCost` microseconds and runs a tick that
// is due. waitForEvents() either sleeps until the next tick or the deadline
// (Waiting::Sleeps, the mended behaviour) or returns as a pass would
// (Waiting::Polls: the caller spins). A polling caller reads the clock so
// often that it sees its deadline arrive: no pass runs on past the deadline
// of the last wait.
class SimulatedPump final : public EventPump
{
public:
    enum class Waiting
    {
        Sleeps,
        Polls
    };

    struct Config
    {
        Waiting waiting = Waiting::Sleeps;
        std::int64_t tickInterval = 1000;   // microseconds
        std::int64_t passCost = 100;        // microseconds
        std::int64_t runaway = 600'000'000; // a draw that runs this long is stuck
    };

    SimulatedPump(SimulatedTime &time, Config config) : m_time(time), m_config(config) {}

    // What a tick of Timer1 runs.
    std::function<void()> onTick;
    // Run inside the pump call numbered `closeAtCall` (from 1), before that
    // call's tick, as a close event would be.
    std::function<void()> onClose;
    long closeAtCall = 0;

    void setTimerEnabled(bool enabled)
    {
        if (enabled && !m_timerEnabled)
            m_due = m_time.now() + m_config.tickInterval;
        m_timerEnabled = enabled;
    }
    bool timerEnabled() const { return m_timerEnabled; }

    void processPendingEvents() override
    {
        ++m_passes;
        std::int64_t until = m_time.now() + m_config.passCost;
        if (m_config.waiting == Waiting::Polls && m_deadline > m_time.now())
            until = std::min(until, m_deadline);
        m_time.advanceTo(until);
        handleEvents();
    }

    void waitForEvents(double deadline) override
    {
        ++m_waits;
        if (m_config.waiting == Waiting::Polls) {
            m_deadline = deadline < 0 ? -1 : m_time.firstAtOrAfter(deadline);
            std::int64_t until = m_time.now() + m_config.passCost;
            if (m_deadline > m_time.now())
                until = std::min(until, m_deadline);
            m_time.advanceTo(until);
            handleEvents();
            return;
        }
        if (deadline < 0 && !m_timerEnabled)
            throw std::logic_error("waiting for an event that can never come");
        std::int64_t until = deadline < 0 ? m_due : m_time.firstAtOrAfter(deadline);
        if (m_timerEnabled && m_due < until)
            until = m_due;
        m_time.advanceTo(until);
        handleEvents();
    }

    long passes() const { return m_passes; }
    long waits() const { return m_waits; }
    long calls() const { return m_passes + m_waits; }
    long ticks() const { return m_ticks; }

private:
    void handleEvents()
    {
        if (m_time.now() > m_config.runaway)
            throw std::runtime_error("simulated time ran away");
        if (closeAtCall != 0 && calls() == closeAtCall && onClose)
            onClose();
        if (m_timerEnabled && m_time.now() >= m_due) {
            m_due += m_config.tickInterval;
            if (m_due <= m_time.now())
                m_due = m_time.now() + m_config.tickInterval;
            ++m_ticks;
            if (onTick)
                onTick();
        }
    }

    SimulatedTime &m_time;
    Config m_config;
    bool m_timerEnabled = false;
    std::int64_t m_due = 0;
    std::int64_t m_deadline = -1; // of the last wait, when polling
    long m_passes = 0;
    long m_waits = 0;
    long m_ticks = 0;
};

} // namespace dalmiro::testing
