// The start of the main window (title, word and theme lists, count, word
// limit) and browsing the words: a selection shows its word's record through
// the bound fields; apostrophes are doubled for the lookup.
#include "EditorSteps.h"

using Steps::row;

class TestBrowsing : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    // The themes are listed sorted, empty and repeated ones too, and hidden;
    // `expected`: see Steps::check.
    void wordList_data()
    {
        Fixtures::columns<QList<WordRow>, int, QStringList, QString>("rows", "count", "listed",
                                                                     "expected");
        row("empty word counted, not listed", QList<WordRow>{{"Zug", "der"}, {"Auto", "das"}, {""}},
            3, QStringList{"Auto", "Zug"}, "shown=Auto|das|||N|;criterion=Auto");
        row("word without value", QList<WordRow>{{QVariant()}, {"Tor", "das"}}, 2,
            QStringList{"Tor"}, "shown=Tor|das|||N|;criterion=Tor");
        row("no record", QList<WordRow>(), 0, QStringList(), "shown=|||||;criterion=");
        row("only an empty word", QList<WordRow>{{""}}, 1, QStringList(), "shown=||||N|");
        row("twice held, twice listed", QList<WordRow>{{"Haus", "das"}, {"Haus", "der"}}, 2,
            QStringList{"Haus", "Haus"}, "shown=Haus|das|||N|");
        row("apostrophe in the first word", QList<WordRow>{{"Zug", "der"}, {"l'eau", "le"}}, 2,
            QStringList{"l'eau", "Zug"}, "shown=l'eau|le|||N|;criterion=l''eau");
    }
    void wordList()
    {
        QFETCH(QList<WordRow>, rows);
        QFETCH(int, count);
        Harness h;
        QVERIFY(h.start(rows, {"Tiere", "", "Berufe", "Tiere"}));
        QCOMPARE(h.form().windowTitle(), QStringLiteral("LEXA Version 4.00.0001"));
        QCOMPARE(Harness::entries(h.ui().List2), (QStringList{"", "Berufe", "Tiere", "Tiere"}));
        QVERIFY(h.ui().List2->isHidden());
        QCOMPARE(h.ui().nbre_enr->caption(), QString::number(count));
        QCOMPARE(h.editor().nb_mots, count);
        QTEST(h.listed(), "listed");
        QCOMPARE(h.ui().List1->listIndex(), -1);
        QFETCH(QString, expected);
        Steps::check(h, expected);
    }

    void wordLimit_data()
    {
        // firstEmpty: records are examined, not words.
        Fixtures::columns<int, bool, int>("records", "firstEmpty", "listed");
        row("5440 records", 5440, false, 5440);
        row("5441 records", 5441, false, 5441);
        // More records than the 16-bit counters hold, one word of 10,000 characters.
        row("33000 records, first empty", 33000, true, 5440);
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
            rows[1].mot = QString(10'000, u'a');
        }
        Harness h;
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QVERIFY(h.start(rows));
        const QString limit = QStringLiteral("Das Wörterbuch kann nur 5439 Wörter enthalten!");
        QCOMPARE(MessageBox::takeAnswered(), records > 5440 ? QStringList{limit} : QStringList());
        QCOMPARE(h.ui().List1->entryCount(), listed);
        QCOMPARE(h.ui().List1->entry(listed - 1), records > 5440 ? "w05440" : "w05439");
        QCOMPARE(h.ui().nbre_enr->caption(), QString::number(records));
        QCOMPARE(h.ui().Text1->text(), h.ui().List1->entry(0));
    }

    void selection_data()
    {
        Fixtures::columns<QString, QString>("steps", "expected"); // see Steps::check
        const QString haus = "shown=Haus|das|Gebäude|3|O|ff0000";
        row("full record", "select:Haus", haus);
        row("empty fields after a full record", "select:Haus;select:Ziel", "shown=Ziel||||N|");
        // Each entry stands for its own record, also where two words are
        // equal or differ only in letter case.
        row("duplicate, second entry", "select:Ziel;select:Tor#2", "shown=Tor|der|Sport|9|O|");
        row("rename one of a word listed twice", "select:Tor;modify;word:Tore;apply",
            "entries='s,ab'cd'ef,Auto,Haus,l'eau,l’eau,Tor,Tore,Tür,tür,Ziel;"
            "mot=Auto,Tore,Haus,Tür,Tor,Ziel,tür,l'eau,'s,l’eau,ab'cd'ef");
        row("case variant", "select:tür", "shown=tür|DIE|||N|;highlight=tür");
        row("modify a case variant", "select:tür;modify;article:die;apply;select:Tür",
            "determinant=das,das,das,die,der,<null>,die,le,le,le,le;shown=Tür|die|||N|");
        row("delete a case variant, undo", "select:tür;yes;delete",
            "entries='s,ab'cd'ef,Auto,Haus,l'eau,l’eau,Tor,Tor,Tür,Ziel;"
            "mot=Auto,Tor,Haus,Tür,Tor,Ziel,l'eau,'s,l’eau,ab'cd'ef;boxes=Wort löschen? ");
        row("delete a case variant, undone", "select:tür;yes;delete;undo",
            "mot=Auto,Tor,Haus,Tür,Tor,Ziel,tür,l'eau,'s,l’eau,ab'cd'ef;shown=tür|DIE|||N|;"
            "highlight=tür;boxes=Wort löschen? ");
        // A word with two apostrophes is refused: the raw word is kept and
        // the record shown stays.
        row("apostrophe inside", "select:l'eau", "criterion=l''eau;shown=l'eau|le|||N|");
        row("typographic apostrophe", "select:l’eau", "criterion=l’eau;shown=l’eau|le|||N|");
        row("two apostrophes", "select:Haus;ok;select:ab'cd'ef",
            "boxes=ungüldiges Wort!;criterion=ab'cd'ef;" + haus);
    }
    void selection()
    {
        QFETCH(QString, steps);
        Harness h;
        QVERIFY(h.start({{"Auto", "das", "1", "Verkehr", "N", Steps::icon(0x0000FF)},
                         {"Tor", "das"},
                         {"Haus", "das", "3", "Gebäude", "O", Steps::icon(0xFF0000)},
                         {"Tür", "die"},
                         {"Tor", "der", "9", "Sport", "O"},
                         {"Ziel"},
                         {"tür", "DIE"},
                         {"l'eau", "le"},
                         {"'s", "le"},
                         {"l’eau", "le"},
                         {"ab'cd'ef", "le"}}));
        Steps::showWindow(h);
        Steps::runAll(h.ui(), steps);
        QFETCH(QString, expected);
        Steps::check(h, expected);
    }
};

QTEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"
