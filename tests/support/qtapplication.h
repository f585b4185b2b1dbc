#pragma once

#include "platform/clock.h"
#include "platform/qteventpump.h"

// The platform's and the draw's tests link Qt Core alone, the window's Qt
// Widgets: each gets the application its layer can have.
#if defined(QT_WIDGETS_LIB)
#include <QApplication>
using DalmiroTestApplication = QApplication;
#else
#include <QCoreApplication>
using DalmiroTestApplication = QCoreApplication;
#endif

#include <gtest/gtest.h>

namespace dalmiro::testing {

// The one application object of a test program that needs the real event
// loop; made on first use (the tests run on the offscreen platform). It is
// never destroyed: the keyboard that a key event makes registers in a list
// of the toolkit's that goes before the application at exit.
inline DalmiroTestApplication &qtApplication()
{
    static int argc = 1;
    static char name[] = "dalmiro_tests";
    static char *argv[] = {name, nullptr};
    static auto *application = new DalmiroTestApplication(argc, argv);
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
