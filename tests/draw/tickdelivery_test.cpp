// The same draws with Timer1's ticks delivered one a millisecond and in
// batches at the pace of a display's frames.
#include "drawrig.h"

#include <gtest/gtest.h>

#include <random>

namespace dalmiro::testing {
namespace {

// A generator that starts again from its seed at every draw.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed) : m_seed(seed) {}
    void reseedRandom() override { m_engine.seed(m_seed); }
    double nextRandom() override { return m_last = double(m_engine() >> 11) * 0x1p-53; }
    double lastRandom() const override { return m_last; }

private:
    std::uint64_t m_seed;
    std::mt19937_64 m_engine;
    double m_last = 0.0;
};

struct SeededDraws
{
    SeededDraws(std::int64_t delivery, std::uint64_t seed)
        : pump(time, {SimulatedPump::Waiting::Sleeps, delivery, 100}), random(seed)
    {
        controls.now = [this] { return time.now(); };
        controls.ticking = [this] { return draw.isInTick(); };
        controls.onTimer1 = [this](bool enabled) { pump.setTimerEnabled(enabled); };
        pump.onTick = [this] { draw.runDueTicks(); };
        for (int i = 0; i < 2; ++i) { // the second starts from what the first left
            draw.Command1_Click();
            numbers.push_back(draw.drawnNumbers());
        }
    }
    SimulatedTime time;
    RecordingControls controls;
    SimulatedPump pump;
    SeededRandom random;
    DrawSequence draw{controls, pump, time, random};
    std::vector<DrawnNumbers> numbers;
};

class TickDelivery : public ::testing::TestWithParam<std::uint64_t>
{
};

TEST_P(TickDelivery, batchesAtFramePaceMakeTheSameDrawAsATickEachMillisecond)
{
    const SeededDraws each(1000, GetParam());
    for (const std::int64_t frame : {16667, 6944}) { // 60 Hz and 144 Hz
        SCOPED_TRACE("frames of " + std::to_string(frame) + " us");
        const SeededDraws batched(frame, GetParam());
        EXPECT_LT(batched.pump.ticks() * 5, each.pump.ticks()) << "ticks were not batched";
        EXPECT_EQ(batched.numbers, each.numbers);
        ASSERT_EQ(batched.controls.ops.size(), each.controls.ops.size());
        for (std::size_t i = 0; i < each.controls.ops.size(); ++i) {
            const auto &a = each.controls.ops[i], &b = batched.controls.ops[i];
            ASSERT_EQ(b.text, a.text) << "op " << i;
            ASSERT_EQ(b.inTick, a.inTick) << "op " << i;
            // A ball comes out at the same frame: its result shown no more
            // than one frame apart.
            if (a.text.rfind("numeri", 0) == 0 && a.text.find(" show") != std::string::npos) {
                EXPECT_LE(std::abs(b.time - a.time), frame) << a.text;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TickDelivery, ::testing::Values(1u, 2u, 3u));

} // namespace
} // namespace dalmiro::testing
