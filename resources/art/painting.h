#pragma once

// Helpers shared by the painted pictures: new grounds, colour mixing, outlined
// text and a small deterministic noise source.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>

class QPainter;

namespace dalmiro::art::detail {

// A picture of w x h scene pixels at the given scale, filled with its ground.
QImage newPicture(int w, int h, qreal scale, QRgb ground,
                  QImage::Format format = QImage::Format_RGB32);

// A painter set up for scene coordinates: antialiased, scaled.
void beginScenePainter(QPainter &painter, QImage &image, qreal scale);

// Linear mix of two colours, t in [0, 1], rounded to whole levels.
QColor mix(QColor a, QColor b, qreal t);

// Only the faces that every Debian machine with the core DejaVu fonts has, so
// that the build paints the same pixels everywhere.
enum class Face
{
    SansBold,
    SerifBold,
    Sans
};
QFont glyphFont(Face face);

// The outline of a line of text, with its capital height scaled to capHeight
// pixels, its width scaled by condense, and the top of the capitals at y = 0.
QPainterPath capText(const QString &text, Face face, qreal capHeight, qreal condense = 1.0);

// The outline of text stretched so that its ink fills box exactly.
QPainterPath fittedText(const QString &text, Face face, const QRectF &box);

// Noise for mottles and sparkles. A fixed algorithm rather than the standard
// distributions, whose output differs between library implementations: the
// pictures must come out byte for byte the same on every build.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : m_state(seed ? seed : 0x9e3779b9u) {}
    // Uniform in [0, 1).
    qreal next();
    // Uniform in [lo, hi).
    qreal between(qreal lo, qreal hi) { return lo + (hi - lo) * next(); }

private:
    std::uint32_t m_state;
};

} // namespace dalmiro::art::detail
