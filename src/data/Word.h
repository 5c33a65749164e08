#pragma once

#include "data/Result.h"

#include <QByteArray>
#include <QString>
#include <vector>

class Database;

// Far longer than any German word: a longer text is no word (an item of a
// broken word list), never looked at for near words nor imported.
inline constexpr qsizetype WordMaximumLength = 80;

// One record of the dictionary's table, typed: what the windows, the
// printouts and the exchange with other programs read of a word.
struct Word
{
    // Identifies the record; -1 for one not stored yet.
    qint64 rowid = -1;
    QString mot;
    // The article ("der", "die", "das"); empty for none.
    QString determinant;
    // Shown as "Frequenz".
    QString categorie;
    // One or more theme names run together.
    QString theme;
    bool marked = false;
    // The stored picture's bytes (an .ico or PNG file); empty for none.
    QByteArray icon;
    // Kept, never read or changed.
    QString sound;
    // The plural ("Häuser"); empty for none.
    QString pluriel;
    // The split into syllables with "-" ("Schmet-ter-ling"); empty for none.
    QString syllabes;
};

// Every record of the dictionary open in `db` that has a word, with its text
// fields but not its picture, in German order (equal words in rowid order).
// A field the file does not have yet reads as empty.
[[nodiscard]] ResultOf<std::vector<Word>> readWords(Database& db);
