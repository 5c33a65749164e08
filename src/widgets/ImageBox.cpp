#include "widgets/ImageBox.h"

#include "widgets/PictureBox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

ImageBox::ImageBox(QWidget* parent) : QLabel(parent)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageBox::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    emit Click();
}

void ImageBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(PictureBox::dragMimeType)) {
        event->acceptProposedAction();
    }
}

void ImageBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(PictureBox::dragMimeType)) {
        event->acceptProposedAction();
    }
}

void ImageBox::dropEvent(QDropEvent* event)
{
    QWidget* source = droppedControl(*event);
    if (source == nullptr) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QPointF position = event->position();
    emit DragDrop(source, position.x(), position.y());
}

// The drag's source widget; when the event does not carry it, the control of
// this window named in the drag data.
QWidget* ImageBox::droppedControl(const QDropEvent& event) const
{
    if (!event.mimeData()->hasFormat(PictureBox::dragMimeType)) {
        return nullptr;
    }
    if (auto* source = qobject_cast<QWidget*>(event.source())) {
        return source;
    }
    const QString name = QString::fromUtf8(event.mimeData()->data(PictureBox::dragMimeType));
    return name.isEmpty() ? nullptr : window()->findChild<QWidget*>(name);
}
