#pragma once

#include "draw/pictureid.h"

class QString;

namespace dalmiro {

// The operations the draw performs on the window's controls. Each takes effect
// on the control's state at once and returns without waiting for the display:
// the screen shows the new state no later than the next display frame that
// the event pump lets through.
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
    virtual void setImage1Picture(int index, PictureId picture) = 0;
    // The slot shows its latest picture no later than the next display frame.
    // Never waits for the display: changes made between two frames (the
    // frames of one chute step, say) reach the screen together, as the last.
    virtual void refreshImage1(int index) = 0;

    virtual void setEstrattoVisible(int k, bool visible) = 0;
    virtual void setEstrattoPicture(int k, PictureId picture) = 0;
    virtual void setJollyVisible(bool visible) = 0;
    virtual void setJollyPicture(PictureId picture) = 0;
    virtual void setNumeriVisible(int k, bool visible) = 0;
    virtual void setNumeriCaption(int k, const QString &caption) = 0;
    virtual void setCerchioVisible(bool visible) = 0;

    virtual void setCommand1Enabled(bool enabled) = 0;
    // Timer1 is the drum's tick schedule (see DrawSchedule): enabled, every
    // display frame of the window runs the ticks that fell due.
    virtual void setTimer1Enabled(bool enabled) = 0;
};

} // namespace dalmiro
