#pragma once

#include <QPushButton>

namespace dalmiro {

// The push button "Gioca Ora". Space, Return and keypad Enter click it while
// it has focus, and it marks its focus with a black ring along its edge,
// thick enough to see against the button's face and the red band round it.
// Without focus it looks exactly like a plain push button.
class Command1Button : public QPushButton
{
    Q_OBJECT

public:
    explicit Command1Button(const QString &caption, QWidget *parent = nullptr);

    // The ring's width in the button's own pixels: at least two device pixels
    // at every pixel ratio.
    static constexpr int kFocusRingWidth = 3;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace dalmiro
