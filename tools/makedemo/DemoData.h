#pragma once

#include "Pictogram.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <span>

// The words of the bundled demo dictionary, as written in the source: grouped
// by theme. The generator shuffles them into the order of a dictionary that
// grew over time.
struct DemoWord
{
    const char* word;      // UTF-8
    const char* article;   // nullptr: no article (not a noun)
    const char* frequency; // "1" (frequent) to "5" (rare)
    const char* themes;    // theme names run together, nullptr: none
    Pictogram picture = Pictogram::None;
    bool marked = false;
};

namespace DemoData {

// The theme table in its natural order.
QStringList themes();
std::span<const DemoWord> words();
// The plural of each noun that has one, by its word.
QHash<QString, QString> plurals();
// The import file, already in Windows-1252 with CRLF line ends.
QByteArray importFile();

} // namespace DemoData
