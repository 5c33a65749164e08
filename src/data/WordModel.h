#pragma once

#include "data/GermanOrder.h"
#include "data/RecordSet.h"

#include <QAbstractListModel>
#include <QStringList>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

class DataSource;

// The words of the dictionary as the windows list them: one row a record
// with a word (or whose word a modification emptied), in German dictionary order (equal words in
// rowid order), each row knowing its record's rowid. The words themselves stay in the record set;
// this holds their order only, and follows the record set row by row, whatever changed it: an
// operation of LEXA, an undo, or a reading of the file after another program wrote it.
class WordModel : public QAbstractListModel, private RecordWatcher
{
    Q_OBJECT

public:
    // The rowid of a row's record.
    static constexpr int RowidRole = Qt::UserRole;
    // Of a larger dictionary only the first this many records are listed,
    // and those added while the dictionary is open.
    static constexpr int ListedRecords = 5441;

    explicit WordModel(DataSource& words, QObject* parent = nullptr);
    ~WordModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The word of row `row`; empty out of range.
    QString word(int row) const;
    // The rowid of row `row`'s record; -1 out of range.
    qint64 rowidAt(int row) const;
    // The row of record `rowid`; -1 when it is not listed.
    int rowOf(qint64 rowid) const;
    // Whether a listed record holds exactly `text` (letter case counts).
    bool lists(const QString& text) const;
    // The rows whose word equals `text` but for letter case, in list order.
    QList<int> rowsIgnoringCase(const QString& text) const;

    // Many rows coming or leaving at once reset the model. While it says
    // modelReset for them, these are the words that came and left; nothing
    // for a list read anew. What follows the list can keep what it knows.
    struct Merge
    {
        QStringList added;
        QStringList removed;
    };
    const std::optional<Merge>& merge() const { return m_merge; }

private:
    void rowsRead() override;
    void rowsAdded(const std::vector<qint64>& rowids) override;
    void addRow(qint64 rowid);
    void wordChanged(qint64 rowid) override;
    void rowsLeaving(const std::vector<qint64>& rowids) override;

    const RecordSet* records() const;
    QString textOf(qint64 rowid) const;
    bool listable(qint64 rowid, const QString& text) const;
    // Whether the entry (text, its key, rowid) goes before the one of row `row`.
    bool goesBefore(const QString& text, const GermanOrder::Key& key, qint64 rowid,
                    size_t row) const;
    // Where (text, rowid) goes among the rows, leaving out row `skipped`.
    int placeFor(const QString& text, qint64 rowid, int skipped = -1) const;
    // The first row whose word does not sort before `text`.
    int lowerBound(const QString& text) const;

    DataSource& m_source;
    GermanOrder m_order;
    std::vector<qint64> m_rows;
    // The key of each listed record's word, by rowid, for placing words
    // without reading them.
    std::unordered_map<qint64, GermanOrder::Key> m_keys;
    // Records from m_hiddenFrom up to m_lastRead were past the limit when
    // the rows were read.
    qint64 m_hiddenFrom = std::numeric_limits<qint64>::max();
    qint64 m_lastRead = 0;
    std::optional<Merge> m_merge;
};
