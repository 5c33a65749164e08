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
