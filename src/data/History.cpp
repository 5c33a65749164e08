#include "data/History.h"

#include <QDir>
#include <QSet>
#include <iterator>
#include <utility>

// A change row: `field` NULL marks the row itself, put in (before NULL,
// after 1) or taken out (before 1, after NULL); otherwise one field of the
// row went from `before` to `after`. A row put in or taken out has a change
// row for each of its fields that is not NULL.
namespace {

const QString CreateTables = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS lexa_undo_step (id INTEGER PRIMARY KEY, label TEXT NOT NULL, "
    "done INTEGER NOT NULL DEFAULT 1);"
    "CREATE TABLE IF NOT EXISTS lexa_undo_change (step INTEGER NOT NULL, word INTEGER NOT NULL, "
    "field TEXT, before, after);"
    "CREATE INDEX IF NOT EXISTS lexa_undo_change_step ON lexa_undo_change (step, field, word);");

// Steps `query` to its one row (an aggregate always has one).
Result firstRow(Statement& query)
{
    return query.next() ? Result::success() : query.status();
}

QString quoteText(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The column holding the values a row is to get when the step is applied in
// `direction`.
QString targetColumn(History::Direction direction)
{
    return direction == History::Direction::Undo ? QStringLiteral("before")
                                                 : QStringLiteral("after");
}

} // namespace

History::History(QString table) : m_table(std::move(table)), m_quotedTable(quoteIdentifier(m_table))
{
}

// The tables stay in the file; the triggers and the open step's number live
// with the connection, so other programs writing the file log nothing.
Result History::install(Database& db, bool mend)
{
    if (m_columns.isEmpty()) {
        const auto columns = db.columns(m_table);
        if (!columns) {
            return columns;
        }
        if (columns->isEmpty()) {
            return Result::failure(missingTableMessage(m_table, db.path()));
        }
        m_columns = columns.value;
    }
    // The triggers ask for the open step first: while there is none they end
    // at once, for every row an undo or "raz" writes.
    auto openStep = db.makeValue(QStringLiteral("lexa_undo_step"));
    if (!openStep) {
        m_openStep.reset();
        return openStep;
    }
    m_openStep = std::move(openStep.value);
    // The file's schema changes with every table made, dropped or altered.
    const auto versionQuery = db.cached(QStringLiteral("PRAGMA schema_version"));
    if (!versionQuery) {
        return versionQuery;
    }
    Statement& version = *versionQuery.value;
    if (Result read = firstRow(version); !read) {
        return read;
    }
    const qint64 schema = version.columnInt64(0);
    version.reset();
    const auto installed = db.cached(QStringLiteral(
        "SELECT group_concat('\"' || replace(name, '\"', '\"\"') || '\"', char(10)) FROM "
        "sqlite_temp_master WHERE type='trigger' AND name LIKE 'lexa_undo_%'"));
    if (!installed) {
        return installed;
    }
    if (Result read = firstRow(*installed.value); !read) {
        return read;
    }
    const QString triggersThere = installed.value->text(0);
    installed.value->reset();
    if (!triggersThere.isEmpty()) {
        if (schema == m_schema) {
            return Result::success();
        }
        // Another program changed the file's tables while LEXA had it open:
        // they are checked again, without triggers writing into them.
        QString drop;
        for (const QString& trigger : triggersThere.split(u'\n')) {
            drop += QStringLiteral("DROP TRIGGER temp.%1;").arg(trigger);
        }
        if (Result dropped = db.exec(drop); !dropped) {
            return dropped;
        }
    }
    // Another program may have changed the tables since this connection's
    // last step: they are checked before any trigger writes into them.
    const auto damaged = damage(db);
    if (!damaged) {
        return damaged;
    }
    QString notice;
    if (!damaged.value.isEmpty()) {
        if (!mend) {
            return Result::failure(damaged.value);
        }
        const auto setAsideNotice = setAside(db, damaged.value);
        if (!setAsideNotice) {
            return setAsideNotice;
        }
        if (Result made = db.exec(CreateTables); !made) {
            return made;
        }
        notice = setAsideNotice.value;
    }
    // A trigger logs each field a step changes. Rows put in and taken out are
    // logged whole by one statement each (logRows): a trigger run for every
    // row would cost more than the row, also for the rows an undo takes out.
    QString triggers;
    for (const QString& column : std::as_const(m_columns)) {
        const QString name = quoteText(column);
        const QString quoted = quoteIdentifier(column);
        triggers +=
            QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS %1 AFTER UPDATE OF %2 ON main.%3 "
                           "WHEN lexa_undo_step() IS NOT NULL AND OLD.%2 IS NOT NEW.%2 BEGIN "
                           "INSERT INTO lexa_undo_change (step, word, field, before, after) "
                           "VALUES (lexa_undo_step(), NEW.rowid, %4, OLD.%2, NEW.%2); END;")
                .arg(quoteIdentifier(QStringLiteral("lexa_undo_update_") + column), quoted,
                     m_quotedTable, name);
    }
    if (Result made = db.exec(triggers); !made) {
        return made;
    }
    if (Result read = firstRow(version); !read) {
        return read;
    }
    m_schema = version.columnInt64(0);
    version.reset();
    Result done = Result::success();
    done.notice = notice;
    return done;
}

ResultOf<QString> History::damage(Database& db)
{
    const std::pair<QString, QStringList> tables[] = {
        {QStringLiteral("lexa_undo_step"),
         {QStringLiteral("id"), QStringLiteral("label"), QStringLiteral("done")}},
        {QStringLiteral("lexa_undo_change"),
         {QStringLiteral("step"), QStringLiteral("word"), QStringLiteral("field"),
          QStringLiteral("before"), QStringLiteral("after")}}};
    for (const auto& [table, needed] : tables) {
        const auto columns = db.columns(table);
        if (!columns) {
            return Result(columns);
        }
        QStringList missing;
        for (const QString& column : needed) {
            if (!columns->isEmpty() && !columns->contains(column, Qt::CaseInsensitive)) {
                missing.append(QStringLiteral("„%1“").arg(column));
            }
        }
        if (!missing.isEmpty()) {
            return QStringLiteral("der Tabelle „%1“ fehlt %2 %3")
                .arg(table,
                     missing.size() == 1 ? QStringLiteral("die Spalte")
                                         : QStringLiteral("die Spalten"),
                     missing.join(QStringLiteral(", ")));
        }
    }
    if (Result made = db.exec(CreateTables); !made) {
        return made;
    }
    // Each step has its changes and each change its step; the index leads
    // from one step to the next.
    const std::pair<QString, QString> checks[] = {
        {QStringLiteral("WITH RECURSIVE s(step) AS (SELECT min(step) FROM lexa_undo_change "
                        "UNION ALL SELECT (SELECT min(step) FROM lexa_undo_change WHERE "
                        "step>s.step) FROM s WHERE s.step IS NOT NULL) SELECT 1 FROM s WHERE "
                        "step IS NOT NULL AND NOT EXISTS (SELECT 1 FROM lexa_undo_step WHERE "
                        "id=s.step) LIMIT 1"),
         QStringLiteral("er enthält Änderungen ohne ihren Schritt")},
        {QStringLiteral("SELECT 1 FROM lexa_undo_step s WHERE NOT EXISTS (SELECT 1 FROM "
                        "lexa_undo_change WHERE step=s.id) LIMIT 1"),
         QStringLiteral("einem Schritt fehlen seine Änderungen")}};
    for (const auto& [sql, why] : checks) {
        auto query = db.prepare(sql);
        if (!query) {
            return Result(query);
        }
        if (query->next()) {
            return why;
        }
        if (Result read = query->status(); !read) {
            return read;
        }
    }
    return QString();
}

ResultOf<QString> History::setAside(Database& db, const QString& why)
{
    // The first number free for both names.
    QString steps;
    QString changes;
    for (int n = 1;; ++n) {
        steps = QStringLiteral("lexa_undo_step_set_aside_%1").arg(n);
        changes = QStringLiteral("lexa_undo_change_set_aside_%1").arg(n);
        auto taken = db.prepare(QStringLiteral("SELECT 1 FROM sqlite_schema WHERE name IN (?, ?)"));
        if (!taken) {
            return Result(taken);
        }
        if (Result bound = taken->bindAll({steps, changes}); !bound) {
            return bound;
        }
        if (!taken->next()) {
            if (Result read = taken->status(); !read) {
                return read;
            }
            break;
        }
    }
    // The index keeps its name when its table is renamed; the new table
    // needs it.
    QString sql = QStringLiteral("DROP INDEX IF EXISTS lexa_undo_change_step;");
    for (const auto& [table, renamed] : {std::pair{QStringLiteral("lexa_undo_step"), steps},
                                         std::pair{QStringLiteral("lexa_undo_change"), changes}}) {
        const auto columns = db.columns(table);
        if (!columns) {
            return Result(columns);
        }
        if (!columns->isEmpty()) {
            sql += QStringLiteral("ALTER TABLE %1 RENAME TO %2;")
                       .arg(quoteIdentifier(table), quoteIdentifier(renamed));
        }
    }
    if (Result renamed = db.exec(sql); !renamed) {
        return renamed;
    }
    return QStringLiteral(
               "Der Verlauf zum Rückgängigmachen in der Datei „%1“ wurde von einem anderen "
               "Programm verändert: %2. Er wird nicht angewandt. LEXA bewahrt ihn in der Datei "
               "als Tabellen „%3“ und „%4“ auf und beginnt einen neuen Verlauf: was bis jetzt "
               "geändert wurde, kann nicht mehr rückgängig gemacht werden. Die Wörter bleiben, "
               "wie sie sind.")
        .arg(QDir::toNativeSeparators(db.path()), why, steps, changes);
}

Result History::beginStep(Database& db, const QString& label)
{
    Result installed = install(db);
    if (!installed) {
        return installed;
    }
    // A step's number was never any other step's, also where another program
    // took steps away and left their changes: no change joins a step it was
    // not written with. Numbers only: SQLite sorts a text after them.
    if (Result done =
            db.execCached(QStringLiteral("INSERT INTO lexa_undo_step (id, label, done) SELECT "
                                         "max(coalesce((SELECT max(id) FROM lexa_undo_step), 0), "
                                         "coalesce((SELECT CAST(step AS INTEGER) FROM "
                                         "lexa_undo_change WHERE step<=9223372036854775806 "
                                         "ORDER BY step DESC LIMIT 1), 0)) + 1, ?, 1"),
                          {label});
        !done) {
        return done;
    }
    const qint64 step = db.lastInsertRowid();
    const auto last = lastRow(db);
    if (!last) {
        return last;
    }
    m_lastRowBefore = last.value;
    *m_openStep = step;
    return installed;
}

ResultOf<qint64> History::lastRow(Database& db) const
{
    const auto last =
        db.cached(QStringLiteral("SELECT max(rowid) FROM main.%1").arg(m_quotedTable));
    if (!last) {
        return Result(last);
    }
    if (Result read = firstRow(*last.value); !read) {
        return read;
    }
    const qint64 row = last.value->columnInt64(0);
    last.value->reset();
    return row;
}

// Logs rows whole: the row itself and each of its fields that holds a value,
// one range read of the table per field (cheaper than joining every row
// with every field and sorting out the nulls after).
Result History::logRows(Database& db, Logged kind, qint64 step, qint64 rowid)
{
    QString& sql = m_logRows.at(kind == Logged::PutIn ? 0 : 1);
    if (sql.isEmpty()) {
        const QString rows =
            kind == Logged::PutIn ? QStringLiteral("rowid>?2") : QStringLiteral("rowid=?2");
        const auto values = [&](const QString& value) {
            return kind == Logged::PutIn ? QStringLiteral("NULL, ") + value
                                         : value + QStringLiteral(", NULL");
        };
        QStringList parts{QStringLiteral("SELECT ?1, rowid, NULL, %1 FROM main.%2 WHERE %3")
                              .arg(values(QStringLiteral("1")), m_quotedTable, rows)};
        for (const QString& column : std::as_const(m_columns)) {
            const QString quoted = quoteIdentifier(column);
            parts.append(
                QStringLiteral("SELECT ?1, rowid, %1, %2 FROM main.%3 WHERE %4 AND %5 IS NOT NULL")
                    .arg(quoteText(column), values(quoted), m_quotedTable, rows, quoted));
        }
        sql = QStringLiteral("INSERT INTO lexa_undo_change (step, word, field, before, after) ") +
              parts.join(QStringLiteral(" UNION ALL "));
    }
    return db.execCached(sql, {step, rowid});
}

Result History::logTakingOut(Database& db, qint64 rowid)
{
    return logRows(db, Logged::TakenOut, *m_openStep, rowid);
}

Result History::endStep(Database& db)
{
    const qint64 step = std::exchange(*m_openStep, 0);
    // A row put in gets the next rowid above the largest: those above the
    // largest at the step's start are the rows it put in.
    const auto last = lastRow(db);
    if (!last) {
        return last;
    }
    if (last.value > m_lastRowBefore) {
        if (Result logged = logRows(db, Logged::PutIn, step, m_lastRowBefore); !logged) {
            return logged;
        }
    }
    const auto changed =
        db.cached(QStringLiteral("SELECT 1 FROM lexa_undo_change WHERE step=? LIMIT 1"));
    if (!changed) {
        return changed;
    }
    if (Result bound = changed.value->bind(1, step); !bound) {
        return bound;
    }
    const bool any = changed.value->next();
    changed.value->reset();
    if (!any) {
        return db.execCached(QStringLiteral("DELETE FROM lexa_undo_step WHERE id=?"), {step});
    }
    // A new change ends the steps that could be redone: those above the last
    // step in force, below this one (there are none unless an undo came since
    // the last time).
    const QString undone = QStringLiteral(
        "%1>(SELECT coalesce(max(id), 0) FROM lexa_undo_step WHERE done=1 AND id<?1) AND %1<?1");
    if (std::exchange(m_mayRedo, false)) {
        Result ended = db.execCached(QStringLiteral("DELETE FROM lexa_undo_change WHERE ") +
                                         undone.arg(QStringLiteral("step")),
                                     {step});
        if (ended) {
            ended = db.execCached(
                QStringLiteral("DELETE FROM lexa_undo_step WHERE ") + undone.arg("id"), {step});
        }
        if (!ended) {
            return ended;
        }
    }
    // Now and then the steps beyond those kept go, the oldest first.
    if (step % TrimEvery != 0) {
        return Result::success();
    }
    Result trimmed =
        db.execCached(QStringLiteral("DELETE FROM lexa_undo_change WHERE step<(SELECT id FROM "
                                     "lexa_undo_step ORDER BY id DESC LIMIT 1 OFFSET ?)"),
                      {KeptSteps - 1});
    if (!trimmed) {
        return trimmed;
    }
    return db.execCached(QStringLiteral("DELETE FROM lexa_undo_step WHERE id<(SELECT id FROM "
                                        "lexa_undo_step ORDER BY id DESC LIMIT 1 OFFSET ?)"),
                         {KeptSteps - 1});
}

void History::abandonStep()
{
    // The rollback took the step's rows, and brought back any undone steps
    // its end had taken away.
    m_mayRedo = true;
    if (m_openStep) {
        *m_openStep = 0;
    }
}

std::optional<History::Step> History::next(Database& db, Direction direction) const
{
    // A file without history has no table to read: there is nothing to do.
    const auto cached = db.cached(direction == Direction::Undo
                                      ? QStringLiteral("SELECT id, label FROM lexa_undo_step WHERE "
                                                       "done=1 ORDER BY id DESC LIMIT 1")
                                      : QStringLiteral("SELECT id, label FROM lexa_undo_step WHERE "
                                                       "done=0 ORDER BY id ASC LIMIT 1"));
    if (!cached) {
        return std::nullopt;
    }
    Statement& query = *cached.value;
    std::optional<Step> step;
    if (query.next()) {
        step = Step{query.columnInt64(0), query.text(1)};
    }
    query.reset();
    return step;
}

QString History::wordOf(Database& db, qint64 step, qint64 row) const
{
    const auto query =
        db.cached(QStringLiteral("SELECT coalesce((SELECT mot FROM %1 WHERE rowid=?2), "
                                 "(SELECT coalesce(after, before) FROM lexa_undo_change WHERE "
                                 "step=?1 AND word=?2 AND field='mot' LIMIT 1), '')")
                      .arg(m_quotedTable));
    if (!query || !query.value->bindAll({step, row}) || !query.value->next()) {
        return {};
    }
    QString word = query.value->text(0);
    query.value->reset();
    return word;
}

namespace {

// A value as SQLite's IS compares it: its type and its content.
bool sameValue(const QVariant& a, const QVariant& b)
{
    return a.metaType() == b.metaType() && a == b;
}

} // namespace

ResultOf<History::Plan> History::plan(Database& db, qint64 step, Direction direction,
                                      QString* why) const
{
    const auto cached =
        db.cached(QStringLiteral("SELECT word, field, before, after FROM "
                                 "lexa_undo_change WHERE step=? ORDER BY field, word, rowid"));
    if (!cached) {
        return Result(cached);
    }
    Statement* query = cached.value;
    if (Result bound = query->bind(1, step); !bound) {
        return bound;
    }
    QList<QByteArray> names;
    for (const QString& column : m_columns) {
        names.append(column.toUtf8());
    }
    // Undoing, a field has now the last value the step wrote and gets the
    // first it found; redoing, the other way round. The order of the index
    // puts a row's changes of one field together, in the order they came.
    const bool undo = direction == Direction::Undo;
    const int nowColumn = undo ? 3 : 2;
    const int targetColumn = undo ? 2 : 3;
    // Only the word's new text is needed of the values a field gets.
    const qsizetype word = m_columns.indexOf(QStringLiteral("mot"));
    Plan plan;
    // Within a field the rows come in rowid order: the next row is most often
    // the one after the last.
    auto at = plan.end();
    while (query->next()) {
        at = plan.try_emplace(at == plan.end() ? at : std::next(at), query->columnInt64(0));
        RowPlan& row = at->second;
        if (query->isNull(1)) {
            // A row is put in or taken out once in a step.
            if (row.marked) {
                *why = QStringLiteral("seine Änderungen im Verlauf der Datei „%1“ widersprechen "
                                      "sich; ein anderes Programm hat sie geändert.")
                           .arg(QDir::toNativeSeparators(db.path()));
                break;
            }
            row.marked = true;
            row.existsNow = !query->isNull(nowColumn);
            row.existsAfter = !query->isNull(targetColumn);
            continue;
        }
        const qsizetype field = names.indexOf(query->utf8(1));
        if (field < 0) {
            *why = QStringLiteral("der Schritt ändert das Feld „%1“, das die Tabelle „%2“ nicht "
                                  "hat; ein anderes Programm hat den Verlauf oder die Tabelle "
                                  "geändert.")
                       .arg(query->text(1), m_table);
            break;
        }
        const auto [change, first] = row.fields.try_emplace(field);
        if (undo || first) {
            change->second.now = query->column(nowColumn);
        }
        if (field == word && (!undo || first)) {
            change->second.target = query->column(targetColumn);
        }
    }
    Result read = query->status();
    query->reset();
    if (!read) {
        return read;
    }
    return plan;
}

Result History::readRows(Database& db, const Plan& plan, Rows* rows) const
{
    rows->clear();
    // The word and the fields the step changed are read, no other.
    std::vector<bool> wanted(static_cast<size_t>(m_columns.size()), false);
    wanted[static_cast<size_t>(m_columns.indexOf(QStringLiteral("mot")))] = true;
    for (const auto& entry : plan) {
        for (const auto& change : entry.second.fields) {
            wanted[static_cast<size_t>(change.first)] = true;
        }
    }
    QStringList fields{QStringLiteral("rowid")};
    QList<qsizetype> read;
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (wanted[static_cast<size_t>(i)]) {
            fields.append(quoteIdentifier(m_columns.at(i)));
            read.append(i);
        }
    }
    const qint64 first = plan.begin()->first;
    const qint64 last = plan.rbegin()->first;
    // Rows close together are read in one pass over their range.
    const bool range = last - first < 2 * static_cast<qint64>(plan.size());
    rows->whole = range;
    const auto cached = db.cached(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3")
            .arg(fields.join(u','), m_quotedTable,
                 range ? QStringLiteral("rowid BETWEEN ?1 AND ?2") : QStringLiteral("rowid=?1")));
    if (!cached) {
        return cached;
    }
    Statement* query = cached.value;
    // Reads the rows of the values bound.
    const auto readAll = [&](const QVariantList& values) {
        if (Result bound = query->bindAll(values); !bound) {
            return bound;
        }
        while (query->next()) {
            QVariantList row(m_columns.size());
            for (qsizetype i = 0; i < read.size(); ++i) {
                row[read.at(i)] = query->column(static_cast<int>(i) + 1);
            }
            rows->values.emplace(query->columnInt64(0), row);
        }
        Result done = query->status();
        query->reset();
        return done;
    };
    if (range) {
        return readAll({first, last});
    }
    for (const auto& entry : plan) {
        if (Result done = readAll({entry.first}); !done) {
            return done;
        }
    }
    return Result::success();
}

qint64 History::conflict(const Plan& plan, const Rows& rows) const
{
    for (const auto& [word, row] : plan) {
        const auto stored = rows.values.find(word);
        const bool exists = stored != rows.values.end();
        if (exists != (row.marked ? row.existsNow : true)) {
            return word;
        }
        for (const auto& [field, change] : row.fields) {
            if (exists && !sameValue(stored->second.at(field), change.now)) {
                return word;
            }
        }
    }
    return -1;
}

ResultOf<QList<qint64>> History::apply(Database& db, const Step& step, Direction direction)
{
    if (Result installed = install(db); !installed) {
        return installed;
    }
    m_mayRedo = true;
    QString why;
    const auto planned = plan(db, step.id, direction, &why);
    if (!planned) {
        return planned;
    }
    const QString refused =
        QStringLiteral("„%1“ kann nicht %2 werden: ")
            .arg(step.label, direction == Direction::Undo ? QStringLiteral("rückgängig gemacht")
                                                          : QStringLiteral("wiederholt"));
    // What another program left of the step is not applied in part.
    if (why.isNull() && planned.value.empty()) {
        why = QStringLiteral("seine Änderungen fehlen im Verlauf der Datei „%1“; ein anderes "
                             "Programm hat sie entfernt.")
                  .arg(QDir::toNativeSeparators(db.path()));
    }
    if (!why.isNull()) {
        return Result::failure(refused + why + QStringLiteral(" Es bleibt alles, wie es ist."),
                               true);
    }
    Rows rows;
    if (!planned.value.empty()) {
        if (Result read = readRows(db, planned.value, &rows); !read) {
            return read;
        }
    }
    if (const qint64 conflicting = conflict(planned.value, rows); conflicting >= 0) {
        return Result::failure(refused + QStringLiteral("das Wort „%1“ wurde inzwischen von "
                                                        "einem anderen Programm geändert. Es "
                                                        "bleibt, wie es ist.")
                                             .arg(wordOf(db, step.id, conflicting)),
                               true);
    }
    QList<qint64> touched;
    QList<qint64> gone;
    bool comeBack = false;
    QSet<qsizetype> fields;
    for (const auto& [rowid, row] : planned.value) {
        touched.append(rowid);
        const bool existsAfter = row.marked ? row.existsAfter : true;
        if (row.marked && !row.existsAfter && row.existsNow) {
            gone.append(rowid);
        }
        comeBack = comeBack || (row.marked && row.existsAfter && !row.existsNow);
        for (const auto& entry : row.fields) {
            if (existsAfter) {
                fields.insert(entry.first);
            }
        }
    }
    if (Result taken = takeOut(db, step.id, direction, gone, rows); !taken) {
        return taken;
    }
    const QString target = targetColumn(direction);
    QStringList statements;
    if (comeBack) {
        // A row comes back at its old place in rowid order, its fields set below.
        QStringList bareFields;
        for (const QString& column : std::as_const(m_columns)) {
            bareFields.append(quoteIdentifier(column));
        }
        statements.append(
            QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT word%3 FROM lexa_undo_change WHERE "
                           "step=?1 AND field IS NULL AND %4 IS NOT NULL")
                .arg(m_quotedTable, bareFields.join(u','),
                     QStringLiteral(", NULL").repeated(m_columns.size()), target));
    }
    const QString order =
        direction == Direction::Undo ? QStringLiteral("ASC") : QStringLiteral("DESC");
    for (qsizetype field = 0; field < m_columns.size(); ++field) {
        const QString& column = m_columns.at(field);
        if (fields.contains(field)) {
            statements.append(
                QStringLiteral("UPDATE %1 SET %2=(SELECT c.%3 FROM lexa_undo_change c "
                               "WHERE c.step=?1 AND c.field=%4 AND c.word=%1.rowid "
                               "ORDER BY c.rowid %5 LIMIT 1) WHERE rowid IN (SELECT "
                               "word FROM lexa_undo_change WHERE step=?1 AND "
                               "field=%4)")
                    .arg(m_quotedTable, quoteIdentifier(column), target, quoteText(column), order));
        }
    }
    statements.append(QStringLiteral("UPDATE lexa_undo_step SET done=%1 WHERE id=?1")
                          .arg(direction == Direction::Undo ? 0 : 1));
    for (const QString& sql : std::as_const(statements)) {
        if (Result done = db.execCached(sql, {step.id}); !done) {
            return done;
        }
    }
    return touched;
}

// The rows `gone` leave; when they are all the rows of their range, as after
// an import, by that range.
Result History::takeOut(Database& db, qint64 step, Direction direction, const QList<qint64>& gone,
                        const Rows& rows) const
{
    if (gone.isEmpty()) {
        return Result::success();
    }
    const auto from = rows.values.find(gone.front());
    const auto to = rows.values.find(gone.back());
    if (rows.whole && from != rows.values.end() && to != rows.values.end() &&
        std::distance(from, to) + 1 == gone.size()) {
        return db.execCached(
            QStringLiteral("DELETE FROM %1 WHERE rowid BETWEEN ? AND ?").arg(m_quotedTable),
            {gone.front(), gone.back()});
    }
    return db.execCached(
        QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT word FROM lexa_undo_change "
                       "WHERE step=?1 AND field IS NULL AND %2 IS NULL)")
            .arg(m_quotedTable, targetColumn(direction)),
        {step});
}

Result History::leaveOut(Database& db, const Step& step)
{
    m_mayRedo = false;
    Result done =
        db.execCached(QStringLiteral("DELETE FROM lexa_undo_change WHERE step=?1 OR step IN "
                                     "(SELECT id FROM lexa_undo_step WHERE done=0)"),
                      {step.id});
    if (done) {
        done = db.execCached(QStringLiteral("DELETE FROM lexa_undo_step WHERE id=?1 OR done=0"),
                             {step.id});
    }
    return done;
}
