#pragma once

#include "app/form1.h"
#include "app/imagecontrol.h"
#include "app/layout.h"
#include "platform/clock.h"
#include "platform/eventpump.h"
#include "support/qtapplication.h"
#include "support/scriptedrandom.h"

#include <QApplication>
#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace dalmiro::testing {

// Start-up touches neither the clock nor the event pump nor the random
// source; these stand-ins only satisfy the window's constructor.
class IdleClock final : public Clock
{
public:
    double timeOfDay() const override { return 0.0; }
    double monotonic() const override { return 0.0; }
};

class IdlePump final : public EventPump
{
public:
    void processPendingEvents() override { QCoreApplication::processEvents(); }
    void waitForEvents(double) override { QCoreApplication::processEvents(); }
};

// A picture of one colour, as opaque as every picture of the catalogue.
inline QImage solidPicture(QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// The scene's left edge lies 8 pixels outside the window's inner area.
inline QPoint windowPoint(QPoint scenePoint)
{
    return scenePoint + layout::kPicture2.topLeft();
}

// A window just made: not yet loaded, not yet shown.
class NewWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qtApplication();
        m_form = std::make_unique<Form1>(m_pump, m_clock, m_random);
    }
    void TearDown() override { m_form.reset(); }

    Form1 &form() { return *m_form; }
    // The image controls by the draw's names, for pictures of the test's own.
    ImageControl &image(const QString &name)
    {
        auto *found = m_form->findChild<ImageControl *>(name);
        if (!found)
            throw std::runtime_error("no image control " + name.toStdString());
        return *found;
    }
    ImageControl &image1(int i) { return image(QStringLiteral("image1(%1)").arg(i)); }
    ImageControl &estratto(int k) { return image(QStringLiteral("estratto(%1)").arg(k)); }
    ImageControl &jolly() { return image(QStringLiteral("jolly")); }
    // What the window shows now, one window pixel to one image pixel.
    QImage grabWindow() { return m_form->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    IdlePump m_pump;
    IdleClock m_clock;
    ScriptedRandom m_random;
    std::unique_ptr<Form1> m_form;
};

// A started window, shown offscreen, as the user first sees it.
class WindowTest : public NewWindowTest
{
protected:
    void SetUp() override
    {
        NewWindowTest::SetUp();
        m_form->Form_Load();
        m_form->show();
    }
};

} // namespace dalmiro::testing
