#pragma once

#include "draw/calcolo.h"

#include <QString>

namespace dalmiro {

// What the window says and copies about a finished draw, from its numbers in
// draw order (entries 0 to 5 the main numbers, 6 the jolly).

// One line to type into a betting form: "49 35 58 15 29 50 Jolly 63".
QString proposalLine(const DrawnNumbers &numbers);
// The sentence a screen reader says at the end of the draw:
// "Numeri proposti: 49, 35, 58, 15, 29, 50. Jolly: 63."
QString proposalSummary(const DrawnNumbers &numbers);

} // namespace dalmiro
