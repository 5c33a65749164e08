#include "DictionaryWriter.h"

#include "data/Schema.h"

#include <QFile>
#include <functional>
#include <memory>
#include <sqlite3.h>

namespace {

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;
// Binds the values of row `index` to the insert statement.
using RowBinder = std::function<void(sqlite3_stmt*, qsizetype index)>;

void bindText(sqlite3_stmt* stmt, int column, const QString& text)
{
    if (text.isEmpty()) {
        sqlite3_bind_null(stmt, column);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void bindBlob(sqlite3_stmt* stmt, int column, const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        sqlite3_bind_null(stmt, column);
        return;
    }
    sqlite3_bind_blob(stmt, column, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

QString failure(sqlite3* db, const QString& path)
{
    return QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
}

bool fillDatabase(sqlite3* db, const QString& create, const QString& insert, qsizetype rows,
                  const RowBinder& bind)
{
    if (sqlite3_exec(db, create.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return false;
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, insert.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK) {
        return false;
    }
    const Statement stmt(raw, &sqlite3_finalize);
    for (qsizetype i = 0; i < rows; ++i) {
        bind(stmt.get(), i);
        if (sqlite3_step(stmt.get()) != SQLITE_DONE) {
            return false;
        }
        sqlite3_reset(stmt.get());
    }
    return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool moveIntoPlace(const QString& built, const QString& path, QString& error)
{
    for (const QString& old : {path, path + "-wal", path + "-shm"}) {
        if (QFile::exists(old) && !QFile::remove(old)) {
            error = QStringLiteral("%1: cannot be replaced").arg(old);
            return false;
        }
    }
    if (!QFile::rename(built, path)) {
        error = QStringLiteral("%1: cannot be written").arg(path);
        return false;
    }
    return true;
}

bool writeDatabase(const QString& path, const QString& create, const QString& insert,
                   qsizetype rows, const RowBinder& bind, QString& error)
{
    const QString built = path + ".part";
    QFile::remove(built);
    bool filled = false;
    {
        sqlite3* raw = nullptr;
        const int opened = sqlite3_open_v2(QFile::encodeName(built).constData(), &raw,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const Connection db(raw, &sqlite3_close);
        filled = opened == SQLITE_OK && fillDatabase(db.get(), create, insert, rows, bind);
        if (!filled) {
            error = failure(db.get(), path);
        }
    }
    if (!filled) {
        QFile::remove(built);
        return false;
    }
    return moveIntoPlace(built, path, error);
}

} // namespace

namespace DictionaryWriter {

bool writeDictionary(const QString& path, const QList<WordRecord>& words, QString& error)
{
    const QString insert = "INSERT INTO lexa (mot, determinant, categorie, theme, \"mot marque\", "
                           "\"icone integree\", \"fichier son associe\") "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)";
    const auto bind = [&words](sqlite3_stmt* stmt, qsizetype i) {
        const WordRecord& w = words[i];
        bindText(stmt, 1, w.word);
        bindText(stmt, 2, w.article);
        bindText(stmt, 3, w.frequency);
        bindText(stmt, 4, w.themes);
        bindText(stmt, 5, w.marked ? "O" : "N");
        bindBlob(stmt, 6, w.icon);
        bindText(stmt, 7, w.sound);
    };
    return writeDatabase(path, Schema::CreateDictionary, insert, words.size(), bind, error);
}

bool writeThemes(const QString& path, const QStringList& themes, QString& error)
{
    const auto bind = [&themes](sqlite3_stmt* stmt, qsizetype i) { bindText(stmt, 1, themes[i]); };
    return writeDatabase(path, Schema::CreateThemes, "INSERT INTO themes (theme) VALUES (?)",
                         themes.size(), bind, error);
}

} // namespace DictionaryWriter
