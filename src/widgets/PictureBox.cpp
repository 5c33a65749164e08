#include "widgets/PictureBox.h"

#include <QApplication>
#include <QBuffer>
#include <QDrag>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

const QString PictureBox::dragMimeType = QStringLiteral("application/x-lexa-control");

namespace {

qint64 area(const QSize& size)
{
    return qint64(size.width()) * size.height();
}

// An image that fits the box beats one that does not; among those that fit
// the larger wins, among those that do not the smaller.
bool fitsBetter(const QSize& candidate, const QSize& best, const QSize& box)
{
    if (best.isEmpty()) {
        return true;
    }
    const bool candidateFits =
        candidate.width() <= box.width() && candidate.height() <= box.height();
    const bool bestFits = best.width() <= box.width() && best.height() <= box.height();
    if (candidateFits != bestFits) {
        return candidateFits;
    }
    return candidateFits ? area(candidate) > area(best) : area(candidate) < area(best);
}

// Reads every image of the file (an .ico may hold several sizes) and keeps
// the one that best fits the box.
QImage bestImage(const QByteArray& bytes, const QSize& box)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const int images = std::max(1, reader.imageCount());
    QImage best;
    for (int i = 0; i < images; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        const QImage image = reader.read();
        if (!image.isNull() && fitsBetter(image.size(), best.size(), box)) {
            best = image;
        }
    }
    return best;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::setPicture(const QByteArray& bytes)
{
    replaceBytes(bytes);
    markBoundChanged();
}

void PictureBox::loadBoundValue(const QVariant& value)
{
    replaceBytes(value.isNull() ? QByteArray() : value.toByteArray());
    clearBoundChanged();
}

QVariant PictureBox::boundValue() const
{
    return m_bytes.isEmpty() ? QVariant() : QVariant(m_bytes);
}

void PictureBox::replaceBytes(const QByteArray& bytes)
{
    m_bytes = bytes;
    m_decodedValid = false;
    m_decoded = QImage();
    update();
}

bool PictureBox::isReadablePicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return !reader.read().isNull();
}

const QImage& PictureBox::decoded()
{
    const QSize box = contentsRect().size();
    if (!m_decodedValid || m_decodedFor != box) {
        m_decoded = m_bytes.isEmpty() ? QImage() : bestImage(m_bytes, box);
        m_decodedFor = box;
        m_decodedValid = true;
    }
    return m_decoded;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect box = contentsRect();
    const QImage& image = decoded();
    if (!image.isNull()) {
        QSize size = image.size();
        if (size.width() > box.width() || size.height() > box.height()) {
            size.scale(box.size(), Qt::KeepAspectRatio);
        }
        QRect target(QPoint(), size);
        target.moveCenter(box.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
    }
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (isEnabled() && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        emit Click();
        return;
    }
    QFrame::keyPressEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        QFrame::mousePressEvent(event);
        return;
    }
    m_pressPosition = event->position().toPoint();
    event->accept();
    emit Click();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const bool dragging = m_dragSource && isEnabled() && event->buttons().testFlag(Qt::LeftButton);
    if (dragging && (event->position().toPoint() - m_pressPosition).manhattanLength() >=
                        QApplication::startDragDistance()) {
        startDrag();
        return;
    }
    QFrame::mouseMoveEvent(event);
}

std::unique_ptr<QMimeData> PictureBox::dragMimeData() const
{
    auto data = std::make_unique<QMimeData>();
    data->setData(dragMimeType, objectName().toUtf8());
    return data;
}

void PictureBox::startDrag()
{
    auto* drag = new QDrag(this);
    drag->setMimeData(dragMimeData().release());
    if (!decoded().isNull()) {
        drag->setPixmap(QPixmap::fromImage(m_decoded.scaled(32, 32, Qt::KeepAspectRatio)));
    }
    drag->exec(Qt::MoveAction);
}
