#pragma once

#include "app/BatchCommand.h"
#include "widgets/PrintLayout.h"
#include "widgets/PrintWords.h"

#include <QCommandLineOption>
#include <QString>
#include <optional>

class QCommandLineParser;

// "lexa --pdf DATEI.pdf [--layout cards|pages|list] [--theme NAME] [--marked]
// [ORDNER]": writes a printout as a PDF without a window, for batches of
// material. The dictionary is opened for reading only.
class PdfCommand : public BatchCommand
{
public:
    PdfCommand();

    void addOptions(QCommandLineParser& parser) const override;
    [[nodiscard]] Result read(const QCommandLineParser& parser, const QString& folder) override;

private:
    // Writes the PDF.
    [[nodiscard]] ResultOf<QString> work() const override;

    QCommandLineOption m_pdf;
    QCommandLineOption m_layout;
    QCommandLineOption m_theme;
    QCommandLineOption m_marked;
    WordChoice m_choice;
    PrintOptions m_options;
};
