#include "widgets/PushButton.h"

#include "widgets/Look.h"

#include <QPainter>

PushButton::PushButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Button, Look::buttonFace);
    palette.setColor(QPalette::ButtonText, Qt::black);
    setPalette(palette);
}

QRect PushButton::captionRect() const
{
    return rect().adjusted(3, 2, -3, -2);
}

void PushButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Look::buttonFace);
    drawBevel(painter);

    const int shift = isDown() ? 1 : 0;
    painter.setPen(isEnabled() ? QColor(Qt::black) : Look::grey);
    painter.setFont(font());
    painter.drawText(captionRect().translated(shift, shift), Qt::AlignCenter | Qt::TextWordWrap,
                     text());

    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void PushButton::drawBevel(QPainter& painter) const
{
    const int right = width() - 1;
    const int bottom = height() - 1;
    if (isDown()) {
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, right, bottom);
        painter.setPen(Look::grey);
        painter.drawLine(1, 1, right - 1, 1);
        painter.drawLine(1, 1, 1, bottom - 1);
        return;
    }
    painter.setPen(Look::white);
    painter.drawLine(0, 0, right - 1, 0);
    painter.drawLine(0, 0, 0, bottom - 1);
    painter.setPen(Qt::black);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
    painter.setPen(Look::grey);
    painter.drawLine(1, bottom - 1, right - 1, bottom - 1);
    painter.drawLine(right - 1, 1, right - 1, bottom - 1);
}
