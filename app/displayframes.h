#pragma once

#include "platform/framepacer.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;
class QWindow;

namespace dalmiro {

class Clock;

// Paces the repaints of one top-level widget to the display. Every change to
// the widget or its children (show, hide, a new picture, update()) only marks
// its area; the toolkit's request to paint is held back and the marked areas
// are painted and handed to the display together, once per display refresh.
// Nothing here ever waits for the display server or the compositor.
//
// On Wayland the frames follow the compositor's frame callbacks; elsewhere a
// precise timer keeps them at the screen's refresh rate.
class DisplayFrames final : public QObject, private FrameSource
{
public:
    DisplayFrames(QWidget &window, const Clock &clock);

    // See FramePacer::setAnimation: `advance` runs at every frame, just
    // before it is painted, in the same wake-up.
    void setAnimation(std::function<bool()> advance);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    double now() const override;
    void requestFrame(double notBefore) override;
    void present();
    void timerFired();
    void watch(QWindow *handle);
    double displayPeriod() const;

    QWidget &m_window;
    const Clock &m_clock;
    FramePacer m_pacer;
    QTimer m_timer;
    QPointer<QWindow> m_handle;
    // Wayland: frames come from the compositor, through requestUpdate().
    bool m_compositorFrames = false;
    bool m_presenting = false;
};

} // namespace dalmiro
