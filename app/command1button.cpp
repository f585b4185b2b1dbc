#include "app/command1button.h"

#include <QKeyEvent>
#include <QPainter>

namespace dalmiro {

Command1Button::Command1Button(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
}

void Command1Button::keyPressEvent(QKeyEvent *event)
{
    // A push button outside a dialog takes only Space; Return and keypad
    // Enter are what most people press to "do it". A held key repeats into a
    // disabled button and does nothing.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void Command1Button::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus() || !isEnabled())
        return;
    // Black: 3.2:1 against the band's red (192, 0, 0) and far more against
    // the button's grey face; square corners cover the style's rounded ones.
    QPainter painter(this);
    const int half = kFocusRingWidth / 2;
    QPen pen(Qt::black, kFocusRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(half, half, -half - 1, -half - 1));
}

} // namespace dalmiro
