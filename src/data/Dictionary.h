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
// alike. Failures come back with the outcome, never in a slot to read later.
class Dictionary
{
public:
    struct [[nodiscard]] Outcome
    {
        bool ok = false;
        QString error;
        // It failed because another program deleted or changed the record.
        bool fileChanged = false;
        // Undo and redo: the one row the step changed (-1 for a step over
        // several rows).
        qint64 row = -1;
    };

    explicit Dictionary(DataSource& words);

    // "Neues Wort" confirmed: the record being added, with what the bound
    // controls hold; `word` names the step.
    Outcome newWord(const QString& word);
    // A modification confirmed: the changed bound fields of the current record.
    Outcome modifyWord(const QString& word);
    // The current record.
    Outcome deleteWord();
    // A toggled mark or a chosen or cleared icon of the current record, as
    // the bound controls hold it.
    Outcome markWord();
    Outcome setIcon();
    // Whatever else the bound controls changed in the current record (at
    // the end of a session).
    Outcome storeShown();
    // "raz": every mark back to "N".
    Outcome clearMarks();
    // The import: each word a new record, in the order given.
    Outcome importWords(const QStringList& words);

    // Readies the history of a dictionary open for writing, so that the first
    // change does not wait for it; false (and nothing done) when it cannot.
    bool prepare();

    // Whether a record holds exactly `word`, in the file as it is now.
    bool isStored(const QString& word) const;

    Outcome undo();
    Outcome redo();
    // The step undo or redo would take, for naming it; nullopt when none.
    std::optional<History::Step> nextUndo() const;
    std::optional<History::Step> nextRedo() const;

private:
    Outcome run(const QString& label, const std::function<bool()>& write);
    Outcome storeCurrent(const QString& label);
    Outcome take(History::Direction direction);
    QString currentWord() const;

    DataSource& m_source;
    History m_history;
};
