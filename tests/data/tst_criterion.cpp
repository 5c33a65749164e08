#include "Fixtures.h"
#include "data/Criterion.h"

#include <QtTest>

using Fixtures::row;

class TestCriterion : public QObject
{
    Q_OBJECT

private slots:
    // "<null>": an empty field, never matched.
    void matching_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("result");
        row("equal same", "mot='Haus'", "Haus", "yes");
        row("equal ignores case", "mot='haus'", "Haus", "yes");
        row("equal umlaut case", "mot='über'", "Über", "yes");
        row("equal is whole value", "mot='Hau'", "Haus", "no");
        row("equal doubled apostrophe", "mot='l''eau'", "l'eau", "yes");
        row("equal no wildcards", "mot='H*'", "Haus", "no");
        row("equal empty value", "mot=''", "", "yes");
        row("begins", "mot like'ab*'", "Abend", "yes");
        row("begins lower", "mot like'ab*'", "abends", "yes");
        row("begins not inside", "mot like'ab*'", "Haben", "no");
        row("ends", "mot like'*ab'", "Grab", "yes");
        row("ends not begin", "mot like'*ab'", "Abend", "no");
        row("contains", "mot like'*ab*'", "Haben", "yes");
        row("contains umlaut case", "mot like'*Ä*'", "Bär", "yes");
        row("star alone", "mot like'*'", "", "yes");
        row("two stars", "mot like'**'", "x", "yes");
        row("star inside", "mot like'a*e*'", "Apfelbaum", "yes");
        row("star inside fails", "mot like'a*e'", "Apfelbaum", "no");
        row("question", "mot like'H?us'", "Haus", "yes");
        row("question needs one", "mot like'Ha?s'", "Has", "no");
        row("digit", "mot like'Zug#'", "Zug7", "yes");
        row("digit not letter", "mot like'Zug#'", "ZugA", "no");
        row("list", "mot like'[bh]aus'", "Maus", "no");
        row("list hit", "mot like'[mh]aus'", "Maus", "yes");
        row("range", "mot like'[a-c]*'", "Bär", "yes");
        row("negated range", "mot like'[!a-c]*'", "Bär", "no");
        row("bracketed star is literal", "mot like'a[*]'", "a*", "yes");
        row("bracketed star not any", "mot like'a[*]'", "ab", "no");
        row("theme inside", "theme like'*Tier*'", "Haustiere", "yes");
        row("mark", "[mot marque]='O'", "O", "yes");
        row("mark N", "[mot marque]='O'", "N", "no");
        row("blanks count", "mot like'Haus'", "Haus ", "no");
        row("keyword case", "mot LIKE 'ab*'", "abc", "yes");
        row("null, equal empty", "mot=''", "<null>", "no");
        row("null, star alone", "mot like'*'", "<null>", "no");
        row("apostrophe in value", "mot='l'eau'", "", "malformed");
        row("search text with quote", "mot like'ab'c*'", "", "malformed");
        row("unclosed value", "mot='Haus", "", "malformed");
        row("unclosed bracket", "mot like'[ab*'", "", "malformed");
        row("unclosed field bracket", "[mot marque='O'", "", "malformed");
        row("no operator", "mot 'Haus'", "", "malformed");
        row("no field", "='Haus'", "", "malformed");
        row("empty", "", "", "malformed");
        row("sql injection", "mot='x' OR 1=1 --'", "", "malformed");
    }
    void matching()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, value);
        QString error;
        const auto parsed = Criterion::parse(criterion, &error);
        QCOMPARE(error.isEmpty(), parsed.has_value());
        const QString result = !parsed ? "malformed"
                               : parsed->matches(value == "<null>" ? QVariant() : QVariant(value))
                                   ? "yes"
                                   : "no";
        QTEST(result, "result");
    }

    void parsedParts_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        row("word", "mot='l''eau'", "mot", "l'eau");
        row("bracketed field", "[mot marque]='O'", "mot marque", "O");
        row("like without blank", "theme like'*Tiere*'", "theme", "*Tiere*");
    }
    void parsedParts()
    {
        QFETCH(QString, criterion);
        const auto parsed = Criterion::parse(criterion);
        QVERIFY(parsed.has_value());
        QTEST(parsed->field(), "field");
        QTEST(parsed->value(), "value");
    }
};

QTEST_MAIN(TestCriterion)
#include "tst_criterion.moc"
