// The import of an exchange file from the main window: the one question
// about the words already there, and the whole import as one undo step.
#include "EditorSteps.h"
#include "widgets/FileDialogs.h"

#include <QAction>

namespace {

// Table order Zug, Auto, haus, Tor.
const QList<WordRow> Words{{"Zug", "der"}, {"Auto", "das", "1", "Verkehr", "O"}, {"haus"}, {"Tor"}};

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    void import_data()
    {
        Fixtures::columns<int, QString, QString>("answer", "listed", "articles");
        Fixtures::row("Ja: the word there takes the file's fields", int(QMessageBox::Yes),
                      QString("Auto,Baum,haus,Tor,Zug"),
                      QString("determinant=der,die,<null>,<null>,der"));
        Fixtures::row("Nein: only the new words", int(QMessageBox::No),
                      QString("Auto,Baum,haus,Tor,Zug"),
                      QString("determinant=der,das,<null>,<null>,der"));
        Fixtures::row("Abbrechen: nothing", int(QMessageBox::Cancel), QString("Auto,haus,Tor,Zug"),
                      QString("determinant=der,das,<null>,<null>"));
    }
    void import()
    {
        QFETCH(int, answer);
        QFETCH(QString, listed);
        QFETCH(QString, articles);
        Harness h;
        QVERIFY(h.start(Words));
        QVERIFY(Fixtures::writeFile(
            h.path("x.csv"), "Wort,Artikel,Mehrzahl,Silben,Frequenz,Themen,Markiert,Bild,Ton\n"
                             "Auto,die,Autos,Au-to,1,Verkehr,O,,\n"
                             "Baum,der,Bäume,Baum,,Schule,N,,\n"));
        const QString before = Fixtures::columnText(h.dir(), "determinant");
        setNextFileDialogAnswer(h.path("x.csv"));
        m_boxes.plan(QMessageBox::StandardButton(answer));
        if (answer != QMessageBox::Cancel) {
            m_boxes.plan(QMessageBox::Ok);
        }
        Steps::showWindow(h);
        auto* action = h.form().findChild<QAction*>("importCsv");
        QVERIFY(action && h.ui().List1->actions().contains(action));
        action->trigger();
        const QStringList told = m_boxes.takeSeen();
        // "Nein" is the answer Enter gives.
        QCOMPARE(told.value(0), "1 Wörter der Datei „x.csv“ gibt es schon im Wörterbuch. Sollen "
                                "sie die Angaben der Datei bekommen?\n\nJa: ändern. Nein: nur die "
                                "neuen Wörter beifügen.|LEXA|NoIcon|Yes No Cancel|No");
        QCOMPARE(h.listed().join(u','), listed);
        QCOMPARE(h.editor().nb_mots, int(h.listed().size()));
        QCOMPARE(Fixtures::columnText(h.dir(), "determinant"), articles);
        if (answer == QMessageBox::Cancel) {
            QCOMPARE(told.size(), 1);
            return;
        }
        QCOMPARE(told.value(1).section(u'|', 0, 0),
                 answer == QMessageBox::Yes
                     ? "2 Wörter aus „x.csv“: 1 neu, 1 geändert, 0 unverändert."
                     : "1 Wörter aus „x.csv“: 1 neu, 0 geändert, 0 unverändert.");
        // The new themes of the rows imported are in the theme list, offered at once.
        QCOMPARE(Fixtures::query(h.path("THEME.MDB"), "SELECT group_concat(theme) FROM themes")
                     .value(0)
                     .value(0),
                 answer == QMessageBox::Yes ? "Tiere,Verkehr,Schule" : "Tiere,Schule");
        QCOMPARE(Harness::entries(h.ui().List2).contains("Verkehr"), answer == QMessageBox::Yes);
        // One step takes all of it back.
        h.editor().undoStep();
        QCOMPARE(Fixtures::columnText(h.dir(), "determinant"), before);
        QCOMPARE(h.listed().join(u','), "Auto,haus,Tor,Zug");
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
