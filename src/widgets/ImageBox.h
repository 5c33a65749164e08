#pragma once

#include <QLabel>

// A fixed picture that can be clicked and that accepts LEXA's dragged
// controls (the waste bin).
class ImageBox : public QLabel
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget* parent = nullptr);

signals:
    void Click();
    // A control of the window was dropped here, at (x, y) in this box.
    void DragDrop(QWidget* source, double x, double y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* droppedControl(const QDropEvent& event) const;
};
