#pragma once

#include <QPushButton>

// The push button of both windows: a flat face in #E0DFE3 with a raised
// bevel, a black caption wrapped and centred, a focus rectangle while it has
// the focus. Never a default button: Enter in a text box presses nothing;
// Return, Enter and Space press the button that has the focus.
class PushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PushButton(QWidget* parent = nullptr);

    // The area inside the focus rectangle that the caption must fit.
    QRect captionRect() const;
    // The button's font, narrowed as far as needed for the caption to fit
    // captionRect() when the font is wider than the one it was designed for.
    QFont captionFont() const;
    // Whether the caption, wrapped at word boundaries in `font`, fits captionRect().
    bool captionFits(const QFont& font) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawBevel(QPainter& painter) const;
    QRect focusRect() const;
};
