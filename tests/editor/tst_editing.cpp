// Creating, modifying and deleting words, the editing states of the main
// window and its message boxes, driven through its buttons, fields and lists.
#include "EditorSteps.h"
#include "editor/Syllables.h"

using Steps::row;

namespace {

const QString Empty = QStringLiteral("Die Wörterzone ist leer!");
const QString Duplicate = QStringLiteral("Diese Wort ist schon im Wörterbuch!");
const QString Delete = QStringLiteral("Wort löschen? ");
const QString Raz = QStringLiteral("Markierung desaktivieren?");

QString nearQuestion(const QString& word, const QString& near)
{
    return QStringLiteral("Ähnliche Wörter stehen schon im Wörterbuch: „%1“.\n\n„%2“ trotzdem "
                          "beifügen?")
        .arg(near, word);
}

// Table order Zug, Auto, Haus; listed Auto, Haus, Zug.
QList<WordRow> dictionary()
{
    return {{"Zug", "der", "2", "Verkehr", "N", Steps::icon(0x0000FF)},
            {"Auto", "das", "1", "Verkehr", "O", Steps::icon(0xFF0000)},
            {"Haus", "das", "3", "Gebäude", "N"}};
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    void steps_data()
    {
        Fixtures::columns<QString, QString>("steps", "expected"); // see Steps::check
        const QString start = "controls=DDDDDDE HHH SSSSHHHHSS", L = "listed=Auto,Haus,Zug;",
                      W = "mot=Zug,Auto,Haus", revert = "controls=DDDDDEE HHH SSSSHHHHSS",
                      deleted = "boxes=" + Delete;
        const QString zug = ";shown=Zug|der|Verkehr|2|N|ff;",
                      auto_ = ";shown=Auto|das|Verkehr|1|O|ff0000;",
                      haus = ";shown=Haus|das|Gebäude|3|N|;";
        // The controls in each editing state.
        row("start", "", start);
        // Return presses the focused button; Escape cancels as the cancel buttons do.
        row("Return on Neues Wort", "key:Return@Command5", "state=NewWord");
        row("Escape in a new word", "new;word:Neu;key:Escape@Text1", "state=Browse;" + W);
        row("Escape in a modification", "select:Haus;modify;word:Hof;key:Escape@Text1",
            "state=Browse;" + W);
        row("Neues Wort", "new", "controls=EEEEEDD SSS HHHSSSHHSS");
        row("Abbruch", "new;word:Neu;cancel", "controls=DDEDEDE HHH SSSSHHHHSS");
        row("Wort ändern", "select:Haus;modify", "controls=EEEDEED HHH HHHHHHSSSS");
        row("Änderung beifügen", "select:Haus;modify;apply", start);
        row("Änderung beifügen, duplicate put back", "select:Haus;modify;word:Zug;ok;apply",
            start + ";boxes=" + Duplicate);
        row("Änderung abbrechen", "select:Haus;modify;revert", revert);
        row("Wort ändern keeps the theme list open", "new;cancel;click:theme;modify",
            "controls=EEEDEED SHH HHHHHHSSSS");
        row("Abbruch keeps the mark enabled", "select:Haus;modify;revert;new;cancel",
            "controls=DDEDEEE HHH SSSSHHHHSS");
        row("Änderung abbrechen disables the icon left enabled", "new;cancel;modify;revert",
            revert);
        row("Wort löschen changes no state", "new;cancel;select:Haus;yes;delete",
            "controls=DDEDEDE HHH SSSSHHHHSS;" + deleted);
        // New words: stored with what was typed, the rest at the table's defaults.
        row("new word", "select:Haus;new;word:Neu;article:die;cat:5;theme:Zoo;add",
            "state=Browse;listed=Auto,Haus,Neu,Zug" + haus +
                "mot=Zug,Auto,Haus,Neu;determinant=der,das,das,die;categorie=2,1,3,5;"
                "theme=Verkehr,Verkehr,Gebäude,Zoo;mot marque=N,O,N,N;"
                "icone integree=<bytes>,<bytes>,<null>,<null>");
        row("case variant", "new;word:auto;add",
            "listed=Auto,auto,Haus,Zug" + auto_ + "mot=Zug,Auto,Haus,auto");
        row("trailing blank, near, added all the same", "new;word:Zug ;yes;add",
            "boxes=" + nearQuestion("Zug ", "Zug") + ";listed=Auto,Haus,Zug,Zug " + auto_ +
                "mot=Zug,Auto,Haus,Zug ");
        row("near word, Nein", "new;word:Auto ;no;add",
            "boxes=" + nearQuestion("Auto ", "Auto") + ";state=NewWord;" + L + "shown=Auto |||||;" +
                W);
        row("empty refused", "new;article:die;ok;add",
            "boxes=" + Empty + ";state=NewWord;" + L + "shown=|die||||;" + W);
        row("duplicate refused", "new;word:Auto;ok;add",
            "boxes=" + Duplicate + ";state=NewWord;" + L + "shown=Auto|||||;" + W);
        row("corrected after refusal", "new;word:Auto;ok;add;word:Autos;add",
            "boxes=" + Duplicate + ";state=Browse;listed=Auto,Autos,Haus,Zug" + auto_ +
                "mot=Zug,Auto,Haus,Autos");
        // The plural and the syllables: stored, undone, and the syllables
        // suggested as the word is typed unless the user typed a split.
        row("new word with its forms",
            "new;word:Schmett;word:Schmetterling;plural:Schmetterlinge;add",
            "forms=||DD;mot=Zug,Auto,Haus,Schmetterling;pluriel=<null>,<null>,<null>,"
            "Schmetterlinge;syllabes=<null>,<null>,<null>,Schmet-ter-ling");
        row("own split kept", "new;word:Schmett;syllables:Schme-tt;word:Schmetterling;add",
            "syllabes=<null>,<null>,<null>,Schme-tt");
        row("split emptied follows again", "new;word:Igel;syllables:;word:Abend;add",
            "syllabes=<null>,<null>,<null>,A-bend");
        row("rename follows the suggestion", "select:Haus;modify;word:Haustür;apply",
            "forms=|Haus-tür|DD;syllabes=<null>,<null>,Haus-tür");
        row("forms in a modification", "select:Haus;modify", "forms=||EE");
        row("forms back on Änderung abbrechen", "select:Haus;modify;plural:Häuser;revert",
            "forms=||DD;pluriel=<null>,<null>,<null>");
        row("undo forms", "select:Haus;modify;plural:Häuser;apply;undo",
            "forms=||DD;" + haus + "pluriel=<null>,<null>,<null>");
        // Abbruch: nothing written, the last record shown.
        row("Abbruch, stored", "new;word:Neu;article:die;cancel",
            L + haus + W + ";determinant=der,das,das");
        // "raz" leaves the new word as typed; nothing of it reaches another record.
        row("new word after raz", "new;word:Neu;yes;raz;word:Neu;add",
            "boxes=" + Raz + ";state=Browse;listed=Auto,Haus,Neu,Zug" + haus +
                "mot=Zug,Auto,Haus,Neu;mot marque=N,N,N,N");
        row("Abbruch after raz", "new;word:Neu;yes;raz;word:Neu;article:die;cancel",
            "boxes=" + Raz + ";" + L + haus + W + ";determinant=der,das,das");
        // Modifications reach the file; a word emptied in Modify is stored as
        // an empty entry.
        row("rename", "select:Haus;modify;word:Baum;article:der;apply;select:Zug",
            "listed=Auto,Baum,Zug" + zug + "mot=Zug,Auto,Baum;determinant=der,das,der");
        row("rename to a listed word",
            "select:Haus;modify;word:Zug;article:der;theme:Zoo;ok;apply;select:Auto",
            "boxes=" + Duplicate + ";" + L + auto_ + W +
                ";determinant=der,das,das;theme=Verkehr,Verkehr,Gebäude");
        row("rename to a listed word, fields back",
            "select:Zug;modify;word:Haus;article:das;theme:Zoo;click:Image4;ok;apply",
            "boxes=" + Duplicate + ";" + L + zug + W);
        row("rename to a near word, Nein", "select:Haus;modify;word:Zug ;no;apply",
            "boxes=" + nearQuestion("Zug ", "Zug") + ";state=Modify;" + L +
                "shown=Zug |das|Gebäude|3|N|;" + W);
        row("rename near the old word", "select:Zug;modify;word:Zug ;apply",
            "listed=Auto,Haus,Zug ;mot=Zug ,Auto,Haus");
        // The near words follow the list: a word renamed away is not named.
        row("near words after changes",
            "new;word:Zug ;yes;add;select:Auto;modify;word:Autobahn;apply;new;word:Auto ;add;"
            "new;word: Zug;no;add",
            "boxes=" + nearQuestion("Zug ", "Zug") + u'/' + nearQuestion(" Zug", "Zug“, „Zug ") +
                ";state=NewWord;listed=Auto ,Autobahn,Haus,Zug,Zug ");
        row("theme only", "select:Haus;modify;theme:Gebäude Zoo;apply;select:Auto",
            L + auto_ + W + ";theme=Verkehr,Verkehr,Gebäude Zoo");
        row("word emptied", "select:Haus;modify;word:;apply;select:Auto",
            "listed=,Auto,Zug" + auto_ + "mot=Zug,Auto,<null>");
        row("Änderung abbrechen keeps the mark",
            "select:Zug;modify;word:Bahn;click:Image4;click:mot_marque;revert;select:Haus",
            L + haus + W + ";mot marque=O,O,N;icone integree=<bytes>,<bytes>,<null>");
        row("double click, rename", "dbl:Haus;word:Hof;apply;select:Zug",
            "listed=Auto,Hof,Zug" + zug + "mot=Zug,Auto,Hof");
        // Deleting shows the first record of the table afterwards, highlighted,
        // the focus on the list, out of reach of a second deletion.
        row("delete", "select:Haus;yes;delete",
            deleted + ";listed=Auto,Zug" + zug + "mot=Zug,Auto;highlight=Zug;focus=List1");
        row("delete the first record", "select:Zug;yes;delete",
            deleted + ";listed=Auto,Haus" + auto_ + "mot=Auto,Haus");
        row("delete answered No", "select:Haus;no;delete", deleted + ";" + L + haus + W);
        row("delete a new word", "new;word:Neu;add;select:Neu;yes;delete",
            deleted + ";" + L + zug + W);
        row("delete after Abbruch", "new;cancel;yes;delete",
            deleted + ";listed=Auto,Zug" + zug + "mot=Zug,Auto");
        // What is confirmed is in the file when "Beenden" ends the program at
        // once, asking nothing; a modification or new word left open is not.
        const QString none = "closed;" + W + ";determinant=der,das,das;mot marque=N,O,N";
        row("end in an open modification",
            "select:Haus;modify;word:Hof;article:der;click:mot_marque;end", none);
        row("end in an open new word", "new;word:Neu;article:die;end", none);
        row("end after a confirmed modification", "select:Haus;modify;word:Hof;theme:Zoo;apply;end",
            "closed;mot=Zug,Auto,Hof;theme=Verkehr,Verkehr,Zoo");
        row("end after a mark toggled in a cancelled modification",
            "select:Haus;modify;click:mot_marque;revert;end", "closed;mot marque=N,O,O");
        // Commands that show another record leave the list's highlight where
        // it was; a click on the highlighted word must still show that word.
        row("click on the highlight after Abbruch", "select:Auto;new;cancel;list:Auto", auto_);
        row("click on the highlight after raz", "select:Auto;yes;raz;list:Auto",
            "boxes=" + Raz + ";shown=Auto|das|Verkehr|1|N|ff0000");
        // The highlight is the word shown; after confirming, the focus is on the list.
        row("highlight after raz", "select:Auto;yes;raz",
            "boxes=" + Raz + ";shown=Haus|das|Gebäude|3|N|;highlight=Haus");
        row("focus after Änderung beifügen", "select:Haus;modify;theme:Zoo;apply",
            "focus=List1;highlight=Haus");
        row("focus after a new word", "new;word:Neu;add", "focus=List1" + auto_ + "highlight=Auto");
        // Every confirmed change can be taken back and taken again; the word it
        // touched is shown and highlighted.
        row("undo a deletion", "select:Haus;yes;delete;undo",
            deleted + ";" + L + haus + W + ";highlight=Haus");
        row("undo a new word", "new;word:Neu;add;undo", L + W + auto_);
        row("undo and redo a rename", "select:Haus;modify;word:Hof;apply;undo;redo",
            "listed=Auto,Hof,Zug;mot=Zug,Auto,Hof;highlight=Hof");
        row("undo raz", "select:Haus;yes;raz;undo", "boxes=" + Raz + ";mot marque=N,O,N");
        row("undo a mark", "select:Haus;modify;click:mot_marque;revert;undo",
            haus + "mot marque=N,O,N;highlight=Haus");
        row("undo an icon cleared", "select:Zug;click:Image4;undo", zug + "highlight=Zug");
        // While a word is open the keys belong to its fields, not to the file.
        row("Ctrl+Z in a modification",
            "select:Zug;modify;click:mot_marque;revert;select:Haus;modify;undo",
            "state=Modify;mot marque=O,O,N");
    }
    void steps()
    {
        QFETCH(QString, steps);
        Harness h;
        QVERIFY(h.start(dictionary()));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), steps);
        QFETCH(QString, expected);
        Steps::check(h, expected);
    }

    // The split suggested from the German patterns (a dependency of the
    // package): the letters as typed, umlauts and capitals kept.
    void syllables_data()
    {
        Fixtures::columns<QString, QString>("word", "split");
        row("three syllables", "Schmetterling", "Schmet-ter-ling");
        row("single vowel at the start", "Abend", "A-bend");
        row("compound", "Haustür", "Haus-tür");
        row("umlaut", "Mädchen", "Mäd-chen");
        row("capitals", "ZUCKER", "ZU-CKER");
        row("one syllable", "Haus", "Haus");
        row("no syllable without a vowel", "nein", "nein");
        row("consonant at the start kept", "Stiefel", "Stie-fel");
        row("words apart", "Eis am Stiel", "Eis am Stiel");
        row("letters the patterns lack", "Łódź", "");
        row("empty", "", "");
    }
    void syllables()
    {
        QFETCH(QString, word);
        QFETCH(QString, split);
        QCOMPARE(suggestSyllables(word), split);
    }

    // After the last record is deleted no word is shown: deleting or
    // modifying then says what to do, and the first new word is shown.
    void deleteWithoutRecords()
    {
        Harness h;
        QVERIFY(h.start({{"Haus"}}));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), "select:Haus;yes;delete");
        QVERIFY(Fixtures::column(h.dir(), "mot").isEmpty());
        Steps::runAll(h.ui(), "ok;delete;ok;modify;new;word:Neu;add");
        const QString none = "Es wird kein Wort angezeigt. Bitte wählen Sie zuerst ein Wort in "
                             "der Liste.";
        QCOMPARE(MessageBox::takeAnswered(), QStringList({Delete, none, none}));
        Steps::check(h, "listed=Neu;mot=Neu;shown=Neu||||N|;highlight=Neu;state=Browse");
    }

    // The boxes as the user sees them: text|title|icon|buttons|default button.
    void messageBoxes_data()
    {
        // "seen": each box answered with its default.
        Fixtures::columns<QByteArray, QString, QStringList>("importFile", "steps", "seen");
        const QString ok = "|LEXA|NoIcon|Ok|Ok", yesNo = "|LEXA|NoIcon|Yes No|Yes",
                      yesNO = "|LEXA|NoIcon|Yes No|No",
                      import = "Die Wörter der Datei <listemot.txt> dem Wörterbuch beifügen?";
        const QByteArray none;
        row("two apostrophes", none, "select:zz'c'd", QStringList{"ungüldiges Wort!" + ok});
        row("empty word", none, "new;add", QStringList{Empty + ok});
        row("listed word", none, "new;word:Haus;add", QStringList{Duplicate + ok});
        row("near word", none, "new;word:Haus ;add",
            QStringList{nearQuestion("Haus ", "Haus") + "|LEXA|Question|Yes No|No"});
        row("delete", none, "select:Haus;delete", QStringList{Delete + "|LEXA|Warning|Yes No|No"});
        row("raz", none, "raz", QStringList{Raz + yesNO});
        row("import", QByteArray("Bahn\r\n"), "import",
            QStringList{import + yesNo, " 1 Wörter wurden dem Wörterbuch beigefügt!" + ok});
        row("import, nothing new", QByteArray("Auto\r\n"), "import",
            QStringList{import + yesNo,
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
