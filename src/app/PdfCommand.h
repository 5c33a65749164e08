#pragma once

#include "widgets/PrintLayout.h"
#include "widgets/PrintWords.h"

#include <QCommandLineOption>
#include <QString>
#include <optional>

class QCommandLineParser;

// "lexa --pdf DATEI.pdf [--layout cards|pages|list] [--theme NAME] [--marked]
// [ORDNER]": writes a printout as a PDF without a window, for batches of
// material. The dictionary is opened for reading only.
class PdfCommand
{
public:
    PdfCommand();

    // Registers the options with the program's parser.
    void addOptions(QCommandLineParser& parser) const;
    // Reads them after parsing. False (with a German message in `error`)
    // when they are wrong; `wanted()` tells whether a PDF was asked for.
    [[nodiscard]] bool read(const QCommandLineParser& parser, const QString& folder,
                            QString* error);
    bool wanted() const { return !m_file.isEmpty(); }

    // Writes the PDF; the exit code of the program (0 on success, else a
    // German message went to stderr).
    int run(int argc, char* argv[]) const;

private:
    [[nodiscard]] Result write() const;

    QCommandLineOption m_pdf;
    QCommandLineOption m_layout;
    QCommandLineOption m_theme;
    QCommandLineOption m_marked;
    QString m_file;
    QString m_folder;
    WordChoice m_choice;
    PrintOptions m_options;
};
