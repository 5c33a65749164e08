#include "widgets/Label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

Label::Label(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    markBoundChanged();
}

void Label::loadBoundValue(const QVariant& value)
{
    setText(value.isNull() ? QString() : value.toString());
    clearBoundChanged();
}

QVariant Label::boundValue() const
{
    return text().isEmpty() ? QVariant() : QVariant(text());
}

void Label::mousePressEvent(QMouseEvent* event)
{
    if (isEnabled()) {
        event->accept();
        emit Click();
        return;
    }
    QLabel::mousePressEvent(event);
}

void Label::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (isEnabled() && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void Label::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.drawRect(contentsRect().adjusted(0, 0, -1, -1));
    }
}
