#include "UndoBench.h"

#include "Floor.h"
#include "Measure.h"
#include "data/BoundControl.h"
#include "data/Dictionary.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr int Runs = 15;
constexpr int UndoRuns = 5;

// A copy of a dictionary opened as the main window opens it.
class Open
{
public:
    explicit Open(const QString& folder)
    {
        const QString file = QString(Schema::DictionaryFile);
        if (!QFile::copy(QDir(folder).filePath(file), m_dir.filePath(file))) {
            Measure::fail(folder + QStringLiteral(": cannot be copied"));
        }
        const QString old = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        for (BoundValue* field : {&mot, &theme}) {
            m_source.bind(field);
        }
        if (const Result opened = m_source.Refresh(); !opened) {
            Measure::fail(opened.error);
        }
        QDir::setCurrent(old);
    }
    // Readied as the main window readies it once it is up.
    void prepare()
    {
        if (!dictionary.prepare()) {
            Measure::fail(QStringLiteral("the history cannot be readied"));
        }
    }
    QString path() const { return m_dir.filePath(QString(Schema::DictionaryFile)); }
    RecordSet& words() { return m_source.Recordset(); }
    static void check(const Result& outcome)
    {
        if (!outcome.ok) {
            Measure::fail(outcome.error);
        }
    }

    BoundValue mot{QStringLiteral("mot")};
    BoundValue theme{QStringLiteral("theme")};

private:
    QTemporaryDir m_dir;
    DataSource m_source{QString(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                        Database::Access::ReadWrite};

public:
    Dictionary dictionary{m_source};
};

// A new word and a modification confirmed with and without the undo step,
// in turn on one copy.
QList<UndoBench::Timed> confirming(const QString& folder)
{
    Open open(folder);
    open.prepare();
    QList<double> newWith, newWithout, modifyWith, modifyWithout;
    const auto added = [&](bool step, int i) {
        Open::check(open.words().AddNew());
        open.mot.set(QStringLiteral("Neu%1%2").arg(step).arg(i));
        open.theme.set(QStringLiteral("Tiere"));
        return Measure::elapsedMs([&] {
            if (step) {
                Open::check(open.dictionary.newWord(QStringLiteral("Neu")));
            } else {
                Open::check(open.words().Update());
            }
        });
    };
    const auto modified = [&](bool step, int i) {
        Open::check(open.words().moveToBookmark(100 + i));
        open.theme.set(QStringLiteral("Zoo%1%2").arg(step).arg(i));
        return Measure::elapsedMs([&] {
            if (step) {
                Open::check(open.dictionary.modifyWord(QStringLiteral("Wort")));
            } else {
                Open::check(open.words().Update());
            }
        });
    };
    for (int i = 0; i < Runs; ++i) {
        newWith << added(true, i);
        newWithout << added(false, i);
        modifyWith << modified(true, i);
        modifyWithout << modified(false, i);
    }
    return {{QStringLiteral("Confirming a new word with its undo step (against without)"),
             Measure::median(newWith), Measure::median(newWithout), 1.5},
            {QStringLiteral("Confirming a modification with its undo step (against without)"),
             Measure::median(modifyWith), Measure::median(modifyWithout), 1.5}};
}

QStringList importWords(const QString& folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("listemot.txt")));
    if (!file.open(QIODevice::ReadOnly)) {
        Measure::fail(file.fileName() + QStringLiteral(": cannot be read"));
    }
    return QString(QStringDecoder("windows-1252").decode(file.readAll()))
        .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// Undo of the import against one DELETE of the rows it added.
UndoBench::Timed undoImport(const QString& folder)
{
    const QStringList words = importWords(folder);
    QList<double> lexa, floor;
    for (int i = 0; i < UndoRuns; ++i) {
        Open open(folder);
        open.prepare();
        Open::check(open.dictionary.importWords(words));
        lexa << Measure::elapsedMs([&] { Open::check(open.dictionary.undo()); });
        Open floorCopy(folder);
        Floor store(floorCopy.path());
        const int before = floorCopy.words().RecordCount();
        store.insertWords(words);
        floor << Measure::elapsedMs(
            [&] { store.exec(QStringLiteral("DELETE FROM lexa WHERE rowid>%1").arg(before)); });
    }
    return {QStringLiteral("Undo of an import of %1 into %2")
                .arg(Measure::count(words.size()), Measure::count(5000)),
            Measure::median(lexa), Measure::median(floor), 3};
}

// Undo of "raz" against one UPDATE that marks those words again.
UndoBench::Timed undoRaz(const QString& folder)
{
    QList<double> lexa, floor;
    for (int i = 0; i < UndoRuns; ++i) {
        Open open(folder);
        open.prepare();
        Open::check(open.dictionary.clearMarks());
        lexa << Measure::elapsedMs([&] { Open::check(open.dictionary.undo()); });
        Open floorCopy(folder);
        Floor store(floorCopy.path());
        const QStringList marked =
            store.sortedWords(QStringLiteral("SELECT rowid FROM lexa WHERE \"mot marque\"='O'"));
        store.exec(QStringLiteral("UPDATE lexa SET \"mot marque\"='N'"));
        floor << Measure::elapsedMs([&] {
            store.exec(QStringLiteral("UPDATE lexa SET \"mot marque\"='O' WHERE rowid IN (%1)")
                           .arg(marked.join(u',')));
        });
    }
    return {QStringLiteral("Undo of \"raz\" at 32,767 words"), Measure::median(lexa),
            Measure::median(floor), 3};
}

} // namespace

namespace UndoBench {

QList<Timed> measure(const QString& words5000, const QString& largest)
{
    return confirming(largest) << undoImport(words5000) << undoRaz(largest);
}

} // namespace UndoBench
