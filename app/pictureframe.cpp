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

void PictureFrame::setPicture(PictureId id)
{
    m_picture.set(id, devicePixelRatioF());
    update();
}

void PictureFrame::setPicture(const QImage &picture)
{
    m_picture.set(picture, devicePixelRatioF());
    update();
}

bool PictureFrame::event(QEvent *event)
{
    if (m_picture.followScreen(*event, devicePixelRatioF()))
        update();
    return QWidget::event(event);
}

void PictureFrame::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect pictureArea(QPoint(0, 0), m_picture.size());
    const QRegion background = event->region() - pictureArea;
    for (const QRect &r : background)
        painter.fillRect(r, palette().window());
    if (m_picture.isNull())
        return;
    // Only the exposed parts are copied, each from the whole device pixels
    // that cover it: handed the whole scene, the painter would set up a copy
    // of all of it, in several threads, at every repaint of a drum slot.
    const QPixmap &picture = m_picture.pixmap();
    const qreal ratio = picture.devicePixelRatio();
    for (const QRect &r : event->region() & pictureArea) {
        const QRect source =
            QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toAlignedRect() &
            picture.rect();
        painter.drawPixmap(QPointF(source.topLeft()) / ratio, picture, source);
    }
}

} // namespace dalmiro
