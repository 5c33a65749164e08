// The pickers of the main window: theme list, icon folder and file lists,
// waste bin, mark label and the reset of all marks.
#include "EditorSteps.h"

#include <QDir>

namespace {

const QString RazQuestion = QStringLiteral("Markierung desaktivieren?");

const unsigned Blue = 0x0000FF;
const unsigned Red = 0xFF0000;
const unsigned Green = 0x00FF00;
const unsigned Yellow = 0xFFFF00;

// Table order Zug, Auto, Haus, Ei, Ex; listed Auto, Ei, Ex, Haus, Zug.
QList<WordRow> dictionary()
{
    return {
        {"Zug", "der", "2", "Verkehr", "N", Steps::icon(Blue)},
        {"Auto", "das", "1", "Verkehr", "O", Steps::icon(Red)},
        {"Haus", "das", "3", "Gebäude", "N"},
        {"Ei", "das", "", "", ""},
        {"Ex", "", "", "", "X"},
    };
}

const QStringList Themes{"Tiere", "Berufe", "Farben"};

// Names for the pictures the tests use, as Steps::fileColumn shows them.
QHash<QByteArray, QString> pictureNames()
{
    return {{Steps::icon(Blue), "blue"},
            {Steps::icon(Red), "red"},
            {Steps::icon(Green), "green"},
            {Steps::icon(Yellow), "yellow"}};
}

QString pictureName(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QStringLiteral("none")
                           : pictureNames().value(bytes, QStringLiteral("<bytes>"));
}

QString pickers(Form1Ui& ui)
{
    const auto shown = [](const QWidget* w) {
        return w->objectName() + (w->isHidden() ? QStringLiteral(":H") : QStringLiteral(":S"));
    };
    return QStringList{shown(ui.List2), shown(ui.Dir1), shown(ui.File1)}.join(u' ');
}

// icons/ holds three pictures, a text file, a file named .ico that is no
// picture, and a subfolder.
void writeIconTree(const QString& root)
{
    QDir dir(root);
    QVERIFY(dir.mkpath(QStringLiteral("icons/sub")));
    QVERIFY(Steps::writeFile(dir.filePath("icons/a.ico"), Steps::icon(Green)));
    QVERIFY(Steps::writeFile(dir.filePath("icons/b.ico"), Steps::icon(Yellow)));
    QVERIFY(Steps::writeFile(dir.filePath("icons/C.ICO"), Steps::icon(Red)));
    QVERIFY(Steps::writeFile(dir.filePath("icons/note.txt"), "Haus"));
    QVERIFY(Steps::writeFile(dir.filePath("icons/bad.ico"), "kein Bild"));
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->item(i)->text());
    }
    return texts;
}

} // namespace

class TestPickers : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }
    void visibility_data();
    void visibility();
    void themes_data();
    void themes();
    void icons_data();
    void icons();
    void databasesStayAfterFolderChange();
    void marks_data();
    void marks();
    void resetMarks_data();
    void resetMarks();

private:
    Steps::UnexpectedBoxes m_boxes;
};

void TestPickers::visibility_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("new word") << QStringList{"new"} << "List2:S Dir1:S File1:S";
    QTest::newRow("word field") << QStringList{"new", "click:Text1"} << "List2:H Dir1:H File1:H";
    QTest::newRow("article field") << QStringList{"new", "click:deter"} << "List2:H Dir1:H File1:H";
    QTest::newRow("theme field") << QStringList{"new", "click:theme"} << "List2:S Dir1:H File1:H";
    QTest::newRow("icon") << QStringList{"new", "click:image1"} << "List2:H Dir1:S File1:S";
    QTest::newRow("category field has no picker")
        << QStringList{"new", "click:cat"} << "List2:S Dir1:S File1:S";
    QTest::newRow("modify, theme field")
        << QStringList{"select:Haus", "modify", "click:theme"} << "List2:S Dir1:H File1:H";
    QTest::newRow("modify, icon") << QStringList{"select:Haus", "modify", "click:image1"}
                                  << "List2:H Dir1:S File1:S";
    QTest::newRow("modify, theme field then icon")
        << QStringList{"select:Haus", "modify", "click:theme", "click:image1"}
        << "List2:H Dir1:S File1:S";
    QTest::newRow("modify, icon then theme field")
        << QStringList{"select:Haus", "modify", "click:image1", "click:theme"}
        << "List2:S Dir1:H File1:H";
    QTest::newRow("modify, icon then word field")
        << QStringList{"select:Haus", "modify", "click:image1", "click:Text1"}
        << "List2:H Dir1:H File1:H";
    QTest::newRow("disabled fields in Browse")
        << QStringList{"click:theme", "click:image1"} << "List2:H Dir1:H File1:H";
    // Left enabled after Abbruch, the theme field still opens its list.
    QTest::newRow("after Abbruch")
        << QStringList{"new", "cancel", "click:theme"} << "List2:S Dir1:H File1:H";
}

void TestPickers::visibility()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);

    Harness h;
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
    QCOMPARE(pickers(h.ui()), expected);
}

void TestPickers::themes_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("file");

    const QString unchanged = "theme=Verkehr,Verkehr,Gebäude,,";
    QTest::newRow("two picks") << QStringList{"new", "pick:Tiere", "pick:Berufe"} << "TiereBerufe"
                               << unchanged;
    QTest::newRow("after typing") << QStringList{"new", "theme:Zoo", "pick:Farben"} << "ZooFarben"
                                  << unchanged;
    // Only a change of the selection appends.
    QTest::newRow("same entry twice")
        << QStringList{"new", "pick:Tiere", "pick:Tiere"} << "Tiere" << unchanged;
    QTest::newRow("arrow key") << QStringList{"new", "pick:Berufe", "down:List2"} << "BerufeFarben"
                               << unchanged;
    QTest::newRow("new word stored")
        << QStringList{"new", "word:Neu", "pick:Tiere", "pick:Farben", "add"} << "Verkehr"
        << "theme=Verkehr,Verkehr,Gebäude,,,TiereFarben";
    QTest::newRow("modified word stored")
        << QStringList{"select:Haus", "modify", "click:theme", "pick:Tiere", "apply", "select:Auto"}
        << "Verkehr"
        << "theme=Verkehr,Verkehr,GebäudeTiere,,";
}

void TestPickers::themes()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, theme);
    QFETCH(QString, file);

    Harness h;
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
    QCOMPARE(h.ui().theme->text(), theme);
    QCOMPARE(Steps::fileColumn(h.dir(), "theme"), file);
}

void TestPickers::icons_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("file");

    const QString unchanged = "icone integree=blue,red,<null>,<null>,<null>";
    QTest::newRow("file chosen for a new word")
        << QStringList{"new", "dir:icons", "file:b.ico"} << 0 << "yellow" << unchanged;
    QTest::newRow("new word stored")
        << QStringList{"new", "word:Neu", "dir:icons", "file:b.ico", "add", "select:Neu"} << 0
        << "yellow"
        << "icone integree=blue,red,<null>,<null>,<null>,yellow";
    QTest::newRow("another file chosen")
        << QStringList{"new", "dir:icons", "file:b.ico", "file:C.ICO"} << 0 << "red" << unchanged;
    QTest::newRow("modified word stored")
        << QStringList{"select:Zug", "modify", "click:image1", "dir:icons",
                       "file:a.ico", "apply",  "select:Haus"}
        << 0 << "none"
        << "icone integree=green,red,<null>,<null>,<null>";
    QTest::newRow("not a picture")
        << QStringList{"select:Zug", "modify", "click:image1", "dir:icons", "ok", "file:bad.ico"}
        << 1 << "blue" << unchanged;
    QTest::newRow("not a picture, then stored")
        << QStringList{"select:Zug", "modify",       "click:image1", "dir:icons",
                       "ok",         "file:bad.ico", "apply",        "select:Haus"}
        << 1 << "none" << unchanged;
    QTest::newRow("waste bin in Browse")
        << QStringList{"select:Zug", "bin"} << 0 << "none" << unchanged;
    QTest::newRow("waste bin in Browse, stored")
        << QStringList{"select:Zug", "bin", "select:Haus"} << 0 << "none"
        << "icone integree=<null>,red,<null>,<null>,<null>";
    QTest::newRow("waste bin for a new word")
        << QStringList{"new", "word:Neu", "dir:icons", "file:a.ico", "bin", "add"} << 0 << "red"
        << "icone integree=blue,red,<null>,<null>,<null>,<null>";
    QTest::newRow("icon dropped on the waste bin")
        << QStringList{"select:Auto", "modify", "drop"} << 0 << "none" << unchanged;
    QTest::newRow("icon dropped on the waste bin, stored")
        << QStringList{"select:Auto", "modify", "drop", "apply", "select:Zug"} << 0 << "blue"
        << "icone integree=blue,<null>,<null>,<null>,<null>";
    QTest::newRow("cleared icon put back")
        << QStringList{"select:Auto", "modify", "drop", "revert", "select:Zug"} << 0 << "blue"
        << unchanged;
}

void TestPickers::icons()
{
    QFETCH(QStringList, steps);
    QFETCH(int, messages);
    QFETCH(QString, shown);
    QFETCH(QString, file);

    Harness h;
    writeIconTree(h.dir());
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
    QCOMPARE(Steps::boxes().size(), messages);
    QCOMPARE(pictureName(h.ui().image1->picture()), shown);
    QCOMPARE(Steps::fileColumn(h.dir(), "icone integree", pictureNames()), file);
}

void TestPickers::databasesStayAfterFolderChange()
{
    Harness h;
    writeIconTree(h.dir());
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), {"new", "dir:icons"});

    const QString icons = QDir(h.dir()).filePath(QStringLiteral("icons"));
    QCOMPARE(QDir::current(), QDir(icons));
    QCOMPARE(QDir(h.ui().File1->path()), QDir(icons));
    QCOMPARE(entries(h.ui().File1), (QStringList{"a.ico", "b.ico", "bad.ico", "C.ICO"}));

    Steps::runAll(h.ui(), {"dir:sub"});
    QCOMPARE(QDir::current(), QDir(QDir(icons).filePath(QStringLiteral("sub"))));
    QCOMPARE(entries(h.ui().File1), QStringList());

    // The dictionary and the themes are still the files of the start.
    Steps::runAll(h.ui(), {"word:Neu", "add"});
    QCOMPARE(Fixtures::rowCount(h.dir()), 6);
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("LEXA.MDB"))));
    QVERIFY(h.editor().Data2.Refresh());
    QCOMPARE(h.editor().Data2.Recordset().RecordCount(), Themes.size());
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("THEME.MDB"))));
}

void TestPickers::marks_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("file");

    QTest::newRow("N, O, N") << "Haus" << 2 << QStringList{"N", "O", "N"} << "mot marque=N,O,N,,X";
    QTest::newRow("O to N") << "Auto" << 1 << QStringList{"O", "N"} << "mot marque=N,N,N,,X";
    QTest::newRow("N to O") << "Zug" << 1 << QStringList{"N", "O"} << "mot marque=O,O,N,,X";
    QTest::newRow("empty to O") << "Ei" << 1 << QStringList{"", "O"} << "mot marque=N,O,N,O,X";
    QTest::newRow("other letter to O")
        << "Ex" << 3 << QStringList{"X", "O", "N", "O"} << "mot marque=N,O,N,,O";
}

void TestPickers::marks()
{
    QFETCH(QString, word);
    QFETCH(int, clicks);
    QFETCH(QStringList, captions);
    QFETCH(QString, file);

    Harness h;
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), {"select:" + word, "modify"});
    QStringList seen{h.ui().mot_marque->caption()};
    for (int i = 0; i < clicks; ++i) {
        Steps::click(h.ui().mot_marque);
        seen.append(h.ui().mot_marque->caption());
    }
    QCOMPARE(seen, captions);
    // The mark reaches the file through the binding, also after a confirm.
    Steps::runAll(h.ui(), {"apply", word == "Haus" ? "select:Zug" : "select:Haus"});
    QCOMPARE(Steps::fileColumn(h.dir(), "mot marque"), file);
}

void TestPickers::resetMarks_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("file");

    QTest::newRow("Yes") << QStringList{"select:Haus", "yes", "raz"} << QStringList{RazQuestion}
                         << "Ex"
                         << "mot marque=N,N,N,N,N";
    QTest::newRow("No") << QStringList{"select:Haus", "no", "raz"} << QStringList{RazQuestion}
                        << "Haus"
                        << "mot marque=N,O,N,,X";
    // A mark toggled and still pending is stored first, then reset; the word
    // being modified stays shown, so its saved values cannot reach another record.
    QTest::newRow("in Modify") << QStringList{"select:Haus", "modify", "mark", "yes", "raz"}
                               << QStringList{RazQuestion} << "Haus"
                               << "mot marque=N,N,N,N,N";
    QTest::newRow("in Modify, then cancelled")
        << QStringList{"select:Haus", "modify", "word:Hausboot", "yes", "raz", "revert",
                       "select:Zug"}
        << QStringList{RazQuestion} << "Zug"
        << "mot marque=N,N,N,N,N";
    QTest::newRow("marks set again")
        << QStringList{"yes", "raz", "select:Haus", "modify", "mark", "apply", "select:Zug"}
        << QStringList{RazQuestion} << "Zug"
        << "mot marque=N,N,O,N,N";
}

void TestPickers::resetMarks()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, messages);
    QFETCH(QString, shown);
    QFETCH(QString, file);

    Harness h;
    QVERIFY(h.start(dictionary(), Themes));
    Steps::showWindow(h);
    const QStringList listed = h.listed();
    Steps::runAll(h.ui(), steps);
    QCOMPARE(Steps::boxes(), messages);
    QCOMPARE(h.ui().Text1->text(), shown);
    QCOMPARE(Steps::fileColumn(h.dir(), "mot marque"), file);
    QCOMPARE(h.listed(), listed);
    QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("5"));
    QCOMPARE(Steps::fileColumn(h.dir(), "mot"), QStringLiteral("mot=Zug,Auto,Haus,Ei,Ex"));
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
