#pragma once

#include "data/BoundControl.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QVariant>

// One record of table lexa; a null variant stores no value, a null mark 'N'.
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

// Write dir/LEXA.MDB (rows in this order) or dir/THEME.MDB; false on failure.
bool writeDictionary(const QString& dir, const QList<WordRow>& rows);
bool writeWords(const QString& dir, const QStringList& words);
bool writeThemes(const QString& dir, const QStringList& themes);

// The rows of `sql` on the file at `path`: NULL invalid, BLOB QByteArray, else QString.
QList<QVariantList> query(const QString& path, const QString& sql);
// One column of table lexa in rowid order, straight from the file; as text
// "field=v1,v2,...", <null> and <bytes> standing for an empty field and a picture.
QList<QVariant> column(const QString& dir, const QString& field);
QString columnText(const QString& dir, const QString& field);

QByteArray fileBytes(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// What the program `lexa` beside the test printed and returned when run with
// `arguments` ("<dir>" in them standing for `dir`) and no display: the
// command line must not need one. An exit code of -1: it crashed or hung.
struct CommandRun
{
    int exitCode = -1;
    QString output;
    QString errors;
};
CommandRun runLexa(QStringList arguments, const QString& dir);

// A small picture file of one colour: .ico unless `format` says otherwise.
QByteArray icoBytes(unsigned rgb, const char* format = "ICO");

// Columns and one row of a data table.
template <typename... T, typename... N> void columns(N... names)
{
    (QTest::addColumn<T>(names), ...);
}
template <typename... V> void row(const char* name, const V&... values)
{
    (QTest::newRow(name) << ... << values);
}

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
