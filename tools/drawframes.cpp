// drawframes SEED DIR: runs one whole draw on the program's window without a
// display, on a simulated clock and a random sequence fixed by SEED, and
// writes into DIR:
//   frame-NNNN.png  the window as it stands at each wait of the draw, in order;
//   final.png       the window once the draw has ended;
//   numbers.txt     the seven numbers as the result column shows them;
//   frames.txt      per picture: its file, the simulated time, the deadline
//                   waited for, its size in device pixels and a SHA-256 of
//                   its pixels.
// Two runs with the same SEED, build and QT_SCALE_FACTOR write the same
// frames.txt, so comparing two builds takes a diff of that file alone.
//
// The clock only moves when the draw waits: to the deadline it waits for, or
// by one display period when it waits for any event. The window's own frames
// come from real timers; before the pump handles events it sleeps for longer
// than the display period, so every frame the window has asked for by then is
// due and comes in that call, whatever the speed of the machine.
#include "app/form1.h"
#include "platform/clock.h"
#include "platform/eventpump.h"
#include "platform/randomsource.h"

#include <QApplication>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kStart = 100.0;         // seconds; any origin would do
constexpr double kTimeOfDay = 43200.0;   // noon: only seeds a reseed, a no-op here
constexpr double kEventWait = 1.0 / 60.0; // a wait for any event ends after this

class SimulatedClock final : public dalmiro::Clock
{
public:
    double timeOfDay() const override { return kTimeOfDay + (m_now - kStart); }
    double monotonic() const override { return m_now; }
    void advanceTo(double t) { m_now = std::max(m_now, t); }

private:
    double m_now = kStart;
};

// Writes the window at every wait, then moves the clock past it.
class RecordingPump final : public dalmiro::EventPump
{
public:
    RecordingPump(SimulatedClock &clock, const QDir &dir, unsigned long settleMs)
        : m_clock(clock), m_dir(dir), m_settleMs(settleMs)
    {
    }

    void setWindow(QWidget *window) { m_window = window; }
    bool failed() const { return m_failed; }
    int frames() const { return m_frame; }
    const QByteArray &listing() const { return m_listing; }

    void processPendingEvents() override
    {
        // Every frame timer started before this point falls due during the
        // sleep, so which frames run here does not depend on the machine.
        QThread::msleep(m_settleMs);
        QCoreApplication::processEvents();
    }

    void waitForEvents(double deadline) override
    {
        if (m_window)
            record(QStringLiteral("frame-%1.png").arg(m_frame++, 4, 10, QLatin1Char('0')),
                   deadline);
        m_clock.advanceTo(deadline < 0 ? m_clock.monotonic() + kEventWait : deadline);
        processPendingEvents();
    }

    void record(const QString &name, double deadline)
    {
        const QImage picture = m_window->grab().toImage();
        if (!picture.save(m_dir.filePath(name), "PNG")) {
            std::fprintf(stderr, "drawframes: cannot write %s\n", qPrintable(m_dir.filePath(name)));
            m_failed = true;
        }
        // The pixels, not the file: the same picture is the same hash whatever
        // the PNG encoder does.
        const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (int y = 0; y < pixels.height(); ++y)
            hash.addData(QByteArrayView(reinterpret_cast<const char *>(pixels.constScanLine(y)),
                                        qsizetype(pixels.width()) * 4));
        char line[256];
        std::snprintf(line, sizeof line, "%s t=%.6f deadline=%.6f %dx%d %s\n", qPrintable(name),
                      m_clock.monotonic() - kStart, deadline < 0 ? -1.0 : deadline - kStart,
                      pixels.width(), pixels.height(), hash.result().toHex().constData());
        m_listing.append(line);
    }

private:
    SimulatedClock &m_clock;
    QDir m_dir;
    unsigned long m_settleMs;
    QWidget *m_window = nullptr;
    int m_frame = 0;
    bool m_failed = false;
    QByteArray m_listing;
};

// The window names each shown result for screen readers as "<rank>: <number>".
constexpr std::array<const char *, 7> kRanks{
    "Primo numero",  "Secondo numero", "Terzo numero", "Quarto numero",
    "Quinto numero", "Sesto numero",   "Jolly",
};

QByteArray shownNumbers(const QWidget &window)
{
    QByteArray line;
    for (const char *rank : kRanks) {
        const QString prefix = QString::fromLatin1(rank) + QStringLiteral(": ");
        QString number = QStringLiteral("?");
        for (const QWidget *child : window.findChildren<QWidget *>()) {
            if (child->isVisible() && child->accessibleName().startsWith(prefix))
                number = child->accessibleName().mid(prefix.size());
        }
        line.append(line.isEmpty() ? "" : " ").append(number.toUtf8());
    }
    return line.append('\n');
}

bool writeFile(const QDir &dir, const char *name, const QByteArray &bytes)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "drawframes: cannot write %s\n", qPrintable(file.fileName()));
    return false;
}

// Longer than the longest display period the window paces its frames to.
unsigned long settleTime()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() > 0 ? screen->refreshRate() : 60.0;
    return static_cast<unsigned long>(std::ceil(1000.0 / std::clamp(rate, 24.0, 240.0))) + 5;
}

} // namespace

int main(int argc, char *argv[])
{
    std::uint64_t seed = 0;
    bool usable = argc == 3;
    if (usable) {
        const char *last = argv[1] + std::strlen(argv[1]);
        const auto [end, error] = std::from_chars(argv[1], last, seed);
        usable = error == std::errc() && end == last && argv[1] != last;
    }
    if (!usable) {
        std::fputs("usage: drawframes SEED DIR\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[2]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "drawframes: cannot create %s\n", argv[2]);
        return 1;
    }

    SimulatedClock clock;
    dalmiro::FixedSeedRandomSource random(seed);
    RecordingPump pump(clock, dir, settleTime());
    dalmiro::Form1 window(pump, clock, random);
    window.Form_Load();
    window.show();
    pump.processPendingEvents();
    pump.setWindow(&window);

    window.command1()->click();
    pump.processPendingEvents();
    pump.record(QStringLiteral("final.png"), clock.monotonic());

    const QByteArray numbers = shownNumbers(window);
    std::fputs(numbers.constData(), stdout);
    const bool written = writeFile(dir, "numbers.txt", numbers) &&
                         writeFile(dir, "frames.txt", pump.listing());
    std::printf("%d frames\n", pump.frames());
    return written && !pump.failed() && !numbers.contains('?') ? 0 : 1;
}
