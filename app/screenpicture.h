#pragma once

#include "draw/pictureid.h"

#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace dalmiro {

// A picture as a control shows it on its screen. A picture of the catalogue,
// given by id, is shown from the set painted for the screen's device pixel
// ratio (see loadPictureForRatio), so that it stays sharp on a high-density
// screen; any other picture is shown as it was given. Either way it covers
// the logical size of the picture painted at 1, or of the one given.
//
// The screen's form is made when the picture is first painted, not when it is
// given: the drum gives its slots pictures a thousand times a second, hidden
// slots included, while the screen shows at most one frame per refresh.
class ScreenPicture
{
public:
    // Takes picture `id` of the catalogue for a screen of device pixel ratio
    // `ratio`.
    void set(PictureId id, qreal ratio);
    // Takes a picture from elsewhere, shown as it is at every ratio.
    void set(const QImage &picture, qreal ratio);
    // Follows the control to a screen of device pixel ratio `ratio`. Returns
    // true if what it shows has changed.
    bool followRatio(qreal ratio);
    // The same, for an event its control receives: a move to another screen,
    // or a hidden control being shown again.
    bool followScreen(const QEvent &event, qreal ratio);

    bool isNull() const { return m_id.isNull() && m_given.isNull(); }
    // The catalogue's pictures are opaque.
    bool hasAlphaChannel() const { return m_given.hasAlphaChannel(); }
    // The logical size.
    QSize size() const { return m_size; }
    // Carries its device pixel ratio; draw it at the control's origin.
    const QPixmap &pixmap();

private:
    PictureId m_id;  // null for a picture from elsewhere
    QImage m_given;  // the picture from elsewhere
    QSize m_size;
    qreal m_ratio = 1.0;
    QPixmap m_pixmap;
    bool m_stale = false; // m_pixmap no longer shows the picture at m_ratio
};

} // namespace dalmiro
