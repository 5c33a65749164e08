#include "data/NotDuplicates.h"

#include "data/NearWords.h"

namespace NotDuplicates {

std::optional<QSet<QString>> load(Database& db)
{
    auto exists =
        db.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    if (!exists || !exists->bind(1, QString(Table))) {
        return std::nullopt;
    }
    QSet<QString> pairs;
    if (!exists->next()) {
        return exists->failed() ? std::nullopt : std::optional(pairs);
    }
    auto rows = db.prepare(QStringLiteral("SELECT mot1, mot2 FROM %1").arg(Table));
    if (!rows) {
        return std::nullopt;
    }
    while (rows->next()) {
        pairs.insert(notDuplicateKey(rows->text(0), rows->text(1)));
    }
    return rows->failed() ? std::nullopt : std::optional(pairs);
}

bool add(Database& db, const QString& a, const QString& b)
{
    // The smaller word first, so that each pair is kept once.
    const bool inOrder = a < b;
    if (!db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (mot1 TEXT NOT NULL, "
                                "mot2 TEXT NOT NULL, PRIMARY KEY (mot1, mot2))")
                     .arg(Table))) {
        return false;
    }
    auto insert = db.prepare(
        QStringLiteral("INSERT OR IGNORE INTO %1 (mot1, mot2) VALUES (?, ?)").arg(Table));
    return insert && insert->bindAll({inOrder ? a : b, inOrder ? b : a}) && insert->exec();
}

} // namespace NotDuplicates
