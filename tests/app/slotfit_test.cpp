// The painted pictures in the window's slots, at every painted scale: how the
// balls sit on the scene in the drum's slots and the pipe's square corners,
// and the highlight arc through the top slots.
#include "app/layout.h"
#include "resources/art/artwork.h"
#include "resources/paintedscales.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using dalmiro::loadPaintedPicture;
using dalmiro::testing::difference;
using dalmiro::testing::isGround;

// Decoded once per scale: the set at 3 is unpacked on every call.
const QImage &scene(int scale)
{
    static std::map<int, QImage> scenes;
    auto [at, added] = scenes.try_emplace(scale);
    if (added)
        at->second = loadPaintedPicture(u"RUOTA", scale);
    return at->second;
}

// A slot, and how far a ball's ground there may differ from the scene.
struct SlotFit
{
    int scale = 1;
    int slot = 0;
    int tolerance = 0;
};

std::vector<SlotFit> slotFits()
{
    std::vector<SlotFit> out;
    for (const int scale : dalmiro::kPaintedScales) {
        // The drum's middle rows: at 1 exactly, at 2 and 3 within a level.
        for (int slot = 10; slot <= 28; ++slot) {
            if (slot != 24)
                out.push_back({scale, slot, scale == 1 ? 0 : 1});
        }
        // The rows' outer left ends, near the chamber's shaded wall.
        out.push_back({scale, 9, 6});
        out.push_back({scale, 24, 12});
        // The pipe's two corners, now as close as the rest of the pipe.
        out.push_back({scale, 32, 40});
        out.push_back({scale, 39, 40});
    }
    return out;
}

class SlotFitAtScale : public ::testing::TestWithParam<SlotFit>
{
};

TEST_P(SlotFitAtScale, EveryFramesGroundMatchesTheSceneBeneath)
{
    const SlotFit fit = GetParam();
    const QImage &painted = scene(fit.scale);
    ASSERT_EQ(painted.size(), QSize(800, 600) * fit.scale);
    const QPoint at = dalmiro::layout::kSlots[std::size_t(fit.slot)] * fit.scale;
    for (int frame = 1; frame <= 10; ++frame) {
        const QImage ball = loadPaintedPicture(QString::number(frame), fit.scale);
        ASSERT_EQ(ball.size(), QSize(45, 46) * fit.scale);
        int worst = 0;
        QPoint where;
        for (int y = 0; y < ball.height(); ++y) {
            for (int x = 0; x < ball.width(); ++x) {
                if (!isGround(x, y, fit.scale))
                    continue;
                const int d = difference(ball.pixel(x, y), painted.pixel(at + QPoint(x, y)));
                if (d > worst) {
                    worst = d;
                    where = {x, y};
                }
            }
        }
        EXPECT_LE(worst, fit.tolerance)
            << "frame " << frame << " at ball pixel " << where.x() << "," << where.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, SlotFitAtScale, ::testing::ValuesIn(slotFits()),
                         [](const ::testing::TestParamInfo<SlotFit> &fit) {
                             return std::string("x")
                                 .append(std::to_string(fit.param.scale))
                                 .append("_image1_")
                                 .append(std::to_string(fit.param.slot));
                         });

class ArtAtScale : public ::testing::TestWithParam<int>
{
};

// A ball shown in either of the top slots interrupts the arc: its white runs
// across the upper rows of both, from side to side.
TEST_P(ArtAtScale, HighlightArcRunsThroughTheUpperRowsOfTheTopSlots)
{
    const int scale = GetParam();
    for (const int slot : {29, 30}) {
        const QPoint at = dalmiro::layout::kSlots[std::size_t(slot)] * scale;
        int crossed = 0;
        for (int x = 0; x < 45 * scale; ++x) {
            for (int y = 0; y < 8 * scale; ++y) {
                if (scene(scale).pixel(at + QPoint(x, y)) == dalmiro::art::kGlassHighlight) {
                    ++crossed;
                    break;
                }
            }
        }
        EXPECT_GE(crossed, 45 * scale * 9 / 10) << "slot " << slot << ": columns with the arc";
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, ArtAtScale, ::testing::ValuesIn(dalmiro::kPaintedScales),
                         [](const ::testing::TestParamInfo<int> &scale) {
                             return std::string("x").append(std::to_string(scale.param));
                         });

} // namespace
