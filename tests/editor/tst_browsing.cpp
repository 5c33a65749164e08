// Browsing the word list: a selection shows its word's record through the
// bound fields; apostrophes are doubled for the lookup.
#include "EditorSteps.h"

namespace {

const QString Invalid = QStringLiteral("ungüldiges Wort!");

// The fields of the record shown, one per bound control.
QStringList shownFields(Form1Ui& ui)
{
    return {ui.Text1->text(), ui.deter->text(), ui.cat->text(), ui.theme->text(),
            ui.mot_marque->caption()};
}

// Selects the last entry of List1 that reads `word`.
void selectLast(ListBox* list, const QString& word)
{
    for (int i = list->entryCount() - 1; i >= 0; --i) {
        if (list->entry(i) == word) {
            list->setListIndex(i);
            return;
        }
    }
    QFAIL("word not listed");
}

} // namespace

class TestBrowsing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }
    void selectionShowsRecord_data();
    void selectionShowsRecord();
    void apostrophes_data();
    void apostrophes();
    void arrowKeys();
    void selectionHidesIconPicker();
    void clickOnHighlightedWord_data();
    void clickOnHighlightedWord();

private:
    Steps::UnexpectedBoxes m_boxes;
};

void TestBrowsing::selectionShowsRecord_data()
{
    QTest::addColumn<QStringList>("selections");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<unsigned>("iconColour"); // 0: no icon

    QTest::newRow("full record") << QStringList{"Haus"}
                                 << QStringList{"Haus", "das", "3", "Gebäude", "O"} << 0xFF0000u;
    QTest::newRow("empty fields after a full record")
        << QStringList{"Haus", "Ziel"} << QStringList{"Ziel", "", "", "", "N"} << 0u;
    QTest::newRow("back to the first")
        << QStringList{"Ziel", "Auto"} << QStringList{"Auto", "das", "1", "Verkehr", "N"}
        << 0x0000FFu;
    // A word held twice shows the record that comes first in the table.
    QTest::newRow("duplicate, first entry")
        << QStringList{"Tor"} << QStringList{"Tor", "das", "", "", "N"} << 0u;
    QTest::newRow("duplicate, second entry")
        << QStringList{"Ziel", "Tor#2"} << QStringList{"Tor", "das", "", "", "N"} << 0u;
    // Letter case is ignored by the lookup: the earlier record wins.
    QTest::newRow("case variant") << QStringList{"tür"} << QStringList{"Tür", "die", "", "", "N"}
                                  << 0u;
}

void TestBrowsing::selectionShowsRecord()
{
    QFETCH(QStringList, selections);
    QFETCH(QStringList, fields);
    QFETCH(unsigned, iconColour);

    const QList<WordRow> rows{
        {"Auto", "das", "1", "Verkehr", "N", Steps::icon(0x0000FF)},
        {"Tor", "das"},
        {"Haus", "das", "3", "Gebäude", "O", Steps::icon(0xFF0000)},
        {"Tür", "die"},
        {"Tor", "der", "9", "Sport", "O"},
        {"Ziel"},
        {"tür", "DIE"},
    };
    Harness h;
    QVERIFY(h.start(rows));
    for (const QString& word : selections) {
        if (word.endsWith(QLatin1String("#2"))) {
            selectLast(h.ui().List1, word.chopped(2));
        } else {
            h.select(word);
        }
    }
    QCOMPARE(shownFields(h.ui()), fields);
    QCOMPARE(h.ui().image1->picture(), iconColour == 0 ? QByteArray() : Steps::icon(iconColour));
    QCOMPARE(Steps::boxes(), QStringList());
}

void TestBrowsing::apostrophes_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("inside") << "l'eau"
                            << "l''eau"
                            << "l'eau" << QStringList();
    QTest::newRow("near the end") << "geht's"
                                  << "geht''s"
                                  << "geht's" << QStringList();
    QTest::newRow("last") << "xyz'"
                          << "xyz''"
                          << "xyz'" << QStringList();
    QTest::newRow("first") << "'s"
                           << "''s"
                           << "'s" << QStringList();
    QTest::newRow("typographic") << "l’eau"
                                 << "l’eau"
                                 << "l’eau" << QStringList();
    // Refused: the raw word is kept and the record shown stays.
    QTest::newRow("two") << "ab'cd'ef"
                         << "ab'cd'ef"
                         << "A" << QStringList{Invalid};
    QTest::newRow("three") << "a'b'c'"
                           << "a'b'c'"
                           << "A" << QStringList{Invalid};
}

void TestBrowsing::apostrophes()
{
    QFETCH(QString, word);
    QFETCH(QString, criterion);
    QFETCH(QString, shown);
    QFETCH(QStringList, messages);

    Harness h;
    QVERIFY(h.start({{"A", "der"}, {word, "le"}, {"Zug"}}));
    h.select(QStringLiteral("A"));
    for (qsizetype i = 0; i < messages.size(); ++i) {
        Steps::answer(QMessageBox::Ok);
    }
    h.select(word);
    QCOMPARE(Steps::boxes(), messages);
    QCOMPARE(h.editor().mot_critere, criterion);
    QCOMPARE(h.ui().Text1->text(), shown);
    QCOMPARE(h.ui().deter->text(), shown == word ? QStringLiteral("le") : QStringLiteral("der"));
}

void TestBrowsing::arrowKeys()
{
    Harness h;
    QVERIFY(h.start({{"Zug", "der"}, {"Bahn", "die"}, {"Auto", "das"}}));
    Steps::showWindow(h);
    h.select(QStringLiteral("Auto"));
    ListBox* list = h.ui().List1;
    list->setFocus();

    const std::pair<Qt::Key, QStringList> moves[] = {
        {Qt::Key_Down, {"Bahn", "die"}},
        {Qt::Key_Down, {"Zug", "der"}},
        {Qt::Key_Up, {"Bahn", "die"}},
        {Qt::Key_Home, {"Auto", "das"}},
    };
    for (const auto& [key, fields] : moves) {
        QTest::keyClick(list, key);
        QCOMPARE((QStringList{h.ui().Text1->text(), h.ui().deter->text()}), fields);
    }
}

void TestBrowsing::selectionHidesIconPicker()
{
    Harness h;
    QVERIFY(h.startWords({QStringLiteral("Auto"), QStringLiteral("Zug")}));
    h.ui().Dir1->show();
    h.ui().File1->show();
    h.ui().List2->show();
    h.select(QStringLiteral("Zug"));
    QVERIFY(h.ui().Dir1->isHidden());
    QVERIFY(h.ui().File1->isHidden());
    // The theme list is not the selection's business.
    QVERIFY(!h.ui().List2->isHidden());
    QCOMPARE(h.ui().Text1->text(), QStringLiteral("Zug"));
}

// Commands that show another record leave the list's highlight where it
// was; a click on the highlighted word must still show that word.
void TestBrowsing::clickOnHighlightedWord_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("after Abbruch") << QStringList{"new", "cancel"};
    QTest::newRow("after raz") << QStringList{"yes", "raz"};
}

void TestBrowsing::clickOnHighlightedWord()
{
    QFETCH(QStringList, steps);

    Harness h;
    QVERIFY(h.start({{"Zug", "der"}, {"Auto", "das"}, {"Haus", "das"}}));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), QStringList{"select:Auto"} + steps);
    Steps::boxes();
    QCOMPARE(h.ui().Text1->text(), QStringLiteral("Haus"));
    QCOMPARE(h.ui().List1->entry(h.ui().List1->listIndex()), QStringLiteral("Auto"));
    Steps::clickEntry(h.ui().List1, QStringLiteral("Auto"));
    QCOMPARE(h.ui().Text1->text(), QStringLiteral("Auto"));
}

QTEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"
