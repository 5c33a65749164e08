// Creating, modifying and deleting words, the editing states of the main
// window and its message boxes, driven through its buttons, fields and lists.
#include "EditorSteps.h"

#include <QDir>

using Steps::row;

namespace {

const QString Empty = QStringLiteral("Die Wörterzone ist leer!");
const QString Duplicate = QStringLiteral("Diese Wort ist schon im Wörterbuch!");
const QString DeleteQuestion = QStringLiteral("Wort löschen? ");
const QString RazQuestion = QStringLiteral("Markierung desaktivieren?");

// Table order Zug, Auto, Haus; listed Auto, Haus, Zug.
QList<WordRow> dictionary()
{
    return {{"Zug", "der", "2", "Verkehr", "N", Steps::icon(0x0000FF)},
            {"Auto", "das", "1", "Verkehr", "O", Steps::icon(0xFF0000)},
            {"Haus", "das", "3", "Gebäude", "N"}};
}

// The editing state, told by the button that only it shows.
QString state(Form1Ui& ui)
{
    return !ui.Command4->isHidden()   ? "NewWord"
           : !ui.Command8->isHidden() ? "Modify"
           : ui.Command5->isHidden()  ? "?"
                                      : "Browse";
}

// See Steps::controlStates for the order of the controls.
const QString Start = "DDDDDDE HHH SSSSHHHHSS";
const QString NewWord = "EEEEEDD SSS HHHSSSHHSS";
const QString Modify = "EEEDEED HHH HHHHHHSSSS";

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    void states_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        row("start", "", Start);
        row("Neues Wort", "new", NewWord);
        row("Abbruch", "new;word:Neu;cancel", "DDEDEDE HHH SSSSHHHHSS");
        row("Wort ändern", "select:Haus;modify", Modify);
        row("double click", "dbl:Haus", Modify);
        row("Änderung beifügen, modified word", "select:Haus;modify;apply", Start);
        row("Änderung beifügen, duplicate put back", "select:Haus;modify;word:Zug;ok;apply", Start);
        row("Änderung abbrechen", "select:Haus;modify;revert", "DDDDDEE HHH SSSSHHHHSS");
        row("Wort ändern keeps the theme list open", "new;cancel;click:theme;modify",
            "EEEDEED SHH HHHHHHSSSS");
        row("Abbruch keeps the mark enabled", "select:Haus;modify;revert;new;cancel",
            "DDEDEEE HHH SSSSHHHHSS");
        row("Änderung abbrechen disables the icon left enabled", "new;cancel;modify;revert",
            "DDDDDEE HHH SSSSHHHHSS");
        row("Wort löschen changes no state", "new;cancel;select:Haus;yes;delete",
            "DDEDEDE HHH SSSSHHHHSS");
    }

    void states()
    {
        QFETCH(QString, steps);
        Harness h;
        QVERIFY(h.start(dictionary()));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), steps);
        Steps::boxes();
        QTEST(Steps::controlStates(h.ui()), "expected");
    }

    void commands_data()
    {
        for (const char* column : {"steps", "message", "endState", "listed", "shown", "file"}) {
            QTest::addColumn<QString>(column);
        }
        // listed: its size is the count shown; shown: word|article|theme|category|mark|icon;
        // file: ';'-separated columns.
        const QString start = "Auto,Haus,Zug", words = "mot=Zug,Auto,Haus";
        const QString zug = "Zug|der|Verkehr|2|N|icon", auto_ = "Auto|das|Verkehr|1|O|icon";
        const QString haus = "Haus|das|Gebäude|3|N|";

        // New words: stored with what was typed, the rest at the table's defaults.
        row("new word", "select:Haus;new;word:Neu;article:die;cat:5;theme:Zoo;add", "", "Browse",
            "Auto,Haus,Neu,Zug", haus,
            "mot=Zug,Auto,Haus,Neu;determinant=der,das,das,die;categorie=2,1,3,5;"
            "theme=Verkehr,Verkehr,Gebäude,Zoo;mot marque=N,O,N,N;"
            "icone integree=<bytes>,<bytes>,<null>,<null>");
        row("case variant", "new;word:auto;add", "", "Browse", "Auto,auto,Haus,Zug", auto_,
            "mot=Zug,Auto,Haus,auto");
        row("trailing blank", "new;word:Zug ;add", "", "Browse", "Auto,Haus,Zug,Zug ", auto_,
            "mot=Zug,Auto,Haus,Zug ");
        row("empty refused", "new;article:die;ok;add", Empty, "NewWord", "Auto,Haus,Zug",
            "|die||||", words);
        row("duplicate refused", "new;word:Auto;ok;add", Duplicate, "NewWord", "Auto,Haus,Zug",
            "Auto|||||", words);
        row("corrected after refusal", "new;word:Auto;ok;add;word:Autos;add", Duplicate, "Browse",
            "Auto,Autos,Haus,Zug", auto_, "mot=Zug,Auto,Haus,Autos");
        // Abbruch: nothing written, the last record shown.
        row("Abbruch", "new;word:Neu;article:die;cancel", "", "Browse", "Auto,Haus,Zug", haus,
            words + ";determinant=der,das,das");
        // raz moves the store away from the new record; what is typed afterwards
        // is still meant for the new word, never for the record shown.
        row("new word after raz", "new;word:Neu;yes;raz;word:Neu;add", RazQuestion, "Browse",
            "Auto,Haus,Neu,Zug", haus, "mot=Zug,Auto,Haus,Neu;mot marque=N,N,N,N");
        row("Abbruch after raz", "new;word:Neu;yes;raz;word:Neu;article:die;cancel", RazQuestion,
            "Browse", "Auto,Haus,Zug", haus, words + ";determinant=der,das,das");
        // Modifications reach the file when another word is selected; a word
        // emptied in Modify is stored as an empty entry.
        row("rename", "select:Haus;modify;word:Baum;article:der;apply;select:Zug", "", "Browse",
            "Auto,Baum,Zug", zug, "mot=Zug,Auto,Baum;determinant=der,das,der");
        row("rename to a listed word",
            "select:Haus;modify;word:Zug;article:der;theme:Zoo;ok;apply;select:Auto", Duplicate,
            "Browse", "Auto,Haus,Zug", auto_,
            words + ";determinant=der,das,das;theme=Verkehr,Verkehr,Gebäude");
        row("rename to a listed word, fields back",
            "select:Zug;modify;word:Haus;article:das;theme:Zoo;click:Image4;ok;apply", Duplicate,
            "Browse", "Auto,Haus,Zug", zug, words);
        row("theme only", "select:Haus;modify;theme:Gebäude Zoo;apply;select:Auto", "", "Browse",
            "Auto,Haus,Zug", auto_, words + ";theme=Verkehr,Verkehr,Gebäude Zoo");
        row("word emptied", "select:Haus;modify;word:;apply;select:Auto", "", "Browse", ",Auto,Zug",
            auto_, "mot=Zug,Auto,<null>");
        row("Änderung abbrechen keeps the mark",
            "select:Zug;modify;word:Bahn;click:Image4;click:mot_marque;revert;select:Haus", "",
            "Browse", "Auto,Haus,Zug", haus,
            words + ";mot marque=O,O,N;icone integree=<bytes>,<bytes>,<null>");
        // Deleting shows the first record of the table afterwards.
        row("delete", "select:Haus;yes;delete", DeleteQuestion, "Browse", "Auto,Zug", zug,
            "mot=Zug,Auto");
        row("delete the first record", "select:Zug;yes;delete", DeleteQuestion, "Browse",
            "Auto,Haus", auto_, "mot=Auto,Haus");
        row("delete answered No", "select:Haus;no;delete", DeleteQuestion, "Browse",
            "Auto,Haus,Zug", haus, words);
        row("delete a new word", "new;word:Neu;add;select:Neu;yes;delete", DeleteQuestion, "Browse",
            "Auto,Haus,Zug", zug, words);
        row("delete after Abbruch", "new;cancel;yes;delete", DeleteQuestion, "Browse", "Auto,Zug",
            zug, "mot=Zug,Auto");
        // A double click selects the word and opens its modification.
        row("double click, rename", "dbl:Haus;word:Hof;apply;select:Zug", "", "Browse",
            "Auto,Hof,Zug", zug, "mot=Zug,Auto,Hof");
    }

    void commands()
    {
        QFETCH(QString, message);
        QFETCH(QString, listed);

        Harness h;
        QVERIFY(h.start(dictionary()));
        Steps::showWindow(h);
        Form1Ui& ui = h.ui();
        QFETCH(QString, steps);
        Steps::runAll(ui, steps);
        QCOMPARE(Steps::boxes(), message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(state(ui), "endState");
        QCOMPARE(h.listed(), listed.split(u','));
        QCOMPARE(ui.nbre_enr->caption(), QString::number(listed.split(u',').size()));
        QTEST(QStringList({ui.Text1->text(), ui.deter->text(), ui.theme->text(), ui.cat->text(),
                           ui.mot_marque->caption(), ui.image1->hasPicture() ? "icon" : ""})
                  .join(u'|'),
              "shown");
        QFETCH(QString, file);
        Steps::compareFile(h.dir(), file);
    }

    void deleteWithoutRecords()
    {
        Harness h;
        QVERIFY(h.startWords({QStringLiteral("Haus")}));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), "select:Haus;yes;delete");
        QCOMPARE(Steps::boxes(), QStringList{DeleteQuestion});
        QCOMPARE(h.listed(), QStringList());
        QCOMPARE(Fixtures::rowCount(h.dir()), 0);
        // No record is current now: the command may report that, but goes on.
        Steps::runAll(h.ui(), "yes;ok;delete");
        QCOMPARE(Steps::boxes().value(0), DeleteQuestion);
        QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("0"));
        // The window still works: a new word can be added.
        Steps::runAll(h.ui(), "new;word:Neu;add");
        QCOMPARE(h.listed(), QStringList{"Neu"});
        QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("1"));
        QCOMPARE(Fixtures::rowCount(h.dir()), 1);
    }

    // What is confirmed is in the file when "Beenden" ends the program at
    // once, asking nothing; a modification or new word left open is not.
    void endStoresWhatIsConfirmed_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("stored");
        row("Browse", "select:Haus", "");
        row("open modification", "select:Haus;modify;word:Hof;article:der;click:mot_marque", "");
        row("open new word", "new;word:Neu;article:die", "");
        row("confirmed modification", "select:Haus;modify;word:Hof;theme:Zoo;apply",
            "mot=Zug,Auto,Hof;theme=Verkehr,Verkehr,Zoo");
        row("mark toggled in a cancelled modification",
            "select:Haus;modify;click:mot_marque;revert", "mot marque=N,O,O");
    }

    void endStoresWhatIsConfirmed()
    {
        QFETCH(QString, steps);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeDictionary(dir.path(), dictionary()));
        QVERIFY(Fixtures::writeThemes(dir.path(), {QStringLiteral("Tiere")}));
        const QString columns = "mot;determinant;theme;mot marque";
        QString before;
        for (const QString& field : columns.split(u';')) {
            before += Steps::fileColumn(dir.path(), field) + u';';
        }
        const QString oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        {
            Form1 form;
            QVERIFY(form.Form_Load());
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            Steps::runAll(form.ui(), steps);
            // "Beenden" ends the program's event loop at once, asking nothing.
            QTimer::singleShot(0, &form, [&form] { Steps::press(form.ui().Command7); });
            QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
            QCOMPARE(Steps::boxes(), QStringList());
        }
        QDir::setCurrent(oldCwd);
        Steps::compareFile(dir.path(), stored.isEmpty() ? before : stored);
    }

    // The boxes as the user sees them: text|title|icon|buttons|default button.
    void messageBoxes_data()
    {
        QTest::addColumn<QByteArray>("importFile");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("seen"); // each answered with its default

        const QString ok = "|LEXA|NoIcon|Ok|Ok",
                      importQuestion = "Die Wörter der Datei <listemot.txt> dem Wörterbuch "
                                       "beifügen?|LEXA|NoIcon|Yes No|Yes";
        row("two apostrophes", QByteArray(), "select:zz'c'd", QStringList{"ungüldiges Wort!" + ok});
        row("empty word", QByteArray(), "new;add", QStringList{Empty + ok});
        row("listed word", QByteArray(), "new;word:Haus;add", QStringList{Duplicate + ok});
        row("delete", QByteArray(), "select:Haus;delete",
            QStringList{DeleteQuestion + "|LEXA|Warning|Yes No|Yes"});
        row("raz", QByteArray(), "raz", QStringList{RazQuestion + "|LEXA|NoIcon|Yes No|Yes"});
        row("import", QByteArray("Bahn\r\n"), "import",
            QStringList{importQuestion, " 1 Wörter wurden dem Wörterbuch beigefügt!" + ok});
        row("import, nothing new", QByteArray("Auto\r\n"), "import",
            QStringList{importQuestion,
                        "Die Wörter der Datei <listemot.txt> waren schon im Wörterbuch!" + ok});
    }

    void messageBoxes()
    {
        QFETCH(QByteArray, importFile);
        QFETCH(QString, steps);
        QFETCH(QStringList, seen);

        for (const QString& box : seen) {
            m_boxes.plan(box.endsWith("|Ok") ? QMessageBox::Ok : QMessageBox::Yes);
        }
        Harness h;
        QVERIFY(h.start({{"Auto"}, {"Haus"}, {"zz'c'd"}}, {"Tiere"}, importFile));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), steps);
        QCOMPARE(m_boxes.takeSeen(), seen);
    }
};

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
