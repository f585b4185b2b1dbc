#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>

#include <cstdint>
#include <vector>

// The stored form of the pictures: device-independent bitmaps without the file
// header (information header, colour table, rows bottom-up padded to 4 bytes)
// and the icon image of a Windows icon file.
namespace dalmiro::dib {

inline constexpr int kInfoHeaderSize = 40;
inline constexpr int kPixelsPerMetre = 2834; // 72 dots per inch
inline constexpr int kIconSide = 48;
inline constexpr int kIconImageSize = 3752; // header, 256 colours, pixels, mask
inline constexpr int kIconDirSize = 6;
inline constexpr int kIconDirEntrySize = 16;

// A picture reduced to a colour table: one table index per pixel, rows top
// down, no padding.
struct IndexedImage
{
    int width = 0;
    int height = 0;
    QList<QRgb> palette;
    std::vector<std::uint8_t> indices;
};

int strideFor(int width, int bitsPerPixel);

// 8 bits per pixel with the palette as its colour table (colours used and
// important both equal its size).
QByteArray encodeIndexed(const IndexedImage &image);
// 24 bits per pixel, blue, green, red; no colour table.
QByteArray encodeTrueColour(const QImage &image);

// Decodes an uncompressed 8- or 24-bit DIB into a new Format_RGB32 picture.
// Returns a null image if the bytes are not such a DIB.
QImage decode(QByteArrayView bytes);

// The icon image: 48 x 48, 8 bits per pixel with a 256-entry table and a 1-bit
// mask in which 1 marks a transparent pixel. Pixels whose entry in
// `transparent` is true are masked; their index should be 0.
QByteArray encodeIconImage(const IndexedImage &image, const std::vector<bool> &transparent);
// An icon file carrying exactly one 48 x 48, 8-bit image.
QByteArray iconFile(QByteArrayView iconImage);
// The group entry that a Windows resource script files under the icon group:
// the icon directory with one 14-byte entry that names image `imageId`.
QByteArray iconGroup(QByteArrayView iconImage, std::uint16_t imageId);

// Decodes the first image of an icon file holding an 8-bit icon image into a
// Format_ARGB32 picture, masked pixels fully transparent. Null image on error.
QImage decodeIcon(QByteArrayView iconFileBytes);

} // namespace dalmiro::dib
