#pragma once

#include <QColor>
#include <QImage>

// The program's pictures, painted by code. Every function paints at any scale:
// 1.0 gives the pictures at the sizes the program carries (scene 800 x 600,
// balls 45 x 46, icon 48 x 48); 2.0 a sharper set for high-density screens.
namespace dalmiro::art {

// Colours that the stored pictures must keep exactly: a ball sits on the scene
// without a visible rectangle only because these match.
inline constexpr QRgb kChamberFill = qRgb(224, 250, 247); // drum chamber, pipe middle, ball ground
inline constexpr QRgb kChamberFillAlt = qRgb(223, 249, 246); // mixed into the chamber fill
inline constexpr QRgb kResultGround = qRgb(232, 230, 231);   // result ball ground
inline constexpr QRgb kColumnLightest = qRgb(236, 236, 236); // result column, middle third

// Flat lines and stripes of the scene, each one colour over its whole length.
inline constexpr QRgb kGlassHighlight = qRgb(244, 252, 252); // pipe stripe, drum arc
inline constexpr QRgb kSeamGlint = qRgb(202, 210, 210);      // rows 374 and 375
inline constexpr QRgb kBandDeepest = qRgb(199, 224, 219);    // row 370, above the seam
inline constexpr QRgb kColumnSide = qRgb(44, 44, 44);        // column outlines
inline constexpr QRgb kColumnTopLine = qRgb(12, 12, 12);     // row 269
inline constexpr QRgb kColumnBottomLine = qRgb(64, 62, 61);  // row 563

QImage paintScene(qreal scale = 1.0);
// frame: 1 to 10.
QImage paintBallFrame(int frame, qreal scale = 1.0);
QImage paintResultBall(qreal scale = 1.0);
// With an alpha channel: the icon's ground is transparent. This is the icon the
// executable carries, reduced to 8 bits and a mask at 48 x 48.
QImage paintIcon(qreal scale = 1.0);

// The dark rim round every ball of the icon.
inline constexpr QRgb kIconRim = qRgb(40, 40, 48);
// The icon for the desktop and the window, `side` pixels square, in full
// colour with straight (unpremultiplied) alpha: its edges are partly
// transparent and keep the rim's colour. Fewer balls and no numbers where
// the size is too small to read them.
QImage paintDesktopIcon(int side);

} // namespace dalmiro::art
