#pragma once

#include "data/Database.h"
#include "data/Result.h"
#include "data/TextColumn.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

// What a record set needs from the controls that show its current record.
class RecordView
{
public:
    // Values changed in the controls since the record was shown, by field.
    virtual QList<std::pair<QString, QVariant>> changedFields() const = 0;
    // Forgets those changes: they were stored or given up.
    virtual void clearChanged() = 0;
    // Another record (or none) is current, or the current one changed.
    virtual void showCurrent() = 0;

protected:
    ~RecordView() = default;
};

// What follows the rows of a record set and their words, as the word list's
// model does: told after the rows were read anew, after a row came in or its
// word (the first field) changed, and before rows leave (they can still be
// read then).
class RecordWatcher
{
public:
    virtual void rowsRead() = 0;
    // Rows added at the end, in rowid order: one at a time, or many together
    // (see RecordSet::AddedTogether).
    virtual void rowsAdded(const std::vector<qint64>& rowids) = 0;
    virtual void wordChanged(qint64 rowid) = 0;
    virtual void rowsLeaving(const std::vector<qint64>& rowids) = 0;

protected:
    ~RecordWatcher() = default;
};

// A cursor over all records of one table in rowid order, with a current
// record, finds by criterion, adding, editing and deleting. The text fields
// of every record are kept in memory, column by column, for the finds. The
// fields from the first BLOB (picture) field on are read from the file only
// when asked for: reading a field after a picture would read the picture.
//
// Every operation that can fail returns a Result with the reason (and
// whether another program deleted or changed the record); nothing here shows
// a message. A write that fails is given up:
// the cache stays equal to the file and the view is shown the file's values.
class RecordSet
{
public:
    RecordSet(Database& db, const QString& table, RecordView& view);
    // What a move, a write or a deletion without a current record says.
    static const QString NoWordShown;
    // Reads the table; the first record (if any) becomes current, unshown.
    Result load();
    // The one that follows the rows from now on (none: nullptr); not owned.
    void setWatcher(RecordWatcher* watcher) { m_watcher = watcher; }
    // While one lives, the rows added are told to the watcher together when
    // the last one ends (or before the watcher hears of anything else): a
    // list re-sorted once costs less than a row placed at a time.
    class AddedTogether
    {
    public:
        explicit AddedTogether(RecordSet& records) : m_records(records)
        {
            ++m_records.m_addingTogether;
        }
        ~AddedTogether()
        {
            if (--m_records.m_addingTogether == 0) {
                m_records.tellAdded();
            }
        }
        AddedTogether(const AddedTogether&) = delete;
        AddedTogether& operator=(const AddedTogether&) = delete;

    private:
        RecordSet& m_records;
    };

    // Every row's rowid, ascending.
    const std::vector<qint64>& rowids() const { return m_rowids; }
    // The text of cached field `field` (0: the first, the word) of the row
    // `rowid`; a null text for no value or no such row.
    QString textOf(qint64 rowid, int field = 0) const;

    Result MoveFirst();
    Result MoveLast();
    Result MoveNext();
    int RecordCount() const;

    Result FindFirst(const QString& criterion);
    Result FindNext(const QString& criterion);
    bool NoMatch() const { return m_noMatch; }

    Result AddNew();
    // Fields(name).Value = value on the record being added.
    Result setField(const QString& name, const QVariant& value);
    Result Update();
    Result Delete();
    // Writes `values` (by field name) into the stored record `rowid`, those
    // that differ from what it holds (no value and an empty text alike);
    // true when one did.
    ResultOf<bool> writeFields(qint64 rowid, const QList<std::pair<QString, QVariant>>& values);
    // One write giving `name` the same value in every record.
    Result setEveryRecord(const QString& name, const QVariant& value);
    // Adds at the table's end each of the text fields `names` it lacks, empty
    // in every record (each its own write, outside any transaction).
    Result addMissingFields(const QStringList& names);
    // Implicit saving: the changed controls go into the current record; a new
    // record being added is abandoned. Every move does this first.
    Result leaveRecord();

    // Fields(name).Value of the current record; a null variant when there is
    // none or the field holds no value.
    QVariant field(const QString& name) const;
    bool hasCurrent() const;
    // Identifies the current record (-1 when there is none), to come back to
    // it with moveToBookmark().
    qint64 bookmark() const;
    Result moveToBookmark(qint64 bookmark);
    bool isAdding() const { return m_mode == Mode::Adding; }
    // Another connection committed to the file since the rows were read.
    bool changedElsewhere() const;
    // Whether a record's first field holds exactly `text`.
    bool holds(const QString& text);

    // Groups many writes into one all-or-nothing commit (the reset of all
    // marks, the import). RollbackTrans() also puts the cached rows back.
    Result BeginTrans();
    Result CommitTrans();
    void RollbackTrans();
    // Reads every row again after a write beside the record set; the current
    // record stays current if it is still there, and is shown again.
    Result reload();
    // Reads the rows `rowids` (ascending) again: each takes what the file
    // holds, a row gone leaves and one beyond the last comes in. False when a
    // row would come in between or the file cannot be read: reload() then.
    bool reread(QList<qint64> rowids);

private:
    enum class Mode
    {
        Browse,
        Adding
    };
    using FieldValues = QList<std::pair<int, QVariant>>;

    Result readRows();
    Result readStoredRows();
    void appendRow(const Statement& query);
    void eraseRow(size_t row);
    // Takes out at once the cached rows from the end that are among `rowids`
    // and no longer stored; true when it did (rowids then holds the others).
    bool eraseGoneTail(QList<qint64>& rowids);
    qsizetype positionOf(qint64 rowid) const;
    QVariant valueAt(size_t row, int field) const;
    Result fail(const QString& message);
    Result giveUpWrite(const QString& message, bool fileChanged = false);
    // A write found the row gone or changed by another program: the cache
    // takes what the file holds.
    Result giveUpChangedRow(size_t row);
    // Sets a cached field of a row; true when that changed the row's word.
    bool setCached(size_t row, int field, const QVariant& value);
    // The row takes the cached fields `query` read of it.
    void takeStored(size_t row, const Statement& query);
    QString goneMessage(size_t row) const;
    int fieldIndex(const QString& name) const;
    bool isCached(int field) const { return field < m_cachedFields; }
    QVariant readStored(qint64 rowid, int field) const;

    Result saveBoundControls();
    FieldValues changedBoundValues() const;
    Result moveTo(qsizetype position);
    Result find(const QString& criterion, bool fromStart);
    Result writeRow(qsizetype position, const FieldValues& values);
    Result insertRow(const FieldValues& values);
    const QString& insertSql(const FieldValues& values);

    Database& m_db;
    // Tells the watcher the rows added that it has not heard of yet.
    void tellAdded();
    // The watcher (or null), told first of the rows added.
    RecordWatcher* watcher()
    {
        tellAdded();
        return m_watcher;
    }

    QString m_table;
    RecordView& m_view;
    QStringList m_fieldNames;
    // Names as they go into statements.
    QString m_quotedTable;
    QStringList m_quotedFields;
    // rowid and the cached fields.
    QString m_selectList;
    // Reads one row's cached fields by its rowid.
    QString m_selectRow;
    // The INSERT statement for each list of fields given, made at first use.
    QHash<QList<int>, QString> m_insertSql;
    // Fields before the first BLOB field are cached.
    int m_cachedFields = 0;
    std::vector<qint64> m_rowids;
    std::vector<TextColumn> m_columns; // one per cached field
    // Index of the current record; -1 before the first, size() at the end.
    qsizetype m_pos = -1;
    // After Delete the slot m_pos holds the record that followed the deleted one.
    bool m_deleted = false;
    bool m_noMatch = false;
    Mode m_mode = Mode::Browse;
    qsizetype m_posBeforeAdd = -1;
    bool m_deletedBeforeAdd = false;
    FieldValues m_pendingFields;
    bool m_inTransaction = false;
    RecordWatcher* m_watcher = nullptr;
    int m_addingTogether = 0;
    // Rows added that the watcher has not heard of yet.
    std::vector<qint64> m_added;
    // The file's data version when the rows were read.
    qint64 m_dataVersion = -1;
};
