#pragma once

#include <QDate>
#include <QString>

// The daily copy of a dictionary folder's two files into its "Sicherung"
// folder, named by date (LEXA-2026-12-06.MDB, THEME-2026-12-06.MDB); the
// last seven of each are kept.
namespace Backup {

inline constexpr int KeptCopies = 7;

struct Result
{
    enum class Status
    {
        Made,     // both files copied
        UpToDate, // a copy of today (or later) is there already
        Failed    // nothing new kept; message says why, in German
    };
    Status status;
    QString message;
};

// Makes today's copy unless the newest one is from `today` or later. Uses
// SQLite's online backup, so the copies are consistent even when a -wal file
// holds the last commits. A failure is for a warning: the dictionary itself
// is never touched.
Result makeDailyBackup(const QString& folder, const QDate& today);

} // namespace Backup
