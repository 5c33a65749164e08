#pragma once

#include "data/Result.h"

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

// "lexa --export-csv DATEI.csv [ORDNER]" and "lexa --import-csv DATEI.csv
// [ORDNER]": the exchange of the dictionary with other programs, without a
// window. The export only reads the dictionary; the import waits for no
// question: it updates the words already there and says how many.
class ExchangeCommand
{
public:
    ExchangeCommand();

    // Registers the options with the program's parser.
    void addOptions(QCommandLineParser& parser) const;
    // Reads them after parsing. False (with a German message in `error`)
    // when they are wrong; `wanted()` tells whether an exchange was asked for.
    [[nodiscard]] bool read(const QCommandLineParser& parser, const QString& folder,
                            QString* error);
    bool wanted() const { return !m_file.isEmpty(); }

    // The export or the import; the exit code of the program (0 on success,
    // else a German message went to stderr).
    int run(int argc, char* argv[]) const;

private:
    [[nodiscard]] ResultOf<QString> exportWords() const;
    [[nodiscard]] ResultOf<QString> importWords() const;

    QCommandLineOption m_export;
    QCommandLineOption m_import;
    QString m_file;
    bool m_importing = false;
    QString m_folder;
};
