#include "widgets/PushButton.h"

#include "widgets/Look.h"

#include <QKeyEvent>
#include <QPainter>

PushButton::PushButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Button, Look::buttonFace);
    palette.setColor(QPalette::ButtonText, Qt::black);
    setPalette(palette);
}

QRect PushButton::focusRect() const
{
    return rect().adjusted(3, 3, -4, -4);
}

QRect PushButton::captionRect() const
{
    // Inside the focus rectangle's dots, a pixel clear of them at the sides.
    return focusRect().adjusted(2, 1, -1, 0);
}

bool PushButton::captionFits(const QFont& font) const
{
    const QRect area = captionRect();
    const QRect needed =
        QFontMetrics(font).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text());
    return area.contains(needed);
}

QFont PushButton::captionFont() const
{
    // Condensing keeps the caption's height and its lines; the stand-in fonts
    // run a little wider than the ones the buttons were sized for.
    QFont fitted = font();
    for (int stretch = QFont::Unstretched; stretch >= QFont::ExtraCondensed; stretch -= 5) {
        fitted.setStretch(stretch);
        if (captionFits(fitted)) {
            break;
        }
    }
    return fitted;
}

void PushButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Look::buttonFace);
    drawBevel(painter);

    const int shift = isDown() ? 1 : 0;
    painter.setPen(isEnabled() ? QColor(Qt::black) : Look::grey);
    painter.setFont(captionFont());
    painter.drawText(captionRect().translated(shift, shift), Qt::AlignCenter | Qt::TextWordWrap,
                     text());

    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(focusRect());
    }
}

void PushButton::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
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
