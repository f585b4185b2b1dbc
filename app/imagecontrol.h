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

    // A picture of the catalogue, or one from elsewhere (see ScreenPicture).
    void setPicture(PictureId id);
    void setPicture(const QImage &picture);
    // Shows or hides the image; hidden, it draws nothing and what lies beneath
    // shows through. The widget itself stays visible: hiding a widget looks
    // up the pointer's position, a round trip to an X server, and the drum
    // shows or hides an image a thousand times a second.
    void setShown(bool shown);
    bool isShown() const { return m_shown; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void pictureChanged();
    void updateOpacity();

    ScreenPicture m_picture;
    bool m_shown = true;
};

} // namespace dalmiro
