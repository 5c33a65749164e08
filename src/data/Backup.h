#pragma once

#include "data/Result.h"

#include <QDate>
#include <QString>

// The daily copy of a dictionary folder's two files into its "Sicherung"
// folder, named by date (LEXA-2026-12-06.MDB, THEME-2026-12-06.MDB); the
// last seven of each are kept.
namespace Backup {

inline constexpr int KeptCopies = 7;

// What a call that did not fail did.
enum class Copy
{
    Made,    // both files copied
    UpToDate // a copy of today, or a later one of the same words, is there already
};

// Makes today's copy unless there is one. When the newest copy is dated
// after `today` (the clock went back), a copy is made only if the dictionary
// changed since that copy, named for the day after it, and the notice says
// so. Only a
// dictionary whose two files open and pass SQLite's quick_check is copied;
// otherwise nothing in "Sicherung" changes, and where there is no dictionary
// the folder is not even made. Uses SQLite's online backup, so the copies are
// consistent even when a -wal file holds the last commits; each is renamed
// into place when whole, and the rename synced. A failure is for a warning
// (German, naming the file and why), with nothing new kept: the dictionary
// itself is never touched.
ResultOf<Copy> makeDailyBackup(const QString& folder, const QDate& today);

} // namespace Backup
