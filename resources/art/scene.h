#pragma once

// The parts of the scene, painted in this order by paintScene. Every function
// works in scene coordinates (800 x 600); the painter carries the scale.
#include "resources/art/artwork.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace dalmiro::art::detail {

// The drum's outer edge: the outline's outermost pixels are x 10 and 524,
// y 116 and 590.
inline const QRectF kDrumRect(10, 116, 515, 475);
inline constexpr qreal kSeamTop = 371;  // dark seam rows 371 to 373
inline constexpr qreal kGlintTop = 374; // light glint rows 374 and 375
inline constexpr qreal kBowlTop = 376;  // charcoal below
inline constexpr qreal kBandTop = 357;  // the chamber darkens from here to the seam

// The pipe's outline pixels: neck x 238 and 288, top run y 8 and 61, right
// run x 645 and 696. Rectangles below run from outer edge to outer edge.
inline constexpr qreal kNeckLeft = 238, kNeckRight = 289;
inline constexpr qreal kRunTop = 8, kRunBottom = 62;
inline constexpr qreal kRightLeft = 645, kRightRight = 697;
inline constexpr qreal kColumnTop = 269;    // dark line closing the column
inline constexpr qreal kColumnBottom = 563; // its bottom line

inline const QColor kWallShade(187, 206, 205);
inline const QColor kHighlight = QColor::fromRgb(kGlassHighlight);

void paintBackground(QPainter &p);
void paintDrumShadow(QPainter &p);
void paintGlass(QPainter &p);
void paintColumn(QPainter &p);
void paintRankLabels(QPainter &p);
void paintTitle(QPainter &p);
void paintTextPanel(QPainter &p);

} // namespace dalmiro::art::detail
