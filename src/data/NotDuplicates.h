#pragma once

#include "data/Database.h"
#include "data/Result.h"

#include <QLatin1StringView>
#include <QSet>
#include <QString>

// The pairs of words the user said are not duplicates, kept in the
// dictionary beside its words, in a table made when the first pair is kept.
namespace NotDuplicates {

inline constexpr QLatin1StringView Table{"lexa_not_duplicate"};

// The pairs kept in `db`, each as notDuplicateKey() gives it; none when the
// table is not there yet.
[[nodiscard]] ResultOf<QSet<QString>> load(Database& db);
// Keeps the pair of `a` and `b`, once.
[[nodiscard]] Result add(Database& db, const QString& a, const QString& b);

} // namespace NotDuplicates
