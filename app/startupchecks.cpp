#include "app/startupchecks.h"

#include "app/commandline.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace dalmiro {

namespace {

std::string environmentSetting(const char *name)
{
    const QByteArray value = qgetenv(name);
    if (value.isEmpty())
        return std::string(name) + " not set";
    return std::string(name) + '=' + value.toStdString();
}

} // namespace

bool isUsableScaleFactor(std::string_view text)
{
    // QByteArray::toDouble is what the toolkit reads the setting with; it
    // takes "nan" and "inf" as numbers, and the range excludes both.
    bool ok = false;
    const double factor =
        QByteArray(text.data(), static_cast<qsizetype>(text.size())).toDouble(&ok);
    return ok && factor >= kSmallestScaleFactor && factor <= kLargestScaleFactor;
}

bool isUsableScreenScaleFactors(std::string_view text)
{
    const QByteArray value(text.data(), static_cast<qsizetype>(text.size()));
    for (const QByteArray &entry : value.split(';')) {
        const qsizetype equals = entry.indexOf('=');
        const QByteArray factor = equals < 0 ? entry : entry.mid(equals + 1);
        if (!isUsableScaleFactor(std::string_view(factor.constData(), factor.size())))
            return false;
    }
    return true;
}

std::vector<std::string> dropUnusableScaleFactors()
{
    struct Setting
    {
        const char *name;
        bool (*usable)(std::string_view);
    };
    static constexpr Setting kSettings[] = {
        {"QT_SCALE_FACTOR", isUsableScaleFactor},
        {"QT_SCREEN_SCALE_FACTORS", isUsableScreenScaleFactors},
    };
    std::vector<std::string> complaints;
    for (const Setting &setting : kSettings) {
        const QByteArray value = qgetenv(setting.name);
        if (value.isEmpty() || setting.usable(value.toStdString()))
            continue;
        complaints.push_back("dalmiro: ignoring " + environmentSetting(setting.name) +
                             ": a scale factor must be a number from 0.125 to 8; "
                             "using the screen's own");
        qunsetenv(setting.name);
    }
    return complaints;
}

std::string displayAttempt(const CommandLine &commandLine)
{
    std::string platform;
    if (!commandLine.platform.empty())
        platform = "-platform " + commandLine.platform;
    else if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        platform = environmentSetting("QT_QPA_PLATFORM");
    else
        platform = "the default platform";
    const std::string x11 = commandLine.display.empty() ? environmentSetting("DISPLAY")
                                                        : "-display " + commandLine.display;
    return platform + ", " + x11 + ", " + environmentSetting("WAYLAND_DISPLAY");
}

} // namespace dalmiro
