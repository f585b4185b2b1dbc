#include "app/pictureframe.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace dalmiro {

PictureFrame::PictureFrame(QWidget *parent) : QWidget(parent)
{
    // It paints every pixel itself, the background only where its picture
    // does not reach: filling under a whole-window picture first would cost
    // a second full copy at every uncovered repaint.
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void PictureFrame::paintEvent(QPaintEvent *event)
{
    // The painter is clipped to the exposed area, so only that is copied.
    QPainter painter(this);
    const QRegion background = event->region() - QRect(QPoint(0, 0), m_picture.size());
    for (const QRect &r : background)
        painter.fillRect(r, palette().window());
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture.pixmap());
}

} // namespace dalmiro
