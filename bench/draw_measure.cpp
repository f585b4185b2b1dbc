// Measures the draw on the real window: bench_draw MODE, MODE one of
//   tick     the time of one drum tick (pick, picture, marking the slot for
//            the next frame): median, 90th and 99th percentiles
//   draw     one whole draw on the real clock: processor time against wall
//            time, the chute runs against the pauses they contain, and the
//            wake-ups: the times a second the program slept and was woken
//   spin     the same draw with waits that return at once, for comparison
//   memory   resident memory over 200 draws run on a fast simulated clock
//   timer    the floor under the draw: the window shown and a 1 ms precise
//            timer that does nothing, for 10 s, processor time against wall
// Run it on the offscreen platform or under a display server.
#include "app/form1.h"
#include "draw/drawsequence.h"
#include "platform/clock.h"
#include "platform/qteventpump.h"
#include "platform/randomsource.h"
#include "support/simulatedpump.h"

#include <QApplication>
#include <QTimer>

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace dalmiro;
using Steady = std::chrono::steady_clock;

double seconds(Steady::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double processorSeconds()
{
#if defined(_WIN32)
    // User and kernel time, in units of 100 ns.
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto toSeconds = [](const FILETIME &t) {
        return double((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e7;
    };
    return toSeconds(user) + toSeconds(kernel);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto toSeconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
#endif
}

// The times the process gave up the processor to wait (voluntary context
// switches): every sleep that ends in a wake-up counts one.
long wakeUps()
{
#if defined(_WIN32)
    return -1; // not kept per process on Windows
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
#endif
}

double residentMiB()
{
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return double(counters.WorkingSetSize) / (1024.0 * 1024.0);
#else
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
#endif
}

// Waits that return at once: the draw then polls as fast as it can.
class SpinningPump final : public EventPump
{
public:
    explicit SpinningPump(EventPump &inner) : m_inner(inner) {}
    void processPendingEvents() override { m_inner.processPendingEvents(); }
    void waitForEvents(double) override { m_inner.processPendingEvents(); }

private:
    EventPump &m_inner;
};

// Passes the draw's operations on to the window, has the window's frames run
// this draw's ticks while its timer is on, and notes when each chute run ends
// (on the monotonic clock).
class TimedControls final : public FormControls
{
public:
    TimedControls(Form1 &window, const Clock &clock) : m_window(window), m_clock(clock) {}
    DrawSequence *draw = nullptr;
    std::vector<double> runEnds;
    int chuteRun = 0;

    // The drum cleared at the end: each showing of a ball there starts a pause.
    int settlePauses = 0;
    double enabledAt = 0.0;

    void setImage1Visible(int index, bool visible) override
    {
        // The last hide of run k is that of slot 47 - k, after its frames.
        if (!visible && index == 47 - chuteRun && m_lastFramed == index) {
            runEnds.push_back(m_clock.monotonic());
            ++chuteRun;
        }
        if (visible && chuteRun == 7)
            ++settlePauses;
        m_window.setImage1Visible(index, visible);
    }
    bool isImage1Visible(int index) const override { return m_window.isImage1Visible(index); }
    void setImage1Picture(int index, PictureId picture) override
    {
        if (index > 31)
            m_lastFramed = index;
        m_window.setImage1Picture(index, picture);
    }
    void refreshImage1(int index) override { m_window.refreshImage1(index); }
    void setEstrattoVisible(int k, bool visible) override
    {
        m_window.setEstrattoVisible(k, visible);
    }
    void setEstrattoPicture(int k, PictureId p) override { m_window.setEstrattoPicture(k, p); }
    void setJollyVisible(bool visible) override { m_window.setJollyVisible(visible); }
    void setJollyPicture(PictureId picture) override { m_window.setJollyPicture(picture); }
    void setNumeriVisible(int k, bool visible) override { m_window.setNumeriVisible(k, visible); }
    void setNumeriCaption(int k, const QString &c) override { m_window.setNumeriCaption(k, c); }
    void setCerchioVisible(bool visible) override { m_window.setCerchioVisible(visible); }
    void setCommand1Enabled(bool enabled) override
    {
        if (enabled)
            enabledAt = m_clock.monotonic();
        m_window.setCommand1Enabled(enabled);
    }
    void setTimer1Enabled(bool enabled) override { m_window.driveTicks(enabled ? draw : nullptr); }

private:
    Form1 &m_window;
    const Clock &m_clock;
    int m_lastFramed = -1;
};

// Notes the moment each ball was taken, looking at every pump call: the first
// one that finds the latch set for a new ball.
class TakeWatch final : public EventPump
{
public:
    TakeWatch(EventPump &inner, const DrawSequence *&draw) : m_inner(inner), m_draw(draw)
    {
    }
    std::vector<double> takes;
    void processPendingEvents() override
    {
        look();
        m_inner.processPendingEvents();
    }
    void waitForEvents(double deadline) override
    {
        look();
        m_inner.waitForEvents(deadline);
    }

private:
    void look()
    {
        // The latch may be cleared and set again between two pump calls: a new
        // ball is told by its own moment of taking.
        if (m_draw && m_draw->chuteLatch() == 1 && m_draw->ballTakenAt() != m_taken) {
            m_taken = m_draw->ballTakenAt();
            // The moment the ball left, which the run's pauses count from: the
            // due time of the tick that took it. In a browser that tick may
            // run in a display frame some milliseconds before the draw sees it.
            takes.push_back(m_taken);
        }
    }
    EventPump &m_inner;
    const DrawSequence *&m_draw;
    double m_taken = -1.0;
};

int measureDraw(bool spin)
{
    SystemClock clock;
    QtEventPump qtPump(clock);
    SpinningPump spinning(qtPump);
    const DrawSequence *watched = nullptr;
    TakeWatch pump(spin ? static_cast<EventPump &>(spinning) : qtPump, watched);
    SystemRandomSource random;
    Form1 window(qtPump, clock, random);
    window.Form_Load();
    window.show();
    TimedControls controls(window, clock);
    DrawSequence draw(controls, pump, clock, random);
    watched = &draw;
    controls.draw = &draw;
    for (int i = 0; i < 20; ++i)
        qtPump.processPendingEvents();

    const double cpu0 = processorSeconds();
    const long wakes0 = wakeUps();
    const auto wall0 = Steady::now();
    draw.Command1_Click();
    const double wall = seconds(Steady::now() - wall0);
    const double cpu = processorSeconds() - cpu0;
    const long wakes = wakeUps() - wakes0;

#if defined(__EMSCRIPTEN__)
    // A page cannot read its processor time; the browser's task manager shows it.
    std::printf("%s draw: wall %.3f s\n", spin ? "spinning" : "sleeping", wall);
    (void)cpu;
#else
    std::printf("%s draw: wall %.3f s, processor %.3f s = %.1f%% of wall\n",
                spin ? "spinning" : "sleeping", wall, cpu, 100.0 * cpu / wall);
#endif
    if (pump.takes.size() != 7 || controls.runEnds.size() != 7) {
        std::printf("could not pair the chute runs (%zu takes, %zu ends)\n", pump.takes.size(),
                    controls.runEnds.size());
        return 1;
    }
    double runs = 0;
    for (std::size_t k = 0; k < 7; ++k)
        runs += controls.runEnds[k] - pump.takes[k];
    std::printf("chute runs: %.4f s for 98 pauses of 0.1 s (9.8 s): %+.2f%%\n", runs,
                100.0 * (runs - 9.8) / 9.8);
    const double settle = controls.enabledAt - controls.runEnds[6];
    const double settlePaused = 0.04 * controls.settlePauses;
    std::printf("settle: %.4f s for %d pauses of 0.04 s (%.2f s): %+.2f%%\n", settle,
                controls.settlePauses, settlePaused,
                settlePaused > 0 ? 100.0 * (settle - settlePaused) / settlePaused : 0.0);
    if (wakes0 >= 0)
        std::printf("wake-ups: %ld voluntary context switches, %.0f a second of wall\n", wakes,
                    double(wakes) / wall);
    return 0;
}

int measureTick()
{
    SystemClock clock;
    QtEventPump pump(clock);
    SystemRandomSource random;
    random.seedForTesting(7);
    Form1 window(pump, clock, random);
    window.Form_Load();
    window.show();
    for (int i = 0; i < 20; ++i)
        pump.processPendingEvents();

    constexpr int kTicks = 20000;
    std::vector<double> micros;
    micros.reserve(kTicks);
    for (int i = 0; i < kTicks; ++i) {
        const auto start = Steady::now();
        window.Timer1_Timer();
        micros.push_back(seconds(Steady::now() - start) * 1e6);
        if (i % 50 == 0)
            pump.processPendingEvents(); // paint what the hides and shows left
    }
    std::sort(micros.begin(), micros.end());
    std::printf("drum tick: median %.2f us, 90th percentile %.2f us, 99th percentile %.2f us "
                "over %d ticks\n",
                micros[kTicks / 2], micros[kTicks * 9 / 10], micros[kTicks * 99 / 100], kTicks);
    return 0;
}

int measureTimer()
{
    SystemClock clock;
    QtEventPump pump(clock);
    SystemRandomSource random;
    Form1 window(pump, clock, random);
    window.Form_Load();
    window.show();
    QTimer idle;
    idle.setTimerType(Qt::PreciseTimer);
    idle.setInterval(1);
    long ticks = 0;
    QObject::connect(&idle, &QTimer::timeout, [&] { ++ticks; });
    for (int i = 0; i < 20; ++i)
        pump.processPendingEvents();

    idle.start();
    const double cpu0 = processorSeconds();
    const auto wall0 = Steady::now();
    QTimer::singleShot(10000, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    const double wall = seconds(Steady::now() - wall0);
    const double cpu = processorSeconds() - cpu0;
    std::printf("idle 1 ms timer: %.0f ticks a second, processor %.3f s = %.1f%% of wall\n",
                double(ticks) / wall, cpu, 100.0 * cpu / wall);
    return 0;
}

int measureMemory()
{
    testing::SimulatedTime time;
    // 200 draws take some 40 simulated minutes.
    testing::SimulatedPump simulated(
        time, {testing::SimulatedPump::Waiting::Sleeps, 1000, 100, std::int64_t(1) << 50});
    SystemClock clock;
    QtEventPump qtPump(clock);
    SystemRandomSource random;
    Form1 window(qtPump, clock, random);
    window.Form_Load();
    window.show();
    // The window's own timer stays idle; the simulated one drives this draw.
    struct Forward final : FormControls
    {
        Form1 &w;
        testing::SimulatedPump &p;
        Forward(Form1 &window_, testing::SimulatedPump &pump_) : w(window_), p(pump_) {}
        void setImage1Visible(int i, bool v) override { w.setImage1Visible(i, v); }
        bool isImage1Visible(int i) const override { return w.isImage1Visible(i); }
        void setImage1Picture(int i, PictureId q) override { w.setImage1Picture(i, q); }
        void refreshImage1(int i) override { w.refreshImage1(i); }
        void setEstrattoVisible(int k, bool v) override { w.setEstrattoVisible(k, v); }
        void setEstrattoPicture(int k, PictureId q) override { w.setEstrattoPicture(k, q); }
        void setJollyVisible(bool v) override { w.setJollyVisible(v); }
        void setJollyPicture(PictureId q) override { w.setJollyPicture(q); }
        void setNumeriVisible(int k, bool v) override { w.setNumeriVisible(k, v); }
        void setNumeriCaption(int k, const QString &c) override { w.setNumeriCaption(k, c); }
        void setCerchioVisible(bool v) override { w.setCerchioVisible(v); }
        void setCommand1Enabled(bool e) override { w.setCommand1Enabled(e); }
        void setTimer1Enabled(bool e) override { p.setTimerEnabled(e); }
    } controls(window, simulated);
    // Every simulated pass also lets the window paint what changed.
    struct Painting final : EventPump
    {
        testing::SimulatedPump &s;
        EventPump &q;
        Painting(testing::SimulatedPump &sim, EventPump &qt) : s(sim), q(qt) {}
        void processPendingEvents() override
        {
            s.processPendingEvents();
            q.processPendingEvents();
        }
        void waitForEvents(double deadline) override { s.waitForEvents(deadline); }
    } pump(simulated, qtPump);
    DrawSequence draw(controls, pump, time, random);
    simulated.onTick = [&] { draw.runDueTicks(); };

    double warm = 0, highest = 0;
    const auto wall0 = Steady::now();
    for (int d = 1; d <= 200; ++d) {
        draw.Command1_Click();
        const double now = residentMiB();
        if (d == 10)
            warm = now;
        if (d >= 10)
            highest = std::max(highest, now);
        if (d % 50 == 0)
            std::printf("after %3d draws: %.2f MiB resident\n", d, now);
    }
    std::printf("memory: %.2f MiB after 10 draws, at most %.2f MiB up to 200: growth %.2f MiB "
                "(%.1f s)\n",
                warm, highest, highest - warm, seconds(Steady::now() - wall0));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    if (mode == "tick")
        return measureTick();
    if (mode == "draw" || mode == "spin")
        return measureDraw(mode == "spin");
    if (mode == "memory")
        return measureMemory();
    if (mode == "timer")
        return measureTimer();
    std::fputs("usage: bench_draw tick|draw|spin|memory|timer\n", stderr);
    return 2;
}
