// Kills a process that edits a dictionary as the windows do, at random
// moments, and checks after each kill that the file is sound and holds every
// operation that had returned, and no operation in part.
//
//   lexa-crashtest [--kills N] [--seed S] [--words W] [--dir D]
#include "Operations.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Crash::fail;
using Crash::journal;
using Crash::openDictionary;

const QString JournalName = QStringLiteral("journal.txt");
// The journal line of an operation begun: "B <operation>".
const QString BeginTag = QStringLiteral("B\t");

// The child: works on the dictionary until it is killed.
int runChild(const QString& dir, quint32 seed)
{
    QString error;
    std::optional<Words> words;
    const auto db = openDictionary(dir, &error);
    if (db) {
        words = Crash::read(*db, &error);
    }
    Window window(QDir(dir).filePath(Schema::DictionaryFile));
    if (!words || !window.open(&error)) {
        return fail(error);
    }
    // Undo and redo may take steps of earlier runs: their words are read back.
    Expected model{*words, {}, {}};
    // The parent counts the time to the kill from here: loading is no operation.
    std::printf("ready\n");
    std::fflush(stdout);
    const int fd = open(QFile::encodeName(QDir(dir).filePath(JournalName)).constData(),
                        O_WRONLY | O_APPEND | O_CREAT, 0644);
    QRandomGenerator random(seed);
    for (int serial = 0;; ++serial) {
        const Operation operation =
            Crash::choose(model.words, window.canUndo(), window.canRedo(), random,
                          QStringLiteral("%1-%2").arg(seed).arg(serial));
        if (!journal(fd, BeginTag + Crash::encode(operation))) {
            return fail(QStringLiteral("journal cannot be written"));
        }
        if (!window.perform(operation, &error)) {
            return fail(QStringLiteral("operation %1 failed: %2")
                            .arg(static_cast<int>(operation.kind))
                            .arg(error));
        }
        if (!journal(fd, Crash::JournalEnd)) {
            return fail(QStringLiteral("journal cannot be written"));
        }
        if (!Crash::follow(model, *db, operation, &error)) {
            return fail(error);
        }
    }
}

// The journal's steps: the operations begun.
std::optional<Crash::Journal<Operation>> readJournal(const QString& path)
{
    return Crash::readJournal<Operation>(path, [](const QString& line) {
        return line.startsWith(BeginTag) ? Crash::decode(line.mid(BeginTag.size())) : std::nullopt;
    });
}

QString difference(const Words& expected, const Words& actual)
{
    for (const auto& [rowid, word] : expected) {
        const auto it = actual.find(rowid);
        if (it == actual.end()) {
            return QStringLiteral("record %1 (%2) is missing").arg(rowid).arg(word.mot);
        }
        if (!(it->second == word)) {
            return QStringLiteral("record %1 is \"%2\" mark %3, expected \"%4\" mark %5")
                .arg(rowid)
                .arg(it->second.mot, it->second.mark, word.mot, word.mark);
        }
    }
    return QStringLiteral("%1 records, expected %2").arg(actual.size()).arg(expected.size());
}

struct Figures
{
    int kills = 0;
    qint64 returned = 0;
    int interrupted = 0;
    int interruptedLanded = 0;
    int interruptedBatches = 0;
    int undoRedo = 0;
};

int runParent(const QString& dir, int kills, quint32 seed, int wordCount)
{
    QString error;
    if (!Crash::writeInitialDictionary(QDir(dir).filePath(Schema::DictionaryFile), wordCount,
                                       error)) {
        return fail(error);
    }
    std::optional<Words> initial;
    if (auto db = openDictionary(dir, &error)) {
        initial = Crash::read(*db, &error);
    }
    if (!initial) {
        return fail(error);
    }
    Expected expected{*initial, {}, {}};

    QRandomGenerator random(seed);
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    const QString journalPath = QDir(dir).filePath(JournalName);
    for (int kill = 1; kill <= kills; ++kill) {
        QFile::remove(journalPath);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), dir, QString::number(random.generate())});
        if (!child.waitForReadyRead(60'000) ||
            child.waitForFinished(static_cast<int>(random.bounded(1, 300)))) {
            return fail(QStringLiteral("kill %1: the child ended by itself").arg(kill));
        }
        child.kill(); // SIGKILL
        child.waitForFinished();

        const auto journal = readJournal(journalPath);
        if (!journal) {
            return fail(QStringLiteral("kill %1: the journal is malformed").arg(kill));
        }
        auto db = openDictionary(dir, &error);
        if (!db) {
            return fail(QStringLiteral("kill %1: %2").arg(kill).arg(error));
        }
        auto check = db->prepare(QStringLiteral("PRAGMA integrity_check"));
        if (!check || !check->next() || check->column(0).toString() != QLatin1String("ok")) {
            return fail(QStringLiteral("kill %1: integrity check failed").arg(kill));
        }
        const auto actual = Crash::read(*db, &error);
        if (!actual) {
            return fail(QStringLiteral("kill %1: %2").arg(kill).arg(error));
        }
        for (const Operation& operation : journal->returned) {
            Crash::apply(expected, operation);
            figures.undoRedo +=
                operation.kind == Operation::Kind::Undo || operation.kind == Operation::Kind::Redo;
        }
        figures.returned += journal->returned.size();
        bool landed = false;
        if (*actual != expected.words && journal->interrupted) {
            Expected withInterrupted = expected;
            Crash::apply(withInterrupted, *journal->interrupted);
            landed = *actual == withInterrupted.words;
            if (landed) {
                expected = std::move(withInterrupted);
            }
        }
        if (*actual != expected.words && !landed) {
            return fail(
                QStringLiteral("kill %1: %2").arg(kill).arg(difference(expected.words, *actual)));
        }
        if (journal->interrupted) {
            ++figures.interrupted;
            figures.interruptedLanded += landed ? 1 : 0;
            const auto kind = journal->interrupted->kind;
            figures.interruptedBatches +=
                kind == Operation::Kind::Import || kind == Operation::Kind::Raz ? 1 : 0;
        }
        ++figures.kills;
    }
    std::printf("%d kills survived in %.0f s; %lld operations returned (%d undo or redo), none "
                "lost; %d interrupted (%d landed whole, the rest not at all; %d of them imports "
                "or raz); %zu words at the end\n",
                figures.kills, clock.elapsed() / 1000.0, static_cast<long long>(figures.returned),
                figures.undoRedo, figures.interrupted, figures.interruptedLanded,
                figures.interruptedBatches, expected.words.size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"kills", "Number of kills.", "n", "50"},
                       {"seed", "Seed of the kill moments and operations.", "s", "1"},
                       {"words", "Words in the first dictionary.", "n", "3000"},
                       {"dir", "Folder for the dictionary (default: a temporary one).", "dir"},
                       {"child", "Internal: work on the dictionary in <dir>.", "dir"}});
    parser.addPositionalArgument("seed", "Internal: the child's seed.");
    parser.addHelpOption();
    parser.process(app);
    if (parser.isSet("child")) {
        return runChild(parser.value("child"), parser.positionalArguments().value(0).toUInt());
    }
    QTemporaryDir temporary;
    const QString dir = parser.isSet("dir") ? parser.value("dir") : temporary.path();
    if (!QDir().mkpath(dir)) {
        return fail(QStringLiteral("%1 cannot be created").arg(dir));
    }
    return runParent(dir, parser.value("kills").toInt(), parser.value("seed").toUInt(),
                     parser.value("words").toInt());
}
