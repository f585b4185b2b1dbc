#include "app/shapecontrol.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

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
    // Drawn in device pixels and not antialiased: at every ratio the outline
    // is a crisp black line one device pixel wide.
    const qreal ratio = devicePixelRatioF();
    const int w = int(std::lround(width() * ratio));
    const int h = int(std::lround(height() * ratio));
    if (m_shape == Shape::Rectangle)
        painter.fillRect(rect(), m_fill); // every device pixel of the box
    painter.scale(1.0 / ratio, 1.0 / ratio);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(m_fill);
    if (m_shape == Shape::Rectangle) {
        // The outline lies on the box's outermost pixels.
        painter.drawRect(QRect(0, 0, w - 1, h - 1));
        return;
    }
    const int diameter = std::min(w, h);
    const QRect box((w - diameter) / 2, (h - diameter) / 2, diameter, diameter);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

} // namespace dalmiro
