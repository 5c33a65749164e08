#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3;

// A new SQLite file being filled by the converter: one table, all records
// in one transaction. Failures come back as false with error().
class SqliteTarget
{
public:
    explicit SqliteTarget(const QString& path);
    ~SqliteTarget();
    SqliteTarget(const SqliteTarget&) = delete;
    SqliteTarget& operator=(const SqliteTarget&) = delete;

    bool exec(const QString& sql);
    // The column names of `table`, in order.
    QStringList columns(const QString& table);
    // Inserts every record in order; an invalid QVariant becomes NULL, a
    // QString TEXT and a QByteArray a BLOB.
    bool insert(const QString& table, const QStringList& columns,
                const QList<QVariantList>& records);
    // Closes the file; false when it could not be completed.
    bool close();

    const QString& error() const { return m_error; }

private:
    bool fail();

    sqlite3* m_db = nullptr;
    QString m_error;
};

// "mot marque" -> "\"mot marque\""
QString quotedName(const QString& name);
