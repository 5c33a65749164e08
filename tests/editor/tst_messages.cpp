// The message boxes of the main window as the user sees them: text, title,
// icon, buttons and default button.
#include "EditorSteps.h"

namespace {

QList<WordRow> dictionary(int extraWords)
{
    QList<WordRow> rows{{"Auto"}, {"Haus"}, {"zz'c'd"}};
    for (int i = 0; i < extraWords; ++i) {
        rows.append(WordRow{QStringLiteral("w%1").arg(i, 5, 10, QLatin1Char('0'))});
    }
    return rows;
}

using Answers = QList<QMessageBox::StandardButton>;

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }
    void boxes_data();
    void boxes();

private:
    Steps::UnexpectedBoxes m_boxes;
};

void TestMessages::boxes_data()
{
    QTest::addColumn<int>("extraWords");
    QTest::addColumn<QByteArray>("importFile");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<QStringList>("seen");

    QTest::newRow("word limit")
        << 5438 << QByteArray() << QStringList() << Answers{QMessageBox::Ok}
        << QStringList{"Das Wörterbuch kann nur 5439 Wörter enthalten!|LEXA|none|Ok|Ok"};
    QTest::newRow("two apostrophes")
        << 0 << QByteArray() << QStringList{"select:zz'c'd"} << Answers{QMessageBox::Ok}
        << QStringList{"ungüldiges Wort!|LEXA|none|Ok|Ok"};
    QTest::newRow("empty word") << 0 << QByteArray() << QStringList{"new", "add"}
                                << Answers{QMessageBox::Ok}
                                << QStringList{"Die Wörterzone ist leer!|LEXA|none|Ok|Ok"};
    QTest::newRow("listed word") << 0 << QByteArray() << QStringList{"new", "word:Haus", "add"}
                                 << Answers{QMessageBox::Ok}
                                 << QStringList{
                                        "Diese Wort ist schon im Wörterbuch!|LEXA|none|Ok|Ok"};
    QTest::newRow("delete") << 0 << QByteArray() << QStringList{"select:Haus", "delete"}
                            << Answers{QMessageBox::Yes}
                            << QStringList{"Wort löschen? |LEXA|warning|Yes No|Yes"};
    QTest::newRow("raz") << 0 << QByteArray() << QStringList{"raz"} << Answers{QMessageBox::No}
                         << QStringList{"Markierung desaktivieren?|LEXA|none|Yes No|Yes"};
    QTest::newRow("import") << 0 << QByteArray("Bahn\r\n") << QStringList{"import"}
                            << Answers{QMessageBox::Yes, QMessageBox::Ok}
                            << QStringList{
                                   "Die Wörter der Datei <listemot.txt> dem Wörterbuch "
                                   "beifügen?|LEXA|none|Yes No|Yes",
                                   " 1 Wörter wurden dem Wörterbuch beigefügt!|LEXA|none|Ok|Ok"};
    QTest::newRow("import, nothing new")
        << 0 << QByteArray("Auto\r\n") << QStringList{"import"}
        << Answers{QMessageBox::Yes, QMessageBox::Ok}
        << QStringList{
               "Die Wörter der Datei <listemot.txt> dem Wörterbuch "
               "beifügen?|LEXA|none|Yes No|Yes",
               "Die Wörter der Datei <listemot.txt> waren schon im Wörterbuch!|LEXA|none|Ok|Ok"};
}

void TestMessages::boxes()
{
    QFETCH(int, extraWords);
    QFETCH(QByteArray, importFile);
    QFETCH(QStringList, steps);
    QFETCH(Answers, answers);
    QFETCH(QStringList, seen);

    for (const auto answer : answers) {
        m_boxes.plan(answer);
    }
    Harness h;
    QVERIFY(h.start(dictionary(extraWords), {"Tiere"}, importFile));
    Steps::showWindow(h);
    Steps::runAll(h.ui(), steps);
    QCOMPARE(m_boxes.takeSeen(), seen);
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
