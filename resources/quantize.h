#pragma once

#include "resources/dib.h"

#include <QImage>
#include <QList>

#include <span>

namespace dalmiro::dib {

// Reduces a picture to at most `paletteSize` colours, deterministically and
// without dithering, so that flat areas stay flat.
//
// The table starts with `leading` in that order (the stored pictures begin
// with black and white). Every colour of `keep` that occurs in the picture, and
// then some of the picture's most frequent colours, get an entry of their own and so
// come through exactly; the remaining entries are fitted to the other colours
// (median cut, refined by a few k-means passes). Every pixel takes its nearest
// entry. The table is padded with black up to `paletteSize`.
//
// Only the pixels whose `include` entry is true (all, if `include` is empty)
// are counted; the others get index 0.
IndexedImage quantize(const QImage &image, int paletteSize, std::span<const QRgb> leading,
                      std::span<const QRgb> keep, const std::vector<bool> &include = {});

} // namespace dalmiro::dib
