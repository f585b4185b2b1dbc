// Whole draws in the real window, on the real clock and event loop.
#include "app/form1.h"
#include "app/imagecontrol.h"
#include "app/labelcontrol.h"
#include "app/layout.h"
#include "platform/clock.h"
#include "platform/qteventpump.h"
#include "platform/randomsource.h"
#include "support/qtapplication.h"

#include <QClipboard>
#include <QImage>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace dalmiro::testing {
namespace {

class RealWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qtApplication().setQuitOnLastWindowClosed(false);
        window.Form_Load();
        window.show();
        for (int i = 0; i < 10; ++i)
            pump.processPendingEvents();
    }

    LabelControl *label(int k) const
    {
        for (LabelControl *found : window.findChildren<LabelControl *>())
            if (found->pos() == layout::kNumeri[std::size_t(k)])
                return found;
        ADD_FAILURE() << "no label numeri(" << k << ")";
        return nullptr;
    }
    QPushButton *button() const { return window.findChild<QPushButton *>(); }
    // A pixel of the window at a point of the scene.
    QRgb seen(const QImage &shot, QPoint scenePoint) const
    {
        return shot.pixel(scenePoint + layout::kPicture2.topLeft());
    }

    // The application exists before the window is made.
    QApplication &application = qtApplication();
    SystemClock clock;
    QtEventPump pump{clock};
    SystemRandomSource random;
    Form1 window{pump, clock, random};
};

bool teal(QRgb c)
{
    return qBlue(c) >= qRed(c) + 60 && qGreen(c) >= qRed(c) + 40;
}

TEST_F(RealWindow, aDrawEndsWithItsSevenNumbersTheCircleAndTheButtonEnabled)
{
    window.Command1_Click();

    const DrawnNumbers &drawn = window.drawSequence().drawnNumbers();
    const QImage shot = window.grab().toImage();
    const std::array<int, 7> ballTops{517, 472, 427, 383, 337, 293, 223};
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE("result " + std::to_string(k));
        ASSERT_GE(drawn[std::size_t(k)], 1);
        const LabelControl *numeri = label(k);
        ASSERT_NE(numeri, nullptr);
        EXPECT_FALSE(numeri->isHidden());
        // The label's accessible name ends in the caption it shows.
        EXPECT_TRUE(numeri->accessibleName().endsWith(QStringLiteral(": ") +
                                                      QString::number(drawn[std::size_t(k)])))
            << numeri->accessibleName().toStdString();
        // The teal body of the result ball, left of its plate.
        EXPECT_TRUE(teal(seen(shot, {655, ballTops[std::size_t(k)] + 23})));
    }
    EXPECT_EQ(seen(shot, {671, 255}), layout::kCerchioFill) << "the jolly's circle";
    ASSERT_NE(button(), nullptr);
    EXPECT_TRUE(button()->isEnabled());
    for (int i = 0; i < 48; ++i)
        EXPECT_FALSE(window.isImage1Visible(i)) << "slot " << i;
    EXPECT_FALSE(window.drawSequence().isRunning());
}

class RealWindowClose : public RealWindow, public ::testing::WithParamInterface<int>
{
};

TEST_P(RealWindowClose, closingDuringADrawHidesTheWindowAndEndsTheDraw)
{
    QTimer::singleShot(GetParam(), &window, [this] { window.close(); });
    const double start = clock.monotonic();

    window.Command1_Click();

    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.drawSequence().isRunning());
    EXPECT_LT(clock.monotonic() - start, 5.0) << "the draw ran on after the close";
    ASSERT_NE(button(), nullptr);
    EXPECT_FALSE(button()->isEnabled()) << "the draw went on to its end";
}

// A key pressed and released in the window that has focus: through the
// window's shortcuts to the focused widget.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(static_cast<QWidget *>(nullptr), key, modifiers);
}

class KeyboardDraw : public RealWindow, public ::testing::WithParamInterface<Qt::Key>
{
};

TEST_P(KeyboardDraw, theFocusedButtonStartsADrawThatEndsWithTheFocusBackAndTheNumbersToCopy)
{
    window.activateWindow();
    press(Qt::Key_Tab); // the button is the only place the focus can go
    ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(button()));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before")) << "nothing to copy";

    press(GetParam());
    const DrawnNumbers &drawn = window.drawSequence().drawnNumbers();
    ASSERT_NE(drawn[0], 0) << "no draw";
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(button()));
    press(Qt::Key_C, Qt::ControlModifier);
    QStringList line;
    for (std::size_t k = 0; k < 6; ++k)
        line << QString::number(drawn[k]);
    line << QStringLiteral("Jolly") << QString::number(drawn[6]);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), line.join(QLatin1Char(' ')));
}

INSTANTIATE_TEST_SUITE_P(SpaceReturnEnter, KeyboardDraw,
                         ::testing::Values(Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter));

// In the wait for the first ball, in a chute run, and later in the draw.
INSTANTIATE_TEST_SUITE_P(Milliseconds, RealWindowClose, ::testing::Values(2, 150, 2500));

} // namespace
} // namespace dalmiro::testing
