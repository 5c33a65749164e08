#include "Fixtures.h"

#include "data/Schema.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <sqlite3.h>

namespace {

struct Connection
{
    sqlite3* db = nullptr;
    explicit Connection(const QString& path, bool create)
    {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            db = nullptr;
        }
    }
    ~Connection() { sqlite3_close(db); }
    bool exec(const QString& sql) const
    {
        return db &&
               sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
};

void bindValue(sqlite3_stmt* stmt, int index, const QVariant& value)
{
    if (value.isNull()) {
        sqlite3_bind_null(stmt, index);
    } else if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, index, bytes.constData(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
    } else {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
}

} // namespace

namespace Fixtures {

bool writeDictionary(const QString& dir, const QList<WordRow>& rows)
{
    const QString path = QDir(dir).filePath(QString(Schema::DictionaryFile));
    QFile::remove(path);
    Connection c(path, true);
    if (!c.exec(QString(Schema::CreateDictionary)) || !c.exec(QStringLiteral("BEGIN"))) {
        return false;
    }
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(c.db,
                       "INSERT INTO lexa (mot, determinant, categorie, theme, \"mot marque\", "
                       "\"icone integree\") VALUES (?,?,?,?,coalesce(?,'N'),?)",
                       -1, &stmt, nullptr);
    bool ok = stmt != nullptr;
    for (const WordRow& row : rows) {
        if (!ok) {
            break;
        }
        bindValue(stmt, 1, row.mot);
        bindValue(stmt, 2, row.determinant);
        bindValue(stmt, 3, row.categorie);
        bindValue(stmt, 4, row.theme);
        bindValue(stmt, 5, row.mark);
        bindValue(stmt, 6, row.icon.isEmpty() ? QVariant() : QVariant(row.icon));
        ok = sqlite3_step(stmt) == SQLITE_DONE;
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    return ok && c.exec(QStringLiteral("COMMIT"));
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
    QFile::remove(path);
    Connection c(path, true);
    if (!c.exec(QString(Schema::CreateThemes))) {
        return false;
    }
    for (const QString& theme : themes) {
        QString quoted = theme;
        quoted.replace(QLatin1Char('\''), QLatin1String("''"));
        if (!c.exec(QStringLiteral("INSERT INTO themes VALUES ('%1')").arg(quoted))) {
            return false;
        }
    }
    return true;
}

QList<QVariantList> query(const QString& path, const QString& sql)
{
    QList<QVariantList> rows;
    Connection c(path, false);
    sqlite3_stmt* st = nullptr;
    if (!c.db ||
        sqlite3_prepare_v2(c.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        return rows;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantList row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const QByteArray bytes(static_cast<const char*>(sqlite3_column_blob(st, i)),
                                   sqlite3_column_bytes(st, i));
            const int type = sqlite3_column_type(st, i);
            row.append(type == SQLITE_NULL   ? QVariant()
                       : type == SQLITE_BLOB ? QVariant(bytes)
                                             : QVariant(QString::fromUtf8(bytes)));
        }
        rows.append(row);
    }
    sqlite3_finalize(st);
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

QByteArray icoBytes(unsigned rgb)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor::fromRgb(rgb));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "ICO");
    return bytes;
}

} // namespace Fixtures
