// The glass: the drum with its chamber, seam and bowl, and the pipe that leaves
// it through the neck, runs along the top and down the right side.
#include "resources/art/artwork.h"
#include "resources/art/painting.h"
#include "resources/art/scene.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>

#include <cmath>

namespace dalmiro::art::detail {

namespace {

const QColor kFlat = QColor::fromRgb(kChamberFill);
const QColor kOutline(36, 48, 50);

// The glass is painted as nested bands, each filling the vessel shrunk by a
// little more than the one before, from the dark outline inwards to the flat
// fill. Shrinking the drum and the pipe together shades their joint like one
// piece of glass, and every band's inside stays one exact colour.
constexpr int kBands = 22;
constexpr qreal kDrumOutline = 1.2;
constexpr qreal kDrumStep = 0.7;  // the drum's wall shading spans about 17 px
constexpr qreal kPipeStep = 0.76; // the pipe's as much on each side
constexpr qreal kNeckBottom = 175;
constexpr qreal kPipeBottom = 290; // hidden under the result column
// The pipe's two outer corners are all but square: the chute's corner slots
// (240, 10) and (640, 10) lie 2 pixels inside both outlines there, as every
// other pipe slot does along its straight run.
constexpr qreal kOuterRadius = 2;
constexpr qreal kInnerRadius = 4;  // and its two inner ones
constexpr qreal kFlare = 16;       // where the neck widens into the drum
// The highlight arc: how far inside the drum's outline it starts, and how
// thick it is at the top (rows 125 to 130).
constexpr qreal kArcInset = 9;
constexpr qreal kArcThickness = 5;

qreal drumInset(int band)
{
    return band == 0 ? 0 : kDrumOutline + (band - 1) * kDrumStep;
}
qreal pipeInset(int band)
{
    return band == 0 ? 0 : 1.0 + (band - 1) * kPipeStep;
}

QColor bandColour(int band)
{
    if (band == 0)
        return kOutline;
    // Dark at the wall and quickly lighter, then easing into the fill: the
    // curved wall of a glass vessel seen against the light.
    const qreal t = qreal(band - 1) / (kBands - 1);
    return mix(kFlat, kWallShade, std::pow(1.0 - t, 1.8));
}

QRectF drumAt(qreal inset)
{
    return kDrumRect.adjusted(inset, inset, -inset, -inset);
}

// Upper edge of the drum shrunk by inset, at x.
qreal drumTopAt(qreal x, qreal inset)
{
    const QRectF r = drumAt(inset);
    const qreal a = r.width() / 2, b = r.height() / 2;
    const qreal u = (x - r.center().x()) / a;
    return r.center().y() - b * std::sqrt(std::max(0.0, 1.0 - u * u));
}

// The pipe's outline shrunk by inset: neck, top run and right run in one path.
QPainterPath pipeAt(qreal e)
{
    const qreal ro = std::max(kOuterRadius - e, 0.5), ri = kInnerRadius + e;
    QPainterPath path;
    path.moveTo(kNeckLeft + e, kNeckBottom);
    path.lineTo(kNeckLeft + e, kRunTop + e + ro);
    path.arcTo(QRectF(kNeckLeft + e, kRunTop + e, 2 * ro, 2 * ro), 180, -90);
    path.lineTo(kRightRight - e - ro, kRunTop + e);
    path.arcTo(QRectF(kRightRight - e - 2 * ro, kRunTop + e, 2 * ro, 2 * ro), 90, -90);
    path.lineTo(kRightRight - e, kPipeBottom);
    path.lineTo(kRightLeft + e, kPipeBottom);
    path.lineTo(kRightLeft + e, kRunBottom - e + ri);
    path.arcTo(QRectF(kRightLeft + e - 2 * ri, kRunBottom - e, 2 * ri, 2 * ri), 0, 90);
    path.lineTo(kNeckRight - e + ri, kRunBottom - e);
    path.arcTo(QRectF(kNeckRight - e, kRunBottom - e, 2 * ri, 2 * ri), 90, 90);
    path.lineTo(kNeckRight - e, kNeckBottom);
    path.closeSubpath();

    // The flare: a rounded web filling the corner between each side of the
    // neck and the drum's shoulder.
    const qreal reach = kFlare + e;
    for (int side : {-1, 1}) {
        const qreal x = side < 0 ? kNeckLeft + e : kNeckRight - e;
        const QPointF corner(x, drumTopAt(x, e));
        const QPointF up(x, corner.y() - reach);
        const qreal bx = x + side * reach;
        const QPointF out(bx, drumTopAt(bx, e));
        path.moveTo(corner);
        path.lineTo(up);
        path.quadTo(corner, out);
        path.lineTo(corner.x(), corner.y() + 6);
        path.closeSubpath();
    }
    return path;
}

// The pipe stands a little in front of the ground: a soft shadow falls to
// its lower right.
void paintPipeShadow(QPainter &p)
{
    p.save();
    QPainterPath body = pipeAt(0);
    body.addRect(QRectF(kRightLeft, kPipeBottom - 1, kRightRight - kRightLeft,
                        kColumnBottom + 1 - kPipeBottom + 1));
    body.setFillRule(Qt::WindingFill);
    body.translate(3, 3);
    p.setBrush(Qt::NoBrush);
    for (int i = 4; i >= 1; --i) {
        p.setPen(QPen(QColor(70, 30, 0, 22), 2.0 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(body);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 30, 0, 60));
    p.drawPath(body);
    p.restore();
}

void paintBands(QPainter &p)
{
    for (int band = 0; band <= kBands; ++band) {
        p.setBrush(bandColour(band));
        p.drawEllipse(drumAt(drumInset(band)));
        p.drawPath(pipeAt(pipeInset(band)));
    }
}

void paintHighlights(QPainter &p)
{
    p.save();
    // The glass's own thickness: a fine light line just inside the outline.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(232, 248, 246, 150), 0.8));
    QPainterPath rim;
    rim.addEllipse(drumAt(kDrumOutline + 0.5));
    p.setClipRect(QRectF(0, 0, 800, kSeamTop));
    p.drawPath(rim);
    p.setClipping(false);
    p.setPen(Qt::NoPen);

    // The window's reflection on the drum: a crescent a little inside the
    // upper outline, thickest at the top and running out towards the sides.
    // It runs on across the neck's mouth, through the upper rows of the two
    // highest ball slots, so that a ball there interrupts it.
    QPainterPath arc;
    const QRectF outer = drumAt(kArcInset);
    arc.addEllipse(outer);
    QPainterPath inner;
    inner.addEllipse(outer.translated(0, kArcThickness).adjusted(-1.5, 0, 1.5, 0));
    arc = arc.subtracted(inner);
    // It fades out well before the ends of the drum's upper rows, so that the
    // slots at the rows' outer ends stay clear of it.
    QLinearGradient across(QPointF(125, 0), QPointF(410, 0));
    QColor faded = kHighlight;
    faded.setAlpha(0);
    across.setColorAt(0, faded);
    across.setColorAt(0.14, kHighlight);
    across.setColorAt(0.86, kHighlight);
    across.setColorAt(1, faded);
    p.setBrush(across);
    p.drawPath(arc);

    // The pipe's stripe, lit from the upper left: down the neck's left side,
    // round the corner and along the top run (rows 15 to 19), fading at both
    // ends.
    const qreal mid = 9.5; // the stripe's centre, inset from the outer edge
    QPen pen(Qt::NoBrush, 5.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setBrush(Qt::NoBrush);
    QLinearGradient downFade(QPointF(0, 62), QPointF(0, 108));
    QColor clear = kHighlight;
    clear.setAlpha(0);
    downFade.setColorAt(0, kHighlight);
    downFade.setColorAt(1, clear);
    pen.setBrush(downFade);
    p.setPen(pen);
    p.drawLine(QPointF(kNeckLeft + mid, 62), QPointF(kNeckLeft + mid, 108));

    // Square round the corner, as the pipe is.
    QPainterPath stripe;
    stripe.moveTo(kNeckLeft + mid, 62);
    stripe.lineTo(kNeckLeft + mid, kRunTop + mid);
    stripe.lineTo(680, kRunTop + mid);
    QLinearGradient rightFade(QPointF(610, 0), QPointF(680, 0));
    rightFade.setColorAt(0, kHighlight);
    rightFade.setColorAt(1, clear);
    pen.setBrush(rightFade);
    p.setPen(pen);
    p.drawPath(stripe);

    // A fainter stripe down the right run, on its lit left side.
    QLinearGradient runFade(QPointF(0, 70), QPointF(0, 262));
    QColor soft = kHighlight;
    soft.setAlpha(170);
    runFade.setColorAt(0, clear);
    runFade.setColorAt(0.15, soft);
    runFade.setColorAt(0.8, soft);
    runFade.setColorAt(1, clear);
    pen.setBrush(runFade);
    pen.setWidthF(3.0);
    p.setPen(pen);
    p.drawLine(QPointF(kRightLeft + 8.5, 70), QPointF(kRightLeft + 8.5, 262));
    p.restore();
}

// Rows 357 to 370: the chamber darkens towards the seam, as glass does where
// it curves in over the dark bowl.
void paintBand(QPainter &p)
{
    p.save();
    QPainterPath chamber;
    chamber.addEllipse(drumAt(kDrumOutline));
    p.setClipPath(chamber);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    const QColor deepest = QColor::fromRgb(kBandDeepest);
    const int rows = int(kSeamTop - kBandTop);
    for (int r = 0; r < rows; ++r) {
        const qreal t = qreal(r + 1) / rows;
        const QColor target = mix(kFlat, deepest, t * t * 0.35 + t * 0.65);
        auto factor = [](int to, int from) {
            return std::min(255, int(std::lround(to * 255.0 / from)));
        };
        const QColor f(factor(target.red(), kFlat.red()), factor(target.green(), kFlat.green()),
                       factor(target.blue(), kFlat.blue()));
        p.fillRect(QRectF(0, kBandTop + r, 800, 1), f);
    }
    p.restore();
}

void paintSeamAndBowl(QPainter &p)
{
    p.save();
    QPainterPath whole;
    whole.addEllipse(kDrumRect);
    QPainterPath inside;
    inside.addEllipse(drumAt(kDrumOutline));

    p.setClipPath(whole);
    p.fillRect(QRectF(0, kSeamTop, 800, kGlintTop - kSeamTop), QColor(22, 26, 26));
    p.setClipPath(inside);
    p.fillRect(QRectF(0, kGlintTop, 800, kBowlTop - kGlintTop), QColor::fromRgb(kSeamGlint));

    // The bowl: dark charcoal, a little lighter in the middle and darkest
    // round its rim. It covers the chamber's pale bands down to the outline.
    QPainterPath bowl;
    bowl.addEllipse(drumAt(0.6));
    p.setClipPath(bowl);
    const QRectF r = drumAt(kDrumOutline);
    QRadialGradient body(QPointF(r.center().x() - 40, kBowlTop + 30), r.width() * 0.6);
    body.setColorAt(0.0, QColor(41, 45, 44));
    body.setColorAt(0.35, QColor(39, 43, 42));
    body.setColorAt(0.7, QColor(34, 37, 36));
    body.setColorAt(1.0, QColor(28, 29, 29));
    p.fillRect(QRectF(0, kBowlTop, 800, 600 - kBowlTop), body);

    // Its gloss: a dull reflection along the lower left inside the rim, and
    // a soft window light high on the left.
    QPainterPath sheen;
    const QRectF low = drumAt(6);
    sheen.addEllipse(low);
    QPainterPath cut;
    cut.addEllipse(low.translated(6, -7).adjusted(0, 0, 3, 0));
    sheen = sheen.subtracted(cut);
    QLinearGradient sheenFade(QPointF(30, 410), QPointF(330, 590));
    sheenFade.setColorAt(0, QColor(84, 92, 91, 0));
    sheenFade.setColorAt(0.35, QColor(84, 92, 91, 190));
    sheenFade.setColorAt(0.7, QColor(84, 92, 91, 120));
    sheenFade.setColorAt(1, QColor(84, 92, 91, 0));
    p.setClipRect(QRectF(0, kBowlTop + 6, 800, 600));
    p.setBrush(sheenFade);
    p.drawPath(sheen);

    QRadialGradient window(QPointF(0, 0), 1.0);
    window.setColorAt(0, QColor(120, 128, 127, 70));
    window.setColorAt(1, QColor(120, 128, 127, 0));
    p.translate(118, 408);
    p.rotate(14);
    p.scale(70, 13);
    p.setBrush(window);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
}

// Light passing through the glass gathers inside the right wall of the
// chamber, opposite the window.
void paintBackLight(QPainter &p)
{
    p.save();
    QPainterPath glow;
    const QRectF wall = drumAt(kDrumOutline + 1.5);
    glow.addEllipse(wall);
    QPainterPath cut;
    cut.addEllipse(wall.translated(-5, 0).adjusted(-2, -2, 2, 2));
    glow = glow.subtracted(cut);
    QLinearGradient fade(QPointF(0, 190), QPointF(0, kBandTop));
    const QColor light(240, 253, 252);
    QColor c = light;
    c.setAlpha(0);
    fade.setColorAt(0, c);
    c.setAlpha(200);
    fade.setColorAt(0.45, c);
    fade.setColorAt(0.8, c);
    c.setAlpha(0);
    fade.setColorAt(1, c);
    p.setClipRect(QRectF(kDrumRect.center().x() + 60, 0, 400, kBandTop));
    p.setBrush(fade);
    p.drawPath(glow);
    p.restore();
}

} // namespace

void paintGlass(QPainter &p)
{
    paintPipeShadow(p);
    paintBands(p);
    paintBackLight(p);
    paintBand(p);
    paintSeamAndBowl(p);
    paintHighlights(p);
}

} // namespace dalmiro::art::detail
