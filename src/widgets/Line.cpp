#include "widgets/Line.h"

#include <QPainter>

Line::Line(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setLine(const QPoint& from, const QPoint& to)
{
    setGeometry(QRect(from, to).normalized());
    update();
}

void Line::setColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void Line::paintEvent(QPaintEvent* /*event*/)
{
    // Filling the widget, not stroking a hairline: at a scale such as 1.25 a
    // hairline between device pixels can vanish, a filled logical pixel cannot.
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
}
