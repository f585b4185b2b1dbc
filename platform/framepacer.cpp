#include "platform/framepacer.h"

#include <utility>

namespace dalmiro {

namespace {

// A request the display has not answered in this long is made again: a
// window that was hidden or lost its frame callbacks must not stay frozen
// once it can be seen again.
constexpr double kRequestLifetime = 0.25; // seconds

} // namespace

FramePacer::FramePacer(FrameSource &source, std::function<void()> present, double period)
    : m_source(source), m_present(std::move(present)), m_period(period)
{
}

void FramePacer::changed()
{
    m_dirty = true;
    // A change made while advancing is shown by the frame under way.
    if (m_inFrame)
        return;
    if (!m_requested || m_source.now() - m_requestedAt > kRequestLifetime)
        request();
}

void FramePacer::frameDue()
{
    m_requested = false;
    if (m_advance) {
        m_inFrame = true;
        const bool current = m_advance();
        m_inFrame = false;
        // What advancing changed may reach us only later, as a request to
        // paint: an animated frame is always presented.
        m_dirty = true;
        if (!current) {
            m_requested = true;
            m_requestedAt = m_source.now();
            m_source.requestFrame(m_requestedAt);
            return;
        }
    }
    if (!m_dirty)
        return;
    m_dirty = false;
    m_lastPresented = m_source.now();
    // Painting may itself change something; that goes to the next frame.
    m_present();
    if (m_advance && !m_requested)
        request();
}

void FramePacer::setAnimation(std::function<bool()> advance)
{
    m_advance = std::move(advance);
    if (m_advance && !m_requested)
        request();
}

void FramePacer::request()
{
    m_requested = true;
    m_requestedAt = m_source.now();
    // One frame per refresh period, counted from the last one shown.
    m_source.requestFrame(m_lastPresented + m_period);
}

} // namespace dalmiro
