// The draw on the real clock and event loop: a pause, and a window closed
// during a draw.
#include "draw/drawsequence.h"
#include "platform/randomsource.h"
#include "support/qtapplication.h"
#include "support/recordingcontrols.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace dalmiro::testing {
namespace {

using RealClock = RealClockTest;

// Counts the pump calls, and those begun after the window was closed.
class CountingPump final : public EventPump
{
public:
    CountingPump(EventPump &inner, const RecordingControls &controls)
        : m_inner(inner), m_controls(controls)
    {
    }
    void processPendingEvents() override
    {
        count();
        m_inner.processPendingEvents();
    }
    void waitForEvents(double deadline) override
    {
        count();
        m_inner.waitForEvents(deadline);
    }
    int calls = 0;
    int callsAfterClose = 0;

private:
    void count()
    {
        ++calls;
        if (m_controls.closed)
            ++callsAfterClose;
    }
    EventPump &m_inner;
    const RecordingControls &m_controls;
};

TEST_F(RealClock, aPauseSleepsAndEndsAfterItsTime)
{
    RecordingControls controls;
    CountingPump counting(pump, controls);
    SystemRandomSource random;
    DrawSequence draw(controls, counting, clock, random);

    const double start = clock.monotonic();
    draw.Pausa(0.05);

    EXPECT_GE(clock.monotonic() - start, 0.05);
    EXPECT_LE(counting.calls, 10);
}

// A draw on the real clock with a real 1 ms timer, closed after `closeAfter`
// milliseconds: during the wait for the first ball, in its chute run, later.
class RealClockClose : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { qtApplication(); }
};

TEST_P(RealClockClose, theDrawStopsInsideThePumpCallThatSawTheClose)
{
    SystemClock clock;
    QtEventPump qtPump(clock);
    RecordingControls controls;
    CountingPump pump(qtPump, controls);
    SystemRandomSource random;
    DrawSequence draw(controls, pump, clock, random);

    QTimer timer1;
    timer1.setTimerType(Qt::PreciseTimer);
    timer1.setInterval(1);
    QObject::connect(&timer1, &QTimer::timeout, [&] { draw.runDueTicks(); });
    controls.onTimer1 = [&](bool enabled) { enabled ? timer1.start() : timer1.stop(); };
    QTimer::singleShot(GetParam(), &timer1, [&] {
        controls.closed = true;
        draw.requestStop();
    });

    draw.Command1_Click();

    EXPECT_TRUE(controls.closed);
    EXPECT_FALSE(draw.isRunning());
    EXPECT_EQ(controls.opsAfterClose, 0);
    EXPECT_EQ(pump.callsAfterClose, 0);
    EXPECT_FALSE(controls.command1Enabled);
}

INSTANTIATE_TEST_SUITE_P(Milliseconds, RealClockClose, ::testing::Values(3, 120, 900));

} // namespace
} // namespace dalmiro::testing
