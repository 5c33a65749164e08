#include "Fixtures.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>

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

QList<QVariantList> query(const QString& path, const QString& sql)
{
    QList<QVariantList> rows;
    Database db;
    const Result opened = db.open(path, Database::Access::ReadOnly);
    auto statement = opened ? db.prepare(sql) : ResultOf<Statement>(opened);
    while (statement && statement->next()) {
        QVariantList row;
        for (int i = 0; i < statement->columnCount(); ++i) {
            const QVariant value = statement->column(i);
            row.append(value.typeId() == QMetaType::LongLong ? QVariant(value.toString()) : value);
        }
        rows.append(row);
    }
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

QString columnText(const QString& dir, const QString& field)
{
    QStringList values;
    for (const QVariant& value : column(dir, field)) {
        values.append(value.isNull()                            ? "<null>"
                      : value.typeId() == QMetaType::QByteArray ? "<bytes>"
                                                                : value.toString());
    }
    return field + u'=' + values.join(u',');
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

CommandRun runLexa(QStringList arguments, const QString& dir)
{
    for (QString& argument : arguments) {
        argument.replace("<dir>", dir);
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + "/lexa", arguments);
    if (!process.waitForFinished(60000)) {
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
