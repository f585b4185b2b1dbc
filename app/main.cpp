#include "app/form1.h"
#include "platform/clock.h"
#include "platform/qteventpump.h"
#include "platform/randomsource.h"
#include "resources/version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without this check a machine with no display gets a stack of toolkit errors
// and an abort instead of one line that says what is missing.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("dalmiro: no graphical display found (DISPLAY is not set); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(dalmiro::version::kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(dalmiro::version::kApplicationVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(dalmiro::version::kDesktopFileName));

    dalmiro::SystemClock clock;
    dalmiro::SystemRandomSource random;
    dalmiro::QtEventPump pump(clock);

    dalmiro::Form1 window(pump, clock, random);
    window.Form_Load();
    window.show();
    return app.exec();
}
