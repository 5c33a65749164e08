#pragma once

#include "DictionaryWriter.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Everything that goes into one dictionary folder.
struct DictionaryFolder
{
    QList<WordRecord> words;         // in table order
    QStringList themes;              // in table order
    QMap<QString, QByteArray> icons; // file name in "icones" -> bytes of the .ico file
    QByteArray importFile;           // "listemot.txt"; not written when empty
};

namespace Generator {

// The bundled demo: real words, pictograms, an import file. Always the same.
DictionaryFolder demo();
// `count` generated words, unique regardless of case, for benchmarks.
DictionaryFolder synthetic(int count, bool withIcons);
// `count` words of `wordList`, spread evenly over it and unique regardless of
// case, in a shuffled order; `importCount` further words of the list make the
// import file. No words when the list is too short for that.
DictionaryFolder fromWordList(const QStringList& wordList, int count, bool withIcons,
                              int importCount);

// Refuses to replace an existing dictionary or theme file unless `force`.
bool write(const QString& dir, const DictionaryFolder& folder, bool force, QString& error);

} // namespace Generator
