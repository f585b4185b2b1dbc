#include "draw/drawsequence.h"

#include "draw/drawlistener.h"
#include "draw/formcontrols.h"
#include "draw/pictureid.h"
#include "platform/clock.h"
#include "platform/eventpump.h"
#include "platform/randomsource.h"

#include <QString>

#include <cmath>

namespace dalmiro {

namespace {

// The slots of image1: 0 to 31 the drum, 31 its exit and the chute's first
// place, 31 to 47 the chute. Ball k rolls from the exit to kChuteEnd - k, one
// place above its own result ball.
constexpr int kDrumSlots = 32;
constexpr int kExitSlot = 31;
constexpr int kChuteEnd = 47;
constexpr double kChuteStepPause = 0.1; // seconds
constexpr int kChuteFirstFrame = 1;
constexpr int kChuteLastFrame = 9;

// At the end of a draw every ball left in the drum walks down the slot
// numbering in steps of seven and vanishes.
constexpr int kSettleFirst = 0;
constexpr int kSettleLast = 44;
constexpr int kSettleStep = 7;
constexpr double kSettlePause = 0.04; // seconds

constexpr int kMainBalls = 6;
constexpr int kBalls = 7; // the six main balls and the jolly

// The drum tick: a one in two chance of showing the picked slot, and a frame
// drawn from 1 to 15 where everything above 10 becomes frame 9.
constexpr int kShowChoices = 10;
constexpr int kShowFrom = 5;
constexpr int kFrameChoices = 15;
constexpr int kLastDrumFrame = 10;
constexpr int kCommonFrame = 9;

// Where no display frame comes to run the ticks (a window the system does not
// draw, say), the wait for a ball still wakes this often to run them.
constexpr double kTickFallback = 0.05; // seconds

int wholeBelow(double value, int count)
{
    return static_cast<int>(std::floor(value * count));
}

} // namespace

// Unwinds a draw whose window is going away, from the first return of the
// event pump after the request to the top of Command1_Click.
struct DrawSequence::Stopped
{
};

DrawSequence::DrawSequence(FormControls &controls, EventPump &pump, Clock &clock,
                           RandomSource &random)
    : m_controls(controls), m_pump(pump), m_clock(clock), m_random(random)
{
}

void DrawSequence::Command1_Click()
{
    // The button is disabled while a draw runs; a click that reaches us anyway
    // must not start a second draw inside the first.
    if (m_running || m_stopRequested)
        return;
    m_running = true;
    try {
        runDraw();
    } catch (const Stopped &) {
        // The window is closing: leave every control as it is.
    } catch (...) {
        m_running = false;
        m_schedule.disableTimer1();
        throw;
    }
    m_running = false;
    m_schedule.disableTimer1();
}

void DrawSequence::runDraw()
{
    if (m_listener)
        m_listener->drawBegan(m_clock.monotonic());
    m_controls.setJollyVisible(false);
    m_controls.setCommand1Enabled(false);
    m_controls.setCerchioVisible(false);
    for (int i = 0; i < kMainBalls; ++i) {
        m_controls.setNumeriVisible(i, false);
        m_controls.setEstrattoVisible(i, false);
    }
    m_controls.setNumeriVisible(kMainBalls, false);

    Calcolo(m_drawnNumbers, m_random);

    m_controls.setTimer1Enabled(true);
    startTicks();
    for (int k = 0; k < kBalls;) {
        pumpPendingEvents();
        // A tick run inside the pump may have taken a ball already; if not,
        // this pass looks at the pick the latest tick left.
        // The passes take no draw time: a ball taken by one leaves where the
        // draw stands.
        if (!m_ballTaken && passTakesBall()) {
            m_ballTaken = true;
            m_schedule.takeBall(m_schedule.drawTime());
        }
        if (m_ballTaken) {
            m_ballTaken = false;
            m_schedule.standAt(m_schedule.ballTakenAt());
            runChute(k);
            reveal(k);
            ++k;
            continue;
        }
        // The latch was just cleared with the pick at the exit: the next pass
        // takes a ball at once, before any later tick.
        if (m_drumPick == kExitSlot)
            continue;
        // From here each tick is followed by its pass, wherever it runs.
        m_waitingForBall = true;
        m_schedule.openHorizon();
        runDueTicks();
        if (!m_ballTaken)
            waitForEvents(m_clock.monotonic() + kTickFallback);
    }
    m_waitingForBall = false;
    m_schedule.disableTimer1();
    m_controls.setTimer1Enabled(false);

    settle();
    m_controls.setCommand1Enabled(true);
    if (m_listener)
        m_listener->drawEnded(m_drawnNumbers, m_schedule.drawTime());
}

bool DrawSequence::passTakesBall()
{
    if (m_drumPick == kExitSlot && m_chuteLatch == 0) {
        m_chuteLatch = 1;
        return true;
    }
    m_chuteLatch = 0;
    return false;
}

void DrawSequence::startTicks()
{
    // No tick runs before the wait loop's first pass.
    m_schedule.enableTimer1(m_clock.monotonic());
    m_waitingForBall = false;
    m_ballTaken = false;
}

bool DrawSequence::runDueTicks()
{
    if (!m_schedule.isTimer1Enabled() || m_stopRequested)
        return true;
    if (m_ballTaken)
        return false;
    const double now = m_clock.monotonic();
    const double limit = m_schedule.tickLimit(now);
    while (const std::optional<double> due = m_schedule.takeTick(limit)) {
        Timer1_Timer();
        if (m_stopRequested)
            return true;
        if (m_waitingForBall && passTakesBall()) {
            // The ball leaves at the moment its tick was due; the ticks after
            // it belong to the chute's first pause.
            m_waitingForBall = false;
            m_ballTaken = true;
            m_schedule.takeBall(*due);
            return false;
        }
    }
    return m_schedule.reaches(now);
}

void DrawSequence::runChute(int k)
{
    const int last = kChuteEnd - k;
    for (int j = kExitSlot; j <= last; ++j) {
        pause(kChuteStepPause);
        // Each frame is repainted at once: no events run between the frames.
        for (int m = kChuteFirstFrame; m <= kChuteLastFrame; ++m) {
            m_controls.setImage1Visible(j, true);
            m_controls.setImage1Picture(j, PictureId::ballFrame(m));
            m_controls.refreshImage1(j);
        }
        if (j > kExitSlot)
            m_controls.setImage1Visible(j - 1, false);
    }
    m_controls.setImage1Visible(last, false);
}

void DrawSequence::reveal(int k)
{
    if (k < kMainBalls) {
        m_controls.setEstrattoPicture(k, PictureId::resultBall());
        m_controls.setEstrattoVisible(k, true);
    } else {
        m_controls.setJollyPicture(PictureId::resultBall());
    }
    m_controls.setNumeriCaption(k, QString::number(m_drawnNumbers[static_cast<std::size_t>(k)]));
    if (k == kMainBalls) {
        m_controls.setJollyVisible(true);
        m_controls.setCerchioVisible(true);
    }
    m_controls.setNumeriVisible(k, true);
    if (m_listener)
        m_listener->resultShown(k, m_drawnNumbers[static_cast<std::size_t>(k)],
                                m_schedule.drawTime());
}

void DrawSequence::settle()
{
    for (int i = kSettleFirst; i <= kSettleLast; ++i) {
        if (!m_controls.isImage1Visible(i))
            continue;
        m_controls.setImage1Visible(i, false);
        for (int j = i; j >= 0; j -= kSettleStep) {
            m_controls.setImage1Visible(j, true);
            pause(kSettlePause);
            m_controls.setImage1Visible(j, false);
        }
    }
}

void DrawSequence::Timer1_Timer()
{
    // Ticks that the closing window still delivers find nothing to draw on.
    if (m_stopRequested)
        return;
    m_inTick = true;
    // The pick reuses the value that chose the previous tick's frame.
    m_drumPick = wholeBelow(m_random.lastRandom(), kDrumSlots);
    const bool show = wholeBelow(m_random.nextRandom(), kShowChoices) >= kShowFrom;
    m_controls.setImage1Visible(m_drumPick, show);

    const int drawn = wholeBelow(m_random.nextRandom(), kFrameChoices) + 1;
    int &frame = m_slotFrames[static_cast<std::size_t>(m_drumPick)];
    frame = drawn > kLastDrumFrame ? kCommonFrame : drawn;
    m_controls.setImage1Picture(m_drumPick, PictureId::ballFrame(frame));
    m_controls.refreshImage1(m_drumPick);
    m_inTick = false;
}

void DrawSequence::Pausa(double tempo)
{
    m_schedule.standAt(m_clock.monotonic());
    try {
        pause(tempo);
    } catch (const Stopped &) {
        if (m_running)
            throw;
    }
}

void DrawSequence::pause(double tempo)
{
    // The monotonic clock: a pause across midnight or a change of the system
    // time still lasts `tempo`.
    const double deadline = m_schedule.startPause(tempo, m_clock.monotonic());
    // While the drum turns, the display frame that follows the deadline ends
    // the pause, and the chute's next step is shown in that very frame: no
    // wake-up of its own. Without the drum, the pause wakes at its deadline.
    const double wakeAt = m_schedule.isTimer1Enabled() ? deadline + kTickFallback : deadline;
    if (m_clock.monotonic() < deadline) {
        pumpPendingEvents();
        while (m_clock.monotonic() < deadline - DrawSchedule::kDueAllowance)
            waitForEvents(wakeAt);
    }
    runDueTicks(); // those due by the deadline, before the draw goes on
    m_schedule.standAt(deadline);
}

void DrawSequence::requestStop()
{
    m_stopRequested = true;
}

void DrawSequence::pumpPendingEvents()
{
    m_pump.processPendingEvents();
    if (m_stopRequested)
        throw Stopped{};
}

void DrawSequence::waitForEvents(double deadline)
{
    m_pump.waitForEvents(deadline);
    if (m_stopRequested)
        throw Stopped{};
}

} // namespace dalmiro
