#pragma once

// Helpers shared by the conversion tests: the fixtures in a writable place,
// reading back a converted file, a snapshot of a folder, and streams in the
// format of lexa-mdb-reader.

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

// A stand-in for lexa-mdb-reader: a shell script in `dir`.
inline QString fakeReader(const QString& dir, const QByteArray& script)
{
    const QString program = QDir(dir).filePath(QStringLiteral("reader"));
    writeFile(program, "#!/bin/sh\n" + script + "\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    return program;
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

// Builds streams in the reader's format, correct or not.
class Stream
{
public:
    Stream& header(const QList<QByteArray>& names)
    {
        m_bytes += QByteArray("LXMR\1", 5) + le(names.size());
        for (const QByteArray& name : names) {
            m_bytes += le(name.size()) + name;
        }
        return *this;
    }
    Stream& record() { return raw("R"); }
    Stream& null() { return raw("N"); }
    Stream& text(const QByteArray& utf8) { return raw("T" + le(utf8.size()) + utf8); }
    Stream& bytes(const QByteArray& data) { return raw("B" + le(data.size()) + data); }
    Stream& end(quint32 count) { return raw("E" + le(count)); }
    Stream& raw(const QByteArray& data)
    {
        m_bytes += data;
        return *this;
    }
    QByteArray data() const { return m_bytes; }

private:
    static QByteArray le(quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
    QByteArray m_bytes;
};

} // namespace LegacyFixtures
