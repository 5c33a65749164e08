#include "Harness.h"
#include "app/DictionaryFolder.h"
#include "data/Schema.h"
#include "widgets/MessageBox.h"

#include <QtTest>

using DictionaryFolder::Offer;

// Where the program opens and what a first start offers; a dictionary that
// can only be read; the keys the main window adds to its controls.
class StartupTest : public QObject
{
    Q_OBJECT

    static QStringList words(const QString& dir)
    {
        QStringList found;
        for (const QVariantList& row :
             Fixtures::query(dir + "/LEXA.MDB", "SELECT mot FROM lexa ORDER BY rowid")) {
            found.append(row.value(0).toString());
        }
        return found;
    }

private slots:
    void init() { MessageBox::resetSeam(); }
    void cleanup() { QVERIFY(MessageBox::takeAnswered().isEmpty()); }

    // In a folder holding "d" (a dictionary), "leer" (nothing), "halb" (only THEME.MDB):
    // the folder chosen, what the first start was answered ("Open:leer" picks "leer" for an
    // offer, "Quit" ends), the boxes that came, and the folders each choice began in.
    void choose_data()
    {
        Fixtures::columns<QString, QString, QString, QStringList, QString, QStringList,
                          QStringList>("current", "argument", "remembered", "answers", "chosen",
                                       "boxes", "starts");
        Fixtures::row("current folder with a dictionary", "d", "", "leer", QStringList{}, "d",
                      QStringList{}, QStringList{});
        Fixtures::row("remembered when the current has none", "leer", "", "d", QStringList{}, "d",
                      QStringList{}, QStringList{});
        Fixtures::row("a file of a dictionary names its folder", "leer", "d/LEXA.MDB", "",
                      QStringList{}, "d", QStringList{}, QStringList{});
        Fixtures::row("first start creates an empty dictionary", "leer", "", "",
                      QStringList{"Create:leer"}, "leer", QStringList{}, QStringList{"leer"});
        Fixtures::row("missing folder: a box, then the offer", "d", "fehlt", "",
                      QStringList{"Quit"}, "",
                      QStringList{"Der Ordner „<dir>/fehlt“ existiert nicht."}, QStringList{});
        Fixtures::row("a folder without a dictionary is not opened", "leer", "", "",
                      QStringList{"Open:leer", "Open:d"}, "d",
                      QStringList{"Im Ordner „<dir>/leer“ ist kein Wörterbuch (keine Datei "
                                  "„LEXA.MDB“)."},
                      QStringList{"leer", "leer"});
        Fixtures::row("nothing replaced by a new dictionary", "leer", "leer", "",
                      QStringList{"Create:halb", "Quit"}, "",
                      QStringList{"Im Ordner „<dir>/halb“ gibt es schon eine Datei „THEME.MDB“; "
                                  "LEXA legt dort kein neues Wörterbuch an."},
                      QStringList{"leer"});
    }
    void choose()
    {
        QFETCH(QString, current);
        QFETCH(QString, argument);
        QFETCH(QString, remembered);
        QFETCH(QStringList, answers);
        QFETCH(QString, chosen);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, starts);
        QTemporaryDir dir;
        const QString oldCwd = QDir::currentPath();
        const auto inDir = [&](const QString& name) {
            return name.isEmpty() ? QString() : dir.filePath(name);
        };
        for (const char* sub : {"d", "leer", "halb"}) {
            QVERIFY(QDir(dir.path()).mkpath(sub));
        }
        QVERIFY(Fixtures::writeWords(inDir("d"), {"Zug"}));
        QVERIFY(Fixtures::writeThemes(inDir("d"), {"Tiere"}));
        QVERIFY(Fixtures::writeThemes(inDir("halb"), {"Tiere"}));
        QDir::setCurrent(inDir(current));
        DictionaryFolder::Questions ask;
        QString answer;
        ask.offer = [&](const QString&) {
            answer = answers.isEmpty() ? QString("Quit") : answers.takeFirst();
            return answer.startsWith("Open")     ? Offer::Open
                   : answer.startsWith("Create") ? Offer::Create
                                                 : Offer::Quit;
        };
        QStringList started;
        ask.folder = [&](Offer, const QString& start) {
            started.append(QDir(dir.path()).relativeFilePath(start));
            return inDir(answer.section(':', 1));
        };
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            MessageBox::setNextAnswer(QMessageBox::Ok);
        }
        const QString folder =
            DictionaryFolder::choose(inDir(argument), inDir(remembered), ask, nullptr);
        QCOMPARE(folder, inDir(chosen));
        QVERIFY(answers.isEmpty());
        QCOMPARE(started, starts);
        QCOMPARE(MessageBox::takeAnswered(), boxes.replaceInStrings("<dir>", dir.path()));
        if (QTest::currentDataTag() == QByteArray("first start creates an empty dictionary")) {
            // The new dictionary opens, with no word.
            QDir::setCurrent(folder);
            Form1 form;
            QVERIFY(form.Form_Load());
            QCOMPARE(form.ui().List1->entryCount(), 0);
            QCOMPARE(form.ui().nbre_enr->caption(), QString("0"));
        }
        QDir::setCurrent(oldCwd);
    }

    // A dictionary in a folder that cannot be written is opened for reading: a new word is
    // refused with a German message, keeping what was typed.
    void readOnly()
    {
        QTemporaryDir dir;
        const QString oldCwd = QDir::currentPath();
        QVERIFY(Fixtures::writeWords(dir.path(), {"Zug", "Auto"}));
        QVERIFY(Fixtures::writeThemes(dir.path(), {"Tiere"}));
        QDir::setCurrent(dir.path());
        {
            Form1 form;
            form.editor().Data1.setAccess(Database::Access::ReadOnly);
            QVERIFY(form.Form_Load());
            Form1Ui& ui = form.ui();
            QTest::mouseClick(ui.Command5, Qt::LeftButton);
            QTest::keyClicks(ui.Text1, "Haus");
            MessageBox::setNextAnswer(QMessageBox::Ok);
            QTest::mouseClick(ui.Command4, Qt::LeftButton);
            const QStringList said = MessageBox::takeAnswered();
            QCOMPARE(said.size(), 1);
            QVERIFY2(said.first().contains("schreibgeschützt: Änderungen können nicht "
                                           "gespeichert werden"),
                     qPrintable(said.first()));
            QCOMPARE(ui.Text1->text(), QString("Haus"));
            QVERIFY(ui.Command4->isVisibleTo(&form) && ui.Text1->isEnabled());
        }
        QDir::setCurrent(oldCwd);
        QCOMPARE(words(dir.path()), QStringList({"Zug", "Auto"}));
    }

    // In a new word the arrow keys pass over the themes and Return or Space appends one;
    // Return in the word confirms it as "Änderung beifügen" does.
    void keys()
    {
        Harness h;
        QVERIFY(h.start({{"Auto"}}, {"Familie", "Essen", "Farben"}));
        Form1Ui& ui = h.ui();
        QTest::mouseClick(ui.Command5, Qt::LeftButton);
        QTest::keyClicks(ui.Text1, "Haus");
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(ui.List2, key);
        }
        QCOMPARE(ui.theme->text(), QString());
        QTest::keyClick(ui.List2, Qt::Key_Space);
        QCOMPARE(ui.theme->text(), QString("Familie"));
        QTest::keyClick(ui.Text1, Qt::Key_Return);
        QCOMPARE(words(h.dir()), QStringList({"Auto", "Haus"}));
        QVERIFY(!ui.Command4->isVisibleTo(&h.form()));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
