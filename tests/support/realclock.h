#pragma once

#include "platform/clock.h"
#include "platform/qteventpump.h"
#include "support/qtapplication.h"

#include <gtest/gtest.h>

namespace dalmiro::testing {

// The real clock and the Qt event pump, with the test program's one
// application.
class RealClockTest : public ::testing::Test
{
protected:
    void SetUp() override { qtApplication(); }

    SystemClock clock;
    QtEventPump pump{clock};
};

} // namespace dalmiro::testing
