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

QHash<QByteArray, QString> pictureNames()
{
    return {{Steps::icon(0x0000FF), "blue"},
            {Steps::icon(0xFF0000), "red"},
            {Steps::icon(0x00FF00), "green"},
            {Steps::icon(0xFFFF00), "yellow"}};
}

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

    void visibility_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected"); // List2 Dir1 File1
        row("theme field", "new;click:theme", "SHH");
        row("icon", "new;click:image1", "HSS");
        row("modify, icon then word field", "select:Haus;modify;click:image1;click:Text1", "HHH");
        row("theme picked, then icon", "new;click:theme;pick:Tiere;click:image1", "HSS");
    }

    void visibility()
    {
        QFETCH(QString, steps);
        Harness h;
        start(h, steps);
        QTEST(Steps::controlStates(h.ui()).section(u' ', 1, 1), "expected");
        // The focus stays on the control clicked last, not on a field whose
        // text the next key would overwrite.
        const QString last = steps.section(u';', -1);
        if (QWidget* clicked = h.form().findChild<QWidget*>(last.section(u':', 1));
            last.startsWith("click:") && clicked->isEnabled()) {
            QCOMPARE(QApplication::focusWidget(), clicked);
        }
    }

    void themes_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("file");

        const QString unchanged = "theme=Verkehr,Verkehr,Gebäude,,";
        row("two picks", "new;pick:Tiere;pick:Berufe", "TiereBerufe", unchanged);
        row("after typing", "new;theme:Zoo;pick:Farben", "ZooFarben", unchanged);
        row("same entry twice", "new;pick:Tiere;pick:Tiere", "TiereTiere", unchanged);
        // The list opens without the highlight of the last word: Down goes to the first entry.
        row("highlight of the last word gone",
            "select:Haus;modify;click:theme;pick:Berufe;apply;select:Zug;modify;click:theme;"
            "down:List2",
            "VerkehrBerufe", "theme=Verkehr,Verkehr,GebäudeBerufe,,");
        row("arrow key", "new;pick:Berufe;down:List2", "BerufeFarben", unchanged);
        row("new word stored", "new;word:Neu;pick:Tiere;pick:Farben;add", "Verkehr",
            "theme=Verkehr,Verkehr,Gebäude,,,TiereFarben");
        row("modified word stored", "select:Haus;modify;click:theme;pick:Tiere;apply;select:Auto",
            "Verkehr", "theme=Verkehr,Verkehr,GebäudeTiere,,");
    }

    void themes()
    {
        QFETCH(QString, steps);
        Harness h;
        start(h, steps);
        QTEST(h.ui().theme->text(), "theme");
        QTEST(Steps::fileColumn(h.dir(), "theme"), "file");
    }

    void icons_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("file");

        const QString unchanged = "icone integree=blue,red,<null>,<null>,<null>";
        row("file chosen for a new word", "new;dir:icons;file:b.ico", 0, "yellow", unchanged);
        row("new word stored", "new;word:Neu;dir:icons;file:b.ico;add;select:Neu", 0, "yellow",
            unchanged + ",yellow");
        // A confirmed icon, a cleared one in browsing, is in the file at once.
        row("modified word stored", "select:Zug;modify;click:image1;dir:icons;file:a.ico;apply", 0,
            "green", "icone integree=green,red,<null>,<null>,<null>");
        row("not a picture", "select:Zug;modify;click:image1;dir:icons;ok;file:bad.ico", 1, "blue",
            unchanged);
        row("not a picture, then stored",
            "select:Zug;modify;click:image1;dir:icons;ok;file:bad.ico;apply;select:Haus", 1, "none",
            unchanged);
        row("waste bin in Browse, stored", "select:Zug;click:Image4", 0, "none",
            "icone integree=<null>,red,<null>,<null>,<null>");
        row("same icon after the waste bin", "new;dir:icons;file:a.ico;click:Image4;file:a.ico", 0,
            "green", unchanged);
        row("waste bin for a new word", "new;word:Neu;dir:icons;file:a.ico;click:Image4;add", 0,
            "red", unchanged + ",<null>");
        row("icon dropped on the waste bin, stored", "select:Auto;modify;drop;apply", 0, "none",
            "icone integree=blue,<null>,<null>,<null>,<null>");
        row("cleared icon put back", "select:Auto;modify;drop;revert;select:Zug", 0, "blue",
            unchanged);
    }

    void icons()
    {
        QFETCH(QString, steps);
        Harness h;
        start(h, steps);
        QTEST(int(Steps::boxes().size()), "messages");
        const QByteArray shown = h.ui().image1->picture();
        QTEST(shown.isEmpty() ? "none" : pictureNames().value(shown, "<bytes>"), "shown");
        QTEST(Steps::fileColumn(h.dir(), "icone integree", pictureNames()), "file");
    }

    void databasesStayAfterFolderChange()
    {
        Harness h;
        start(h, "new;dir:icons");
        const QString icons = QDir(h.dir()).filePath(QStringLiteral("icons"));
        QCOMPARE(QDir::current(), QDir(icons));
        QCOMPARE(QDir(h.ui().File1->path()), QDir(icons));
        const auto entries = [&h] {
            QStringList texts;
            for (int i = 0; i < h.ui().File1->count(); ++i) {
                texts.append(h.ui().File1->item(i)->text());
            }
            return texts;
        };
        QCOMPARE(entries(), (QStringList{"a.ico", "b.ico", "bad.ico", "C.ICO"}));
        Steps::runAll(h.ui(), "dir:sub");
        QCOMPARE(QDir::current(), QDir(icons + "/sub"));
        QCOMPARE(entries(), QStringList());

        // The dictionary and the themes are still the files of the start.
        Steps::runAll(h.ui(), "word:Neu;add");
        QCOMPARE(Fixtures::rowCount(h.dir()), 6);
        QVERIFY(!QFile::exists(QStringLiteral("LEXA.MDB")));
        QVERIFY(h.editor().Data2.Refresh());
        QCOMPARE(h.editor().Data2.Recordset().RecordCount(), Themes.size());
        QVERIFY(!QFile::exists(QStringLiteral("THEME.MDB")));
    }

    void marks_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("captions"); // before and after each click
        QTest::addColumn<QString>("file");
        row("N, O, N", "Haus", "N,O,N", "mot marque=N,O,N,,X");
        row("O to N", "Auto", "O,N", "mot marque=N,N,N,,X");
        row("N to O", "Zug", "N,O", "mot marque=O,O,N,,X");
        row("empty to O", "Ei", ",O", "mot marque=N,O,N,O,X");
        row("other letter to O", "Ex", "X,O,N,O", "mot marque=N,O,N,,O");
    }

    void marks()
    {
        QFETCH(QString, word);
        QFETCH(QString, captions);
        Harness h;
        start(h, "select:" + word + ";modify");
        QStringList seen{h.ui().mot_marque->caption()};
        while (seen.size() < captions.count(u',') + 1) {
            Steps::click(h.ui().mot_marque);
            seen.append(h.ui().mot_marque->caption());
        }
        QCOMPARE(seen.join(u','), captions);
        // The confirmed mark is in the file at once.
        Steps::runAll(h.ui(), "apply");
        QTEST(Steps::fileColumn(h.dir(), "mot marque"), "file");
    }

    void resetMarks_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("file");

        row("Yes", "select:Haus;yes;raz", "Ex", "mot marque=N,N,N,N,N");
        row("No", "select:Haus;no;raz", "Haus", "mot marque=N,O,N,,X");
        // A mark toggled and still pending is stored first, then reset; the word
        // being modified stays shown, so its saved values cannot reach another record.
        row("in Modify", "select:Haus;modify;click:mot_marque;yes;raz", "Haus",
            "mot marque=N,N,N,N,N");
        row("in Modify, then cancelled",
            "select:Haus;modify;word:Hausboot;yes;raz;revert;select:Zug", "Zug",
            "mot marque=N,N,N,N,N");
        row("marks set again", "yes;raz;select:Haus;modify;click:mot_marque;apply", "Haus",
            "mot marque=N,N,O,N,N");
        // The word being entered keeps what was typed.
        row("new word", "new;word:Neu;yes;raz", "Neu", "mot marque=N,N,N,N,N");
    }

    void resetMarks()
    {
        QFETCH(QString, steps);
        Harness h;
        start(h, "");
        const QStringList listed = h.listed();
        Steps::runAll(h.ui(), steps);
        QCOMPARE(Steps::boxes(), QStringList{"Markierung desaktivieren?"});
        QTEST(h.ui().Text1->text(), "shown");
        QTEST(Steps::fileColumn(h.dir(), "mot marque"), "file");
        QCOMPARE(h.listed(), listed);
        QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("5"));
        QCOMPARE(Steps::fileColumn(h.dir(), "mot"), QStringLiteral("mot=Zug,Auto,Haus,Ei,Ex"));
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
