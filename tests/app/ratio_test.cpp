// The window on a screen of ratio 1 and on one of ratio 2, in one process: an
// offscreen configuration with two screens side by side, the second at 2.
// The second screen's ratio comes from its logical DPI, twice the base DPI,
// which Qt turns into a scale factor of 2 for the screen and its windows on
// every version. (The configuration's own "dpr" reaches the windows only up
// to Qt 6.5: later offscreen windows report a ratio of 1 of their own.)
#include "windowfixture.h"

#include "support/imagediff.h"

#include "resources/catalogue.h"
#include "resources/paintedscales.h"

#include <QScreen>

#include <cmath>

namespace dalmiro::testing {
namespace {

class TwoScreens : public WindowTest
{
protected:
    static void SetUpTestSuite()
    {
        // Before the application is made, which happens once per program.
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" DALMIRO_TWO_SCREENS);
    }

    // Moves the window onto the screen of that ratio; what it shows then, or
    // a null image (and a failure) when that is not the window at the ratio.
    QImage shownAt(qreal ratio)
    {
        QScreen *target = nullptr;
        for (QScreen *screen : QGuiApplication::screens()) {
            if (screen->devicePixelRatio() == ratio)
                target = screen;
        }
        EXPECT_NE(target, nullptr) << "no screen at " << ratio;
        if (!target)
            return {};
        form().move(target->geometry().topLeft() + QPoint(20, 20));
        QCoreApplication::processEvents();
        EXPECT_EQ(form().devicePixelRatioF(), ratio);
        const QImage shown = grabWindow();
        EXPECT_EQ(shown.size(), layout::kWindowSize * ratio);
        return shown.size() == layout::kWindowSize * ratio ? shown : QImage();
    }

    // Where a picture placed at `scenePoint` lies in the window's device
    // pixels at `ratio`.
    static QPoint devicePoint(QPoint scenePoint, int ratio)
    {
        return windowPoint(scenePoint) * ratio;
    }

    static void showsExactly(const QImage &shown, QPoint at, const QImage &picture)
    {
        EXPECT_TRUE(showsPictureAt(shown, at, picture.convertToFormat(QImage::Format_RGB32)));
    }

    // The drum and the result column with balls and numbers, as after a draw.
    void showBallsAndResults()
    {
        for (int slot : {0, 12, 29, 30, 31, 32, 39, 44})
            form().setImage1Picture(slot, PictureId::ballFrame(slot % 10 + 1));
        for (int k = 0; k < layout::kEstrattoCount; ++k) {
            form().setEstrattoPicture(k, PictureId::resultBall());
            form().setEstrattoVisible(k, true);
        }
        form().setJollyPicture(PictureId::resultBall());
        form().setCerchioVisible(true);
        for (int k = 0; k < layout::kNumeriCount; ++k) {
            form().setNumeriCaption(k, QString::number(11 * k + 7));
            form().setNumeriVisible(k, true);
        }
    }
};

// At 2 a slot's picture is the ball painted at 2, on exactly the device
// pixels (2x, 2y) to (2x + 89, 2y + 91), wherever the slot lies.
TEST_F(TwoScreens, SlotPicturesCoverExactlyTheirDevicePixelsAtTwo)
{
    shownAt(2);
    const int chosen[] = {0, 24, 29, 31, 32, 39, 47};
    for (int slot : chosen)
        form().setImage1Picture(slot, PictureId::ballFrame(slot % 10 + 1));
    const QImage shown = shownAt(2);
    ASSERT_FALSE(shown.isNull());
    for (int slot : chosen) {
        SCOPED_TRACE(::testing::Message() << "slot " << slot);
        showsExactly(shown, devicePoint(layout::kSlots[std::size_t(slot)], 2),
                     loadPaintedPicture(QString::number(slot % 10 + 1), 2));
    }
}

// The window follows a move to a screen of another ratio: the scene and a
// ball given on one screen show from the other screen's own set.
TEST_F(TwoScreens, MovingToAScreenOfAnotherRatioShowsThatScreensSet)
{
    shownAt(1);
    form().setImage1Picture(20, PictureId::ballFrame(7));
    const QPoint slot = layout::kSlots[20];
    for (int ratio : {2, 1, 2}) {
        SCOPED_TRACE(::testing::Message() << "ratio " << ratio);
        const QImage shown = shownAt(ratio);
        ASSERT_FALSE(shown.isNull());
        showsExactly(shown, devicePoint(slot, ratio), loadPaintedPicture(u"7", ratio));
        // The scene right of its hidden strip, down to the band's top.
        const QImage scene = loadPaintedPicture(u"RUOTA", ratio);
        showsExactly(shown, QPoint(0, 0), scene.copy(QRect(8 * ratio, 0, 600 * ratio, 20 * ratio)));
    }
}

// The same window at 2 is the same picture, only sharper: halved, it gives
// back what the window shows at 1.
TEST_F(TwoScreens, HalvingThePictureAtTwoGivesThePictureAtOne)
{
    showBallsAndResults();
    const QImage atOne = shownAt(1);
    const QImage atTwo = shownAt(2);
    ASSERT_FALSE(atOne.isNull() || atTwo.isNull());
    double total = 0;
    for (int y = 0; y < atOne.height(); ++y) {
        for (int x = 0; x < atOne.width(); ++x) {
            int channels[3] = {};
            for (QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb c = atTwo.pixel(2 * x + d.x(), 2 * y + d.y());
                channels[0] += qRed(c);
                channels[1] += qGreen(c);
                channels[2] += qBlue(c);
            }
            const QRgb c = atOne.pixel(x, y);
            total +=
                (std::abs(channels[0] / 4.0 - qRed(c)) + std::abs(channels[1] / 4.0 - qGreen(c)) +
                 std::abs(channels[2] / 4.0 - qBlue(c))) /
                3.0;
        }
    }
    const double mean = total / (atOne.width() * atOne.height());
    EXPECT_LE(mean, 1.5) << "mean difference per channel";
}

// A picture enlarged from 1 shows every aligned 2 x 2 block of device pixels
// in one colour; the art painted at 2 has detail inside the blocks.
struct Area
{
    const char *what;
    QRect scene; // in scene pixels
};

class NotBlocky : public TwoScreens, public ::testing::WithParamInterface<Area>
{
};

TEST_P(NotBlocky, AtMostEightyFivePercentOfTheBlocksAreOneColour)
{
    showBallsAndResults();
    const QImage shown = shownAt(2);
    ASSERT_FALSE(shown.isNull());
    const QRect area(devicePoint(GetParam().scene.topLeft(), 2), GetParam().scene.size() * 2);
    int blocks = 0;
    int flat = 0;
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2) {
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const QRgb c = shown.pixel(x, y);
            flat += shown.pixel(x + 1, y) == c && shown.pixel(x, y + 1) == c &&
                    shown.pixel(x + 1, y + 1) == c;
            ++blocks;
        }
    }
    EXPECT_LE(flat * 100, blocks * 85) << flat << " of " << blocks << " blocks are one colour";
}

INSTANTIATE_TEST_SUITE_P(
    TwoScreens, NotBlocky,
    ::testing::Values(Area{"title", QRect(QPoint(10, 17), QPoint(228, 112))},
                      Area{"panel", QRect(QPoint(303, 67), QPoint(570, 195))},
                      Area{"ball", QRect(layout::kEstratto[3], QSize(45, 46))}),
    [](const ::testing::TestParamInfo<Area> &area) { return std::string(area.param.what); });

// The band round the button keeps a black outline one device pixel wide,
// with the red fill right inside it, on every side.
TEST_F(TwoScreens, BandKeepsASharpOutlineOneDevicePixelWide)
{
    const QImage shown = shownAt(2);
    ASSERT_FALSE(shown.isNull());
    const QRect band(devicePoint(layout::kShape1.topLeft(), 2), layout::kShape1.size() * 2);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb red = layout::kShape1Fill;
    for (int x = band.left() + 1; x < band.right(); ++x) {
        ASSERT_EQ(shown.pixel(x, band.top()), black) << x;
        ASSERT_EQ(shown.pixel(x, band.bottom()), black) << x;
        if (x > band.left() + 1 && x < band.right() - 1) {
            ASSERT_EQ(shown.pixel(x, band.top() + 1), red) << x;
            ASSERT_EQ(shown.pixel(x, band.bottom() - 1), red) << x;
        }
    }
    for (int y = band.top() + 1; y < band.bottom(); ++y) {
        ASSERT_EQ(shown.pixel(band.left(), y), black) << y;
        ASSERT_EQ(shown.pixel(band.right(), y), black) << y;
        ASSERT_EQ(shown.pixel(band.left() + 1, y), red) << y;
        ASSERT_EQ(shown.pixel(band.right() - 1, y), red) << y;
    }
}

} // namespace
} // namespace dalmiro::testing
