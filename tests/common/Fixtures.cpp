#include "Fixtures.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

namespace {

bool write(const QString& path, const QString& schema, const QString& table,
           const QStringList& columns, const QList<QVariantList>& rows)
{
    QFile::remove(path);
    Database db;
    return db.create(path, schema) && db.insertRows(table, columns, rows);
}

} // namespace

namespace Fixtures {

bool writeDictionary(const QString& dir, const QList<WordRow>& rows)
{
    QList<QVariantList> values;
    for (const WordRow& row : rows) {
        values.append({row.mot, row.determinant, row.categorie, row.theme,
                       row.mark.isNull() ? QVariant("N") : row.mark,
                       row.icon.isEmpty() ? QVariant() : QVariant(row.icon)});
    }
    return write(QDir(dir).filePath(QString(Schema::DictionaryFile)), Schema::CreateDictionary,
                 Schema::DictionaryTable,
                 {"mot", "determinant", "categorie", "theme", "mot marque", "icone integree"},
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
    QList<QVariantList> values;
    for (const QString& theme : themes) {
        values.append({theme});
    }
    return write(QDir(dir).filePath(QString(Schema::ThemesFile)), Schema::CreateThemes,
                 Schema::ThemesTable, {"theme"}, values);
}

QList<QVariant> column(const QString& dir, const QString& field)
{
    QList<QVariant> values;
    Database db;
    if (!db.open(QDir(dir).filePath(QString(Schema::DictionaryFile)), Database::Access::ReadOnly)) {
        return values;
    }
    auto query = db.prepare(
        QStringLiteral("SELECT %1 FROM lexa ORDER BY rowid").arg(quoteIdentifier(field)));
    while (query && query->next()) {
        values.append(query->column(0));
    }
    return values;
}

int rowCount(const QString& dir)
{
    return static_cast<int>(column(dir, QStringLiteral("rowid")).size());
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
