#include "app/displayframes.h"

#include "platform/clock.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <utility>

namespace dalmiro {

namespace {

constexpr double kFallbackRefreshRate = 60.0;
// A screen reporting a rate outside this range is taken at the nearest end.
constexpr double kLowestRefreshRate = 24.0;
constexpr double kHighestRefreshRate = 240.0;

} // namespace

DisplayFrames::DisplayFrames(QWidget &window, const Clock &clock)
    : m_window(window), m_clock(clock),
      m_pacer(*this, [this] { present(); }, 1.0 / kFallbackRefreshRate),
      m_compositorFrames(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &DisplayFrames::timerFired);
    m_window.installEventFilter(this);
}

bool DisplayFrames::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::UpdateRequest)
        return false;
    if (watched == &m_window) {
        // The toolkit asks to paint what was marked: unless this is our own
        // frame, note the change and paint it at the next frame instead.
        if (m_presenting || !m_window.windowHandle())
            return false;
        watch(m_window.windowHandle());
        m_pacer.changed();
        return true;
    }
    if (watched == m_handle && m_compositorFrames && m_pacer.isFrameRequested()) {
        m_pacer.frameDue();
        return true;
    }
    return false;
}

void DisplayFrames::setAnimation(std::function<bool()> advance)
{
    m_pacer.setAnimation(std::move(advance));
}

double DisplayFrames::now() const
{
    return m_clock.monotonic();
}

void DisplayFrames::requestFrame(double notBefore)
{
    const double wait = notBefore - now();
    if (m_compositorFrames && m_handle) {
        // The compositor answers no sooner than it can show a frame after
        // the last one we gave it: asking at once costs no wake-up of ours.
        m_timer.stop();
        m_handle->requestUpdate();
    } else if (wait > 0) {
        m_timer.start(static_cast<int>(std::ceil(wait * 1000.0)));
    } else {
        // Not painted here and now: the changes made by the rest of the
        // current handler belong to the same frame.
        m_timer.start(0);
    }
}

void DisplayFrames::timerFired()
{
    if (m_compositorFrames && m_handle)
        m_handle->requestUpdate();
    else
        m_pacer.frameDue();
}

void DisplayFrames::present()
{
    // Only a window on the screen, with an area and a pixel ratio to paint
    // at, has a backing store to paint into; a frame that falls due before
    // that, or after, is skipped. The marked areas stay marked, and the
    // toolkit paints them itself when the window is exposed.
    const QWindow *handle = m_window.windowHandle();
    const QBackingStore *store = m_window.backingStore();
    if (!handle || !handle->isExposed() || !(handle->devicePixelRatio() > 0) || !store ||
        store->size().isEmpty())
        return;
    m_presenting = true;
    QEvent paint(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&m_window, &paint);
    m_presenting = false;
}

void DisplayFrames::watch(QWindow *handle)
{
    if (handle == m_handle)
        return;
    m_handle = handle;
    handle->installEventFilter(this);
    m_pacer.setPeriod(displayPeriod());
    connect(handle, &QWindow::screenChanged, this,
            [this] { m_pacer.setPeriod(displayPeriod()); });
}

double DisplayFrames::displayPeriod() const
{
    const QScreen *screen = m_handle ? m_handle->screen() : nullptr;
    double rate = screen ? screen->refreshRate() : 0.0;
    if (!(rate > 0))
        rate = kFallbackRefreshRate;
    return 1.0 / std::clamp(rate, kLowestRefreshRate, kHighestRefreshRate);
}

} // namespace dalmiro
