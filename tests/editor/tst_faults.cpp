// What the user sees when the store refuses a write: another program holds
// the dictionary, the disk is full, or the word was deleted meanwhile. The
// message names the file, the screen shows what the file holds, and what
// the user typed is still there to try again.
#include "EditorSteps.h"
#include "data/Database.h"

#include <csignal>
#include <sys/resource.h>

using Steps::row;

class TestFaults : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;
    Database m_other; // another program on the same dictionary

    void release()
    {
        rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
        const Result closed = m_other.close();
        QVERIFY2(closed, qPrintable(closed.error));
    }

private slots:
    void cleanup()
    {
        release();
        Steps::verifyNoUnexpectedBox(m_boxes);
    }

    void failedWrites_data()
    {
        // steps before the fault | fault | steps after it; expected: see Steps::check
        Fixtures::columns<QString, QString, QString>("steps", "message", "expected");
        const QString file = ";mot=Zug,Auto,Haus;mot marque=N,O,N;listed=Auto,Haus,Zug";
        row("new word, dictionary locked", "|locked|new;word:Neu;ok;add", "anderen Programm",
            "state=NewWord;shown=Neu|||||" + file);
        row("modification, disk full", "select:Haus;modify;word:Hof|full|ok;apply", "Datenträger",
            "state=Modify;shown=Hof|das|Gebäude|3|N|" + file);
        row("import, disk full", "|full|yes;ok;import", "Datenträger", "state=Browse" + file);
        row("raz, disk full", "|full|yes;ok;raz", "Datenträger", "state=Browse" + file);
        // Another program deleted Haus and Zug, or changed Haus: the window
        // leaves the word and shows the file.
        const QString gone = "state=Browse;shown=Auto|das|Verkehr|1|O|;mot=Auto;listed=Auto";
        row("modified word deleted meanwhile", "select:Haus;modify;word:Hof|gone|ok;apply",
            "nicht mehr in der Datei", gone);
        row("deleted word deleted meanwhile", "select:Zug|gone|yes;ok;delete",
            "nicht mehr in der Datei", gone);
        row("icon cleared on a word deleted meanwhile", "select:Zug|gone|ok;click:Image4",
            "nicht mehr in der Datei", gone);
        row("word chosen that was deleted meanwhile", "|gone|ok;select:Zug",
            "nicht mehr in der Datei", gone);
        row("undo of a word renamed meanwhile", "new;word:Neu;add|renamed|no;undo", "geändert",
            "state=Browse;mot=Zug,Auto,Haus,Neuer;listed=Auto,Haus,Neuer,Zug");
        // Left out, the refused step no longer stands before the older ones.
        row("undo refused, step left out",
            "new;word:Alt;add;new;word:Neu;add|renamed|yes;undo;undo", "auslassen",
            "state=Browse;mot=Zug,Auto,Haus,Neuer;listed=Auto,Haus,Neuer,Zug");
        row("new word added meanwhile", "|added|new;word:Neu;ok;add",
            "Diese Wort ist schon im Wörterbuch!", "state=NewWord;mot=Zug,Auto,Haus,Neu");
        row("modified word changed meanwhile", "select:Haus;modify;word:Hof|changed|ok;apply",
            "geändert", "state=Browse;shown=Haus|dem|Gebäude|3|N|" + file);
    }

    void failedWrites()
    {
        QFETCH(QString, steps);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        Harness h;
        QVERIFY(h.start({{"Zug", "der", "2", "Verkehr", "N"},
                         {"Auto", "das", "1", "Verkehr", "O"},
                         {"Haus", "das", "3", "Gebäude", "N"}},
                        {"Tiere"}, "Neu\r\n"));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), steps.section(u'|', 0, 0));
        const QString fault = steps.section(u'|', 1, 1);
        const QString dictionary = h.path(QStringLiteral("LEXA.MDB"));
        if (fault == "full") { // no file may grow: the next commit finds the disk full
            std::signal(SIGXFSZ, SIG_IGN);
            const rlim_t size = QFileInfo(dictionary + "-wal").size();
            rlimit limit{size, RLIM_INFINITY};
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        } else {
            QVERIFY(m_other.open(dictionary, Database::Access::ReadWrite));
            QVERIFY(fault == "locked" ? m_other.begin()
                    : fault == "gone" ? m_other.exec("DELETE FROM lexa WHERE mot IN ('Haus','Zug')")
                    : fault == "added" ? m_other.exec("INSERT INTO lexa (mot) VALUES ('Neu')")
                    : fault == "renamed"
                        ? m_other.exec("UPDATE lexa SET mot='Neuer' WHERE mot='Neu'")
                        : m_other.exec("UPDATE lexa SET determinant='dem' WHERE "
                                       "mot='Haus'"));
        }
        Steps::runAll(h.ui(), steps.section(u'|', 2));
        const QStringList boxes = MessageBox::takeAnswered();
        // A failed write names the file; the duplicate refusal and a refused
        // undo step, which names its word, keep their own texts.
        QVERIFY2(boxes.last().contains(message) &&
                     (boxes.last().contains("LEXA.MDB") || message.startsWith("Diese") ||
                      fault == "renamed"),
                 qPrintable(boxes.join(u'/')));
        release();
        Steps::check(h, expected);
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
