// Whole draws in simulated time against a recording window.
#include "drawrig.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dalmiro::testing {
namespace {

using Op = RecordingControls::Op;
using Texts = std::vector<std::string>;

constexpr std::int64_t kPass = 100;    // microseconds, the simulated cost of a pass
constexpr std::int64_t kStep = 100000; // the chute's pause
// A deadline computed in floating point may fall a microsecond late.
constexpr double kRounding = 2.0;

std::size_t indexOf(const std::vector<Op> &ops, const std::string &text, std::size_t from = 0)
{
    for (std::size_t i = from; i < ops.size(); ++i)
        if (ops[i].text == text)
            return i;
    ADD_FAILURE() << "no operation \"" << text << "\"";
    return ops.size();
}

const Texts kReset = {"jolly hide",       "Command1 enabled 0", "cerchio hide",
                      "numeri(0) hide",   "estratto(0) hide",   "numeri(1) hide",
                      "estratto(1) hide", "numeri(2) hide",     "estratto(2) hide",
                      "numeri(3) hide",   "estratto(3) hide",   "numeri(4) hide",
                      "estratto(4) hide", "numeri(5) hide",     "estratto(5) hide",
                      "numeri(6) hide",   "Timer1 enabled 1"};

TEST(WholeDraw, tellsEachMomentOnceInOrderAtTheTimeItShows)
{
    DrawRig rig;
    rig.draw.Command1_Click();
    const auto &ops = rig.controls.ops;
    const auto &moments = rig.controls.moments;

    // Each moment, with the operation that shows it: told no earlier than
    // the draw reached it, and no later than that operation.
    const std::vector<std::pair<std::string, std::string>> expected{
        {"began", "jolly hide"},
        {"result 0 50", "numeri(0) show"},
        {"result 1 10", "numeri(1) show"},
        {"result 2 60", "numeri(2) show"},
        {"result 3 70", "numeri(3) show"},
        {"result 4 11", "numeri(4) show"},
        {"result 5 80", "numeri(5) show"},
        {"result 6 5", "numeri(6) show"},
        {"ended 50 10 60 70 11 80 5", "Command1 enabled 1"},
    };
    ASSERT_EQ(moments.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(moments[i].text, expected[i].first);
        const Op &shown = ops[indexOf(ops, expected[i].second)];
        EXPECT_LE(moments[i].time, shown.time + 2) << expected[i].first;
        EXPECT_GE(moments[i].time, shown.time - kStep) << expected[i].first;
    }
}

TEST(WholeDraw, firstDrawStartsFromEmptyStateAndTakesAtTheFirstExitPick)
{
    DrawRig rig;
    EXPECT_EQ(rig.draw.drumPick(), 0);
    EXPECT_EQ(rig.draw.chuteLatch(), 0);
    EXPECT_EQ(rig.draw.drawnNumbers(), DrawnNumbers{});

    rig.draw.Command1_Click();

    const auto own = rig.drawOps();
    const Texts texts = DrawRig::texts(own);
    EXPECT_EQ(Texts(texts.begin(), texts.begin() + 17), kReset);
    EXPECT_EQ(rig.random.reseeds(), 1) << "one call of the generator per draw";
    EXPECT_EQ(rig.draw.drawnNumbers(), (DrawnNumbers{50, 10, 60, 70, 11, 80, 5, 0}));

    // The first tick reuses the generator's last value (for 5): slot 1. The
    // regular drum then walks 0, 1, 2, 3 and brings slot 31 up at the sixth.
    const auto &ops = rig.controls.ops;
    EXPECT_EQ(ops[indexOf(ops, "Timer1 enabled 1") + 1].text, "image1(1) hide");
    std::vector<const Op *> tickPictures;
    for (const auto &op : ops)
        if (op.inTick && op.text.find(" picture ") != std::string::npos)
            tickPictures.push_back(&op);
    ASSERT_GT(tickPictures.size(), 6u);
    EXPECT_EQ(tickPictures[4]->text, "image1(3) picture 9") << "the value that picks 31";
    EXPECT_EQ(tickPictures[5]->text.rfind("image1(31) picture", 0), 0u);

    const Op &firstFrame = own[17];
    ASSERT_EQ(firstFrame.text, "image1(31) show");
    const std::int64_t taken = firstFrame.time - kStep;
    EXPECT_GE(taken, tickPictures[5]->time) << "a ball was taken before slot 31 came up";
    EXPECT_LE(taken, tickPictures[5]->time + kPass) << "the pass after the pick took no ball";
}

struct BallRun
{
    int k;
    int lastSlot; // one place above result ball k
    Texts reveal;
};

void PrintTo(const BallRun &r, std::ostream *os)
{
    *os << "ball " << r.k;
}

class ChuteRun : public ::testing::TestWithParam<BallRun>
{
};

TEST_P(ChuteRun, rollsEveryPositionWithNineFramesThenRevealsTheBall)
{
    const BallRun &r = GetParam();
    DrawRig rig;
    rig.draw.Command1_Click();
    const auto own = rig.drawOps();

    // The run of ball k follows the reveal of ball k - 1 (or the reset).
    std::size_t begin = 17;
    if (r.k > 0)
        begin = indexOf(own, "numeri(" + std::to_string(r.k - 1) + ") show") + 1;
    Texts expected;
    std::vector<std::size_t> stepStarts;
    for (int j = 31; j <= r.lastSlot; ++j) {
        const std::string at = "image1(" + std::to_string(j) + ")";
        stepStarts.push_back(begin + expected.size());
        for (int m = 1; m <= 9; ++m) {
            expected.push_back(at + " show");
            expected.push_back(at + " picture " + std::to_string(m));
            expected.push_back(at + " refresh");
        }
        if (j > 31)
            expected.push_back("image1(" + std::to_string(j - 1) + ") hide");
    }
    expected.push_back("image1(" + std::to_string(r.lastSlot) + ") hide");
    expected.insert(expected.end(), r.reveal.begin(), r.reveal.end());

    ASSERT_LE(begin + expected.size(), own.size());
    const Texts texts = DrawRig::texts(own);
    EXPECT_EQ(Texts(texts.begin() + long(begin), texts.begin() + long(begin + expected.size())),
              expected);
    EXPECT_EQ(stepStarts.size(), std::size_t(17 - r.k));
    for (std::size_t s = 1; s < stepStarts.size(); ++s) {
        const std::int64_t gap = own[stepStarts[s]].time - own[stepStarts[s - 1]].time;
        EXPECT_GE(gap, kStep - 2) << "step " << s;
        EXPECT_LE(gap, kStep + kPass + 2) << "step " << s;
    }
}

INSTANTIATE_TEST_SUITE_P(Balls, ChuteRun,
                         ::testing::Values(BallRun{0,
                                                   47,
                                                   {"estratto(0) picture PALLA", "estratto(0) show",
                                                    "numeri(0) caption 50", "numeri(0) show"}},
                                           BallRun{1,
                                                   46,
                                                   {"estratto(1) picture PALLA", "estratto(1) show",
                                                    "numeri(1) caption 10", "numeri(1) show"}},
                                           BallRun{2,
                                                   45,
                                                   {"estratto(2) picture PALLA", "estratto(2) show",
                                                    "numeri(2) caption 60", "numeri(2) show"}},
                                           BallRun{3,
                                                   44,
                                                   {"estratto(3) picture PALLA", "estratto(3) show",
                                                    "numeri(3) caption 70", "numeri(3) show"}},
                                           BallRun{4,
                                                   43,
                                                   {"estratto(4) picture PALLA", "estratto(4) show",
                                                    "numeri(4) caption 11", "numeri(4) show"}},
                                           BallRun{5,
                                                   42,
                                                   {"estratto(5) picture PALLA", "estratto(5) show",
                                                    "numeri(5) caption 80", "numeri(5) show"}},
                                           BallRun{6,
                                                   41,
                                                   {"jolly picture PALLA", "numeri(6) caption 5",
                                                    "jolly show", "cerchio show", "numeri(6) show",
                                                    "Timer1 enabled 0"}}));

class PumpKinds : public ::testing::TestWithParam<SimulatedPump::Waiting>
{
};

TEST_P(PumpKinds, thePassAfterARevealNeverTakesABallEvenWithTheExitPicked)
{
    DrawRig rig({GetParam(), 1000, kPass}, exitAlwaysShown);
    rig.draw.Command1_Click();
    const auto own = rig.drawOps();

    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE("after ball " + std::to_string(k));
        const std::size_t revealed = indexOf(own, "numeri(" + std::to_string(k) + ") show");
        ASSERT_EQ(own[revealed + 1].text, "image1(31) show");
        // Two passes, no draw time: the first only clears the latch, the second takes.
        EXPECT_NEAR(double(own[revealed + 1].time - own[revealed].time), double(kStep), kRounding);
    }

    // The latch is still set when the next draw starts: again its first pass
    // takes nothing, although slot 31 is picked, and no tick has run yet.
    rig.controls.ops.clear();
    const std::int64_t clicked = rig.time.now();
    rig.draw.Command1_Click();
    const auto second = rig.drawOps();
    ASSERT_EQ(second[17].text, "image1(31) show");
    EXPECT_NEAR(double(second[17].time - clicked), double(kStep), kRounding);
}

TEST_P(PumpKinds, buttonDisabledAndTimerEnabledExactlyOverTheirStretches)
{
    DrawRig rig({GetParam(), 1000, kPass});
    rig.draw.Command1_Click();
    const auto &ops = rig.controls.ops;

    std::vector<std::size_t> button, timer;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].text.rfind("Command1", 0) == 0)
            button.push_back(i);
        if (ops[i].text.rfind("Timer1", 0) == 0)
            timer.push_back(i);
    }
    ASSERT_EQ(button.size(), 2u);
    EXPECT_EQ(button[0], 1u);
    EXPECT_EQ(button[1], ops.size() - 1);
    EXPECT_EQ(ops[button[1]].text, "Command1 enabled 1");
    ASSERT_EQ(timer.size(), 2u);
    EXPECT_EQ(ops[timer[0]].text, "Timer1 enabled 1");
    EXPECT_EQ(ops[timer[0] - 1].text, "numeri(6) hide");
    EXPECT_EQ(ops[timer[1]].text, "Timer1 enabled 0");
    EXPECT_EQ(ops[timer[1] - 1].text, "numeri(6) show") << "disabled once the jolly is out";
    for (std::size_t i = 0; i < ops.size(); ++i)
        if (ops[i].inTick) {
            EXPECT_GT(i, timer[0]);
            EXPECT_LT(i, timer[1]);
        }
    EXPECT_FALSE(rig.draw.isRunning());
}

TEST_P(PumpKinds, resultsStayInViewUntilTheNextDrawStarts)
{
    DrawRig rig({GetParam(), 1000, kPass});
    rig.draw.Command1_Click();
    rig.random.setGeneratorValues(generatorValues(secondNumbers()));

    const auto &c = rig.controls;
    const std::array<bool, 6> allShown{true, true, true, true, true, true};
    EXPECT_EQ(c.estrattoVisible, allShown);
    EXPECT_EQ(c.estrattoPicture,
              (std::array<std::string, 6>{"PALLA", "PALLA", "PALLA", "PALLA", "PALLA", "PALLA"}));
    EXPECT_TRUE(c.jollyVisible);
    EXPECT_EQ(c.jollyPicture, "PALLA");
    EXPECT_TRUE(c.cerchioVisible);
    EXPECT_EQ(c.numeriVisible, (std::array<bool, 7>{true, true, true, true, true, true, true}));
    EXPECT_EQ(c.numeriCaption[0], "50");
    EXPECT_EQ(c.numeriCaption[6], "5");
    EXPECT_TRUE(c.command1Enabled);
    for (int i = 0; i < 48; ++i)
        EXPECT_FALSE(c.image1Visible[std::size_t(i)]) << "slot " << i;

    rig.controls.ops.clear();
    rig.draw.Command1_Click();
    const Texts texts = DrawRig::texts(rig.drawOps());
    EXPECT_EQ(Texts(texts.begin(), texts.begin() + 17), kReset);
    EXPECT_EQ(rig.draw.drawnNumbers(), (DrawnNumbers{90, 89, 3, 4, 20, 30, 40, 0}));
    EXPECT_EQ(c.numeriCaption[1], "89");
}

INSTANTIATE_TEST_SUITE_P(Pumps, PumpKinds,
                         ::testing::Values(SimulatedPump::Waiting::Sleeps,
                                           SimulatedPump::Waiting::Polls),
                         [](const auto &row) {
                             return row.param == SimulatedPump::Waiting::Sleeps ? "sleeping"
                                                                                : "polling";
                         });

TEST(WholeDraw, sleepingWaitsChangeNoOperationOfTheDraw)
{
    // The same two draws with waits that return at once, as if polling.
    for (auto policy : {regularDrum, exitAlwaysShown, exitAlwaysHidden}) {
        DrawRig polled({SimulatedPump::Waiting::Polls, 1000, kPass}, policy);
        DrawRig rig({SimulatedPump::Waiting::Sleeps, 1000, kPass}, policy);
        for (int draw = 0; draw < 2; ++draw) {
            polled.draw.Command1_Click();
            rig.draw.Command1_Click();
        }

        for (std::size_t i = 0; i < std::min(rig.controls.ops.size(), polled.controls.ops.size());
             ++i) {
            ASSERT_EQ(rig.controls.ops[i].text, polled.controls.ops[i].text)
                << "op " << i << " at " << rig.controls.ops[i].time << " and "
                << polled.controls.ops[i].time;
            ASSERT_EQ(rig.controls.ops[i].inTick, polled.controls.ops[i].inTick) << "op " << i;
        }
        ASSERT_EQ(rig.controls.ops.size(), polled.controls.ops.size());
        EXPECT_EQ(rig.pump.ticks(), polled.pump.ticks());
    }
}

TEST(WholeDraw, sleepingWaitsMakeAPassAndAWaitPerEvent)
{
    DrawRig rig;
    rig.draw.Command1_Click();
    const auto own = rig.drawOps();
    long pauses = 98;
    for (std::size_t i = indexOf(own, "Timer1 enabled 0"); i < own.size(); ++i)
        if (own[i].text.find(") show") != std::string::npos)
            ++pauses;
    // Polling, the same draw makes one call per simulated pass: over 100000.
    EXPECT_LE(rig.pump.calls(), 2 * rig.pump.ticks() + 2 * pauses + 32);
}

} // namespace
} // namespace dalmiro::testing
