#include "widgets/Line.h"

#include <QPainter>

Line::Line(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setLine(const QPoint& from, const QPoint& to)
{
    m_from = from;
    m_to = to;
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
    QPainter painter(this);
    painter.setPen(QPen(m_colour, 0));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(m_from - origin, m_to - origin);
}
