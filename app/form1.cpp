#include "app/form1.h"

#include "app/accessibility.h"
#include "app/command1button.h"
#include "app/imagecontrol.h"
#include "app/labelcontrol.h"
#include "app/pictureframe.h"
#include "app/proposaltext.h"
#include "app/resultgroup.h"
#include "app/shapecontrol.h"
#include "resources/icon.h"
#include "resources/scenetext.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStringList>

namespace dalmiro {
namespace {

// How a screen reader names each result, from the first ball out to the jolly.
constexpr std::array<const char *, layout::kNumeriCount> kRankNames{
    "Primo numero",  "Secondo numero", "Terzo numero", "Quarto numero",
    "Quinto numero", "Sesto numero",   "Jolly",
};

// Said when a draw begins: while it runs, the result group has the focus.
constexpr char kDrawBegins[] = "Estrazione in corso";

// The scene's explanation, as one paragraph.
QString panelText()
{
    QStringList lines;
    for (const char *line : scenetext::kPanelLines)
        lines.append(QString::fromUtf8(line));
    lines.append(QString::fromUtf8(scenetext::kGoodLuck));
    return lines.join(QLatin1Char(' '));
}

// Has screen readers say `text` at once where the platform can (Qt 6.8 and
// later); returns false where it cannot.
bool announce(QObject *source, const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, text);
    QAccessible::updateAccessibility(&event);
    return true;
#else
    Q_UNUSED(source);
    Q_UNUSED(text);
    return false;
#endif
}

} // namespace

Form1::Form1(EventPump &pump, Clock &clock, RandomSource &random, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_frames(*this, clock), m_sequence(*this, pump, clock, random)
{
    m_sequence.setListener(this);
    installAccessibleInterfaces();
    setWindowTitle(QStringLiteral("Dalmiro"));
    setAccessibleDescription(panelText());
    // Qualified: inside a widget, windowIcon() names the widget's own getter.
    setWindowIcon(dalmiro::windowIcon());
    setFixedSize(layout::kWindowSize);
    createControls();
    createCopy();

    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

Form1::~Form1() = default;

void Form1::createControls()
{
    m_picture1 = new PictureFrame(this);
    m_picture1->setGeometry(layout::kPicture1);
    m_picture2 = new PictureFrame(m_picture1);
    m_picture2->setGeometry(layout::kPicture2);

    // Created bottom up: a later sibling is drawn over an earlier one.
    for (const layout::StackEntry &entry : layout::kStacking) {
        const int i = entry.index;
        switch (entry.control) {
        case layout::Control::Shape1:
            m_shape1 = new ShapeControl(ShapeControl::Shape::Rectangle,
                                        QColor::fromRgb(layout::kShape1Fill), m_picture2);
            m_shape1->setGeometry(layout::kShape1);
            break;
        case layout::Control::Estratto:
            m_estratto[i] = new ImageControl(m_picture2);
            m_estratto[i]->setObjectName(QStringLiteral("estratto(%1)").arg(i));
            m_estratto[i]->move(layout::kEstratto[i]);
            break;
        case layout::Control::Jolly:
            m_jolly = new ImageControl(m_picture2);
            m_jolly->setObjectName(QStringLiteral("jolly"));
            m_jolly->move(layout::kJolly);
            break;
        case layout::Control::Numeri:
            m_numeri[i] = new LabelControl(QString::fromLatin1(kRankNames[i]), m_picture2);
            m_numeri[i]->move(layout::kNumeri[i]);
            m_numeri[i]->setCaption(QString::fromLatin1(layout::kNumeriStartCaption));
            m_numeri[i]->setShown(false);
            break;
        case layout::Control::Cerchio:
            m_cerchio = new ShapeControl(ShapeControl::Shape::Circle,
                                         QColor::fromRgb(layout::kCerchioFill), m_picture2);
            m_cerchio->setGeometry(layout::kCerchio);
            m_cerchio->hide();
            break;
        case layout::Control::Image1:
            m_image1[i] = new ImageControl(m_picture2);
            m_image1[i]->setObjectName(QStringLiteral("image1(%1)").arg(i));
            m_image1[i]->move(layout::kSlots[i]);
            break;
        }
    }

    // The button is the window's own child, over the frames at the very
    // place it has in the scene: so screen readers find it directly in the
    // window, which leaves the decorative frames out.
    m_command1 = new Command1Button(QString::fromLatin1(layout::kCommand1Caption), this);
    m_command1->setGeometry(
        layout::kCommand1.translated(layout::kPicture1.topLeft() + layout::kPicture2.topLeft()));
    m_command1->raise();

    m_results = new ResultGroup(this);
    m_results->setGeometry(layout::kResultColumn.translated(layout::kPicture1.topLeft() +
                                                            layout::kPicture2.topLeft()));
    m_results->lower();
    m_results->setResults(m_numeri);

    // The button is the only place for the keyboard; the frames take no focus.
    m_command1->setFocus(Qt::OtherFocusReason);
}

void Form1::createCopy()
{
    m_copy = new QAction(QStringLiteral("Copia i numeri"), this);
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WindowShortcut);
    m_copy->setEnabled(false);
    connect(m_copy, &QAction::triggered, this, &Form1::copyProposal);
    addAction(m_copy);
    m_menu = new QMenu(this);
    m_menu->addAction(m_copy);
}

QPushButton *Form1::command1() const
{
    return m_command1;
}

void Form1::Form_Load()
{
    m_picture2->setPicture(PictureId::scene());
}

void Form1::setImage1Visible(int index, bool visible)
{
    m_image1[index]->setShown(visible);
}

bool Form1::isImage1Visible(int index) const
{
    // The flag last set, whether or not the window itself is shown yet.
    return m_image1[index]->isShown();
}

void Form1::setImage1Picture(int index, PictureId picture)
{
    m_image1[index]->setPicture(picture);
}

void Form1::refreshImage1(int index)
{
    // Marked, not painted: the slot's area goes out with the next frame, and
    // no call here waits for the display.
    m_image1[index]->update();
}

void Form1::setEstrattoVisible(int k, bool visible)
{
    m_estratto[k]->setVisible(visible);
}

void Form1::setEstrattoPicture(int k, PictureId picture)
{
    m_estratto[k]->setPicture(picture);
}

void Form1::setJollyVisible(bool visible)
{
    m_jolly->setVisible(visible);
}

void Form1::setJollyPicture(PictureId picture)
{
    m_jolly->setPicture(picture);
}

void Form1::setNumeriCaption(int k, const QString &caption)
{
    m_numeri[k]->setCaption(caption);
}

void Form1::setCerchioVisible(bool visible)
{
    m_cerchio->setVisible(visible);
}

void Form1::setNumeriVisible(int k, bool visible)
{
    m_numeri[k]->setShown(visible);
}

void Form1::setCommand1Enabled(bool enabled)
{
    m_command1->setEnabled(enabled);
}

void Form1::drawBegan(double)
{
    m_copy->setEnabled(false);
    // Focus leaves the button before it is disabled, for the group, which a
    // screen reader speaks with its description.
    const QString begins = QString::fromLatin1(kDrawBegins);
    if (!announce(m_results, begins))
        m_results->setAccessibleDescription(begins);
    m_command1->setAccessibleDescription(QString());
    m_results->setFocus(Qt::OtherFocusReason);
}

void Form1::resultShown(int k, int, double)
{
    // The ball has landed: its number takes the focus, and a screen reader
    // says its name ("Primo numero: 49").
    m_numeri[k]->setFocus(Qt::OtherFocusReason);
}

void Form1::drawEnded(const DrawnNumbers &proposal, double)
{
    m_proposal = proposal;
    m_copy->setEnabled(true);
    m_results->setAccessibleDescription(QString());
    // The summary is the button's description until the next draw: said
    // as the focus comes back, and whenever it comes back later.
    m_command1->setAccessibleDescription(proposalSummary(m_proposal));
    m_command1->setFocus(Qt::OtherFocusReason);
}

void Form1::copyProposal()
{
    if (m_copy->isEnabled())
        QGuiApplication::clipboard()->setText(proposalLine(m_proposal));
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    const QRect column = m_results->geometry();
    if (event->reason() == QContextMenuEvent::Keyboard)
        m_menu->popup(mapToGlobal(column.center()));
    else if (column.contains(event->pos()))
        m_menu->popup(event->globalPos());
    else
        event->ignore();
}

void Form1::setTimer1Enabled(bool enabled)
{
    driveTicks(enabled ? &m_sequence : nullptr);
}

void Form1::driveTicks(DrawSequence *draw)
{
    if (draw)
        m_frames.setAnimation([draw] { return draw->runDueTicks(); });
    else
        m_frames.setAnimation({});
}

void Form1::Command1_Click()
{
    m_sequence.Command1_Click();
}

void Form1::Timer1_Timer()
{
    m_sequence.Timer1_Timer();
}

void Form1::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreOnScreen();
    }
    QWidget::showEvent(event);
}

void Form1::centreOnScreen()
{
    // The frame, where the platform knows it by now, is centred; move()
    // places the frame's top-left corner.
    if (const QScreen *display = screen()) {
        QRect placed = frameGeometry();
        placed.moveCenter(display->availableGeometry().center());
        move(placed.topLeft());
    }
}

void Form1::closeEvent(QCloseEvent *event)
{
    m_sequence.requestStop();
    // The draw stops without disabling Timer1: the frames stop here.
    driveTicks(nullptr);
    event->accept();
}

} // namespace dalmiro
