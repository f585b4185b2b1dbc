// The drum tick and the pause, one call at a time.
#include "drawrig.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dalmiro::testing {
namespace {

struct TickCase
{
    const char *name;
    double reused;  // the value last drawn before the tick
    int show;       // 0 to 9 as drawn
    int drawnFrame; // 1 to 15 as drawn
    int slot;
    bool visible;
    const char *frame; // the picture the slot receives
};

void PrintTo(const TickCase &c, std::ostream *os)
{
    *os << c.name;
}

class DrumTick : public ::testing::TestWithParam<TickCase>
{
};

TEST_P(DrumTick, picksFromTheReusedValueAndDrawsTwoMore)
{
    const TickCase &c = GetParam();
    ScriptedRandom random({c.reused, valueFor(c.show, 10, 0), valueFor(c.drawnFrame, 15, 1)});
    random.nextRandom(); // the value the tick reuses, drawn before it
    RecordingControls controls;
    SimulatedTime time;
    SimulatedPump pump(time, {});
    DrawSequence draw(controls, pump, time, random);

    draw.Timer1_Timer();

    const std::string at = "image1(" + std::to_string(c.slot) + ")";
    EXPECT_EQ(DrawRig::texts(controls.ops),
              (std::vector<std::string>{at + (c.visible ? " show" : " hide"),
                                        at + " picture " + c.frame, at + " refresh"}));
    EXPECT_EQ(draw.drumPick(), c.slot);
    EXPECT_EQ(std::to_string(draw.slotFrames()[std::size_t(c.slot)]), c.frame);
    EXPECT_EQ(random.consumed(), 3u) << "the pick must not advance the random source";
    EXPECT_EQ(pump.calls(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DrumTick,
    ::testing::Values(TickCase{"zeroPicksSlot0", 0.0, 5, 1, 0, true, "1"},
                      TickCase{"topOfRangePicksTheExit", 0.9999, 9, 10, 31, true, "10"},
                      TickCase{"showBelowFiveHides", valueFor(12, 32, 0), 4, 8, 12, false, "8"},
                      TickCase{"showFromFiveShows", valueFor(12, 32, 0), 5, 2, 12, true, "2"},
                      TickCase{"elevenBecomesNine", valueFor(20, 32, 0), 0, 11, 20, false, "9"},
                      TickCase{"fifteenBecomesNine", valueFor(7, 32, 0), 9, 15, 7, true, "9"},
                      TickCase{"hiddenSlotStillGetsItsFrame", valueFor(30, 32, 0), 0, 3, 30, false,
                               "3"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(DrumTick, beforeAnyValueTheReusedValueCountsAsZero)
{
    ScriptedRandom random({valueFor(7, 10, 0), valueFor(4, 15, 1)});
    RecordingControls controls;
    SimulatedTime time;
    SimulatedPump pump(time, {});
    DrawSequence draw(controls, pump, time, random);

    draw.Timer1_Timer();

    EXPECT_EQ(
        DrawRig::texts(controls.ops),
        (std::vector<std::string>{"image1(0) show", "image1(0) picture 4", "image1(0) refresh"}));
}

TEST(DrumTick, onlyThePickedSlotRemembersItsFrame)
{
    ScriptedRandom random({valueFor(3, 32, 0), 0.9, valueFor(6, 15, 1), 0.1, valueFor(2, 15, 1)});
    random.nextRandom();
    RecordingControls controls;
    SimulatedTime time;
    SimulatedPump pump(time, {});
    DrawSequence draw(controls, pump, time, random);

    draw.Timer1_Timer(); // slot 3 gets frame 6; the value for 6 reused picks slot 11
    draw.Timer1_Timer();

    std::array<int, 33> expected{};
    expected[3] = 6;
    expected[11] = 2;
    EXPECT_EQ(draw.slotFrames(), expected);
    EXPECT_EQ(draw.drumPick(), 11);
}

struct PauseCase
{
    const char *name;
    double tempo;
    bool timerOn;
    long maxCalls; // sleeping between events: a pass and a wait per event
};

void PrintTo(const PauseCase &c, std::ostream *os)
{
    *os << c.name;
}

class Pause : public ::testing::TestWithParam<PauseCase>
{
};

TEST_P(Pause, endsWithinOnePassOfItsDeadlineWithoutSpinning)
{
    const PauseCase &c = GetParam();
    DrawRig rig;
    int ticks = 0;
    rig.pump.onTick = [&] { ++ticks; };
    rig.pump.setTimerEnabled(c.timerOn);
    const std::int64_t start = rig.time.now();
    const std::int64_t deadline = start + std::int64_t(c.tempo * 1e6 + 0.5);

    rig.draw.Pausa(c.tempo);

    EXPECT_GE(rig.time.now(), deadline - 1);
    EXPECT_LE(rig.time.now(), deadline + 101) << "more than one pass late";
    EXPECT_LE(rig.pump.calls(), c.maxCalls);
    EXPECT_EQ(ticks, c.timerOn ? int(c.tempo * 1000) : 0) << "every due tick runs inside";
    EXPECT_TRUE(rig.controls.ops.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Pause,
                         ::testing::Values(PauseCase{"chuteStepWithTheDrumTurning", 0.1, true,
                                                     2 * 100 + 2},
                                           PauseCase{"chuteStepAlone", 0.1, false, 2},
                                           PauseCase{"settleStep", 0.04, false, 2},
                                           PauseCase{"shorterThanAPass", 0.00005, false, 1},
                                           PauseCase{"zeroReturnsAtOnce", 0.0, true, 0}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(Pause, acrossMidnightStillLastsItsTime)
{
    SimulatedTime time(86399.95);
    RecordingControls controls;
    SimulatedPump pump(time, {});
    ScriptedRandom random;
    DrawSequence draw(controls, pump, time, random);

    draw.Pausa(0.1);

    EXPECT_GE(time.now(), 100000);
    EXPECT_LE(time.now(), 100100);
    EXPECT_LT(time.timeOfDay(), 1.0) << "the wall clock did wrap during the pause";
}

TEST(Pause, whenPollingRunsEveryPassUntilTheDeadline)
{
    // The waits of a pump that cannot sleep return at once: the pause then
    // makes one call per pass, and still ends on time.
    DrawRig rig({SimulatedPump::Waiting::Polls, 1000, 100});
    rig.draw.Pausa(0.04);
    EXPECT_NEAR(double(rig.time.now()), 40000.0, 1.0);
    EXPECT_EQ(rig.pump.calls(), 400);
}

TEST(Stop, whileIdleTheNextClickAndTickDoNothing)
{
    DrawRig rig;
    rig.draw.requestStop();
    rig.draw.Command1_Click();
    rig.draw.Timer1_Timer();
    EXPECT_TRUE(rig.controls.ops.empty());
    EXPECT_EQ(rig.random.reseeds(), 0);
    EXPECT_FALSE(rig.draw.isRunning());
}

} // namespace
} // namespace dalmiro::testing
