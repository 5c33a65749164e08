#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A prepared SQL statement. Values are bound by position (1-based); text as
// UTF-8, QByteArray as BLOB, a null variant as NULL.
class Statement
{
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool bind(int index, const QVariant& value);
    // Runs one step: true with a row to read, false when done or failed
    // (see Database::lastError()).
    bool next();
    // Runs to completion; false on failure.
    bool exec();
    void reset();

    QVariant column(int index) const;
    qint64 columnInt64(int index) const;

private:
    friend class Database;
    Statement(sqlite3_stmt* stmt, class Database& db);

    sqlite3_stmt* m_stmt = nullptr;
    class Database* m_db = nullptr;
};

// One SQLite connection. Errors are returned as false / nullopt with the
// engine's message in lastError().
class Database
{
public:
    enum class Access
    {
        ReadOnly,
        ReadWrite
    };

    // Opens an existing file; never creates one.
    static std::unique_ptr<Database> open(const QString& path, Access access, QString* error);
    ~Database();

    std::optional<Statement> prepare(const QString& sql);
    // A statement prepared once and kept for the life of the connection,
    // reset and ready to bind; null when it cannot be prepared.
    Statement* cached(const QString& sql);
    bool exec(const QString& sql);

    bool begin();
    bool commit();
    void rollback();

    qint64 lastInsertRowid() const;
    const QString& lastError() const { return m_error; }
    void takeEngineError();

private:
    explicit Database(sqlite3* handle);
    sqlite3* m_handle;
    QString m_error;
    std::map<QString, Statement> m_cache;
};

// Quotes an identifier for SQL ("mot marque" -> "\"mot marque\"").
QString quoteIdentifier(const QString& name);
