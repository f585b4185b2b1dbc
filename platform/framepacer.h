#pragma once

#include <functional>

namespace dalmiro {

// Where the window's frames come from: the display's frame clock.
class FrameSource
{
public:
    virtual ~FrameSource() = default;

    // Seconds on the monotonic clock.
    virtual double now() const = 0;
    // Asks for one call of FramePacer::frameDue() once the display can take
    // a frame and the clock has reached `notBefore`. Returns at once; asking
    // again before the call comes replaces the earlier request.
    virtual void requestFrame(double notBefore) = 0;
};

// Turns any number of changes to what the window shows into at most one
// presented frame per display refresh. A change never waits: it only marks
// the window as needing a frame. The frame, when the display is ready for
// it, paints the latest state of everything that changed since the last one.
class FramePacer
{
public:
    // `present` paints and hands over one frame; `period` is the display's
    // refresh period in seconds.
    FramePacer(FrameSource &source, std::function<void()> present, double period);

    // Something on screen changed: it appears at the next frame.
    void changed();
    // The display can take a frame now.
    void frameDue();
    // While set, every frame first calls `advance`, which brings what the
    // window shows up to the present moment, and the frames keep coming, one
    // per display refresh, whether or not anything else changed. When
    // `advance` returns false, the animation has to go on outside the frame
    // first: the frame is then shown at the next call the display can make,
    // as soon as possible. An empty function stops them.
    void setAnimation(std::function<bool()> advance);

    void setPeriod(double period) { m_period = period; }
    bool isFrameRequested() const { return m_requested; }

private:
    void request();

    FrameSource &m_source;
    std::function<void()> m_present;
    std::function<bool()> m_advance;
    double m_period = 1.0 / 60.0;
    bool m_dirty = false;
    bool m_requested = false;
    bool m_inFrame = false;
    double m_requestedAt = 0.0;
    double m_lastPresented = -1.0e9;
};

} // namespace dalmiro
