#pragma once

#include "data/BoundControl.h"

#include <QByteArray>
#include <QFrame>
#include <QImage>
#include <QMimeData>
#include <QPoint>
#include <memory>

// A framed box showing a picture, optionally bound to a record field. The
// picture is held as the bytes of its file (.ico, .bmp, .png...) and decoded
// only when painted, so loading it from a record costs a byte copy. With the
// focus, Space or Return clicks it as the mouse does.
class PictureBox : public QFrame, public BoundControlBase
{
    Q_OBJECT

public:
    // Mime type of a control dragged within LEXA; the data is its objectName.
    static const QString dragMimeType;

    explicit PictureBox(QWidget* parent = nullptr);

    QByteArray picture() const { return m_bytes; }
    // Sets the picture (an empty array: none) and marks the box changed.
    void setPicture(const QByteArray& bytes);

    // When on, pressing and moving the mouse drags the box.
    void setDragSource(bool on) { m_dragSource = on; }
    // What a drag of this box carries.
    std::unique_ptr<QMimeData> dragMimeData() const;

    // Whether the bytes hold a picture that can be shown.
    static bool isReadablePicture(const QByteArray& bytes);

    void loadBoundValue(const QVariant& value) override;
    QVariant boundValue() const override;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void replaceBytes(const QByteArray& bytes);
    const QImage& decoded();
    void startDrag();

    QByteArray m_bytes;
    bool m_dragSource = false;
    QPoint m_pressPosition;
    // The picture decoded for the box size it was chosen for.
    QImage m_decoded;
    QSize m_decodedFor;
    bool m_decodedValid = false;
};
