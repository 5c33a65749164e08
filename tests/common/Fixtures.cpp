#include "Fixtures.h"

#include "data/Schema.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <sqlite3.h>

namespace {

// Runs `sql` once per row of `binds`, all in one transaction, appending the
// result rows to `rows`; opening for a write creates the file.
bool run(const QString& path, const QString& sql, const QList<QVariantList>& binds,
         QList<QVariantList>* rows = nullptr)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (rows ? 0 : SQLITE_OPEN_CREATE);
    bool ok = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK;
    for (const QVariantList& values : binds) {
        for (int i = 0; ok && i < values.size(); ++i) {
            const QByteArray bytes = values[i].typeId() == QMetaType::QByteArray
                                         ? values[i].toByteArray()
                                         : values[i].toString().toUtf8();
            const int size = static_cast<int>(bytes.size());
            ok = (values[i].isNull() ? sqlite3_bind_null(st, i + 1)
                  : values[i].typeId() == QMetaType::QByteArray
                      ? sqlite3_bind_blob(st, i + 1, bytes.constData(), size, SQLITE_TRANSIENT)
                      : sqlite3_bind_text(st, i + 1, bytes.constData(), size, SQLITE_TRANSIENT)) ==
                 SQLITE_OK;
        }
        int step = SQLITE_ERROR;
        while (ok && (step = sqlite3_step(st)) == SQLITE_ROW && rows) {
            QVariantList row;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const QByteArray bytes(static_cast<const char*>(sqlite3_column_blob(st, i)),
                                       sqlite3_column_bytes(st, i));
                const int type = sqlite3_column_type(st, i);
                row.append(type == SQLITE_NULL   ? QVariant()
                           : type == SQLITE_BLOB ? QVariant(bytes)
                                                 : QVariant(QString::fromUtf8(bytes)));
            }
            rows->append(row);
        }
        ok = ok && step == SQLITE_DONE;
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

namespace Fixtures {

bool writeDictionary(const QString& dir, const QList<WordRow>& rows)
{
    const QString path = QDir(dir).filePath(QString(Schema::DictionaryFile));
    QList<QVariantList> values;
    for (const WordRow& r : rows) {
        values.append({r.mot, r.determinant, r.categorie, r.theme, r.mark,
                       r.icon.isEmpty() ? QVariant() : QVariant(r.icon)});
    }
    QFile::remove(path);
    return run(path, QString(Schema::CreateDictionary), {{}}) &&
           run(path,
               "INSERT INTO lexa (mot, determinant, categorie, theme, \"mot marque\", "
               "\"icone integree\") VALUES (?,?,?,?,coalesce(?,'N'),?)",
               values);
}

bool writeWords(const QString& dir, const QStringList& words)
{
    QList<WordRow> rows;
    for (const QString& word : words) {
        rows.append(WordRow{word.isNull() ? QVariant() : QVariant(word)});
    }
    return writeDictionary(dir, rows);
}

bool writeThemes(const QString& dir, const QStringList& themes)
{
    const QString path = QDir(dir).filePath(QString(Schema::ThemesFile));
    QList<QVariantList> values;
    for (const QString& theme : themes) {
        values.append({theme});
    }
    QFile::remove(path);
    return run(path, QString(Schema::CreateThemes), {{}}) &&
           run(path, "INSERT INTO themes VALUES (?)", values);
}

QList<QVariantList> query(const QString& path, const QString& sql)
{
    QList<QVariantList> rows;
    run(path, sql, {{}}, &rows);
    return rows;
}

QList<QVariant> column(const QString& dir, const QString& field)
{
    QList<QVariant> values;
    for (const QVariantList& row :
         query(QDir(dir).filePath(QString(Schema::DictionaryFile)),
               QStringLiteral("SELECT \"%1\" FROM lexa ORDER BY rowid").arg(field))) {
        values.append(row.value(0));
    }
    return values;
}

int rowCount(const QString& dir)
{
    return static_cast<int>(column(dir, QStringLiteral("rowid")).size());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray icoBytes(unsigned rgb, const char* format)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor::fromRgb(rgb));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace Fixtures
