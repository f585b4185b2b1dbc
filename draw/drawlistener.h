#pragma once

#include "draw/calcolo.h"

namespace dalmiro {

// The moments of a draw, told as they happen, each with its time on the draw's
// time line (seconds on Clock::monotonic(); a moment the draw reaches late,
// behind a slow frame, still carries the time it belongs to). Called from
// inside the draw, right after the controls show the moment: a listener may
// move focus or speak, and must not start a draw or touch the draw's controls.
class DrawListener
{
public:
    virtual ~DrawListener() = default;

    // A draw has begun: the button was pressed and nothing of the draw is
    // shown yet.
    virtual void drawBegan(double at) = 0;
    // Result k is shown with its number: k 0 to 5 the main numbers in the
    // order drawn, 6 the jolly.
    virtual void resultShown(int k, int number, double at) = 0;
    // The draw has ended: the drum is cleared and the button enabled again.
    // `proposal` holds the seven numbers, as resultShown() told them.
    virtual void drawEnded(const DrawnNumbers &proposal, double at) = 0;
};

} // namespace dalmiro
