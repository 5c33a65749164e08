#pragma once

#include "data/NearWords.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class WordModel;
class QWidget;

// The near neighbours of a word among the listed words. The index is made
// when first asked for, not at start-up, and then follows the word model
// row by row.
class ListedNearWords : public QObject
{
    Q_OBJECT

public:
    // The one kept for `words`, made on first use.
    static ListedNearWords& of(WordModel& words);

    // Up to `limit` listed words near `word`, leaving out `replaced` (the
    // word a modification renames).
    QStringList neighbours(const QString& word, qsizetype limit, const QString& replaced = {});
    // Makes the index now, if it is not there.
    void prepare();
    // Whether a listed word is exactly `word`.
    bool lists(const QString& word);

private:
    explicit ListedNearWords(WordModel& words);
    void follow();

    WordModel& m_words;
    // Null until needed, and again after the list was emptied at once.
    std::unique_ptr<NearIndex> m_index;
};

// Asks, when listed words are near `word`, whether to add it all the same,
// naming up to five of them: true for Ja or when none is near, false for
// Nein (the default).
bool confirmNearWord(QWidget* form, WordModel& words, const QString& word,
                     const QString& replaced = {});

// After an import: names the added words (up to 20) that have near
// neighbours in the word list, which holds the added words as well.
void reportNearImported(QWidget* form, WordModel& words, const QStringList& added);
