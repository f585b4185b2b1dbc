#include "platform/qteventpump.h"

#include "platform/clock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__linux__)
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace dalmiro {

#if defined(Q_OS_WASM)
// Watches every event the application delivers; while a wait is under way,
// each one asks the dispatcher to resume the waiting stack (one that comes
// before the stack is suspended asks for nothing, and the next one counts).
class QtEventPump::WaitEnder final : public QObject
{
public:
    WaitEnder() { QCoreApplication::instance()->installEventFilter(this); }

    void wait(QAbstractEventDispatcher &dispatcher)
    {
        m_dispatcher = &dispatcher;
        dispatcher.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        m_dispatcher = nullptr;
    }

protected:
    bool eventFilter(QObject *, QEvent *) override
    {
        if (m_dispatcher)
            m_dispatcher->wakeUp();
        return false;
    }

private:
    QAbstractEventDispatcher *m_dispatcher = nullptr;
};
#endif

QtEventPump::QtEventPump(const Clock &clock) : m_clock(clock)
{
    m_wakeTimer.setSingleShot(true);
    m_wakeTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_wakeTimer, &QTimer::timeout, [this] { wokenUp(); });
#if defined(Q_OS_WASM)
    if (QCoreApplication::instance())
        m_waitEnder = std::make_unique<WaitEnder>();
#endif
}

QtEventPump::~QtEventPump()
{
#if defined(__linux__)
    m_wakeNotifier.reset();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
#endif
}

void QtEventPump::processPendingEvents()
{
    // Without WaitForMoreEvents the dispatcher polls with a zero timeout: it
    // handles what is ready now and returns.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(double deadline)
{
    if (deadline >= 0) {
        const double remaining = deadline - m_clock.monotonic();
        if (remaining <= 0)
            return;
        // A pause waits many times for the same deadline, once per tick: the
        // wake-up stays armed across them.
        if (deadline != m_armedDeadline) {
            if (!armWakeUp(remaining)) {
                // Nothing could wake us at the deadline: do not sleep past it.
                processPendingEvents();
                return;
            }
            m_armedDeadline = deadline;
        }
    }
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher)
        return;
#if defined(Q_OS_WASM)
    if (m_waitEnder) {
        m_waitEnder->wait(*dispatcher);
        return;
    }
#endif
    dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
#if defined(Q_OS_WIN)
    // Qt's Windows dispatcher sends the posted events at the start of a pass
    // only. Its precise timers (the wake-up among them) arrive as posted
    // events: their message ends the wait above, but the events themselves
    // would wait for the next pass, which would send them and then sleep on
    // for more. Send them now, so that what woke the wait is handled.
    QCoreApplication::sendPostedEvents();
#endif
}

bool QtEventPump::armWakeUp(double seconds)
{
#if defined(__linux__)
    if (m_wakeFd < 0 && QAbstractEventDispatcher::instance()) {
        m_wakeFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (m_wakeFd >= 0) {
            m_wakeNotifier = std::make_unique<QSocketNotifier>(m_wakeFd, QSocketNotifier::Read);
            QObject::connect(m_wakeNotifier.get(), &QSocketNotifier::activated,
                             [this] { wokenUp(); });
        }
    }
    if (m_wakeNotifier) {
        itimerspec when{};
        const double whole = std::floor(seconds);
        when.it_value.tv_sec = static_cast<time_t>(whole);
        when.it_value.tv_nsec = static_cast<long>((seconds - whole) * 1e9);
        if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0)
            when.it_value.tv_nsec = 1; // zero would disarm it
        if (::timerfd_settime(m_wakeFd, 0, &when, nullptr) == 0)
            return true;
    }
#endif
    // A precise Qt timer counts whole milliseconds; rounding up keeps the wait
    // from ending early, the caller's loop sees the deadline on the next pass.
    const double ms = std::ceil(seconds * 1000.0);
    m_wakeTimer.start(static_cast<int>(std::min(ms, 2.0e9)));
    return true;
}

void QtEventPump::wokenUp()
{
#if defined(__linux__)
    // Reading the expiry count makes the descriptor quiet again; a wake-up
    // left unread would end every later wait at once.
    std::uint64_t expiries = 0;
    while (::read(m_wakeFd, &expiries, sizeof expiries) > 0) {
    }
#endif
    m_armedDeadline = -1.0;
}

} // namespace dalmiro
