// The Qt event pump on the real clock.
#include "platform/qteventpump.h"
#include "support/qtapplication.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace dalmiro::testing {
namespace {

using QtPump = RealClockTest;

TEST_F(QtPump, aPassHandlesWhatIsWaitingAndDoesNotWaitForMore)
{
    bool posted = false;
    bool later = false;
    int ticks = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    QObject scope; // the timers go with the test
    QTimer::singleShot(0, &scope, [&] { posted = true; });
    QTimer::singleShot(500, &scope, [&] { later = true; });
    std::this_thread::sleep_for(std::chrono::milliseconds(5));

    pump.processPendingEvents();

    EXPECT_TRUE(posted);
    EXPECT_EQ(ticks, 1) << "an overdue timer fires once per pass";
    EXPECT_FALSE(later) << "the pass waited for a timer that was not due";
}

TEST_F(QtPump, waitingWithNothingToDoSleepsUntilTheDeadline)
{
    const double deadline = clock.monotonic() + 0.03;
    int waits = 0;
    while (clock.monotonic() < deadline && waits < 1000) {
        pump.waitForEvents(deadline);
        ++waits;
    }
    EXPECT_GE(clock.monotonic(), deadline);
    EXPECT_LE(waits, 5) << "the waits returned without sleeping";
}

TEST_F(QtPump, waitingWithoutDeadlineEndsWithTheNextEvent)
{
    bool fired = false;
    QObject scope;
    QTimer::singleShot(20, &scope, [&] { fired = true; });
    int waits = 0;
    while (!fired && waits < 1000) {
        pump.waitForEvents(-1.0);
        ++waits;
    }
    EXPECT_TRUE(fired);
    EXPECT_LE(waits, 5);
}

TEST_F(QtPump, aDeadlineAlreadyPastDoesNotWait)
{
    bool later = false;
    QObject scope;
    QTimer::singleShot(200, &scope, [&] { later = true; });
    pump.waitForEvents(clock.monotonic() - 1.0);
    EXPECT_FALSE(later);
}

} // namespace
} // namespace dalmiro::testing
