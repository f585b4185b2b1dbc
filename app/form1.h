#pragma once

#include "app/displayframes.h"
#include "app/layout.h"
#include "draw/drawlistener.h"
#include "draw/drawsequence.h"
#include "draw/formcontrols.h"

#include <QWidget>

#include <array>

class QAction;
class QMenu;
class QPushButton;

namespace dalmiro {

class Clock;
class EventPump;
class ImageControl;
class LabelControl;
class Command1Button;
class PictureFrame;
class RandomSource;
class ResultGroup;
class ShapeControl;

// The program's one window: the drum scene with the ball slots, the result
// column, the button on its red band and the drum's timer. It owns the draw
// that the button starts and exposes its controls to it.
//
// The button is the one place for the keyboard: it has focus when the window
// opens and again when a draw ends. During a draw the focus moves to the
// result group, then to each number as its ball lands, which is what makes a
// screen reader say them; the draw's told moments drive all of it. Ctrl+C, or
// "Copia i numeri" on the result column's menu, copies the last finished
// proposal as one line of text.
//
// The image controls carry the draw's names for them as object names
// ("image1(31)", "estratto(0)", "jolly"), for tools and tests that give one a
// picture of their own.
class Form1 : public QWidget, public FormControls, private DrawListener
{
    Q_OBJECT

public:
    Form1(EventPump &pump, Clock &clock, RandomSource &random, QWidget *parent = nullptr);
    ~Form1() override;

    // Runs once, after construction and before the window is first shown:
    // puts the scene into Picture2, and does nothing else.
    void Form_Load();

    const DrawSequence &drawSequence() const { return m_sequence; }
    QPushButton *command1() const;
    ResultGroup *resultGroup() const { return m_results; }
    // The draw whose due ticks every frame of the window runs, or none. The
    // window's own draw while Timer1 is enabled; a measuring tool may drive
    // a draw of its own on the window.
    void driveTicks(DrawSequence *draw);

    // FormControls
    void setImage1Visible(int index, bool visible) override;
    bool isImage1Visible(int index) const override;
    void setImage1Picture(int index, PictureId picture) override;
    void refreshImage1(int index) override;
    void setEstrattoVisible(int k, bool visible) override;
    void setEstrattoPicture(int k, PictureId picture) override;
    void setJollyVisible(bool visible) override;
    void setJollyPicture(PictureId picture) override;
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
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createControls();
    void createCopy();
    void centreOnScreen();
    void copyProposal();

    // DrawListener
    void drawBegan(double at) override;
    void resultShown(int k, int number, double at) override;
    void drawEnded(const DrawnNumbers &proposal, double at) override;

    PictureFrame *m_picture1 = nullptr;
    PictureFrame *m_picture2 = nullptr;
    std::array<ImageControl *, layout::kSlotCount> m_image1{};
    std::array<ImageControl *, layout::kEstrattoCount> m_estratto{};
    ImageControl *m_jolly = nullptr;
    std::array<LabelControl *, layout::kNumeriCount> m_numeri{};
    ShapeControl *m_cerchio = nullptr;
    ShapeControl *m_shape1 = nullptr;
    Command1Button *m_command1 = nullptr;
    ResultGroup *m_results = nullptr;
    QAction *m_copy = nullptr;
    QMenu *m_menu = nullptr;
    // The numbers of the last draw that ended; all 0 before the first.
    DrawnNumbers m_proposal{};
    DisplayFrames m_frames;
    bool m_placed = false;

    DrawSequence m_sequence;
};

} // namespace dalmiro
