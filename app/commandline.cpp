#include "app/commandline.h"

#include "resources/version.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace dalmiro {

namespace {

struct ToolkitOption
{
    std::string_view name; // without its leading dash
    bool takesValue;
    bool choosesDisplay;
};

// The options that QGuiApplication, QApplication and the X11 platform plugin
// of Qt 6 take out of the arguments, each accepted with one dash or two as
// Qt does. The X11 synonyms (-display, -geometry, -title, -icon, ...) are
// taken only by that plugin; elsewhere they are left over and ignored.
constexpr std::array kToolkitOptions{
    ToolkitOption{"platform", true, true},
    ToolkitOption{"platformpluginpath", true, false},
    ToolkitOption{"platformtheme", true, false},
    ToolkitOption{"plugin", true, false},
    ToolkitOption{"qwindowgeometry", true, false},
    ToolkitOption{"qwindowicon", true, false},
    ToolkitOption{"qwindowtitle", true, false},
    ToolkitOption{"session", true, false},
    ToolkitOption{"style", true, false},
    ToolkitOption{"stylesheet", true, false},
    ToolkitOption{"reverse", false, false},
    ToolkitOption{"widgetcount", false, false},
    ToolkitOption{"testability", false, false},
    ToolkitOption{"display", true, true},
    ToolkitOption{"name", true, false},
    ToolkitOption{"visual", true, false},
    ToolkitOption{"geometry", true, false},
    ToolkitOption{"title", true, false},
    ToolkitOption{"icon", true, false},
    ToolkitOption{"nograb", false, false},
    ToolkitOption{"dograb", false, false},
};

// Options Qt also reads in the form -name=value.
constexpr std::array<std::string_view, 3> kToolkitJoinedOptions{"style", "stylesheet",
                                                                "qmljsdebugger"};

const ToolkitOption *findToolkitOption(std::string_view name)
{
    const auto found = std::find_if(kToolkitOptions.begin(), kToolkitOptions.end(),
                                    [name](const ToolkitOption &o) { return o.name == name; });
    return found == kToolkitOptions.end() ? nullptr : &*found;
}

bool isJoinedToolkitOption(std::string_view argument)
{
    const auto equals = argument.find('=');
    if (equals == std::string_view::npos)
        return false;
    const std::string_view name = argument.substr(0, equals);
    return std::find(kToolkitJoinedOptions.begin(), kToolkitJoinedOptions.end(), name) !=
           kToolkitJoinedOptions.end();
}

CommandLine only(CommandLine::Action action)
{
    CommandLine result;
    result.action = action;
    return result;
}

CommandLine rejected(std::string complaint)
{
    CommandLine result;
    result.action = CommandLine::Action::Reject;
    result.complaint = "dalmiro: " + complaint + " (see 'dalmiro --help')";
    return result;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string_view> &arguments)
{
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-h" || argument == "--help")
            return only(CommandLine::Action::ShowHelp);
        if (argument == "-v" || argument == "--version")
            return only(CommandLine::Action::ShowVersion);
        if (argument.size() < 2 || argument[0] != '-')
            return rejected("unexpected argument '" + std::string(argument) + "'");

        std::string_view name = argument.substr(1);
        if (name[0] == '-')
            name.remove_prefix(1);
        if (isJoinedToolkitOption(name))
            continue;
        const ToolkitOption *option = findToolkitOption(name);
        if (option == nullptr)
            return rejected("unknown option '" + std::string(argument) + "'");
        if (option->takesValue) {
            if (i + 1 == arguments.size())
                return rejected("option '" + std::string(argument) + "' needs a value");
            ++i;
            if (option->name == "platform")
                result.platform = arguments[i];
            else if (option->name == "display")
                result.display = arguments[i];
        }
        result.displayChosen = result.displayChosen || option->choosesDisplay;
    }
    return result;
}

CommandLine parseCommandLine(int argc, const char *const *argv)
{
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return parseCommandLine(arguments);
}

std::string helpText()
{
    return "Usage: dalmiro [OPTION]...\n"
           "Proposes seven lottery numbers, six from 1 to 90 and a jolly, as an animated\n"
           "draw in a window: press \"Gioca Ora\" to draw.\n"
           "\n"
           "  -h, --help       show this help and exit\n"
           "  -v, --version    show the version and exit\n"
           "\n"
           "Qt's own options, such as -platform NAME, -display NAME and -style NAME,\n"
           "are accepted too. See dalmiro(6).\n";
}

std::string versionText()
{
    return std::string(version::kApplicationName) + ' ' + version::kApplicationVersion + '\n';
}

} // namespace dalmiro
