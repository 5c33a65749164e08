#pragma once

#include "app/BatchCommand.h"

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

// "lexa --export-csv DATEI.csv [ORDNER]" and "lexa --import-csv DATEI.csv
// [ORDNER]": the exchange of the dictionary with other programs, without a
// window. The export only reads the dictionary; the import waits for no
// question: it updates the words already there and says how many.
class ExchangeCommand : public BatchCommand
{
public:
    ExchangeCommand();

    void addOptions(QCommandLineParser& parser) const override;
    [[nodiscard]] Result read(const QCommandLineParser& parser, const QString& folder) override;

private:
    [[nodiscard]] ResultOf<QString> work() const override;
    [[nodiscard]] ResultOf<QString> exportWords() const;
    [[nodiscard]] ResultOf<QString> importWords() const;

    QCommandLineOption m_export;
    QCommandLineOption m_import;
    bool m_importing = false;
};
