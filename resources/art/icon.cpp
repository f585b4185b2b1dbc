// The program's icon: five small lottery balls in a ring on a clear ground.
#include "resources/art/artwork.h"
#include "resources/art/painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dalmiro::art {

namespace {

struct IconBall
{
    qreal angle; // degrees, clockwise from the right, y downwards
    QColor colour;
    const char *number;
};

// A white ball with coloured caps above and below a white band that carries
// its number. `outline` is the dark rim's width; without `number` the band
// stays blank, for sizes too small to read a figure.
void paintIconBall(QPainter &p, QPointF centre, qreal r, const IconBall &ball, qreal outline,
                   bool number)
{
    p.save();
    p.translate(centre);
    const QRectF disc(-r, -r, 2 * r, 2 * r);
    p.setBrush(QColor::fromRgb(kIconRim));
    p.drawEllipse(disc);
    QPainterPath body;
    body.addEllipse(disc.adjusted(outline, outline, -outline, -outline));
    p.setClipPath(body);
    p.fillRect(disc, QColor(252, 252, 250));
    p.fillRect(QRectF(-r, -r, 2 * r, r * 0.55), ball.colour);
    p.fillRect(QRectF(-r, r * 0.45, 2 * r, r * 0.55), ball.colour);

    // Roundness: light at the upper left, shade at the lower right.
    QRadialGradient shade(QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    shade.setColorAt(0, QColor(255, 255, 255, 90));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillRect(disc, shade);
    p.setClipping(false);
    if (!number) {
        p.restore();
        return;
    }

    const QPainterPath figure =
        detail::capText(QString::fromLatin1(ball.number), detail::Face::SansBold, r * 0.62, 0.9);
    const QRectF ink = figure.boundingRect();
    p.setBrush(QColor(24, 24, 32));
    p.drawPath(figure.translated(-ink.width() / 2, -ink.height() / 2));
    p.restore();
}

} // namespace

QImage paintIcon(qreal scale)
{
    QImage image = detail::newPicture(48, 48, scale, qRgba(0, 0, 0, 0), QImage::Format_ARGB32);
    QPainter p;
    detail::beginScenePainter(p, image, scale);
    const IconBall balls[] = {{-90, QColor(30, 90, 220), "7"},
                              {-18, QColor(236, 72, 150), "23"},
                              {54, QColor(128, 128, 136), "45"},
                              {126, QColor(40, 170, 60), "61"},
                              {198, QColor(240, 200, 20), "88"}};
    const QPointF centre(24, 24.5);
    const qreal ring = 14.2, r = 9.3;
    // Below 32 pixels a figure would be a smudge, and the rim must stay a
    // whole pixel wide to hold the balls apart.
    const bool numbers = 48 * scale >= 32;
    const qreal outline = std::max(0.9, 0.9 / scale);
    for (const IconBall &ball : balls) {
        const qreal a = ball.angle * std::numbers::pi / 180.0;
        paintIconBall(p, centre + QPointF(ring * std::cos(a), ring * std::sin(a)), r, ball, outline,
                      numbers);
    }
    p.end();
    return image;
}

} // namespace dalmiro::art
