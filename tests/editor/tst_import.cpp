// The import of "listemot.txt": the items of the file, when its button is
// offered, what it asks, which words it adds and what it reports.
#include "EditorSteps.h"
#include "editor/ImportList.h"

#include <QDir>
#include <QStringEncoder>

using Steps::row;

using Items = std::optional<QStringList>;

namespace {

const QString Question =
    QStringLiteral("Die Wörter der Datei <listemot.txt> dem Wörterbuch beifügen?");
const QString NothingAdded =
    QStringLiteral("Die Wörter der Datei <listemot.txt> waren schon im Wörterbuch!");

QString added(int count)
{
    return QStringLiteral(" %1 Wörter wurden dem Wörterbuch beigefügt!").arg(count);
}

// Table order Zug, Auto, haus, Tor; listed Auto, haus, Tor, Zug.
const QList<WordRow> Dictionary{
    {"Zug", "der"}, {"Auto", "das", "1", "Verkehr", "O"}, {"haus"}, {"Tor"}};

QByteArray lines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "w" + QByteArray::number(1000 + i) + "\r\n";
    }
    return bytes;
}

// The text in UTF-16 with its byte order mark.
QByteArray utf16(QStringConverter::Encoding encoding, const QString& text)
{
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
}

QStringList numbered(int count)
{
    return QString::fromLatin1(lines(count)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT
    Steps::UnexpectedBoxes m_boxes;

private slots:
    void cleanup() { Steps::verifyNoUnexpectedBox(m_boxes); }

    // Comma- and line-separated, blanks before an item skipped, double
    // quotes around items that hold commas or blanks, at most `limit` items.
    void items_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("limit");
        QTest::addColumn<Items>("expected");
        const auto item = [](const char* name, const QByteArray& bytes, const Items& items,
                             int limit = 400) { row(name, bytes, limit, items); };
        item("empty file", "", QStringList());
        item("commas", "Apfel,Birne,Zug", QStringList{"Apfel", "Birne", "Zug"});
        item("line ends", "Apfel\r\nBirne\r\n", QStringList{"Apfel", "Birne"});
        item("no line end at the end", "Apfel\r\nBirne", QStringList{"Apfel", "Birne"});
        item("commas and line ends", "a,b\r\nc,d\r\n", QStringList{"a", "b", "c", "d"});
        item("line feeds only", "Apfel\nBirne\n", QStringList{"Apfel", "Birne"});
        item("blanks before items", "  Apfel,\tBirne, \t Zug\r\n",
             QStringList{"Apfel", "Birne", "Zug"});
        item("blanks inside an item", "guten Tag\r\n", QStringList{"guten Tag"});
        item("quoted comma and blank", "\"Kaffee, schwarz\",Tee\r\n",
             QStringList{"Kaffee, schwarz", "Tee"});
        item("quoted blanks kept", "\"  Tee \"\r\n", QStringList{"  Tee "});
        item("quote after blanks", "  \"a,b\"\r\n", QStringList{"a,b"});
        item("quote inside an unquoted item", "ab\"c,d\r\n", QStringList{"ab\"c", "d"});
        item("quoted empty", "\"\",x\r\n", QStringList{"", "x"});
        item("two commas", "a,,b\r\n", QStringList{"a", "", "b"});
        item("comma before the line end", "a,b,\r\nc\r\n", QStringList{"a", "b", "", "c"});
        item("empty lines", "\r\n\r\n\r\n", QStringList{"", "", ""});
        item("line of blanks", "   \r\nb\r\n", QStringList{"", "b"});
        item("windows-1252",
             "\xC4pfel,Stra\xDF"
             "e,\x80,M\xFC"
             "he\r\n",
             QStringList{"Äpfel", "Straße", "€", "Mühe"});
        item("450 items", lines(450), numbered(400));
        item("empty items use places", "\r\n,\r\n" + lines(450),
             QStringList{"", "", ""} + numbered(397));
        item("limit on a line of commas", "a,b,c,d\r\n", QStringList{"a", "b"}, 2);
        item("NUL byte", QByteArray("Apfel\r\nBi\0rne\r\n", 15), std::nullopt);
        item("control characters", "ELF\x02\x01\x01", std::nullopt);
        const QStringList umlauts{"Größe", "ä"};
        item("UTF-8 with BOM", "\xEF\xBB\xBFGröße,ä", umlauts);
        item("UTF-8 without BOM", "Größe\r\nä\r\n", umlauts);
        item("UTF-8 BOM, then invalid", "\xEF\xBB\xBF\xC4pfel", std::nullopt);
        item("UTF-16LE", utf16(QStringConverter::Utf16LE, "Größe,ä"), umlauts);
        item("UTF-16, a NUL", utf16(QStringConverter::Utf16LE, QString("Haus") + QChar()),
             std::nullopt);
    }
    void items()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, limit);
        const std::optional<QString> text = decodeImportText(bytes);
        QTEST(text ? Items(parseImportItems(*text, limit)) : Items(), "expected");
    }

    void button_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("words");      // -1: button hidden
        QTest::addColumn<QString>("reason"); // told once the window is shown
        row("no file", QByteArray(), -1, QString());
        row("empty file", QByteArray(""), -1, QString("leer"));
        row("one word", QByteArray("Haus\r\n"), 1, QString());
        row("UTF-16", utf16(QStringConverter::Utf16LE, "Haus,Öl"), 2, QString());
        row("three empty lines", QByteArray("\r\n\r\n\r\n"), 0, QString());
        row("a NUL byte", QByteArray("Haus\r\n\0\r\n", 9), -1, QString("keine Textdatei"));
        row("huge file", QByteArray(8 * 1024 * 1024, 'a'), -1, QString("zu groß (über 4096 KB)"));
        row("unreadable", QByteArray("directory"), -1, QString("nicht lesbar"));
    }
    void button()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, words);
        QFETCH(QString, reason);
        Harness h;
        if (file == "directory") {
            QVERIFY(QDir(h.dir()).mkdir(QStringLiteral("listemot.txt")));
            file = QByteArray();
        }
        QVERIFY(h.start(Dictionary, {"Tiere"}, file));
        QCOMPARE(h.ui().Command10->isHidden(), words < 0);
        QCOMPARE(h.editor().import_ok, words < 0 ? 0 : 1);
        QCOMPARE(h.editor().nb_import, qMax(words, 0));
        QCOMPARE(h.ui().List3->entryCount(), qMax(words, 0));
        QVERIFY(h.ui().List3->isHidden());
        if (!reason.isEmpty()) {
            MessageBox::setNextAnswer(QMessageBox::Ok);
        }
        Steps::showWindow(h);
        QCoreApplication::processEvents();
        const QString told = "Die Wörter der Datei <" + h.path("listemot.txt") +
                             "> können nicht dem Wörterbuch beigefügt werden: " + reason + '.';
        QCOMPARE(Steps::boxes(), reason.isEmpty() ? QStringList() : QStringList{told});
    }

    // Answered Yes or No, then what is listed, shown and stored; see Steps::check.
    void import_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        const QString yes = "yes;ok;import", asked = "boxes=" + Question + u'/',
                      tor = ";shown=Tor||||N|;controls=DDDDDDE HHH SSSSHHHHSS";
        const QString numbers = QStringList(numbered(397)).join(u',');
        row("twelve words",
            QByteArray("Zug,Birne\r\nApfel,\"Kaffee, schwarz\"\r\nHaus\r\nBirne\r\n\r\n"
                       " auto,T\xFCr ,\xC4hre,\xD6l\r\nOfen,Eis,Nuss,Stra\xDF"
                       "e\r\n"),
            yes,
            asked + added(12) + tor +
                ";listed=Ähre,Apfel,Auto,auto,Birne,Eis,haus,Haus,Kaffee, "
                "schwarz,Nuss,Ofen,Öl,Straße,Tor,Tür,Zug;mot=Zug,Auto,haus,Tor,Ähre,Apfel,auto,"
                "Birne,Eis,Haus,"
                "Kaffee, schwarz,Nuss,Ofen,Öl,Straße,Tür;mot marque=N,O,N,N" +
                QString(",N").repeated(12) + ";determinant=der,das,<null>,<null>" +
                QString(",<null>").repeated(12));
        row("all listed already", QByteArray("Zug,Auto\r\nhaus\r\n"), yes,
            asked + NothingAdded + tor + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        row("only empty items", QByteArray("\r\n\r\n\r\n"), yes,
            asked + NothingAdded + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        row("two apostrophes", QByteArray("a'b'c\r\n"), yes,
            asked + added(1) + ";listed=a'b'c,Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor,a'b'c");
        row("first 400 items", QByteArray("Zug\r\n,\r\n") + lines(450), yes,
            asked + added(397) + ";mot=Zug,Auto,haus,Tor," + numbers);
        row("answered No", QByteArray("Bahn"), "no;import",
            "boxes=" + Question + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        row("asked again", QByteArray("Bahn"), "no;import;" + yes,
            asked + Question + u'/' + added(1) +
                ";listed=Auto,Bahn,haus,Tor,Zug;mot=Zug,Auto,haus,Tor,Bahn;"
                "mot marque=N,O,N,N,N");
    }
    void import()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, steps);
        Harness h;
        QVERIFY(h.start(Dictionary, {"Tiere"}, file));
        Steps::showWindow(h);
        h.select(QStringLiteral("Tor"));
        Steps::runAll(h.ui(), steps);
        QCOMPARE(h.ui().Command10->isHidden(), steps.endsWith("yes;ok;import"));
        QCOMPARE(h.editor().nb_mots, int(h.listed().size()));
        QFETCH(QString, expected);
        Steps::check(h, expected);
        // Each new word is found; the lookup ignores letter case: auto shows Auto's record.
        for (const QString& word : h.listed()) {
            if (!word.contains(u'\'')) {
                h.select(word);
                QCOMPARE(h.ui().Text1->text().toCaseFolded(), word.toCaseFolded());
            }
        }
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
