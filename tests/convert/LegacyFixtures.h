#pragma once

// Helpers shared by the conversion tests: the fixtures in a writable place,
// reading back a converted file, and a snapshot of a folder.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <sqlite3.h>

namespace LegacyFixtures {

inline QString fixture(const QString& relative)
{
    return QStringLiteral(LEXA_LEGACY_FIXTURES "/") + relative;
}

inline QString readerProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lexa-mdb-reader");
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The Jet 4 dictionary (LEXA.MDB and THEME.MDB) copied into `dir`.
inline bool copyJet4(const QString& dir)
{
    for (const char* name : {"LEXA.MDB", "THEME.MDB"}) {
        if (!writeFile(QDir(dir).filePath(QLatin1String(name)),
                       fileBytes(fixture(QStringLiteral("jet4/") + QLatin1String(name))))) {
            return false;
        }
    }
    return true;
}

// Every file of `dir` with its contents.
inline QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    const QDir folder(dir);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        files.insert(name, fileBytes(folder.filePath(name)));
    }
    return files;
}

// The rows of a query on the SQLite file `path`: NULL as an invalid QVariant,
// TEXT as QString, BLOB as QByteArray.
inline QList<QVariantList> sqliteRows(const QString& path, const QString& query)
{
    QList<QVariantList> rows;
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = query.toUtf8();
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QVariantList row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const int type = sqlite3_column_type(statement, i);
                const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, i));
                const QByteArray bytes(data, sqlite3_column_bytes(statement, i));
                switch (type) {
                case SQLITE_NULL:
                    row.append(QVariant());
                    break;
                case SQLITE_BLOB:
                    row.append(bytes);
                    break;
                default:
                    row.append(QString::fromUtf8(bytes));
                }
            }
            rows.append(row);
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

} // namespace LegacyFixtures
