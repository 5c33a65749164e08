#pragma once

#include "Operations.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <deque>
#include <map>
#include <optional>

class Database;

// What the child did, as its journal tells: operations, and daily backups
// made with the date they were given.
struct Step
{
    std::optional<Operation> operation; // empty: a backup
    QDate backup;
};

using Journal = Crash::Journal<Step>;

// A journal line: "B <operation>" or "K <date>" when a step begins, "E" when
// it has returned.
namespace JournalLine {
inline const QString Operation = QStringLiteral("B\t");
inline const QString Backup = QStringLiteral("K\t");
inline const QString End = Crash::JournalEnd;
} // namespace JournalLine

// A line cut off by the end of the child is left out; nullopt: malformed.
std::optional<Journal> readJournal(const QString& path);

// The undo history as the file keeps it: steps that can be undone, and
// steps undone that can be redone.
struct StepCounts
{
    qint64 done = 0;
    qint64 undone = 0;
    bool operator==(const StepCounts&) const = default;
};

// The steps the file must hold, by id, oldest first; the last `undone` of
// them were undone. Ids and trimming follow the history's rules: a new step
// takes the next id after every step there, undone ones included, then ends
// the undone ones; when its id is a multiple of History::TrimEvery, only the
// newest History::KeptSteps stay.
struct StepModel
{
    std::deque<qint64> ids;
    qint64 undone = 0;
    StepCounts counts() const { return {static_cast<qint64>(ids.size()) - undone, undone}; }
};

// Applies an operation to the model and to the steps the file must then hold.
void apply(Expected& model, StepModel& steps, const Operation& operation);

// Nullopt when the file has no history table; a failed query reads as -1.
std::optional<StepCounts> readSteps(Database& db);

// `PRAGMA integrity_check` says ok.
bool isIntact(Database& db);

// The dated copies in a dictionary folder's "Sicherung", checked against
// what the dictionary held when each copy was made.
struct CopyFile
{
    QDate date;
    bool themes = false; // THEME-…, else LEXA-…
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const CopyFile&) const = default;
};

struct Copies
{
    QDate newestDictionary;
    QDate newestThemes;
    int checked = 0;
    int partial = 0; // ".teil" files left by a cut: never taken for a copy
    QList<QDate> dictionaryDates;
    // By path. A copy whose size and time no cut has changed since it was
    // checked is not read again.
    std::map<QString, CopyFile> files;
};

// An empty string when every copy opens, passes the integrity check and
// holds what it should, and no newer copy was lost since `before`.
QString checkCopies(const QString& folder, const std::map<QDate, Words>& snapshots,
                    qint64 themeCount, const Copies& before, Copies* after);
