#include "Fixtures.h"
#include "data/Database.h"
#include "data/DictionaryLock.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

// lexa --export-csv and --import-csv as a batch of work runs them: no
// window, the counts on stdout, German errors naming the line, nothing half
// imported, no import beside another LEXA.
class ExchangeCommandTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    Fixtures::CommandRun lexa(const QStringList& arguments) const
    {
        return Fixtures::runLexa(arguments, m_dir.path());
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // An export's files by name: the CSV and its pictures.
    static QMap<QString, QByteArray> exported(const QString& folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            files.insert(QDir(folder).relativeFilePath(file), Fixtures::fileBytes(file));
        }
        return files;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char* folder : {"d", "a", "b", "c"}) {
            QVERIFY(QDir(m_dir.path()).mkpath(folder));
        }
        QVERIFY(Fixtures::writeDictionary(
            path("d"), {{"Hund", "der", "1", "Tiere", "O", Fixtures::icoBytes(0xff)},
                        {"Katze", "die", "1", "TiereHaus"},
                        {"Brot", "das", "2", "Essen", "N", Fixtures::icoBytes(0xff00, "PNG")}}));
        QVERIFY(Fixtures::writeThemes(path("d"), {"Tiere", "Essen"}));
    }

    // Out, into a new folder, out again: the same files; in again: nothing
    // new. A "%2" in a file name stays what it is in the messages. The dictionary read is left as
    // it was, also while another LEXA is in the middle of a change.
    void roundTrip()
    {
        Database editor;
        QVERIFY(editor.open(path("d/LEXA.MDB"), Database::Access::ReadWrite));
        const QByteArray stored = Fixtures::fileBytes(path("d/LEXA.MDB"));
        QVERIFY(editor.begin());
        QVERIFY(editor.exec("INSERT INTO lexa (mot) VALUES ('Halbfertig')"));
        Fixtures::CommandRun run = lexa({"--export-csv", "<dir>/a/w%2.csv", "<dir>/d"});
        editor.rollback();
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output.trimmed(), "3 Wörter in „" + path("a/w%2.csv") +
                                           "“ geschrieben, 2 Bilder "
                                           "in „" +
                                           path("a/w%2-Bilder") + "“.");
        QCOMPARE(Fixtures::fileBytes(path("d/LEXA.MDB")), stored);

        run = lexa({"--import-csv", "<dir>/a/w%2.csv", "<dir>/neu"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.output.contains("3 Wörter aus „w%2.csv“: 3 neu, 0 geändert, 0 unverändert.\n"
                                     "Neue Themen: Essen, Tiere, Haus."),
                 qPrintable(run.output));
        QCOMPARE(lexa({"--export-csv", "<dir>/b/w%2.csv", "<dir>/neu"}).exitCode, 0);
        QCOMPARE(exported(path("b")), exported(path("a")));
        run = lexa({"--import-csv", "<dir>/b/w%2.csv", "<dir>/neu/LEXA.MDB"});
        QVERIFY2(run.output.contains("0 neu, 0 geändert, 3 unverändert."), qPrintable(run.output));
    }

    void refused_data()
    {
        Fixtures::columns<QStringList, QByteArray, int, QString>("arguments", "csv", "exitCode",
                                                                 "error");
        const QByteArray header =
            "Wort,Artikel,Mehrzahl,Silben,Frequenz,Themen,Markiert,Bild,Ton\n";
        Fixtures::row("a bad row: nothing imported",
                      QStringList{"--import-csv", "<dir>/c/x.csv", "<dir>/d"},
                      header + "Maus,die,,,,,,,\nRatte,die,,,,,,fehlt.png,\n", 1,
                      "In der Datei „<dir>/c/x.csv“ passen 1 Zeilen nicht; es wurde nichts "
                      "importiert. Bitte korrigieren Sie sie:\n  Zeile 3: das Bild „fehlt.png“ "
                      "fehlt");
        Fixtures::row("not UTF-8", QStringList{"--import-csv", "<dir>/c/x.csv", "<dir>/d"},
                      header + "M\xE4use,die,,,,,,,\n", 1,
                      "Die Datei „<dir>/c/x.csv“ kann nicht importiert werden. Zeile 2: der Text "
                      "ist nicht in UTF-8");
        Fixtures::row("both at once",
                      QStringList{"--import-csv", "<dir>/c/x.csv", "--export-csv", "<dir>/c/y.csv"},
                      QByteArray(), 2, "--export-csv und --import-csv gehen nur einzeln.");
        Fixtures::row("with --pdf",
                      QStringList{"--export-csv", "<dir>/c/y.csv", "--pdf", "<dir>/c/y.pdf"},
                      QByteArray(), 2, "gehen nur einzeln");
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, csv);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QVERIFY(Fixtures::writeFile(path("c/x.csv"), csv));
        const QByteArray stored = Fixtures::fileBytes(path("d/LEXA.MDB"));
        const Fixtures::CommandRun run = lexa(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.errors.contains(error.replace("<dir>", m_dir.path())), qPrintable(run.errors));
        QCOMPARE(Fixtures::fileBytes(path("d/LEXA.MDB")), stored);
    }

    // Another LEXA edits the dictionary: the import waits for it to end.
    void besideAnotherLexa()
    {
        QVERIFY(Fixtures::writeFile(path("c/y.csv"),
                                    "Wort,Artikel,Mehrzahl,Silben,Frequenz,"
                                    "Themen,Markiert,Bild,Ton\nMaus,die,,,,,,,\n"));
        DictionaryLock other(path("d"));
        QCOMPARE(other.tryLock(), DictionaryLock::Outcome::Held);
        const QByteArray stored = Fixtures::fileBytes(path("d/LEXA.MDB"));
        const Fixtures::CommandRun run = lexa({"--import-csv", "<dir>/c/y.csv", "<dir>/d"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains("schon in einem anderen") &&
                     run.errors.contains("Es wurde nichts importiert."),
                 qPrintable(run.errors));
        QCOMPARE(Fixtures::fileBytes(path("d/LEXA.MDB")), stored);
    }
};

QTEST_MAIN(ExchangeCommandTest)
#include "tst_exchangecommand.moc"
