#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

class Database;

// A prepared SQL statement. Values are bound by position (1-based): a
// null variant as NULL, QByteArray as BLOB (an empty one stays a
// zero-length value), integers as INTEGER, everything else as UTF-8 text.
// Failures are reported through the owning Database's lastError().
class Statement
{
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool bind(int index, const QVariant& value);
    // Binds values to positions 1, 2, ...; false at the first failure.
    bool bindAll(const QVariantList& values);
    // Runs one step: true with a row to read, false when done or failed
    // (failed() tells which).
    bool next();
    bool failed() const { return m_failed; }
    // Runs to completion; false on failure.
    bool exec();
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
    bool m_failed = false;
};

// One SQLite connection to one file. Every failure comes back as false (or
// nullopt / null) with a German message in lastError() that names the file
// and says what to do.
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
    bool open(const QString& path, Access access);
    // Switches a file open for writing to WAL, which keeps it consistent
    // after a crash; only for a file that was found to be a dictionary.
    [[nodiscard]] bool useWal();
    // Creates a new file holding the tables of `schema` (one or more CREATE
    // statements). An existing empty file (a reserved temporary name) is
    // taken over; any other existing file is refused.
    bool create(const QString& path, const QString& schema);
    // Closes the connection; false when the file could not be completed.
    bool close();
    // Copies the open database, the commits still in its -wal file included,
    // into the new file `path` with SQLite's online backup: a consistent,
    // self-contained copy (no -wal beside it), synced before this returns.
    // An existing file is refused.
    [[nodiscard]] bool backupTo(const QString& path);
    const QString& path() const { return m_path; }

    std::optional<Statement> prepare(const QString& sql);
    // A statement prepared once and kept for the life of the connection,
    // reset and ready to bind; null when it cannot be prepared.
    Statement* cached(const QString& sql);
    bool exec(const QString& sql);

    // The column names of `table`, in order, and which of them hold BLOBs.
    std::optional<QStringList> columns(const QString& table, QList<int>* blobColumns = nullptr);
    // Inserts `rows` into `table` in order, all or nothing.
    bool insertRows(const QString& table, const QStringList& columns,
                    const QList<QVariantList>& rows);

    bool begin();
    bool commit();
    void rollback();

    qint64 lastInsertRowid() const;
    // A number that this connection's SQL reads as the function `name()`
    // (NULL while it is 0), made at the first call and the same one after;
    // null when it cannot be made. The function keeps it alive with the
    // connection.
    std::shared_ptr<qint64> makeValue(const QString& name);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    qint64 changes() const;
    const QString& lastError() const { return m_error; }

private:
    bool fail(const QString& message);
    friend class Statement;
    bool connect(const QString& path, int flags, bool immutable);
    // Connects and reads the schema; closes again when that fails.
    bool connectAndRead(const QString& path, int flags, bool immutable);
    // Turns the engine's last result into a German message.
    bool failWithEngineError();

    sqlite3* m_handle = nullptr;
    QString m_path;
    QString m_error;
    std::map<QString, Statement> m_cache;
    std::map<QString, std::shared_ptr<qint64>> m_values;
};

// Quotes an identifier for SQL ("mot marque" -> "\"mot marque\"").
QString quoteIdentifier(const QString& name);
