#pragma once

#include <QRgb>

#include <algorithm>
#include <cstdlib>

namespace dalmiro::testing {

// How far apart two colours are: the largest difference of one channel.
inline int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The ground of a 45 x 46 ball picture painted at `scale`: the pixels outside
// the ball's round outline, which touches all four edges, by more than one
// pixel of the picture at 1 (the outline's antialiasing lies within it).
inline bool isGround(int x, int y, int scale = 1)
{
    const double dx = ((x + 0.5) / scale - 22.5) / (22.5 + 1.0);
    const double dy = ((y + 0.5) / scale - 23.0) / (23.0 + 1.0);
    return dx * dx + dy * dy > 1.0;
}

} // namespace dalmiro::testing
