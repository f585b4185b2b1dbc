#pragma once

#include <QPixmap>
#include <QWidget>

class QImage;

namespace dalmiro {

// A windowless image: draws its picture at its top-left corner and nothing
// where it has none, so whatever lies beneath shows through. Given a picture
// it takes the picture's size; a hidden image keeps its picture for when it is
// shown again.
class ImageControl : public QWidget
{
    Q_OBJECT

public:
    explicit ImageControl(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace dalmiro
