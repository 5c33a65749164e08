// lexa-bench: LEXA's start-up and heavy operations, each against its floor
// measured in the same run, printed as Markdown tables. Its argument is the
// folder of dictionaries that scripts/bench.sh makes: "5441" (no icons) and
// "1000-icons", "5000-icons" (with listemot.txt), "5441-icons", "16000-icons",
// "32767-icons". "near" adds the check for near words and a table of the
// window that finds them all.
#include "Floor.h"
#include "Measure.h"
#include "UndoBench.h"
#include "app/Form1.h"
#include "app/ResulCh.h"
#include "editor/Editor.h"
#include "editor/NearCheck.h"
#include "editor/SimilarWords.h"
#include "widgets/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <memory>
#include <sqlite3.h>

namespace {

using Measure::fail;

constexpr int StartRuns = 11;
constexpr int SearchRuns = 7;
constexpr int WriteRuns = 5;
constexpr int SelectRuns = 51;
// One of the themes every generated dictionary has.
const QString Theme = QStringLiteral("Tiere");

struct Row
{
    QString operation;
    QString lexa;
    QString floor;
    double ratio = 0;
    QString target;
};

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

void progress(const QString& step)
{
    QTextStream(stderr) << "lexa-bench: " << step << Qt::endl;
}

template <typename T = QWidget> T* control(QWidget* window, const QString& name)
{
    auto* found = window->findChild<T*>(name);
    if (found == nullptr) {
        fail(QStringLiteral("no control %1 in %2").arg(name, window->objectName()));
    }
    return found;
}

void click(QWidget* window, const QString& button)
{
    control<QAbstractButton>(window, button)->click();
}

void setText(QWidget* window, const QString& name, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(control(window, name))) {
        box->setText(text);
    } else {
        control<QLabel>(window, name)->setText(text);
    }
}

int shownCount(QWidget* window, const QString& label)
{
    return control<QLabel>(window, label)->text().toInt();
}

void expectBoxes(qsizetype boxes, const QString& lastText)
{
    const QStringList answered = MessageBox::takeAnswered();
    if (answered.size() != boxes || !answered.last().contains(lastText)) {
        fail(QStringLiteral("unexpected messages: ") + answered.join(QStringLiteral(" / ")));
    }
}

std::unique_ptr<Form1> openForm(const QString& folder)
{
    QDir::setCurrent(folder);
    auto form = std::make_unique<Form1>();
    // Past 5,440 words the word limit's message comes.
    MessageBox::setNextAnswer(QMessageBox::Ok);
    if (!form->Form_Load()) {
        fail(folder + QStringLiteral(": LEXA could not open the dictionary"));
    }
    MessageBox::resetSeam();
    // As a user would, it acts once the window has readied itself.
    QEventLoop settled;
    QTimer::singleShot(Editor::PrepareDelayMs + 100, &settled, &QEventLoop::quit);
    settled.exec();
    return form;
}

// A copy of a dictionary folder that an operation may change.
std::unique_ptr<QTemporaryDir> scratchCopy(const QString& folder)
{
    auto copy = std::make_unique<QTemporaryDir>();
    for (const QString& name : {QStringLiteral("LEXA.MDB"), QStringLiteral("THEME.MDB"),
                                QStringLiteral("listemot.txt")}) {
        const QString source = QDir(folder).filePath(name);
        if (QFile::exists(source) && !QFile::copy(source, copy->filePath(name))) {
            fail(source + QStringLiteral(": cannot be copied"));
        }
    }
    return copy;
}

QString withMemory(double ms, double mib)
{
    return Measure::ms(ms) + QStringLiteral(", %1 MiB").arg(mib, 0, 'f', 1);
}

QString verdict(double ratio, double maxRatio)
{
    return QStringLiteral("≤ %1: %2").arg(maxRatio).arg(ratio <= maxRatio ? "met" : "not met");
}

Row timedRow(const QString& operation, double lexa, double floor, double maxRatio)
{
    return {operation, Measure::ms(lexa), Measure::ms(floor), lexa / floor,
            verdict(lexa / floor, maxRatio)};
}

// LEXA's start-up as a whole process against a window with one line of text.
Row startUp(const QString& folder, const QString& operation, int runs, double maxRatio,
            double maxExtraMiB)
{
    const QString bin = QCoreApplication::applicationDirPath();
    QList<double> lexaMs, lexaMiB, floorMs, floorMiB;
    // The first run of each fills the file cache; it is not counted.
    for (int i = -1; i < runs; ++i) {
        const auto lexa = Measure::runProcess(bin + QStringLiteral("/lexa-bench-start"), folder);
        const auto floor = Measure::runProcess(bin + QStringLiteral("/lexa-bench-floor"), folder);
        if (i >= 0) {
            lexaMs << lexa.ms;
            lexaMiB << lexa.peakMiB;
            floorMs << floor.ms;
            floorMiB << floor.peakMiB;
        }
    }
    const double lexa = Measure::median(lexaMs);
    const double floor = Measure::median(floorMs);
    const double extra = Measure::median(lexaMiB) - Measure::median(floorMiB);
    QString target = verdict(lexa / floor, maxRatio);
    if (maxExtraMiB > 0) {
        target += QStringLiteral("; memory ≤ floor + %1 MiB: %2")
                      .arg(maxExtraMiB)
                      .arg(extra <= maxExtraMiB ? "met" : "not met");
    }
    return {operation, withMemory(lexa, Measure::median(lexaMiB)),
            withMemory(floor, Measure::median(floorMiB)), lexa / floor, target};
}

struct SearchCase
{
    QString operation;
    QString field; // the search text's control
    QString text;
    QString button;
    QString floorSql;
};

// A dictionary search in the search window against the same query through
// SQLite, fetched and sorted.
Row search(QWidget* window, Floor& floor, const SearchCase& c)
{
    control<QRadioButton>(window, QStringLiteral("Option2"))->setChecked(true);
    setText(window, c.field, c.text);
    const double lexa = Measure::medianMs(SearchRuns, [&] { click(window, c.button); });
    const int found = shownCount(window, QStringLiteral("nb_tr"));
    qsizetype floorFound = 0;
    const double floorMs =
        Measure::medianMs(SearchRuns, [&] { floorFound = floor.sortedWords(c.floorSql).size(); });
    QString operation = c.operation + QStringLiteral(" (%1 found").arg(Measure::count(found));
    if (floorFound != found) {
        operation += QStringLiteral(", floor %1").arg(Measure::count(floorFound));
    }
    return timedRow(operation + u')', lexa, floorMs, 3);
}

SearchCase containsE()
{
    return {QStringLiteral("Contains \"e\""), QStringLiteral("ecrire"), QStringLiteral("e"),
            QStringLiteral("contient"),
            QStringLiteral("SELECT mot FROM lexa WHERE mot LIKE '%e%'")};
}

QList<SearchCase> searches()
{
    return {
        {QStringLiteral("Begins with \"a\""), QStringLiteral("ecrire"), QStringLiteral("a"),
         QStringLiteral("commence"), QStringLiteral("SELECT mot FROM lexa WHERE mot LIKE 'a%'")},
        containsE(),
        {QStringLiteral("Length 5"), QStringLiteral("lg"), QStringLiteral("5"),
         QStringLiteral("longueur"), QStringLiteral("SELECT mot FROM lexa WHERE length(mot) = 5")},
        {QStringLiteral("Theme \"%1\"").arg(Theme), QStringLiteral("theme"), Theme,
         QStringLiteral("theme_cherch"),
         QStringLiteral("SELECT mot FROM lexa WHERE theme LIKE '%%1%'").arg(Theme)},
        // A text of blanks only lists every word.
        {QStringLiteral("Every word"), QStringLiteral("ecrire"), QStringLiteral(" "),
         QStringLiteral("commence"), QStringLiteral("SELECT mot FROM lexa")},
    };
}

// Narrowing the list of every word to those holding "e", against the same
// filter on a list of strings, trimmed and sorted.
Row narrowing(QWidget* window, Floor& floor)
{
    qsizetype listed = 0;
    const double lexa = Measure::medianMs(
        SearchRuns, [&] { click(window, QStringLiteral("contient")); },
        [&] {
            control<QRadioButton>(window, QStringLiteral("Option2"))->setChecked(true);
            setText(window, QStringLiteral("ecrire"), QStringLiteral(" "));
            click(window, QStringLiteral("commence"));
            listed = control<QListWidget>(window, QStringLiteral("resul_cherch"))->count();
            control<QRadioButton>(window, QStringLiteral("extrac_liste"))->setChecked(true);
            setText(window, QStringLiteral("ecrire"), QStringLiteral("e"));
        });
    const int kept = shownCount(window, QStringLiteral("nb_tr"));
    QStringList entries = floor.sortedWords(QStringLiteral("SELECT ' ' || mot || ' ' FROM lexa"));
    const double floorMs = Measure::medianMs(SearchRuns, [&] {
        QStringList narrowed;
        for (const QString& entry : std::as_const(entries)) {
            if (entry.contains(u'e')) {
                narrowed.append(entry.trimmed());
            }
        }
        sortGerman(narrowed);
    });
    return timedRow(QStringLiteral("Narrowing %1 found to \"e\" (%2 kept)")
                        .arg(Measure::count(listed), Measure::count(kept)),
                    lexa, floorMs, 3);
}

// Selecting words all over List1 against reading one record by its rowid.
Row selecting(QWidget* form, Floor& floor)
{
    auto* list = control<WordList>(form, QStringLiteral("List1"));
    const int entries = list->entryCount();
    int step = 0;
    const auto next = [&] { return (++step * 7919) % entries; };
    const double lexa = Measure::medianMs(SelectRuns, [&] { list->setListIndex(next()); });
    const double floorMs = Measure::medianMs(SelectRuns, [&] { floor.record(1 + next()); });
    return timedRow(
        QStringLiteral("Selecting a word in List1 (%1 listed)").arg(Measure::count(entries)), lexa,
        floorMs, 3);
}

// "raz" on a fresh copy each time against one UPDATE.
Row resetMarks(const QString& folder)
{
    QList<double> lexa, floor;
    for (int i = 0; i < WriteRuns; ++i) {
        const auto copy = scratchCopy(folder);
        {
            const auto form = openForm(copy->path());
            MessageBox::setNextAnswer(QMessageBox::Yes);
            lexa << Measure::elapsedMs([&] { click(form.get(), QStringLiteral("Command11")); });
            expectBoxes(1, QStringLiteral("Markierung desaktivieren?"));
        }
        const auto floorCopy = scratchCopy(folder);
        Floor store(floorCopy->filePath(QStringLiteral("LEXA.MDB")));
        floor << Measure::elapsedMs(
            [&] { store.exec(QStringLiteral("UPDATE lexa SET \"mot marque\" = 'N'")); });
    }
    return timedRow(QStringLiteral("\"raz\" (every mark cleared)"), Measure::median(lexa),
                    Measure::median(floor), 3);
}

// The import of listemot.txt on a fresh copy each time against as many
// INSERTs in one transaction.
Row import(const QString& folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("listemot.txt")));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(file.fileName() + QStringLiteral(": cannot be read"));
    }
    const QStringList words = QString(QStringDecoder("windows-1252").decode(file.readAll()))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QString added = QStringLiteral(" %1 Wörter").arg(words.size());
    qsizetype records = 0;
    QList<double> lexa, floor;
    for (int i = 0; i < WriteRuns; ++i) {
        const auto copy = scratchCopy(folder);
        {
            const auto form = openForm(copy->path());
            records = form->editor().nb_mots;
            MessageBox::setNextAnswer(QMessageBox::Yes);
            MessageBox::setNextAnswer(QMessageBox::Ok);
            lexa << Measure::elapsedMs([&] { click(form.get(), QStringLiteral("Command10")); });
            expectBoxes(2, added);
        }
        const auto floorCopy = scratchCopy(folder);
        Floor store(floorCopy->filePath(QStringLiteral("LEXA.MDB")));
        floor << Measure::elapsedMs([&] { store.insertWords(words); });
    }
    return timedRow(QStringLiteral("Import of %1 into %2")
                        .arg(Measure::count(words.size()), Measure::count(records)),
                    Measure::median(lexa), Measure::median(floor), 3);
}

// The near-word check of a confirmed word against the exact duplicate check
// that runs before it, both on the words of List1. The typed words are listed
// words with their third letter doubled: long ones have a neighbour.
QList<Row> nearCheck(const QString& folder)
{
    const auto copy = scratchCopy(folder);
    const auto form = openForm(copy->path());
    WordList* list = form->ui().List1;
    QSet<QString> listed;
    for (int i = 0; i < list->entryCount(); ++i) {
        listed.insert(list->entry(i));
    }
    QStringList typed;
    for (int i = 0; typed.size() < SelectRuns; ++i) {
        const QString entry = list->entry((i * 7919) % list->entryCount());
        const QString word = entry.left(3) + entry.mid(2);
        if (!listed.contains(word)) {
            typed.append(word);
        }
    }
    ListedNearWords& near = ListedNearWords::of(form->editor().words());
    const double first = Measure::elapsedMs([&] { near.neighbours(typed.front(), 5); });
    // Each run checks every typed word: the time of one is too short to take alone.
    qsizetype found = 0;
    const double lexa = Measure::medianMs(SearchRuns,
                                          [&] {
                                              found = 0;
                                              for (const QString& word : std::as_const(typed)) {
                                                  found +=
                                                      near.neighbours(word, 5).isEmpty() ? 0 : 1;
                                              }
                                          }) /
                        double(typed.size());
    qsizetype next = 0;
    const double floor = Measure::medianMs(
        SelectRuns, [&] { form->editor().CheckDuplicate(); },
        [&] { form->ui().Text1->setText(typed[next++ % typed.size()]); });
    const QString listedText = Measure::count(list->entryCount());
    const auto micro = [](double ms) {
        return ms >= 1 ? Measure::ms(ms)
                       : QString::number(ms * 1000, 'f', ms < 0.01 ? 2 : 0) + QStringLiteral(" µs");
    };
    return {{QStringLiteral("Near words of a confirmed word (%1 listed, %2 of %3 with "
                            "neighbours)")
                 .arg(listedText, Measure::count(found), Measure::count(typed.size())),
             micro(lexa), micro(floor), lexa / floor, verdict(lexa / floor, 3)},
            {QStringLiteral("Its first time, making the index of %1 words").arg(listedText),
             Measure::ms(first), QString(), 0, QStringLiteral("once a run")}};
}

// The window of near words: reading the file, grouping, listing, against
// reading the words of the file and sorting them as a list shows them.
void nearGroupsGrowth(const std::function<QString(int)>& folder)
{
    out() << "| Words | Groups | Finding them | Floor | Ratio | Per 1,000 words |\n"
             "|---:|---:|---:|---:|---:|---:|\n";
    for (const int words : {5441, 16000, 32767}) {
        const QString path = QDir(folder(words)).filePath(QStringLiteral("LEXA.MDB"));
        SimilarWords window(nullptr);
        const double lexa = Measure::medianMs(WriteRuns, [&] {
            if (!window.load(path)) {
                fail(path + QStringLiteral(": the near words cannot be read"));
            }
        });
        const QString groups = window.findChild<QLabel*>(QStringLiteral("summary"))
                                   ->text()
                                   .section(QLatin1Char(' '), 0, 0);
        Floor floor(path);
        const double floorMs = Measure::medianMs(
            WriteRuns, [&] { floor.sortedWords(QStringLiteral("SELECT mot FROM lexa")); });
        out() << "| " << Measure::count(words) << " | " << groups << " | " << Measure::ms(lexa)
              << " | " << Measure::ms(floorMs) << " | " << QString::number(lexa / floorMs, 'f', 1)
              << " | " << Measure::ms(lexa * 1000 / words) << " |\n";
    }
    out() << Qt::endl;
}

void printRows(const QList<Row>& rows)
{
    out() << "| Operation | LEXA | Floor | Ratio | Target |\n|---|---:|---:|---:|---|\n";
    for (const Row& row : rows) {
        out() << "| " << row.operation << " | " << row.lexa << " | " << row.floor << " | "
              << (row.ratio <= 0    ? QStringLiteral("–")
                  : row.ratio < 0.1 ? QString::number(row.ratio, 'g', 2)
                                    : QString::number(row.ratio, 'f', 1))
              << " | " << row.target << " |\n";
    }
    out() << Qt::endl;
}

QString processor()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
            }
        }
    }
    return QStringLiteral("unknown processor");
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        fail(
            QStringLiteral("usage: lexa-bench <folder of dictionaries> [start search narrow select "
                           "raz import undo near growth]"));
    }
    const QDir root(arguments.takeFirst());
    // Only the parts named are measured (to profile one of them); all by default.
    const auto wanted = [&arguments](const char* part) {
        return arguments.isEmpty() || arguments.contains(QLatin1String(part));
    };
    const auto folder = [&root](int words, bool icons) {
        return root.absoluteFilePath(QString::number(words) +
                                     (icons ? QStringLiteral("-icons") : QString()));
    };
    const QString largest = folder(32767, true);

    out() << "Measured on " << QDate::currentDate().toString(Qt::ISODate) << ": " << processor()
          << ", " << QThread::idealThreadCount() << " cores, Qt " << qVersion() << ", SQLite "
          << sqlite3_libversion() << ", offscreen; medians of " << StartRuns << " start-ups, "
          << SearchRuns << " searches, " << WriteRuns << " writes, " << SelectRuns
          << " selections.\n\n";

    QList<Row> rows;
    if (wanted("start")) {
        progress(QStringLiteral("start-up"));
        rows << startUp(folder(5441, false), QStringLiteral("Start-up, 5,441 words"), StartRuns, 2,
                        0);
        rows << startUp(largest, QStringLiteral("Start-up, 32,767 words with icons"), StartRuns, 3,
                        12);
    }
    if (wanted("search") || wanted("narrow") || wanted("select")) {
        progress(QStringLiteral("searches"));
        const auto form = openForm(largest);
        QWidget* window = &form->openedSearchWindow();
        Floor floor(QDir(largest).filePath(QStringLiteral("LEXA.MDB")));
        for (const SearchCase& c : searches()) {
            if (wanted("search")) {
                rows << search(window, floor, c);
            }
        }
        if (wanted("narrow")) {
            rows << narrowing(window, floor);
        }
        if (wanted("select")) {
            rows << selecting(form.get(), floor);
        }
    }
    progress(QStringLiteral("raz and import"));
    if (wanted("raz")) {
        rows << resetMarks(largest);
    }
    if (wanted("import")) {
        rows << import(folder(5000, true));
    }
    if (wanted("undo")) {
        progress(QStringLiteral("undo"));
        for (const UndoBench::Timed& timed : UndoBench::measure(folder(5000, true), largest)) {
            rows << timedRow(timed.operation, timed.lexa, timed.floor, timed.maxRatio);
        }
    }
    if (wanted("near")) {
        progress(QStringLiteral("near words"));
        rows << nearCheck(largest);
    }
    printRows(rows);
    if (wanted("near")) {
        nearGroupsGrowth([&](int words) { return folder(words, true); });
    }
    if (!wanted("growth")) {
        return 0;
    }

    progress(QStringLiteral("growth"));
    out() << "| Words with icons | Start-up LEXA | Floor | Ratio | Contains \"e\" LEXA | Floor | "
             "Ratio |\n|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const int words : {1000, 5441, 16000, 32767}) {
        const Row start = startUp(folder(words, true), QString(), StartRuns, 3, 0);
        const auto form = openForm(folder(words, true));
        Floor floor(QDir(folder(words, true)).filePath(QStringLiteral("LEXA.MDB")));
        const Row contains = search(&form->openedSearchWindow(), floor, containsE());
        out() << "| " << Measure::count(words) << " | " << start.lexa << " | " << start.floor
              << " | " << QString::number(start.ratio, 'f', 1) << " | " << contains.lexa << " | "
              << contains.floor << " | " << QString::number(contains.ratio, 'f', 1) << " |\n";
    }
    out() << Qt::endl;
    return 0;
}
