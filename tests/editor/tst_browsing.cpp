// The start of the main window (title, word and theme lists, count, word
// limit) and browsing the words: a selection shows its word's record through
// the bound fields; apostrophes are doubled for the lookup.
#include "EditorSteps.h"

using Steps::row;

class TestBrowsing : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

    static QString shown(Harness& h)
    {
        Form1Ui& ui = h.ui();
        return QStringList{ui.Text1->text(), ui.deter->text(), ui.cat->text(), ui.theme->text(),
                           ui.mot_marque->caption()}
            .join(u'|');
    }

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    void titleAndThemes()
    {
        Harness h;
        QVERIFY(h.start({{"Haus"}}, {"Tiere", "", "Berufe", "Tiere"}));
        QCOMPARE(h.form().windowTitle(), QStringLiteral("LEXA Version 4.00.0001"));
        QStringList themes;
        for (int i = 0; i < h.ui().List2->entryCount(); ++i) {
            themes.append(h.ui().List2->entry(i));
        }
        QCOMPARE(themes, (QStringList{"", "Berufe", "Tiere", "Tiere"}));
        QVERIFY(h.ui().List2->isHidden());
    }

    void wordList_data()
    {
        QTest::addColumn<QList<WordRow>>("rows");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("shown"); // word|article
        QTest::addColumn<QString>("criterion");
        row("empty word counted, not listed", QList<WordRow>{{"Zug", "der"}, {"Auto", "das"}, {""}},
            3, QStringList{"Auto", "Zug"}, "Auto|das", "Auto");
        row("word without value", QList<WordRow>{{QVariant()}, {"Tor", "das"}}, 2,
            QStringList{"Tor"}, "Tor|das", "Tor");
        row("no record", QList<WordRow>(), 0, QStringList(), "|", "");
        row("only an empty word", QList<WordRow>{{""}}, 1, QStringList(), "|", "");
        row("twice held, twice listed", QList<WordRow>{{"Haus", "das"}, {"Haus", "der"}}, 2,
            QStringList{"Haus", "Haus"}, "Haus|das", "Haus");
        row("apostrophe in the first word", QList<WordRow>{{"Zug", "der"}, {"l'eau", "le"}}, 2,
            QStringList{"l'eau", "Zug"}, "l'eau|le", "l''eau");
    }
    void wordList()
    {
        QFETCH(QList<WordRow>, rows);
        QFETCH(int, count);
        Harness h;
        QVERIFY(h.start(rows));
        QCOMPARE(h.ui().nbre_enr->caption(), QString::number(count));
        QCOMPARE(h.editor().nb_mots, count);
        QTEST(h.listed(), "listed");
        QTEST(h.ui().Text1->text() + u'|' + h.ui().deter->text(), "shown");
        QTEST(h.editor().mot_critere, "criterion");
        QCOMPARE(h.ui().List1->listIndex(), -1);
    }

    void wordLimit_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("firstEmpty"); // records are examined, not words
        QTest::addColumn<int>("listed");
        row("5440 records", 5440, false, 5440);
        row("5441 records", 5441, false, 5441);
        row("6000 records, first empty", 6000, true, 5440);
    }
    void wordLimit()
    {
        QFETCH(int, records);
        QFETCH(int, listed);
        QList<WordRow> rows;
        for (int i = 0; i < records; ++i) {
            rows.append(WordRow{QStringLiteral("w%1").arg(i, 5, 10, QLatin1Char('0'))});
        }
        QFETCH(bool, firstEmpty);
        if (firstEmpty) {
            rows[0].mot = QString();
        }
        Harness h;
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(h.start(rows));
        const QString limit = QStringLiteral("Das Wörterbuch kann nur 5439 Wörter enthalten!");
        QCOMPARE(Steps::boxes(), records > 5440 ? QStringList{limit} : QStringList());
        QCOMPARE(h.ui().List1->entryCount(), listed);
        QCOMPARE(h.ui().List1->entry(listed - 1), records > 5440 ? "w05440" : "w05439");
        QCOMPARE(h.ui().nbre_enr->caption(), QString::number(records));
        QCOMPARE(h.ui().Text1->text(), h.ui().List1->entry(0));
    }

    void selectionShowsRecord_data()
    {
        QTest::addColumn<QStringList>("selections"); // #2: the second entry of that word
        QTest::addColumn<QString>("fields");         // word|article|category|theme|mark
        QTest::addColumn<unsigned>("iconColour");    // 0: no icon
        row("full record", QStringList{"Haus"}, "Haus|das|3|Gebäude|O", 0xFF0000u);
        row("empty fields after a full record", QStringList{"Haus", "Ziel"}, "Ziel||||N", 0u);
        // A word held twice shows the record that comes first in the table;
        // letter case is ignored by the lookup.
        row("duplicate, first entry", QStringList{"Tor"}, "Tor|das|||N", 0u);
        row("duplicate, second entry", QStringList{"Ziel", "Tor#2"}, "Tor|das|||N", 0u);
        row("case variant", QStringList{"tür"}, "Tür|die|||N", 0u);
    }
    void selectionShowsRecord()
    {
        QFETCH(QStringList, selections);
        QFETCH(unsigned, iconColour);
        Harness h;
        QVERIFY(h.start({{"Auto", "das", "1", "Verkehr", "N", Steps::icon(0x0000FF)},
                         {"Tor", "das"},
                         {"Haus", "das", "3", "Gebäude", "O", Steps::icon(0xFF0000)},
                         {"Tür", "die"},
                         {"Tor", "der", "9", "Sport", "O"},
                         {"Ziel"},
                         {"tür", "DIE"}}));
        for (const QString& word : selections) {
            if (word.endsWith(QLatin1String("#2"))) {
                h.ui().List1->setListIndex(h.listed().lastIndexOf(word.chopped(2)));
            } else {
                h.select(word);
            }
        }
        QTEST(shown(h), "fields");
        QCOMPARE(h.ui().image1->picture(),
                 iconColour == 0 ? QByteArray() : Steps::icon(iconColour));
    }

    void apostrophes_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("criterion");
        row("inside", "l'eau", "l''eau");
        row("first", "'s", "''s");
        row("typographic", "l’eau", "l’eau");
        // Refused: the raw word is kept and the record shown stays.
        row("two", "ab'cd'ef", "ab'cd'ef");
    }
    void apostrophes()
    {
        QFETCH(QString, word);
        Harness h;
        QVERIFY(h.start({{"A", "der"}, {word, "le"}, {"Zug"}}));
        h.select(QStringLiteral("A"));
        const bool refused = word.count(u'\'') > 1;
        if (refused) {
            MessageBox::setNextAnswer(QMessageBox::Ok);
        }
        h.select(word);
        QCOMPARE(Steps::boxes(), refused ? QStringList{"ungüldiges Wort!"} : QStringList());
        QTEST(h.editor().mot_critere, "criterion");
        QCOMPARE(shown(h).section(u'|', 0, 1), refused ? "A|der" : word + "|le");
    }

    // Commands that show another record leave the list's highlight where it
    // was; a click on the highlighted word must still show that word.
    void clickOnHighlightedWord_data()
    {
        QTest::addColumn<QString>("steps");
        row("after Abbruch", "new;cancel");
        row("after raz", "yes;raz");
    }
    void clickOnHighlightedWord()
    {
        QFETCH(QString, steps);
        Harness h;
        QVERIFY(h.start({{"Zug", "der"}, {"Auto", "das"}, {"Haus", "das"}}));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), "select:Auto;" + steps);
        Steps::boxes();
        QCOMPARE(h.ui().Text1->text(), QStringLiteral("Haus"));
        QCOMPARE(h.ui().List1->entry(h.ui().List1->listIndex()), QStringLiteral("Auto"));
        Steps::clickEntry(h.ui().List1, QStringLiteral("Auto"));
        QCOMPARE(h.ui().Text1->text(), QStringLiteral("Auto"));
    }
};

QTEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"
