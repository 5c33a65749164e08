#include "data/WordModel.h"

#include "data/DataSource.h"

#include <QSet>
#include <algorithm>

namespace {
// Past this many rows coming or leaving at once the list is laid out anew.
constexpr size_t ManyChanging = 64;
} // namespace

WordModel::WordModel(DataSource& words, QObject* parent)
    : QAbstractListModel(parent), m_source(words)
{
    m_source.setWatcher(this);
    if (m_source.isOpen()) {
        rowsRead();
    }
}

WordModel::~WordModel()
{
    m_source.setWatcher(nullptr);
}

const RecordSet* WordModel::records() const
{
    return m_source.isOpen() ? &m_source.Recordset() : nullptr;
}

QString WordModel::textOf(qint64 rowid) const
{
    const RecordSet* set = records();
    return set != nullptr ? set->textOf(rowid) : QString();
}

int WordModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QModelIndex WordModel::index(int row, int column, const QModelIndex& parent) const
{
    // Asked for every row at each layout of the list: checked here directly.
    const bool inside =
        !parent.isValid() && column == 0 && row >= 0 && static_cast<size_t>(row) < m_rows.size();
    return inside ? createIndex(row, 0) : QModelIndex();
}

QVariant WordModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const qint64 rowid = m_rows[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return textOf(rowid);
    }
    return role == RowidRole ? QVariant(rowid) : QVariant();
}

QString WordModel::word(int row) const
{
    return row >= 0 && row < rowCount() ? textOf(m_rows[static_cast<size_t>(row)]) : QString();
}

qint64 WordModel::rowidAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<size_t>(row)] : -1;
}

int WordModel::rowOf(qint64 rowid) const
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), rowid);
    return it != m_rows.end() ? static_cast<int>(it - m_rows.begin()) : -1;
}

int WordModel::lowerBound(const QString& text) const
{
    int low = 0;
    int high = rowCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (m_order.less(word(middle), text)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

QList<int> WordModel::rowsIgnoringCase(const QString& text) const
{
    QList<int> rows;
    for (int row = lowerBound(text); row < rowCount(); ++row) {
        const QString listed = word(row);
        if (m_order.less(text, listed)) {
            break;
        }
        if (listed.compare(text, Qt::CaseInsensitive) == 0) {
            rows.append(row);
        }
    }
    return rows;
}

bool WordModel::lists(const QString& text) const
{
    const QList<int> rows = rowsIgnoringCase(text);
    return std::any_of(rows.begin(), rows.end(), [&](int row) { return word(row) == text; });
}

bool WordModel::listable(qint64 rowid, const QString& text) const
{
    return !text.isEmpty() && (rowid < m_hiddenFrom || rowid > m_lastRead);
}

bool WordModel::goesBefore(const QString& text, const GermanOrder::Key& key, qint64 rowid,
                           size_t row) const
{
    const qint64 otherRowid = m_rows[row];
    const auto other = m_keys.find(otherRowid);
    if (key && other != m_keys.end() && other->second) {
        if (const int order = key->compare(*other->second); order != 0) {
            return order < 0;
        }
    }
    const int order = m_order.compare(text, textOf(otherRowid));
    return order < 0 || (order == 0 && rowid < otherRowid);
}

int WordModel::placeFor(const QString& text, qint64 rowid, int skipped) const
{
    // Binary search over the rows as they are without row `skipped`.
    const int size = rowCount() - (skipped >= 0 ? 1 : 0);
    const auto at = [&](int i) {
        return static_cast<size_t>(skipped >= 0 && i >= skipped ? i + 1 : i);
    };
    const GermanOrder::Key key = GermanOrder::keyOf(text);
    int low = 0;
    int high = size;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (goesBefore(text, key, rowid, at(middle))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

void WordModel::rowsRead()
{
    beginResetModel();
    m_rows.clear();
    m_keys.clear();
    const RecordSet* set = records();
    const std::vector<qint64> none;
    const std::vector<qint64>& rowids = set != nullptr ? set->rowids() : none;
    m_lastRead = rowids.empty() ? 0 : rowids.back();
    m_hiddenFrom = rowids.size() > static_cast<size_t>(ListedRecords)
                       ? rowids[static_cast<size_t>(ListedRecords)]
                       : std::numeric_limits<qint64>::max();
    QStringList texts;
    std::vector<qint64> listed;
    const size_t limit = std::min(rowids.size(), static_cast<size_t>(ListedRecords));
    texts.reserve(static_cast<qsizetype>(limit));
    listed.reserve(limit);
    for (size_t i = 0; i < limit; ++i) {
        QString text = set->textOf(rowids[i]);
        if (!text.isEmpty()) {
            texts.append(std::move(text));
            listed.push_back(rowids[i]);
        }
    }
    m_rows.reserve(listed.size());
    std::vector<GermanOrder::Key> keys;
    for (const qsizetype index : m_order.order(texts, &keys)) {
        m_rows.push_back(listed[static_cast<size_t>(index)]);
    }
    m_keys.reserve(keys.size());
    for (size_t row = 0; row < keys.size(); ++row) {
        m_keys.emplace(m_rows[row], std::move(keys[row]));
    }
    endResetModel();
}

void WordModel::rowsAdded(const std::vector<qint64>& rowids)
{
    if (rowids.size() <= ManyChanging) {
        for (const qint64 rowid : rowids) {
            addRow(rowid);
        }
        return;
    }
    QStringList texts;
    std::vector<qint64> listed;
    for (const qint64 rowid : rowids) {
        QString text = textOf(rowid);
        if (listable(rowid, text)) {
            texts.append(std::move(text));
            listed.push_back(rowid);
        }
    }
    if (listed.empty()) {
        return;
    }
    // The new rows sorted, then merged into the listed ones in one pass.
    std::vector<GermanOrder::Key> keys;
    const std::vector<qsizetype> sorted = m_order.order(texts, &keys);
    beginResetModel();
    std::vector<qint64> merged;
    merged.reserve(m_rows.size() + listed.size());
    size_t old = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        const qsizetype index = sorted[i];
        const qint64 rowid = listed[static_cast<size_t>(index)];
        while (old < m_rows.size() && !goesBefore(texts.at(index), keys[i], rowid, old)) {
            merged.push_back(m_rows[old++]);
        }
        merged.push_back(rowid);
        m_keys.insert_or_assign(rowid, std::move(keys[i]));
    }
    merged.insert(merged.end(), m_rows.begin() + static_cast<std::ptrdiff_t>(old), m_rows.end());
    m_rows = std::move(merged);
    m_merge = Merge{texts, {}};
    endResetModel();
    m_merge.reset();
}

void WordModel::addRow(qint64 rowid)
{
    const QString text = textOf(rowid);
    if (!listable(rowid, text)) {
        return;
    }
    const int place = placeFor(text, rowid);
    beginInsertRows({}, place, place);
    m_rows.insert(m_rows.begin() + place, rowid);
    m_keys[rowid] = GermanOrder::keyOf(text);
    endInsertRows();
}

void WordModel::wordChanged(qint64 rowid)
{
    const int row = rowOf(rowid);
    const QString text = textOf(rowid);
    if (row < 0) {
        addRow(rowid);
        return;
    }
    // A listed word emptied by a modification stays listed, as an empty entry.
    const int place = placeFor(text, rowid, row);
    if (place != row) {
        // Qt names the destination as a place before the move.
        beginMoveRows({}, row, row, {}, place > row ? place + 1 : place);
        m_rows.erase(m_rows.begin() + row);
        m_rows.insert(m_rows.begin() + place, rowid);
        endMoveRows();
    }
    m_keys[rowid] = GermanOrder::keyOf(text);
    const QModelIndex changed = index(place);
    emit dataChanged(changed, changed);
}

void WordModel::rowsLeaving(const std::vector<qint64>& rowids)
{
    if (rowids.size() > ManyChanging) {
        const QSet<qint64> leaving(rowids.begin(), rowids.end());
        Merge merge;
        for (const qint64 rowid : m_rows) {
            if (leaving.contains(rowid)) {
                merge.removed.append(textOf(rowid));
            }
        }
        beginResetModel();
        std::erase_if(m_rows, [&](qint64 rowid) { return leaving.contains(rowid); });
        for (const qint64 rowid : rowids) {
            m_keys.erase(rowid);
        }
        m_merge = std::move(merge);
        endResetModel();
        m_merge.reset();
        return;
    }
    for (const qint64 rowid : rowids) {
        const int row = rowOf(rowid);
        if (row >= 0) {
            beginRemoveRows({}, row, row);
            m_rows.erase(m_rows.begin() + row);
            m_keys.erase(rowid);
            endRemoveRows();
        }
    }
}
