#include "app/commandline.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

using dalmiro::CommandLine;
using dalmiro::parseCommandLine;
using Action = CommandLine::Action;

namespace {

struct Case
{
    std::string name;
    std::vector<std::string_view> arguments;
    Action action;
    std::string named = {}; // for Reject: what the complaint must quote
    bool displayChosen = false;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class CommandLineCase : public ::testing::TestWithParam<Case>
{
};

TEST_P(CommandLineCase, givesTheExpectedAction)
{
    const Case &c = GetParam();
    const CommandLine result = parseCommandLine(c.arguments);

    EXPECT_EQ(result.action, c.action);
    if (c.action == Action::Reject) {
        EXPECT_NE(result.complaint.find("'" + c.named + "'"), std::string::npos)
            << result.complaint;
        EXPECT_EQ(result.complaint.find('\n'), std::string::npos) << "one line only";
    } else {
        EXPECT_TRUE(result.complaint.empty());
    }
    if (c.action == Action::Run) {
        EXPECT_EQ(result.displayChosen, c.displayChosen);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommandLineCase,
    ::testing::Values(
        Case{"nothing", {}, Action::Run}, Case{"help", {"--help"}, Action::ShowHelp},
        Case{"shortHelp", {"-h"}, Action::ShowHelp},
        Case{"version", {"--version"}, Action::ShowVersion},
        Case{"shortVersion", {"-v"}, Action::ShowVersion},
        Case{"firstOfHelpAndVersionWins", {"--version", "--help"}, Action::ShowVersion},
        Case{"helpAfterToolkitOption", {"-style", "fusion", "--help"}, Action::ShowHelp},
        Case{"unknownLong", {"--fullscreen"}, Action::Reject, "--fullscreen"},
        Case{"unknownShort", {"-x"}, Action::Reject, "-x"},
        Case{"unknownAfterGoodOnes", {"-reverse", "--bogus"}, Action::Reject, "--bogus"},
        Case{"unknownBeforeHelp", {"--bogus", "--help"}, Action::Reject, "--bogus"},
        Case{"helpWithValue", {"--help=yes"}, Action::Reject, "--help=yes"},
        Case{"strayArgument", {"numbers.txt"}, Action::Reject, "numbers.txt"},
        Case{"loneDash", {"-"}, Action::Reject, "-"},
        Case{"doubleDash", {"--"}, Action::Reject, "--"},
        Case{"platform", {"-platform", "offscreen"}, Action::Run, {}, true},
        Case{"platformTwoDashes", {"--platform", "xcb"}, Action::Run, {}, true},
        Case{"display", {"-display", ":1"}, Action::Run, {}, true},
        Case{"valueLooksLikeOption", {"-qwindowtitle", "--help"}, Action::Run},
        Case{"joinedStyle", {"-style=fusion", "-stylesheet=a.qss"}, Action::Run},
        Case{"joinedUnknown", {"-platform=offscreen"}, Action::Reject, "-platform=offscreen"},
        Case{"flags", {"-reverse", "--nograb", "-widgetcount"}, Action::Run},
        Case{"missingValue", {"-style"}, Action::Reject, "-style"},
        Case{"missingPlatformValue", {"-reverse", "--platform"}, Action::Reject, "--platform"}),
    [](const ::testing::TestParamInfo<Case> &param) { return param.param.name; });

TEST(CommandLineText, versionShowsTheProductVersionOnOneLine)
{
    EXPECT_EQ(dalmiro::versionText(), "Dalmiro 1.00\n");
}

TEST(CommandLineText, helpListsBothOptionsAndPointsToTheManualPage)
{
    const std::string help = dalmiro::helpText();
    for (const char *needle : {"--help", "--version", "-platform", "dalmiro(6)"})
        EXPECT_NE(help.find(needle), std::string::npos) << needle;
}

} // namespace
