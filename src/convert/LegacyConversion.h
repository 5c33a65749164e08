#pragma once

#include "LegacyReader.h"

#include <QString>
#include <QStringList>

// What a conversion of old Access dictionaries did.
struct ConversionReport
{
    QStringList files;   // the converted files ("LEXA.MDB", "THEME.MDB")
    QStringList backups; // the name each Access file was kept under, same order
    int words = 0;
    int themes = 0;
    int icons = 0;
    QStringList problems; // values kept as they were because they could not be read

    // The German summary shown after converting.
    QString summary() const;
};

// The names among "LEXA.MDB" and "THEME.MDB" in `folder` that are Access files.
QStringList legacyFiles(const QString& folder);

// The first name not yet taken in `folder` for keeping `fileName`:
// "LEXA.MDB.access", then "LEXA.MDB.access-2", "LEXA.MDB.access-3", ...
QString backupName(const QString& folder, const QString& fileName);

// Converts every Access file among "LEXA.MDB" and "THEME.MDB" in `folder`
// into a SQLite file of the same name; each Access file is kept under its
// backupName(). All or nothing: on failure every file is as it was, no
// temporary file is left, and `error` names the file and the reason in German.
bool convertLegacyFiles(const QString& folder, const LegacyReader& reader, ConversionReport* report,
                        QString* error);
