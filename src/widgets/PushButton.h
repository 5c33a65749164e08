#pragma once

#include <QPushButton>

// The push button of both windows: a flat face in #E0DFE3 with a raised
// bevel, a black caption wrapped and centred, a focus rectangle while it has
// the focus. Never a default button: Enter in a text box presses nothing.
class PushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PushButton(QWidget* parent = nullptr);

    // The area the caption is wrapped and centred in.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBevel(QPainter& painter) const;
};
