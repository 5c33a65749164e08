#include "Fixtures.h"
#include "data/Database.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// lexa --pdf as a batch of material is made: no window, German errors, the
// dictionary left as it was, also while another LEXA edits it.
class PdfCommandTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    Fixtures::CommandRun lexa(const QStringList& arguments) const
    {
        return Fixtures::runLexa(arguments, m_dir.path());
    }

    static QString pdfText(const QString& pdf)
    {
        QProcess process;
        process.start("pdftotext", {pdf, "-"});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath("d"));
        QVERIFY(QDir(m_dir.path()).mkpath("leer"));
        QVERIFY(Fixtures::writeDictionary(
            m_dir.filePath("d"), {{"Hund", "der", "1", "Tiere", "O", Fixtures::icoBytes(0xff)},
                                  {"Katze", "die", "1", "Tiere"},
                                  {"Brot", "das", "1", "Essen"}}));
        QVERIFY(Fixtures::writeThemes(m_dir.filePath("d"), {"Tiere", "Essen"}));
    }

    void run_data()
    {
        Fixtures::columns<QStringList, int, QString, QStringList, QStringList>(
            "arguments", "exitCode", "error", "found", "absent");
        Fixtures::row("cards of the whole dictionary",
                      QStringList{"--pdf", "<dir>/a.pdf", "<dir>/d"}, 0, "",
                      QStringList{"Hund", "Katze", "Brot"}, QStringList{});
        Fixtures::row("the marked words",
                      QStringList{"--pdf", "<dir>/b.pdf", "--marked", "<dir>/d"}, 0, "",
                      QStringList{"Hund"}, QStringList{"Katze", "Brot"});
        Fixtures::row("a theme as picture pages",
                      QStringList{"--pdf", "<dir>/c.pdf", "--layout", "pages", "--theme", "Essen",
                                  "<dir>/d/LEXA.MDB"},
                      0, "", QStringList{"Essen", "Brot"}, QStringList{"Hund", "Tiere"});
        Fixtures::row("a list", QStringList{"--pdf", "<dir>/e.pdf", "--layout", "list", "<dir>/d"},
                      0, "", QStringList{"Frequenz", "Seite 1 von 1", "Katze"}, QStringList{});
        Fixtures::row("a folder that cannot be written",
                      QStringList{"--pdf", "<dir>/fehlt/x.pdf", "<dir>/d"}, 1,
                      "Die Datei „<dir>/fehlt/x.pdf“ kann nicht geschrieben werden", QStringList{},
                      QStringList{});
        Fixtures::row(
            "no word chosen",
            QStringList{"--pdf", "<dir>/y.pdf", "--marked", "--theme", "Essen", "<dir>/d"}, 1,
            "gibt es kein markiertes Wort mit dem Thema „Essen“", QStringList{}, QStringList{});
        Fixtures::row("no dictionary", QStringList{"--pdf", "<dir>/z.pdf", "<dir>/leer"}, 1,
                      "Im Ordner „<dir>/leer“ gibt es kein Wörterbuch", QStringList{},
                      QStringList{});
        Fixtures::row("a layout that does not exist",
                      QStringList{"--pdf", "<dir>/z.pdf", "--layout", "poster", "<dir>/d"}, 2,
                      "Die Art „poster“ gibt es nicht", QStringList{}, QStringList{});
        Fixtures::row("options of the PDF without it", QStringList{"--marked", "<dir>/d"}, 2,
                      "nur zusammen mit --pdf", QStringList{}, QStringList{});
    }
    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QFETCH(QStringList, found);
        QFETCH(QStringList, absent);
        const QByteArray before = Fixtures::fileBytes(m_dir.filePath("d/LEXA.MDB"));
        const Fixtures::CommandRun run = lexa(arguments);
        QCOMPARE(run.exitCode, exitCode);
        error.replace("<dir>", m_dir.path());
        QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
        const QString pdf = arguments.value(0) == "--pdf"
                                ? QString(arguments.value(1)).replace("<dir>", m_dir.path())
                                : QString();
        QCOMPARE(QFileInfo::exists(pdf), exitCode == 0 && !found.isEmpty());
        QCOMPARE(Fixtures::fileBytes(m_dir.filePath("d/LEXA.MDB")), before);
        if (found.isEmpty()) {
            return;
        }
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QSKIP("poppler-utils are not installed");
        }
        const QString text = pdfText(pdf);
        for (const QString& word : found) {
            QVERIFY2(text.contains(word), qPrintable(word + " in " + text));
        }
        for (const QString& word : absent) {
            QVERIFY2(!text.contains(word), qPrintable(word + " in " + text));
        }
    }

    // Another LEXA in the middle of a change: the PDF shows what is committed.
    void besideAnEditor()
    {
        Database editor;
        QVERIFY(editor.open(m_dir.filePath("d/LEXA.MDB"), Database::Access::ReadWrite));
        QVERIFY(editor.begin());
        QVERIFY(editor.exec("INSERT INTO lexa (mot) VALUES ('Halbfertig')"));
        const Fixtures::CommandRun run = lexa({"--pdf", "<dir>/neben.pdf", "<dir>/d"});
        editor.rollback();
        QCOMPARE(run.exitCode, 0);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
            QSKIP("poppler-utils are not installed");
        }
        const QString text = pdfText(m_dir.filePath("neben.pdf"));
        QVERIFY(text.contains("Katze"));
        QVERIFY(!text.contains("Halbfertig"));
    }
};

QTEST_MAIN(PdfCommandTest)
#include "tst_pdfcommand.moc"
