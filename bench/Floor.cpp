#include "Floor.h"

#include "Measure.h"

#include <QCollator>
#include <QFile>
#include <algorithm>
#include <sqlite3.h>

namespace {

class Query
{
public:
    Query(sqlite3* db, const QString& sql)
    {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &m_stmt, nullptr) != SQLITE_OK) {
            Measure::fail(sql + ": " + QString::fromUtf8(sqlite3_errmsg(db)));
        }
    }
    ~Query() { sqlite3_finalize(m_stmt); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }
    bool next() const
    {
        const int step = sqlite3_step(m_stmt);
        if (step != SQLITE_ROW && step != SQLITE_DONE) {
            Measure::fail(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_stmt))));
        }
        return step == SQLITE_ROW;
    }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                                 sqlite3_column_bytes(m_stmt, column));
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace

Floor::Floor(const QString& path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        Measure::fail(path + ": " + QString::fromUtf8(sqlite3_errmsg(m_db)));
    }
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

Floor::~Floor()
{
    sqlite3_close(m_db);
}

QStringList Floor::sortedWords(const QString& sql)
{
    QStringList words;
    const Query query(m_db, sql);
    while (query.next()) {
        words.append(query.text(0));
    }
    sortGerman(words);
    return words;
}

void Floor::exec(const QString& sql)
{
    const Query query(m_db, sql);
    while (query.next()) {
    }
}

QVariantList Floor::record(qint64 rowid)
{
    const Query query(m_db, QStringLiteral("SELECT * FROM lexa WHERE rowid = ?"));
    sqlite3_bind_int64(query.get(), 1, rowid);
    QVariantList fields;
    if (query.next()) {
        for (int c = 0; c < sqlite3_column_count(query.get()); ++c) {
            if (sqlite3_column_type(query.get(), c) == SQLITE_BLOB) {
                fields.append(
                    QByteArray(static_cast<const char*>(sqlite3_column_blob(query.get(), c)),
                               sqlite3_column_bytes(query.get(), c)));
            } else {
                fields.append(query.text(c));
            }
        }
    }
    return fields;
}

void Floor::insertWords(const QStringList& words)
{
    exec(QStringLiteral("BEGIN"));
    {
        const Query insert(m_db, QStringLiteral("INSERT INTO lexa (mot) VALUES (?)"));
        for (const QString& word : words) {
            const QByteArray utf8 = word.toUtf8();
            sqlite3_bind_text(insert.get(), 1, utf8.constData(), int(utf8.size()),
                              SQLITE_TRANSIENT);
            insert.next();
            sqlite3_reset(insert.get());
        }
    }
    exec(QStringLiteral("COMMIT"));
}

void sortGerman(QStringList& words)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(words.begin(), words.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
}
