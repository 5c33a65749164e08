#pragma once

#include "data/Result.h"

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

class Database;

// A prepared SQL statement. Values are bound by position (1-based): a
// null variant as NULL, QByteArray as BLOB (an empty one stays a
// zero-length value), integers as INTEGER, everything else as UTF-8 text.
// Every call that can fail returns its failure with it.
class Statement
{
public:
    // Empty, as a failed prepare() leaves it; only to be assigned to.
    Statement() = default;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    [[nodiscard]] Result bind(int index, const QVariant& value);
    // Binds values to positions 1, 2, ...; stops at the first failure.
    [[nodiscard]] Result bindAll(const QVariantList& values);
    // Runs one step: true with a row to read, false when done or failed
    // (status() tells which).
    bool next();
    // The outcome of the last step, of next() or exec(): a failure with its
    // message, else success. reset() clears it.
    [[nodiscard]] Result status() const { return m_status; }
    // Runs to completion.
    [[nodiscard]] Result exec();
    void reset();

    int columnCount() const;
    QVariant column(int index) const;
    bool isNull(int index) const;
    // The value as text; a null QString for NULL.
    QString text(int index) const;
    // The value's UTF-8 bytes, valid until the next step; a null view for NULL.
    QByteArrayView utf8(int index) const;
    qint64 columnInt64(int index) const;

private:
    friend class Database;
    Statement(sqlite3_stmt* stmt, Database& db);

    sqlite3_stmt* m_stmt = nullptr;
    Database* m_db = nullptr;
    Result m_status;
};

// One SQLite connection to one file. Every failure comes back with its call,
// as a German message that names the file and says what to do.
class Database
{
public:
    enum class Access
    {
        ReadOnly,
        ReadWrite
    };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing dictionary file; never creates one, nor changes it.
    // For reading, a file in a folder that cannot be written is read as it is
    // (immutable).
    [[nodiscard]] Result open(const QString& path, Access access);
    // Switches a file open for writing to WAL, which keeps it consistent
    // after a crash; only for a file that was found to be a dictionary.
    [[nodiscard]] Result useWal();
    // Creates a new file holding the tables of `schema` (one or more CREATE
    // statements). An existing empty file (a reserved temporary name) is
    // taken over; any other existing file is refused.
    [[nodiscard]] Result create(const QString& path, const QString& schema);
    // Closes the connection; fails when the file could not be completed.
    [[nodiscard]] Result close();
    // Copies the open database, the commits still in its -wal file included,
    // into the new file `path` with SQLite's online backup: a consistent,
    // self-contained copy (no -wal beside it), synced before this returns.
    // An existing file is refused.
    [[nodiscard]] Result backupTo(const QString& path);
    const QString& path() const { return m_path; }

    [[nodiscard]] ResultOf<Statement> prepare(const QString& sql);
    // A statement prepared once and kept for the life of the connection,
    // reset and ready to bind.
    [[nodiscard]] ResultOf<Statement*> cached(const QString& sql);
    [[nodiscard]] Result exec(const QString& sql);
    // Runs the cached statement `sql` with `values` bound to it.
    [[nodiscard]] Result execCached(const QString& sql, const QVariantList& values);

    // The column names of `table`, in order, and which of them hold BLOBs.
    [[nodiscard]] ResultOf<QStringList> columns(const QString& table,
                                                QList<int>* blobColumns = nullptr);
    // Inserts `rows` into `table` in order, all or nothing.
    [[nodiscard]] Result insertRows(const QString& table, const QStringList& columns,
                                    const QList<QVariantList>& rows);

    [[nodiscard]] Result begin();
    [[nodiscard]] Result commit();
    // Undoes the open transaction, if any; a failure of its own is dropped,
    // so that the caller reports the failure that made it roll back.
    void rollback();

    qint64 lastInsertRowid() const;
    // A number that this connection's SQL reads as the function `name()`
    // (NULL while it is 0), made at the first call and the same one after.
    // The function keeps it alive with the connection.
    [[nodiscard]] ResultOf<std::shared_ptr<qint64>> makeValue(const QString& name);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    qint64 changes() const;

private:
    friend class Statement;
    Result connect(const QString& path, int flags, bool immutable);
    // Connects and reads the schema; closes again when that fails.
    Result connectAndRead(const QString& path, int flags, bool immutable);
    // The engine's last result as a failure with a German message.
    Result engineFailure() const;

    sqlite3* m_handle = nullptr;
    QString m_path;
    struct SqlHash
    {
        size_t operator()(const QString& sql) const noexcept { return qHash(sql); }
    };
    // Node-based: a statement handed out keeps its place as others come.
    std::unordered_map<QString, Statement, SqlHash> m_cache;
    std::map<QString, std::shared_ptr<qint64>> m_values;
};

// Quotes an identifier for SQL ("mot marque" -> "\"mot marque\"").
QString quoteIdentifier(const QString& name);
// What is said when the file `path` has no table `table` (columns() finds none).
QString missingTableMessage(const QString& table, const QString& path);
