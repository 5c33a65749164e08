#pragma once

#include "data/Database.h"
#include "data/Result.h"
#include "data/Word.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Which words a printout takes.
struct WordChoice
{
    bool markedOnly = false;
    // A theme name: only the words that carry it; empty for any.
    QString theme;
    // The words of a result list, in its order; empty for the dictionary's
    // words in German order.
    QStringList listed;
};

// The words of a dictionary folder as printouts read them: opened for
// reading only, so that it works beside a LEXA that edits the dictionary and
// changes nothing in it. The text fields are read at once, the pictures one
// by one when a page draws them, so that memory follows a page, not the
// dictionary.
class PrintWords
{
public:
    [[nodiscard]] static ResultOf<std::unique_ptr<PrintWords>> open(const QString& folder);

    // The words chosen, without their pictures.
    std::vector<Word> choose(const WordChoice& choice) const;
    // The names of the themes a word's theme field runs together, by the
    // theme table (a remainder it does not know counts as one name).
    QStringList themesOf(const Word& word) const;
    // The stored picture of a record; empty for none.
    QByteArray picture(qint64 rowid);

    const QString& folder() const { return m_folder; }
    // When the dictionary was last written.
    const QDateTime& written() const { return m_written; }

private:
    PrintWords() = default;
    [[nodiscard]] Result readWords();
    void readThemes();

    QString m_folder;
    QDateTime m_written;
    Database m_words;
    std::vector<Word> m_all; // German order
    QStringList m_themeNames;
};
