// The application icon: the icon file's directory, the icon image's fields and
// mask; the icon for the desktop and the window at every size.
#include "resources/art/artwork.h"
#include "resources/icon.h"
#include "resources/storedpictures.h"
#include "support/bytes.h"

#include <QGuiApplication>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using dalmiro::testing::u16;
using dalmiro::testing::u32;

constexpr qsizetype kImageAt = 22;
constexpr qsizetype kPixelsAt = kImageAt + 40 + 256 * 4;
constexpr qsizetype kMaskAt = kPixelsAt + 48 * 48;

bool masked(QByteArrayView ico, int x, int y)
{
    const qsizetype row = kMaskAt + qsizetype(47 - y) * 8; // bottom-up
    return (std::uint8_t(ico[row + x / 8]) >> (7 - x % 8)) & 1;
}

TEST(Icon, FileHasOneEntryFor48By48At8Bits)
{
    const QByteArrayView ico = dalmiro::storedIcon();
    ASSERT_EQ(ico.size(), 6 + 16 + 3752);
    dalmiro::testing::expectOneIconOf48By48At8Bits(ico);
    EXPECT_EQ(std::uint8_t(ico[9]), 0);
    EXPECT_EQ(u32(ico, 18), std::uint32_t(kImageAt));
}

TEST(Icon, ImageHeaderCountsPictureAndMaskTogether)
{
    const QByteArrayView ico = dalmiro::storedIcon();
    const std::uint32_t want[] = {40, 48, 96, 0x00080001u, 0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(want); ++i)
        EXPECT_EQ(u32(ico, kImageAt + qsizetype(4 * i)), want[i]) << "field " << i;
    for (int entry = 0; entry < 256; ++entry)
        EXPECT_EQ(ico[kImageAt + 40 + 4 * entry + 3], '\0') << "entry " << entry;
}

TEST(Icon, MaskPaddingIsZeroAndMaskedPixelsUseEntryZero)
{
    const QByteArrayView ico = dalmiro::storedIcon();
    for (int y = 0; y < 48; ++y) {
        const qsizetype row = kMaskAt + qsizetype(y) * 8;
        EXPECT_EQ(ico[row + 6], '\0');
        EXPECT_EQ(ico[row + 7], '\0');
    }
    // A masked pixel is drawn by XOR over the screen: only index 0, black,
    // leaves the screen unchanged.
    EXPECT_EQ(u32(ico, kImageAt + 40), 0u);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            if (masked(ico, x, y)) {
                ASSERT_EQ(ico[kPixelsAt + qsizetype(47 - y) * 48 + x], '\0') << x << "," << y;
            }
        }
    }
}

TEST(Icon, DecodedImageIsTransparentExactlyWhereMasked)
{
    const QByteArrayView ico = dalmiro::storedIcon();
    const QImage image = dalmiro::iconImage();
    ASSERT_EQ(image.size(), QSize(48, 48));
    ASSERT_TRUE(image.hasAlphaChannel());
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            ASSERT_EQ(alpha, masked(ico, x, y) ? 0 : 255) << x << "," << y;
        }
    }
}

// Qt's icon reader, where installed, is an independent decoder of the file.
TEST(Icon, DecodedImageMatchesAnIconReader)
{
    if (!QImageReader::supportedImageFormats().contains("ico"))
        GTEST_SKIP() << "no icon reader plugin installed";
    const QByteArrayView ico = dalmiro::storedIcon();
    const QImage reference = QImage::fromData(ico, "ICO").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(reference.isNull());
    const QImage image = dalmiro::iconImage();
    ASSERT_EQ(reference.size(), image.size());
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = reference.pixel(x, y);
            if (qAlpha(a) == 0) {
                ASSERT_EQ(qAlpha(b), 0) << x << "," << y;
            } else {
                ASSERT_EQ(a, b) << x << "," << y;
            }
        }
    }
}

TEST(Icon, ShowsBallsOnATransparentGround)
{
    const QImage image = dalmiro::iconImage();
    int opaque = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_GT(opaque, 48 * 48 / 3);
    EXPECT_LT(opaque, 48 * 48 * 9 / 10);
}

// The icon at every size a desktop asks for: the art painted at that size,
// balls on a clear ground. The edge fades over partly transparent pixels, none
// darker than the balls' rim: on any panel a smooth outline, no dark specks.
class IconSize : public ::testing::TestWithParam<int>
{
};

TEST_P(IconSize, IsPaintedAtItsSizeOnAClearGround)
{
    const int side = GetParam();
    const QImage image = dalmiro::iconImage(side);
    ASSERT_EQ(image.size(), QSize(side, side));
    ASSERT_TRUE(image.hasAlphaChannel());
    const auto clear = [&](int x, int y) {
        return image.rect().contains(x, y) && qAlpha(image.pixel(x, y)) == 0;
    };
    int opaque = 0, soft = 0, hard = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            opaque += alpha == 255;
            if (alpha > 0 && alpha < 255) {
                ++soft;
                ASSERT_GE(qGray(image.pixel(x, y)), qGray(dalmiro::art::kIconRim)) << x << "," << y;
            }
            // An opaque pixel right beside a clear one is a hard step.
            hard += alpha == 255 &&
                    (clear(x - 1, y) || clear(x + 1, y) || clear(x, y - 1) || clear(x, y + 1));
        }
    }
    EXPECT_GE(soft, side * 2);
    EXPECT_LE(hard, soft / 20);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1), QPoint(side - 1, side - 1)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_GT(opaque, side * side / 3);
    EXPECT_LT(opaque, side * side * 9 / 10);

    // The theme's file for this size holds the same picture.
    const QImage themed(QStringLiteral(DALMIRO_ICON_DIR "/%1.png").arg(side));
    EXPECT_EQ(themed.convertToFormat(QImage::Format_ARGB32), image);
}

INSTANTIATE_TEST_SUITE_P(Icon, IconSize, ::testing::ValuesIn(dalmiro::kIconSizes),
                         [](const ::testing::TestParamInfo<int> &side) {
                             return std::string("px").append(std::to_string(side.param));
                         });

TEST(Icon, WindowIconIsTheSamePicture)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "icon_test";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QIcon icon = dalmiro::windowIcon();
    ASSERT_FALSE(icon.isNull());
    // Every size is there as painted, so a desktop never scales one up. A
    // pixmap keeps its pixels premultiplied.
    for (const int side : dalmiro::kIconSizes) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
        EXPECT_EQ(
            icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
            dalmiro::iconImage(side).convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << side;
    }
}

} // namespace
