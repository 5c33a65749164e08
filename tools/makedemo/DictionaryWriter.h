#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One row of table `lexa`. An empty text or icon is stored as NULL.
struct WordRecord
{
    QString word;
    QString article;
    QString frequency;
    QString themes;
    bool marked = false;
    QByteArray icon;
    QString sound;
    QString plural;
    QString syllables;
};

// Each file is built beside its final name in one transaction and then moved
// into place, so a failure never leaves half a dictionary behind. A journal
// left by an earlier dictionary of that name is removed with it.
namespace DictionaryWriter {

bool writeDictionary(const QString& path, const QList<WordRecord>& words, QString& error);
bool writeThemes(const QString& path, const QStringList& themes, QString& error);

} // namespace DictionaryWriter
