#include "data/Database.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <utility>

Statement::Statement(sqlite3_stmt* stmt, Database& db) : m_stmt(stmt), m_db(&db)
{
}

Statement::Statement(Statement&& other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)), m_db(other.m_db)
{
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_db = other.m_db;
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(),
                                 static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
    } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
        rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
    } else {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text64(m_stmt, index, utf8.constData(),
                                 static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    }
    if (rc != SQLITE_OK) {
        m_db->takeEngineError();
        return false;
    }
    return true;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        m_db->takeEngineError();
    }
    return false;
}

bool Statement::exec()
{
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) {
        return true;
    }
    m_db->takeEngineError();
    return false;
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

QVariant Statement::column(int index) const
{
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt, index));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(m_stmt, index);
        const int size = sqlite3_column_bytes(m_stmt, index);
        return QByteArray(static_cast<const char*>(data), size);
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, index));
    }
    }
}

qint64 Statement::columnInt64(int index) const
{
    return sqlite3_column_int64(m_stmt, index);
}

Database::Database(sqlite3* handle) : m_handle(handle)
{
}

Database::~Database()
{
    m_cache.clear();
    sqlite3_close_v2(m_handle);
}

std::unique_ptr<Database> Database::open(const QString& path, Access access, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(path);
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(16) != QByteArray("SQLite format 3\0", 16)) {
        *error = QStringLiteral("Die Datei \"%1\" ist keine LEXA-Datenbank.").arg(path);
        return nullptr;
    }
    file.close();
    sqlite3* handle = nullptr;
    const int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        *error = QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2")
                     .arg(path, QString::fromUtf8(sqlite3_errmsg(handle)));
        sqlite3_close_v2(handle);
        return nullptr;
    }
    sqlite3_busy_timeout(handle, 2000);
    std::unique_ptr<Database> db(new Database(handle));
    // Reading the schema fails for a file that is not an SQLite database.
    if (!db->exec(QStringLiteral("SELECT count(*) FROM sqlite_schema"))) {
        *error = QStringLiteral("Die Datei \"%1\" ist keine LEXA-Datenbank: %2")
                     .arg(path, db->lastError());
        return nullptr;
    }
    if (access == Access::ReadWrite) {
        // WAL keeps commits cheap and the file consistent after a crash.
        db->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        db->exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    return db;
}

std::optional<Statement> Database::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_handle, utf8.constData(), static_cast<int>(utf8.size()), &stmt,
                           nullptr) != SQLITE_OK) {
        takeEngineError();
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    return Statement(stmt, *this);
}

Statement* Database::cached(const QString& sql)
{
    auto it = m_cache.find(sql);
    if (it == m_cache.end()) {
        auto statement = prepare(sql);
        if (!statement) {
            return nullptr;
        }
        it = m_cache.emplace(sql, std::move(*statement)).first;
    }
    it->second.reset();
    return &it->second;
}

bool Database::exec(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        m_error = QString::fromUtf8(message ? message : sqlite3_errmsg(m_handle));
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool Database::begin()
{
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool Database::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    if (!sqlite3_get_autocommit(m_handle)) {
        exec(QStringLiteral("ROLLBACK"));
    }
}

qint64 Database::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_handle);
}

void Database::takeEngineError()
{
    m_error = QString::fromUtf8(sqlite3_errmsg(m_handle));
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
