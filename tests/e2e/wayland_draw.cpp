// wayland_draw draw|close SHOTS
// The real window on the real clock, under the Wayland compositor named by
// WAYLAND_DISPLAY. It presses "Gioca Ora" as a mouse would and takes the
// compositor's own screenshots (weston-screenshooter) into SHOTS while the
// draw runs.
//   draw   waits for the draw to end, then checks on the compositor's last
//          screenshot that the seven results, the circle and the enabled
//          button reached the screen; exits 0 when they did.
//   close  closes the window in the middle of the draw; the exit status is
//          the program's own.
#include "app/form1.h"
#include "app/layout.h"
#include "draw/drawsequence.h"
#include "platform/clock.h"
#include "platform/qteventpump.h"
#include "platform/randomsource.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <sys/prctl.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

using namespace dalmiro;

// weston-screenshooter is a child of this program that cannot outlive it: it
// is killed at its time limit, when this program ends, and should this
// program die first; its memory is capped, since it keeps growing when the
// compositor goes away under it.
constexpr int kShooterTimeLimitMs = 10000;
constexpr rlim_t kShooterMemoryLimit = rlim_t{1} << 30;

QProcess *startScreenshooter(const QString &dir)
{
    auto *shooter = new QProcess(qApp); // the application's end ends it
    shooter->setWorkingDirectory(dir);
    shooter->setStandardOutputFile(QProcess::nullDevice());
    shooter->setChildProcessModifier([] {
        const rlimit memory{kShooterMemoryLimit, kShooterMemoryLimit};
        setrlimit(RLIMIT_AS, &memory);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    QObject::connect(shooter, &QProcess::finished, shooter, &QObject::deleteLater);
    QTimer::singleShot(kShooterTimeLimitMs, shooter, &QProcess::kill);
    shooter->start(QStringLiteral("weston-screenshooter"), {});
    return shooter;
}

// Takes one screenshot of the whole output; weston names it by the time.
// Returns at once unless `wait`.
QString screenshot(const QString &dir, bool wait)
{
    if (!wait) {
        startScreenshooter(dir);
        return {};
    }
    const QStringList before = QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files);
    QProcess *shooter = startScreenshooter(dir);
    if (!shooter->waitForFinished(kShooterTimeLimitMs))
        shooter->kill();
    for (const QString &name :
         QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Time))
        if (!before.contains(name))
            return QDir(dir).filePath(name);
    return {};
}

void pause(QtEventPump &pump, const Clock &clock, double seconds)
{
    const double until = clock.monotonic() + seconds;
    while (clock.monotonic() < until)
        pump.waitForEvents(until);
}

void pressButton(QPushButton &button)
{
    const QPointF centre = QRectF(button.rect()).center();
    const QPointF global = button.mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&button, &press);
    QApplication::sendEvent(&button, &release); // the draw runs inside this
}

// Where the window's inner area starts on the screenshot: found by the red
// band round the button, whose fill rows are long runs of one colour that
// nothing else in the scene has.
std::optional<QPoint> windowOrigin(const QImage &shot)
{
    const QRect band = layout::kShape1.translated(layout::kPicture2.topLeft());
    const int run = band.width() - 2;
    for (int y = 0; y < shot.height(); ++y) {
        int same = 0;
        for (int x = 0; x < shot.width(); ++x) {
            same = (shot.pixel(x, y) & 0xffffff) == (layout::kShape1Fill & 0xffffff) ? same + 1 : 0;
            if (same == run)
                return QPoint(x - run + 1, y) - band.topLeft() - QPoint(1, 1);
        }
    }
    return std::nullopt;
}

struct Verdict
{
    bool circle = false;
    int balls = 0;
    bool buttonAsAtStart = false;
};

// The same probes a person's eye would use: the circle's light green below
// the jolly's number, the teal body of each result ball left of its plate.
Verdict judge(const QImage &shot, QPoint origin, const QImage &buttonAtStart)
{
    Verdict verdict;
    const QRgb circle = shot.pixel(origin + QPoint(663, 255));
    verdict.circle =
        qGreen(circle) >= 235 && qRed(circle) >= 170 && qRed(circle) <= 215 && qBlue(circle) <= 215;
    for (const int top : {517, 472, 427, 383, 337, 293, 223}) {
        const QRgb body = shot.pixel(origin + QPoint(647, top + 23));
        if (qBlue(body) >= qRed(body) + 60 && qGreen(body) >= qRed(body) + 40)
            ++verdict.balls;
    }
    const QRect button = layout::kCommand1.translated(layout::kPicture2.topLeft() + origin);
    verdict.buttonAsAtStart = shot.copy(button) == buttonAtStart;
    return verdict;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode != QLatin1String("draw") && mode != QLatin1String("close")) {
        std::fputs("usage: wayland_draw draw|close SHOTS\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    const QString shots = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(shots);

    SystemClock clock;
    SystemRandomSource random;
    QtEventPump pump(clock);
    Form1 window(pump, clock, random);
    window.Form_Load();
    window.show();
    auto *button = window.findChild<QPushButton *>();

    int status = 1;
    QTimer::singleShot(0, [&] {
        // Mapped, configured and its first frames shown: on a slow machine
        // that can take a few seconds.
        QImage start;
        std::optional<QPoint> origin;
        for (int attempt = 0; attempt < 20 && !origin; ++attempt) {
            pause(pump, clock, 0.5);
            start = QImage(screenshot(shots, true));
            origin = windowOrigin(start);
        }
        if (!origin) {
            std::fputs("FAIL: the window is not on the compositor's screenshot\n", stderr);
            QApplication::exit(1);
            return;
        }
        std::printf("window's inner area at %d,%d on the screen\n", origin->x(), origin->y());
        const QRect buttonRect =
            layout::kCommand1.translated(layout::kPicture2.topLeft() + *origin);
        const QImage buttonAtStart = start.copy(buttonRect);

        QTimer shooter;
        shooter.setInterval(mode == QLatin1String("close") ? 2500 : 1000);
        QObject::connect(&shooter, &QTimer::timeout, [&] {
            if (mode == QLatin1String("close")) {
                std::puts("closing the window in the middle of the draw");
                window.close();
            } else {
                screenshot(shots, false);
            }
        });
        shooter.start();
        QElapsedTimer drawing;
        drawing.start();
        pressButton(*button); // returns when the draw has ended or the window closed
        shooter.stop();
        if (mode == QLatin1String("close"))
            return; // the closed window ends the event loop with its own status
        std::printf("draw took %.1f s\n", double(drawing.elapsed()) / 1000.0);

        pause(pump, clock, 0.5); // the last frame reaches the compositor
        const QString last = screenshot(shots, true);
        const Verdict verdict = judge(QImage(last), *origin, buttonAtStart);
        std::printf("on %s: %d of 7 results, circle %s, button %s\n",
                    qPrintable(QDir(shots).relativeFilePath(last)), verdict.balls,
                    verdict.circle ? "shown" : "missing",
                    verdict.buttonAsAtStart ? "enabled again" : "not as at start");
        status = verdict.balls == 7 && verdict.circle && verdict.buttonAsAtStart ? 0 : 1;
        window.close();
    });
    const int exitCode = app.exec();
    return mode == QLatin1String("close") ? exitCode : status;
}
