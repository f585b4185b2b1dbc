// Reducing pictures to a colour table and storing them: what the catalogue's
// flat fills and named colours rely on, on pictures made here.
#include "resources/dib.h"
#include "resources/quantize.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace {

using namespace dalmiro;

constexpr std::array<QRgb, 2> kLeading{qRgb(0, 0, 0), qRgb(255, 255, 255)};

// A picture with far more than 255 colours: a smooth two-way gradient, with
// flat patches of a kept colour, of a frequent colour that is not kept, and a
// kept colour that differs from its neighbour by one level.
QImage busyPicture()
{
    QImage image(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 240; ++x)
            image.setPixel(x, y, qRgb(x * 255 / 239, y * 255 / 159, (x + y) % 256));
    }
    for (int y = 20; y < 60; ++y) {
        for (int x = 20; x < 60; ++x) {
            image.setPixel(x, y, qRgb(224, 250, 247));
            image.setPixel(x + 100, y, qRgb(17, 99, 180));
            image.setPixel(x + 160, y, (x + y) % 2 ? qRgb(223, 249, 246) : qRgb(224, 250, 247));
        }
    }
    image.setPixel(5, 150, qRgb(12, 12, 12)); // a kept colour on a single pixel
    return image;
}

const std::array<QRgb, 3> kKept{qRgb(224, 250, 247), qRgb(223, 249, 246), qRgb(12, 12, 12)};

QImage expand(const dib::IndexedImage &reduced)
{
    QImage image(reduced.width, reduced.height, QImage::Format_RGB32);
    for (int y = 0; y < reduced.height; ++y) {
        for (int x = 0; x < reduced.width; ++x)
            image.setPixel(x, y,
                           reduced.palette[reduced.indices[std::size_t(y * reduced.width + x)]]);
    }
    return image;
}

TEST(Quantize, TableHasTheRequestedSizeAndStartsWithTheLeadingColours)
{
    const dib::IndexedImage reduced = dib::quantize(busyPicture(), 255, kLeading, kKept);
    ASSERT_EQ(reduced.palette.size(), 255);
    EXPECT_EQ(reduced.palette[0], qRgb(0, 0, 0));
    EXPECT_EQ(reduced.palette[1], qRgb(255, 255, 255));
}

TEST(Quantize, KeptAndFlatColoursComeThroughExactly)
{
    const QImage source = busyPicture();
    const QImage result = expand(dib::quantize(source, 255, kLeading, kKept));
    const std::set<QRgb> exact{qRgb(224, 250, 247), qRgb(223, 249, 246), qRgb(12, 12, 12),
                               qRgb(17, 99, 180)};
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            if (exact.contains(c)) {
                ASSERT_EQ(result.pixel(x, y), c) << x << "," << y;
            }
        }
    }
}

TEST(Quantize, EveryPixelTakesAClosePaletteColourWithoutDithering)
{
    const QImage source = busyPicture();
    const dib::IndexedImage reduced = dib::quantize(source, 255, kLeading, kKept);
    const QImage result = expand(reduced);
    int worst = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb a = source.pixel(x, y);
            const QRgb b = result.pixel(x, y);
            worst = std::max(worst, dalmiro::testing::difference(a, b));
            // Nearest entry: no other entry lies closer to the source colour.
            if ((x * 7 + y * 13) % 97 == 0) {
                auto d = [a](QRgb c) {
                    return (qRed(a) - qRed(c)) * (qRed(a) - qRed(c)) +
                           (qGreen(a) - qGreen(c)) * (qGreen(a) - qGreen(c)) +
                           (qBlue(a) - qBlue(c)) * (qBlue(a) - qBlue(c));
                };
                for (QRgb entry : reduced.palette) {
                    ASSERT_GE(d(entry), d(b));
                }
            }
        }
    }
    EXPECT_LE(worst, 48);
}

TEST(Quantize, IsDeterministic)
{
    const dib::IndexedImage a = dib::quantize(busyPicture(), 255, kLeading, kKept);
    const dib::IndexedImage b = dib::quantize(busyPicture(), 255, kLeading, kKept);
    EXPECT_EQ(a.palette, b.palette);
    EXPECT_EQ(a.indices, b.indices);
}

TEST(Quantize, FewColoursAreKeptAsTheyAre)
{
    QImage image(10, 10, QImage::Format_RGB32);
    for (int i = 0; i < 100; ++i)
        image.setPixel(i % 10, i / 10, qRgb(i, 200 - i, 3 * i % 256));
    EXPECT_EQ(expand(dib::quantize(image, 255, kLeading, {})), image);
}

TEST(Quantize, ExcludedPixelsTakeEntryZeroAndNoEntryOfTheirOwn)
{
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 20, 30));
    image.setPixel(1, 0, qRgb(200, 0, 0));
    image.setPixel(2, 0, qRgb(10, 20, 30));
    image.setPixel(3, 0, qRgb(0, 0, 200));
    const std::vector<bool> include{true, false, true, false};
    const std::array<QRgb, 1> black{qRgb(0, 0, 0)};
    const dib::IndexedImage reduced = dib::quantize(image, 256, black, {}, include);
    EXPECT_EQ(reduced.indices[1], 0);
    EXPECT_EQ(reduced.indices[3], 0);
    EXPECT_EQ(reduced.palette[reduced.indices[0]], qRgb(10, 20, 30));
    EXPECT_FALSE(reduced.palette.contains(qRgb(200, 0, 0)));
    EXPECT_FALSE(reduced.palette.contains(qRgb(0, 0, 200)));
}

TEST(StoredBitmap, IndexedAndTrueColourRoundTrip)
{
    QImage odd(7, 5, QImage::Format_RGB32); // odd width: padded rows
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x)
            odd.setPixel(x, y, qRgb(30 * x, 50 * y, x == y ? 255 : 0));
    }
    EXPECT_EQ(dib::decode(dib::encodeTrueColour(odd)), odd);
    const dib::IndexedImage reduced = dib::quantize(odd, 255, kLeading, {});
    EXPECT_EQ(dib::decode(dib::encodeIndexed(reduced)), odd);
}

TEST(StoredBitmap, DecodeRejectsWhatIsNotAnUncompressedBitmap)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    const QByteArray good = dib::encodeTrueColour(image);
    ASSERT_FALSE(dib::decode(good).isNull());
    EXPECT_TRUE(dib::decode(good.first(good.size() - 30)).isNull()); // rows cut short
    EXPECT_TRUE(dib::decode(good.first(20)).isNull());
    QByteArray compressed = good;
    compressed[16] = 1;
    EXPECT_TRUE(dib::decode(compressed).isNull());
    QByteArray fourBits = good;
    fourBits[14] = 4;
    EXPECT_TRUE(dib::decode(fourBits).isNull());
}

} // namespace
