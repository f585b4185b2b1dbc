#include "app/commandline.h"
#include "app/form1.h"
#include "app/startupchecks.h"
#include "platform/clock.h"
#include "platform/qteventpump.h"
#include "platform/randomsource.h"
#include "resources/version.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

QtMessageHandler g_toolkitMessages = nullptr;
std::string g_displayAttempt;

// In force while QApplication starts. The toolkit ends a start that found no
// usable display with a fatal message and an abort, which leaves a core dump
// and a crash report behind; after its message, say what was tried and end
// with status 1 instead.
void startupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_toolkitMessages(type, context, message);
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "dalmiro: could not open a display; tried %s\n", g_displayAttempt.c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

// Without this check a machine with no display gets a stack of toolkit errors
// and an abort instead of one line that says what is missing.
bool displayAvailable(const dalmiro::CommandLine &commandLine)
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (commandLine.displayChosen || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    (void)commandLine;
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    const dalmiro::CommandLine commandLine = dalmiro::parseCommandLine(argc, argv);
    switch (commandLine.action) {
    case dalmiro::CommandLine::Action::ShowHelp:
        std::fputs(dalmiro::helpText().c_str(), stdout);
        return EXIT_SUCCESS;
    case dalmiro::CommandLine::Action::ShowVersion:
        std::fputs(dalmiro::versionText().c_str(), stdout);
        return EXIT_SUCCESS;
    case dalmiro::CommandLine::Action::Reject:
        std::fprintf(stderr, "%s\n", commandLine.complaint.c_str());
        return dalmiro::kExitUsage;
    case dalmiro::CommandLine::Action::Run:
        break;
    }
    if (!displayAvailable(commandLine)) {
        std::fputs("dalmiro: no graphical display found (DISPLAY is not set); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    for (const std::string &complaint : dalmiro::dropUnusableScaleFactors())
        std::fprintf(stderr, "%s\n", complaint.c_str());

    g_displayAttempt = dalmiro::displayAttempt(commandLine);
    g_toolkitMessages = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_toolkitMessages);
    QApplication::setApplicationName(QString::fromLatin1(dalmiro::version::kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(dalmiro::version::kApplicationVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(dalmiro::version::kDesktopFileName));

    dalmiro::SystemClock clock;
    dalmiro::SystemRandomSource random;
    dalmiro::QtEventPump pump(clock);

    dalmiro::Form1 window(pump, clock, random);
#if defined(Q_OS_WASM)
    // In a web page the window is the page's own area: no title bar, no close
    // button; the tab's title and its closing take their place.
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
#endif
    window.Form_Load();
    window.show();
    return app.exec();
}
