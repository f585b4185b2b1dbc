// The draw's time line on its own: which ticks run at a wake-up, and where
// pauses start and end.
#include "draw/drawschedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace dalmiro {
namespace {

constexpr double kStart = 100.0; // Timer1 enabled here
constexpr double kMs = DrawSchedule::kTimer1Interval;

struct Wakeup
{
    const char *rule;
    std::function<void(DrawSchedule &)> step; // what the draw did before waking
    double now;
    int ticks; // run at this wake-up
    double firstDue, lastDue;
    bool reaches;
};

void PrintTo(const Wakeup &w, std::ostream *os)
{
    *os << w.rule;
}

class TicksAtAWakeup : public ::testing::TestWithParam<Wakeup>
{
};

TEST_P(TicksAtAWakeup, runInOrderAsFarAsTheDrawHasReached)
{
    const Wakeup &w = GetParam();
    DrawSchedule schedule;
    schedule.enableTimer1(kStart);
    w.step(schedule);
    const double limit = schedule.tickLimit(w.now);
    std::vector<double> due;
    while (const auto next = schedule.takeTick(limit))
        due.push_back(*next);
    ASSERT_EQ(int(due.size()), w.ticks);
    if (!due.empty()) {
        EXPECT_NEAR(due.front(), w.firstDue, 1e-9);
        EXPECT_NEAR(due.back(), w.lastDue, 1e-9);
        for (std::size_t i = 1; i < due.size(); ++i)
            EXPECT_NEAR(due[i] - due[i - 1], kMs, 1e-9);
    }
    EXPECT_EQ(schedule.reaches(w.now), w.reaches);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, TicksAtAWakeup,
    ::testing::Values(
        Wakeup{"noTickBeforeTheDrawsFirstStep", [](DrawSchedule &) {}, kStart + 0.5, 0, 0, 0,
               false},
        Wakeup{"waitingForABallEveryDueTickRuns", [](DrawSchedule &s) { s.openHorizon(); },
               kStart + 0.0035, 3, kStart + kMs, kStart + 3 * kMs, true},
        Wakeup{"aPauseLetsTicksRunToItsDeadlineOnly",
               [](DrawSchedule &s) { s.startPause(0.1, kStart); }, kStart + 0.2, 100,
               kStart + kMs, kStart + 0.1, false},
        Wakeup{"ticksMissedBeyondTheLagLimitAreDropped",
               [](DrawSchedule &s) { s.openHorizon(); }, kStart + 1.0, 250, kStart + 0.751,
               kStart + 1.0, true}),
    [](const ::testing::TestParamInfo<Wakeup> &wakeup) { return std::string(wakeup.param.rule); });

struct PauseCase
{
    const char *rule;
    double standsAt, now, tempo;
    double deadline;
};

TEST(DrawSchedule, aPauseStartsWhereTheDrawStandsUnlessItFellBehindTheLagLimit)
{
    const PauseCase cases[] = {
        {"onTime", kStart, kStart, 0.1, kStart + 0.1},
        {"aLateWakeupAddsNothing", kStart, kStart + 0.05, 0.1, kStart + 0.1},
        {"aStallIsDropped", kStart, kStart + 1.0, 0.1, kStart + 1.0 - 0.25 + 0.1},
    };
    for (const PauseCase &c : cases) {
        DrawSchedule schedule;
        schedule.standAt(c.standsAt);
        EXPECT_NEAR(schedule.startPause(c.tempo, c.now), c.deadline, 1e-9) << c.rule;
        EXPECT_EQ(schedule.drawTime(), c.standsAt) << c.rule << ": moves only once it ends";
    }
}

} // namespace
} // namespace dalmiro
