#pragma once

#include "data/BoundControl.h"

#include <QLabel>

// A caption, optionally bound to a record field. Captions are plain text,
// wrapped at word boundaries within the label.
class Label : public QLabel, public BoundControl
{
    Q_OBJECT

public:
    explicit Label(QWidget* parent = nullptr);

    // Sets the caption and marks the label changed.
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

    // The record field shown; empty when the label is not bound.
    void setDataField(const QString& field) { m_dataField = field; }

    QString dataField() const override { return m_dataField; }
    void loadBoundValue(const QVariant& value) override;
    QVariant boundValue() const override;
    bool isBoundChanged() const override { return m_changed; }
    void clearBoundChanged() override { m_changed = false; }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_dataField;
    bool m_changed = false;
};
