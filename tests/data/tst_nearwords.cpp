#include "Fixtures.h"
#include "data/NearWords.h"

#include <QtTest>

using Fixtures::row;

namespace {

QString kindName(Nearness kind)
{
    switch (kind) {
    case Nearness::Same:
        return "same";
    case Nearness::Spelling:
        return "spelling";
    case Nearness::OneLetter:
        return "one letter";
    case Nearness::None:
        break;
    }
    return "no";
}

} // namespace

class TestNearWords : public QObject
{
    Q_OBJECT

private slots:
    void rule_data()
    {
        Fixtures::columns<QString, QString, QString>("a", "b", "kind");
        row("exact duplicate", "Haus", "Haus", "same");
        row("case alone", "Essen", "essen", "no");
        row("case alone, long", "Schließen", "schließen", "no");
        row("sharp s", "Straße", "Strasse", "spelling");
        row("sharp s, and says so", "Maße", "Masse", "spelling");
        row("capital sharp s", "STRAẞE", "STRASSE", "spelling");
        row("sharp s and case", "Fußball", "fussball", "spelling");
        row("a umlaut", "Bär", "Baer", "spelling");
        row("capital a umlaut", "Äpfel", "Aepfel", "spelling");
        row("o umlaut", "König", "Koenig", "spelling");
        row("capital o umlaut", "Öl", "Oel", "spelling");
        row("u umlaut", "Tür", "Tuer", "spelling");
        row("capital u umlaut", "Übung", "Uebung", "spelling");
        row("typographic apostrophe", "Ku’damm", "Ku'damm", "spelling");
        row("grave accent as apostrophe", "Ku`damm", "Ku'damm", "spelling");
        row("trailing blank", "Zirkuszelt ", "Zirkuszelt", "spelling");
        row("leading blank", " Zirkuszelt", "Zirkuszelt", "spelling");
        row("repeated blank", "rotes  Auto", "rotes Auto", "spelling");
        row("letter deleted", "Schmeterling", "Schmetterling", "one letter");
        row("letter replaced", "Schmettarling", "Schmetterling", "one letter");
        row("letters swapped", "Schmetetrling", "Schmetterling", "one letter");
        row("one letter, case aside", "schmeterling", "Schmetterling", "one letter");
        row("one letter after folding", "Fussbal", "Fußball", "no");
        row("one letter, long after folding", "Fussbälle", "Fußballe", "one letter");
        row("short words", "Hund", "Hunde", "no");
        row("short replaced", "Haus", "Maus", "no");
        row("seven letters", "Strasse", "Strase", "no");
        row("first letter", "baumelnde", "taumelnde", "no");
        row("inflection", "Schmetterling", "Schmetterlinge", "no");
        row("last two letters", "geordneter", "geordnetes", "no");
        row("two letters", "Schmetterling", "Schmeterlinq", "no");
        row("swap at the end", "Schmetterling", "Schmetterlign", "no");
        row("far longer than any word", QString(80, u'x') + "ab", QString(80, u'x') + "ba", "no");
    }
    void rule()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QTEST(kindName(nearness(a, b)), "kind");
        QTEST(kindName(nearness(b, a)), "kind");
    }

    // The index finds exactly the pairs the rule names, however the one
    // letter lies: its keys must cover every position the rule allows.
    void indexAgreesWithRule()
    {
        const QStringList words{
            "Schmetterling", "Schmeterling", "Schmettrerling", "Shcmetterling",  "Scmetterling",
            "Schmetterlnig", "Schmetterlin", "Schmetterlign",  "Schmetterlingx", "Straße",
            "Strasse",       "STRASSE",      "strasse",        "Zirkuszelt ",    "Zirkuszelt",
            "Abenteuern",    "Abenteurern",  "Maße",           "Masse",          "Essen",
            "essen",         "Fußballspiel", "Fussballspiele", "Fussbalspiel",   "abcdefgh",
            "abcdefhg",      "abcdfegh",     "acbdefgh",       "abcdefghi"};
        NearIndex index;
        for (const QString& word : words) {
            index.add(word);
        }
        for (const QString& word : words) {
            QStringList expected;
            for (const QString& other : words) {
                const Nearness kind = nearness(word, other);
                if (kind != Nearness::None && kind != Nearness::Same) {
                    expected.append(other);
                }
            }
            QCOMPARE(index.neighbours(word), expected);
        }
        index.remove("Strasse");
        QCOMPARE(index.neighbours("Straße"), QStringList({"STRASSE", "strasse"}));
        QCOMPARE(index.neighbours("Straße", 1), QStringList({"STRASSE"}));
    }

    // A text far longer than any word (an item of a broken word list) is
    // added and looked up at once: its keys would fill one chain.
    void hugeText()
    {
        NearIndex index;
        const QString huge(40000, u'a');
        QElapsedTimer clock;
        clock.start();
        index.add(huge);
        index.add("Schmetterling");
        QVERIFY(index.neighbours(huge + u'a').isEmpty());
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    }

    // "dismissed": pairs marked "Kein Duplikat", a/b; groups in the order
    // shown, words joined by +.
    void groups_data()
    {
        Fixtures::columns<QStringList, QStringList, QString>("words", "dismissed", "groups");
        const QStringList words{"Straße", "Haus", "Kiefer", "Strasse", "Hund",
                                "Kiefer", "Maße", "Masse",  "Tür",     "Tuer"};
        row("exact duplicates first", words, QStringList(),
            "Kiefer+Kiefer, Masse+Maße, Strasse+Straße, Tuer+Tür");
        row("dismissed pairs left out", words, QStringList{"Kiefer/Kiefer", "Tür/Tuer"},
            "Masse+Maße, Strasse+Straße");
        // MASSE and Masse differ in letter case only: Maße joins them.
        row("near through a third word", QStringList{"Maße", "Hund", "Masse", "MASSE"},
            QStringList(), "MASSE+Masse+Maße");
        row("one pair of three dismissed", QStringList{"Maße", "Masse", "MASSE"},
            QStringList{"Maße/Masse"}, "MASSE+Maße");
        row("a repeated word near another", QStringList{"Tür", "Tuer", "Tür"},
            QStringList{"Tür/Tür"}, "Tuer+Tür+Tür");
        row("none", QStringList{"Essen", "essen", "Hund", "Hunde"}, QStringList(), "");
    }
    void groups()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, dismissed);
        QSet<QString> keys;
        for (const QString& pair : dismissed) {
            keys.insert(notDuplicateKey(pair.section('/', 0, 0), pair.section('/', 1)));
        }
        QStringList shown;
        for (const auto& group : nearGroups(words, keys)) {
            QStringList members;
            for (const qsizetype at : group) {
                members.append(words[at]);
            }
            shown.append(members.join('+'));
        }
        QTEST(shown.join(", "), "groups");
    }
};

QTEST_MAIN(TestNearWords)
#include "tst_nearwords.moc"
