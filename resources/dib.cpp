#include "resources/dib.h"

#include <cstring>

namespace dalmiro::dib {

namespace {

void put16(QByteArray &out, std::uint32_t value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void put32(QByteArray &out, std::uint32_t value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

std::uint32_t get16(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t get32(const std::uint8_t *p)
{
    return get16(p) | get16(p + 2) << 16;
}

std::int32_t getSigned32(const std::uint8_t *p)
{
    return std::int32_t(get32(p));
}

struct InfoHeader
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t ppm = 0;
    std::uint32_t coloursUsed = 0;
};

void putInfoHeader(QByteArray &out, const InfoHeader &h)
{
    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(h.width));
    put32(out, std::uint32_t(h.height));
    put16(out, 1);
    put16(out, std::uint32_t(h.bitsPerPixel));
    put32(out, 0); // no compression
    put32(out, h.sizeImage);
    put32(out, h.ppm);
    put32(out, h.ppm);
    put32(out, h.coloursUsed);
    put32(out, h.coloursUsed);
}

void putColourTable(QByteArray &out, const QList<QRgb> &palette, qsizetype entries)
{
    for (qsizetype i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
}

// The pixel rows of the stored form carry 2 bytes more in their size field
// than they hold and are followed by 4 zero bytes; readers rely on neither.
constexpr std::uint32_t kSizeSlack = 2;
constexpr int kTrailer = 4;

} // namespace

int strideFor(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray encodeIndexed(const IndexedImage &image)
{
    const int stride = strideFor(image.width, 8);
    QByteArray out;
    putInfoHeader(out,
                  {image.width, image.height, 8, std::uint32_t(stride * image.height) + kSizeSlack,
                   kPixelsPerMetre, std::uint32_t(image.palette.size())});
    putColourTable(out, image.palette, image.palette.size());
    for (int y = image.height - 1; y >= 0; --y) {
        const auto *row = image.indices.data() + std::size_t(y) * std::size_t(image.width);
        out.append(reinterpret_cast<const char *>(row), image.width);
        out.append(stride - image.width, '\0');
    }
    out.append(kTrailer, '\0');
    return out;
}

QByteArray encodeTrueColour(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = strideFor(image.width(), 24);
    QByteArray out;
    putInfoHeader(out, {image.width(), image.height(), 24,
                        std::uint32_t(stride * image.height()) + kSizeSlack, kPixelsPerMetre, 0});
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
        }
        out.append(stride - 3 * image.width(), '\0');
    }
    out.append(kTrailer, '\0');
    return out;
}

QImage decode(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
    const qsizetype size = bytes.size();
    if (size < kInfoHeaderSize || get32(data) != kInfoHeaderSize || get32(data + 16) != 0)
        return {};
    const int width = getSigned32(data + 4);
    const int signedHeight = getSigned32(data + 8);
    const int height = signedHeight < 0 ? -signedHeight : signedHeight;
    const int bits = int(get16(data + 14));
    if (width <= 0 || height <= 0 || width > 1 << 15 || height > 1 << 15 ||
        (bits != 8 && bits != 24))
        return {};
    std::uint32_t colours = get32(data + 32);
    if (bits == 8 && (colours == 0 || colours > 256))
        colours = 256;
    if (bits == 24)
        colours = 0;
    const qsizetype stride = strideFor(width, bits);
    const qsizetype pixelsAt = kInfoHeaderSize + qsizetype(colours) * 4;
    if (pixelsAt + stride * height > size)
        return {};

    // Entries the table does not define show black, as in any DIB reader.
    QRgb lut[256] = {};
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint8_t *e = data + kInfoHeaderSize + 4 * i;
        lut[i] = qRgb(e[2], e[1], e[0]);
    }

    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int storedRow = signedHeight > 0 ? height - 1 - y : y;
        const std::uint8_t *src = data + pixelsAt + stride * storedRow;
        auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (bits == 8) {
            for (int x = 0; x < width; ++x)
                dst[x] = lut[src[x]];
        } else {
            for (int x = 0; x < width; ++x, src += 3)
                dst[x] = qRgb(src[2], src[1], src[0]);
        }
    }
    return image;
}

QByteArray encodeIconImage(const IndexedImage &image, const std::vector<bool> &transparent)
{
    Q_ASSERT(image.width == kIconSide && image.height == kIconSide);
    Q_ASSERT(image.palette.size() <= 256);
    const int maskStride = strideFor(kIconSide, 1);
    QByteArray out;
    // Height counts the picture and its mask together; size and resolution
    // fields are left 0, as icon images have them.
    putInfoHeader(out, {kIconSide, 2 * kIconSide, 8, 0, 0, 0});
    putColourTable(out, image.palette, 256);
    for (int y = kIconSide - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char *>(image.indices.data() + y * kIconSide), kIconSide);
    for (int y = kIconSide - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < kIconSide; ++x) {
            if (transparent[std::size_t(y * kIconSide + x)])
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    Q_ASSERT(out.size() == kIconImageSize);
    return out;
}

namespace {
// Width, height, colour count, reserved, planes, bits per pixel, bytes.
void putIconEntryHead(QByteArray &out, QByteArrayView iconImage)
{
    out.append(char(kIconSide));
    out.append(char(kIconSide));
    out.append('\0'); // 0: 256 colours or more
    out.append('\0');
    put16(out, 1);
    put16(out, 8);
    put32(out, std::uint32_t(iconImage.size()));
}

void putIconDir(QByteArray &out)
{
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, 1); // one image
}
} // namespace

QByteArray iconFile(QByteArrayView iconImage)
{
    QByteArray out;
    putIconDir(out);
    putIconEntryHead(out, iconImage);
    put32(out, kIconDirSize + kIconDirEntrySize);
    out.append(iconImage.data(), iconImage.size());
    return out;
}

QByteArray iconGroup(QByteArrayView iconImage, std::uint16_t imageId)
{
    QByteArray out;
    putIconDir(out);
    putIconEntryHead(out, iconImage);
    put16(out, imageId);
    return out;
}

QImage decodeIcon(QByteArrayView file)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(file.data());
    if (file.size() < kIconDirSize + kIconDirEntrySize || get16(data + 2) != 1 ||
        get16(data + 4) < 1)
        return {};
    const std::uint8_t *entry = data + kIconDirSize;
    const qsizetype bytes = get32(entry + 8);
    const qsizetype offset = get32(entry + 12);
    if (offset < 0 || bytes < kInfoHeaderSize || offset + bytes > file.size())
        return {};
    const std::uint8_t *img = data + offset;
    const int width = getSigned32(img + 4);
    const int height = getSigned32(img + 8) / 2;
    if (get32(img) != kInfoHeaderSize || get16(img + 14) != 8 || width <= 0 || height <= 0 ||
        width > 256 || height > 256)
        return {};
    std::uint32_t colours = get32(img + 32);
    if (colours == 0 || colours > 256)
        colours = 256;
    const qsizetype stride = strideFor(width, 8);
    const qsizetype maskStride = strideFor(width, 1);
    const qsizetype pixelsAt = kInfoHeaderSize + qsizetype(colours) * 4;
    const qsizetype maskAt = pixelsAt + stride * height;
    if (maskAt + maskStride * height > bytes)
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const qsizetype stored = height - 1 - y;
        const std::uint8_t *src = img + pixelsAt + stride * stored;
        const std::uint8_t *mask = img + maskAt + maskStride * stored;
        auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const bool clear = mask[x / 8] & (0x80 >> (x % 8));
            const std::uint8_t *e =
                img + kInfoHeaderSize + 4 * std::min<std::uint32_t>(src[x], colours - 1);
            dst[x] = clear ? qRgba(0, 0, 0, 0) : qRgb(e[2], e[1], e[0]);
        }
    }
    return image;
}

} // namespace dalmiro::dib
