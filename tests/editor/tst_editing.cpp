// Creating, modifying, deleting words and the editing states of the main
// window, driven through its buttons, fields and lists.
#include "EditorSteps.h"

#include <QDir>

namespace {

const QString Empty = QStringLiteral("Die Wörterzone ist leer!");
const QString Duplicate = QStringLiteral("Diese Wort ist schon im Wörterbuch!");
const QString DeleteQuestion = QStringLiteral("Wort löschen? ");

// Table order Zug, Auto, Haus; listed Auto, Haus, Zug.
QList<WordRow> dictionary()
{
    return {
        {"Zug", "der", "2", "Verkehr", "N", Steps::icon(0x0000FF)},
        {"Auto", "das", "1", "Verkehr", "O", Steps::icon(0xFF0000)},
        {"Haus", "das", "3", "Gebäude", "N"},
    };
}

// Word, article, theme, category, mark and whether an icon is shown.
QString shownFields(Form1Ui& ui)
{
    return QStringList{
        ui.Text1->text(),         ui.deter->text(),
        ui.theme->text(),         ui.cat->text(),
        ui.mot_marque->caption(), ui.image1->hasPicture() ? QStringLiteral("icon") : QString()}
        .join(u'|');
}

// The editing state, told by the button that only it shows.
QString state(Form1Ui& ui)
{
    if (!ui.Command4->isHidden()) {
        return QStringLiteral("NewWord");
    }
    if (!ui.Command8->isHidden()) {
        return QStringLiteral("Modify");
    }
    return ui.Command5->isHidden() ? QStringLiteral("?") : QStringLiteral("Browse");
}

// The controls every command sets, in the order Steps::controlStates lists
// them, after these commands from the start.
const QString Start = "Text1:D deter:D theme:D cat:D image1:D mot_marque:D List1:E List2:H Dir1:H "
                      "File1:H Command5:S Command3:S Command6:S Command2:S Command4:H Command9:H "
                      "Command8:H Command1:H Command7:S Command11:S";
const QString NewWord = "Text1:E deter:E theme:E cat:E image1:E mot_marque:D List1:D List2:S "
                        "Dir1:S File1:S Command5:H Command3:H Command6:H Command2:S Command4:S "
                        "Command9:S Command8:H Command1:H Command7:S Command11:S";
const QString Modify = "Text1:E deter:E theme:E cat:D image1:E mot_marque:E List1:D List2:H "
                       "Dir1:H File1:H Command5:H Command3:H Command6:H Command2:H Command4:H "
                       "Command9:H Command8:S Command1:S Command7:S Command11:S";

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }
    void states_data();
    void states();
    void commands_data();
    void commands();
    void deleteWithoutRecords();
    void endsWithoutWriting_data();
    void endsWithoutWriting();

private:
    Steps::UnexpectedBoxes m_boxes;
};

void TestEditing::states_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start") << QStringList() << Start;
    QTest::newRow("Neues Wort") << QStringList{"new"} << NewWord;
    // image1 stays enabled.
    QTest::newRow("Änderung beifügen, new word")
        << QStringList{"new", "word:Neu", "add"}
        << "Text1:D deter:D theme:D cat:D image1:E mot_marque:D List1:E List2:H Dir1:H File1:H "
           "Command5:S Command3:S Command6:S Command2:S Command4:H Command9:H Command8:H "
           "Command1:H Command7:S Command11:S";
    QTest::newRow("empty word refused") << QStringList{"new", "ok", "add"} << NewWord;
    QTest::newRow("duplicate refused") << QStringList{"new", "word:Auto", "ok", "add"} << NewWord;
    // theme and image1 stay enabled.
    QTest::newRow("Abbruch") << QStringList{"new", "word:Neu", "cancel"}
                             << "Text1:D deter:D theme:E cat:D image1:E mot_marque:D List1:E "
                                "List2:H Dir1:H File1:H Command5:S Command3:S Command6:S "
                                "Command2:S Command4:H Command9:H Command8:H Command1:H "
                                "Command7:S Command11:S";
    QTest::newRow("Wort ändern") << QStringList{"select:Haus", "modify"} << Modify;
    QTest::newRow("double click") << QStringList{"dbl:Haus"} << Modify;
    QTest::newRow("Änderung beifügen, modified word")
        << QStringList{"select:Haus", "modify", "apply"} << Start;
    QTest::newRow("Änderung beifügen, duplicate put back")
        << QStringList{"select:Haus", "modify", "word:Zug", "ok", "apply"} << Start;
    // mot_marque stays enabled.
    QTest::newRow("Änderung abbrechen")
        << QStringList{"select:Haus", "modify", "revert"}
        << "Text1:D deter:D theme:D cat:D image1:D mot_marque:E List1:E List2:H Dir1:H File1:H "
           "Command5:S Command3:S Command6:S Command2:S Command4:H Command9:H Command8:H "
           "Command1:H Command7:S Command11:S";
    // What a command leaves alone keeps what the earlier ones set.
    QTest::newRow("Wort ändern keeps the theme list open")
        << QStringList{"new", "cancel", "themeClick", "modify"}
        << "Text1:E deter:E theme:E cat:D image1:E mot_marque:E List1:D List2:S Dir1:H File1:H "
           "Command5:H Command3:H Command6:H Command2:H Command4:H Command9:H Command8:S "
           "Command1:S Command7:S Command11:S";
    QTest::newRow("Wort ändern keeps the icon picker open")
        << QStringList{"new", "cancel", "iconClick", "modify"}
        << "Text1:E deter:E theme:E cat:D image1:E mot_marque:E List1:D List2:H Dir1:S File1:S "
           "Command5:H Command3:H Command6:H Command2:H Command4:H Command9:H Command8:S "
           "Command1:S Command7:S Command11:S";
    QTest::newRow("Neues Wort keeps the mark enabled")
        << QStringList{"select:Haus", "modify", "revert", "new"}
        << "Text1:E deter:E theme:E cat:E image1:E mot_marque:E List1:D List2:S Dir1:S File1:S "
           "Command5:H Command3:H Command6:H Command2:S Command4:S Command9:S Command8:H "
           "Command1:H Command7:S Command11:S";
    QTest::newRow("Abbruch keeps the mark enabled")
        << QStringList{"select:Haus", "modify", "revert", "new", "cancel"}
        << "Text1:D deter:D theme:E cat:D image1:E mot_marque:E List1:E List2:H Dir1:H File1:H "
           "Command5:S Command3:S Command6:S Command2:S Command4:H Command9:H Command8:H "
           "Command1:H Command7:S Command11:S";
    QTest::newRow("Änderung abbrechen disables the icon left enabled")
        << QStringList{"new", "cancel", "modify", "revert"}
        << "Text1:D deter:D theme:D cat:D image1:D mot_marque:E List1:E List2:H Dir1:H File1:H "
           "Command5:S Command3:S Command6:S Command2:S Command4:H Command9:H Command8:H "
           "Command1:H Command7:S Command11:S";
    QTest::newRow("Wort löschen changes no state")
        << QStringList{"new", "cancel", "select:Haus", "yes", "delete"}
        << "Text1:D deter:D theme:E cat:D image1:E mot_marque:D List1:E List2:H Dir1:H File1:H "
           "Command5:S Command3:S Command6:S Command2:S Command4:H Command9:H Command8:H "
           "Command1:H Command7:S Command11:S";
}

void TestEditing::states()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);

    Harness h;
    QVERIFY(h.start(dictionary()));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
    Steps::boxes();
    QCOMPARE(Steps::controlStates(h.ui()), expected);
}

void TestEditing::commands_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("endState");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("file");

    const QStringList start{"Auto", "Haus", "Zug"};
    const QString zug = "Zug|der|Verkehr|2|N|icon";
    const QString auto_ = "Auto|das|Verkehr|1|O|icon";
    const QString haus = "Haus|das|Gebäude|3|N|";
    const QString words = "mot=Zug,Auto,Haus";

    // New words: stored with what was typed, the rest at the table's defaults.
    QTest::newRow("new word")
        << QStringList{"select:Haus", "new", "word:Neu", "article:die", "cat:5", "theme:Zoo", "add"}
        << QStringList() << "Browse" << QStringList{"Auto", "Haus", "Neu", "Zug"} << "4" << haus
        << QStringList{"mot=Zug,Auto,Haus,Neu", "determinant=der,das,das,die",
                       "categorie=2,1,3,5",     "theme=Verkehr,Verkehr,Gebäude,Zoo",
                       "mot marque=N,O,N,N",    "icone integree=<bytes>,<bytes>,<null>,<null>"};
    QTest::newRow("case variant") << QStringList{"new", "word:auto", "add"} << QStringList()
                                  << "Browse" << QStringList{"Auto", "auto", "Haus", "Zug"} << "4"
                                  << auto_ << QStringList{"mot=Zug,Auto,Haus,auto"};
    QTest::newRow("trailing blank") << QStringList{"new", "word:Zug ", "add"} << QStringList()
                                    << "Browse" << QStringList{"Auto", "Haus", "Zug", "Zug "} << "4"
                                    << auto_ << QStringList{"mot=Zug,Auto,Haus,Zug "};
    QTest::newRow("three blanks") << QStringList{"new", "word:   ", "add"} << QStringList()
                                  << "Browse" << QStringList{"   ", "Auto", "Haus", "Zug"} << "4"
                                  << auto_ << QStringList{"mot=Zug,Auto,Haus,   "};
    QTest::newRow("empty refused") << QStringList{"new", "article:die", "ok", "add"}
                                   << QStringList{Empty} << "NewWord" << start << "3"
                                   << "|die||||" << QStringList{words};
    QTest::newRow("duplicate refused") << QStringList{"new", "word:Auto", "ok", "add"}
                                       << QStringList{Duplicate} << "NewWord" << start << "3"
                                       << "Auto|||||" << QStringList{words};
    QTest::newRow("corrected after refusal")
        << QStringList{"new", "word:Auto", "ok", "add", "word:Autos", "add"}
        << QStringList{Duplicate} << "Browse" << QStringList{"Auto", "Autos", "Haus", "Zug"} << "4"
        << auto_ << QStringList{"mot=Zug,Auto,Haus,Autos"};
    QTest::newRow("new word then selected")
        << QStringList{"new", "word:Neu", "article:die", "add", "select:Neu"} << QStringList()
        << "Browse" << QStringList{"Auto", "Haus", "Neu", "Zug"} << "4"
        << "Neu|die|||N|" << QStringList{"mot=Zug,Auto,Haus,Neu"};

    // Abbruch: nothing written, the last record shown.
    QTest::newRow("Abbruch") << QStringList{"new", "word:Neu", "article:die", "cancel"}
                             << QStringList() << "Browse" << start << "3" << haus
                             << QStringList{words, "determinant=der,das,das"};
    QTest::newRow("Abbruch, then another word")
        << QStringList{"new", "word:Neu", "cancel", "select:Zug"} << QStringList() << "Browse"
        << start << "3" << zug << QStringList{words};

    // "raz" moves the store away from the new record; what is typed
    // afterwards is still meant for the new word, never for the record shown.
    QTest::newRow("new word after raz")
        << QStringList{"new", "word:Neu", "yes", "raz", "word:Neu", "add"}
        << QStringList{"Markierung desaktivieren?"} << "Browse"
        << QStringList{"Auto", "Haus", "Neu", "Zug"} << "4" << haus
        << QStringList{"mot=Zug,Auto,Haus,Neu", "mot marque=N,N,N,N"};
    QTest::newRow("Abbruch after raz")
        << QStringList{"new", "word:Neu", "yes", "raz", "word:Neu", "article:die", "cancel"}
        << QStringList{"Markierung desaktivieren?"} << "Browse" << start << "3" << haus
        << QStringList{words, "determinant=der,das,das"};

    // Modifications reach the file when another word is selected. A word
    // emptied in Modify is confirmed as an empty entry.
    QTest::newRow("rename") << QStringList{"select:Haus", "modify", "word:Baum", "apply"}
                            << QStringList() << "Browse" << QStringList{"Auto", "Baum", "Zug"}
                            << "3"
                            << "Baum|das|Gebäude|3|N|" << QStringList{words};
    QTest::newRow("rename reaches the file")
        << QStringList{"select:Haus", "modify", "word:Baum", "article:der", "apply", "select:Zug"}
        << QStringList() << "Browse" << QStringList{"Auto", "Baum", "Zug"} << "3" << zug
        << QStringList{"mot=Zug,Auto,Baum", "determinant=der,das,der"};
    QTest::newRow("rename to the front")
        << QStringList{"select:Zug", "modify", "word:Apfel", "apply", "select:Haus"}
        << QStringList() << "Browse" << QStringList{"Apfel", "Auto", "Haus"} << "3" << haus
        << QStringList{"mot=Apfel,Auto,Haus"};
    QTest::newRow("rename to a listed word")
        << QStringList{"select:Haus", "modify", "word:Zug", "article:der",
                       "theme:Zoo",   "ok",     "apply",    "select:Auto"}
        << QStringList{Duplicate} << "Browse" << start << "3" << auto_
        << QStringList{words, "determinant=der,das,das", "theme=Verkehr,Verkehr,Gebäude"};
    QTest::newRow("rename to a listed word, fields back")
        << QStringList{"select:Zug", "modify", "word:Haus", "article:das",
                       "theme:Zoo",  "bin",    "ok",        "apply"}
        << QStringList{Duplicate} << "Browse" << start << "3" << zug << QStringList{words};
    QTest::newRow("theme only") << QStringList{"select:Haus", "modify", "theme:Gebäude Zoo",
                                               "apply", "select:Auto"}
                                << QStringList() << "Browse" << start << "3" << auto_
                                << QStringList{words, "theme=Verkehr,Verkehr,Gebäude Zoo"};
    QTest::newRow("word emptied") << QStringList{"select:Haus", "modify", "word:", "apply",
                                                 "select:Auto"}
                                  << QStringList() << "Browse" << QStringList{"", "Auto", "Zug"}
                                  << "3" << auto_ << QStringList{"mot=Zug,Auto,<null>"};
    QTest::newRow("Änderung abbrechen")
        << QStringList{"select:Zug", "modify", "word:Bahn", "article:die",
                       "theme:Zoo",  "bin",    "mark",      "revert"}
        << QStringList() << "Browse" << start << "3"
        << "Zug|der|Verkehr|2|O|icon" << QStringList{words};
    QTest::newRow("Änderung abbrechen keeps the mark")
        << QStringList{"select:Zug", "modify", "word:Bahn", "bin", "mark", "revert", "select:Haus"}
        << QStringList() << "Browse" << start << "3" << haus
        << QStringList{words, "mot marque=O,O,N", "icone integree=<bytes>,<bytes>,<null>"};

    // Deleting shows the first record of the table afterwards.
    QTest::newRow("delete") << QStringList{"select:Haus", "yes", "delete"}
                            << QStringList{DeleteQuestion} << "Browse" << QStringList{"Auto", "Zug"}
                            << "2" << zug << QStringList{"mot=Zug,Auto"};
    QTest::newRow("delete the first record")
        << QStringList{"select:Zug", "yes", "delete"} << QStringList{DeleteQuestion} << "Browse"
        << QStringList{"Auto", "Haus"} << "2" << auto_ << QStringList{"mot=Auto,Haus"};
    QTest::newRow("delete answered No")
        << QStringList{"select:Haus", "no", "delete"} << QStringList{DeleteQuestion} << "Browse"
        << start << "3" << haus << QStringList{words};
    QTest::newRow("delete a new word")
        << QStringList{"new", "word:Neu", "add", "select:Neu", "yes", "delete"}
        << QStringList{DeleteQuestion} << "Browse" << start << "3" << zug << QStringList{words};
    QTest::newRow("delete after Abbruch")
        << QStringList{"new", "cancel", "yes", "delete"} << QStringList{DeleteQuestion} << "Browse"
        << QStringList{"Auto", "Zug"} << "2" << zug << QStringList{"mot=Zug,Auto"};

    // A double click selects the word and opens its modification.
    QTest::newRow("double click") << QStringList{"select:Zug", "dbl:Haus"} << QStringList()
                                  << "Modify" << start << "3" << haus << QStringList{words};
    QTest::newRow("double click, rename")
        << QStringList{"dbl:Haus", "word:Hof", "apply", "select:Zug"} << QStringList() << "Browse"
        << QStringList{"Auto", "Hof", "Zug"} << "3" << zug << QStringList{"mot=Zug,Auto,Hof"};
}

void TestEditing::commands()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, messages);
    QFETCH(QString, endState);
    QFETCH(QStringList, listed);
    QFETCH(QString, count);
    QFETCH(QString, shown);
    QFETCH(QStringList, file);

    Harness h;
    QVERIFY(h.start(dictionary()));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
    QCOMPARE(Steps::boxes(), messages);
    QCOMPARE(state(h.ui()), endState);
    QCOMPARE(h.listed(), listed);
    QCOMPARE(h.ui().nbre_enr->caption(), count);
    QCOMPARE(shownFields(h.ui()), shown);
    for (const QString& column : file) {
        QCOMPARE(Steps::fileColumn(h.dir(), column.section(u'=', 0, 0)), column);
    }
}

void TestEditing::deleteWithoutRecords()
{
    Harness h;
    QVERIFY(h.startWords({QStringLiteral("Haus")}));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), {"select:Haus", "yes", "delete"});
    QCOMPARE(Steps::boxes(), QStringList{DeleteQuestion});
    QCOMPARE(h.listed(), QStringList());
    QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("0"));
    QCOMPARE(Fixtures::rowCount(h.dir()), 0);

    // No record is current now: the command may report that, but goes on.
    Steps::answer(QMessageBox::Yes);
    Steps::answer(QMessageBox::Ok);
    Steps::press(h.ui().Command3);
    QCOMPARE(Steps::boxes().value(0), DeleteQuestion);
    QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("0"));

    // The window still works: a new word can be added.
    Steps::runAll(h.ui(), {"new", "word:Neu", "add"});
    QCOMPARE(h.listed(), QStringList{"Neu"});
    QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("1"));
    QCOMPARE(Fixtures::rowCount(h.dir()), 1);
}

void TestEditing::endsWithoutWriting_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("Browse") << QStringList{"select:Haus"};
    QTest::newRow("pending modification")
        << QStringList{"select:Haus", "modify", "word:Hof", "article:der", "mark"};
    QTest::newRow("confirmed modification")
        << QStringList{"select:Haus", "modify", "word:Hof", "theme:Zoo", "apply"};
    QTest::newRow("pending new word") << QStringList{"new", "word:Neu", "article:die"};
}

void TestEditing::endsWithoutWriting()
{
    QFETCH(QStringList, steps);

    QTemporaryDir dir;
    QVERIFY(Fixtures::writeDictionary(dir.path(), dictionary()));
    QVERIFY(Fixtures::writeThemes(dir.path(), {QStringLiteral("Tiere")}));
    const QStringList fields{"mot", "determinant", "theme", "mot marque"};
    QList<QList<QVariant>> before;
    for (const QString& field : fields) {
        before.append(Fixtures::column(dir.path(), field));
    }
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        Form1 form;
        QVERIFY(form.Form_Load());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Steps::runAll(form.ui, steps);

        // "Beenden" ends the program's event loop at once, asking nothing.
        QTimer::singleShot(0, &form, [&form] { Steps::press(form.ui.Command7); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(Steps::boxes(), QStringList());
    }
    // Nothing was written, neither by the command nor when the window went.
    QDir::setCurrent(oldCwd);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QCOMPARE(Fixtures::column(dir.path(), fields[i]), before[i]);
    }
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
