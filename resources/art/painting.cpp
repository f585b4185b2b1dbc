#include "resources/art/painting.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace dalmiro::art::detail {

QImage newPicture(int w, int h, qreal scale, QRgb ground, QImage::Format format)
{
    QImage image(int(std::lround(w * scale)), int(std::lround(h * scale)), format);
    image.fill(ground);
    return image;
}

void beginScenePainter(QPainter &painter, QImage &image, qreal scale)
{
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
}

QColor mix(QColor a, QColor b, qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()), channel(a.alpha(), b.alpha()));
}

QFont glyphFont(Face face)
{
    QFont font(face == Face::SerifBold ? QStringLiteral("DejaVu Serif")
                                       : QStringLiteral("DejaVu Sans"));
    // Outlines are taken at a large size and scaled down, so hinting for the
    // nominal size would only distort them.
    font.setPixelSize(200);
    font.setBold(face != Face::Sans);
    font.setStretch(QFont::Unstretched);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QPainterPath capText(const QString &text, Face face, qreal capHeight, qreal condense)
{
    const QFont font = glyphFont(face);
    QPainterPath capital;
    capital.addText(0, 0, font, QStringLiteral("H"));
    const QRectF cap = capital.boundingRect();

    QPainterPath path;
    path.addText(0, 0, font, text);
    const qreal k = capHeight / cap.height();
    QTransform t;
    t.scale(k * condense, k);
    t.translate(-path.boundingRect().left(), -cap.top());
    return t.map(path);
}

QPainterPath fittedText(const QString &text, Face face, const QRectF &box)
{
    QPainterPath path;
    path.addText(0, 0, glyphFont(face), text);
    const QRectF ink = path.boundingRect();
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / ink.width(), box.height() / ink.height());
    t.translate(-ink.left(), -ink.top());
    return t.map(path);
}

qreal Noise::next()
{
    // xorshift32: tiny, fast and identical on every platform.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return qreal(m_state >> 8) / qreal(1u << 24);
}

} // namespace dalmiro::art::detail
