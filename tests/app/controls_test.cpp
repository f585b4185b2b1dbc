#include "windowfixture.h"

#include "resources/catalogue.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace dalmiro::testing {
namespace {

constexpr QRgb kRed = qRgb(250, 10, 10);
constexpr QRgb kGreen = qRgb(10, 250, 10);
constexpr QRgb kBlue = qRgb(10, 10, 250);
constexpr QSize kBall{45, 46};

// The pixels of `area` (window coordinates) that differ between two views of
// the window: what showing a label added.
std::vector<QPoint> changedPixels(const QImage &before, const QImage &after, QRect area)
{
    std::vector<QPoint> changed;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed.emplace_back(x, y);
    return changed;
}

QRect boundsOf(const std::vector<QPoint> &points)
{
    QRect bounds;
    for (const QPoint &p : points)
        bounds |= QRect(p, QSize(1, 1));
    return bounds;
}

// The result ball's plate and the thin rim round it are white to grey; its
// body is a saturated teal.
bool onPlate(QRgb ballPixel)
{
    return std::abs(qGreen(ballPixel) - qRed(ballPixel)) < 40;
}

QRect windowRect(QPoint sceneTopLeft, QSize size)
{
    return QRect(windowPoint(sceneTopLeft), size);
}

TEST_F(WindowTest, ALaterChuteSlotIsDrawnOverTheLowestRowsOfAnEarlierOne)
{
    image1(46).setPicture(solidPicture(kBall, kRed));
    image1(47).setPicture(solidPicture(kBall, kBlue));
    const QImage shown = grabWindow();
    const QPoint slot46 = windowPoint(layout::kSlots[46]);
    const QPoint slot47 = windowPoint(layout::kSlots[47]);
    ASSERT_EQ(slot47.y() - slot46.y(), 40); // 46 rows high: 6 rows overlap
    for (int row = 0; row < kBall.height(); ++row) {
        const QPoint p(slot46.x() + 20, slot46.y() + row);
        EXPECT_EQ(shown.pixel(p), row < 40 ? kRed : kBlue) << "row " << row;
    }
}

// Neighbouring result balls overlap by a row or two once they hold their
// pictures; the stacking decides which is seen there.
struct ResultOverlap
{
    int below; // drawn first
    int above; // drawn over it
    int rows;  // rows they share
};

class ResultOverlapTest : public WindowTest, public ::testing::WithParamInterface<ResultOverlap>
{
};

TEST_P(ResultOverlapTest, TheBallHigherInTheStackCoversTheSharedRows)
{
    const ResultOverlap o = GetParam();
    estratto(o.below).setPicture(solidPicture(kBall, kRed));
    estratto(o.above).setPicture(solidPicture(kBall, kBlue));
    const QImage shown = grabWindow();
    const QPoint a = windowPoint(layout::kEstratto[o.below]);
    const QPoint b = windowPoint(layout::kEstratto[o.above]);
    const int top = std::max(a.y(), b.y());
    const int bottom = std::min(a.y(), b.y()) + kBall.height() - 1;
    ASSERT_EQ(bottom - top + 1, o.rows);
    for (int y = top; y <= bottom; ++y)
        EXPECT_EQ(shown.pixel(a.x() + 20, y), kBlue) << "row " << y;
    EXPECT_EQ(shown.pixel(a.x() + 20, a.y() < b.y() ? top - 1 : bottom + 1), kRed);
}

INSTANTIATE_TEST_SUITE_P(Neighbours, ResultOverlapTest,
                         ::testing::Values(ResultOverlap{0, 1, 1}, ResultOverlap{2, 1, 1},
                                           ResultOverlap{2, 3, 2}, ResultOverlap{4, 5, 2}));

TEST_F(WindowTest, TheCircleLiesOverTheJollyBallAndUnderItsNumber)
{
    jolly().setPicture(solidPicture(kBall, kRed));
    form().setNumeriCaption(6, QStringLiteral("88"));
    form().setCerchioVisible(true);
    const QImage withoutNumber = grabWindow();
    form().setNumeriVisible(6, true);
    const QImage withNumber = grabWindow();

    const QRect circle = windowRect(layout::kCerchio.topLeft(), layout::kCerchio.size());
    // Beside the circle, inside the ball: the ball.
    EXPECT_EQ(withNumber.pixel(circle.left() - 3, circle.center().y()), kRed);
    // The circle's inside, where the digits are not: light green.
    EXPECT_EQ(withoutNumber.pixel(circle.center()), layout::kCerchioFill);
    EXPECT_EQ(withNumber.pixel(circle.center().x(), circle.bottom() - 3), layout::kCerchioFill);
    // Its outline: black, with the ball round it.
    EXPECT_EQ(QColor(withoutNumber.pixel(circle.center().x(), circle.top())), QColor(Qt::black));

    // The digits are drawn over the circle, inside its outline.
    const QRect label = windowRect(layout::kNumeri[6], layout::kLabelBox);
    const QRect ink = boundsOf(changedPixels(withoutNumber, withNumber, label));
    ASSERT_TRUE(ink.isValid()) << "the number is hidden under the circle";
    EXPECT_GE(ink.width(), 10);
    EXPECT_TRUE(circle.adjusted(3, 3, -3, -3).contains(ink));
}

// Each number, once shown, is drawn straight on the plate of its ball.
class NumberOnPlateTest : public WindowTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(NumberOnPlateTest, EveryDigitPixelFallsOnThePlate)
{
    const int k = GetParam();
    const QImage ball = loadPicture(u"PALLA").convertToFormat(QImage::Format_RGB32);
    QPoint ballAt;
    if (k < layout::kEstrattoCount) {
        form().setEstrattoPicture(k, PictureId::resultBall());
        ballAt = layout::kEstratto[k];
    } else {
        form().setJollyPicture(PictureId::resultBall());
        ballAt = layout::kJolly;
    }
    form().setNumeriCaption(k, QStringLiteral("88"));
    const QImage before = grabWindow();
    form().setNumeriVisible(k, true);
    const QImage shown = grabWindow();

    const QRect label = windowRect(layout::kNumeri[k], layout::kLabelBox);
    const std::vector<QPoint> ink = changedPixels(before, shown, label);
    ASSERT_GE(ink.size(), 20u) << "no digits seen for number " << k;
    const QPoint ballOrigin = windowPoint(ballAt);
    for (const QPoint &p : ink) {
        const QPoint onBall = p - ballOrigin;
        EXPECT_TRUE(onPlate(ball.pixel(onBall)))
            << "number " << k << " drawn off the plate at " << onBall.x() << "," << onBall.y();
    }
}

INSTANTIATE_TEST_SUITE_P(AllResults, NumberOnPlateTest, ::testing::Range(0, 7));

// A caption is centred across its box from the box's top edge, and cut off at
// the box's edges.
struct CaptionCase
{
    const char *caption;
    bool fits;
};

class CaptionTest : public WindowTest, public ::testing::WithParamInterface<CaptionCase>
{
};

TEST_P(CaptionTest, IsCentredFromTheTopAndClippedToItsBox)
{
    const CaptionCase c = GetParam();
    const int k = 2;
    // A white ball picture bigger than the label's box, so that every pixel
    // round the label is white.
    estratto(k).setPicture(solidPicture({60, 60}, qRgb(255, 255, 255)));
    form().setNumeriCaption(k, QString::fromLatin1(c.caption));
    const QImage before = grabWindow();
    form().setNumeriVisible(k, true);
    const QImage shown = grabWindow();

    const QRect box = windowRect(layout::kNumeri[k], layout::kLabelBox);
    const QRect ink = boundsOf(changedPixels(before, shown, box.adjusted(-6, -6, 6, 6)));
    ASSERT_TRUE(ink.isValid());
    EXPECT_TRUE(box.contains(ink)) << "ink spills out of the box";
    EXPECT_LE(ink.top() - box.top(), 4) << "text does not start at the box's top";
    if (c.fits) {
        const int leftMargin = ink.left() - box.left();
        const int rightMargin = box.right() - ink.right();
        EXPECT_GE(leftMargin, 1);
        EXPECT_GE(rightMargin, 1);
        EXPECT_LE(std::abs(leftMargin - rightMargin), 1) << leftMargin << " vs " << rightMargin;
    } else {
        EXPECT_EQ(ink.left(), box.left());
        EXPECT_EQ(ink.right(), box.right());
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionTest,
                         ::testing::Values(CaptionCase{"88", true}, CaptionCase{"90", true},
                                           CaptionCase{"11", true}, CaptionCase{"7", true},
                                           CaptionCase{"88888", false}));

TEST_F(WindowTest, AHiddenSlotKeepsItsPictureUntilItIsShown)
{
    const int slot = 20;
    const QRect area = windowRect(layout::kSlots[slot], kBall);
    const QImage before = grabWindow();
    form().setImage1Visible(slot, false);
    image1(slot).setPicture(solidPicture(kBall, kBlue));
    EXPECT_FALSE(form().isImage1Visible(slot));
    const QImage hidden = grabWindow();
    EXPECT_EQ(hidden.copy(area), before.copy(area));

    form().setImage1Visible(slot, true);
    const QImage shown = grabWindow();
    EXPECT_EQ(shown.copy(area), solidPicture(kBall, kBlue));
}

// A slot draws nothing until it has a picture, then takes the picture's size,
// whether it is smaller or larger than the slot's first box.
class SlotSizeTest : public WindowTest, public ::testing::WithParamInterface<QSize>
{
};

TEST_P(SlotSizeTest, TakesThePicturesSize)
{
    const QSize size = GetParam();
    const int slot = 12;
    const QImage before = grabWindow();
    image1(slot).setPicture(solidPicture(size, kBlue));
    const QImage shown = grabWindow();
    const QPoint origin = windowPoint(layout::kSlots[slot]);
    const QRect reach(origin, QSize(70, 70));
    for (int y = reach.top(); y <= reach.bottom(); ++y) {
        for (int x = reach.left(); x <= reach.right(); ++x) {
            const bool inPicture = QRect(origin, size).contains(x, y);
            ASSERT_EQ(shown.pixel(x, y), inPicture ? kBlue : before.pixel(x, y))
                << "at " << x - origin.x() << "," << y - origin.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SlotSizeTest,
                         ::testing::Values(QSize(45, 46), QSize(57, 57), QSize(66, 60)));

// Records the areas, in window coordinates, that are painted.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintRecorder() override { qApp->removeEventFilter(this); }

    bool painted(QRect area) const
    {
        return std::any_of(m_painted.begin(), m_painted.end(),
                           [&](const QRect &r) { return r.contains(area); });
    }
    int timesPainted(QRect area) const
    {
        return static_cast<int>(std::count_if(m_painted.begin(), m_painted.end(),
                                              [&](const QRect &r) { return r.contains(area); }));
    }
    void clear() { m_painted.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == m_window) {
            const QRect r = static_cast<QPaintEvent *>(event)->rect();
            m_painted.emplace_back(widget->mapTo(m_window, r.topLeft()), r.size());
        }
        return false;
    }

private:
    QWidget *m_window;
    std::vector<QRect> m_painted;
};

// Lets the event loop run until `done` holds, for at most a few seconds.
template <typename Done> bool runEventsUntil(Done done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

TEST_F(WindowTest, RefreshReturnsUnpaintedAndTheNextFrameShowsOnlyTheLastPicture)
{
    const int slot = 31;
    const QRect area = windowRect(layout::kSlots[slot], kBall);
    // The slot already holds a ball; let the frames of the window's first
    // showing go out.
    image1(slot).setPicture(solidPicture(kBall, qRgb(255, 255, 255)));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    PaintRecorder recorder(&form());
    for (const QRgb colour : {kRed, kGreen, kBlue}) {
        image1(slot).setPicture(solidPicture(kBall, colour));
        form().refreshImage1(slot);
        EXPECT_FALSE(recorder.painted(area)) << "refresh painted before returning";
    }
    ASSERT_TRUE(runEventsUntil([&] { return recorder.painted(area); }));
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(recorder.timesPainted(area), 1);

    // What the window handed to the screen, not a fresh rendering of it.
    const QImage presented = form().screen()->grabWindow(form().winId()).toImage();
    EXPECT_EQ(presented.pixel(area.center()), kBlue);
}

TEST_F(WindowTest, ShownResultsDisappearWhenHidden)
{
    const QImage before = grabWindow();
    for (int k = 0; k < layout::kEstrattoCount; ++k) {
        form().setEstrattoPicture(k, PictureId::resultBall());
        form().setNumeriVisible(k, true);
    }
    form().setJollyPicture(PictureId::resultBall());
    form().setNumeriVisible(6, true);
    form().setCerchioVisible(true);
    EXPECT_NE(grabWindow(), before);

    for (int k = 0; k < layout::kEstrattoCount; ++k) {
        form().setEstrattoVisible(k, false);
        form().setNumeriVisible(k, false);
    }
    form().setJollyVisible(false);
    form().setNumeriVisible(6, false);
    form().setCerchioVisible(false);
    EXPECT_EQ(grabWindow(), before);
}

} // namespace
} // namespace dalmiro::testing
