// The undo history as another program may leave it: each byte is a step of
// LEXA (a change, an undo, a redo, leaving a step out, a restart) or a
// change another program makes to the history's tables or the words. LEXA
// never crashes, speaks German, leaves the words as they are when it refuses,
// and an undo after nothing else touched the file gives back the words as
// they were before the change.
#include "data/BoundControl.h"
#include "data/Dictionary.h"
#include "data/Schema.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void check(bool fact, const char* what, const QString& message = {})
{
    if (!fact) {
        std::fprintf(stderr, "broken: %s\n%s\n", what, qPrintable(message));
        std::abort();
    }
}

// What another program does to the file.
const char* const Damages[] = {
    "DELETE FROM lexa_undo_step",
    "DROP TABLE lexa_undo_step",
    "DROP TABLE lexa_undo_change",
    "DELETE FROM lexa_undo_step WHERE id=(SELECT max(id) FROM lexa_undo_step)",
    "DELETE FROM lexa_undo_change WHERE rowid=(SELECT max(rowid) FROM lexa_undo_change)",
    "UPDATE lexa_undo_change SET field='farbe' WHERE rowid=(SELECT min(rowid) FROM "
    "lexa_undo_change)",
    "UPDATE lexa_undo_change SET before='zz' WHERE rowid=(SELECT max(rowid) FROM "
    "lexa_undo_change)",
    "UPDATE lexa_undo_change SET after=NULL WHERE rowid=(SELECT max(rowid) FROM lexa_undo_change)",
    "UPDATE lexa_undo_change SET field=NULL WHERE rowid=(SELECT max(rowid) FROM lexa_undo_change)",
    "UPDATE lexa_undo_change SET word=word+1 WHERE rowid=(SELECT max(rowid) FROM "
    "lexa_undo_change)",
    "UPDATE lexa_undo_change SET step=step+1 WHERE rowid=(SELECT max(rowid) FROM "
    "lexa_undo_change)",
    "UPDATE lexa_undo_change SET step='abc' WHERE rowid=(SELECT min(rowid) FROM "
    "lexa_undo_change)",
    "INSERT INTO lexa_undo_change VALUES (1, 1, 'mot', 'a', 'b')",
    "UPDATE lexa_undo_step SET done=1-done WHERE id=(SELECT max(id) FROM lexa_undo_step)",
    "UPDATE lexa_undo_step SET id=id+5 WHERE id=(SELECT max(id) FROM lexa_undo_step)",
    "UPDATE lexa_undo_step SET label=NULL",
    "ALTER TABLE lexa_undo_step RENAME COLUMN label TO name",
    "ALTER TABLE lexa_undo_change RENAME COLUMN after TO danach",
    "DROP TABLE lexa_undo_change; CREATE TABLE lexa_undo_change (x)",
    "CREATE TABLE lexa_undo_step (x)",
    "DROP INDEX lexa_undo_change_step",
    "UPDATE lexa SET mot=mot||'x' WHERE rowid=(SELECT min(rowid) FROM lexa)",
    "DELETE FROM lexa WHERE rowid=(SELECT max(rowid) FROM lexa)",
    "INSERT INTO lexa (mot) VALUES ('Fremd')",
};
constexpr int DamageCount = sizeof(Damages) / sizeof(Damages[0]);

// The engine's own words, which no message may pass on.
bool german(const QString& message)
{
    for (const char* english : {"no such", "has no column", "syntax error", "constraint",
                                "mismatch", "malformed", "not an error"}) {
        if (message.contains(QLatin1String(english), Qt::CaseInsensitive)) {
            return false;
        }
    }
    return !message.isEmpty();
}

class Run
{
public:
    explicit Run(const QString& path) : m_path(path) { start(); }

    void start()
    {
        m_dictionary.reset();
        m_source = std::make_unique<DataSource>(m_path, QString(Schema::DictionaryTable),
                                                Database::Access::ReadWrite);
        m_source->bind(&m_word);
        m_source->bind(&m_mark);
        m_dictionary = std::make_unique<Dictionary>(*m_source);
        check(m_source->Refresh().ok, "the dictionary opens");
    }

    QList<QVariantList> words() const
    {
        Database db;
        check(db.open(m_path, Database::Access::ReadOnly).ok, "the file opens for reading");
        auto query = db.prepare(QStringLiteral("SELECT rowid, * FROM lexa ORDER BY rowid"));
        check(query.ok, "the words can be read");
        QList<QVariantList> rows;
        while (query->next()) {
            QVariantList row;
            for (int i = 0; i < query->columnCount(); ++i) {
                row.append(query->column(i));
            }
            rows.append(row);
        }
        return rows;
    }

    void damage(int which)
    {
        Database other;
        if (other.open(m_path, Database::Access::ReadWrite)) {
            std::ignore = other.exec(QString::fromLatin1(Damages[which % DamageCount]));
        }
        for (Change& change : m_changes) {
            change.clean = false;
        }
    }

    // A change of the word at `which`: 0 its mark, 1 a new word, 2 its
    // deletion, 3 its new text.
    void change(int kind, int which)
    {
        RecordSet& records = m_source->Recordset();
        const auto& rowids = records.rowids();
        if (kind != 1 &&
            (rowids.empty() ||
             !records.moveToBookmark(rowids[static_cast<size_t>(which) % rowids.size()]))) {
            return;
        }
        const auto before = words();
        Result done;
        const QString word = QStringLiteral("W%1").arg(which);
        switch (kind) {
        case 0:
            m_mark.set(records.field(QStringLiteral("mot marque")).toString() == "O" ? "N" : "O");
            done = m_dictionary->markWord();
            break;
        case 1:
            done = records.AddNew();
            if (done) {
                m_word.set(word);
                done = m_dictionary->newWord(word);
            }
            break;
        case 2:
            done = m_dictionary->deleteWord();
            break;
        default:
            m_word.set(word);
            done = m_dictionary->modifyWord(word);
        }
        check(done.ok || german(done.error), "a refused change says why in German", done.error);
        check(done.notice.isEmpty() || german(done.notice), "a notice is German", done.notice);
        if (!done.notice.isEmpty()) {
            m_changes.clear();
        }
        if (done && words() != before) {
            m_changes.append({before, true});
        }
    }

    void take(History::Direction direction)
    {
        const auto before = words();
        const auto done =
            direction == History::Direction::Undo ? m_dictionary->undo() : m_dictionary->redo();
        if (!done) {
            check(german(done.error), "a refused step says why in German", done.error);
            check(words() == before, "a refused step leaves the words");
            if (done.error.contains(QStringLiteral("neuen Verlauf"))) {
                m_changes.clear();
            }
            check(direction == History::Direction::Redo || done.fileChanged ||
                      m_changes.isEmpty() || !m_changes.last().clean,
                  "the history keeps every change of this run");
            return;
        }
        if (direction == History::Direction::Redo) {
            m_changes.clear();
        } else if (!m_changes.isEmpty()) {
            const Change last = m_changes.takeLast();
            check(!last.clean || words() == last.before, "an undo gives back the words");
        }
    }

    void leaveOut()
    {
        const auto before = words();
        const Result done = m_dictionary->leaveOutUndo();
        check(done.ok || german(done.error), "leaving out says why in German", done.error);
        check(words() == before, "leaving a step out leaves the words");
        // The step left out stays in the words: the older ones no longer
        // give back the words as they were before them.
        if (done && !m_changes.isEmpty()) {
            m_changes.removeLast();
            for (Change& change : m_changes) {
                change.clean = false;
            }
        }
    }

private:
    struct Change
    {
        QList<QVariantList> before;
        // Nothing but LEXA touched the file since.
        bool clean;
    };
    QString m_path;
    BoundValue m_word{QStringLiteral("mot")};
    BoundValue m_mark{QStringLiteral("mot marque")};
    std::unique_ptr<DataSource> m_source;
    std::unique_ptr<Dictionary> m_dictionary;
    QList<Change> m_changes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t MaxSteps = 64;
    const QTemporaryDir dir;
    const QString path = dir.filePath(QString(Schema::DictionaryFile));
    {
        Database db;
        check(db.create(path, QString(Schema::CreateDictionary)) &&
                  db.exec(QStringLiteral("INSERT INTO lexa (mot, \"mot marque\") VALUES "
                                         "('Affe', 'N'), ('Bahn', 'O'), ('Haus', 'N')")) &&
                  db.close(),
              "the dictionary is made");
    }
    Run run(path);
    for (std::size_t i = 0; i < std::min(size, MaxSteps); ++i) {
        const int op = data[i] % 16;
        const int argument = data[i] / 16;
        if (op < 4) {
            run.change(op, argument);
        } else if (op == 4 || op == 5) {
            run.take(op == 4 ? History::Direction::Undo : History::Direction::Redo);
        } else if (op == 6) {
            run.leaveOut();
        } else if (op == 7) {
            run.start();
        } else {
            run.damage((op - 8) * 16 + argument);
        }
    }
    return 0;
}
