// The result column under the right run and the rank labels beside it.
#include "resources/art/artwork.h"
#include "resources/art/painting.h"
#include "resources/art/scene.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace dalmiro::art::detail {

namespace {

const QColor kLabelOutline(236, 252, 11);

// Grey of the column's inner pixel column i (0 at the left wall): an upright
// cylinder lit from the front, lightest over its middle third. Whole levels
// and flat columns, so that the stored picture keeps the panel clean.
int columnGrey(int i, int count)
{
    const qreal u = (i + 0.5) / count;
    const qreal side = std::max(0.0, std::abs(u - 0.5) - 1.0 / 6.0) * 3.0; // 0 to 1
    const int lightest = qGray(kColumnLightest);
    return lightest - int(std::lround(15.0 * std::pow(side, 1.4)));
}

// A label glyph: a bright yellow outline round a filled body.
void paintLabel(QPainter &p, const QPainterPath &glyphs, const QBrush &body)
{
    // A soft shadow lifts the yellow outline off the yellow ground.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 40, 0, 70), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(glyphs.translated(1.5, 1.5));
    p.setPen(QPen(kLabelOutline, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(glyphs);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(glyphs);
}

// Text scaled to fill the given height (ink, outline excluded), with its
// natural width times widen, centred on centreX but never wider than maxWidth.
QPainterPath labelText(const QString &text, qreal centreX, qreal top, qreal height, qreal widen,
                       qreal maxWidth)
{
    QPainterPath probe;
    probe.addText(0, 0, glyphFont(Face::SerifBold), text);
    const QRectF ink = probe.boundingRect();
    const qreal width = std::min(maxWidth, ink.width() * height / ink.height() * widen);
    return fittedText(text, Face::SerifBold, QRectF(centreX - width / 2, top, width, height));
}

} // namespace

void paintColumn(QPainter &p)
{
    p.save();
    const int left = int(kRightLeft) + 1, right = int(kRightRight) - 1; // inner pixels
    const int count = right - left;
    for (int i = 0; i < count; ++i) {
        const int g = columnGrey(i, count);
        p.fillRect(QRectF(left + i, kColumnTop + 1, 1, kColumnBottom - kColumnTop - 1),
                   QColor(g, g, g));
    }
    const QColor side = QColor::fromRgb(kColumnSide);
    p.fillRect(QRectF(kRightLeft, kColumnTop, 1, kColumnBottom - kColumnTop), side);
    p.fillRect(QRectF(kRightRight - 1, kColumnTop, 1, kColumnBottom - kColumnTop), side);
    p.fillRect(QRectF(kRightLeft, kColumnTop, kRightRight - kRightLeft, 1),
               QColor::fromRgb(kColumnTopLine));
    p.fillRect(QRectF(kRightLeft, kColumnBottom, kRightRight - kRightLeft, 1),
               QColor::fromRgb(kColumnBottomLine));
    p.restore();
}

void paintRankLabels(QPainter &p)
{
    p.save();
    const qreal pad = 1.2; // half the outline: the ink box lies this far inside

    // "Jolly": blue-cyan at the top shading into dark teal.
    const QRectF jollyBox(705 + pad, 236 + pad, 78 - 2 * pad, 24 - 2 * pad);
    QLinearGradient teal(jollyBox.topLeft(), jollyBox.bottomLeft());
    teal.setColorAt(0.0, QColor(4, 182, 220));
    teal.setColorAt(0.45, QColor(4, 160, 196));
    teal.setColorAt(1.0, QColor(6, 78, 92));
    paintLabel(p, fittedText(QStringLiteral("Jolly"), Face::SerifBold, jollyBox), teal);

    // The ranks, each level with its result slot: top and bottom rows of ink.
    struct Rank
    {
        const char *digit;
        int top, bottom;
    };
    const Rank ranks[] = {{"6", 300, 318}, {"5", 346, 368}, {"4", 392, 415},
                          {"3", 438, 461}, {"2", 484, 507}, {"1", 530, 553}};
    const QColor bronze(87, 45, 4);
    for (const Rank &r : ranks) {
        const qreal height = r.bottom + 1 - r.top - 2 * pad;
        paintLabel(
            p,
            labelText(QString::fromLatin1(r.digit), 715.5, r.top + pad, height, 1.25, 21 - 2 * pad),
            bronze);
    }
    p.restore();
}

} // namespace dalmiro::art::detail
