#include "Fixtures.h"
#include "data/DataSource.h"
#include "data/Schema.h"

#include <QtTest>

using Fixtures::row;

// The record set and the implicit saving of bound controls, against real
// SQLite files in a temporary folder.
class TestRecordSet : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeBound m_mot{QStringLiteral("mot")};
    FakeBound m_theme{QStringLiteral("theme")};
    FakeBound m_mark{QStringLiteral("mot marque")};
    FakeBound m_icon{QStringLiteral("icone integree")};
    QString m_oldCwd;

    // The dictionary of the current folder with the controls bound, not read yet.
    std::unique_ptr<DataSource> dataSource(Database::Access access = Database::Access::ReadWrite)
    {
        auto source = std::make_unique<DataSource>(QString(Schema::DictionaryFile),
                                                   QString(Schema::DictionaryTable), access);
        for (FakeBound* bound : {&m_mot, &m_theme, &m_mark, &m_icon}) {
            source->bind(bound);
        }
        return source;
    }
    // The same, read from a new dictionary of `words`; null if that fails.
    std::unique_ptr<DataSource> open(const QStringList& words,
                                     Database::Access access = Database::Access::ReadWrite)
    {
        auto source = dataSource(access);
        return Fixtures::writeWords(m_dir->path(), words) && source->Refresh() ? std::move(source)
                                                                               : nullptr;
    }

    QString fileColumn(const QString& field) const
    {
        return Fixtures::columnText(m_dir->path(), field);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        m_mot = FakeBound(QStringLiteral("mot"));
        m_theme = FakeBound(QStringLiteral("theme"));
        m_mark = FakeBound(QStringLiteral("mot marque"));
        m_icon = FakeBound(QStringLiteral("icone integree"));
    }
    void cleanup() { QDir::setCurrent(m_oldCwd); }

    // '|'-separated steps on a table of `words`: first, next, last, add, update, delete,
    // refresh and find:criterion must succeed, or fail with a message when
    // prefixed by '!'; mot:/theme: set a control; shown:, count:, match,
    // nomatch, end (no current record), idle (not adding) and saved (the
    // control's change taken) check. `file`: the columns afterwards.
    void steps_data()
    {
        Fixtures::columns<QStringList, QString, QString>("words", "steps", "file");
        const QStringList two{"Zug", "Auto"}, three{"Zug", "Auto", "Haus"};
        row("positions", three,
            "shown:Zug|last|shown:Haus|count:3|first|next|shown:Auto|next|next|end|!next",
            "mot=Zug,Auto,Haus");
        row("failed find keeps the record", two, "last|find:mot='Bahn'|nomatch|shown:Auto",
            "mot=Zug,Auto");
        row("malformed criteria", two,
            "!find:mot like'a'b*'|nomatch|!find:mot like'[a*'|"
            "!find:mot like'*'; DROP TABLE lexa; --*'|shown:Zug",
            "mot=Zug,Auto");
        row("add and update", two,
            "last|add|shown:|mot:Bahn|update|count:3|shown:Auto|find:mot='bahn'|match",
            "mot=Zug,Auto,Bahn;mot marque=N,N,N;theme=<null>,<null>,<null>");
        row("moving abandons a new record", two,
            "add|mot:Bahn|theme:Verkehr|last|shown:Auto|idle|count:2",
            "mot=Zug,Auto;theme=<null>,<null>");
        row("a find without match abandons a new record", two,
            "add|mot:Bahn|theme:Verkehr|find:mot='nichts'|nomatch|shown:Zug|idle|count:2",
            "mot=Zug,Auto;theme=<null>,<null>");
        const QString edited = "mot:Eisenbahn|theme:Verkehr|",
                      saved = "mot=Eisenbahn,Auto;theme=Verkehr,<null>";
        for (const char* step :
             {"next", "first", "last", "find:mot='Auto'", "add", "update", "refresh"}) {
            QTest::addRow("saved on %s", step) << two << edited + step + "|saved" << saved;
        }
        row("delete", three,
            "find:mot='Auto'|delete|end|count:2|next|shown:Haus|find:mot='Auto'|nomatch",
            "mot=Zug,Haus");
        row("delete the last record", QStringList{"Zug"},
            "delete|!delete|!last|!first|count:0|find:mot='Zug'|nomatch", "mot=");
        row("empty table", QStringList(),
            "count:0|!last|add|mot:Erstes|update|count:1|first|shown:Erstes", "mot=Erstes");
    }
    void steps()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, steps);
        auto source = open(words);
        QVERIFY(source);
        for (QString step : steps.split(u'|')) {
            // Fetched anew for every step: a refresh builds a new record set.
            RecordSet& rs = source->Recordset();
            const bool fails = step.startsWith(u'!');
            step.remove(0, fails ? 1 : 0);
            const QString verb = step.section(u':', 0, 0), arg = step.section(u':', 1);
            const QHash<QString, std::function<Result()>> moves{{"first", [&] { return rs.MoveFirst(); }},
                                                                {"next", [&] { return rs.MoveNext(); }},
                                                                {"last", [&] { return rs.MoveLast(); }},
                                                                {"add", [&] { return rs.AddNew(); }},
                                                                {"update", [&] { return rs.Update(); }},
                                                                {"delete", [&] { return rs.Delete(); }},
                                                                {"refresh", [&] { return source->Refresh(); }},
                                                                {"find", [&] { return rs.FindFirst(arg); }}};
            if (moves.contains(verb)) {
                const Result moved = moves[verb]();
                QVERIFY2(moved.ok != fails, qPrintable(step));
                QVERIFY(!fails || !moved.error.isEmpty());
            } else if (verb == "mot" || verb == "theme") {
                (verb == "mot" ? m_mot : m_theme).set(arg);
            } else {
                const QHash<QString, bool> checks{
                    {"shown", m_mot.text() == arg},    {"count", rs.RecordCount() == arg.toInt()},
                    {"match", !rs.NoMatch()},          {"nomatch", rs.NoMatch()},
                    {"end", !rs.hasCurrent()},         {"idle", !rs.isAdding()},
                    {"saved", !m_mot.isBoundChanged()}};
                QVERIFY2(checks.value(verb), qPrintable(step));
            }
        }
        QFETCH(QString, file);
        for (const QString& column : file.split(u';')) {
            QCOMPARE(fileColumn(column.section(u'=', 0, 0)), column);
        }
    }

    void findOrder_data()
    {
        Fixtures::columns<QString, QStringList>("criterion", "found");
        row("duplicates in table order", "mot='haus'", QStringList{"Haus", "haus"});
        row("apostrophe", "mot='l''eau'", QStringList{"l'eau"});
        row("empty word is not found by star", "mot like'*'",
            QStringList{"Haus", "Abend", "haus", "Haben", "abends", "Grab", "l'eau"});
    }
    void findOrder()
    {
        QFETCH(QString, criterion);
        auto source =
            open({"Haus", "Abend", QString(), "haus", "Haben", "abends", "Grab", "l'eau"});
        QVERIFY(source);
        RecordSet& rs = source->Recordset();
        QStringList seen;
        QVERIFY(rs.MoveFirst() && rs.FindFirst(criterion));
        while (!rs.NoMatch()) {
            seen.append(m_mot.text());
            QVERIFY(rs.FindNext(criterion));
        }
        QTEST(seen, "found");
    }

    void unchangedRecordIsNotWritten()
    {
        auto source = open({"Zug"});
        QVERIFY(source);
        const qint64 size = QFileInfo(m_dir->filePath("LEXA.MDB")).size();
        QVERIFY(source->Recordset().MoveFirst() && source->Recordset().MoveLast());
        QCOMPARE(QFileInfo(m_dir->filePath("LEXA.MDB-wal")).size(), 0);
        QCOMPARE(QFileInfo(m_dir->filePath("LEXA.MDB")).size(), size);
    }

    void deferredMovesShowOnce()
    {
        auto source = open({"Zug", "Auto", "Haus"});
        QVERIFY(source);
        RecordSet& rs = source->Recordset();
        m_mot.set(QStringLiteral("Eisenbahn"));
        const int loads = m_mot.loads;
        {
            const DataSource::DeferDisplay deferred(*source);
            QVERIFY(rs.MoveNext() && rs.MoveNext());
            QCOMPARE(rs.field("mot"), QVariant("Haus"));
            QCOMPARE(m_mot.loads, loads);
        }
        QCOMPARE(m_mot.loads, loads + 1);
        QCOMPARE(m_mot.text(), QString("Haus"));
        QCOMPARE(fileColumn("mot"), "mot=Eisenbahn,Auto,Haus");
    }

    // The cache and the controls show the file again, and the same change is
    // not tried again at the next move.
    void failedWriteIsGivenUp_data()
    {
        Fixtures::columns<bool, QString>("readOnly", "reason");
        row("deleted by another program", false, QString("anderes Programm hat es gelöscht"));
        row("read-only file", true, QString("schreibgeschützt"));
    }
    void failedWriteIsGivenUp()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, reason);
        auto source = open({"Zug", "Auto"},
                           readOnly ? Database::Access::ReadOnly : Database::Access::ReadWrite);
        QVERIFY(source);
        Database other;
        QVERIFY(other.open(m_dir->filePath("LEXA.MDB"), Database::Access::ReadWrite));
        QVERIFY(readOnly || other.exec("DELETE FROM lexa WHERE mot='Zug'"));
        m_mot.set(QStringLiteral("Bahn"));
        RecordSet& rs = source->Recordset();
        const Result moved = rs.MoveNext();
        QVERIFY(!moved);
        QVERIFY2(moved.error.contains(reason), qPrintable(moved.error));
        QCOMPARE(m_mot.text(), QString(readOnly ? "Zug" : ""));
        QCOMPARE(rs.RecordCount(), readOnly ? 2 : 1);
        QVERIFY(rs.MoveLast());
        QCOMPARE(fileColumn("mot"), readOnly ? "mot=Zug,Auto" : "mot=Auto");
    }

    // The reset of all marks: one write inside a transaction.
    void markWalk_data()
    {
        QTest::addColumn<bool>("commit");
        row("committed", true);
        row("rolled back", false);
    }
    void markWalk()
    {
        QFETCH(bool, commit);
        QVERIFY(Fixtures::writeDictionary(
            m_dir->path(), {WordRow{"Zug", {}, {}, {}, "O"}, WordRow{"Auto", {}, {}, {}, "O"}}));
        const auto source = dataSource();
        QVERIFY(source->Refresh());
        RecordSet& rs = source->Recordset();
        QVERIFY(!rs.setField("mot marque", "N")); // neither editing nor adding
        QVERIFY(rs.BeginTrans() && rs.setEveryRecord("mot marque", "N"));
        QCOMPARE(m_mark.text(), QString("N"));
        if (commit) {
            QVERIFY(rs.CommitTrans());
        } else {
            rs.RollbackTrans();
        }
        const QString left = commit ? "N" : "O";
        QCOMPARE(m_mark.text(), left);
        QVERIFY(rs.FindFirst("[mot marque]='O'"));
        QCOMPARE(rs.NoMatch(), commit);
        QCOMPARE(fileColumn("mot marque"), "mot marque=" + left + u',' + left);
    }

    void iconBytesRoundTrip()
    {
        const QByteArray icon = Fixtures::icoBytes(0xff0000), other = Fixtures::icoBytes(0x00ff00);
        QVERIFY(Fixtures::writeDictionary(m_dir->path(),
                                          {WordRow{"Zug", {}, {}, {}, {}, icon}, WordRow{"Auto"}}));
        const auto source = dataSource();
        QVERIFY(source->Refresh());
        QCOMPARE(m_icon.boundValue().toByteArray(), icon);
        QVERIFY(source->Recordset().MoveNext());
        QVERIFY(m_icon.boundValue().isNull());
        m_icon.set(other);
        QVERIFY(source->Recordset().MoveFirst());
        QCOMPARE(Fixtures::column(m_dir->path(), "icone integree"), (QList<QVariant>{icon, other}));
        m_icon.set(QVariant()); // cleared picture: an empty field
        QVERIFY(source->Recordset().MoveLast());
        QCOMPARE(Fixtures::column(m_dir->path(), "icone integree").first(), QVariant());
    }

    void refreshFailures_data()
    {
        Fixtures::columns<QByteArray, QString>("content", "reason");
        row("missing", QByteArray(), QString("nicht gefunden"));
        row("not sqlite", QByteArray("Standard Jet DB\0\0\0\0garbage", 26),
            QString("keine LEXA-Datenbank"));
        row("empty file", QByteArray(""), QString("keine LEXA-Datenbank"));
        row("locked by another program", QByteArray("lock"), QString("anderen Programm"));
        // SQLite files LEXA refuses, left as they are (not even switched to WAL).
        row("no table lexa", QByteArray("sql:CREATE TABLE woerter (mot TEXT)"),
            QString("Die Tabelle „lexa“ fehlt"));
        row("table lexa without all fields",
            QByteArray("sql:CREATE TABLE lexa (mot TEXT, determinant TEXT, categorie TEXT, "
                       "theme TEXT, extra TEXT)"),
            QString("fehlen die Felder „mot marque“, „icone integree“, „fichier son associe“"));
    }
    void refreshFailures()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        Database other;
        const bool lock = content == "lock";
        if (lock) {
            QVERIFY(Fixtures::writeWords(m_dir->path(), {"Zug"}));
            QVERIFY(other.open(m_dir->filePath("LEXA.MDB"), Database::Access::ReadWrite));
            QVERIFY(other.exec("PRAGMA locking_mode=EXCLUSIVE") && other.exec("BEGIN EXCLUSIVE"));
        } else if (content.startsWith("sql:")) {
            Database made;
            QVERIFY(made.create(m_dir->filePath("LEXA.MDB"), content.mid(4)) && made.close());
            content = Fixtures::fileBytes(m_dir->filePath("LEXA.MDB"));
        } else if (!content.isNull()) {
            QVERIFY(Fixtures::writeFile(m_dir->filePath("LEXA.MDB"), content));
        }
        const auto source = dataSource();
        source->setRequiredFields(Schema::DictionaryFields);
        const Result opened = source->Refresh();
        QVERIFY(!opened);
        QVERIFY(!source->isOpen());
        QVERIFY2(opened.error.contains("LEXA.MDB") && opened.error.contains(reason),
                 qPrintable(opened.error));
        QVERIFY(lock || content.isNull() ||
                Fixtures::fileBytes(m_dir->filePath("LEXA.MDB")) == content); // never touched
    }
};

QTEST_MAIN(TestRecordSet)
#include "tst_recordset.moc"
