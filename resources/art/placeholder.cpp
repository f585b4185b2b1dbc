// Plain grounds at the right sizes while the painted art is being made.
#include "resources/art/artwork.h"

#include <cmath>

namespace dalmiro::art {

namespace {
QImage filled(int w, int h, qreal scale, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(int(std::lround(w * scale)), int(std::lround(h * scale)), format);
    image.fill(colour);
    return image;
}
} // namespace

QImage paintScene(qreal scale) { return filled(800, 600, scale, kChamberFill); }
QImage paintBallFrame(int, qreal scale) { return filled(45, 46, scale, kChamberFill); }
QImage paintResultBall(qreal scale) { return filled(45, 46, scale, kResultGround); }
QImage paintIcon(qreal scale) { return filled(48, 48, scale, qRgba(0, 0, 0, 0), QImage::Format_ARGB32); }

} // namespace dalmiro::art
