#include "data/NotDuplicates.h"

#include "data/NearWords.h"

namespace NotDuplicates {

ResultOf<QSet<QString>> load(Database& db)
{
    auto exists =
        db.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    if (!exists) {
        return Result(exists);
    }
    if (Result bound = exists->bind(1, QString(Table)); !bound) {
        return bound;
    }
    QSet<QString> pairs;
    if (!exists->next()) {
        if (Result read = exists->status(); !read) {
            return read;
        }
        return pairs;
    }
    auto rows = db.prepare(QStringLiteral("SELECT mot1, mot2 FROM %1").arg(Table));
    if (!rows) {
        return Result(rows);
    }
    while (rows->next()) {
        pairs.insert(notDuplicateKey(rows->text(0), rows->text(1)));
    }
    if (Result read = rows->status(); !read) {
        return read;
    }
    return pairs;
}

Result add(Database& db, const QString& a, const QString& b)
{
    // The smaller word first, so that each pair is kept once.
    const bool inOrder = a < b;
    if (Result made = db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (mot1 TEXT NOT NULL, "
                                             "mot2 TEXT NOT NULL, PRIMARY KEY (mot1, mot2))")
                                  .arg(Table));
        !made) {
        return made;
    }
    auto insert = db.prepare(
        QStringLiteral("INSERT OR IGNORE INTO %1 (mot1, mot2) VALUES (?, ?)").arg(Table));
    if (!insert) {
        return Result(insert);
    }
    if (Result bound = insert->bindAll({inOrder ? a : b, inOrder ? b : a}); !bound) {
        return bound;
    }
    return insert->exec();
}

} // namespace NotDuplicates
