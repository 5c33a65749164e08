// The pickers of the main window: theme list, icon folder and file lists,
// waste bin, mark label and the reset of all marks.
#include "EditorSteps.h"

#include <QDir>

using Steps::row;

namespace {

// Table order Zug, Auto, Haus, Ei, Ex; listed Auto, Ei, Ex, Haus, Zug.
QList<WordRow> dictionary()
{
    return {{"Zug", "der", "2", "Verkehr", "N", Steps::icon(0x0000FF)},
            {"Auto", "das", "1", "Verkehr", "O", Steps::icon(0xFF0000)},
            {"Haus", "das", "3", "Gebäude", "N"},
            {"Ei", "das", "", "", ""},
            {"Ex", "", "", "", "X"}};
}

const QStringList Themes{"Tiere", "Berufe", "Farben"};

// Starts on the dictionary, with icons/ holding three pictures, a text file,
// a file named .ico that is no picture, and a subfolder; then runs `steps`.
void start(Harness& h, const QString& steps)
{
    QDir dir(h.dir());
    QVERIFY(dir.mkpath(QStringLiteral("icons/sub")));
    const std::pair<const char*, QByteArray> files[] = {{"a.ico", Steps::icon(0x00FF00)},
                                                        {"b.ico", Steps::icon(0xFFFF00)},
                                                        {"C.ICO", Steps::icon(0xFF0000)},
                                                        {"note.txt", "Haus"},
                                                        {"bad.ico", "kein Bild"}};
    for (const auto& [name, bytes] : files) {
        QFile file(dir.filePath(QStringLiteral("icons/") + name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
}

} // namespace

class TestPickers : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    // The pickers shown, theme picks, icons, marks and their reset; see Steps::check.
    void steps_data()
    {
        Fixtures::columns<QString, QString>("steps", "expected");
        const QString themes = ";theme=Verkehr,Verkehr,Gebäude,,",
                      icons = ";icone integree=<bytes>,<bytes>,<null>,<null>,<null>",
                      reset = "boxes=Markierung desaktivieren?;listed=Auto,Ei,Ex,Haus,Zug;"
                              "mot=Zug,Auto,Haus,Ei,Ex;mot marque=N,N,N,N,N;shown=";
        row("modify, icon then word field", "select:Haus;modify;click:image1;click:Text1",
            "controls=EEEDEED HHH HHHHHHSSSS");
        row("theme picked, then icon", "new;click:theme;pick:Tiere;click:image1",
            "controls=EEEEEDD HSS HHHSSSHHSS");
        row("after typing", "new;theme:Zoo;pick:Farben", "shown=||ZooFarben|||" + themes);
        row("same entry twice", "new;pick:Tiere;pick:Tiere", "shown=||TiereTiere|||" + themes);
        // The list opens without the highlight of the last word: Down goes to the first entry.
        row("highlight of the last word gone",
            "select:Haus;modify;click:theme;pick:Berufe;apply;select:Zug;modify;click:theme;"
            "down:List2;key:Return@List2",
            "shown=Zug|der|VerkehrBerufe|2|N|ff;theme=Verkehr,Verkehr,GebäudeBerufe,,");
        row("arrow key moves, Return appends", "new;pick:Berufe;down:List2;key:Return@List2",
            "shown=||BerufeFarben|||" + themes);
        row("new word stored", "new;word:Neu;pick:Tiere;pick:Farben;add;select:Neu",
            "shown=Neu||TiereFarben||N|" + themes + ",TiereFarben");
        row("modified word stored", "select:Haus;modify;click:theme;pick:Tiere;apply;select:Auto",
            "shown=Auto|das|Verkehr|1|O|ff0000;theme=Verkehr,Verkehr,GebäudeTiere,,");
        row("new word with icon stored", "new;word:Neu;dir:icons;file:b.ico;add;select:Neu",
            "shown=Neu||||N|ffff00" + icons + ",<bytes>");
        // A confirmed icon, a cleared one in browsing, is in the file at once.
        row("modified icon stored", "select:Zug;modify;click:image1;dir:icons;file:a.ico;apply",
            "shown=Zug|der|Verkehr|2|N|ff00" + icons);
        row("not a picture, then stored",
            "select:Zug;modify;click:image1;dir:icons;ok;file:bad.ico;apply;select:Auto;select:Zug",
            "boxes=Die Datei \"bad.ico\" ist kein lesbares Bild.;shown=Zug|der|Verkehr|2|N|ff" +
                icons);
        row("waste bin in Browse, stored", "select:Zug;click:Image4;select:Auto;select:Zug",
            "shown=Zug|der|Verkehr|2|N|;icone integree=<null>,<bytes>,<null>,<null>,<null>");
        row("same icon after the waste bin", "new;dir:icons;file:a.ico;click:Image4;file:a.ico",
            "shown=|||||ff00" + icons);
        row("waste bin for a new word", "new;word:Neu;dir:icons;file:a.ico;click:Image4;add",
            "shown=Auto|das|Verkehr|1|O|ff0000" + icons + ",<null>");
        row("icon dropped on the waste bin, stored",
            "select:Auto;modify;drop;apply;select:Zug;select:Auto",
            "shown=Auto|das|Verkehr|1|O|;icone integree=<bytes>,<null>,<null>,<null>,<null>");
        row("cleared icon put back", "select:Auto;modify;drop;revert;select:Zug;select:Auto",
            "shown=Auto|das|Verkehr|1|O|ff0000" + icons);
        // The confirmed mark is in the file at once; a click goes N, O, N and
        // from empty or another letter to O.
        row("mark empty to O", "select:Ei;modify;click:mot_marque;apply", "mot marque=N,O,N,O,X");
        row("mark X, O, N", "select:Ex;modify;click:mot_marque;click:mot_marque;apply",
            "shown=Ex||||N|;mot marque=N,O,N,,N");
        row("reset, Yes", "select:Haus;yes;raz", reset + "Ex||||N|");
        row("reset, No", "select:Haus;no;raz",
            "boxes=Markierung desaktivieren?;shown=Haus|das|Gebäude|3|N|;mot marque=N,O,N,,X");
        // The word being modified stays shown with its mark as toggled, still to confirm.
        row("reset in Modify", "select:Haus;modify;click:mot_marque;yes;raz",
            reset + "Haus|das|Gebäude|3|O|");
        row("reset in Modify, then cancelled",
            "select:Haus;modify;word:Hausboot;yes;raz;revert;select:Zug",
            reset + "Zug|der|Verkehr|2|N|ff");
        row("marks set again", "yes;raz;select:Haus;modify;click:mot_marque;apply",
            "boxes=Markierung desaktivieren?;mot marque=N,N,O,N,N");
        // The word being entered keeps what was typed.
        row("reset with a new word", "new;word:Neu;yes;raz", reset + "Neu|||||");
    }
    void steps()
    {
        QFETCH(QString, steps);
        Harness h;
        start(h, steps);
        QFETCH(QString, expected);
        Steps::check(h, expected);
        // The focus stays on the control clicked last, not on a field whose
        // text the next key would overwrite.
        const QString last = steps.section(u';', -1);
        if (QWidget* clicked = h.form().findChild<QWidget*>(last.section(u':', 1));
            last.startsWith("click:") && clicked->isEnabled()) {
            QCOMPARE(QApplication::focusWidget(), clicked);
        }
    }

    void databasesStayAfterFolderChange()
    {
        Harness h;
        start(h, "new;dir:icons");
        const QString icons = QDir(h.dir()).filePath(QStringLiteral("icons"));
        QCOMPARE(QDir::current(), QDir(icons));
        QCOMPARE(QDir(h.ui().File1->path()), QDir(icons));
        QCOMPARE(Harness::entries(h.ui().File1),
                 (QStringList{"a.ico", "b.ico", "bad.ico", "C.ICO"}));
        Steps::runAll(h.ui(), "dir:sub");
        QCOMPARE(QDir::current(), QDir(icons + "/sub"));
        QCOMPARE(Harness::entries(h.ui().File1), QStringList());

        // The dictionary and the themes are still the files of the start.
        Steps::runAll(h.ui(), "word:Neu;add");
        QCOMPARE(Fixtures::column(h.dir(), "mot").size(), 6);
        QVERIFY(!QFile::exists(QStringLiteral("LEXA.MDB")));
        QVERIFY(h.editor().Data2.Refresh());
        QCOMPARE(h.editor().Data2.Recordset().RecordCount(), Themes.size());
        QVERIFY(!QFile::exists(QStringLiteral("THEME.MDB")));
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
