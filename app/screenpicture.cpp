#include "app/screenpicture.h"

#include "resources/screenpictures.h"

#include <QImage>

#include <utility>

namespace dalmiro {

void ScreenPicture::set(const QImage &picture, qreal ratio)
{
    m_key = pictureKey(picture);
    m_size = picture.size();
    m_ratio = ratio;
    // Converted once into the screen's format: the drum repaints its slots
    // many times a second. At 1 the catalogue's picture is shown as it is.
    if (m_key.isEmpty() || paintedScaleFor(ratio) == 1)
        m_pixmap = QPixmap::fromImage(picture);
    else
        m_pixmap = QPixmap::fromImage(loadPictureForRatio(m_key, ratio));
}

bool ScreenPicture::followRatio(qreal ratio)
{
    if (qFuzzyCompare(ratio, m_ratio))
        return false;
    m_ratio = ratio;
    if (m_key.isEmpty())
        return false;
    m_pixmap = QPixmap::fromImage(loadPictureForRatio(m_key, ratio));
    return true;
}

} // namespace dalmiro
