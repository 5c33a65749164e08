// The import of "listemot.txt" through the main window: when its button is
// offered, what it asks, which words it adds and what it reports.
#include "EditorSteps.h"

#include <QDir>

namespace {

const QString Question =
    QStringLiteral("Die Wörter der Datei <listemot.txt> dem Wörterbuch beifügen?");
const QString NothingAdded =
    QStringLiteral("Die Wörter der Datei <listemot.txt> waren schon im Wörterbuch!");

QString added(int count)
{
    return u' ' + QString::number(count) +
           QStringLiteral(" Wörter wurden dem Wörterbuch beigefügt!");
}

// Table order Zug, Auto, haus, Tor; listed Auto, haus, Tor, Zug.
QList<WordRow> dictionary()
{
    return {{"Zug", "der"}, {"Auto", "das", "1", "Verkehr", "O"}, {"haus"}, {"Tor"}};
}

QByteArray lines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "w" + QByteArray::number(1000 + i) + "\r\n";
    }
    return bytes;
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }
    void button_data();
    void button();
    void unreadableFile();
    void import_data();
    void import();
    void answeredNo();

private:
    Steps::UnexpectedBoxes m_boxes;
};

void TestImport::button_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("words");

    QTest::newRow("no file") << QByteArray() << false << 0;
    QTest::newRow("empty file") << QByteArray("") << false << 0;
    QTest::newRow("one word") << QByteArray("Haus\r\n") << true << 1;
    QTest::newRow("three empty lines") << QByteArray("\r\n\r\n\r\n") << true << 0;
    QTest::newRow("a NUL byte") << QByteArray("Haus\r\n\0\r\n", 9) << false << 0;
    QTest::newRow("huge file") << QByteArray(8 * 1024 * 1024, 'a') << false << 0;
}

void TestImport::button()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, shown);
    QFETCH(int, words);

    Harness h;
    QVERIFY(h.start(dictionary(), {"Tiere"}, file));
    QCOMPARE(!h.ui().Command10->isHidden(), shown);
    QCOMPARE(h.editor().import_ok, shown ? 1 : 0);
    QCOMPARE(h.editor().nb_import, words);
    QCOMPARE(h.ui().List3->entryCount(), words);
    QVERIFY(h.ui().List3->isHidden());
}

void TestImport::unreadableFile()
{
    Harness h;
    QVERIFY(QDir(h.dir()).mkdir(QStringLiteral("listemot.txt")));
    QVERIFY(h.start(dictionary()));
    QVERIFY(h.ui().Command10->isHidden());
    QCOMPARE(h.editor().import_ok, 0);
}

void TestImport::import_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("newWords"); // in the order they are stored

    QTest::newRow("twelve words")
        << QByteArray("Zug,Birne\r\n"
                      "Apfel,\"Kaffee, schwarz\"\r\n"
                      "Haus\r\n"
                      "Birne\r\n"
                      "\r\n"
                      "  auto,T\xFCr ,\xC4hre,\xD6l\r\n"
                      "Ofen,Eis,Nuss,Stra\xDF"
                      "e\r\n")
        << QStringList{Question, added(12)}
        << QStringList{"Ähre", "Apfel", "auto", "Birne",  "Eis", "Haus", "Kaffee, schwarz",
                       "Nuss", "Ofen",  "Öl",   "Straße", "Tür"};
    QTest::newRow("all listed already") << QByteArray("Zug,Auto\r\nhaus\r\n")
                                        << QStringList{Question, NothingAdded} << QStringList();
    QTest::newRow("only empty items")
        << QByteArray("\r\n\r\n\r\n") << QStringList{Question, NothingAdded} << QStringList();
    QTest::newRow("one word") << QByteArray("Bahn") << QStringList{Question, added(1)}
                              << QStringList{"Bahn"};
    QTest::newRow("two apostrophes")
        << QByteArray("a'b'c\r\n") << QStringList{Question, added(1)} << QStringList{"a'b'c"};
    QTest::newRow("first 400 items")
        << QByteArray("Zug\r\n,\r\n") + lines(450) << QStringList{Question, added(397)} << [] {
               QStringList words;
               for (int i = 0; i < 397; ++i) {
                   words.append(QStringLiteral("w%1").arg(1000 + i));
               }
               return words;
           }();
}

void TestImport::import()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, newWords);

    Harness h;
    QVERIFY(h.start(dictionary(), {"Tiere"}, file));
    Steps::showWindow(h);
    h.select(QStringLiteral("Tor"));
    const QStringList before = h.listed();
    QVERIFY(!h.ui().Command10->isHidden());

    Steps::answer(QMessageBox::Yes);
    Steps::answer(QMessageBox::Ok);
    Steps::press(h.ui().Command10);
    QCOMPARE(Steps::boxes(), messages);
    QVERIFY(h.ui().Command10->isHidden());

    // The list holds the new words at their sorted places, the count follows.
    QStringList listed = h.listed();
    QStringList expectedList = before + newWords;
    listed.sort();
    expectedList.sort();
    QCOMPARE(listed, expectedList);
    QCOMPARE(h.ui().nbre_enr->caption(), QString::number(4 + newWords.size()));
    QCOMPARE(h.editor().nb_mots, 4 + static_cast<int>(newWords.size()));

    // Each new record holds its word and the table's defaults.
    const QStringList stored = {"Zug", "Auto", "haus", "Tor"};
    QCOMPARE(Steps::fileColumn(h.dir(), "mot"), "mot=" + (stored + newWords).join(u','));
    QStringList marks{"N", "O", "N", "N"};
    QStringList nulls{"der", "das", "<null>", "<null>"};
    for (qsizetype i = 0; i < newWords.size(); ++i) {
        marks.append(QStringLiteral("N"));
        nulls.append(QStringLiteral("<null>"));
    }
    QCOMPARE(Steps::fileColumn(h.dir(), "mot marque"), "mot marque=" + marks.join(u','));
    QCOMPARE(Steps::fileColumn(h.dir(), "determinant"), "determinant=" + nulls.join(u','));

    // Back in Browse on the record shown before; the word field is off.
    QCOMPARE(h.ui().Text1->text(), QStringLiteral("Tor"));
    QVERIFY(!h.ui().Text1->isEnabled());
    QVERIFY(h.ui().List1->isEnabled());
    for (const QString& word : newWords) {
        if (!word.contains(u'\'')) {
            h.select(word);
            // The lookup ignores letter case: auto shows Auto's record.
            QCOMPARE(h.ui().Text1->text().toCaseFolded(), word.toCaseFolded());
        }
    }
}

void TestImport::answeredNo()
{
    Harness h;
    QVERIFY(h.start(dictionary(), {"Tiere"}, "Bahn\r\n"));
    Steps::showWindow(h);

    Steps::answer(QMessageBox::No);
    Steps::press(h.ui().Command10);
    QCOMPARE(Steps::boxes(), QStringList{Question});
    QVERIFY(!h.ui().Command10->isHidden());
    QCOMPARE(Fixtures::rowCount(h.dir()), 4);
    QCOMPARE(h.ui().nbre_enr->caption(), QStringLiteral("4"));

    // Asked again, and this time it adds.
    Steps::answer(QMessageBox::Yes);
    Steps::answer(QMessageBox::Ok);
    Steps::press(h.ui().Command10);
    QCOMPARE(Steps::boxes(), (QStringList{Question, added(1)}));
    QCOMPARE(Fixtures::rowCount(h.dir()), 5);
    QVERIFY(h.ui().Command10->isHidden());
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
