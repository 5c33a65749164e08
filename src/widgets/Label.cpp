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
    setShownText(caption);
    markBoundChanged();
}

void Label::setSpokenPhrase(const QString& phrase)
{
    m_spokenPhrase = phrase;
    setShownText(text());
}

void Label::loadBoundValue(const QVariant& value)
{
    setShownText(value.isNull() ? QString() : value.toString());
    clearBoundChanged();
}

void Label::setShownText(const QString& text)
{
    setText(text);
    if (!m_spokenPhrase.isEmpty()) {
        setAccessibleName(m_spokenPhrase.arg(text));
    }
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
