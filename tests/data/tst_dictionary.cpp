#include "Fixtures.h"
#include "data/Dictionary.h"
#include "data/Schema.h"
#include "data/WordModel.h"

#include <QtTest>

using Fixtures::row;

// The dictionary's operations and their undo steps, against real files: an
// undo gives back the file as it was, row for row and rowid for rowid, and a
// redo the file as the operation left it, also after a restart.
class TestDictionary : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCwd;
    FakeBound m_mot{QStringLiteral("mot")};
    FakeBound m_theme{QStringLiteral("theme")};
    FakeBound m_mark{QStringLiteral("mot marque")};
    FakeBound m_icon{QStringLiteral("icone integree")};
    FakeBound m_plural{QStringLiteral("pluriel")};
    FakeBound m_syllables{QStringLiteral("syllabes")};
    std::unique_ptr<DataSource> m_source;
    std::unique_ptr<Dictionary> m_dictionary;

    QString path() const { return m_dir->filePath(QString(Schema::DictionaryFile)); }
    QList<QVariantList> file() const
    {
        return Fixtures::query(path(), "SELECT rowid, * FROM lexa ORDER BY rowid");
    }
    // Another program on the same file.
    bool other(const QString& sql) const
    {
        Database db;
        return db.open(path(), Database::Access::ReadWrite) && db.exec(sql);
    }
    // LEXA started (again) on the dictionary.
    bool start()
    {
        m_dictionary.reset();
        m_source = std::make_unique<DataSource>(QString(Schema::DictionaryFile),
                                                QString(Schema::DictionaryTable),
                                                Database::Access::ReadWrite);
        for (FakeBound* bound : {&m_mot, &m_theme, &m_mark, &m_icon, &m_plural, &m_syllables}) {
            m_source->bind(bound);
        }
        m_dictionary = std::make_unique<Dictionary>(*m_source);
        return m_source->Refresh().ok;
    }
    bool select(const QString& word)
    {
        RecordSet& words = m_source->Recordset();
        return words.FindFirst(QStringLiteral("mot='%1'").arg(word)) && !words.NoMatch();
    }
    // "op:argument" as the main window does it.
    Result perform(const QString& operation)
    {
        const QString name = operation.section(u':', 0, 0);
        const QString argument = operation.section(u':', 1);
        const QString word = argument.section(u'>', 0, 0);
        if (name == "new") {
            std::ignore = m_source->Recordset().AddNew();
            m_mot.set(word);
            m_theme.set(QStringLiteral("Tiere"));
            m_plural.set(word + QStringLiteral("e"));
            m_syllables.set(QStringLiteral("A-bend"));
            return m_dictionary->newWord(word);
        }
        if (name == "raz") {
            return m_dictionary->clearMarks();
        }
        if (name == "import") {
            return m_dictionary->importWords(argument.split(u','));
        }
        if (!select(word)) {
            return {};
        }
        if (name == "modify") {
            m_mot.set(argument.section(u'>', 1));
            m_theme.set(QStringLiteral("TiereEssen"));
            return m_dictionary->modifyWord(word);
        }
        if (name == "forms") {
            m_plural.set(QStringLiteral("Häuser"));
            m_syllables.set(QString());
            return m_dictionary->modifyWord(word);
        }
        if (name == "mark") {
            m_mark.set(m_mark.text() == "O" ? "N" : "O");
            return m_dictionary->markWord();
        }
        if (name == "icon" || name == "noicon") {
            m_icon.set(name == "icon" ? QVariant(Fixtures::icoBytes(0xff0000)) : QVariant());
            return m_dictionary->setIcon();
        }
        return m_dictionary->deleteWord();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        QVERIFY(Fixtures::writeDictionary(
            m_dir->path(), {{"Zug", "der", "2", "Verkehr", "O"},
                            {"Auto", "das", "1", "Verkehr", "N", Fixtures::icoBytes(0x00ff00)},
                            {"Haus", "das", "3", "Gebäude", "O", Fixtures::icoBytes(0x0000ff)},
                            {"Hund", "der", {}, "Tiere", "N"}}));
        QVERIFY(other("UPDATE lexa SET \"fichier son associe\"='haus.wav' WHERE mot='Haus'"));
        QVERIFY(start());
    }
    void cleanup()
    {
        m_dictionary.reset();
        m_source.reset();
        QDir::setCurrent(m_oldCwd);
    }

    void undoRedo_data()
    {
        // listed: what the word model lists after the redo
        Fixtures::columns<QString, QString, QString>("operation", "label", "listed");
        const QString all = "Auto,Haus,Hund,Zug";
        row("new word", "new:Neu", "Neues Wort „Neu“", "Auto,Haus,Hund,Neu,Zug");
        row("modification with rename", "modify:Haus>Hof", "Wort „Haus“ ändern",
            "Auto,Hof,Hund,Zug");
        row("deletion of a word with icon and sound", "delete:Haus", "Wort „Haus“ löschen",
            "Auto,Hund,Zug");
        row("plural set, syllables cleared", "forms:Haus", "Wort „Haus“ ändern", all);
        row("mark", "mark:Auto", "Markierung von „Auto“", all);
        row("icon chosen", "icon:Hund", "Icon von „Hund“", all);
        row("icon cleared", "noicon:Auto", "Icon von „Auto“", all);
        row("raz", "raz", "Alle Markierungen aufheben", all);
        row("import", "import:Bahn,Rad,Boot", "3 Wörter aus listemot.txt",
            "Auto,Bahn,Boot,Haus,Hund,Rad,Zug");
    }
    void undoRedo()
    {
        QFETCH(QString, operation);
        QFETCH(QString, label);
        QFETCH(QString, listed);
        const auto before = file();
        QVERIFY(perform(operation).ok);
        const auto after = file();
        QVERIFY(after != before);
        QVERIFY(start()); // the history is in the file
        WordModel model(*m_source);
        const auto words = [&model] {
            QStringList texts;
            for (int row = 0; row < model.rowCount(); ++row) {
                texts.append(model.word(row));
            }
            return texts.join(u',');
        };
        QCOMPARE(m_dictionary->nextUndo()->label, label);
        const Result undone = m_dictionary->undo();
        QVERIFY2(undone.ok, qPrintable(undone.error));
        QCOMPARE(file(), before);
        QCOMPARE(m_source->Recordset().RecordCount(), before.size());
        // The word model follows the rows the step touched.
        QCOMPARE(words(), QString("Auto,Haus,Hund,Zug"));
        QCOMPARE(m_dictionary->nextRedo()->label, label);
        QVERIFY(m_dictionary->redo().ok);
        QCOMPARE(file(), after);
        QCOMPARE(words(), listed);
        QVERIFY(!m_dictionary->nextRedo());
    }

    // Many rows added at once are merged into the list, not placed one by
    // one: the list must be the one a fresh reading sorts, equal words in
    // rowid order, after the import, its undo and its redo.
    void manyAddedListedAsRead()
    {
        const auto rowids = [](const WordModel& words) {
            QList<qint64> listed;
            for (int row = 0; row < words.rowCount(); ++row) {
                listed.append(words.rowidAt(row));
            }
            return listed;
        };
        const QStringList some{"hund", "Hund", "Auto", "äpfel", "Apfel",
                               "Zug",  "Ähre", "Ast",  "öl",    "Öl"};
        QStringList many;
        for (int i = 0; i < 8; ++i) {
            many += some;
        }
        QList<qint64> imported;
        {
            // One model follows the dictionary at a time: the fresh one, read
            // last, takes over.
            const WordModel model(*m_source);
            QVERIFY(m_dictionary->importWords(many).ok);
            QCOMPARE(model.rowCount(), 4 + many.size());
            imported = rowids(model);
        }
        QCOMPARE(imported, rowids(WordModel(*m_source)));
        const WordModel model(*m_source);
        QVERIFY(m_dictionary->undo().ok);
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(m_dictionary->redo().ok);
        QCOMPARE(rowids(model), imported);
    }

    // A step whose rows another program changed since is refused whole.
    void refusedWhenChangedMeanwhile_data()
    {
        Fixtures::columns<QString, QString, QString>("operation", "change", "word");
        row("renamed word changed", "modify:Haus>Hof", "UPDATE lexa SET theme='x' WHERE mot='Hof'",
            "Hof");
        row("deleted word's rowid taken", "delete:Hund", "INSERT INTO lexa (mot) VALUES ('Maus')",
            "Maus");
        row("imported word renamed", "import:Bahn,Rad", "UPDATE lexa SET mot='Bus' WHERE mot='Rad'",
            "Bus");
        row("one cleared mark set again", "raz",
            "UPDATE lexa SET \"mot marque\"='O' WHERE "
            "mot='Haus'",
            "Haus");
    }
    void refusedWhenChangedMeanwhile()
    {
        QFETCH(QString, operation);
        QFETCH(QString, change);
        QFETCH(QString, word);
        QVERIFY(perform(operation).ok);
        QVERIFY(other(change));
        const auto changed = file();
        const Result undone = m_dictionary->undo();
        QVERIFY(!undone.ok);
        QVERIFY2(undone.error.contains(u'„' + word + u'“'), qPrintable(undone.error));
        QCOMPARE(file(), changed);
        QVERIFY(m_dictionary->nextUndo());
    }

    // A history another program left so that it does not hang together is
    // never applied: the next change or undo sets it aside, kept in the
    // file, says so once, and a new history begins.
    void damagedHistory_data()
    {
        // then: what comes first after the damage, a change or an undo
        Fixtures::columns<QString, QString, QString>("damage", "then", "message");
        row("steps emptied, changes left", "DELETE FROM lexa_undo_step", "change",
            "ohne ihren Schritt");
        row("steps dropped", "DROP TABLE lexa_undo_step", "change", "ohne ihren Schritt");
        row("steps without label", "ALTER TABLE lexa_undo_step RENAME COLUMN label TO name",
            "change", "„label“");
        row("changes of other columns",
            "DROP TABLE lexa_undo_change; CREATE TABLE lexa_undo_change (word, field)", "undo",
            "Spalten „step“, „before“, „after“");
        row("changes dropped", "DROP TABLE lexa_undo_change", "undo", "fehlen seine Änderungen");
    }
    void damagedHistory()
    {
        QFETCH(QString, damage);
        QFETCH(QString, then);
        QFETCH(QString, message);
        QVERIFY(perform("mark:Auto").ok);
        m_dictionary.reset();
        m_source.reset();
        QVERIFY(other(damage));
        QVERIFY(start());
        const auto damaged = file();
        if (then == "change") {
            const Result changed = perform("mark:Zug");
            QVERIFY2(changed.ok, qPrintable(changed.error));
            QVERIFY2(changed.notice.contains(message), qPrintable(changed.notice));
            // Only the new step is taken back: Auto keeps its mark.
            QVERIFY(m_dictionary->undo().ok);
            QCOMPARE(file(), damaged);
            QVERIFY(!m_dictionary->nextUndo());
        } else {
            const Result undone = m_dictionary->undo();
            QVERIFY(!undone.ok);
            QVERIFY2(undone.error.contains(message), qPrintable(undone.error));
            QCOMPARE(file(), damaged);
            QVERIFY(!m_dictionary->nextUndo());
            const Result changed = perform("mark:Zug");
            QVERIFY(changed.ok && changed.notice.isEmpty());
        }
        QCOMPARE(Fixtures::query(path(), "SELECT count(*) FROM sqlite_schema WHERE name LIKE "
                                         "'lexa_undo_%_set_aside_1'"),
                 QList<QVariantList>{{"2"}});
    }

    // A step refused for what another program did may be left out: the
    // undo goes on with the steps before it.
    void refusedStepLeftOut_data()
    {
        // marks: after the older step was undone
        Fixtures::columns<QString, QString, QString>("damage", "message", "marks");
        row("field the table lacks",
            "UPDATE lexa_undo_change SET field='farbe' WHERE field IS NOT NULL AND step=(SELECT "
            "max(id) FROM lexa_undo_step)",
            "„farbe“", "mot marque=N,N,O,N");
        row("word changed meanwhile", "UPDATE lexa SET \"mot marque\"='X' WHERE mot='Zug'", "„Zug“",
            "mot marque=X,N,O,N");
    }
    void refusedStepLeftOut()
    {
        QFETCH(QString, damage);
        QFETCH(QString, message);
        QFETCH(QString, marks);
        QVERIFY(perform("mark:Auto").ok);
        QVERIFY(perform("mark:Zug").ok);
        QVERIFY(other(damage));
        const auto damaged = file();
        const Result undone = m_dictionary->undo();
        QVERIFY(!undone.ok && undone.fileChanged);
        QVERIFY2(undone.error.contains(message), qPrintable(undone.error));
        QCOMPARE(file(), damaged);
        QVERIFY(m_dictionary->leaveOutUndo().ok);
        QCOMPARE(m_dictionary->nextUndo()->label, "Markierung von „Auto“");
        QVERIFY(m_dictionary->undo().ok);
        QCOMPARE(Fixtures::columnText(m_dir->path(), "mot marque"), marks);
    }

    // A failing operation leaves neither its rows nor its step.
    void failureLeavesNothing()
    {
        QVERIFY(perform("mark:Zug").ok);
        QVERIFY(other("CREATE TRIGGER refuse BEFORE INSERT ON lexa WHEN NEW.mot='Bad' "
                      "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        const auto before = file();
        QVERIFY(!perform("import:Gut,Bad").ok);
        QCOMPARE(file(), before);
        QCOMPARE(m_source->Recordset().RecordCount(), before.size());
        QCOMPARE(m_dictionary->nextUndo()->label, "Markierung von „Zug“");
    }

    // A table from before the plural and the syllables: the first write adds
    // both fields, and what the change stores is not dropped.
    void olderTableGetsFieldsAtFirstWrite()
    {
        m_dictionary.reset();
        m_source.reset();
        QVERIFY(other("ALTER TABLE lexa DROP COLUMN pluriel"));
        QVERIFY(other("ALTER TABLE lexa DROP COLUMN syllabes"));
        QVERIFY(start());
        const auto older = file();
        QVERIFY(m_dictionary->prepare());
        QVERIFY(perform("forms:Haus").ok);
        QCOMPARE(Fixtures::query(path(), "SELECT pluriel FROM lexa WHERE mot='Haus'"),
                 QList<QVariantList>{{"Häuser"}});
        QVERIFY(m_dictionary->undo().ok);
        QCOMPARE(Fixtures::query(path(), "SELECT rowid, mot, determinant, categorie, theme, "
                                         "\"mot marque\", \"icone integree\", "
                                         "\"fichier son associe\" FROM lexa ORDER BY rowid"),
                 older);
    }

    // Undone steps end with the next change.
    void newChangeEndsRedo()
    {
        QVERIFY(perform("mark:Zug").ok);
        QVERIFY(m_dictionary->undo().ok);
        QVERIFY(perform("delete:Auto").ok);
        QVERIFY(!m_dictionary->nextRedo());
        QVERIFY(m_dictionary->undo().ok);
        QVERIFY(!m_dictionary->nextUndo());
    }
};

QTEST_MAIN(TestDictionary)
#include "tst_dictionary.moc"

#include <tuple>
