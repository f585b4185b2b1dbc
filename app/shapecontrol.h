#pragma once

#include <QColor>
#include <QWidget>

namespace dalmiro {

// A windowless rectangle or circle filled with one colour and outlined in
// black, one pixel wide. The circle is the largest that fits the box, centred.
class ShapeControl : public QWidget
{
    Q_OBJECT

public:
    enum class Shape
    {
        Rectangle,
        Circle
    };

    ShapeControl(Shape shape, QColor fill, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Shape m_shape = Shape::Rectangle;
    QColor m_fill;
};

} // namespace dalmiro
