// lexa-makedemo: writes a LEXA dictionary folder, either the bundled demo or a
// generated dictionary of a given size for benchmarks and start-up tests.

#include "Generator.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

namespace {

struct Options
{
    QString out;
    int words = 0; // 0: the demo
    bool icons = false;
    bool force = false;
    QString wordList; // empty: made-up words
    int import = 0;
};

bool parse(const QStringList& arguments, Options& options, QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Writes a LEXA dictionary folder: LEXA.MDB, THEME.MDB "
                                     "and, for the demo, icones/*.ico and listemot.txt.");
    parser.addHelpOption();
    const QCommandLineOption out("out", "The dictionary folder to write.", "dir");
    const QCommandLineOption words("words", "Generate <n> words instead of the demo.", "n");
    const QCommandLineOption icons("icons", "With --words: give every word an icon.");
    const QCommandLineOption force("force", "Replace an existing dictionary.");
    const QCommandLineOption wordList(
        "word-list", "With --words: take the words from <file>, one a line (UTF-8).", "file");
    const QCommandLineOption import(
        "import", "With --word-list: <n> further words of the list go to listemot.txt.", "n");
    parser.addOptions({out, words, icons, force, wordList, import});
    parser.process(arguments);

    options.out = parser.value(out);
    options.icons = parser.isSet(icons);
    options.force = parser.isSet(force);
    options.wordList = parser.value(wordList);
    bool number = true;
    if (parser.isSet(words)) {
        options.words = parser.value(words).toInt(&number);
    }
    if (number && parser.isSet(import)) {
        options.import = parser.value(import).toInt(&number);
    }
    if (options.out.isEmpty()) {
        error = "--out <dir> is required";
    } else if (!number || (parser.isSet(words) && options.words < 1)) {
        error = "--words needs a positive number";
    } else if (options.icons && options.words == 0) {
        error = "--icons goes with --words";
    } else if (!options.wordList.isEmpty() && options.words == 0) {
        error = "--word-list goes with --words";
    } else if (options.import != 0 && (options.wordList.isEmpty() || options.import < 0)) {
        error = "--import goes with --word-list and needs a positive number";
    }
    return error.isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    // Icons are painted off screen; the tool never shows a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    Options options;
    QString error;
    if (!parse(QCoreApplication::arguments(), options, error)) {
        err << "lexa-makedemo: " << error << Qt::endl;
        return 2;
    }
    DictionaryFolder folder;
    if (options.wordList.isEmpty()) {
        folder = options.words > 0 ? Generator::synthetic(options.words, options.icons)
                                   : Generator::demo();
    } else {
        QFile list(options.wordList);
        if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
            err << "lexa-makedemo: " << options.wordList << ": " << list.errorString() << Qt::endl;
            return 1;
        }
        const QStringList lines = QString::fromUtf8(list.readAll()).split(u'\n');
        folder = Generator::fromWordList(lines, options.words, options.icons, options.import);
        if (folder.words.isEmpty()) {
            err << "lexa-makedemo: " << options.wordList << " has too few words" << Qt::endl;
            return 1;
        }
    }
    if (!Generator::write(options.out, folder, options.force, error)) {
        err << "lexa-makedemo: " << error << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "lexa-makedemo: " << folder.words.size() << " words written to "
                        << options.out << Qt::endl;
    return 0;
}
