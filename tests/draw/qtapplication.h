#pragma once

#include <QApplication>

namespace dalmiro::testing {

// The one application object of a test program that needs the real event
// loop; made on first use (the tests run on the offscreen platform).
inline QApplication &qtApplication()
{
    static int argc = 1;
    static char name[] = "draw_qt_tests";
    static char *argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

} // namespace dalmiro::testing
