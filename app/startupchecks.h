#ifndef DALMIRO_APP_STARTUPCHECKS_H
#define DALMIRO_APP_STARTUPCHECKS_H

#include <string>
#include <string_view>
#include <vector>

namespace dalmiro {

struct CommandLine;

// The range of scale factors taken from the environment. Beyond the largest
// the window would need gigabytes of pixels and could no longer be handled;
// below the smallest it shrinks to a few pixels and can no longer be seen.
inline constexpr double kSmallestScaleFactor = 1.0 / 8.0;
inline constexpr double kLargestScaleFactor = 8.0;

// Whether the toolkit may be given `text` as one scale factor: a number,
// read as the toolkit reads it, within the range above.
bool isUsableScaleFactor(std::string_view text);

// Whether every entry of a QT_SCREEN_SCALE_FACTORS value ("2;1.5" or
// "NAME=2;NAME=1") is a usable factor.
bool isUsableScreenScaleFactors(std::string_view text);

// Removes QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS from the environment
// when their values are not usable, so that the window opens at the screen's
// own ratio. Returns one line, without its newline, for each one removed.
// Call it before the toolkit starts.
std::vector<std::string> dropUnusableScaleFactors();

// What the toolkit tries to show the window on, as the user set it: the
// platform and the displays, for the line that says none could be opened.
std::string displayAttempt(const CommandLine &commandLine);

} // namespace dalmiro

#endif
