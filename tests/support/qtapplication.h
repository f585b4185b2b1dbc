#pragma once

#include "platform/clock.h"
#include "platform/qteventpump.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace dalmiro::testing {

// The one application object of a test program that needs the real event
// loop; made on first use (the tests run on the offscreen platform). It is
// never destroyed: the keyboard that a key event makes registers in a list
// of the toolkit's that goes before the application at exit.
inline QApplication &qtApplication()
{
    static int argc = 1;
    static char name[] = "dalmiro_tests";
    static char *argv[] = {name, nullptr};
    static QApplication *application = new QApplication(argc, argv);
    return *application;
}

// The real clock and the Qt event pump, with the one application.
class RealClockTest : public ::testing::Test
{
protected:
    void SetUp() override { qtApplication(); }

    SystemClock clock;
    QtEventPump pump{clock};
};

} // namespace dalmiro::testing
