#include "windowfixture.h"

#include "resources/catalogue.h"

#include <QScreen>

namespace dalmiro::testing {
namespace {

TEST_F(WindowTest, HasAFixedInnerAreaACaptionAndOnlyACloseBox)
{
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Dalmiro"));
    EXPECT_EQ(form().size(), QSize(797, 601));
    EXPECT_EQ(form().minimumSize(), QSize(797, 601));
    EXPECT_EQ(form().maximumSize(), QSize(797, 601));

    const Qt::WindowFlags flags = form().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

using WindowPlacement = NewWindowTest;

TEST_F(WindowPlacement, OpensCentredOnTheScreenWithTheProgramsIcon)
{
    form().Form_Load();
    form().move(150, 120); // wherever it was put, the first showing centres it
    form().show();
    const QPoint offCentre =
        form().geometry().center() - form().screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << "," << offCentre.y();
    EXPECT_TRUE(form().windowIcon().availableSizes().contains(QSize(48, 48)));
}

TEST_F(WindowTest, ShowsTheSceneEightPixelsToTheLeftAndNothingElseButTheButton)
{
    const QImage scene = loadPicture(u"RUOTA").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(scene.size(), QSize(800, 600));
    const QImage shown = grabWindow();
    ASSERT_EQ(shown.size(), QSize(797, 601));

    // The red band and the button are the only controls shown at start; every
    // other window pixel that lies over the scene must be the scene's own.
    const QRect band = layout::kShape1.translated(layout::kPicture2.topLeft());
    int compared = 0;
    int differing = 0;
    QPoint firstDifference;
    for (int y = 0; y < scene.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint scenePixel(x - layout::kPicture2.x(), y);
            if (scenePixel.x() >= scene.width() || band.contains(x, y))
                continue;
            ++compared;
            if (shown.pixel(x, y) != scene.pixel(scenePixel)) {
                if (differing++ == 0)
                    firstDifference = QPoint(x, y);
            }
        }
    }
    EXPECT_EQ(compared, 792 * 600 - band.width() * band.height());
    EXPECT_EQ(differing, 0) << "first at window pixel " << firstDifference.x() << ","
                            << firstDifference.y();
}

TEST_F(WindowTest, EverySlotReportsItselfVisibleAtStart)
{
    for (int i = 0; i < layout::kSlotCount; ++i)
        EXPECT_TRUE(form().isImage1Visible(i)) << "slot " << i;
}

TEST_F(WindowTest, ReadingVisibilityGivesTheFlagLastSet)
{
    for (int i : {0, 31, 47}) {
        form().setImage1Visible(i, false);
        EXPECT_FALSE(form().isImage1Visible(i)) << "slot " << i;
        form().setImage1Visible(i, true);
        EXPECT_TRUE(form().isImage1Visible(i)) << "slot " << i;
    }
}

// The button lies 8 pixels inside the red band on every side: the band's
// one-pixel black outline, then 7 red pixels, then the button.
struct BandSide
{
    const char *name;
    QPoint outline; // the band's outline pixel, in the scene's coordinates
    QPoint inward;  // one step from the outline towards the button
};

class ButtonBandTest : public WindowTest, public ::testing::WithParamInterface<BandSide>
{
};

TEST_P(ButtonBandTest, HasSevenRedPixelsBetweenOutlineAndButton)
{
    const BandSide side = GetParam();
    const QImage shown = grabWindow();
    const QPoint outline = windowPoint(side.outline);
    EXPECT_EQ(QColor(shown.pixel(outline)), QColor(Qt::black)) << side.name;
    for (int step = 1; step <= 7; ++step) {
        const QPoint p = outline + side.inward * step;
        EXPECT_EQ(shown.pixel(p), layout::kShape1Fill) << side.name << " step " << step;
    }
    const QPoint buttonEdge = outline + side.inward * 8;
    EXPECT_TRUE(layout::kCommand1.contains(buttonEdge - layout::kPicture2.topLeft()));
    EXPECT_NE(shown.pixel(buttonEdge), layout::kShape1Fill) << side.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sides, ButtonBandTest,
    ::testing::Values(BandSide{"left", {480, 552}, {1, 0}}, BandSide{"right", {600, 552}, {-1, 0}},
                      BandSide{"top", {540, 528}, {0, 1}}, BandSide{"bottom", {540, 576}, {0, -1}}),
    [](const ::testing::TestParamInfo<BandSide> &side) { return std::string(side.param.name); });

using WindowStartUp = NewWindowTest;

TEST_F(WindowStartUp, FormLoadPutsOnlyTheSceneInPlace)
{
    // The random source is empty: any use of it would throw.
    const QImage before = grabWindow();
    form().Form_Load();
    const QImage after = grabWindow();
    const QImage scene = loadPicture(u"RUOTA").convertToFormat(QImage::Format_RGB32);

    const QPoint probe(100, 50); // in the title block, away from every control
    EXPECT_NE(before.pixel(probe), scene.pixel(probe - layout::kPicture2.topLeft()));
    EXPECT_EQ(after.pixel(probe), scene.pixel(probe - layout::kPicture2.topLeft()));
    EXPECT_EQ(m_random.consumed(), 0u);
    EXPECT_EQ(m_random.reseeds(), 0);
    for (int i = 0; i < layout::kSlotCount; ++i)
        EXPECT_TRUE(form().isImage1Visible(i)) << "slot " << i;
}

} // namespace
} // namespace dalmiro::testing
