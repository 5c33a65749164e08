#include "data/Dictionary.h"

#include "data/Schema.h"

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

Dictionary::Outcome Dictionary::run(const QString& label, const std::function<bool()>& write)
{
    RecordSet& words = m_source.Recordset();
    Database& db = m_source.database();
    Outcome outcome;
    if (!words.BeginTrans()) {
        outcome.error = words.lastError();
        return outcome;
    }
    Result done = m_history.beginStep(db, label);
    if (done && !write()) {
        done = Result::failure(words.lastError(), words.lastFailureFoundFileChanged());
    }
    if (done) {
        done = m_history.endStep(db);
    }
    if (done && !words.CommitTrans()) {
        done = Result::failure(words.lastError());
    }
    if (!done) {
        // The record set follows the file back.
        words.RollbackTrans();
        m_history.abandonStep();
        outcome.error = done.error;
        outcome.fileChanged = done.fileChanged;
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

Dictionary::Outcome Dictionary::storeCurrent(const QString& label)
{
    return run(label, [this] { return m_source.Recordset().Update(); });
}

Dictionary::Outcome Dictionary::newWord(const QString& word)
{
    return storeCurrent(QStringLiteral("Neues Wort „%1“").arg(word));
}

Dictionary::Outcome Dictionary::modifyWord(const QString& word)
{
    return storeCurrent(QStringLiteral("Wort „%1“ ändern").arg(word));
}

Dictionary::Outcome Dictionary::markWord()
{
    return storeCurrent(QStringLiteral("Markierung von „%1“").arg(currentWord()));
}

Dictionary::Outcome Dictionary::setIcon()
{
    return storeCurrent(QStringLiteral("Icon von „%1“").arg(currentWord()));
}

Dictionary::Outcome Dictionary::storeShown()
{
    return modifyWord(currentWord());
}

Dictionary::Outcome Dictionary::deleteWord()
{
    QString logError;
    Outcome outcome = run(QStringLiteral("Wort „%1“ löschen").arg(currentWord()), [&] {
        RecordSet& words = m_source.Recordset();
        const Result logged = m_history.logTakingOut(m_source.database(), words.bookmark());
        logError = logged.error;
        return logged && words.Delete();
    });
    if (!outcome.ok && !logError.isEmpty()) {
        outcome.error = logError;
    }
    return outcome;
}

Dictionary::Outcome Dictionary::clearMarks()
{
    return run(QStringLiteral("Alle Markierungen aufheben"), [this] {
        RecordSet& words = m_source.Recordset();
        // One statement clears every mark; the walk's end state follows: the
        // last record is current, shown once.
        const DataSource::DeferDisplay deferred(m_source);
        return words.RecordCount() == 0 ||
               (words.MoveFirst() && words.setEveryRecord(Mark, QStringLiteral("N")) &&
                words.MoveLast());
    });
}

Dictionary::Outcome Dictionary::importWords(const QStringList& list)
{
    return run(QStringLiteral("%1 Wörter aus listemot.txt").arg(list.size()), [&] {
        RecordSet& words = m_source.Recordset();
        // The new records are written, not shown: the controls show the
        // current record once, at the end.
        const DataSource::DeferDisplay deferred(m_source);
        for (const QString& word : list) {
            if (!words.AddNew() || !words.setField(Word, word) || !words.Update()) {
                return false;
            }
        }
        return true;
    });
}

bool Dictionary::prepare()
{
    return m_source.isOpen() && m_source.access() == Database::Access::ReadWrite &&
           m_history.install(m_source.database());
}

bool Dictionary::isStored(const QString& word) const
{
    // Unless another program wrote the file since it was read, the record
    // set holds what the file holds.
    if (!m_source.Recordset().changedElsewhere()) {
        return m_source.Recordset().holds(word);
    }
    Statement* query =
        m_source.database().cached(QStringLiteral("SELECT 1 FROM %1 WHERE mot=? LIMIT 1")
                                       .arg(quoteIdentifier(QString(Schema::DictionaryTable))));
    if (!query || !query->bind(1, word)) {
        return false;
    }
    const bool stored = query->next();
    query->reset();
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

Dictionary::Outcome Dictionary::undo()
{
    return take(History::Direction::Undo);
}

Dictionary::Outcome Dictionary::redo()
{
    return take(History::Direction::Redo);
}

Dictionary::Outcome Dictionary::take(History::Direction direction)
{
    RecordSet& words = m_source.Recordset();
    Database& db = m_source.database();
    Outcome outcome;
    const auto step = m_history.next(db, direction);
    if (!step) {
        outcome.error = direction == History::Direction::Undo
                            ? QStringLiteral("Es gibt nichts rückgängig zu machen.")
                            : QStringLiteral("Es gibt nichts zu wiederholen.");
        return outcome;
    }
    if (!words.leaveRecord() || !words.BeginTrans()) {
        outcome.error = words.lastError();
        return outcome;
    }
    const auto applied = m_history.apply(db, *step, direction);
    if (!applied) {
        words.RollbackTrans();
        outcome.error = applied.error;
        return outcome;
    }
    const QList<qint64>& rows = applied.value;
    outcome.row = rows.size() == 1 ? rows.front() : -1;
    if (!words.CommitTrans()) {
        outcome.error = words.lastError();
        return outcome;
    }
    // The rows the step wrote are read again: the record set shows the file.
    // Beyond a few rows, reading them all at once is quicker.
    const bool few = rows.size() * 8 < words.RecordCount();
    if (!(few && words.reread(rows)) && !words.reload()) {
        outcome.error = words.lastError();
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}
