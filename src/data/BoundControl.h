#pragma once

#include <QString>
#include <QVariant>

// A control whose displayed value is one field of the current record of a
// data source. The data source loads it when a record becomes current and
// writes its value back when the record set leaves a record whose bound
// controls were changed (set by the user or by the program since the load).
class BoundControl
{
public:
    virtual ~BoundControl() = default;

    // Name of the field this control shows, e.g. "mot" or "mot marque".
    virtual QString dataField() const = 0;

    // Shows a field value without marking the control changed. A null
    // variant is an empty field: an empty text, caption or picture.
    virtual void loadBoundValue(const QVariant& value) = 0;

    // The value to store: a QString for text boxes and labels, a QByteArray
    // for pictures. An empty text or picture is stored as an empty field.
    virtual QVariant boundValue() const = 0;

    virtual bool isBoundChanged() const = 0;
    virtual void clearBoundChanged() = 0;
};

// The bookkeeping every bound control shares: its field and its changed mark.
class BoundControlBase : public BoundControl
{
public:
    // The record field shown; empty when the control is not bound.
    void setDataField(const QString& field) { m_dataField = field; }

    QString dataField() const override { return m_dataField; }
    bool isBoundChanged() const override { return m_changed; }
    void clearBoundChanged() override { m_changed = false; }

protected:
    void markBoundChanged() { m_changed = true; }

private:
    QString m_dataField;
    bool m_changed = false;
};

// A bound control without a widget, for the operations run outside a window
// (the crash and power-cut tests, the benchmarks): holds what a text box, a
// label or a picture box would show.
class BoundValue : public BoundControlBase
{
public:
    explicit BoundValue(const QString& field) { setDataField(field); }
    void loadBoundValue(const QVariant& value) override { m_value = value; }
    QVariant boundValue() const override { return m_value; }
    // What the user's typing or choosing does.
    void set(const QVariant& value)
    {
        m_value = value;
        markBoundChanged();
    }

private:
    QVariant m_value;
};
