#ifndef DALMIRO_APP_COMMANDLINE_H
#define DALMIRO_APP_COMMANDLINE_H

#include <string>
#include <string_view>
#include <vector>

namespace dalmiro {

// What the command line asks for. It is read before the toolkit starts, so
// that --help, --version and a mistake are answered without a display.
struct CommandLine
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Reject,
    };
    Action action = Action::Run;
    // For Reject: the one line, without its newline, that says what was wrong.
    std::string complaint;
    // True when a toolkit option (-platform, -display) says where to show the
    // window, so that an empty DISPLAY is no reason to stop.
    bool displayChosen = false;
    // The values of the last -platform and -display, empty when not given.
    std::string platform;
    std::string display;
};

// The arguments after the program's name. The toolkit's own options and
// their values are accepted and left for QApplication to take; any other
// option or argument is rejected. The first --help or --version wins.
CommandLine parseCommandLine(const std::vector<std::string_view> &arguments);
CommandLine parseCommandLine(int argc, const char *const *argv);

std::string helpText();
std::string versionText();

// Exit statuses, as the manual page lists them.
inline constexpr int kExitUsage = 2;

} // namespace dalmiro

#endif
