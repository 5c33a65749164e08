#pragma once

#include "data/Database.h"

#include <QLatin1StringView>
#include <QSet>
#include <QString>
#include <optional>

// The pairs of words the user said are not duplicates, kept in the
// dictionary beside its words, in a table made when the first pair is kept.
namespace NotDuplicates {

inline constexpr QLatin1StringView Table{"lexa_not_duplicate"};

// The pairs kept in `db`, each as notDuplicateKey() gives it; none when the
// table is not there yet. Nothing on failure (lastError() says why).
std::optional<QSet<QString>> load(Database& db);
// Keeps the pair of `a` and `b`, once; false on failure.
[[nodiscard]] bool add(Database& db, const QString& a, const QString& b);

} // namespace NotDuplicates
