#pragma once

#include "draw/pictureid.h"

#include <QImage>
#include <QStringView>

#include <array>

// The catalogue's pictures for high-density screens. Beside the pictures that
// loadPicture() returns, painted at 1, the executable carries the same art
// painted at 2 and at 3. A screen of another device pixel ratio gets a smooth
// reduction of the next larger set, so no picture is ever enlarged below the
// largest set's ratio.
//
// The web page carries the sets at 1 and 2 only (DALMIRO_LARGEST_PICTURE_SCALE
// 2): the set at 3 would add a tenth to what a visitor downloads, for the rare
// browser at a ratio above 2, which gets the set at 2 enlarged instead.
namespace dalmiro {

#if defined(DALMIRO_LARGEST_PICTURE_SCALE) && DALMIRO_LARGEST_PICTURE_SCALE == 2
inline constexpr std::array<int, 2> kPaintedScales{1, 2};
#else
inline constexpr std::array<int, 3> kPaintedScales{1, 2, 3};
#endif

// The painted scale that pictures for a screen of device pixel ratio `ratio`
// come from: the ratio itself where it is painted, else the next larger
// scale; 1 at ratios up to 1, the largest above it.
int paintedScaleFor(qreal ratio);

// Picture `id` exactly as painted at `scale`, one of kPaintedScales, decoded
// afresh. An unknown scale aborts.
QImage loadPaintedPicture(PictureId id, int scale);
// The same by catalogue key (see pictureKey()).
QImage loadPaintedPicture(QStringView key, int scale);

// Picture `id` for a screen of device pixel ratio `ratio`, decoded afresh:
// the set painted at that ratio, or a smooth reduction of the next larger
// one, with `ratio` as its device pixel ratio, so that it covers the same
// logical size as the picture painted at 1. At ratios up to 1, loadPicture().
QImage loadPictureForRatio(PictureId id, qreal ratio);
QImage loadPictureForRatio(QStringView key, qreal ratio);

} // namespace dalmiro
