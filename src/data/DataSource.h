#pragma once

#include "data/BoundControl.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Result.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// A data source: one database file (looked up in the current directory the
// first time it is opened, and kept there afterwards), one table as its record
// source, and the controls bound to that table's fields, which show the
// current record.
class DataSource : public QObject, private RecordView
{
    Q_OBJECT

public:
    DataSource(const QString& databaseName, const QString& recordSource, Database::Access access,
               QObject* parent = nullptr);
    ~DataSource() override;

    // While one lives, moving the record set leaves the bound controls as they
    // are (a changed control is still stored when its record is left); when
    // the last one ends, the record current then is shown once.
    class DeferDisplay
    {
    public:
        explicit DeferDisplay(DataSource& source);
        ~DeferDisplay();
        DeferDisplay(const DeferDisplay&) = delete;
        DeferDisplay& operator=(const DeferDisplay&) = delete;

    private:
        DataSource& m_source;
    };

    // The access of the next Refresh(): a dictionary in a folder that cannot
    // be written is opened for reading, and each write fails with a message.
    void setAccess(Database::Access access) { m_access = access; }
    Database::Access access() const { return m_access; }

    // The fields the record source must have: a table without one of them
    // is refused, named in the message, and the file left as it is.
    void setRequiredFields(const QStringList& fields) { m_requiredFields = fields; }

    // Registers a control; it is not owned and must outlive the data source.
    void bind(BoundControl* control);
    // Follows the rows of the record set, and of every one built from now
    // on; not owned.
    void setWatcher(RecordWatcher* watcher);

    // (Re)opens the database and builds a new record set positioned on the
    // first record.
    Result Refresh();
    // The record set of the last successful Refresh(). Callers must not use it
    // before one.
    RecordSet& Recordset();
    bool isOpen() const { return m_recordset != nullptr; }
    // The connection of the last successful Refresh(), for the operations
    // that write beside the record set in its transactions.
    Database& database() const { return *m_db; }

    // Absolute path fixed by the first Refresh(); empty before.
    const QString& databasePath() const { return m_path; }

signals:
    // The bound controls were loaded with the current record (or none).
    void currentShown();

private:
    QList<std::pair<QString, QVariant>> changedFields() const override;
    void clearChanged() override;
    void showCurrent() override;
    void loadBoundControls();
    // Whether the record source's `columns` (none: no table) hold the
    // required fields; `path` names the file.
    Result checkFields(const QStringList& columns, const QString& path) const;

    QString m_databaseName;
    QString m_recordSource;
    QStringList m_requiredFields;
    Database::Access m_access;
    QString m_path;
    QList<BoundControl*> m_bound;
    RecordWatcher* m_watcher = nullptr;
    int m_deferred = 0;
    bool m_displayPending = false;
    // The record set refers to the connection: it is declared after it, so it
    // goes first.
    std::unique_ptr<Database> m_db;
    std::unique_ptr<RecordSet> m_recordset;
};
