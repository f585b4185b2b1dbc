// The scene "RUOTA": the warm ground, the drum's shadow, and the order in
// which the parts are laid over them.
#include "resources/art/scene.h"
#include "resources/art/artwork.h"
#include "resources/art/painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <utility>

namespace dalmiro::art {

namespace detail {

void paintBackground(QPainter &p)
{
    // The gradient runs from the lower left to the upper right. Its zero line
    // passes through (0, 450) and its end line through (600, 0), so that the
    // red is flat below y 450 on the left edge and the yellow flat right of
    // x 600 on the top edge. The two middle stops are where the middles of the
    // top-left and bottom-right corner pixels fall, which pins all four
    // corner colours.
    const QPointF start(0, 450);
    const qreal gx = 1.0 / 1000.0, gy = -0.4 / 450.0; // gradient of the ramp
    const qreal norm = gx * gx + gy * gy;
    const QPointF end(start.x() + gx / norm, start.y() + gy / norm);
    auto at = [&](QPointF q) { return gx * (q.x() - start.x()) + gy * (q.y() - start.y()); };

    QLinearGradient ramp(start, end);
    // The ends hold a little before the lines, so the flat regions are flat
    // right up to them.
    ramp.setColorAt(0.0, QColor(195, 4, 4));
    ramp.setColorAt(0.01, QColor(195, 4, 4));
    // Each corner colour holds over a hair's breadth of the ramp, so that the
    // gradient's lookup table cannot round the corner pixel to a neighbour.
    for (auto [corner, colour] : {std::pair{QPointF(0.5, 0.5), QColor(220, 92, 4)},
                                  std::pair{QPointF(799.5, 599.5), QColor(236, 156, 4)}}) {
        ramp.setColorAt(at(corner) - 0.002, colour);
        ramp.setColorAt(at(corner) + 0.002, colour);
    }
    ramp.setColorAt(0.99, QColor(249, 224, 9));
    ramp.setColorAt(1.0, QColor(249, 224, 9));
    ramp.setSpread(QGradient::PadSpread);
    p.fillRect(QRectF(0, 0, 800, 600), ramp);
}

void paintDrumShadow(QPainter &p)
{
    // A soft dark red halo, strongest under the drum and fading upwards, so
    // that the heavy bowl seems to rest on the ground.
    const QColor shadow(141, 9, 4);
    // Painted apart at the device's resolution, then laid on the ground.
    const qreal scale = p.transform().m11();
    QImage layer(int(std::lround(800 * scale)), int(std::lround(600 * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter q(&layer);
        q.setRenderHint(QPainter::Antialiasing, true);
        q.setPen(Qt::NoPen);
        q.scale(scale, scale);
        const QPointF centre(kDrumRect.center().x() + 2, kDrumRect.center().y() + 6);
        const qreal rx = kDrumRect.width() / 2 + 14, ry = kDrumRect.height() / 2 + 16;
        QRadialGradient halo(QPointF(0, 0), 1.0);
        const qreal inner = 1.0 - 26.0 / rx;
        halo.setColorAt(0.0, shadow);
        halo.setColorAt(inner, shadow);
        QColor fade = shadow;
        fade.setAlpha(150);
        halo.setColorAt(inner + (1.0 - inner) * 0.45, fade);
        fade.setAlpha(0);
        halo.setColorAt(1.0, fade);
        q.translate(centre);
        q.scale(1.0, ry / rx);
        q.setBrush(halo);
        q.scale(rx, rx);
        q.drawEllipse(QPointF(0, 0), 1.0, 1.0);
        q.resetTransform();
        q.scale(scale, scale);

        // Keep it round the lower half only.
        QLinearGradient keep(QPointF(0, 300), QPointF(0, 430));
        keep.setColorAt(0, QColor(0, 0, 0, 0));
        keep.setColorAt(1, QColor(0, 0, 0, 255));
        q.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        q.fillRect(QRectF(0, 0, 800, 600), keep);
    }
    p.drawImage(QRectF(0, 0, 800, 600), layer);
}

} // namespace detail

QImage paintScene(qreal scale)
{
    QImage image = detail::newPicture(800, 600, scale, kChamberFill);
    QPainter p;
    detail::beginScenePainter(p, image, scale);
    detail::paintBackground(p);
    detail::paintDrumShadow(p);
    detail::paintGlass(p);
    detail::paintColumn(p);
    detail::paintRankLabels(p);
    detail::paintTitle(p);
    detail::paintTextPanel(p);
    p.end();
    return image;
}

} // namespace dalmiro::art
