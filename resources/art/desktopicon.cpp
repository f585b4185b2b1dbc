// The icon for the desktop and the window, at the sizes a desktop asks for:
// the carried icon's lottery balls, drawn with a real alpha channel and
// simplified where a size is too small for their detail.
#include "resources/art/artwork.h"
#include "resources/art/painting.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace dalmiro::art {

namespace {

struct Ball
{
    qreal angle; // degrees, clockwise from the right, y downwards
    QColor colour;
    const char *number;
};

// The carried icon's five balls, and the three that stay where five would
// crowd: blue at the top, pink at the lower right, yellow at the lower left.
const Ball kFive[] = {{-90, QColor(30, 90, 220), "7"},
                      {-18, QColor(236, 72, 150), "23"},
                      {54, QColor(128, 128, 136), "45"},
                      {126, QColor(40, 170, 60), "61"},
                      {198, QColor(240, 200, 20), "88"}};
const Ball kThree[] = {{-90, QColor(30, 90, 220), "7"},
                       {30, QColor(236, 72, 150), "23"},
                       {150, QColor(240, 200, 20), "88"}};

// How the icon is drawn at one size, in pixels of that size.
struct Design
{
    std::span<const Ball> balls;
    qreal ring = 0;   // from the icon's centre to each ball's
    qreal radius = 0; // of a ball, its rim included
    qreal rim = 0;    // width of the dark rim
    qreal shade = 0;  // strength of the roundness shading, 0 to 1
    bool numbers = false;
};

// Numbers need a figure at least 5 pixels high on a band that holds it: five
// balls from 48 up. Three larger balls from 22 to 32 keep the caps and the
// band distinct, without figures; at 16 the three are plain coloured balls
// with a light band.
Design designFor(int side)
{
    const qreal unit = side / 48.0;
    if (side >= 48)
        return {kFive, 14.2 * unit, 9.3 * unit, std::clamp(side / 48.0, 1.0, 3.5), 1.0, true};
    return {kThree, 12.0 * unit, 11.4 * unit, 1.0, side >= 22 ? 0.6 : 0.4, false};
}

// The ball's inside: white with coloured caps above and below a white band,
// light at the upper left and shaded towards the lower right. The rim is
// the ground colour of the whole colour layer.
void paintBall(QPainter &p, QPointF centre, const Design &d, const Ball &ball)
{
    const qreal r = d.radius - d.rim;
    p.save();
    p.translate(centre);
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), r, r);
    p.setClipPath(body);
    const QRectF disc(-r, -r, 2 * r, 2 * r);
    p.fillRect(disc, QColor(252, 252, 250));
    // The band is at least two pixels tall, so that it shows at 16.
    const qreal band = std::max(r * 0.45, 1.0);
    p.fillRect(QRectF(-r, -r, 2 * r, r - band), ball.colour);
    p.fillRect(QRectF(-r, band, 2 * r, r - band), ball.colour);
    QRadialGradient shade(QPointF(-r * 0.35, -r * 0.4), r * 1.5);
    shade.setColorAt(0, QColor(255, 255, 255, int(90 * d.shade)));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(1, QColor(0, 0, 0, int(90 * d.shade)));
    p.fillRect(disc, shade);
    p.setClipping(false);
    if (d.numbers) {
        const QPainterPath figure = detail::capText(QString::fromLatin1(ball.number),
                                                    detail::Face::SansBold, r * 0.66, 0.9);
        const QRectF ink = figure.boundingRect();
        p.setBrush(QColor(24, 24, 32));
        p.drawPath(figure.translated(-ink.width() / 2, -ink.height() / 2));
    }
    p.restore();
}

} // namespace

QImage paintDesktopIcon(int side)
{
    const Design d = designFor(side);
    // A little below the middle: the ring's top ball weighs more.
    const QPointF centre(side / 2.0, side / 2.0 + side / 96.0);
    QList<QPointF> centres;
    for (const Ball &ball : d.balls) {
        const qreal a = ball.angle * std::numbers::pi / 180.0;
        centres.append(centre + QPointF(d.ring * std::cos(a), d.ring * std::sin(a)));
    }

    // Colour and coverage are painted apart and joined unpremultiplied: a
    // pixel on the edge keeps the rim's own colour with part of its alpha,
    // where blending onto a clear ground would darken it towards black.
    QImage colour(side, side, QImage::Format_RGB32);
    colour.fill(kIconRim);
    QImage coverage(side, side, QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter p(&colour);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    QPainter c(&coverage);
    c.setRenderHint(QPainter::Antialiasing, true);
    c.setPen(Qt::NoPen);
    c.setBrush(Qt::black);
    for (qsizetype i = 0; i < centres.size(); ++i) {
        // Where balls overlap, a later one's rim lies over an earlier one.
        p.setBrush(QColor::fromRgb(kIconRim));
        p.drawEllipse(centres[i], d.radius, d.radius);
        paintBall(p, centres[i], d, d.balls[std::size_t(i)]);
        c.drawEllipse(centres[i], d.radius, d.radius);
    }
    p.end();
    c.end();

    QImage icon(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        const auto *rgb = reinterpret_cast<const QRgb *>(colour.constScanLine(y));
        const uchar *alpha = coverage.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(icon.scanLine(y));
        for (int x = 0; x < side; ++x)
            out[x] = alpha[x] ? qRgba(qRed(rgb[x]), qGreen(rgb[x]), qBlue(rgb[x]), alpha[x]) : 0;
    }
    return icon;
}

} // namespace dalmiro::art
