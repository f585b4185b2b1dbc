#pragma once

class QImage;
class QString;

namespace dalmiro {

// The operations the draw performs on the window's controls. Each takes effect
// on the control's state at once; what is shown or hidden is painted at the
// next pass of the event pump, except through the refresh operation, which
// repaints before it returns.
//
// Indices: image1 0 to 47, estratto 0 to 5, numeri 0 to 6.
class FormControls
{
public:
    virtual ~FormControls() = default;

    virtual void setImage1Visible(int index, bool visible) = 0;
    // The flag last set; true for every slot at start.
    virtual bool isImage1Visible(int index) const = 0;
    // The slot takes the picture's size; a hidden slot keeps the picture for
    // when it is shown.
    virtual void setImage1Picture(int index, const QImage &picture) = 0;
    // Repaints the slot's area before returning.
    virtual void refreshImage1(int index) = 0;

    virtual void setEstrattoVisible(int k, bool visible) = 0;
    virtual void setEstrattoPicture(int k, const QImage &picture) = 0;
    virtual void setJollyVisible(bool visible) = 0;
    virtual void setJollyPicture(const QImage &picture) = 0;
    virtual void setNumeriVisible(int k, bool visible) = 0;
    virtual void setNumeriCaption(int k, const QString &caption) = 0;
    virtual void setCerchioVisible(bool visible) = 0;

    virtual void setCommand1Enabled(bool enabled) = 0;
    virtual void setTimer1Enabled(bool enabled) = 0;
};

} // namespace dalmiro
