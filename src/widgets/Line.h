#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

// A one-pixel horizontal or vertical line between two points of its parent.
// It takes no mouse input, so the controls it runs along stay clickable.
class Line : public QWidget
{
    Q_OBJECT

public:
    explicit Line(QWidget* parent = nullptr);

    // Both ends in the parent's pixels; the widget covers just the line.
    void setLine(const QPoint& from, const QPoint& to);

    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = Qt::black;
};
