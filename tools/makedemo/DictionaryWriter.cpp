#include "DictionaryWriter.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QFile>
#include <QVariant>

namespace {

// An empty text or icon is stored as NULL.
QVariant valueOf(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant valueOf(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
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

bool writeDatabase(const QString& path, const QString& schema, const QString& table,
                   const QStringList& columns, const QList<QVariantList>& rows, QString& error)
{
    const QString built = path + ".part";
    QFile::remove(built);
    Result filled;
    {
        Database db;
        filled = db.create(built, schema);
        if (filled) {
            filled = db.insertRows(table, columns, rows);
        }
        if (filled) {
            filled = db.close();
        }
    }
    if (!filled) {
        error = filled.error;
        QFile::remove(built);
        return false;
    }
    return moveIntoPlace(built, path, error);
}

} // namespace

namespace DictionaryWriter {

bool writeDictionary(const QString& path, const QList<WordRecord>& words, QString& error)
{
    QList<QVariantList> rows;
    rows.reserve(words.size());
    for (const WordRecord& w : words) {
        rows.append({valueOf(w.word), valueOf(w.article), valueOf(w.frequency), valueOf(w.themes),
                     QString(w.marked ? "O" : "N"), valueOf(w.icon), valueOf(w.sound),
                     valueOf(w.plural), valueOf(w.syllables)});
    }
    const QStringList columns{"mot",        "determinant",    "categorie",           "theme",
                              "mot marque", "icone integree", "fichier son associe", "pluriel",
                              "syllabes"};
    return writeDatabase(path, Schema::CreateDictionary, Schema::DictionaryTable, columns, rows,
                         error);
}

bool writeThemes(const QString& path, const QStringList& themes, QString& error)
{
    QList<QVariantList> rows;
    for (const QString& theme : themes) {
        rows.append({valueOf(theme)});
    }
    return writeDatabase(path, Schema::CreateThemes, Schema::ThemesTable, {"theme"}, rows, error);
}

} // namespace DictionaryWriter
