// The window's frames on a fake frame clock: changes only mark, frames paint.
#include "platform/framepacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace dalmiro::testing {
namespace {

constexpr double kPeriod = 1.0 / 60.0;

class FakeFrames final : public FrameSource
{
public:
    double now() const override { return time; }
    void requestFrame(double notBefore) override { requests.push_back(notBefore); }

    double time = 100.0;
    std::vector<double> requests;
};

// A window whose state is a number; a frame shows the state at that moment.
struct PacedWindow
{
    FakeFrames frames;
    int state = 0;
    std::vector<int> shown;
    FramePacer pacer{frames, [this] { shown.push_back(state); }, kPeriod};

    void change(int value)
    {
        state = value;
        pacer.changed();
    }
};

TEST(FramePacer, changesWithinOneFrameGiveOneFrameWithTheLatestState)
{
    PacedWindow window;
    for (int m = 1; m <= 9; ++m) // the nine frames of one chute step
        window.change(m);
    EXPECT_TRUE(window.shown.empty()) << "a change painted before the frame";
    EXPECT_EQ(window.frames.requests.size(), 1u);

    window.pacer.frameDue();
    EXPECT_EQ(window.shown, std::vector<int>{9});
    window.pacer.frameDue();
    EXPECT_EQ(window.shown, std::vector<int>{9}) << "a frame with nothing new was painted";
}

TEST(FramePacer, aChangeJustAfterAFrameIsShownAtTheNextOneAPeriodLater)
{
    PacedWindow window;
    window.change(1);
    window.pacer.frameDue();
    const double presentedAt = window.frames.time;

    window.frames.time += 0.001;
    window.change(2);
    ASSERT_EQ(window.frames.requests.size(), 2u);
    EXPECT_DOUBLE_EQ(window.frames.requests.back(), presentedAt + kPeriod);
    EXPECT_EQ(window.shown, std::vector<int>{1});

    window.frames.time = presentedAt + kPeriod;
    window.pacer.frameDue();
    EXPECT_EQ(window.shown, (std::vector<int>{1, 2}));
}

TEST(FramePacer, aChangeMadeWhilePaintingGoesToTheNextFrame)
{
    FakeFrames frames;
    FramePacer *self = nullptr;
    int painted = 0;
    FramePacer pacer(frames, [&] {
        if (++painted == 1)
            self->changed();
    }, kPeriod);
    self = &pacer;
    pacer.changed();
    pacer.frameDue();
    EXPECT_TRUE(pacer.isFrameRequested());
    pacer.frameDue();
    EXPECT_EQ(painted, 2);
}

TEST(FramePacer, aRequestTheDisplayNeverAnsweredIsMadeAgain)
{
    // A hidden window may get no frame for a long time; once it is seen
    // again its changes must still reach the screen.
    PacedWindow window;
    window.change(1);
    window.frames.time += 0.01;
    window.change(2);
    EXPECT_EQ(window.frames.requests.size(), 1u);
    window.frames.time += 1.0;
    window.change(3);
    EXPECT_EQ(window.frames.requests.size(), 2u);
}

TEST(FramePacer, anAnimationAdvancesThenPresentsEveryFrameUnlessItMustGoOnFirst)
{
    PacedWindow window;
    int calls = 0; // the third must wait for its caller, and is asked for at once
    window.pacer.setAnimation([&] {
        window.state += 10;
        return ++calls != 3;
    });
    for (double wait : {kPeriod, kPeriod, 0.0, kPeriod}) {
        window.pacer.frameDue();
        EXPECT_DOUBLE_EQ(window.frames.requests.back(), window.frames.time + wait);
    }
    EXPECT_EQ(window.shown, (std::vector<int>{10, 20, 40})) << "advanced before each frame";
    window.pacer.setAnimation({});
    window.pacer.frameDue();
    EXPECT_FALSE(window.pacer.isFrameRequested());
}

} // namespace
} // namespace dalmiro::testing
