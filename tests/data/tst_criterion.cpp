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
        Fixtures::columns<QString, QString, QString>("criterion", "value", "result");
        row("equal ignores case", "mot='haus'", "Haus", "yes");
        row("equal umlaut case", "mot='über'", "Über", "yes");
        row("equal is whole value", "mot='Hau'", "Haus", "no");
        row("equal doubled apostrophe", "mot='l''eau'", "l'eau", "yes");
        row("equal no wildcards", "mot='H*'", "Haus", "no");
        row("equal empty value", "mot=''", "", "yes");
        row("begins", "mot like'ab*'", "Abend", "yes");
        row("begins not inside", "mot like'ab*'", "Haben", "no");
        row("ends", "mot like'*ab'", "Grab", "yes");
        row("contains", "mot like'*ab*'", "Haben", "yes");
        row("star alone", "mot like'*'", "", "yes");
        row("star inside", "mot like'a*e*'", "Apfelbaum", "yes");
        row("question", "mot like'H?us'", "Haus", "yes");
        row("digit", "mot like'Zug#'", "Zug7", "yes");
        row("list hit", "mot like'[mh]aus'", "Maus", "yes");
        row("range", "mot like'[a-c]*'", "Bär", "yes");
        row("negated range", "mot like'[!a-c]*'", "Bär", "no");
        row("bracketed star is literal", "mot like'a[*]'", "a*", "yes");
        row("theme inside", "theme like'*Tier*'", "Haustiere", "yes");
        row("mark", "[mot marque]='O'", "O", "yes");
        row("blanks count", "mot like'Haus'", "Haus ", "no");
        row("keyword case", "mot LIKE 'ab*'", "abc", "yes");
        row("null, equal empty", "mot=''", "<null>", "no");
        row("apostrophe in value", "mot='l'eau'", "", "malformed");
        row("unclosed value", "mot='Haus", "", "malformed");
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
        const auto parsed = Criterion::parse(criterion);
        QCOMPARE(parsed.error.isEmpty(), parsed.ok);
        const QString result =
            !parsed                                                                  ? "malformed"
            : parsed.value.matches(value == "<null>" ? QVariant() : QVariant(value)) ? "yes"
                                                                                     : "no";
        QTEST(result, "result");
    }
};

QTEST_MAIN(TestCriterion)
#include "tst_criterion.moc"
