#pragma once

#include "data/DataSource.h"
#include "data/History.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The dictionary's operations: one function for each thing a user does to
// the words, each one transaction that also writes its undo step. They work
// through the data source, so that the record set and its bound controls
// stay in step with the file; the main window and the crash test call them
// alike. Failures come back with each call, never in a slot to read later.
class Dictionary
{
public:
    explicit Dictionary(DataSource& words);

    // "Neues Wort" confirmed: the record being added, with what the bound
    // controls hold; `word` names the step.
    Result newWord(const QString& word);
    // A modification confirmed: the changed bound fields of the current record.
    Result modifyWord(const QString& word);
    // The current record.
    Result deleteWord();
    // A toggled mark or a chosen or cleared icon of the current record, as
    // the bound controls hold it.
    Result markWord();
    Result setIcon();
    // Whatever else the bound controls changed in the current record (at
    // the end of a session).
    Result storeShown();
    // "raz": every mark back to "N".
    Result clearMarks();
    // The import: each word a new record, in the order given.
    Result importWords(const QStringList& words);
    // What the import of an exchange file did.
    struct Imported
    {
        int added = 0;
        int updated = 0;
        int unchanged = 0;
    };
    // One record's fields by name.
    using Fields = QList<std::pair<QString, QVariant>>;
    // The import of the exchange file `fileName`, all its rows in one step:
    // the k-th row of a word already stored (its first field, "mot", exact
    // text) writes
    // its fields into the k-th record of that word, the others come in as new
    // records, in the order given.
    ResultOf<Imported> importTable(const QString& fileName, const QList<Fields>& rows);

    // Readies the fields and the history of a dictionary open for writing, so
    // that the first change does not wait for them; false (and nothing done) when it cannot.
    bool prepare();

    // Whether a record holds exactly `word`, in the file as it is now.
    bool isStored(const QString& word) const;

    // Undo and redo give the one row the step changed (-1 for a step over
    // several rows).
    ResultOf<qint64> undo();
    ResultOf<qint64> redo();
    // Leaves out the step the last undo refused, as it is: the next undo
    // takes the one before it. The steps that could be redone end with it.
    Result leaveOutUndo();
    // The step undo or redo would take, for naming it; nullopt when none.
    std::optional<History::Step> nextUndo() const;
    std::optional<History::Step> nextRedo() const;

private:
    // Gives an older table the fields added since, before its first write.
    Result addFields();
    // One transaction around `writing`, given up whole when it fails.
    Result write(const std::function<Result()>& writing);
    Result run(const QString& label, const std::function<Result()>& change);
    Result storeCurrent(const QString& label);
    ResultOf<qint64> take(History::Direction direction);
    // No step of a damaged history is taken or left out: it is set aside
    // first, and what that says comes back as the failure.
    [[nodiscard]] Result mendHistory();
    QString currentWord() const;

    DataSource& m_source;
    History m_history;
};
