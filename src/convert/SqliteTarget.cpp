#include "SqliteTarget.h"

#include <sqlite3.h>

namespace {

struct StatementDeleter
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

int bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (!value.isValid()) {
        return sqlite3_bind_null(statement, index);
    }
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        // A zero-length value stays a (zero-length) value, not NULL.
        return sqlite3_bind_blob64(statement, index, bytes.isEmpty() ? "" : bytes.constData(),
                                   static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
    }
    const QByteArray utf8 = value.toString().toUtf8();
    return sqlite3_bind_text64(statement, index, utf8.constData(),
                               static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                               SQLITE_UTF8);
}

} // namespace

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

SqliteTarget::SqliteTarget(const QString& path)
{
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        fail();
    }
}

SqliteTarget::~SqliteTarget()
{
    sqlite3_close(m_db);
}

bool SqliteTarget::fail()
{
    m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
    return false;
}

bool SqliteTarget::exec(const QString& sql)
{
    if (!m_error.isEmpty()) {
        return false;
    }
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        return fail();
    }
    return true;
}

QStringList SqliteTarget::columns(const QString& table)
{
    QStringList names;
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql = "PRAGMA table_info(" + quotedName(table).toUtf8() + ")";
    if (!m_error.isEmpty() ||
        sqlite3_prepare_v2(m_db, sql.constData(), -1, &raw, nullptr) != SQLITE_OK) {
        fail();
        return names;
    }
    const StatementPtr statement(raw);
    while (sqlite3_step(raw) == SQLITE_ROW) {
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 1))));
    }
    return names;
}

bool SqliteTarget::insert(const QString& table, const QStringList& columns,
                          const QList<QVariantList>& records)
{
    QStringList quoted;
    for (const QString& column : columns) {
        quoted.append(quotedName(column));
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quotedName(table), quoted.join(QLatin1String(", ")),
                 QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")));
    sqlite3_stmt* raw = nullptr;
    if (!m_error.isEmpty() ||
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK) {
        return fail();
    }
    const StatementPtr statement(raw);
    if (!exec(QStringLiteral("BEGIN"))) {
        return false;
    }
    for (const QVariantList& record : records) {
        for (qsizetype i = 0; i < record.size(); ++i) {
            if (bindValue(raw, static_cast<int>(i) + 1, record[i]) != SQLITE_OK) {
                return fail();
            }
        }
        if (sqlite3_step(raw) != SQLITE_DONE) {
            return fail();
        }
        sqlite3_reset(raw);
    }
    return exec(QStringLiteral("COMMIT"));
}

bool SqliteTarget::close()
{
    if (!m_error.isEmpty()) {
        return false;
    }
    if (sqlite3_close(m_db) != SQLITE_OK) {
        return fail();
    }
    m_db = nullptr;
    return true;
}
