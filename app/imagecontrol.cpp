#include "app/imagecontrol.h"

#include "app/layout.h"

#include <QImage>
#include <QPainter>

namespace dalmiro {

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    resize(layout::kImageBox);
    // Clicks reach whatever lies beneath, as on a control with no window.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageControl::setPicture(const QImage &picture)
{
    // Converted once into the screen's format: the drum repaints its slots
    // many times a second.
    m_picture = QPixmap::fromImage(picture);
    // Pictures are opaque and the image now has exactly their size, so the
    // scene beneath need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull() && !m_picture.hasAlphaChannel());
    if (size() != m_picture.size())
        resize(m_picture.size());
    update();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace dalmiro
