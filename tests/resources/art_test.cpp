// What the painted pictures must show for the window to look right: the balls'
// grounds, the scene's flat lines, and where each ball frame carries its number
// plate (how the balls sit on the scene in the drum's slots: scales_test).
#include "app/layout.h"
#include "resources/catalogue.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace {

using dalmiro::loadPicture;
using dalmiro::testing::difference;
using dalmiro::testing::isGround;

constexpr QRgb kDrumGround = qRgb(224, 250, 247);
constexpr QRgb kResultGround = qRgb(232, 230, 231);

void forEachGroundPixel(const std::function<void(int, int)> &visit)
{
    for (int y = 0; y < 46; ++y) {
        for (int x = 0; x < 45; ++x) {
            if (isGround(x, y))
                visit(x, y);
        }
    }
}

struct Ball
{
    int frame = 0; // 0: the result ball
    QImage picture() const { return frame ? loadPicture(frame) : loadPicture(u"PALLA"); }
    QRgb ground() const { return frame ? kDrumGround : kResultGround; }
};

std::string ballName(const ::testing::TestParamInfo<Ball> &info)
{
    return info.param.frame ? "frame" + std::to_string(info.param.frame) : std::string("PALLA");
}

class BallGround : public ::testing::TestWithParam<Ball>
{
};

TEST_P(BallGround, CornersShowTheGroundColourAndTheGroundStaysNearIt)
{
    const QImage ball = GetParam().picture();
    const QRgb ground = GetParam().ground();
    ASSERT_EQ(ball.size(), QSize(45, 46));
    for (const QPoint corner : {QPoint(0, 0), QPoint(44, 0), QPoint(0, 45), QPoint(44, 45)})
        EXPECT_EQ(ball.pixel(corner), ground) << corner.x() << "," << corner.y();
    int exact = 0;
    int total = 0;
    int far = 0;
    QPoint firstFar;
    forEachGroundPixel([&](int x, int y) {
        if (difference(ball.pixel(x, y), ground) > 3 && far++ == 0)
            firstFar = QPoint(x, y);
        exact += ball.pixel(x, y) == ground;
        ++total;
    });
    EXPECT_EQ(far, 0) << "ground pixels more than 3 from the ground colour, the first at "
                      << firstFar.x() << "," << firstFar.y();
    EXPECT_GE(exact * 10, total * 9) << "most of the ground is exactly the ground colour";
}

TEST_P(BallGround, OutlineTouchesAllFourEdges)
{
    const QImage ball = GetParam().picture();
    const QRgb ground = GetParam().ground();
    auto ballAt = [&](int x, int y) { return difference(ball.pixel(x, y), ground) > 12; };
    EXPECT_TRUE(ballAt(22, 0));
    EXPECT_TRUE(ballAt(22, 45));
    EXPECT_TRUE(ballAt(0, 23));
    EXPECT_TRUE(ballAt(44, 23));
}

INSTANTIATE_TEST_SUITE_P(Art, BallGround,
                         ::testing::Values(Ball{1}, Ball{2}, Ball{3}, Ball{4}, Ball{5}, Ball{6},
                                           Ball{7}, Ball{8}, Ball{9}, Ball{10}, Ball{0}),
                         ballName);

// Flat lines and fills of the scene that slots, balls and labels line up with;
// each is one exact colour over its whole length.
struct FlatRun
{
    const char *what;
    QRect area;
    QRgb colour;
};

class SceneFlatColour : public ::testing::TestWithParam<FlatRun>
{
};

TEST_P(SceneFlatColour, IsOneExactColourAllAlong)
{
    const FlatRun run = GetParam();
    const QImage scene = loadPicture(u"RUOTA");
    ASSERT_EQ(scene.size(), QSize(800, 600));
    for (int y = run.area.top(); y <= run.area.bottom(); ++y) {
        for (int x = run.area.left(); x <= run.area.right(); ++x)
            ASSERT_EQ(scene.pixel(x, y), run.colour) << run.what << " at " << x << "," << y;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Art, SceneFlatColour, ::testing::Values(
    FlatRun{"column top line", QRect(QPoint(646, 269), QPoint(695, 269)), qRgb(12, 12, 12)},
    FlatRun{"column bottom line", QRect(QPoint(646, 563), QPoint(695, 563)), qRgb(64, 62, 61)},
    FlatRun{"column left side", QRect(QPoint(645, 270), QPoint(645, 562)), qRgb(44, 44, 44)},
    FlatRun{"column right side", QRect(QPoint(696, 270), QPoint(696, 562)), qRgb(44, 44, 44)},
    FlatRun{"column middle", QRect(QPoint(668, 272), QPoint(673, 560)), qRgb(236, 236, 236)},
    FlatRun{"band above the seam", QRect(QPoint(60, 370), QPoint(470, 370)), qRgb(199, 224, 219)},
    FlatRun{"glint below the seam", QRect(QPoint(40, 374), QPoint(490, 375)), qRgb(202, 210, 210)},
    FlatRun{"top run stripe", QRect(QPoint(300, 15), QPoint(600, 19)), qRgb(244, 252, 252)},
    FlatRun{"top run middle", QRect(QPoint(300, 35), QPoint(600, 35)), kDrumGround},
    FlatRun{"right run middle", QRect(QPoint(671, 80), QPoint(671, 260)), kDrumGround},
    FlatRun{"neck middle", QRect(QPoint(263, 70), QPoint(263, 120)), kDrumGround}),
    [](const ::testing::TestParamInfo<FlatRun> &run) {
        std::string name = run.param.what;
        for (char &c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });
// clang-format on

// The number plate is grey; the ball's body and its ground are tinted.
bool isPlateGrey(QRgb c)
{
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo <= 16 && hi >= 60;
}

struct Plate
{
    int frame = 0;
    QPointF centre; // where the plate's grey pixels gather; frame 9 has none
};

class PlatePosition : public ::testing::TestWithParam<Plate>
{
};

TEST_P(PlatePosition, PlateLiesWhereTheFrameShowsIt)
{
    const Plate want = GetParam();
    const QImage ball = loadPicture(want.frame);
    QPointF sum;
    int count = 0;
    for (int y = 0; y < 46; ++y) {
        for (int x = 0; x < 45; ++x) {
            if (!isGround(x, y) && isPlateGrey(ball.pixel(x, y))) {
                sum += QPointF(x, y);
                ++count;
            }
        }
    }
    if (want.centre.isNull()) {
        EXPECT_LE(count, 2) << "frame " << want.frame << " shows a plate";
        return;
    }
    ASSERT_GE(count, 12) << "frame " << want.frame << " shows no plate";
    const QPointF centre = sum / count;
    EXPECT_LE(std::hypot(centre.x() - want.centre.x(), centre.y() - want.centre.y()), 3.5)
        << "plate centre (" << centre.x() << ", " << centre.y() << ")";
}

INSTANTIATE_TEST_SUITE_P(Art, PlatePosition,
                         ::testing::Values(Plate{1, {32, 34}}, Plate{2, {39, 23}},
                                           Plate{3, {32, 10}}, Plate{4, {12, 35}},
                                           Plate{5, {7, 23}}, Plate{6, {21, 7}}, Plate{7, {22, 38}},
                                           Plate{8, {11, 11}}, Plate{9, {}}),
                         [](const ::testing::TestParamInfo<Plate> &plate) {
                             return "frame" + std::to_string(plate.param.frame);
                         });

QRect boundsOf(const QImage &image, const std::function<bool(QRgb)> &wanted)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isGround(x, y) && wanted(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

void expectNear(const QRect &got, const QRect &want, int slack)
{
    EXPECT_LE(std::abs(got.left() - want.left()), slack) << "left " << got.left();
    EXPECT_LE(std::abs(got.right() - want.right()), slack) << "right " << got.right();
    EXPECT_LE(std::abs(got.top() - want.top()), slack) << "top " << got.top();
    EXPECT_LE(std::abs(got.bottom() - want.bottom()), slack) << "bottom " << got.bottom();
}

TEST(Art, FrameTenFacesItsPlateToTheViewer)
{
    const QImage ball = loadPicture(10);
    // A grey disc 20 wide and 19 high: x 13 to 32, y 13 to 31.
    expectNear(boundsOf(ball, isPlateGrey), QRect(QPoint(13, 13), QPoint(32, 31)), 2);
}

TEST(Art, ResultBallHasABlankWhitePlateInTheMiddle)
{
    const QImage ball = loadPicture(u"PALLA");
    const QRect plate = boundsOf(ball, [](QRgb c) {
        return std::min({qRed(c), qGreen(c), qBlue(c)}) >= 240;
    });
    // A disc 18 wide and 19 high: x 14 to 31, y 13 to 31.
    expectNear(plate, QRect(QPoint(14, 13), QPoint(31, 31)), 1);
    EXPECT_EQ(ball.pixel(22, 22), qRgb(253, 252, 252));
}

} // namespace
