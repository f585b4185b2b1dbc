#pragma once

#include "app/screenpicture.h"

#include <QWidget>

class QImage;

namespace dalmiro {

// A container without a border that draws its picture at its top-left
// corner, at the picture's own size, and the window background elsewhere.
// It keeps its own size whatever picture it is given. On a high-density
// screen it shows the picture from the set painted for the screen's ratio,
// and follows the window to another screen.
class PictureFrame : public QWidget
{
    Q_OBJECT

public:
    explicit PictureFrame(QWidget *parent = nullptr);

    // A picture of the catalogue, or one from elsewhere (see ScreenPicture).
    void setPicture(PictureId id);
    void setPicture(const QImage &picture);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    ScreenPicture m_picture;
};

} // namespace dalmiro
