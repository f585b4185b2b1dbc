// The balls: ten frames of the light blue drum ball, turning its number plate
// round, and the teal result ball with its blank plate.
#include "resources/art/artwork.h"
#include "resources/art/painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <optional>

namespace dalmiro::art {

namespace {

using detail::mix;

constexpr int kWidth = 45, kHeight = 46;
const QRectF kBall(0, 0, kWidth, kHeight); // touches all four edges
const QPointF kCentre = kBall.center();

struct BallColours
{
    QColor outline, body, rim, shade;
};

// One ball: the outline, the body darkening towards the lower right, and the
// light caught along the upper left of the rim.
void paintBody(QPainter &p, const BallColours &c)
{
    p.setBrush(c.outline);
    p.drawEllipse(kBall);

    const QRectF inner = kBall.adjusted(1.1, 1.1, -1.1, -1.1);
    QRadialGradient body(kCentre + QPointF(-5, -6), 29);
    body.setColorAt(0.0, c.body);
    body.setColorAt(0.5, c.body);
    body.setColorAt(1.0, c.shade);
    p.setBrush(body);
    p.drawEllipse(inner);

    // The rim light: a ring just inside the outline, strongest at the upper
    // left and gone before the lower right. It is painted apart so that its
    // fade along the rim can be masked in.
    const qreal scale = p.transform().m11();
    QImage layer(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter q(&layer);
        q.setRenderHint(QPainter::Antialiasing, true);
        q.scale(scale, scale);
        q.setPen(Qt::NoPen);
        QColor clear = c.rim;
        clear.setAlpha(0);
        QRadialGradient ring(kCentre + QPointF(2.0, 2.2), 23.5);
        ring.setColorAt(0.0, clear);
        ring.setColorAt(0.74, clear);
        ring.setColorAt(0.9, c.rim);
        ring.setColorAt(1.0, c.rim);
        q.setBrush(ring);
        q.drawEllipse(inner);
        QLinearGradient along(QPointF(8, 8), QPointF(31, 32));
        along.setColorAt(0.0, QColor(0, 0, 0, 255));
        along.setColorAt(0.3, QColor(0, 0, 0, 255));
        along.setColorAt(1.0, QColor(0, 0, 0, 0));
        q.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        q.fillRect(kBall, along);
    }
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, layer);
    p.restore();
}

const BallColours kDrumBall{QColor(62, 100, 110), QColor(132, 189, 200), QColor(162, 223, 236),
                            QColor(129, 171, 177)};

// The plate's figure: a few dark blobs, placed by a seeded noise so that the
// same frame always carries the same figure, in a unit disc.
void paintMottle(QPainter &p, std::uint32_t seed)
{
    detail::Noise noise(seed);
    for (int i = 0; i < 16; ++i) {
        const qreal x = noise.between(-0.5, 0.5), y = noise.between(-0.45, 0.45);
        const qreal r = noise.between(0.09, 0.17);
        const int g = int(noise.between(104, 132));
        p.setBrush(QColor(g, g + 2, g + 4));
        p.drawEllipse(QPointF(x, y), r * 1.1, r);
    }
}

// The number plate, a disc on the ball's surface. Away from the centre it is
// seen at a slant: squeezed along the direction to the ball's centre.
void paintPlate(QPainter &p, QPointF centre, qreal radius, qreal tall)
{
    const QPointF off = centre - kCentre;
    const qreal dist = std::hypot(off.x(), off.y()) < 1.0 ? 0.0 : std::hypot(off.x(), off.y());
    const qreal sphere = 22.0;
    const qreal slant = std::sqrt(std::max(0.0, 1.0 - std::pow(std::min(dist / sphere, 0.98), 2)));
    const qreal angle = dist > 0.01 ? std::atan2(off.y(), off.x()) * 180.0 / std::numbers::pi : 0.0;

    p.save();
    QPainterPath inside;
    inside.addEllipse(kBall.adjusted(1.4, 1.4, -1.4, -1.4));
    p.setClipPath(inside);
    p.translate(centre);
    p.rotate(angle);
    p.scale(std::max(slant, 0.45), tall);
    p.scale(radius, radius);

    p.setBrush(QColor(112, 118, 121)); // the rim
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    QLinearGradient face(QPointF(-0.8, -0.8), QPointF(0.8, 0.8));
    face.setColorAt(0, QColor(180, 182, 182));
    face.setColorAt(1, QColor(155, 158, 159));
    p.setBrush(face);
    p.drawEllipse(QPointF(0, 0), 0.86, 0.86);
    // One figure for every frame: it is the same ball, turned.
    paintMottle(p, 0x5eed0001u);
    p.restore();
}

} // namespace

QImage paintBallFrame(int frame, qreal scale)
{
    // The plate's centre in each frame; frame 9 hides it on the far side.
    static const std::optional<QPointF> plates[] = {
        QPointF(32, 34), QPointF(39, 23), QPointF(32, 10), QPointF(12, 35), QPointF(7, 23),
        QPointF(21, 7),  QPointF(22, 38), QPointF(11, 11), std::nullopt,    QPointF(23, 22.5)};
    Q_ASSERT(frame >= 1 && frame <= 10);

    QImage image = detail::newPicture(kWidth, kHeight, scale, kChamberFill);
    QPainter p;
    detail::beginScenePainter(p, image, scale);
    paintBody(p, kDrumBall);
    if (const auto &plate = plates[frame - 1]) {
        // Facing the viewer the plate spans x 13 to 32, y 13 to 31: 20 by 19.
        if (frame == 10)
            paintPlate(p, *plate, 10.0, 0.95);
        else
            paintPlate(p, *plate + QPointF(0.5, 0.5), 8.0, 1.0); // on the pixel's middle
    }
    p.end();
    return image;
}

QImage paintResultBall(qreal scale)
{
    QImage image = detail::newPicture(kWidth, kHeight, scale, kResultGround);
    QPainter p;
    detail::beginScenePainter(p, image, scale);
    paintBody(p,
              {QColor(4, 52, 60), QColor(18, 124, 144), QColor(57, 163, 183), QColor(9, 92, 104)});

    // The blank plate the number is written on: x 14 to 31, y 13 to 31.
    const QRectF plate(14, 13, 18, 19);
    p.setBrush(QColor(253, 252, 252));
    p.drawEllipse(plate);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 48, 56), 0.9));
    p.drawEllipse(plate.adjusted(0.2, 0.2, -0.2, -0.2));
    p.end();
    return image;
}

} // namespace dalmiro::art
