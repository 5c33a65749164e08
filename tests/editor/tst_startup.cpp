// The load step of the main window: title, colour, place, the word and theme
// lists, the word count, the word limit and the first word's record.
#include "EditorSteps.h"

#include <QScreen>

namespace {

const QString LimitMessage = QStringLiteral("Das Wörterbuch kann nur 5439 Wörter enthalten!");

QList<WordRow> numberedWords(int count)
{
    QList<WordRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        rows.append(WordRow{QStringLiteral("w%1").arg(i, 5, 10, QLatin1Char('0'))});
    }
    return rows;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }
    void versionText_data();
    void versionText();
    void titleColourAndPlace();
    void wordList_data();
    void wordList();
    void themeList();
    void wordLimit_data();
    void wordLimit();
    void importButtonHiddenWithoutFile();

private:
    Steps::UnexpectedBoxes m_boxes;
};

void TestStartup::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");
    QTest::newRow("4.0.1") << 4 << 0 << 1 << "4.00.0001";
    QTest::newRow("4.12.123") << 4 << 12 << 123 << "4.12.0123";
    QTest::newRow("full widths") << 10 << 99 << 9999 << "10.99.9999";
    QTest::newRow("zeros") << 0 << 0 << 0 << "0.00.0000";
}

void TestStartup::versionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, text);
    QCOMPARE(Editor::versionText(major, minor, revision), text);
}

void TestStartup::titleColourAndPlace()
{
    Harness h;
    QVERIFY(h.startWords({QStringLiteral("Haus")}));
    QCOMPARE(h.form().windowTitle(), QStringLiteral("LEXA Version 4.00.0001"));

    // Centred on the screen by its outer size.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect outer = h.form().frameGeometry();
    QVERIFY(qAbs(outer.left() - (screen.width() - outer.width()) / 2) <= 1);
    QVERIFY(qAbs(outer.top() - (screen.height() - outer.height()) / 2) <= 1);

    // The colour shows on the window's edge and on the panel between the
    // word list and the frame of the fields.
    const QImage image = h.form().grab().toImage();
    const QColor loaded(0xAD, 0xE7, 0xFF);
    QCOMPARE(image.pixelColor(1, 1), loaded);
    const QPoint panelSpot = h.ui().fond->mapTo(&h.form(), QPoint(180, 200));
    QCOMPARE(image.pixelColor(panelSpot), loaded);

    // The pointer is the arrow once the load step is done.
    QVERIFY(QGuiApplication::overrideCursor() != nullptr);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
}

void TestStartup::wordList_data()
{
    QTest::addColumn<QList<WordRow>>("rows");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("shownArticle");
    QTest::addColumn<QString>("criterion");

    QTest::newRow("empty word counted, not listed")
        << QList<WordRow>{{"Zug", "der"}, {"Auto", "das"}, {""}} << "3"
        << QStringList{"Auto", "Zug"} << "Auto"
        << "das"
        << "Auto";
    QTest::newRow("word without value")
        << QList<WordRow>{{QVariant()}, {"Tor", "das"}} << "2" << QStringList{"Tor"} << "Tor"
        << "das"
        << "Tor";
    QTest::newRow("no record") << QList<WordRow>() << "0" << QStringList() << ""
                               << ""
                               << "";
    QTest::newRow("only an empty word") << QList<WordRow>{{""}} << "1" << QStringList() << ""
                                        << ""
                                        << "";
    QTest::newRow("German order") << QList<WordRow>{{"Zug"}, {"Öl"}, {"Ofen"}, {"Apfel", "der"}}
                                  << "4" << QStringList{"Apfel", "Ofen", "Öl", "Zug"} << "Apfel"
                                  << "der"
                                  << "Apfel";
    QTest::newRow("twice held, twice listed") << QList<WordRow>{{"Haus", "das"}, {"Haus", "der"}}
                                              << "2" << QStringList{"Haus", "Haus"} << "Haus"
                                              << "das"
                                              << "Haus";
    QTest::newRow("apostrophe in the first word") << QList<WordRow>{{"Zug", "der"}, {"l'eau", "le"}}
                                                  << "2" << QStringList{"l'eau", "Zug"} << "l'eau"
                                                  << "le"
                                                  << "l''eau";
}

void TestStartup::wordList()
{
    QFETCH(QList<WordRow>, rows);
    QFETCH(QString, count);
    QFETCH(QStringList, listed);
    QFETCH(QString, shown);
    QFETCH(QString, shownArticle);
    QFETCH(QString, criterion);

    Harness h;
    Steps::answer(QMessageBox::Ok);
    QVERIFY(h.start(rows));
    QCOMPARE(Steps::boxes(), QStringList());
    QCOMPARE(h.ui().nbre_enr->caption(), count);
    QCOMPARE(h.editor().nb_mots, count.toInt());
    QCOMPARE(h.listed(), listed);
    QCOMPARE(h.ui().Text1->text(), shown);
    QCOMPARE(h.ui().deter->text(), shownArticle);
    QCOMPARE(h.editor().mot_critere, criterion);
    QCOMPARE(h.ui().List1->listIndex(), -1);
}

void TestStartup::themeList()
{
    Harness h;
    QVERIFY(h.start({{"Haus"}}, {"Tiere", "", "Berufe", "Tiere"}));
    QStringList themes;
    for (int i = 0; i < h.ui().List2->entryCount(); ++i) {
        themes.append(h.ui().List2->entry(i));
    }
    QCOMPARE(themes, (QStringList{"", "Berufe", "Tiere", "Tiere"}));
    QVERIFY(h.ui().List2->isHidden());
}

void TestStartup::wordLimit_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("firstEmpty");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("lastListed");

    QTest::newRow("5440 records") << 5440 << false << 5440 << QStringList() << "w05439";
    QTest::newRow("5441 records") << 5441 << false << 5441 << QStringList{LimitMessage} << "w05440";
    QTest::newRow("6000 records") << 6000 << false << 5441 << QStringList{LimitMessage} << "w05440";
    // Records are examined, not words: an empty one uses a place.
    QTest::newRow("6000 records, first empty")
        << 6000 << true << 5440 << QStringList{LimitMessage} << "w05440";
}

void TestStartup::wordLimit()
{
    QFETCH(int, records);
    QFETCH(bool, firstEmpty);
    QFETCH(int, listed);
    QFETCH(QStringList, messages);
    QFETCH(QString, lastListed);

    QList<WordRow> rows = numberedWords(records);
    if (firstEmpty) {
        rows[0].mot = QString();
    }
    Harness h;
    Steps::answer(QMessageBox::Ok);
    QVERIFY(h.start(rows));
    QCOMPARE(Steps::boxes(), messages);
    QCOMPARE(h.ui().List1->entryCount(), listed);
    QCOMPARE(h.ui().List1->entry(listed - 1), lastListed);
    QCOMPARE(h.ui().nbre_enr->caption(), QString::number(records));
    QCOMPARE(h.ui().Text1->text(), h.ui().List1->entry(0));
}

void TestStartup::importButtonHiddenWithoutFile()
{
    Harness h;
    QVERIFY(h.startWords({QStringLiteral("Haus")}));
    QVERIFY(h.ui().Command10->isHidden());
    QCOMPARE(h.editor().import_ok, 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
