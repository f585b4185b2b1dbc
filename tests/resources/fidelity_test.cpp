// The carried pictures against the art painted afresh: they must be what the
// art code paints today (the build regenerates them when it changes), and the
// reduction to 255 colours must stay faithful.
#include "resources/art/artwork.h"
#include "resources/catalogue.h"
#include "resources/paintedscales.h"
#include "support/pixels.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

using dalmiro::loadPicture;
using dalmiro::testing::difference;

struct Comparison
{
    double mean = 0;
    int worst = 0;
    double overEight = 0; // share of pixels off by more than 8 levels
};

Comparison compare(const QImage &painted, const QImage &carried)
{
    const QImage a = painted.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(a.size(), carried.size());
    Comparison c;
    long total = 0;
    long over = 0;
    for (int y = 0; y < std::min(a.height(), carried.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), carried.width()); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = carried.pixel(x, y);
            const int d = difference(p, q);
            c.mean += d;
            c.worst = std::max(c.worst, d);
            over += d > 8;
            ++total;
        }
    }
    c.mean /= double(std::max(total, 1L));
    c.overEight = double(over) / double(std::max(total, 1L));
    return c;
}

class Fidelity : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fidelity_test";
        static char *argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv); // the art paints text
    }
    static void TearDownTestSuite() { app.reset(); }
    static inline std::unique_ptr<QGuiApplication> app;
};

TEST_F(Fidelity, SceneIsThePaintedSceneInItsTableColours)
{
    const Comparison c = compare(dalmiro::art::paintScene(1.0), loadPicture(u"RUOTA"));
    EXPECT_LE(c.mean, 1.5);
    EXPECT_LE(c.overEight, 0.02);
    EXPECT_LE(c.worst, 64);
}

TEST_F(Fidelity, BallFramesAreThePaintedFrames)
{
    for (int frame = 1; frame <= 10; ++frame) {
        const Comparison c = compare(dalmiro::art::paintBallFrame(frame, 1.0), loadPicture(frame));
        EXPECT_LE(c.worst, 6) << "frame " << frame;
        EXPECT_LE(c.mean, 0.5) << "frame " << frame;
    }
}

TEST_F(Fidelity, ResultBallIsStoredExactly)
{
    EXPECT_EQ(compare(dalmiro::art::paintResultBall(1.0), loadPicture(u"PALLA")).worst, 0);
}

} // namespace

namespace {

// The sets painted at 2 and 3 for high-density screens are carried in true
// colour: every pixel as painted.
class FidelityAtScale : public Fidelity, public ::testing::WithParamInterface<int>
{
};

TEST_P(FidelityAtScale, SetIsThePaintedArtExactly)
{
    const int scale = GetParam();
    const Comparison scene =
        compare(dalmiro::art::paintScene(scale), dalmiro::loadPaintedPicture(u"RUOTA", scale));
    EXPECT_EQ(scene.worst, 0);
    for (int frame = 1; frame <= 10; ++frame) {
        const Comparison c = compare(dalmiro::art::paintBallFrame(frame, scale),
                                     dalmiro::loadPaintedPicture(QString::number(frame), scale));
        EXPECT_EQ(c.worst, 0) << "frame " << frame;
    }
    EXPECT_EQ(
        compare(dalmiro::art::paintResultBall(scale), dalmiro::loadPaintedPicture(u"PALLA", scale))
            .worst,
        0);
}

INSTANTIATE_TEST_SUITE_P(Fidelity, FidelityAtScale, ::testing::Values(2, 3),
                         [](const ::testing::TestParamInfo<int> &scale) {
                             return std::string("x").append(std::to_string(scale.param));
                         });

} // namespace
