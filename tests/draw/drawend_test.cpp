// How a draw ends: the settle pass, and a window closed at any moment.
#include "drawrig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <set>

namespace dalmiro::testing {
namespace {

using Texts = std::vector<std::string>;

std::vector<RecordingControls::Op> afterTimerStops(const DrawRig &rig)
{
    auto own = rig.drawOps();
    auto stop = std::find_if(own.begin(), own.end(),
                             [](const auto &op) { return op.text == "Timer1 enabled 0"; });
    EXPECT_NE(stop, own.end());
    return {stop == own.end() ? stop : stop + 1, own.end()};
}

struct Settle
{
    const char *name;
    std::set<int> shownAtStart; // every other slot starts hidden
    bool exitShown;             // what the ticks leave in slot 31
    Texts expected;
};

void PrintTo(const Settle &s, std::ostream *os)
{
    *os << s.name;
}

class SettlePass : public ::testing::TestWithParam<Settle>
{
};

TEST_P(SettlePass, walksEveryShownSlotDownBySevensAndHidesIt)
{
    const Settle &s = GetParam();
    // A jolly of 90 leaves a value that makes the first tick pick slot 31 too.
    DrawRig rig({}, s.exitShown ? exitAlwaysShown : exitAlwaysHidden, {50, 10, 60, 70, 11, 80, 90});
    for (int i = 0; i < 48; ++i)
        rig.controls.image1Visible[std::size_t(i)] = s.shownAtStart.count(i) != 0;

    rig.draw.Command1_Click();

    const auto ops = afterTimerStops(rig);
    Texts expected = s.expected;
    expected.push_back("Command1 enabled 1");
    EXPECT_EQ(DrawRig::texts(ops), expected);
    for (std::size_t i = 0; i + 1 < ops.size(); ++i)
        if (ops[i].text.find(") show") != std::string::npos) {
            EXPECT_GE(ops[i + 1].time - ops[i].time, 39999) << ops[i].text;
            EXPECT_LE(ops[i + 1].time - ops[i].time, 40101) << ops[i].text;
        }
    for (int i = 0; i <= 44; ++i)
        EXPECT_FALSE(rig.controls.image1Visible[std::size_t(i)]) << "slot " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettlePass,
    ::testing::Values(
        Settle{"nothingShown", {}, false, {}},
        Settle{"slot6OnlyAt6", {6}, false, {"image1(6) hide", "image1(6) show", "image1(6) hide"}},
        Settle{"slot10At10ThenAt3",
               {10},
               false,
               {"image1(10) hide", "image1(10) show", "image1(10) hide", "image1(3) show",
                "image1(3) hide"}},
        Settle{"exitWalksThroughTheHeap",
               {},
               true,
               {"image1(31) hide", "image1(31) show", "image1(31) hide", "image1(24) show",
                "image1(24) hide", "image1(17) show", "image1(17) hide", "image1(10) show",
                "image1(10) hide", "image1(3) show", "image1(3) hide"}},
        Settle{"inIndexOrderCrossingEachOther",
               {24, 3, 17},
               false,
               {"image1(3) hide", "image1(3) show", "image1(3) hide", "image1(17) hide",
                "image1(17) show", "image1(17) hide", "image1(10) show", "image1(10) hide",
                "image1(3) show", "image1(3) hide", "image1(24) hide", "image1(24) show",
                "image1(24) hide", "image1(17) show", "image1(17) hide", "image1(10) show",
                "image1(10) hide", "image1(3) show", "image1(3) hide"}},
        Settle{"chuteSlotsAreAlreadyHidden", {33, 40, 44, 45, 47}, false, {}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(SettlePass, firstDrawMovesEverySlotNoTickHasHidden)
{
    // Every slot starts shown; ticks that only hide leave the unpicked ones.
    DrawRig rig({}, [](long tick) { return TickChoice{false, int(tick % 5) == 4 ? 31 : 2}; });
    std::array<bool, 48> atSettle{};
    rig.controls.onTimer1 = [&](bool enabled) {
        rig.pump.setTimerEnabled(enabled);
        if (!enabled)
            atSettle = rig.controls.image1Visible;
    };
    rig.draw.Command1_Click();

    std::set<int> expectedStarts;
    for (int i = 0; i <= 30; ++i)
        if (i != 1 && i != 2) // the only picks apart from the exit
            expectedStarts.insert(i);
    std::set<int> shown;
    for (int i = 0; i < 48; ++i)
        if (atSettle[std::size_t(i)])
            shown.insert(i);
    EXPECT_EQ(shown, expectedStarts);

    // Each walk starts by hiding its slot, the first operation after the
    // previous walk; walks start in increasing slot order.
    std::vector<int> starts;
    bool walkEnded = true;
    for (const auto &op : afterTimerStops(rig)) {
        const bool hide = op.text.find(") hide") != std::string::npos;
        if (hide && walkEnded)
            starts.push_back(std::atoi(op.text.c_str() + 7));
        walkEnded = hide;
    }
    EXPECT_EQ(starts, std::vector<int>(expectedStarts.begin(), expectedStarts.end()));
}

// Closing the window: the close arrives inside the pump call numbered `at`.
DrawRig &closeAt(DrawRig &rig, long at)
{
    rig.pump.closeAtCall = at;
    rig.pump.onClose = [&rig] {
        rig.controls.closed = true;
        rig.draw.requestStop();
    };
    return rig;
}

class CloseDuringDraw : public ::testing::TestWithParam<int>
{
};

TEST_P(CloseDuringDraw, stopsAtThatPumpCallAndTouchesNothingMore)
{
    const SimulatedPump::Config config{SimulatedPump::Waiting::Sleeps, 4000, 100};
    DrawRig reference(config);
    reference.draw.Command1_Click();
    const long total = reference.pump.calls();
    const long at = std::max(1L, total * GetParam() / 40);

    DrawRig rig(config);
    closeAt(rig, at);
    EXPECT_NO_THROW(rig.draw.Command1_Click());

    EXPECT_EQ(rig.pump.calls(), at) << "the pump was called again after the close";
    EXPECT_EQ(rig.controls.opsAfterClose, 0);
    EXPECT_FALSE(rig.draw.isRunning());
    // The timer the window still runs, and a click, find nothing to do.
    const std::size_t before = rig.controls.ops.size();
    rig.draw.Timer1_Timer();
    rig.draw.Command1_Click();
    EXPECT_EQ(rig.controls.ops.size(), before);
}

// 0 to 40 fortieths of a whole draw: resetting, waiting, chute runs, the
// settle pass, and the last call of all.
INSTANTIATE_TEST_SUITE_P(Moments, CloseDuringDraw, ::testing::Range(0, 41));

TEST(CloseDuringDraw, aTickDueInTheSameCallAsTheCloseDrawsNothing)
{
    // With a pass as long as a tick interval, every call runs a tick.
    DrawRig rig({SimulatedPump::Waiting::Sleeps, 1000, 1000});
    closeAt(rig, 40);
    rig.draw.Command1_Click();
    EXPECT_EQ(rig.pump.calls(), 40);
    EXPECT_EQ(rig.pump.ticks(), rig.random.ticksServed() + 1) << "the last tick was not run";
    EXPECT_EQ(rig.controls.opsAfterClose, 0);
}

TEST(CloseDuringDraw, duringAPauseOfTheSettlePass)
{
    DrawRig rig;
    closeAt(rig, 0);
    rig.controls.onTimer1 = [&](bool enabled) {
        rig.pump.setTimerEnabled(enabled);
        if (!enabled)
            rig.pump.closeAtCall = rig.pump.calls() + 3; // the second settle pause
    };
    rig.draw.Command1_Click();
    ASSERT_TRUE(rig.controls.closed);
    EXPECT_EQ(rig.controls.opsAfterClose, 0);
    EXPECT_FALSE(rig.controls.command1Enabled) << "the draw ran on to its end";
}

} // namespace
} // namespace dalmiro::testing
