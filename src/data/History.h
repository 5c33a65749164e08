#pragma once

#include "data/Database.h"
#include "data/Result.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <array>
#include <map>
#include <memory>
#include <optional>

// The undo history of a dictionary, kept in its own file beside the words
// (tables lexa_undo_step and lexa_undo_change). While a step is open,
// triggers of this connection log every change and deletion in the words
// table into it, and its end logs the rows put in, in the same transaction as
// the change: a step and its change cannot part, whatever writes the row. Another program's changes
// are not logged; undoing a step whose rows no longer hold what it wrote is refused.
class History
{
public:
    struct Step
    {
        qint64 id = -1;
        QString label;
    };
    enum class Direction
    {
        Undo,
        Redo
    };

    // Steps kept at the least; older ones are dropped as new ones come.
    static constexpr int KeptSteps = 1000;
    // How often the steps beyond those kept are dropped.
    static constexpr int TrimEvery = 50;

    explicit History(QString table);

    // Opens a step named `label` on `db`, inside the caller's transaction:
    // every change to the table from now on belongs to it.
    Result beginStep(Database& db, const QString& label);
    // Closes the open step, still inside the caller's transaction: a step
    // that changed nothing is dropped; one that did ends the steps that
    // could be redone.
    Result endStep(Database& db);
    // Forgets the open step after a rollback took its rows away.
    void abandonStep();
    // Logs the row `rowid` into the open step before the step takes it out
    // (a deletion goes through here: no trigger runs for every row deleted).
    Result logTakingOut(Database& db, qint64 rowid);

    // The step an undo or a redo would take; nullopt when there is none (or
    // the file has no history).
    std::optional<Step> next(Database& db, Direction direction) const;

    // Takes the step back (Undo) or again (Redo), inside the caller's
    // transaction, and gives the rows it touched. A row that no longer holds
    // what the step left refuses it with a message naming the word, and
    // changes nothing.
    ResultOf<QList<qint64>> apply(Database& db, const Step& step, Direction direction);
    // Makes the tables (when missing) and this connection's triggers; every
    // step does it first, so calling it ahead only saves the first step's time.
    // A history that does not hang together (another program changed its
    // tables' columns, left changes without their step or a step without its
    // changes) is never applied: with `mend` it is set aside, kept in the
    // file under other names, and a new one begun, the result's notice
    // saying so; without, nothing is done and the result is a failure.
    Result install(Database& db, bool mend = true);
    // Takes the step that an undo refused out of the history, unapplied,
    // with the steps that could be redone: the next undo takes the one
    // before it.
    Result leaveOut(Database& db, const Step& step);

private:
    enum class Logged
    {
        PutIn,
        TakenOut
    };
    // Logs into `step` the rows above `rowid` (put in) or the row `rowid`
    // (about to be taken out), each with its fields that hold a value.
    // The largest rowid of the words table.
    ResultOf<qint64> lastRow(Database& db) const;
    Result logRows(Database& db, Logged kind, qint64 step, qint64 rowid);
    // What applying a step does to one row: whether it is there now and
    // after, and each field's value now and after.
    struct FieldChange
    {
        QVariant now;
        QVariant target;
    };
    struct RowPlan
    {
        bool marked = false;
        bool existsNow = true;
        bool existsAfter = true;
        // By the field's place among the table's columns.
        std::map<qsizetype, FieldChange> fields;
    };
    using Plan = std::map<qint64, RowPlan>;
    // The rows of a plan as the file holds them, each with the columns the
    // plan needs (the others null).
    struct Rows
    {
        std::map<qint64, QVariantList> values;
        // Every row of the plan's rowid range was read, not only its own.
        bool whole = false;
        void clear() { *this = Rows(); }
    };

    // The step's changes, row by row, for applying in `direction`; why they
    // cannot be applied (a field the table does not have, a row put in or
    // taken out twice) in `why`.
    ResultOf<Plan> plan(Database& db, qint64 step, Direction direction, QString* why) const;
    // Why the tables of the history do not hang together; empty when they do.
    // Makes them when they are missing.
    ResultOf<QString> damage(Database& db);
    // Renames the tables of a damaged history out of the way; the notice.
    ResultOf<QString> setAside(Database& db, const QString& why);
    Result readRows(Database& db, const Plan& plan, Rows* rows) const;
    // The first row that no longer holds what the plan finds; -1 when none.
    qint64 conflict(const Plan& plan, const Rows& rows) const;
    Result takeOut(Database& db, qint64 step, Direction direction, const QList<qint64>& gone,
                   const Rows& rows) const;
    QString wordOf(Database& db, qint64 step, qint64 row) const;

    QString m_table;
    QString m_quotedTable;
    QStringList m_columns;
    // The largest rowid when the open step began.
    qint64 m_lastRowBefore = 0;
    // Whether steps that could be redone may be there: unknown at first, and
    // after an undo.
    bool m_mayRedo = true;
    // The file's schema version when the triggers were made: another
    // program that changes the tables changes it.
    qint64 m_schema = -1;
    // The statements of logRows, made at their first use.
    std::array<QString, 2> m_logRows;
    // The open step's number, 0 while none is open; the triggers read it as
    // lexa_undo_step() and log only while it is set.
    std::shared_ptr<qint64> m_openStep;
};
