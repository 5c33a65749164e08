// Cuts the power of a process that edits a dictionary as the windows do and
// makes the daily backup: at its k-th sync for k = 1, 2, … up to the span,
// then again with new seeds, and every tenth time at its first checkpoint.
// After each cut it checks the dictionary, its undo history and the backup
// copies as the next start would find them.
//
//   lexa-powercut [--cuts N] [--seed S] [--span K] [--words W] [--dir D] [--keep-going]
#include "Checks.h"
#include "CutVfs.h"
#include "DictionaryWriter.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Crash::fail;
using Crash::journal;
using Crash::openDictionary;

const QString JournalName = QStringLiteral("journal.txt");
// The folder the cut acts on; the journal stays outside it.
const QString DictionaryFolder = QStringLiteral("dictionary");
const QDate FirstDay(2026, 1, 1);
const QStringList Themes{"Tiere", "Haus", "Schule", "Essen"};

// The dictionary as the next start finds it, opened from a copy of the file
// and its -wal (the -shm does not survive a cut): the check recovers and
// checkpoints the copy, and the next child goes on with the -wal as a long
// session would, so that cuts meet checkpoints.
std::unique_ptr<Database> openRecovered(const QString& folder, QString* error)
{
    const QString copy = folder + QStringLiteral("-check");
    QDir(copy).removeRecursively();
    QDir().mkpath(copy);
    for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
        const QString name = Schema::DictionaryFile + suffix;
        const QString from = QDir(folder).filePath(name);
        if (QFile::exists(from) && !QFile::copy(from, QDir(copy).filePath(name))) {
            *error = QStringLiteral("%1 cannot be copied").arg(from);
            return nullptr;
        }
    }
    return openDictionary(copy, error);
}

struct ChildPlan
{
    QString folder;
    QString journal;
    quint32 seed = 0;
    quint64 cutAt = 0;
    bool checkpoint = false; // count only the syncs of the dictionary file: checkpoints
    int backupAt = 0;        // the number of operations before the backup
    QDate today;
};

// The child: works on the dictionary until the power is cut.
int runChild(const ChildPlan& plan)
{
    const QString dictionary = QDir(plan.folder).filePath(Schema::DictionaryFile);
    if (!CutVfs::install(QFile::encodeName(plan.folder).toStdString(), plan.cutAt,
                         plan.checkpoint ? QFile::encodeName(dictionary).toStdString() : "",
                         plan.seed)) {
        return fail(QStringLiteral("the VFS cannot be installed"));
    }
    // The window opens first, so that closing the connection that reads the
    // words does not checkpoint: the -wal file grows across runs as in a long
    // session, and cuts meet checkpoints.
    QString error;
    Window window(dictionary);
    std::unique_ptr<Database> db;
    std::optional<Words> words;
    if (window.open(&error) && (db = openDictionary(plan.folder, &error))) {
        words = Crash::read(*db, &error);
    }
    if (!words) {
        return fail(error);
    }
    // Undo and redo may take steps of earlier runs: their words are read back.
    Expected model{*words, {}, {}};
    const int fd =
        open(QFile::encodeName(plan.journal).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    QRandomGenerator random(plan.seed);
    for (int serial = 0;; ++serial) {
        if (serial == plan.backupAt) {
            if (!journal(fd, JournalLine::Backup + plan.today.toString(Qt::ISODate))) {
                return fail(QStringLiteral("journal cannot be written"));
            }
            const auto backup = Backup::makeDailyBackup(plan.folder, plan.today);
            if (!backup || backup.value != Backup::Copy::Made) {
                return fail(QStringLiteral("the backup failed: %1").arg(backup.error));
            }
            if (!journal(fd, JournalLine::End)) {
                return fail(QStringLiteral("journal cannot be written"));
            }
        }
        const Operation operation =
            Crash::choose(model.words, window.canUndo(), window.canRedo(), random,
                          QStringLiteral("%1-%2").arg(plan.seed).arg(serial));
        if (!journal(fd, JournalLine::Operation + Crash::encode(operation))) {
            return fail(QStringLiteral("journal cannot be written"));
        }
        if (!window.perform(operation, &error)) {
            return fail(QStringLiteral("operation %1 failed: %2")
                            .arg(static_cast<int>(operation.kind))
                            .arg(error));
        }
        if (!journal(fd, JournalLine::End)) {
            return fail(QStringLiteral("journal cannot be written"));
        }
        if (!Crash::follow(model, *db, operation, &error)) {
            return fail(error);
        }
    }
}

struct Figures
{
    int cuts = 0;
    int failed = 0;
    qint64 syncs = 0;
    qint64 returned = 0;
    int interrupted = 0;
    int interruptedLanded = 0;
    qint64 undoRedo = 0;
    int historyChecks = 0;
    int backups = 0;
    int backupsCut = 0;
    int copiesChecked = 0;
    int copiesLost = 0; // made, returned, and gone after the cut
    qint64 landed = 0;
    qint64 vanished = 0;
    qint64 torn = 0;
    qint64 entriesKept = 0;
    qint64 entriesUndone = 0;
    std::map<QString, int> cutsAt; // by the file whose sync was cut, dates left out
};

// What the parent knows between cuts.
struct Known
{
    Expected model;  // the words, and the steps undo and redo take
    StepModel steps; // what the history table must hold
    bool historySeen = false;
    std::map<QDate, Words> snapshots; // by the date of each copy still there
    Copies copies;
};

void countCut(const QByteArray& line, Figures& figures)
{
    static const QRegularExpression pattern(
        QStringLiteral("^cut landed=(\\d+) vanished=(\\d+) torn=(\\d+) kept=(\\d+) undone=(\\d+) "
                       "at=(\\S+)"));
    static const QRegularExpression date(QStringLiteral("\\d{4}-\\d{2}-\\d{2}"));
    const auto match = pattern.match(QString::fromLatin1(line));
    figures.landed += match.captured(1).toLongLong();
    figures.vanished += match.captured(2).toLongLong();
    figures.torn += match.captured(3).toLongLong();
    figures.entriesKept += match.captured(4).toLongLong();
    figures.entriesUndone += match.captured(5).toLongLong();
    ++figures.cutsAt[match.captured(6).replace(date, QStringLiteral("<date>"))];
}

// Every operation that returned is in the file with its undo step; the one
// in flight is there whole or not at all.
QString checkDictionary(const QString& folder, const Journal& journal, Known& known,
                        Figures& figures)
{
    for (const Step& step : journal.returned) {
        if (step.operation) {
            apply(known.model, known.steps, *step.operation);
        } else {
            known.snapshots[step.backup] = known.model.words;
        }
    }
    const auto& interrupted = journal.interrupted;
    if (interrupted && !interrupted->operation) {
        known.snapshots[interrupted->backup] = known.model.words;
    }
    QString error;
    auto db = openRecovered(folder, &error);
    if (!db) {
        return error;
    }
    if (!isIntact(*db)) {
        return QStringLiteral("the integrity check failed");
    }
    const auto words = Crash::read(*db, &error);
    if (!words) {
        return error;
    }
    const auto steps = readSteps(*db);
    known.historySeen = known.historySeen || steps;
    const auto matches = [&](const Expected& model, const StepModel& modelSteps) {
        return *words == model.words && (!known.historySeen || steps == modelSteps.counts());
    };
    bool landed = false;
    if (!matches(known.model, known.steps) && interrupted && interrupted->operation) {
        Expected with = known.model;
        StepModel stepsWith = known.steps;
        apply(with, stepsWith, *interrupted->operation);
        landed = matches(with, stepsWith);
        if (landed) {
            known.model = std::move(with);
            known.steps = stepsWith;
        }
    }
    if (!landed && *words != known.model.words) {
        return QStringLiteral("%1 words, expected %2 (or the operation in flight whole)")
            .arg(words->size())
            .arg(known.model.words.size());
    }
    if (!landed && !matches(known.model, known.steps)) {
        const StepCounts expected = known.steps.counts();
        return QStringLiteral("the history holds %1 steps done and %2 undone, expected %3 and %4")
            .arg(steps ? steps->done : -1)
            .arg(steps ? steps->undone : -1)
            .arg(expected.done)
            .arg(expected.undone);
    }
    figures.returned += std::count_if(journal.returned.begin(), journal.returned.end(),
                                      [](const Step& step) { return step.operation.has_value(); });
    figures.undoRedo +=
        std::count_if(journal.returned.begin(), journal.returned.end(), [](const Step& step) {
            return step.operation && (step.operation->kind == Operation::Kind::Undo ||
                                      step.operation->kind == Operation::Kind::Redo);
        });
    figures.historyChecks += known.historySeen ? 1 : 0;
    if (interrupted && interrupted->operation) {
        ++figures.interrupted;
        figures.interruptedLanded += landed ? 1 : 0;
    }
    return {};
}

QString checkBackups(const QString& folder, const Journal& journal, Known& known, Figures& figures)
{
    Copies copies;
    const QString problem =
        checkCopies(folder, known.snapshots, Themes.size(), known.copies, &copies);
    if (!problem.isEmpty()) {
        return problem;
    }
    for (const Step& step : journal.returned) {
        if (!step.operation) {
            ++figures.backups;
            figures.copiesLost += copies.dictionaryDates.contains(step.backup) ? 0 : 1;
        }
    }
    if (journal.interrupted && !journal.interrupted->operation) {
        ++figures.backups;
        ++figures.backupsCut;
    }
    figures.copiesChecked += copies.checked;
    std::erase_if(known.snapshots, [&](const auto& snapshot) {
        return !copies.dictionaryDates.contains(snapshot.first);
    });
    known.copies = copies;
    return {};
}

void report(const Figures& f, const Known& known, qint64 milliseconds)
{
    QStringList cutsAt;
    for (const auto& [file, count] : f.cutsAt) {
        cutsAt.append(QStringLiteral("%1 %2").arg(file).arg(count));
    }
    const QStringList lines{
        QStringLiteral("%1 power cuts in %2 s (%3 syncs reached, checkpoints aside), %4 failed "
                       "the checks.")
            .arg(f.cuts)
            .arg(milliseconds / 1000)
            .arg(f.syncs)
            .arg(f.failed),
        QStringLiteral("Dictionary: %1 operations returned and found (%2 undo or redo); %3 in "
                       "flight (%4 landed whole, the rest not at all); history checked after %5 "
                       "cuts; %6 words at the end.")
            .arg(f.returned)
            .arg(f.undoRedo)
            .arg(f.interrupted)
            .arg(f.interruptedLanded)
            .arg(f.historyChecks)
            .arg(known.model.words.size()),
        QStringLiteral("Backups: %1 begun, %2 of them cut; %3 dated copies checked, all whole; "
                       "%4 returned copies gone with their unsynced folder entry; %5 partial "
                       "copies left in the folder at the end.")
            .arg(f.backups)
            .arg(f.backupsCut)
            .arg(f.copiesChecked)
            .arg(f.copiesLost)
            .arg(known.copies.partial),
        QStringLiteral("Writes at the cuts: %1 landed, %2 vanished, %3 torn; folder entries: %4 "
                       "kept, %5 undone.")
            .arg(f.landed)
            .arg(f.vanished)
            .arg(f.torn)
            .arg(f.entriesKept)
            .arg(f.entriesUndone),
        QStringLiteral("Cuts by the file being synced: %1.")
            .arg(cutsAt.join(QStringLiteral(", ")))};
    std::printf("%s\n", qPrintable(lines.join(u'\n')));
}

QString prepare(const QString& folder, int wordCount, Known& known)
{
    QString error;
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder) ||
        !Crash::writeInitialDictionary(QDir(folder).filePath(Schema::DictionaryFile), wordCount,
                                       error) ||
        !DictionaryWriter::writeThemes(QDir(folder).filePath(Schema::ThemesFile), Themes, error)) {
        return error.isEmpty() ? QStringLiteral("%1 cannot be created").arg(folder) : error;
    }
    auto db = openRecovered(folder, &error);
    const auto words = db ? Crash::read(*db, &error) : std::nullopt;
    if (!words) {
        return error;
    }
    known.model.words = *words;
    return {};
}

int runParent(const QString& dir, int cuts, quint32 seed, int span, int wordCount, bool keepGoing)
{
    const QString folder = QDir(dir).filePath(DictionaryFolder);
    Known known;
    if (const QString error = prepare(folder, wordCount, known); !error.isEmpty()) {
        return fail(error);
    }
    QRandomGenerator random(seed);
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    ChildPlan plan;
    plan.folder = QFileInfo(folder).canonicalFilePath();
    plan.journal = QDir(dir).filePath(JournalName);
    for (int cut = 1; cut <= cuts; ++cut) {
        plan.seed = random.generate();
        // Every tenth run is cut at its first checkpoint, the others at sync k.
        plan.checkpoint = cut % 10 == 0;
        plan.cutAt = plan.checkpoint ? 1 : static_cast<quint64>((cut - 1) % span + 1);
        plan.backupAt = static_cast<int>(random.bounded(6));
        plan.today = FirstDay.addDays(cut);
        QFile::remove(plan.journal);
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.setReadChannel(QProcess::StandardOutput);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), plan.folder, plan.journal,
                     QString::number(plan.seed), QString::number(plan.cutAt),
                     QString::number(plan.checkpoint ? 1 : 0), QString::number(plan.backupAt),
                     plan.today.toString(Qt::ISODate)});
        if (!child.waitForFinished(120'000) || child.exitStatus() != QProcess::NormalExit ||
            child.exitCode() != CutVfs::CutExit) {
            return fail(QStringLiteral("cut %1: the child ended without a cut (%2): %3")
                            .arg(cut)
                            .arg(child.exitCode())
                            .arg(QString::fromUtf8(child.readAllStandardError())));
        }
        countCut(child.readAllStandardOutput(), figures);
        const auto journal = readJournal(plan.journal);
        if (!journal) {
            return fail(QStringLiteral("cut %1: the journal is malformed").arg(cut));
        }
        QString problem = checkDictionary(folder, *journal, known, figures);
        if (problem.isEmpty()) {
            problem = checkBackups(folder, *journal, known, figures);
        }
        if (!problem.isEmpty()) {
            fail(QStringLiteral("cut %1 (sync %2, seed %3): %4")
                     .arg(cut)
                     .arg(plan.cutAt)
                     .arg(plan.seed)
                     .arg(problem));
            if (!keepGoing) {
                return 1;
            }
            // The run goes on from a new dictionary: nothing after a failure
            // would be counted twice.
            ++figures.failed;
            known = Known{};
            if (const QString error = prepare(folder, wordCount, known); !error.isEmpty()) {
                return fail(error);
            }
        }
        figures.syncs += plan.checkpoint ? 0 : static_cast<qint64>(plan.cutAt);
        ++figures.cuts;
    }
    report(figures, known, clock.elapsed());
    return figures.failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions(
        {{"cuts", "Number of power cuts.", "n", "100"},
         {"seed", "Seed of the operations and of what each cut keeps.", "s", "1"},
         {"span", "Cut at syncs 1 to this many, then again with new seeds.", "k", "50"},
         {"words", "Words in the first dictionary.", "n", "1000"},
         {"dir", "Folder for the dictionary (default: a temporary one).", "dir"},
         {"keep-going", "Count the cuts that fail the checks instead of stopping at the first."},
         {"child", "Internal: work on the dictionary in <dir> until the cut.", "dir"}});
    parser.addPositionalArgument(
        "plan", "Internal: the child's journal, seed, sync, checkpoint, backup, date.");
    parser.addHelpOption();
    parser.process(app);
    if (parser.isSet("child")) {
        const QStringList args = parser.positionalArguments();
        if (args.size() != 6) {
            return fail(QStringLiteral("the child needs six arguments"));
        }
        return runChild({parser.value("child"), args.at(0), args.at(1).toUInt(),
                         args.at(2).toULongLong(), args.at(3) == QLatin1String("1"),
                         args.at(4).toInt(), QDate::fromString(args.at(5), Qt::ISODate)});
    }
    QTemporaryDir temporary;
    const QString dir = parser.isSet("dir") ? parser.value("dir") : temporary.path();
    if (!QDir().mkpath(dir)) {
        return fail(QStringLiteral("%1 cannot be created").arg(dir));
    }
    return runParent(dir, parser.value("cuts").toInt(), parser.value("seed").toUInt(),
                     std::max(1, parser.value("span").toInt()), parser.value("words").toInt(),
                     parser.isSet("keep-going"));
}
