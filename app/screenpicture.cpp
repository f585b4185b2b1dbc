#include "app/screenpicture.h"

#include "resources/catalogue.h"
#include "resources/paintedscales.h"

namespace dalmiro {

void ScreenPicture::set(PictureId id, qreal ratio)
{
    // Only the id and its size: the pixels are decoded when painted.
    if (id != m_id)
        m_size = pictureSize(id);
    m_id = id;
    m_given = QImage();
    m_ratio = ratio;
    m_stale = true;
}

void ScreenPicture::set(const QImage &picture, qreal ratio)
{
    m_id = PictureId();
    m_given = picture; // shared, not copied
    m_size = picture.size();
    m_ratio = ratio;
    m_stale = true;
}

bool ScreenPicture::followRatio(qreal ratio)
{
    if (qFuzzyCompare(ratio, m_ratio))
        return false;
    m_ratio = ratio;
    if (m_id.isNull())
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
        // until the next picture is a plain copy.
        m_pixmap = QPixmap::fromImage(m_id.isNull() ? m_given : loadPictureForRatio(m_id, m_ratio));
    }
    return m_pixmap;
}

} // namespace dalmiro
