#include "app/shapecontrol.h"

#include <QPainter>

#include <algorithm>

namespace dalmiro {

ShapeControl::ShapeControl(Shape shape, QColor fill, QWidget *parent)
    : QWidget(parent), m_shape(shape), m_fill(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // A rectangle covers its whole box; a circle leaves the corners to what
    // lies beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, shape == Shape::Rectangle);
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(m_fill);
    if (m_shape == Shape::Rectangle) {
        // The outline lies on the box's outermost pixels.
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    const int diameter = std::min(width(), height());
    const QRect box((width() - diameter) / 2, (height() - diameter) / 2, diameter, diameter);
    // Not antialiased: a crisp black ring, like the band's outline.
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

} // namespace dalmiro
