// The items of a word list file: comma- and line-separated, blanks before an
// item skipped, double quotes around items that hold commas or blanks.
#include "editor/ImportList.h"

#include <QtTest>

using Items = std::optional<QStringList>;

namespace {

QByteArray numberedLines(int first, int count)
{
    QByteArray bytes;
    for (int i = first; i < first + count; ++i) {
        bytes += "w" + QByteArray::number(i) + "\r\n";
    }
    return bytes;
}

QStringList numbered(int first, int count)
{
    QStringList words;
    for (int i = first; i < first + count; ++i) {
        words.append(QStringLiteral("w%1").arg(i));
    }
    return words;
}

} // namespace

class TestImportList : public QObject
{
    Q_OBJECT

private slots:
    void items_data();
    void items();
};

void TestImportList::items_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<Items>("expected");

    QTest::newRow("empty file") << QByteArray() << 400 << Items(QStringList());
    QTest::newRow("commas") << QByteArray("Apfel,Birne,Zug") << 400
                            << Items(QStringList{"Apfel", "Birne", "Zug"});
    QTest::newRow("line ends") << QByteArray("Apfel\r\nBirne\r\n") << 400
                               << Items(QStringList{"Apfel", "Birne"});
    QTest::newRow("no line end at the end")
        << QByteArray("Apfel\r\nBirne") << 400 << Items(QStringList{"Apfel", "Birne"});
    QTest::newRow("commas and line ends")
        << QByteArray("a,b\r\nc,d\r\n") << 400 << Items(QStringList{"a", "b", "c", "d"});
    QTest::newRow("line feeds only")
        << QByteArray("Apfel\nBirne\n") << 400 << Items(QStringList{"Apfel", "Birne"});
    QTest::newRow("blanks before items") << QByteArray("  Apfel,\tBirne, \t Zug\r\n") << 400
                                         << Items(QStringList{"Apfel", "Birne", "Zug"});
    QTest::newRow("blanks inside an item")
        << QByteArray("guten Tag\r\n") << 400 << Items(QStringList{"guten Tag"});
    QTest::newRow("quoted comma and blank") << QByteArray("\"Kaffee, schwarz\",Tee\r\n") << 400
                                            << Items(QStringList{"Kaffee, schwarz", "Tee"});
    QTest::newRow("quoted blanks kept")
        << QByteArray("\"  Tee \"\r\n") << 400 << Items(QStringList{"  Tee "});
    QTest::newRow("quote after blanks")
        << QByteArray("  \"a,b\"\r\n") << 400 << Items(QStringList{"a,b"});
    QTest::newRow("quoted items on lines")
        << QByteArray("\"a\"\r\n\"b\",\"c\"\r\n") << 400 << Items(QStringList{"a", "b", "c"});
    QTest::newRow("quote inside an unquoted item")
        << QByteArray("ab\"c,d\r\n") << 400 << Items(QStringList{"ab\"c", "d"});
    QTest::newRow("quoted empty") << QByteArray("\"\",x\r\n") << 400 << Items(QStringList{"", "x"});
    QTest::newRow("two commas") << QByteArray("a,,b\r\n") << 400
                                << Items(QStringList{"a", "", "b"});
    QTest::newRow("comma first") << QByteArray(",a\r\n") << 400 << Items(QStringList{"", "a"});
    QTest::newRow("comma before the line end")
        << QByteArray("a,b,\r\nc\r\n") << 400 << Items(QStringList{"a", "b", "", "c"});
    QTest::newRow("three empty lines")
        << QByteArray("\r\n\r\n\r\n") << 400 << Items(QStringList{"", "", ""});
    QTest::newRow("empty line between")
        << QByteArray("a\r\n\r\nb\r\n") << 400 << Items(QStringList{"a", "", "b"});
    QTest::newRow("line of blanks")
        << QByteArray("   \r\nb\r\n") << 400 << Items(QStringList{"", "b"});
    QTest::newRow("windows-1252") << QByteArray("\xC4pfel,Stra\xDF"
                                                "e,\x80,M\xFC"
                                                "he\r\n")
                                  << 400 << Items(QStringList{"Äpfel", "Straße", "€", "Mühe"});
    QTest::newRow("450 items") << numberedLines(0, 450) << 400 << Items(numbered(0, 400));
    QTest::newRow("empty items use places")
        << QByteArray("\r\n,\r\n") + numberedLines(0, 450) << 400
        << Items(QStringList{"", "", ""} + numbered(0, 397));
    QTest::newRow("limit on a line of commas")
        << QByteArray("a,b,c,d\r\n") << 2 << Items(QStringList{"a", "b"});
    QTest::newRow("NUL byte") << QByteArray("Apfel\r\nBi\0rne\r\n", 15) << 400 << Items();
}

void TestImportList::items()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(Items, expected);
    const Items items = parseImportItems(bytes, limit);
    QCOMPARE(items.has_value(), expected.has_value());
    if (expected) {
        QCOMPARE(*items, *expected);
    }
}

QTEST_MAIN(TestImportList)
#include "tst_importlist.moc"
