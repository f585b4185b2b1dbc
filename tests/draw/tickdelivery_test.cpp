// Timer1's ticks delivered one a millisecond and in batches at frame pace.
#include "drawrig.h"

#include <gtest/gtest.h>

namespace dalmiro::testing {
namespace {

struct SeededDraws
{
    SeededDraws(std::int64_t delivery, std::uint64_t seed)
        : pump(time, {SimulatedPump::Waiting::Sleeps, delivery, 100}),
          random(seed, SeededRandom::Reseed::Restarts) // every draw the same
    {
        controls.now = [this] { return time.now(); };
        controls.ticking = [this] { return draw.isInTick(); };
        controls.onTimer1 = [this](bool on) { pump.setTimerEnabled(on); };
        pump.onTick = [this] { draw.runDueTicks(); };
        for (int i = 0; i < 2; ++i) // the second from what the first left
            draw.Command1_Click();
    }
    SimulatedTime time;
    RecordingControls controls;
    SimulatedPump pump;
    SeededRandom random;
    DrawSequence draw{controls, pump, time, random};
};

TEST(TickDelivery, batchesAtFramePaceMakeTheSameDrawsAsATickEachMillisecond)
{
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        const SeededDraws each(1000, seed);
        for (const std::int64_t frame : {16667, 6944}) { // 60 Hz and 144 Hz
            SCOPED_TRACE("seed " + std::to_string(seed) + ", frames of " + std::to_string(frame));
            const SeededDraws batched(frame, seed);
            EXPECT_LT(batched.pump.ticks() * 5, each.pump.ticks()) << "not batched";
            ASSERT_EQ(batched.controls.ops.size(), each.controls.ops.size());
            // The same operations, the seven captions among them, in one order.
            for (std::size_t i = 0; i < each.controls.ops.size(); ++i) {
                const auto &a = each.controls.ops[i], &b = batched.controls.ops[i];
                ASSERT_EQ(b.text + " " + char('0' + b.inTick), a.text + " " + char('0' + a.inTick));
                if (a.text.rfind("numeri", 0) == 0 && a.text.find(" show") != std::string::npos) {
                    EXPECT_LE(std::abs(b.time - a.time), frame) << a.text;
                }
            }
        }
    }
}

} // namespace
} // namespace dalmiro::testing
