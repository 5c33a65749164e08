#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>
#include <utility>

namespace {

// The one place where the engine's result codes become German messages.
QString engineMessage(int code, const QString& path, const QString& engineText)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Die Datei „%1“ wird gerade von einem anderen Programm benutzt. "
                              "Schließen Sie das andere Programm und versuchen Sie es noch "
                              "einmal.")
            .arg(file);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Die Datei „%1“ ist schreibgeschützt: Änderungen können nicht "
                              "gespeichert werden. Geben Sie die Datei und ihren Ordner zum "
                              "Schreiben frei und starten Sie LEXA neu.")
            .arg(file);
    case SQLITE_FULL:
        return QStringLiteral("Der Datenträger der Datei „%1“ ist voll: Änderungen können nicht "
                              "gespeichert werden. Schaffen Sie Platz auf dem Datenträger und "
                              "versuchen Sie es noch einmal.")
            .arg(file);
    case SQLITE_NOTADB:
        return QStringLiteral("Die Datei „%1“ ist keine LEXA-Datenbank.").arg(file);
    case SQLITE_CORRUPT:
        return QStringLiteral("Die Datei „%1“ ist keine LEXA-Datenbank oder sie ist beschädigt. "
                              "Nehmen Sie eine Sicherungskopie des Wörterbuchs.")
            .arg(file);
    case SQLITE_CANTOPEN:
        return QStringLiteral("Die Datei „%1“ kann nicht geöffnet werden. Prüfen Sie, ob die "
                              "Datei und ihr Ordner vorhanden und lesbar sind.")
            .arg(file);
    case SQLITE_IOERR:
        return QStringLiteral("Die Datei „%1“ kann nicht gelesen oder geschrieben werden "
                              "(Ein-/Ausgabefehler). Prüfen Sie den Datenträger und versuchen "
                              "Sie es noch einmal.")
            .arg(file);
    default:
        return QStringLiteral("Fehler in der Datei „%1“: %2").arg(file, engineText);
    }
}

} // namespace

Statement::Statement(sqlite3_stmt* stmt, Database& db) : m_stmt(stmt), m_db(&db)
{
}

Statement::Statement(Statement&& other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)), m_db(other.m_db),
      m_status(std::move(other.m_status))
{
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_db = other.m_db;
        m_status = std::move(other.m_status);
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Result Statement::bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob64(m_stmt, index, bytes.isEmpty() ? "" : bytes.constData(),
                                 static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
    } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
        rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
    } else {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text64(m_stmt, index, utf8.constData(),
                                 static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    }
    return rc == SQLITE_OK ? Result::success() : m_db->engineFailure();
}

Result Statement::bindAll(const QVariantList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (Result bound = bind(static_cast<int>(i) + 1, values.at(i)); !bound) {
            return bound;
        }
    }
    return Result::success();
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        // A row after a failure (the statement was stepped again) clears it.
        if (!m_status) {
            m_status = Result::success();
        }
        return true;
    }
    m_status = rc == SQLITE_DONE ? Result::success() : m_db->engineFailure();
    return false;
}

Result Statement::exec()
{
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    m_status = rc == SQLITE_DONE || rc == SQLITE_ROW ? Result::success() : m_db->engineFailure();
    return m_status;
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_status = Result::success();
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

bool Statement::isNull(int index) const
{
    return sqlite3_column_type(m_stmt, index) == SQLITE_NULL;
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

QString Statement::text(int index) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
    if (!text) {
        return {};
    }
    const int size = sqlite3_column_bytes(m_stmt, index);
    // An empty text is still a value: it must not read as NULL.
    return size == 0 ? QString(QLatin1String("")) : QString::fromUtf8(text, size);
}

QByteArrayView Statement::utf8(int index) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index));
    return text ? QByteArrayView(text, sqlite3_column_bytes(m_stmt, index)) : QByteArrayView();
}

qint64 Statement::columnInt64(int index) const
{
    return sqlite3_column_int64(m_stmt, index);
}

Database::~Database()
{
    m_cache.clear();
    m_values.clear();
    sqlite3_close_v2(m_handle);
}

Result Database::engineFailure() const
{
    return Result::failure(engineMessage(sqlite3_extended_errcode(m_handle), m_path,
                                         QString::fromUtf8(sqlite3_errmsg(m_handle))));
}

Result Database::connect(const QString& path, int flags, bool immutable)
{
    m_path = path;
    // An immutable file is named by a URI that says so.
    const QByteArray name = immutable
                                ? QUrl::fromLocalFile(path).toEncoded() + QByteArray("?immutable=1")
                                : QFile::encodeName(path);
    const int rc = sqlite3_open_v2(name.constData(), &m_handle,
                                   immutable ? flags | SQLITE_OPEN_URI : flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(std::exchange(m_handle, nullptr));
        return Result::failure(engineMessage(rc, path, QString::fromUtf8(sqlite3_errstr(rc))));
    }
    sqlite3_extended_result_codes(m_handle, 1);
    sqlite3_busy_timeout(m_handle, 2000);
    return Result::success();
}

Result Database::connectAndRead(const QString& path, int flags, bool immutable)
{
    if (Result connected = connect(path, flags, immutable); !connected) {
        return connected;
    }
    // The record set keeps what it reads in memory; a small page cache is
    // enough for its one pass and the single-record reads and writes after it
    // (only a hint: should it fail, SQLite keeps its default).
    static_cast<void>(exec(QStringLiteral("PRAGMA cache_size=-256")));
    // Reading the schema is the first real access: it meets locks and damage.
    Result readable;
    {
        auto check = prepare(QStringLiteral("SELECT count(*) FROM sqlite_schema"));
        readable = !check ? Result(check) : check->next() ? Result::success() : check->status();
    }
    if (!readable) {
        sqlite3_close_v2(std::exchange(m_handle, nullptr));
    }
    return readable;
}

Result Database::open(const QString& path, Access access)
{
    const QString file = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        return Result::failure(QStringLiteral("Die Datei „%1“ wurde nicht gefunden.").arg(file));
    }
    // The file is not opened here, beside SQLite: closing a second descriptor
    // of a file drops every lock this process holds on it, SQLite's included.
    // SQLite itself tells a file that is not a database; only an empty one it
    // would take for a new database, unless a journal may restore it.
    if (!QFileInfo(path).isReadable()) {
        return Result::failure(
            QStringLiteral("Die Datei „%1“ kann nicht gelesen werden. Prüfen Sie die "
                           "Zugriffsrechte der Datei.")
                .arg(file));
    }
    const bool journal = QFileInfo::exists(path + QStringLiteral("-wal")) ||
                         QFileInfo::exists(path + QStringLiteral("-journal"));
    if (!journal && QFileInfo(path).size() == 0) {
        return Result::failure(
            QStringLiteral("Die Datei „%1“ ist keine LEXA-Datenbank.").arg(file));
    }
    const int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX;
    if (Result read = connectAndRead(path, flags, false); !read) {
        // A WAL file needs its -shm file even for reading; in a folder that
        // nobody may write (a CD, a read-only share) there is none, and the
        // file is read as it is: nothing can change it from here.
        if (access == Access::ReadWrite || QFileInfo(QFileInfo(path).absolutePath()).isWritable() ||
            !connectAndRead(path, flags, true)) {
            return read;
        }
    }
    // A write-protected file opens for reading; its writes fail with a message.
    // FULL makes every commit durable against a power cut; it is this
    // connection's, not the file's.
    if (access == Access::ReadWrite && sqlite3_db_readonly(m_handle, "main") == 0) {
        if (Result durable = exec(QStringLiteral("PRAGMA synchronous=FULL")); !durable) {
            sqlite3_close_v2(std::exchange(m_handle, nullptr));
            return durable;
        }
    }
    return Result::success();
}

Result Database::useWal()
{
    return sqlite3_db_readonly(m_handle, "main") != 0
               ? Result::success()
               : exec(QStringLiteral("PRAGMA journal_mode=WAL"));
}

Result Database::create(const QString& path, const QString& schema)
{
    if (QFileInfo(path).size() > 0) {
        return Result::failure(
            QStringLiteral("Die Datei „%1“ gibt es schon; sie wird nicht überschrieben.")
                .arg(QDir::toNativeSeparators(path)));
    }
    if (Result connected =
            connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, false);
        !connected) {
        return connected;
    }
    return exec(schema);
}

Result Database::backupTo(const QString& path)
{
    Database copy;
    if (QFileInfo::exists(path)) {
        return Result::failure(
            QStringLiteral("Die Datei „%1“ gibt es schon; sie wird nicht überschrieben.")
                .arg(QDir::toNativeSeparators(path)));
    }
    if (Result connected = copy.connect(
            path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, false);
        !connected) {
        return connected;
    }
    sqlite3_backup* backup = sqlite3_backup_init(copy.m_handle, "main", m_handle, "main");
    if (backup == nullptr) {
        return copy.engineFailure();
    }
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
        const int code = stepped != SQLITE_DONE ? stepped : finished;
        return Result::failure(engineMessage(code, path, QString::fromUtf8(sqlite3_errstr(code))));
    }
    // The copy stands alone; its last commit was synced (synchronous=FULL is
    // the default of a new connection).
    if (Result alone = copy.exec(QStringLiteral("PRAGMA journal_mode=DELETE")); !alone) {
        return alone;
    }
    return copy.close();
}

Result Database::close()
{
    m_cache.clear();
    m_values.clear();
    if (sqlite3_close(m_handle) != SQLITE_OK) {
        return engineFailure();
    }
    m_handle = nullptr;
    return Result::success();
}

ResultOf<Statement> Database::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_handle, utf8.constData(), static_cast<int>(utf8.size()), &stmt,
                           nullptr) != SQLITE_OK) {
        Result failed = engineFailure();
        sqlite3_finalize(stmt);
        return failed;
    }
    return Statement(stmt, *this);
}

ResultOf<Statement*> Database::cached(const QString& sql)
{
    auto it = m_cache.find(sql);
    if (it == m_cache.end()) {
        auto statement = prepare(sql);
        if (!statement) {
            return Result(statement);
        }
        it = m_cache.emplace(sql, std::move(statement.value)).first;
    }
    it->second.reset();
    return &it->second;
}

Result Database::exec(const QString& sql)
{
    return sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK
               ? Result::success()
               : engineFailure();
}

Result Database::execCached(const QString& sql, const QVariantList& values)
{
    const auto statement = cached(sql);
    if (!statement) {
        return statement;
    }
    if (Result bound = statement.value->bindAll(values); !bound) {
        return bound;
    }
    return statement.value->exec();
}

ResultOf<QStringList> Database::columns(const QString& table, QList<int>* blobColumns)
{
    auto info = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table)));
    if (!info) {
        return Result(info);
    }
    QStringList names;
    while (info->next()) {
        if (blobColumns &&
            info->column(2).toString().contains(QLatin1String("BLOB"), Qt::CaseInsensitive)) {
            blobColumns->append(static_cast<int>(names.size()));
        }
        names.append(info->column(1).toString());
    }
    if (Result read = info->status(); !read) {
        return read;
    }
    return names;
}

Result Database::insertRows(const QString& table, const QStringList& columns,
                            const QList<QVariantList>& rows)
{
    QStringList quoted;
    for (const QString& column : columns) {
        quoted.append(quoteIdentifier(column));
    }
    auto insert = prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quoteIdentifier(table), quoted.join(u','),
                                   QStringList(columns.size(), QStringLiteral("?")).join(u',')));
    if (!insert) {
        return Result(insert);
    }
    if (Result begun = begin(); !begun) {
        return begun;
    }
    for (const QVariantList& row : rows) {
        Result inserted = insert->bindAll(row);
        if (inserted) {
            inserted = insert->exec();
        }
        if (!inserted) {
            rollback();
            return inserted;
        }
    }
    return commit();
}

Result Database::begin()
{
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Result Database::commit()
{
    return exec(QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    if (!sqlite3_get_autocommit(m_handle)) {
        static_cast<void>(exec(QStringLiteral("ROLLBACK")));
    }
}

qint64 Database::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_handle);
}

ResultOf<std::shared_ptr<qint64>> Database::makeValue(const QString& name)
{
    if (const auto made = m_values.find(name); made != m_values.end()) {
        return made->second;
    }
    auto value = std::make_shared<qint64>(0);
    const auto read = [](sqlite3_context* context, int, sqlite3_value**) {
        const auto* kept = static_cast<std::shared_ptr<qint64>*>(sqlite3_user_data(context));
        if (**kept != 0) {
            sqlite3_result_int64(context, **kept);
        } else {
            sqlite3_result_null(context);
        }
    };
    const auto release = [](void* kept) { delete static_cast<std::shared_ptr<qint64>*>(kept); };
    // SQLite owns the copy from here on, and releases it also when it fails.
    if (sqlite3_create_function_v2(m_handle, name.toUtf8().constData(), 0, SQLITE_UTF8,
                                   new std::shared_ptr<qint64>(value), read, nullptr, nullptr,
                                   release) != SQLITE_OK) {
        return engineFailure();
    }
    m_values.emplace(name, value);
    return value;
}

qint64 Database::changes() const
{
    return sqlite3_changes64(m_handle);
}

QString missingTableMessage(const QString& table, const QString& path)
{
    return QStringLiteral("Die Tabelle „%1“ fehlt in der Datei „%2“.")
        .arg(table, QDir::toNativeSeparators(path));
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
