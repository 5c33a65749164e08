#pragma once

#include "data/Result.h"

#include <QString>

class QCommandLineParser;

// A way of running LEXA without a window, asked for by its options: the
// work runs offscreen with Qt's German texts, what it has to say goes to
// stdout, a failure's German message to stderr.
class BatchCommand
{
public:
    virtual ~BatchCommand() = default;

    // Registers the options with the program's parser.
    virtual void addOptions(QCommandLineParser& parser) const = 0;
    // Reads them after parsing; a German message when they are wrong.
    // `wanted()` then tells whether this command was asked for.
    [[nodiscard]] virtual Result read(const QCommandLineParser& parser, const QString& folder) = 0;
    bool wanted() const { return !m_file.isEmpty(); }

    // Does the work; the exit code of the program (0 on success, else a
    // German message went to stderr).
    int run(int argc, char* argv[]) const;

protected:
    BatchCommand() = default;
    BatchCommand(const BatchCommand&) = default;
    BatchCommand& operator=(const BatchCommand&) = default;

    // The work; on success what to print, nothing for nothing.
    [[nodiscard]] virtual ResultOf<QString> work() const = 0;
    // Takes the folder given on the command line: the current one when none
    // is given, a dictionary file's folder when a file is given.
    void takeFolder(const QString& folder);

    // The file the command writes or reads; empty when not asked for.
    QString m_file;
    QString m_folder;
};
