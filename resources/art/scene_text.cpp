// The words on the scene: the title block in the upper left and the text
// panel between the neck, the top run, the right run and the drum.
#include "resources/art/painting.h"
#include "resources/art/scene.h"
#include "resources/scenetext.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <array>

namespace dalmiro::art::detail {

namespace {

constexpr qreal kTitleCentre = 118;

// Text scaled to the given ink height at its natural proportions (times
// condense), centred on centreX, its ink starting at top.
QPainterPath centredText(const QString &text, Face face, qreal top, qreal height, qreal condense)
{
    QPainterPath probe;
    probe.addText(0, 0, glyphFont(face), text);
    const QRectF ink = probe.boundingRect();
    const qreal width = ink.width() * height / ink.height() * condense;
    return fittedText(text, face, QRectF(kTitleCentre - width / 2, top, width, height));
}

// A soft halo: the outline stroked ever narrower and stronger.
void paintGlow(QPainter &p, const QPainterPath &glyphs, QColor colour, qreal reach)
{
    p.setBrush(Qt::NoBrush);
    const int rings = 4;
    for (int i = 0; i < rings; ++i) {
        const qreal t = qreal(i) / rings;
        QColor c = colour;
        c.setAlpha(int(40 + 110 * t));
        p.setPen(QPen(c, 2 * reach * (1.0 - t) + 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(glyphs);
    }
    p.setPen(Qt::NoPen);
}

void paintTitleName(QPainter &p)
{
    const QPainterPath name =
        centredText(QStringLiteral("Dalmiro"), Face::SerifBold, 17.5, 21, 1.05);
    paintGlow(p, name, QColor(240, 104, 8), 3.0);
    QLinearGradient gold(QPointF(0, 17), QPointF(0, 39));
    gold.setColorAt(0, QColor(255, 250, 120));
    gold.setColorAt(0.5, QColor(252, 232, 24));
    gold.setColorAt(1, QColor(238, 190, 8));
    p.setBrush(gold);
    p.drawPath(name);
}

void paintGameName(QPainter &p)
{
    // The game's own name: a plain Italian word, not the name of any real
    // lottery.
    const QPainterPath name =
        fittedText(QStringLiteral("NOVANTA"), Face::SansBold, QRectF(10.5, 47.5, 217, 33.5));
    paintGlow(p, name, QColor(255, 246, 200), 2.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 0, 0), 1.0));
    p.drawPath(name);
    p.setPen(Qt::NoPen);
    QLinearGradient red(QPointF(0, 47), QPointF(0, 81));
    red.setColorAt(0, QColor(236, 36, 12));
    red.setColorAt(1, QColor(176, 0, 0));
    p.setBrush(red);
    p.drawPath(name);
}

void paintCredits(QPainter &p)
{
    const QColor purple(70, 18, 86);
    const QString lines[] = {QStringLiteral("Proposta di numeri"),
                             QStringLiteral("sei più il jolly, da 1 a 90"),
                             QStringLiteral("© Dalmiro")};
    qreal top = 85;
    for (const QString &line : lines) {
        const QPainterPath path = capText(line, Face::SansBold, 6.2, 0.95);
        const qreal width = path.boundingRect().width();
        p.setBrush(purple);
        p.drawPath(path.translated(kTitleCentre - width / 2, top));
        top += 10;
    }
}

// Where each of the panel's lines starts: they step to the right along the
// drum's shoulder.
constexpr std::array<qreal, scenetext::kPanelLines.size()> kPanelLeft{
    303, 303, 303, 303, 339, 375, 412, 448, 449,
};

void paintOutlinedLine(QPainter &p, const QPainterPath &path, const QBrush &fill)
{
    // Drop shadow, black outline, then the letters: the outline is stroked
    // first so that the fill keeps the letters' full width.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 110), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(1.2, 1.2));
    p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

} // namespace

void paintTitle(QPainter &p)
{
    p.save();
    paintTitleName(p);
    paintGameName(p);
    paintCredits(p);
    p.restore();
}

void paintTextPanel(QPainter &p)
{
    p.save();
    const QColor yellow(252, 252, 5);
    qreal top = 67;
    for (std::size_t i = 0; i < kPanelLeft.size(); ++i) {
        const QPainterPath path =
            capText(QString::fromUtf8(scenetext::kPanelLines[i]), Face::SansBold, 7.0, 0.92);
        paintOutlinedLine(p, path.translated(kPanelLeft[i], top), yellow);
        top += 12;
    }
    const QPainterPath luck = fittedText(QString::fromUtf8(scenetext::kGoodLuck), Face::SansBold,
                                         QRectF(482, 186, 87, 9));
    paintOutlinedLine(p, luck, QColor(252, 78, 4));
    p.restore();
}

} // namespace dalmiro::art::detail
