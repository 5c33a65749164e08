#include "data/Dictionary.h"

#include "data/Schema.h"

#include <QHash>

namespace {
const QString Word = QStringLiteral("mot");
const QString Mark = QStringLiteral("mot marque");
} // namespace

Dictionary::Dictionary(DataSource& words)
    : m_source(words), m_history(QString(Schema::DictionaryTable))
{
}

QString Dictionary::currentWord() const
{
    return m_source.Recordset().field(Word).toString();
}

Result Dictionary::addFields()
{
    QStringList names;
    for (const QLatin1StringView name : Schema::AddedFields) {
        names.append(name);
    }
    return m_source.Recordset().addMissingFields(names);
}

Result Dictionary::write(const std::function<Result()>& writing)
{
    RecordSet& words = m_source.Recordset();
    if (Result begun = words.BeginTrans(); !begun) {
        return begun;
    }
    Result done = writing();
    if (done) {
        if (Result committed = words.CommitTrans(); !committed) {
            done = committed;
        }
    }
    if (!done) {
        // The record set follows the file back.
        words.RollbackTrans();
    }
    return done;
}

Result Dictionary::run(const QString& label, const std::function<Result()>& change)
{
    // The history logs the fields the table has when it is first installed.
    if (Result added = addFields(); !added) {
        return added;
    }
    Database& db = m_source.database();
    Result done = write([&] {
        Result begun = m_history.beginStep(db, label);
        Result written = begun ? change() : begun;
        if (written) {
            written = m_history.endStep(db);
        }
        // What setting a damaged history aside says comes with the change.
        written.notice = begun.notice;
        return written;
    });
    if (!done) {
        m_history.abandonStep();
    }
    return done;
}

Result Dictionary::storeCurrent(const QString& label)
{
    return run(label, [this] { return m_source.Recordset().Update(); });
}

Result Dictionary::newWord(const QString& word)
{
    return storeCurrent(QStringLiteral("Neues Wort „%1“").arg(word));
}

Result Dictionary::modifyWord(const QString& word)
{
    return storeCurrent(QStringLiteral("Wort „%1“ ändern").arg(word));
}

Result Dictionary::markWord()
{
    return storeCurrent(QStringLiteral("Markierung von „%1“").arg(currentWord()));
}

Result Dictionary::setIcon()
{
    return storeCurrent(QStringLiteral("Icon von „%1“").arg(currentWord()));
}

Result Dictionary::storeShown()
{
    return modifyWord(currentWord());
}

Result Dictionary::deleteWord()
{
    return run(QStringLiteral("Wort „%1“ löschen").arg(currentWord()), [&] {
        RecordSet& words = m_source.Recordset();
        const Result logged = m_history.logTakingOut(m_source.database(), words.bookmark());
        return logged ? words.Delete() : logged;
    });
}

Result Dictionary::clearMarks()
{
    return run(QStringLiteral("Alle Markierungen aufheben"), [this] {
        RecordSet& words = m_source.Recordset();
        // One statement clears every mark; the walk's end state follows: the
        // last record is current, shown once.
        const DataSource::DeferDisplay deferred(m_source);
        if (words.RecordCount() == 0) {
            return Result::success();
        }
        Result done = words.MoveFirst();
        if (done) {
            done = words.setEveryRecord(Mark, QStringLiteral("N"));
        }
        return done ? words.MoveLast() : done;
    });
}

Result Dictionary::importWords(const QStringList& list)
{
    return run(QStringLiteral("%1 Wörter aus listemot.txt").arg(list.size()), [&] {
        RecordSet& words = m_source.Recordset();
        // The new records are written, not shown: the controls show the
        // current record once, at the end.
        const DataSource::DeferDisplay deferred(m_source);
        const RecordSet::AddedTogether added(words);
        for (const QString& word : list) {
            Result done = words.AddNew();
            if (done) {
                done = words.setField(Word, word);
            }
            if (done) {
                done = words.Update();
            }
            if (!done) {
                return done;
            }
        }
        return Result::success();
    });
}

ResultOf<Dictionary::Imported> Dictionary::importTable(const QString& fileName,
                                                       const QList<Fields>& rows)
{
    Imported imported;
    const QString label = QStringLiteral("%1 Wörter aus „%2“").arg(rows.size()).arg(fileName);
    const Result done = run(label, [&] {
        RecordSet& words = m_source.Recordset();
        const DataSource::DeferDisplay deferred(m_source);
        const RecordSet::AddedTogether added(words);
        Result ready = words.leaveRecord();
        if (ready && words.changedElsewhere()) {
            ready = words.reload();
        }
        if (!ready) {
            return ready;
        }
        // The stored records of each word, in rowid order.
        QHash<QString, QList<qint64>> stored;
        for (const qint64 rowid : words.rowids()) {
            stored[words.textOf(rowid)].append(rowid);
        }
        for (const Fields& fields : rows) {
            QList<qint64>& same = stored[fields.value(0).second.toString()];
            if (!same.isEmpty()) {
                const ResultOf<bool> written = words.writeFields(same.takeFirst(), fields);
                if (!written) {
                    return Result(written);
                }
                ++(written.value ? imported.updated : imported.unchanged);
                continue;
            }
            Result added = words.AddNew();
            for (const auto& [name, value] : fields) {
                if (added && !value.isNull()) {
                    added = words.setField(name, value);
                }
            }
            if (added) {
                added = words.Update();
            }
            if (!added) {
                return added;
            }
            ++imported.added;
        }
        return Result::success();
    });
    if (!done) {
        return done;
    }
    return imported;
}

bool Dictionary::prepare()
{
    // A damaged history is set aside by the first step, which says so.
    return m_source.isOpen() && m_source.access() == Database::Access::ReadWrite && addFields() &&
           m_history.install(m_source.database(), false);
}

bool Dictionary::isStored(const QString& word) const
{
    // Unless another program wrote the file since it was read, the record
    // set holds what the file holds.
    if (!m_source.Recordset().changedElsewhere()) {
        return m_source.Recordset().holds(word);
    }
    const auto query =
        m_source.database().cached(QStringLiteral("SELECT 1 FROM %1 WHERE mot=? LIMIT 1")
                                       .arg(quoteIdentifier(QString(Schema::DictionaryTable))));
    if (!query || !query.value->bind(1, word)) {
        return false;
    }
    const bool stored = query.value->next();
    query.value->reset();
    return stored;
}

std::optional<History::Step> Dictionary::nextUndo() const
{
    return m_history.next(m_source.database(), History::Direction::Undo);
}

std::optional<History::Step> Dictionary::nextRedo() const
{
    return m_history.next(m_source.database(), History::Direction::Redo);
}

ResultOf<qint64> Dictionary::undo()
{
    return take(History::Direction::Undo);
}

ResultOf<qint64> Dictionary::redo()
{
    return take(History::Direction::Redo);
}

ResultOf<qint64> Dictionary::take(History::Direction direction)
{
    RecordSet& words = m_source.Recordset();
    Database& db = m_source.database();
    Result begun = words.leaveRecord();
    if (begun) {
        begun = mendHistory();
    }
    if (!begun) {
        return begun;
    }
    const auto step = m_history.next(db, direction);
    if (!step) {
        return Result::failure(direction == History::Direction::Undo
                                   ? QStringLiteral("Es gibt nichts rückgängig zu machen.")
                                   : QStringLiteral("Es gibt nichts zu wiederholen."));
    }
    if (begun = words.BeginTrans(); !begun) {
        return begun;
    }
    const auto applied = m_history.apply(db, *step, direction);
    if (!applied) {
        words.RollbackTrans();
        return applied;
    }
    const QList<qint64>& rows = applied.value;
    if (Result committed = words.CommitTrans(); !committed) {
        return committed;
    }
    // The rows the step wrote are read again: the record set shows the file.
    // Beyond a few rows, reading them all at once is quicker.
    const bool few = rows.size() * 8 < words.RecordCount();
    if (!(few && words.reread(rows))) {
        if (Result read = words.reload(); !read) {
            return read;
        }
    }
    return rows.size() == 1 ? rows.front() : qint64{-1};
}

Result Dictionary::mendHistory()
{
    if (m_source.access() != Database::Access::ReadWrite) {
        return Result::success();
    }
    Result installed = write([&] { return m_history.install(m_source.database()); });
    if (installed && !installed.notice.isEmpty()) {
        return Result::failure(installed.notice);
    }
    return installed;
}

Result Dictionary::leaveOutUndo()
{
    if (Result mended = mendHistory(); !mended) {
        return mended;
    }
    Database& db = m_source.database();
    return write([&]() -> Result {
        const auto step = m_history.next(db, History::Direction::Undo);
        if (!step) {
            return Result::failure(QStringLiteral("Es gibt nichts rückgängig zu machen."));
        }
        return m_history.leaveOut(db, *step);
    });
}
