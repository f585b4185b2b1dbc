#pragma once

#include <array>

namespace dalmiro {

class RandomSource;

// Entries 0 to 5: the six main numbers in the order drawn; 6: the jolly;
// 7: never written. 0 stands for an entry that is still empty.
using DrawnNumbers = std::array<int, 8>;

// Chooses the seven numbers of one draw into entries 0 to 6: six distinct main
// numbers and a jolly, each 1 to 90, summing to at least 177, and, when no two
// main numbers are consecutive, one of positions 1 to 5 replaced by the first
// number plus one (unless it holds 90, or the first number is 90).
void Calcolo(DrawnNumbers &drawnNumbers, RandomSource &random);

} // namespace dalmiro
