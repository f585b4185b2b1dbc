#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class QImage;

namespace dalmiro {

// A picture as a control shows it on its screen. A picture from the catalogue
// is shown from the set painted for the screen's device pixel ratio (see
// loadPictureForRatio), so that it stays sharp on a high-density screen; any
// other picture is shown as it was given. Either way it covers the logical
// size of the picture that was given.
class ScreenPicture
{
public:
    // Takes `picture` for a screen of device pixel ratio `ratio`.
    void set(const QImage &picture, qreal ratio);
    // Follows the control to a screen of device pixel ratio `ratio`. Returns
    // true if what it shows has changed.
    bool followRatio(qreal ratio);

    bool isNull() const { return m_pixmap.isNull(); }
    bool hasAlphaChannel() const { return m_pixmap.hasAlphaChannel(); }
    // The logical size: the size of the picture that was given.
    QSize size() const { return m_size; }
    // Carries its device pixel ratio; draw it at the control's origin.
    const QPixmap &pixmap() const { return m_pixmap; }

private:
    QString m_key; // the catalogue key, empty for another picture
    QSize m_size;
    qreal m_ratio = 1.0;
    QPixmap m_pixmap;
};

} // namespace dalmiro
