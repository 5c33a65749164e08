#pragma once

#include "data/BoundControl.h"
#include "data/DataSource.h"
#include "data/Dictionary.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// One record of table lexa as the crash test compares it; an empty text or
// icon stands for an empty field.
struct Word
{
    QString mot;
    QString determinant;
    QString categorie;
    QString theme;
    QString mark = QStringLiteral("N");
    QByteArray icon;
    QString pluriel;
    QString syllabes;
    bool operator==(const Word&) const = default;
};

// The dictionary by rowid: what the file must hold.
using Words = std::map<qint64, Word>;

// What the file must hold, and the steps undo and redo take: for each, the
// rows it touched as they were before and after (nullopt: absent).
struct Expected
{
    struct Step
    {
        std::map<qint64, std::optional<Word>> before;
        std::map<qint64, std::optional<Word>> after;
    };
    Words words;
    std::vector<Step> undo;
    std::vector<Step> redo;
};

// One thing a window does to the dictionary, complete enough to be written
// to the journal and applied to the expected words.
struct Operation
{
    enum class Kind
    {
        NewWord, // "Neues Wort" confirmed
        Modify,  // "Änderung beifügen": word, article and theme at once
        Delete,
        Mark,   // the mark toggled to `mark`
        Icon,   // icon `icon` chosen, or -1: cleared
        Import, // the words of listemot.txt, in one transaction
        Raz,    // every mark back to "N", in one transaction
        Undo,   // the last step taken back
        Redo    // the last step taken back, taken again
    };
    Kind kind = Kind::NewWord;
    qint64 rowid = 0;
    Word word;         // NewWord, Modify
    QString mark;      // Mark
    int icon = -1;     // Icon
    QStringList words; // Import
};

namespace Crash {

// The few icons the test uses, each a few kilobytes.
QByteArray icon(int index);
inline constexpr int IconCount = 4;

// A dictionary of `count` words for a first run.
Words initialWords(int count);
// Writes those words as a new dictionary file; false with the reason.
bool writeInitialDictionary(const QString& path, int count, QString& error);

// A random operation that makes sense on `words` and the history;
// `serial` makes new words unique.
Operation choose(const Words& words, bool canUndo, bool canRedo, QRandomGenerator& random,
                 const QString& serial);

QString encode(const Operation& operation);
std::optional<Operation> decode(const QString& line);

// What the operation does to the words and the history, as the file must
// show it afterwards.
void apply(Expected& expected, const Operation& operation);

// Reads every record of the dictionary straight from the file.
std::optional<Words> read(Database& db, QString* error);

// The child's own model after `operation` returned: undo and redo may take
// steps of earlier runs, so their words are read back from `db`.
bool follow(Expected& model, Database& db, const Operation& operation, QString* error);

// Prints `message` to standard error; 1, the tools' failure exit code.
int fail(const QString& message);
// Appends one line to the journal and waits until it is on the disk.
bool journal(int fd, const QString& line);
// The dictionary in `folder`, opened for writing; null with the reason.
std::unique_ptr<Database> openDictionary(const QString& folder, QString* error);

// The journal a child keeps: a line when a step begins (its own tag), the
// end line when it has returned.
inline const QString JournalEnd = QStringLiteral("E");

template <typename Step> struct Journal
{
    QList<Step> returned;
    std::optional<Step> interrupted; // begun, not returned
};

// The journal's complete lines: a line cut off by the end of the child is
// left out, and a child ended before its first line left none.
QStringList journalLines(const QString& path);

// Reads a journal; `begin` makes the step of a line that begins one
// (nullopt: not such a line). Nullopt when the journal is malformed.
template <typename Step, typename Begin>
std::optional<Journal<Step>> readJournal(const QString& path, Begin begin)
{
    Journal<Step> result;
    for (const QString& line : journalLines(path)) {
        if (line == JournalEnd && result.interrupted) {
            result.returned.append(*std::exchange(result.interrupted, std::nullopt));
        } else if (std::optional<Step> step = result.interrupted ? std::nullopt : begin(line)) {
            result.interrupted = std::move(step);
        } else {
            return std::nullopt;
        }
    }
    return result;
}

} // namespace Crash

// The main window's data source and bound controls, doing what its commands do.
class Window
{
public:
    explicit Window(const QString& dictionary);
    bool open(QString* error);
    // False with the reason in `error`.
    bool perform(const Operation& operation, QString* error);
    bool canUndo() const { return m_dictionary.nextUndo().has_value(); }
    bool canRedo() const { return m_dictionary.nextRedo().has_value(); }

private:
    Result perform(const Operation& operation);

    BoundValue m_mot{QStringLiteral("mot")};
    BoundValue m_determinant{QStringLiteral("determinant")};
    BoundValue m_pluriel{QStringLiteral("pluriel")};
    BoundValue m_syllabes{QStringLiteral("syllabes")};
    BoundValue m_categorie{QStringLiteral("categorie")};
    BoundValue m_theme{QStringLiteral("theme")};
    BoundValue m_mark{QStringLiteral("mot marque")};
    BoundValue m_icon{QStringLiteral("icone integree")};
    DataSource m_source;
    Dictionary m_dictionary{m_source};
};
