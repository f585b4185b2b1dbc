// The pictures painted at 1, and at 2 and 3 for high-density screens: soft
// shading, and the pictures a screen of any ratio gets.
#include "resources/art/artwork.h"
#include "resources/catalogue.h"
#include "resources/paintedscales.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using dalmiro::loadPaintedPicture;
using dalmiro::testing::difference;

// Soft shading stays soft on high-density screens: along a line across it,
// neighbouring pixels differ by a few levels. Reduced to a colour table, the
// set at 2 steps by up to 18 levels across the shadow and 5 across the gloss;
// painted in true colour, 3 and 2.
TEST(ArtAtHighDensity, ShadowAndGlossChangeByAFewLevelsPerPixel)
{
    const struct
    {
        QPoint from, step;
        int length, limit;
    } lines[] = {{{500, 460}, {1, 0}, 45, 6},  // the red shadow off the bowl's lower right
                 {{118, 393}, {0, 1}, 30, 3}}; // the window light's gloss on the bowl
    for (const int scale : {2, 3}) {
        const QImage scene = loadPaintedPicture(u"RUOTA", scale);
        for (const auto &line : lines) {
            for (int i = 1; i < line.length * scale; ++i) {
                const QPoint at = line.from * scale + line.step * i;
                ASSERT_LE(difference(scene.pixel(at - line.step), scene.pixel(at)),
                          line.limit)
                    << at.x() << "," << at.y() << " in the set at " << scale;
            }
        }
    }
}

class PicturesForRatio : public ::testing::TestWithParam<qreal>
{
};

// Each ratio gets its own painted set or a reduction of a larger one, never
// an enlargement, and the picture covers the same logical size as at 1.
TEST_P(PicturesForRatio, ComeFromASetAtLeastAsLargeAndCoverTheSameLogicalSize)
{
    const qreal ratio = GetParam();
    EXPECT_GE(dalmiro::paintedScaleFor(ratio), ratio - 1e-9);
    const struct
    {
        const char16_t *asked;
        const char *key;
        QSize logical;
    } pictures[] = {
        {u"RUOTA", "RUOTA", {800, 600}}, {u"Palla", "PALLA", {45, 46}}, {u"9", "9", {45, 46}}};
    for (const auto &picture : pictures) {
        const QImage shown = dalmiro::loadPictureForRatio(QStringView(picture.asked), ratio);
        EXPECT_DOUBLE_EQ(shown.devicePixelRatio(), ratio);
        EXPECT_EQ(shown.width(), std::lround(picture.logical.width() * ratio));
        EXPECT_EQ(shown.height(), std::lround(picture.logical.height() * ratio));
        const dalmiro::PictureId id = dalmiro::pictureIdFor(QStringView(picture.asked));
        EXPECT_EQ(dalmiro::pictureKey(id), QLatin1String(picture.key));
        EXPECT_EQ(dalmiro::pictureSize(id), picture.logical);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PicturesForRatio,
                         ::testing::Values(1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0),
                         [](const ::testing::TestParamInfo<qreal> &ratio) {
                             return std::string("r").append(
                                 std::to_string(int(std::lround(ratio.param * 100))));
                         });

} // namespace
