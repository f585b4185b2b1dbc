#pragma once

#include "app/framepacing.h"
#include "app/layout.h"
#include "draw/drawsequence.h"
#include "draw/formcontrols.h"

#include <QWidget>

#include <array>

class QPushButton;

namespace dalmiro {

class Clock;
class EventPump;
class ImageControl;
class LabelControl;
class PictureFrame;
class RandomSource;
class ShapeControl;

// The program's one window: the drum scene with the ball slots, the result
// column, the button on its red band and the drum's timer. It owns the draw
// that the button starts and exposes its controls to it.
class Form1 : public QWidget, public FormControls
{
    Q_OBJECT

public:
    Form1(EventPump &pump, Clock &clock, RandomSource &random, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs once, after construction and before the window is first shown:
    // puts the scene into Picture2, and does nothing else.
    void Form_Load();

    const DrawSequence &drawSequence() const { return m_sequence; }
    // The draw whose due ticks every frame of the window runs, or none. The
    // window's own draw while Timer1 is enabled; a measuring tool may drive
    // a draw of its own on the window.
    void driveTicks(DrawSequence *draw);

    // FormControls
    void setImage1Visible(int index, bool visible) override;
    bool isImage1Visible(int index) const override;
    void setImage1Picture(int index, const QImage &picture) override;
    void refreshImage1(int index) override;
    void setEstrattoVisible(int k, bool visible) override;
    void setEstrattoPicture(int k, const QImage &picture) override;
    void setJollyVisible(bool visible) override;
    void setJollyPicture(const QImage &picture) override;
    void setNumeriVisible(int k, bool visible) override;
    void setNumeriCaption(int k, const QString &caption) override;
    void setCerchioVisible(bool visible) override;
    void setCommand1Enabled(bool enabled) override;
    void setTimer1Enabled(bool enabled) override;

public slots:
    void Command1_Click();
    // One drum tick of the window's draw.
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void centreOnScreen();

    PictureFrame *m_picture1 = nullptr;
    PictureFrame *m_picture2 = nullptr;
    std::array<ImageControl *, layout::kSlotCount> m_image1{};
    std::array<ImageControl *, layout::kEstrattoCount> m_estratto{};
    ImageControl *m_jolly = nullptr;
    std::array<LabelControl *, layout::kNumeriCount> m_numeri{};
    ShapeControl *m_cerchio = nullptr;
    ShapeControl *m_shape1 = nullptr;
    QPushButton *m_command1 = nullptr;
    FramePacing m_pacing;
    bool m_placed = false;

    DrawSequence m_sequence;
};

} // namespace dalmiro
