#pragma once

#include "app/screenpicture.h"

#include <QWidget>

class QImage;

namespace dalmiro {

// A windowless image: draws its picture at its top-left corner and nothing
// where it has none, so whatever lies beneath shows through. Given a picture
// it takes the picture's size; a hidden image keeps its picture for when it is
// shown again. On a high-density screen it shows the picture from the set
// painted for the screen's ratio, and follows the window to another screen.
class ImageControl : public QWidget
{
    Q_OBJECT

public:
    explicit ImageControl(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    ScreenPicture m_picture;
};

} // namespace dalmiro
