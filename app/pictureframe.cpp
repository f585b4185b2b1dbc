#include "app/pictureframe.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace dalmiro {

PictureFrame::PictureFrame(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void PictureFrame::setPicture(const QImage &picture)
{
    // Converted once here into the screen's format, so that every repaint is
    // a plain copy.
    m_picture = QPixmap::fromImage(picture);
    update();
}

void PictureFrame::paintEvent(QPaintEvent *event)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect exposed = event->rect() & QRect(QPoint(0, 0), m_picture.size());
    if (!exposed.isEmpty())
        painter.drawPixmap(exposed.topLeft(), m_picture, exposed);
}

} // namespace dalmiro
