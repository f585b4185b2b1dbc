#include "app/screenpicture.h"

#include "resources/screenpictures.h"

#include <QImage>

namespace dalmiro {

void ScreenPicture::set(const QImage &picture, qreal ratio)
{
    m_given = picture; // shared, not copied
    m_key = pictureKey(picture);
    m_ratio = ratio;
    m_stale = true;
}

bool ScreenPicture::followRatio(qreal ratio)
{
    if (qFuzzyCompare(ratio, m_ratio))
        return false;
    m_ratio = ratio;
    if (m_key.isEmpty())
        return false;
    m_stale = true;
    return true;
}

bool ScreenPicture::followScreen(const QEvent &event, qreal ratio)
{
    const bool moved =
        event.type() == QEvent::ScreenChangeInternal || event.type() == QEvent::Show;
    return moved && followRatio(ratio);
}

const QPixmap &ScreenPicture::pixmap()
{
    if (m_stale) {
        m_stale = false;
        // Converted once into the screen's format, so that every repaint
        // until the next picture is a plain copy. At 1 the catalogue's
        // picture is shown as it is.
        if (m_key.isEmpty() || paintedScaleFor(m_ratio) == 1)
            m_pixmap = QPixmap::fromImage(m_given);
        else
            m_pixmap = QPixmap::fromImage(loadPictureForRatio(m_key, m_ratio));
    }
    return m_pixmap;
}

} // namespace dalmiro
