#include "data/RecordSet.h"

#include "data/Criterion.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <limits>
#include <tuple>

const QString RecordSet::NoWordShown =
    QStringLiteral("Es wird kein Wort angezeigt. Bitte wählen Sie zuerst ein Wort in der Liste.");

// -------------------------------------------------------------- RecordSet

RecordSet::RecordSet(Database& db, const QString& table, RecordView& view)
    : m_db(db), m_table(table), m_view(view)
{
}

Result RecordSet::fail(const QString& message)
{
    return Result::failure(message);
}

Result RecordSet::giveUpWrite(const QString& message, bool fileChanged)
{
    if (m_mode == Mode::Adding) {
        m_pos = m_posBeforeAdd;
        m_deleted = m_deletedBeforeAdd;
    }
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_view.clearChanged();
    m_view.showCurrent();
    return Result::failure(message, fileChanged);
}

QString RecordSet::goneMessage(size_t row) const
{
    return QStringLiteral("Das Wort „%1“ ist nicht mehr in der Datei „%2“: ein anderes Programm "
                          "hat es gelöscht. Schließen Sie das andere Programm und legen Sie das "
                          "Wort bei Bedarf neu an.")
        .arg(valueAt(row, 0).toString(), m_db.path());
}

Result RecordSet::load()
{
    QList<int> blobs;
    const auto names = m_db.columns(m_table, &blobs);
    if (!names) {
        return names;
    }
    if (names->isEmpty()) {
        return fail(missingTableMessage(m_table, m_db.path()));
    }
    m_fieldNames = names.value;
    m_cachedFields = blobs.isEmpty() ? static_cast<int>(names->size()) : blobs.first();
    m_quotedTable = quoteIdentifier(m_table);
    m_quotedFields.clear();
    for (const QString& name : m_fieldNames) {
        m_quotedFields.append(quoteIdentifier(name));
    }
    m_selectList =
        (QStringList{QStringLiteral("rowid")} + m_quotedFields.first(m_cachedFields)).join(u',');
    m_selectRow =
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?").arg(m_selectList, m_quotedTable);
    m_insertSql.clear();
    if (Result done = readRows(); !done) {
        return done;
    }
    m_pos = m_rowids.empty() ? -1 : 0;
    return Result::success();
}

void RecordSet::appendRow(const Statement& query)
{
    m_rowids.push_back(query.columnInt64(0));
    for (int i = 0; i < m_cachedFields; ++i) {
        m_columns[static_cast<size_t>(i)].appendUtf8(query.utf8(i + 1));
    }
}

void RecordSet::tellAdded()
{
    if (!m_added.empty()) {
        const std::vector<qint64> added = std::exchange(m_added, {});
        if (m_watcher) {
            m_watcher->rowsAdded(added);
        }
    }
}

void RecordSet::eraseRow(size_t row)
{
    if (RecordWatcher* told = watcher()) {
        told->rowsLeaving({m_rowids[row]});
    }
    m_rowids.erase(m_rowids.begin() + static_cast<qsizetype>(row));
    for (int i = 0; i < m_cachedFields; ++i) {
        m_columns[static_cast<size_t>(i)].erase(row);
    }
}

namespace {

qint64 dataVersion(Database& db)
{
    const auto query = db.cached(QStringLiteral("PRAGMA data_version"));
    if (!query) {
        return -1;
    }
    const qint64 version = query.value->next() ? query.value->columnInt64(0) : -1;
    query.value->reset();
    return version;
}

} // namespace

bool RecordSet::changedElsewhere() const
{
    return m_dataVersion < 0 || dataVersion(m_db) != m_dataVersion;
}

bool RecordSet::holds(const QString& text)
{
    if (m_columns.empty()) {
        return false;
    }
    TextColumn& column = m_columns.front();
    const std::vector<quint32>& hashes = column.foldedHashes();
    const quint32 wanted = foldedHash(text);
    for (size_t row = 0; row < hashes.size(); ++row) {
        if (hashes[row] == wanted && column.at(row).toString() == text) {
            return true;
        }
    }
    return false;
}

Result RecordSet::readRows()
{
    const Result read = readStoredRows();
    if (RecordWatcher* told = watcher()) {
        told->rowsRead();
    }
    return read;
}

Result RecordSet::readStoredRows()
{
    m_dataVersion = dataVersion(m_db);
    m_rowids.clear();
    m_columns.assign(static_cast<size_t>(m_cachedFields), TextColumn());
    auto query = m_db.prepare(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(m_selectList, m_quotedTable));
    if (!query) {
        return query;
    }
    while (query->next()) {
        appendRow(query.value);
    }
    return query->status();
}

Result RecordSet::addMissingFields(const QStringList& names)
{
    for (const QString& name : names) {
        if (fieldIndex(name) >= 0) {
            continue;
        }
        const QString quoted = quoteIdentifier(name);
        if (Result added = m_db.exec(
                QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT").arg(m_quotedTable, quoted));
            !added) {
            return added;
        }
        // Beyond the cached fields: the rows read keep what they hold.
        m_fieldNames.append(name);
        m_quotedFields.append(quoted);
    }
    return Result::success();
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
           m_pos < static_cast<qsizetype>(m_rowids.size());
}

qint64 RecordSet::bookmark() const
{
    return hasCurrent() ? m_rowids[static_cast<size_t>(m_pos)] : -1;
}

// Rows are cached in rowid order, so a rowid is found by bisection.
qsizetype RecordSet::positionOf(qint64 rowid) const
{
    const auto it = std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid);
    return it != m_rowids.end() && *it == rowid ? it - m_rowids.begin() : -1;
}

Result RecordSet::moveToBookmark(qint64 bookmark)
{
    const qsizetype position = positionOf(bookmark);
    return position >= 0 ? moveTo(position) : fail(NoWordShown);
}

QVariant RecordSet::readStored(qint64 rowid, int field) const
{
    const auto cached = m_db.cached(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                                        .arg(m_quotedFields.at(field), m_quotedTable));
    if (!cached || !cached.value->bind(1, rowid)) {
        return {};
    }
    Statement* reader = cached.value;
    const QVariant value = reader->next() ? reader->column(0) : QVariant();
    reader->reset();
    return value;
}

QString RecordSet::textOf(qint64 rowid, int field) const
{
    const qsizetype position = positionOf(rowid);
    if (position < 0 || !isCached(field)) {
        return {};
    }
    return m_columns[static_cast<size_t>(field)].at(static_cast<size_t>(position)).toString();
}

QVariant RecordSet::valueAt(size_t row, int field) const
{
    return isCached(field) ? m_columns[static_cast<size_t>(field)].at(row)
                           : readStored(m_rowids[row], field);
}

QVariant RecordSet::field(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0 || !hasCurrent()) {
        return {};
    }
    return valueAt(static_cast<size_t>(m_pos), index);
}

int RecordSet::RecordCount() const
{
    return static_cast<int>(
        std::min<size_t>(m_rowids.size(), static_cast<size_t>(std::numeric_limits<int>::max())));
}

RecordSet::FieldValues RecordSet::changedBoundValues() const
{
    FieldValues values;
    for (const auto& [name, value] : m_view.changedFields()) {
        const int index = fieldIndex(name);
        if (index >= 0) {
            values.append({index, value});
        }
    }
    return values;
}

Result RecordSet::saveBoundControls()
{
    const auto changes = changedBoundValues();
    if (changes.isEmpty()) {
        return Result::success();
    }
    if (hasCurrent()) {
        if (Result written = writeRow(m_pos, changes); !written) {
            return written;
        }
    }
    // Changes made while no record is current have nowhere to go.
    m_view.clearChanged();
    return Result::success();
}

Result RecordSet::leaveRecord()
{
    if (m_mode == Mode::Adding) {
        // A new record is stored only by Update: leaving it abandons it.
        m_mode = Mode::Browse;
        m_pendingFields.clear();
        m_pos = m_posBeforeAdd;
        m_deleted = m_deletedBeforeAdd;
        m_view.clearChanged();
        return Result::success();
    }
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    return saveBoundControls();
}

Result RecordSet::moveTo(qsizetype position)
{
    if (Result done = leaveRecord(); !done) {
        return done;
    }
    m_pos = position;
    m_deleted = false;
    m_view.showCurrent();
    return Result::success();
}

Result RecordSet::MoveFirst()
{
    if (m_rowids.empty()) {
        std::ignore = leaveRecord();
        return fail(NoWordShown);
    }
    return moveTo(0);
}

Result RecordSet::MoveLast()
{
    if (m_rowids.empty()) {
        std::ignore = leaveRecord();
        return fail(NoWordShown);
    }
    return moveTo(static_cast<qsizetype>(m_rowids.size()) - 1);
}

Result RecordSet::MoveNext()
{
    const qsizetype size = static_cast<qsizetype>(m_rowids.size());
    const qsizetype next = m_deleted ? m_pos : m_pos + 1;
    if (m_mode != Mode::Adding && m_pos >= size) {
        return fail(NoWordShown);
    }
    return moveTo(std::min(next, size));
}

Result RecordSet::find(const QString& text, bool fromStart)
{
    const auto parsed = Criterion::parse(text);
    if (!parsed) {
        m_noMatch = true;
        return parsed;
    }
    const Criterion* const criterion = &parsed.value;
    const bool wasAdding = m_mode == Mode::Adding;
    if (Result done = leaveRecord(); !done) {
        return done;
    }
    const int index = fieldIndex(criterion->field());
    if (index < 0) {
        m_noMatch = true;
        return fail(QStringLiteral("Unbekanntes Feld: %1").arg(criterion->field()));
    }
    const qsizetype size = static_cast<qsizetype>(m_rowids.size());
    const qsizetype from = fromStart ? 0 : (m_deleted ? m_pos : m_pos + 1);
    // An exact find on a cached field looks at the rows whose hash agrees.
    const std::vector<quint32>* hashes = criterion->op() == Criterion::Op::Equal && isCached(index)
                                             ? &m_columns[static_cast<size_t>(index)].foldedHashes()
                                             : nullptr;
    const quint32 wanted = hashes ? foldedHash(criterion->value()) : 0;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < size; ++i) {
        if (hashes && (*hashes)[static_cast<size_t>(i)] != wanted) {
            continue;
        }
        if (criterion->matches(valueAt(static_cast<size_t>(i), index))) {
            m_noMatch = false;
            return moveTo(i);
        }
    }
    m_noMatch = true;
    if (wasAdding) {
        // The abandoned new record gives way to the record current before it.
        m_view.showCurrent();
    }
    return Result::success();
}

Result RecordSet::FindFirst(const QString& criterion)
{
    return find(criterion, true);
}

Result RecordSet::FindNext(const QString& criterion)
{
    return find(criterion, false);
}

Result RecordSet::AddNew()
{
    if (Result done = leaveRecord(); !done) {
        return done;
    }
    m_posBeforeAdd = m_pos;
    m_deletedBeforeAdd = m_deleted;
    m_mode = Mode::Adding;
    m_view.showCurrent();
    return Result::success();
}

Result RecordSet::setField(const QString& name, const QVariant& value)
{
    if (m_mode == Mode::Browse) {
        return fail(QStringLiteral("Es wird gerade kein Wort hinzugefügt."));
    }
    const int index = fieldIndex(name);
    if (index < 0) {
        return fail(QStringLiteral("Unbekanntes Feld: %1").arg(name));
    }
    m_pendingFields.append({index, value});
    return Result::success();
}

Result RecordSet::Update()
{
    // Bound controls first, explicitly set fields last: those win.
    const auto values = changedBoundValues() + m_pendingFields;
    switch (m_mode) {
    case Mode::Browse:
        return saveBoundControls();
    case Mode::Adding:
        if (Result done = insertRow(values); !done) {
            return done;
        }
        m_pos = m_posBeforeAdd;
        m_deleted = m_deletedBeforeAdd;
        break;
    }
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_view.showCurrent();
    return Result::success();
}

Result RecordSet::Delete()
{
    if (!hasCurrent()) {
        return fail(NoWordShown);
    }
    const auto row = static_cast<size_t>(m_pos);
    if (Result deleted = m_db.execCached(
            QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(m_quotedTable), {m_rowids[row]});
        !deleted) {
        return giveUpWrite(deleted.error);
    }
    const bool gone = m_db.changes() == 0;
    const QString message = gone ? goneMessage(row) : QString();
    eraseRow(row);
    m_deleted = true;
    if (gone) {
        return giveUpWrite(message, true);
    }
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_view.showCurrent();
    return Result::success();
}

Result RecordSet::setEveryRecord(const QString& name, const QVariant& value)
{
    const int index = fieldIndex(name);
    if (index < 0) {
        return fail(QStringLiteral("Unbekanntes Feld: %1").arg(name));
    }
    if (Result done = leaveRecord(); !done) {
        return done;
    }
    if (m_rowids.empty()) {
        return Result::success();
    }
    // Rows added by another program since the table was read stay as they
    // are; rows that hold the value already are not rewritten.
    const QString& column = m_quotedFields.at(index);
    if (Result updated =
            m_db.execCached(QStringLiteral("UPDATE %1 SET %2=?1 WHERE rowid<=?2 AND %2 IS NOT ?1")
                                .arg(m_quotedTable, column),
                            {value, m_rowids.back()});
        !updated) {
        return giveUpWrite(updated.error);
    }
    if (isCached(index)) {
        m_columns[static_cast<size_t>(index)].fill(value);
        if (RecordWatcher* told = watcher(); index == 0 && told) {
            told->rowsRead();
        }
    }
    m_view.showCurrent();
    return Result::success();
}

ResultOf<bool> RecordSet::writeFields(qint64 rowid,
                                      const QList<std::pair<QString, QVariant>>& values)
{
    const qsizetype position = positionOf(rowid);
    if (position < 0) {
        return fail(NoWordShown);
    }
    const auto same = [](const QVariant& stored, const QVariant& value) {
        const bool storedEmpty = stored.isNull() || stored.toByteArray().isEmpty();
        const bool valueEmpty = value.isNull() || value.toByteArray().isEmpty();
        return storedEmpty || valueEmpty ? storedEmpty == valueEmpty
                                         : stored.toByteArray() == value.toByteArray();
    };
    FieldValues changed;
    for (const auto& [name, value] : values) {
        const int index = fieldIndex(name);
        if (index < 0) {
            return fail(QStringLiteral("Unbekanntes Feld: %1").arg(name));
        }
        if (!same(valueAt(static_cast<size_t>(position), index), value)) {
            changed.append({index, value});
        }
    }
    if (changed.isEmpty()) {
        return false;
    }
    if (Result written = writeRow(position, changed); !written) {
        return written;
    }
    if (position == m_pos) {
        m_view.showCurrent();
    }
    return true;
}

Result RecordSet::writeRow(qsizetype position, const FieldValues& values)
{
    QStringList assignments;
    for (const auto& [index, value] : values) {
        assignments.append(m_quotedFields.at(index) + QStringLiteral("=?"));
    }
    // The row is written only while it holds what was read: a change by
    // another program meanwhile is not overwritten field by field.
    QStringList unchanged{QStringLiteral("rowid=?")};
    for (int i = 0; i < m_cachedFields; ++i) {
        unchanged.append(m_quotedFields.at(i) + QStringLiteral(" IS ?"));
    }
    const auto cached =
        m_db.cached(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                        .arg(m_quotedTable, assignments.join(u','), unchanged.join(" AND ")));
    if (!cached) {
        return giveUpWrite(cached.error);
    }
    Statement* statement = cached.value;
    int bindIndex = 1;
    for (const auto& [index, value] : values) {
        if (Result bound = statement->bind(bindIndex++, value); !bound) {
            return giveUpWrite(bound.error);
        }
    }
    const auto row = static_cast<size_t>(position);
    Result written = statement->bind(bindIndex++, m_rowids[row]);
    for (int i = 0; written && i < m_cachedFields; ++i) {
        written = statement->bind(bindIndex++, m_columns[static_cast<size_t>(i)].at(row));
    }
    if (written) {
        written = statement->exec();
    }
    if (!written) {
        return giveUpWrite(
            QStringLiteral("Der Datensatz kann nicht gespeichert werden. %1").arg(written.error));
    }
    if (m_db.changes() == 0) {
        return giveUpChangedRow(row);
    }
    bool wordChanged = false;
    for (const auto& [index, value] : values) {
        if (isCached(index)) {
            wordChanged = setCached(row, index, value) || wordChanged;
        }
    }
    if (RecordWatcher* told = watcher(); wordChanged && told) {
        told->wordChanged(m_rowids[row]);
    }
    return Result::success();
}

bool RecordSet::setCached(size_t row, int field, const QVariant& value)
{
    TextColumn& column = m_columns[static_cast<size_t>(field)];
    const bool wordChanged = field == 0 && column.at(row) != value;
    column.set(row, value);
    return wordChanged;
}

void RecordSet::takeStored(size_t row, const Statement& query)
{
    bool wordChanged = false;
    for (int i = 0; i < m_cachedFields; ++i) {
        const QVariant value =
            query.column(i + 1).isNull() ? QVariant() : QVariant(query.text(i + 1));
        wordChanged = setCached(row, i, value) || wordChanged;
    }
    if (RecordWatcher* told = watcher(); wordChanged && told) {
        told->wordChanged(m_rowids[row]);
    }
}

Result RecordSet::giveUpChangedRow(size_t row)
{
    const qint64 rowid = m_rowids[row];
    const auto cached = m_db.cached(m_selectRow);
    if (!cached) {
        return giveUpWrite(cached.error);
    }
    Statement* query = cached.value;
    if (Result bound = query->bind(1, rowid); !bound) {
        return giveUpWrite(bound.error);
    }
    if (!query->next()) {
        const QString message = goneMessage(row);
        eraseRow(row);
        m_deleted = true;
        return giveUpWrite(message, true);
    }
    const QString message =
        QStringLiteral("Das Wort „%1“ wurde inzwischen von einem anderen Programm geändert. "
                       "LEXA zeigt jetzt, was in der Datei „%2“ steht; ändern Sie das Wort bei "
                       "Bedarf noch einmal.")
            .arg(valueAt(row, 0).toString(), QDir::toNativeSeparators(m_db.path()));
    takeStored(row, *query);
    query->reset();
    return giveUpWrite(message, true);
}

const QString& RecordSet::insertSql(const FieldValues& values)
{
    QList<int> fields;
    fields.reserve(values.size());
    for (const auto& [index, value] : values) {
        fields.append(index);
    }
    QString& sql = m_insertSql[fields];
    if (sql.isEmpty()) {
        QStringList columns;
        for (const int index : std::as_const(fields)) {
            columns.append(m_quotedFields.at(index));
        }
        sql = fields.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_quotedTable)
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(m_quotedTable, columns.join(u','),
                             QStringList(fields.size(), QStringLiteral("?")).join(u','));
    }
    return sql;
}

Result RecordSet::insertRow(const FieldValues& values)
{
    const QString& sql = insertSql(values);
    const auto statement = m_db.cached(sql);
    if (!statement) {
        return giveUpWrite(statement.error);
    }
    for (int i = 0; i < values.size(); ++i) {
        if (Result bound = statement.value->bind(i + 1, values.at(i).second); !bound) {
            return giveUpWrite(bound.error);
        }
    }
    if (Result inserted = statement.value->exec(); !inserted) {
        return giveUpWrite(
            QStringLiteral("Der Datensatz kann nicht gespeichert werden. %1").arg(inserted.error));
    }
    // Read the row back so the fields left out carry the table's defaults.
    const auto cached = m_db.cached(m_selectRow);
    if (!cached) {
        return giveUpWrite(cached.error);
    }
    Statement* query = cached.value;
    if (Result bound = query->bind(1, m_db.lastInsertRowid()); !bound) {
        return giveUpWrite(bound.error);
    }
    if (!query->next()) {
        return giveUpWrite(query->status().error);
    }
    appendRow(*query);
    query->reset();
    m_added.push_back(m_rowids.back());
    if (m_addingTogether == 0) {
        tellAdded();
    }
    return Result::success();
}

Result RecordSet::BeginTrans()
{
    if (m_inTransaction) {
        return fail(QStringLiteral("Eine Transaktion ist schon offen."));
    }
    if (Result begun = m_db.begin(); !begun) {
        return begun;
    }
    m_inTransaction = true;
    return Result::success();
}

Result RecordSet::CommitTrans()
{
    if (!m_inTransaction) {
        return Result::success();
    }
    m_inTransaction = false;
    if (Result committed = m_db.commit(); !committed) {
        m_inTransaction = true;
        RollbackTrans();
        return committed;
    }
    return Result::success();
}

void RecordSet::RollbackTrans()
{
    if (!m_inTransaction) {
        return;
    }
    m_inTransaction = false;
    m_db.rollback();
    // The cached rows follow the file back; the position follows its record.
    // A failure to read is the caller's failure already being reported.
    static_cast<void>(reload());
}

bool RecordSet::eraseGoneTail(QList<qint64>& rowids)
{
    const QSet<qint64> wanted(rowids.cbegin(), rowids.cend());
    size_t kept = m_rowids.size();
    while (kept > 0 && wanted.contains(m_rowids[kept - 1])) {
        --kept;
    }
    if (kept == m_rowids.size()) {
        return false;
    }
    const auto beyond =
        m_db.cached(QStringLiteral("SELECT 1 FROM %1 WHERE rowid>=? LIMIT 1").arg(m_quotedTable));
    if (!beyond || !beyond.value->bind(1, m_rowids[kept])) {
        return false;
    }
    const bool stored = beyond.value->next();
    beyond.value->reset();
    if (stored) {
        return false;
    }
    const qint64 first = m_rowids[kept];
    if (RecordWatcher* told = watcher()) {
        told->rowsLeaving({m_rowids.begin() + static_cast<qsizetype>(kept), m_rowids.end()});
    }
    rowids.removeIf([first](qint64 rowid) { return rowid >= first; });
    m_rowids.resize(kept);
    for (int i = 0; i < m_cachedFields; ++i) {
        m_columns[static_cast<size_t>(i)].truncate(kept);
    }
    return true;
}

bool RecordSet::reread(QList<qint64> rowids)
{
    const qint64 current = bookmark();
    // An undone import leaves from the end of the table.
    eraseGoneTail(rowids);
    const qint64 last = m_rowids.empty() ? 0 : m_rowids.back();
    for (const qint64 rowid : rowids) {
        if (rowid < last && positionOf(rowid) < 0) {
            return false;
        }
    }
    const auto cached = m_db.cached(m_selectRow);
    if (!cached) {
        return false;
    }
    Statement* query = cached.value;
    // Gone rows leave from the end backwards, so that positions stay valid.
    for (auto it = rowids.rbegin(); it != rowids.rend(); ++it) {
        const qsizetype position = positionOf(*it);
        query->reset();
        if (!query->bind(1, *it)) {
            return false;
        }
        const bool stored = query->next();
        if (!stored && position >= 0) {
            eraseRow(static_cast<size_t>(position));
        }
        if (stored && position >= 0) {
            takeStored(static_cast<size_t>(position), *query);
        }
    }
    // New rows beyond the last come in, in order, and are told together.
    {
        const AddedTogether added(*this);
        for (const qint64 rowid : rowids) {
            if (rowid > last) {
                query->reset();
                if (!query->bind(1, rowid)) {
                    return false;
                }
                if (query->next()) {
                    appendRow(*query);
                    m_added.push_back(rowid);
                }
            }
        }
    }
    query->reset();
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_deleted = false;
    const qsizetype position = positionOf(current);
    m_pos = position >= 0 ? position : (m_rowids.empty() ? -1 : 0);
    m_view.showCurrent();
    return true;
}

Result RecordSet::reload()
{
    const qint64 currentRowid = bookmark();
    const Result read = readRows();
    m_mode = Mode::Browse;
    m_pendingFields.clear();
    m_deleted = false;
    const qsizetype position = positionOf(currentRowid);
    m_pos = position >= 0 ? position : (m_rowids.empty() ? -1 : 0);
    m_view.showCurrent();
    return read;
}
