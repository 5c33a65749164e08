#pragma once

#include "data/Result.h"
#include "data/Word.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <vector>

// The exchange of a dictionary with other programs: a CSV file (UTF-8 with
// its byte order mark, one header row, one row a word) and the pictures as
// files in a folder beside it. Export, import into an empty dictionary and
// export again give the same files, byte for byte.
namespace Exchange {

// The header row, in the order written; a file read may have them in any order.
inline constexpr std::array<QLatin1StringView, 9> Columns{
    QLatin1StringView("Wort"),     QLatin1StringView("Artikel"),  QLatin1StringView("Mehrzahl"),
    QLatin1StringView("Silben"),   QLatin1StringView("Frequenz"), QLatin1StringView("Themen"),
    QLatin1StringView("Markiert"), QLatin1StringView("Bild"),     QLatin1StringView("Ton")};

// The largest picture the editor takes, from an icon file or an exchange file.
inline constexpr qint64 PictureMaxBytes = qint64{16} * 1024 * 1024;
// The largest exchange file read (the pictures are files of their own).
inline constexpr qint64 FileMaxBytes = qint64{64} * 1024 * 1024;

// The folder of the pictures of `csvPath`: "woerter.csv" -> "woerter-Bilder".
QString pictureFolder(const QString& csvPath);

// The picture file of `word`: its letters with what a file system refuses
// replaced, the ending of the picture's kind, and a number when `taken`
// (compared ignoring case) has the name already; the name is then added to
// `taken`. The same words in the same order give the same names.
QString pictureFileName(const QString& word, const QByteArray& picture, QSet<QString>* taken);

// The exchange file of `words`, each with the name of its picture file
// relative to the file (empty: none).
QByteArray table(const std::vector<Word>& words, const QStringList& pictures);

// What an export wrote.
struct Exported
{
    int words = 0;
    int pictures = 0;
};

// Writes the words of the dictionary in `folder` (in German order, records
// without a word left out) into `csvPath` and their pictures into its
// picture folder, which it replaces as a whole. The dictionary is opened for
// reading only: it works beside a LEXA that edits it and changes nothing.
[[nodiscard]] ResultOf<Exported> exportDictionary(const QString& folder, const QString& csvPath);

// One row of an exchange file read, as the word it is to become.
struct Row
{
    int line = 0;
    Word word;
};

// An exchange file read and checked: the good rows, and a German message
// (naming its line) for each bad one.
struct Import
{
    std::vector<Row> rows;
    QStringList problems;
};

// Gives the bytes of the picture file named in a row (relative to the
// exchange file), or why it cannot be taken.
using PictureSource = std::function<ResultOf<QByteArray>(const QString& name)>;

// Reads an exchange file's bytes. Fails (with a message naming the line) when
// they are not a CSV table in UTF-8 or a column is missing or unknown; a row
// that does not fit (its number of fields, an empty word, a mark other than
// "O", "N" or nothing, a picture that cannot be taken) is a problem.
[[nodiscard]] ResultOf<Import> readTable(const QByteArray& bytes, const PictureSource& pictures);

// Reads the exchange file `csvPath` and the pictures it names; a picture is
// taken when `isPicture` says it is one and it is within the editor's size.
// Neither may be a file of the dictionary in `dictionaryFolder`.
[[nodiscard]] ResultOf<Import> readFile(const QString& csvPath, const QString& dictionaryFolder,
                                        const std::function<bool(const QByteArray&)>& isPicture);

// The rows as the dictionary's import takes them: the fields of table lexa
// by name, "mot" first, an empty text as no value.
QList<QList<std::pair<QString, QVariant>>> records(const std::vector<Row>& rows);

// The theme names a theme field runs together: at each place the longest
// of `known` that begins there and ends before a capital letter, the field's
// end or another of them; text between them breaks into names where a
// capital follows a small letter ("EssenObst": "Essen", "Obst").
QStringList themeNames(const QString& field, const QStringList& known);

// Adds to the theme table of the file `themesPath` (opened for writing
// beside the windows' own connection, which only reads it) each name of the
// rows' theme fields that it lacks, in one transaction; gives the names added.
[[nodiscard]] ResultOf<QStringList> addThemes(const QString& themesPath,
                                              const std::vector<Row>& rows);

// Whether `path` is one of the files of the dictionary in `folder` (or
// their companions beside them), which an exchange must never read or
// replace.
bool isDictionaryFile(const QString& path, const QString& folder);

} // namespace Exchange
