#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;

// The floor of an operation: the same work done straight through SQLite's C
// API on the same file, with the store's journal settings. Any failure ends
// the benchmark.
class Floor
{
public:
    explicit Floor(const QString& path);
    ~Floor();
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;

    // The first column of every row of `sql`, in the word lists' order.
    QStringList sortedWords(const QString& sql);
    void exec(const QString& sql);
    // Every field of one record.
    QVariantList record(qint64 rowid);
    // Adds `words` as new records in one transaction.
    void insertWords(const QStringList& words);

private:
    sqlite3* m_db = nullptr;
};

// German order with letter case ignored, as the word lists sort.
void sortGerman(QStringList& words);
