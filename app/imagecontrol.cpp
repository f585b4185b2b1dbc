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

void ImageControl::setPicture(const QImage &picture)
{
    m_picture.set(picture, devicePixelRatioF());
    // Pictures are opaque and the image now has exactly their size, so the
    // scene beneath need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull() && !m_picture.hasAlphaChannel());
    if (size() != m_picture.size())
        resize(m_picture.size());
    update();
}

bool ImageControl::event(QEvent *event)
{
    // A window that moves to a screen of another ratio tells every widget in
    // it; a hidden image catches up when it is shown.
    if ((event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show) &&
        m_picture.followRatio(devicePixelRatioF()))
        update();
    return QWidget::event(event);
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture.pixmap());
}

} // namespace dalmiro
