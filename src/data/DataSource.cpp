#include "data/DataSource.h"

#include "data/Database.h"

#include <QDir>
#include <limits>

namespace {
const QString NoCurrentRecord = QStringLiteral("Kein aktueller Datensatz.");
} // namespace

// ---------------------------------------------------------------- RecordSet

RecordSet::RecordSet(DataSource& source, Database& db, const QString& table)
    : m_source(source), m_db(db), m_table(table)
{
}

bool RecordSet::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool RecordSet::load()
{
    auto info = m_db.prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(m_table)));
    if (!info) {
        return fail(m_db.lastError());
    }
    m_fieldNames.clear();
    m_blobFields.clear();
    while (info->next()) {
        if (info->column(2).toString().contains(QLatin1String("BLOB"), Qt::CaseInsensitive)) {
            m_blobFields.append(static_cast<int>(m_fieldNames.size()));
        }
        m_fieldNames.append(info->column(1).toString());
    }
    if (m_fieldNames.isEmpty()) {
        return fail(QStringLiteral("Die Tabelle \"%1\" fehlt in der Datenbank.").arg(m_table));
    }
    return readRows();
}

QString RecordSet::selectList() const
{
    QStringList columns{QStringLiteral("rowid")};
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        // Pictures stay in the file until their record becomes current.
        columns.append(isBlob(i) ? QStringLiteral("NULL") : quoteIdentifier(m_fieldNames.at(i)));
    }
    return columns.join(QLatin1Char(','));
}

RecordSet::Row RecordSet::readRow(const Statement& query) const
{
    Row row;
    row.rowid = query.columnInt64(0);
    row.values.reserve(m_fieldNames.size());
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        row.values.append(query.column(i + 1));
    }
    return row;
}

bool RecordSet::readRows()
{
    auto query = m_db.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                  .arg(selectList(), quoteIdentifier(m_table)));
    if (!query) {
        return fail(m_db.lastError());
    }
    m_rows.clear();
    while (query->next()) {
        m_rows.push_back(readRow(*query));
    }
    return true;
}

int RecordSet::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

bool RecordSet::hasCurrent() const
{
    return m_mode != Mode::Adding && !m_deleted && m_pos >= 0 &&
           m_pos < static_cast<qsizetype>(m_rows.size());
}

qint64 RecordSet::bookmark() const
{
    return hasCurrent() ? m_rows[static_cast<size_t>(m_pos)].rowid : -1;
}

bool RecordSet::moveToBookmark(qint64 bookmark)
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].rowid == bookmark) {
            return moveTo(static_cast<qsizetype>(i));
        }
    }
    return fail(NoCurrentRecord);
}

QVariant RecordSet::readBlob(qint64 rowid, int field) const
{
    Statement* reader =
        m_db.cached(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                        .arg(quoteIdentifier(m_fieldNames.at(field)), quoteIdentifier(m_table)));
    if (!reader || !reader->bind(1, rowid)) {
        return {};
    }
    const QVariant value = reader->next() ? reader->column(0) : QVariant();
    reader->reset();
    return value;
}

QVariant RecordSet::field(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0 || !hasCurrent()) {
        return {};
    }
    const Row& row = m_rows[static_cast<size_t>(m_pos)];
    return isBlob(index) ? readBlob(row.rowid, index) : row.values.at(index);
}

int RecordSet::RecordCount() const
{
    return static_cast<int>(
        std::min<size_t>(m_rows.size(), static_cast<size_t>(std::numeric_limits<int>::max())));
}

QList<std::pair<int, QVariant>> RecordSet::changedBoundValues() const
{
    QList<std::pair<int, QVariant>> values;
    for (const BoundControl* control : m_source.m_bound) {
        const int index = control->isBoundChanged() ? fieldIndex(control->dataField()) : -1;
        if (index >= 0) {
            values.append({index, control->boundValue()});
        }
    }
    return values;
}

void RecordSet::clearChangedMarks()
{
    for (BoundControl* control : m_source.m_bound) {
        control->clearBoundChanged();
    }
}

bool RecordSet::saveBoundControls()
{
    const auto changes = changedBoundValues();
    if (changes.isEmpty()) {
        return true;
    }
    if (hasCurrent() && !writeRow(m_pos, changes)) {
        return false;
    }
    // Changes made while no record is current have nowhere to go.
    clearChangedMarks();
    return true;
}

bool RecordSet::leaveRecord()
{
    if (m_mode == Mode::Adding) {
        // A new record is stored only by Update: leaving it abandons it.
        m_mode = Mode::Browse;
        m_pendingFields.clear();
        m_pos = m_posBeforeAdd;
        m_deleted = m_deletedBeforeAdd;
        clearChangedMarks();
        return true;
    }
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    return saveBoundControls();
}

bool RecordSet::moveTo(qsizetype position)
{
    if (!leaveRecord()) {
        return false;
    }
    m_pos = position;
    m_deleted = false;
    m_source.loadBoundControls();
    return true;
}

bool RecordSet::MoveFirst()
{
    if (m_rows.empty()) {
        leaveRecord();
        return fail(NoCurrentRecord);
    }
    return moveTo(0);
}

bool RecordSet::MoveLast()
{
    if (m_rows.empty()) {
        leaveRecord();
        return fail(NoCurrentRecord);
    }
    return moveTo(static_cast<qsizetype>(m_rows.size()) - 1);
}

bool RecordSet::MoveNext()
{
    const qsizetype size = static_cast<qsizetype>(m_rows.size());
    const qsizetype next = m_deleted ? m_pos : m_pos + 1;
    if (m_mode != Mode::Adding && m_pos >= size) {
        return fail(NoCurrentRecord);
    }
    return moveTo(std::min(next, size));
}

bool RecordSet::find(const QString& text, bool fromStart)
{
    QString error;
    const auto criterion = Criterion::parse(text, &error);
    if (!criterion) {
        m_noMatch = true;
        return fail(error);
    }
    const bool wasAdding = m_mode == Mode::Adding;
    if (!leaveRecord()) {
        return false;
    }
    const int index = fieldIndex(criterion->field());
    if (index < 0) {
        m_noMatch = true;
        return fail(QStringLiteral("Unbekanntes Feld: %1").arg(criterion->field()));
    }
    const qsizetype size = static_cast<qsizetype>(m_rows.size());
    qsizetype from = fromStart ? 0 : (m_deleted ? m_pos : m_pos + 1);
    for (qsizetype i = std::max<qsizetype>(from, 0); i < size; ++i) {
        const Row& row = m_rows[static_cast<size_t>(i)];
        const QVariant value = isBlob(index) ? readBlob(row.rowid, index) : row.values.at(index);
        if (criterion->matches(value)) {
            m_noMatch = false;
            return moveTo(i);
        }
    }
    m_noMatch = true;
    if (wasAdding) {
        // The abandoned new record gives way to the record current before it.
        m_source.loadBoundControls();
    }
    return true;
}

bool RecordSet::FindFirst(const QString& criterion)
{
    return find(criterion, true);
}

bool RecordSet::FindNext(const QString& criterion)
{
    return find(criterion, false);
}

bool RecordSet::AddNew()
{
    if (!leaveRecord()) {
        return false;
    }
    m_posBeforeAdd = m_pos;
    m_deletedBeforeAdd = m_deleted;
    m_mode = Mode::Adding;
    m_source.clearBoundControls();
    return true;
}

bool RecordSet::Edit()
{
    if (m_mode == Mode::Adding || !hasCurrent()) {
        return fail(NoCurrentRecord);
    }
    m_mode = Mode::Editing;
    m_pendingFields.clear();
    return true;
}

bool RecordSet::setField(const QString& name, const QVariant& value)
{
    if (m_mode == Mode::Browse) {
        return fail(QStringLiteral("Der Datensatz wird weder bearbeitet noch hinzugefügt."));
    }
    const int index = fieldIndex(name);
    if (index < 0) {
        return fail(QStringLiteral("Unbekanntes Feld: %1").arg(name));
    }
    m_pendingFields.append({index, value});
    return true;
}

bool RecordSet::Update()
{
    // Bound controls first, explicitly set fields last: those win.
    const auto values = changedBoundValues() + m_pendingFields;
    switch (m_mode) {
    case Mode::Browse:
        return saveBoundControls();
    case Mode::Editing:
        if (!values.isEmpty() && !writeRow(m_pos, values)) {
            return false;
        }
        break;
    case Mode::Adding:
        if (!insertRow(values)) {
            return false;
        }
        m_pos = m_posBeforeAdd;
        m_deleted = m_deletedBeforeAdd;
        break;
    }
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_source.loadBoundControls();
    return true;
}

bool RecordSet::Delete()
{
    if (!hasCurrent()) {
        return fail(NoCurrentRecord);
    }
    auto statement =
        m_db.cached(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteIdentifier(m_table)));
    if (!statement || !statement->bind(1, m_rows[static_cast<size_t>(m_pos)].rowid) ||
        !statement->exec()) {
        return fail(m_db.lastError());
    }
    m_rows.erase(m_rows.begin() + m_pos);
    m_deleted = true;
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_source.clearBoundControls();
    return true;
}

bool RecordSet::writeRow(qsizetype position, const QList<std::pair<int, QVariant>>& values)
{
    QStringList assignments;
    for (const auto& [index, value] : values) {
        assignments.append(quoteIdentifier(m_fieldNames.at(index)) + QStringLiteral("=?"));
    }
    Statement* statement = m_db.cached(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                                           .arg(quoteIdentifier(m_table), assignments.join(u',')));
    if (!statement) {
        return fail(m_db.lastError());
    }
    int bindIndex = 1;
    for (const auto& [index, value] : values) {
        statement->bind(bindIndex++, value);
    }
    Row& row = m_rows[static_cast<size_t>(position)];
    statement->bind(bindIndex, row.rowid);
    if (!statement->exec()) {
        return fail(QStringLiteral("Der Datensatz kann nicht gespeichert werden: %1")
                        .arg(m_db.lastError()));
    }
    for (const auto& [index, value] : values) {
        if (!isBlob(index)) {
            row.values[index] = value;
        }
    }
    return true;
}

bool RecordSet::insertRow(const QList<std::pair<int, QVariant>>& values)
{
    QStringList columns;
    QStringList placeholders;
    for (const auto& [index, value] : values) {
        columns.append(quoteIdentifier(m_fieldNames.at(index)));
        placeholders.append(QStringLiteral("?"));
    }
    const QString table = quoteIdentifier(m_table);
    const QString sql = values.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(table, columns.join(u','), placeholders.join(u','));
    Statement* statement = m_db.cached(sql);
    if (!statement) {
        return fail(m_db.lastError());
    }
    for (int i = 0; i < values.size(); ++i) {
        statement->bind(i + 1, values.at(i).second);
    }
    if (!statement->exec()) {
        return fail(QStringLiteral("Der Datensatz kann nicht gespeichert werden: %1")
                        .arg(m_db.lastError()));
    }
    // Read the row back so the fields left out carry the table's defaults.
    Statement* query =
        m_db.cached(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(selectList(), table));
    if (!query || !query->bind(1, m_db.lastInsertRowid()) || !query->next()) {
        return fail(m_db.lastError());
    }
    m_rows.push_back(readRow(*query));
    query->reset();
    return true;
}

bool RecordSet::BeginTrans()
{
    if (m_inTransaction) {
        return fail(QStringLiteral("Eine Transaktion ist schon offen."));
    }
    if (!m_db.begin()) {
        return fail(m_db.lastError());
    }
    m_inTransaction = true;
    return true;
}

bool RecordSet::CommitTrans()
{
    if (!m_inTransaction) {
        return true;
    }
    m_inTransaction = false;
    if (!m_db.commit()) {
        const QString error = m_db.lastError();
        m_inTransaction = true;
        RollbackTrans();
        return fail(error);
    }
    return true;
}

void RecordSet::RollbackTrans()
{
    if (!m_inTransaction) {
        return;
    }
    m_inTransaction = false;
    m_db.rollback();
    // The cached rows follow the file back; the position follows its record.
    const qint64 currentRowid = hasCurrent() ? m_rows[static_cast<size_t>(m_pos)].rowid : -1;
    const QString error = m_error;
    readRows();
    m_error = error;
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_deleted = false;
    m_pos = m_rows.empty() ? -1 : 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].rowid == currentRowid) {
            m_pos = static_cast<qsizetype>(i);
        }
    }
    m_source.loadBoundControls();
}

// --------------------------------------------------------------- DataSource

DataSource::DataSource(const QString& databaseName, const QString& recordSource, bool readOnly,
                       QObject* parent)
    : QObject(parent), m_databaseName(databaseName), m_recordSource(recordSource),
      m_readOnly(readOnly)
{
}

DataSource::~DataSource()
{
    // The record set refers to the connection: it goes first.
    m_recordset.reset();
    m_db.reset();
}

void DataSource::bind(BoundControl* control)
{
    if (!m_bound.contains(control)) {
        m_bound.append(control);
    }
}

bool DataSource::Refresh()
{
    if (m_recordset && !m_recordset->leaveRecord()) {
        m_error = m_recordset->lastError();
        return false;
    }
    const QString path =
        m_path.isEmpty() ? QDir::current().absoluteFilePath(m_databaseName) : m_path;
    QString error;
    auto db = Database::open(
        path, m_readOnly ? Database::Access::ReadOnly : Database::Access::ReadWrite, &error);
    if (!db) {
        m_error = error;
        return false;
    }
    std::unique_ptr<RecordSet> recordset(new RecordSet(*this, *db, m_recordSource));
    if (!recordset->load()) {
        m_error = QStringLiteral("%1: %2").arg(path, recordset->lastError());
        return false;
    }
    m_recordset.reset();
    m_db = std::move(db);
    m_recordset = std::move(recordset);
    m_path = path;
    m_recordset->m_pos = m_recordset->m_rows.empty() ? -1 : 0;
    loadBoundControls();
    return true;
}

RecordSet& DataSource::Recordset()
{
    return *m_recordset;
}

void DataSource::loadBoundControls()
{
    if (!m_recordset || !m_recordset->hasCurrent()) {
        clearBoundControls();
        return;
    }
    for (BoundControl* control : std::as_const(m_bound)) {
        control->loadBoundValue(m_recordset->field(control->dataField()));
        control->clearBoundChanged();
    }
}

void DataSource::clearBoundControls()
{
    for (BoundControl* control : std::as_const(m_bound)) {
        control->loadBoundValue(QVariant());
        control->clearBoundChanged();
    }
}
