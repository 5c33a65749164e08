#pragma once

#include <QString>
#include <functional>

class QWidget;

// Where LEXA finds the dictionary it works on, and where a first start leads
// when there is none: to the folder of a dictionary, or to a new, empty one.
namespace DictionaryFolder {

enum class Offer
{
    Open,   // choose the folder of a dictionary
    Create, // choose a folder for a new, empty dictionary
    Quit
};

// The questions of a first start: the program asks with dialogs, tests
// answer directly.
struct Questions
{
    std::function<Offer(const QString& text)> offer;
    // The folder the user picks for the offer taken, looking first in
    // `start`; empty when cancelled.
    std::function<QString(Offer offer, const QString& start)> folder;
};
Questions dialogs(QWidget* parent);

// Whether `folder` holds a dictionary: its LEXA.MDB, in whatever format.
bool holdsDictionary(const QString& folder);

// Writes an empty dictionary (LEXA.MDB and THEME.MDB) into `folder`; never
// replaces a file. False with a German message in `error`.
[[nodiscard]] bool createEmpty(const QString& folder, QString* error);

// The folder to work on: the one named on the command line (a file of a
// dictionary names its folder), else the current directory when it holds a
// dictionary, else `remembered` when it does. When none of them does, the
// user chooses a dictionary or creates one; a message box says what is
// wrong with a folder. Empty when the user quits.
QString choose(const QString& argument, const QString& remembered, const Questions& ask,
               QWidget* parent);

// The folder of the last start, kept in the user's settings.
QString remembered();
void remember(const QString& folder);

} // namespace DictionaryFolder
