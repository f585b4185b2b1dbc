#pragma once

#include <QPixmap>
#include <QWidget>

class QImage;

namespace dalmiro {

// A container without a border that draws its picture at its top-left
// corner, at the picture's own size, and the window background elsewhere.
// It keeps its own size whatever picture it is given.
class PictureFrame : public QWidget
{
    Q_OBJECT

public:
    explicit PictureFrame(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace dalmiro
