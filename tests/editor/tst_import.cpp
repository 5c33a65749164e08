// The import of "listemot.txt": the items of the file, when its button is
// offered, what it asks, which words it adds and what it reports.
#include "EditorSteps.h"
#include "editor/ImportList.h"

#include <QDir>
#include <QStringEncoder>

using Steps::row;

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
const QList<WordRow> Words{{"Zug", "der"}, {"Auto", "das", "1", "Verkehr", "O"}, {"haus"}, {"Tor"}};

// Maße10 and Masse10 to Maße20 and Masse20 (Windows-1252), as the list
// sorts them; the near report names 20 of the 22 and counts the rest.
std::pair<QByteArray, QString> nearPairs()
{
    QByteArray file;
    QStringList named;
    for (int i = 10; i <= 20; ++i) {
        file += "Masse" + QByteArray::number(i) +
                ",Ma\xDF"
                "e" +
                QByteArray::number(i) + "\r\n";
        named << QStringLiteral("„Masse%1“: „Maße%1“").arg(i)
              << QStringLiteral("„Maße%1“: „Masse%1“").arg(i);
    }
    return {file, "Beigefügte Wörter mit ähnlichen Wörtern im Wörterbuch:\n\n" +
                      named.mid(0, 20).join(u'\n') + "\nund 2 weitere"};
}

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
        // "expected": '|'-separated; "-": not a text.
        Fixtures::columns<QByteArray, int, QString>("bytes", "limit", "expected");
        const auto item = [](const char* name, const QByteArray& bytes, const QString& items,
                             int limit = 400) { row(name, bytes, limit, items); };
        item("empty file", "", "");
        item("no line end at the end", "Apfel\r\nBirne", "Apfel|Birne");
        item("commas and line ends", "a,b\r\nc,d\r\n", "a|b|c|d");
        item("line feeds only", "Apfel\nBirne\n", "Apfel|Birne");
        item("blanks before items", "  Apfel,\tBirne, \t Zug\r\n", "Apfel|Birne|Zug");
        item("quoted blanks kept", "\"  Tee \"\r\n", "  Tee ");
        item("quote after blanks", "  \"a,b\"\r\n", "a,b");
        item("quote inside an unquoted item", "ab\"c,d\r\n", "ab\"c|d");
        item("two commas", "a,,b\r\n", "a||b");
        item("comma before the line end", "a,b,\r\nc\r\n", "a|b||c");
        item("line of blanks", "   \r\nb\r\n", "|b");
        item("windows-1252",
             "\xC4pfel,Stra\xDF"
             "e,\x80,M\xFC"
             "he\r\n",
             "Äpfel|Straße|€|Mühe");
        item("empty items use places", "\r\n,\r\n" + lines(450), "|||" + numbered(397).join(u'|'));
        item("limit on a line of commas", "a,b,c,d\r\n", "a|b", 2);
        item("NUL byte", QByteArray("Apfel\r\nBi\0rne\r\n", 15), "-");
        item("control characters", "ELF\x02\x01\x01", "-");
        item("UTF-8 with BOM", "\xEF\xBB\xBFGröße,ä", "Größe|ä");
        item("UTF-8 without BOM", "Größe\r\nä\r\n", "Größe|ä");
        item("UTF-8 BOM, then invalid", "\xEF\xBB\xBF\xC4pfel", "-");
        item("UTF-16LE", utf16(QStringConverter::Utf16LE, "Größe,ä"), "Größe|ä");
        item("UTF-16, a NUL", utf16(QStringConverter::Utf16LE, QString("Haus") + QChar()), "-");
    }
    void items()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, limit);
        const std::optional<QString> text = decodeImportText(bytes);
        QTEST(text ? parseImportItems(*text, limit).join(u'|') : "-", "expected");
    }

    // The words the button offers (-1: hidden), answered Yes or No, then
    // what is listed, shown and stored; see Steps::check. <dir>: the folder.
    void import_data()
    {
        Fixtures::columns<QByteArray, int, QString, QString>("file", "words", "steps", "expected");
        const QString refused = "boxes=Die Wörter der Datei <<dir>/listemot.txt> können nicht dem "
                                "Wörterbuch beigefügt werden: ";
        row("no file", QByteArray(), -1, "", "");
        row("empty file", QByteArray(""), -1, "", refused + "leer.");
        row("UTF-16", utf16(QStringConverter::Utf16LE, "Haus,Öl"), 2, "", "");
        row("a NUL byte", QByteArray("Haus\r\n\0\r\n", 9), -1, "", refused + "keine Textdatei.");
        row("huge file", QByteArray(8 * 1024 * 1024, 'a'), -1, "",
            refused + "zu groß (über 4096 KB).");
        row("unreadable", QByteArray("directory"), -1, "", refused + "nicht lesbar.");
        const QString yes = "yes;ok;import", asked = "boxes=" + Question + u'/',
                      tor = ";shown=Tor||||N|;controls=DDDDDDE HHH SSSSHHHHSS";
        const QString numbers = QStringList(numbered(397)).join(u',');
        row("twelve words",
            QByteArray("Zug,Birne\r\nApfel,\"Kaffee, schwarz\"\r\nHaus\r\nBirne\r\n\r\n"
                       " auto,T\xFCr ,\xC4hre,\xD6l\r\nOfen,Eis,Nuss,Stra\xDF"
                       "e\r\n"),
            14, yes,
            asked + added(12) + tor +
                ";listed=Ähre,Apfel,Auto,auto,Birne,Eis,haus,Haus,Kaffee, schwarz,Nuss,Ofen,Öl,"
                "Straße,Tor,Tür,Zug;mot=Zug,Auto,haus,Tor,Ähre,Apfel,auto,Birne,Eis,Haus,"
                "Kaffee, schwarz,Nuss,Ofen,Öl,Straße,Tür;mot marque=N,O,N,N" +
                QString(",N").repeated(12));
        row("all listed already", QByteArray("Zug,Auto\r\nhaus\r\n"), 3, yes,
            asked + NothingAdded + tor + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        row("only empty items", QByteArray("\r\n\r\n\r\n"), 0, yes,
            asked + NothingAdded + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        row("two apostrophes", QByteArray("a'b'c\r\n"), 1, yes,
            asked + added(1) + ";listed=a'b'c,Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor,a'b'c");
        row("first 400 items", QByteArray("Zug\r\n,\r\n") + lines(450), 398, yes,
            asked + added(397) + ";mot=Zug,Auto,haus,Tor," + numbers);
        row("near words named after the report", nearPairs().first, 22, "yes;ok;ok;import",
            asked + added(22) + u'/' + nearPairs().second);
        row("near words named after a large import", nearPairs().first + lines(60), 82,
            "yes;ok;ok;import", asked + added(82) + u'/' + nearPairs().second);
        // What no word can be is left out, and named before the import is offered.
        row("no words among the items", QByteArray("\"Rad\r\nBoot"), -1, "",
            refused + "kein Eintrag ist ein Wort (länger als 80 Zeichen oder über mehrere "
                      "Zeilen).");
        row("items too long or over lines", "Bahn," + QByteArray(100, 'a') + ",\"Rad\r\nBoot\r\n",
            1, yes,
            "boxes=2 Einträge der Datei <<dir>/listemot.txt> sind kein Wort und werden nicht "
            "beigefügt: sie sind länger als 80 Zeichen oder gehen über mehrere Zeilen (etwa nach "
            "einem Anführungszeichen, das nicht geschlossen wird). Prüfen Sie die Datei: „" +
                QString(30, u'a') + " …“, „Rad Boot“/" + Question + u'/' + added(1) +
                ";listed=Auto,Bahn,haus,Tor,Zug;mot=Zug,Auto,haus,Tor,Bahn");
        row("import undone, offered again", QByteArray("Bahn,Zug"), 2, yes + ";undo",
            asked + added(1) + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        row("answered No", QByteArray("Bahn"), 1, "no;import",
            "boxes=" + Question + ";listed=Auto,haus,Tor,Zug;mot=Zug,Auto,haus,Tor");
        // An open word stays open and out of reach of the list: the click on
        // another word does nothing, nothing unconfirmed is stored.
        row("during a modification", QByteArray("Bahn"), 1,
            "modify;article:dasX;" + yes + ";list:Zug;revert",
            asked + added(1) +
                ";shown=Tor||||N|;mot=Zug,Auto,haus,Tor,Bahn;determinant=der,das,"
                "<null>,<null>,<null>");
        row("during a new word", QByteArray("Bahn"), 1,
            "new;word:Neu;article:die;" + yes + ";list:Auto;add",
            asked + added(1) +
                ";mot=Zug,Auto,haus,Tor,Bahn,Neu;determinant=der,das,<null>,<null>,<null>,die");
        row("asked again", QByteArray("Bahn"), 1, "no;import;" + yes,
            asked + Question + u'/' + added(1) +
                ";listed=Auto,Bahn,haus,Tor,Zug;mot=Zug,Auto,haus,Tor,Bahn;"
                "mot marque=N,O,N,N,N");
    }
    void import()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, words);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        Harness h;
        if (file == "directory") {
            QVERIFY(QDir(h.dir()).mkdir(QStringLiteral("listemot.txt")));
            file = QByteArray();
        }
        QVERIFY(h.start(Words, {"Tiere"}, file));
        QCOMPARE(h.editor().import_ok, words < 0 ? 0 : 1);
        QCOMPARE(h.editor().nb_import, qMax(words, 0));
        QCOMPARE(h.ui().List3->entryCount(), qMax(words, 0));
        QVERIFY(h.ui().List3->isHidden());
        if (expected.contains("können nicht") || expected.contains("kein Wort")) {
            // told once the window is shown
            MessageBox::setNextAnswer(QMessageBox::Ok);
        }
        Steps::showWindow(h);
        QCoreApplication::processEvents();
        Steps::runAll(h.ui(), "select:Tor;" + steps);
        QCOMPARE(h.ui().Command10->isHidden(),
                 words < 0 || (steps.contains("yes;ok;") && !steps.endsWith("undo")));
        QCOMPARE(h.editor().nb_mots, int(h.listed().size()));
        Steps::check(h, expected.replace("<dir>", h.dir()));
        // Each new word is found; the lookup ignores letter case: auto shows Auto's record.
        for (const QString& word : h.listed()) {
            if (!word.contains(u'\'')) {
                Steps::run(h.ui(), "select:" + word);
                QCOMPARE(h.ui().Text1->text().toCaseFolded(), word.toCaseFolded());
            }
        }
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
