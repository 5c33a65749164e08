#include "Checks.h"

#include "data/Database.h"
#include "data/History.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

std::optional<Journal> readJournal(const QString& path)
{
    return Crash::readJournal<Step>(path, [](const QString& line) -> std::optional<Step> {
        if (line.startsWith(JournalLine::Operation)) {
            if (auto operation = Crash::decode(line.mid(JournalLine::Operation.size()))) {
                return Step{std::move(operation), {}};
            }
        } else if (line.startsWith(JournalLine::Backup)) {
            const QDate date = QDate::fromString(line.mid(JournalLine::Backup.size()), Qt::ISODate);
            if (date.isValid()) {
                return Step{std::nullopt, date};
            }
        }
        return std::nullopt;
    });
}

void apply(Expected& model, StepModel& steps, const Operation& operation)
{
    const size_t undoable = model.undo.size();
    const size_t redoable = model.redo.size();
    Crash::apply(model, operation);
    if (operation.kind == Operation::Kind::Undo && undoable > 0) {
        ++steps.undone;
    } else if (operation.kind == Operation::Kind::Redo && redoable > 0) {
        --steps.undone;
    } else if (model.undo.size() > undoable) {
        const qint64 id = steps.ids.empty() ? 1 : steps.ids.back() + 1;
        steps.ids.resize(steps.ids.size() - static_cast<size_t>(steps.undone));
        steps.undone = 0;
        steps.ids.push_back(id);
        while (id % History::TrimEvery == 0 && steps.ids.size() > History::KeptSteps) {
            steps.ids.pop_front();
        }
    }
}

std::optional<StepCounts> readSteps(Database& db)
{
    auto table = db.prepare(QStringLiteral(
        "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'lexa_undo_step'"));
    if (table && table->next() && table->columnInt64(0) == 0) {
        return std::nullopt;
    }
    auto counts =
        db.prepare(QStringLiteral("SELECT count(*) FILTER (WHERE done = 1), "
                                  "count(*) FILTER (WHERE done = 0) FROM lexa_undo_step"));
    if (!counts || !counts->next()) {
        return StepCounts{-1, -1};
    }
    return StepCounts{counts->columnInt64(0), counts->columnInt64(1)};
}

bool isIntact(Database& db)
{
    auto check = db.prepare(QStringLiteral("PRAGMA integrity_check"));
    return check && check->next() && check->text(0) == QLatin1String("ok");
}

namespace {

// Why the copy at `path` is not what it should be; empty when it is.
QString checkCopy(const QString& path, const std::optional<Words>& snapshot,
                  std::optional<qint64> themeCount)
{
    Database db;
    if (Result opened = db.open(path, Database::Access::ReadOnly); !opened) {
        return opened.error;
    }
    if (!isIntact(db)) {
        return QStringLiteral("the integrity check failed");
    }
    if (themeCount) {
        auto count = db.prepare(QStringLiteral("SELECT count(*) FROM themes"));
        return count && count->next() && count->columnInt64(0) == *themeCount
                   ? QString()
                   : QStringLiteral("the themes differ");
    }
    QString error;
    const auto words = Crash::read(db, &error);
    if (!words) {
        return error;
    }
    if (!snapshot) {
        return QStringLiteral("no backup was made with that date");
    }
    return *words == *snapshot ? QString() : QStringLiteral("the words differ");
}

// The copies as they are, unchecked.
Copies survey(const QString& folder)
{
    static const QRegularExpression dated(
        QStringLiteral("^(LEXA|THEME)-(\\d{4}-\\d{2}-\\d{2})\\.MDB$"));
    const QDir backups(QDir(folder).filePath(QStringLiteral("Sicherung")));
    Copies copies;
    for (const QString& name : backups.entryList(QDir::Files, QDir::Name)) {
        copies.partial += name.endsWith(QLatin1String(".teil")) ? 1 : 0;
        const auto match = dated.match(name);
        if (!match.hasMatch()) {
            continue;
        }
        const QFileInfo info(backups.filePath(name));
        const CopyFile copy{QDate::fromString(match.captured(2), Qt::ISODate),
                            match.captured(1) == QLatin1String("THEME"), info.size(),
                            info.lastModified()};
        copies.files[info.filePath()] = copy;
        QDate& newest = copy.themes ? copies.newestThemes : copies.newestDictionary;
        newest = std::max(newest, copy.date);
        if (!copy.themes) {
            copies.dictionaryDates.append(copy.date);
        }
    }
    return copies;
}

} // namespace

QString checkCopies(const QString& folder, const std::map<QDate, Words>& snapshots,
                    qint64 themeCount, const Copies& before, Copies* after)
{
    *after = survey(folder);
    for (const auto& [path, copy] : after->files) {
        if (const auto it = before.files.find(path);
            it != before.files.end() && it->second == copy) {
            continue;
        }
        const auto snapshot = snapshots.find(copy.date);
        const QString problem = checkCopy(
            path,
            snapshot == snapshots.end() ? std::nullopt : std::optional<Words>(snapshot->second),
            copy.themes ? std::optional<qint64>(themeCount) : std::nullopt);
        if (!problem.isEmpty()) {
            return QStringLiteral("the copy %1: %2").arg(QFileInfo(path).fileName(), problem);
        }
        ++after->checked;
    }
    if (after->newestDictionary < before.newestDictionary ||
        after->newestThemes < before.newestThemes) {
        return QStringLiteral("the newest copy is gone with no newer one in its place");
    }
    return {};
}
