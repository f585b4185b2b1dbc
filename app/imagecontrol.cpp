#include "app/imagecontrol.h"

#include "app/layout.h"

#include <QEvent>
#include <QImage>
#include <QPainter>

namespace dalmiro {

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    resize(layout::kImageBox);
    // Clicks reach whatever lies beneath, as on a control with no window.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageControl::setPicture(PictureId id)
{
    m_picture.set(id, devicePixelRatioF());
    pictureChanged();
}

void ImageControl::setPicture(const QImage &picture)
{
    m_picture.set(picture, devicePixelRatioF());
    pictureChanged();
}

void ImageControl::pictureChanged()
{
    updateOpacity();
    if (size() != m_picture.size())
        resize(m_picture.size());
    update();
}

void ImageControl::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    updateOpacity();
    update();
}

void ImageControl::updateOpacity()
{
    // A shown picture is opaque and the image has exactly its size, so the
    // scene beneath need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent,
                 m_shown && !m_picture.isNull() && !m_picture.hasAlphaChannel());
}

bool ImageControl::event(QEvent *event)
{
    // A window that moves to a screen of another ratio tells every widget in
    // it; a hidden image catches up when it is shown.
    if (m_picture.followScreen(*event, devicePixelRatioF()))
        update();
    return QWidget::event(event);
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (!m_shown || m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture.pixmap());
}

} // namespace dalmiro
