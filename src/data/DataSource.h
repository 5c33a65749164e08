#pragma once

#include "data/BoundControl.h"
#include "data/Criterion.h"
#include "data/Database.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <vector>

class DataSource;

// A cursor over all records of one table in rowid order, with a current
// record, finds by criterion, adding, editing and deleting. Text fields of
// every record are kept in memory for the finds; pictures (BLOB fields) are
// read from the file only for the record that becomes current.
//
// Every operation returns false on failure and leaves the reason in
// lastError(); nothing here shows a message.
class RecordSet
{
public:
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    int RecordCount() const;

    bool FindFirst(const QString& criterion);
    bool FindNext(const QString& criterion);
    bool NoMatch() const { return m_noMatch; }

    bool AddNew();
    bool Edit();
    // Fields(name).Value = value on the record being added or edited.
    bool setField(const QString& name, const QVariant& value);
    bool Update();
    bool Delete();

    // Fields(name).Value of the current record; a null variant when there is
    // none or the field holds no value.
    QVariant field(const QString& name) const;
    bool hasCurrent() const;
    // Identifies the current record (-1 when there is none), to come back to
    // it with moveToBookmark().
    qint64 bookmark() const;
    bool moveToBookmark(qint64 bookmark);
    bool isAdding() const { return m_mode == Mode::Adding; }

    // Groups many writes into one all-or-nothing commit (the reset of all
    // marks, the import). RollbackTrans() also puts the cached rows back.
    bool BeginTrans();
    bool CommitTrans();
    void RollbackTrans();

    const QString& lastError() const { return m_error; }

private:
    friend class DataSource;
    enum class Mode
    {
        Browse,
        Adding,
        Editing
    };
    struct Row
    {
        qint64 rowid = 0;
        QList<QVariant> values; // one per field; BLOB fields stay null here
    };

    RecordSet(DataSource& source, Database& db, const QString& table);
    bool load();
    bool readRows();
    QString selectList() const;
    Row readRow(const Statement& query) const;
    bool fail(const QString& message);
    int fieldIndex(const QString& name) const;
    bool isBlob(int field) const { return m_blobFields.contains(field); }
    QVariant readBlob(qint64 rowid, int field) const;

    // Implicit saving: the changed bound controls go into the current record
    // before the record set leaves it; a new record being added is abandoned.
    bool leaveRecord();
    bool saveBoundControls();
    QList<std::pair<int, QVariant>> changedBoundValues() const;
    void clearChangedMarks();
    bool moveTo(qsizetype position);
    bool find(const QString& criterion, bool fromStart);
    bool writeRow(qsizetype position, const QList<std::pair<int, QVariant>>& values);
    bool insertRow(const QList<std::pair<int, QVariant>>& values);

    DataSource& m_source;
    Database& m_db;
    QString m_table;
    QStringList m_fieldNames;
    QList<int> m_blobFields;
    std::vector<Row> m_rows;
    // Index of the current record; -1 before the first, size() at the end.
    qsizetype m_pos = -1;
    // After Delete the slot m_pos holds the record that followed the deleted one.
    bool m_deleted = false;
    bool m_noMatch = false;
    Mode m_mode = Mode::Browse;
    qsizetype m_posBeforeAdd = -1;
    bool m_deletedBeforeAdd = false;
    QList<std::pair<int, QVariant>> m_pendingFields;
    bool m_inTransaction = false;
    QString m_error;
};

// A data source: one database file (looked up in the current directory the
// first time it is opened, and kept there afterwards), one table as its record
// source, and the controls bound to that table's fields.
class DataSource : public QObject
{
    Q_OBJECT

public:
    DataSource(const QString& databaseName, const QString& recordSource, bool readOnly,
               QObject* parent = nullptr);
    ~DataSource() override;

    // Registers a control; it is not owned and must outlive the data source.
    void bind(BoundControl* control);

    // (Re)opens the database and builds a new record set positioned on the
    // first record.
    bool Refresh();
    // The record set of the last successful Refresh(). Callers must not use it
    // before one.
    RecordSet& Recordset();
    bool isOpen() const { return m_recordset != nullptr; }

    // Absolute path fixed by the first Refresh(); empty before.
    const QString& databasePath() const { return m_path; }
    const QString& lastError() const { return m_error; }

private:
    friend class RecordSet;
    void loadBoundControls();
    void clearBoundControls();

    QString m_databaseName;
    QString m_recordSource;
    bool m_readOnly;
    QString m_path;
    QString m_error;
    QList<BoundControl*> m_bound;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<RecordSet> m_recordset;
};
