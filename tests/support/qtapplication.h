#pragma once

#include <QApplication>

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

} // namespace dalmiro::testing
