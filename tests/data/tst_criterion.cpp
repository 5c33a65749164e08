#include "data/Criterion.h"

#include <QtTest>

class TestCriterion : public QObject
{
    Q_OBJECT

private slots:
    void matching_data();
    void matching();
    void malformed_data();
    void malformed();
    void parsedParts_data();
    void parsedParts();
    void nullNeverMatches();
};

void TestCriterion::matching_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("matches");

    QTest::newRow("equal same") << "mot='Haus'"
                                << "Haus" << true;
    QTest::newRow("equal ignores case") << "mot='haus'"
                                        << "Haus" << true;
    QTest::newRow("equal umlaut case") << "mot='über'"
                                       << "Über" << true;
    QTest::newRow("equal is whole value") << "mot='Hau'"
                                          << "Haus" << false;
    QTest::newRow("equal doubled apostrophe") << "mot='l''eau'"
                                              << "l'eau" << true;
    QTest::newRow("equal no wildcards") << "mot='H*'"
                                        << "Haus" << false;
    QTest::newRow("equal empty value") << "mot=''"
                                       << "" << true;
    QTest::newRow("begins") << "mot like'ab*'"
                            << "Abend" << true;
    QTest::newRow("begins lower") << "mot like'ab*'"
                                  << "abends" << true;
    QTest::newRow("begins not inside") << "mot like'ab*'"
                                       << "Haben" << false;
    QTest::newRow("ends") << "mot like'*ab'"
                          << "Grab" << true;
    QTest::newRow("ends not begin") << "mot like'*ab'"
                                    << "Abend" << false;
    QTest::newRow("contains") << "mot like'*ab*'"
                              << "Haben" << true;
    QTest::newRow("contains umlaut case") << "mot like'*Ä*'"
                                          << "Bär" << true;
    QTest::newRow("star alone") << "mot like'*'"
                                << "" << true;
    QTest::newRow("two stars") << "mot like'**'"
                               << "x" << true;
    QTest::newRow("star inside") << "mot like'a*e*'"
                                 << "Apfelbaum" << true;
    QTest::newRow("star inside fails") << "mot like'a*e'"
                                       << "Apfelbaum" << false;
    QTest::newRow("question") << "mot like'H?us'"
                              << "Haus" << true;
    QTest::newRow("question needs one") << "mot like'Ha?s'"
                                        << "Has" << false;
    QTest::newRow("digit") << "mot like'Zug#'"
                           << "Zug7" << true;
    QTest::newRow("digit not letter") << "mot like'Zug#'"
                                      << "ZugA" << false;
    QTest::newRow("list") << "mot like'[bh]aus'"
                          << "Maus" << false;
    QTest::newRow("list hit") << "mot like'[mh]aus'"
                              << "Maus" << true;
    QTest::newRow("range") << "mot like'[a-c]*'"
                           << "Bär" << true;
    QTest::newRow("negated range") << "mot like'[!a-c]*'"
                                   << "Bär" << false;
    QTest::newRow("bracketed star is literal") << "mot like'a[*]'"
                                               << "a*" << true;
    QTest::newRow("bracketed star not any") << "mot like'a[*]'"
                                            << "ab" << false;
    QTest::newRow("theme inside") << "theme like'*Tier*'"
                                  << "Haustiere" << true;
    QTest::newRow("mark") << "[mot marque]='O'"
                          << "O" << true;
    QTest::newRow("mark N") << "[mot marque]='O'"
                            << "N" << false;
    QTest::newRow("blanks count") << "mot like'Haus'"
                                  << "Haus " << false;
    QTest::newRow("keyword case") << "mot LIKE 'ab*'"
                                  << "abc" << true;
}

void TestCriterion::matching()
{
    QFETCH(QString, criterion);
    QFETCH(QString, value);
    QFETCH(bool, matches);
    QString error;
    const auto parsed = Criterion::parse(criterion, &error);
    QVERIFY2(parsed.has_value(), qPrintable(error));
    QCOMPARE(parsed->matches(value), matches);
}

void TestCriterion::malformed_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::newRow("apostrophe in value") << "mot='l'eau'";
    QTest::newRow("search text with quote") << "mot like'ab'c*'";
    QTest::newRow("unclosed value") << "mot='Haus";
    QTest::newRow("unclosed bracket") << "mot like'[ab*'";
    QTest::newRow("unclosed field bracket") << "[mot marque='O'";
    QTest::newRow("no operator") << "mot 'Haus'";
    QTest::newRow("no field") << "='Haus'";
    QTest::newRow("empty") << "";
    QTest::newRow("sql injection") << "mot='x' OR 1=1 --'";
}

void TestCriterion::malformed()
{
    QFETCH(QString, criterion);
    QString error;
    QVERIFY(!Criterion::parse(criterion, &error).has_value());
    QVERIFY(!error.isEmpty());
}

void TestCriterion::parsedParts_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("word") << "mot='l''eau'"
                          << "mot"
                          << "l'eau";
    QTest::newRow("bracketed field") << "[mot marque]='O'"
                                     << "mot marque"
                                     << "O";
    QTest::newRow("like without blank") << "theme like'*Tiere*'"
                                        << "theme"
                                        << "*Tiere*";
}

void TestCriterion::parsedParts()
{
    QFETCH(QString, criterion);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const auto parsed = Criterion::parse(criterion);
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->field(), field);
    QCOMPARE(parsed->value(), value);
}

void TestCriterion::nullNeverMatches()
{
    for (const QString& text : {QStringLiteral("mot=''"), QStringLiteral("mot like'*'")}) {
        const auto parsed = Criterion::parse(text);
        QVERIFY(parsed.has_value());
        QVERIFY(!parsed->matches(QVariant()));
    }
}

QTEST_MAIN(TestCriterion)
#include "tst_criterion.moc"
