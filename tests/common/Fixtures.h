#pragma once

#include "data/BoundControl.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// One record of table lexa for a fixture. A null variant stores no value;
// a mark left null is the table's default 'N'.
struct WordRow
{
    QVariant mot;
    QVariant determinant = {};
    QVariant categorie = {};
    QVariant theme = {};
    QVariant mark = {};
    QByteArray icon = {};
};

namespace Fixtures {

// Writes dir/LEXA.MDB holding `rows` in this order; returns false on failure.
bool writeDictionary(const QString& dir, const QList<WordRow>& rows);
// Convenience: one record per word, other fields empty.
bool writeWords(const QString& dir, const QStringList& words);
bool writeThemes(const QString& dir, const QStringList& themes);

// The rows of `sql` on the database file at `path`: NULL as an invalid
// QVariant, BLOB as QByteArray, anything else as QString.
QList<QVariantList> query(const QString& path, const QString& sql);
// Reads one column of table lexa in rowid order, straight from the file.
QList<QVariant> column(const QString& dir, const QString& field);
int rowCount(const QString& dir);

QByteArray fileBytes(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// A small valid .ico file (one 16x16 image of the given colour).
QByteArray icoBytes(unsigned rgb);

} // namespace Fixtures

// A bound control without a widget, for the data layer's own tests.
class FakeBound : public BoundControl
{
public:
    explicit FakeBound(QString field) : m_field(std::move(field)) {}
    QString dataField() const override { return m_field; }
    void loadBoundValue(const QVariant& value) override
    {
        m_value = value;
        ++loads;
    }
    QVariant boundValue() const override { return m_value; }
    bool isBoundChanged() const override { return m_changed; }
    void clearBoundChanged() override { m_changed = false; }

    void set(const QVariant& value)
    {
        m_value = value;
        m_changed = true;
    }
    QString text() const { return m_value.toString(); }
    int loads = 0;

private:
    QString m_field;
    QVariant m_value;
    bool m_changed = false;
};
