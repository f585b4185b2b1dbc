// The draw's time line on its own: which ticks a wake-up runs, and where a
// pause starts.
#include "draw/drawschedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace dalmiro {
namespace {

constexpr double kStart = 100.0; // Timer1 enabled here
constexpr double kMs = DrawSchedule::kTimer1Interval;

struct Wakeup
{
    const char *rule;
    std::function<void(DrawSchedule &)> before; // the draw's step before waking
    double now;
    std::vector<double> due; // the first and last tick run, or none
    bool reaches;
};

TEST(DrawSchedule, aWakeupRunsTheDueTicksInOrderAsFarAsTheDrawHasReached)
{
    const Wakeup wakeups[] = {
        {"noTickBeforeTheDrawsFirstStep", [](DrawSchedule &) {}, kStart + 0.5, {}, false},
        {"waitingForABallEveryDueTickRuns", [](DrawSchedule &s) { s.openHorizon(); },
         kStart + 0.0035, {kStart + kMs, kStart + 3 * kMs}, true},
        {"aPauseLetsTicksRunToItsDeadlineOnly", [](DrawSchedule &s) { s.startPause(0.1, kStart); },
         kStart + 0.2, {kStart + kMs, kStart + 0.1}, false},
        {"ticksMissedBeyondTheLagLimitAreDropped", [](DrawSchedule &s) { s.openHorizon(); },
         kStart + 1.0, {kStart + 0.751, kStart + 1.0}, true},
    };
    for (const Wakeup &w : wakeups) {
        DrawSchedule schedule;
        schedule.enableTimer1(kStart);
        w.before(schedule);
        const double limit = schedule.tickLimit(w.now);
        std::vector<double> due;
        while (const auto next = schedule.takeTick(limit))
            due.push_back(*next);
        ASSERT_EQ(due.empty(), w.due.empty()) << w.rule;
        if (!due.empty()) {
            EXPECT_NEAR(due.front(), w.due.front(), 1e-9) << w.rule;
            EXPECT_NEAR(due.back(), w.due.back(), 1e-9) << w.rule;
            EXPECT_EQ(due.size(), std::size_t(std::lround((due.back() - due.front()) / kMs)) + 1)
                << w.rule << ": one tick per interval";
        }
        EXPECT_EQ(schedule.reaches(w.now), w.reaches) << w.rule;
    }
}

TEST(DrawSchedule, aPauseStartsWhereTheDrawStandsUnlessItFellBehindTheLagLimit)
{
    const struct
    {
        const char *rule;
        double now, deadline; // the draw stands at kStart; a pause of 0.1
    } pauses[] = {{"onTime", kStart, kStart + 0.1},
                  {"aLateWakeupAddsNothing", kStart + 0.05, kStart + 0.1},
                  {"aStallIsDropped", kStart + 1.0, kStart + 1.0 - 0.25 + 0.1}};
    for (const auto &p : pauses) {
        DrawSchedule schedule;
        schedule.standAt(kStart);
        EXPECT_NEAR(schedule.startPause(0.1, p.now), p.deadline, 1e-9) << p.rule;
        EXPECT_EQ(schedule.drawTime(), kStart) << p.rule << ": it moves once the pause ends";
    }
}

} // namespace
} // namespace dalmiro
