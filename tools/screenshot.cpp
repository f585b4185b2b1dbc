// screenshot DIR: renders the main window without a display and writes two
// pictures of it into DIR: start.png as the user first sees it, and
// results.png with every result ball, its number and the jolly's circle shown,
// set through the same operations the draw uses. It honours QT_SCALE_FACTOR:
// the pictures then have the window's size in device pixels (1594 x 1202 at
// 2), painted as a screen of that pixel ratio shows the window.
#include "app/form1.h"
#include "app/layout.h"
#include "platform/clock.h"
#include "platform/eventpump.h"
#include "platform/randomsource.h"

#include <QApplication>
#include <QDir>

#include <array>
#include <cstdio>

namespace {

// Nothing here runs a draw, so the pump only has to let paints through.
class PaintPump final : public dalmiro::EventPump
{
public:
    void processPendingEvents() override { QCoreApplication::processEvents(); }
    void waitForEvents(double) override { QCoreApplication::processEvents(); }
};

bool save(dalmiro::Form1 &window, const QDir &dir, const char *name)
{
    QCoreApplication::processEvents();
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: screenshot DIR\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "screenshot: cannot create %s\n", argv[1]);
        return 1;
    }

    dalmiro::SystemClock clock;
    dalmiro::SystemRandomSource random;
    PaintPump pump;
    dalmiro::Form1 window(pump, clock, random);
    window.Form_Load();
    window.show();
    if (!save(window, dir, "start.png"))
        return 1;

    // Six main numbers from the first out (bottom) up, then the jolly.
    constexpr std::array<int, dalmiro::layout::kNumeriCount> numbers{7, 23, 38, 45, 61, 84, 17};
    for (int k = 0; k < dalmiro::layout::kEstrattoCount; ++k) {
        window.setEstrattoPicture(k, dalmiro::PictureId::resultBall());
        window.setEstrattoVisible(k, true);
    }
    window.setJollyPicture(dalmiro::PictureId::resultBall());
    window.setJollyVisible(true);
    window.setCerchioVisible(true);
    for (int k = 0; k < dalmiro::layout::kNumeriCount; ++k) {
        window.setNumeriCaption(k, QString::number(numbers[k]));
        window.setNumeriVisible(k, true);
    }
    return save(window, dir, "results.png") ? 0 : 1;
}
