#include "app/pictureframe.h"

#include <QEvent>
#include <QImage>
#include <QPainter>

namespace dalmiro {

PictureFrame::PictureFrame(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void PictureFrame::setPicture(const QImage &picture)
{
    m_picture.set(picture, devicePixelRatioF());
    update();
}

bool PictureFrame::event(QEvent *event)
{
    if ((event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show) &&
        m_picture.followRatio(devicePixelRatioF()))
        update();
    return QWidget::event(event);
}

void PictureFrame::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    // The painter is clipped to the exposed area, so only that is copied.
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture.pixmap());
}

} // namespace dalmiro
