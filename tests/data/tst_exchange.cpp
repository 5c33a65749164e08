// The exchange file: RFC 4180 as spreadsheets write it, the header and row
// checks with the line they name, the picture files, and the round trip
// export, import into an empty dictionary, export again, byte for byte.
#include "Fixtures.h"
#include "data/Csv.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Dictionary.h"
#include "data/Exchange.h"
#include "data/Schema.h"

#include <QDirIterator>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool isPicture(const QByteArray& bytes)
{
    return !QImage::fromData(bytes).isNull();
}

// A record with every field; the mark as stored ("O", "N" or null).
struct Full
{
    QString mot, determinant, pluriel, syllabes, categorie, theme;
    QVariant mark;
    QByteArray icon;
    QString sound;
};

bool writeFull(const QString& dir, const QList<Full>& words)
{
    QList<WordRow> rows;
    for (const Full& w : words) {
        rows.append({w.mot, w.determinant, w.categorie, w.theme, w.mark, w.icon});
    }
    Database db;
    bool done = Fixtures::writeDictionary(dir, rows) &&
                db.open(QDir(dir).filePath("LEXA.MDB"), Database::Access::ReadWrite);
    for (qsizetype i = 0; done && i < words.size(); ++i) {
        auto update =
            db.prepare("UPDATE lexa SET pluriel=?, syllabes=?, \"fichier son associe\"=?, "
                       "\"mot marque\"=? WHERE rowid=?");
        done = update &&
               update->bindAll(
                   {words[i].pluriel, words[i].syllabes, words[i].sound, words[i].mark, i + 1}) &&
               update->exec();
    }
    return done;
}

// A word as the exchange carries it, every field in one text.
QString described(const Word& w)
{
    return QStringList{w.mot,
                       w.determinant,
                       w.pluriel,
                       w.syllabes,
                       w.categorie,
                       w.theme,
                       w.marked ? "O" : "N",
                       QString::number(qHash(w.icon)),
                       w.sound}
        .join(u'|');
}

ResultOf<Exchange::Import> readExport(const QString& csv)
{
    return Exchange::readFile(csv, {}, isPicture);
}

// Imports `csv` into the dictionary in `folder` as one operation.
ResultOf<Dictionary::Imported> importInto(const QString& folder, const QString& csv,
                                          Dictionary** undoable = nullptr)
{
    const auto read = Exchange::readFile(csv, folder, isPicture);
    if (!read || !read.value.problems.isEmpty()) {
        return Result::failure(read.error + read.value.problems.join(u'\n'));
    }
    static std::unique_ptr<DataSource> words;
    static std::unique_ptr<Dictionary> dictionary;
    dictionary.reset();
    words = std::make_unique<DataSource>(QDir(folder).filePath("LEXA.MDB"), "lexa",
                                         Database::Access::ReadWrite);
    if (Result opened = words->Refresh(); !opened) {
        return opened;
    }
    dictionary = std::make_unique<Dictionary>(*words);
    if (undoable) {
        *undoable = dictionary.get();
    }
    return dictionary->importTable(QFileInfo(csv).fileName(), Exchange::records(read.value.rows));
}

// Every file of an export: the CSV and its pictures, by name.
QMap<QString, QByteArray> exportedFiles(const QString& csv)
{
    QMap<QString, QByteArray> files{{"csv", Fixtures::fileBytes(csv)}};
    QDirIterator it(Exchange::pictureFolder(csv), QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QFileInfo(path).fileName(), Fixtures::fileBytes(path));
    }
    return files;
}

QString allFields(const QString& dir)
{
    QStringList columns;
    for (const char* field : {"mot", "determinant", "categorie", "theme", "mot marque",
                              "icone integree", "fichier son associe", "pluriel", "syllabes"}) {
        columns.append(Fixtures::columnText(dir, field));
    }
    return columns.join(u'\n');
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fresh(const QString& name) const
    {
        QDir(m_dir.path()).mkpath(name);
        return m_dir.filePath(name);
    }

private slots:
    // "expected": records as "line:field|field", one a line; CR and LF in a
    // field as \r and \n. An error is the start of the message.
    void parse_data()
    {
        Fixtures::columns<QByteArray, QString>("bytes", "expected");
        Fixtures::row("quoted separator", QByteArray("a,\"b,c\"\r\nd,e\r\n"),
                      QString("1:a|b,c\n2:d|e"));
        Fixtures::row("doubled quote, line break kept, lines counted",
                      QByteArray("\"x \"\"y\"\"\",\"l1\r\nl2\"\r\nz,w"),
                      QString("1:x \"y\"|l1\\r\\nl2\n3:z|w"));
        Fixtures::row("byte order mark, LF, empty fields, no last line end",
                      QByteArray("\xEF\xBB\xBF"
                                 "a,,\nb,c,"),
                      QString("1:a||\n2:b|c|"));
        Fixtures::row("semicolons of a spreadsheet", QByteArray("Wort;Artikel\r\n\"a;b\";der\r\n"),
                      QString("1:Wort|Artikel\n2:a;b|der"));
        Fixtures::row("empty lines skipped", QByteArray("a\r\n\r\nb\r\n"), QString("1:a\n3:b"));
        Fixtures::row("Windows-1252", QByteArray("a\r\n\"b\nc\"\r\n\xE4pfel\r\n"),
                      QString("Zeile 4: der Text ist nicht in UTF-8"));
        Fixtures::row("quote left open", QByteArray("a\r\n\"b,\r\nc\r\n"),
                      QString("Zeile 2: ein Anführungszeichen wird bis zum Ende"));
        Fixtures::row("quote inside a plain field", QByteArray("a\r\nb,c\"d\r\n"),
                      QString("Zeile 2: ein Anführungszeichen mitten"));
        Fixtures::row("text after the closing quote", QByteArray("\"a\"b,c"),
                      QString("Zeile 1: nach dem schließenden"));
        Fixtures::row("binary", QByteArray("ab\r\nc\0d", 7), QString("Zeile 2: ein Steuerzeichen"));
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const auto parsed = Csv::parse(bytes);
        if (expected.startsWith("Zeile")) {
            QVERIFY(!parsed);
            QVERIFY2(parsed.error.startsWith(expected), qPrintable(parsed.error));
            return;
        }
        QVERIFY2(parsed, qPrintable(parsed.error));
        QStringList records;
        QByteArray written;
        for (const Csv::Record& record : parsed.value) {
            records.append(QString::number(record.line) + u':' +
                           record.fields.join(u'|').replace("\r", "\\r").replace("\n", "\\n"));
            written += Csv::record(record.fields);
        }
        QCOMPARE(records.join(u'\n'), expected);
        // What the writer makes of the records reads back as the same fields.
        const auto again = Csv::parse(written);
        QVERIFY(again);
        QCOMPARE(again.value.size(), parsed.value.size());
        for (qsizetype i = 0; i < again.value.size(); ++i) {
            QCOMPARE(again.value[i].fields, parsed.value[i].fields);
        }
    }

    // "expected": the rows read (described()) and the problems, one a line;
    // or the start of the message refusing the whole file.
    void rows_data()
    {
        Fixtures::columns<QString, QString>("csv", "expected");
        const QString header = "Wort,Artikel,Mehrzahl,Silben,Frequenz,Themen,Markiert,Bild,Ton\r\n";
        const QString png = QString::number(qHash(Fixtures::icoBytes(0xff0000, "PNG")));
        Fixtures::row("columns in another order, names in any case",
                      QString("ton,Bild,Markiert,Themen,Frequenz,Silben,Mehrzahl,Artikel,WORT\r\n"
                              "t.wav,ok.png,O,Tiere,2,Hun-de,Hunde,der,Hund\r\n"),
                      QString("Hund|der|Hunde|Hun-de|2|Tiere|O|" + png + "|t.wav"));
        Fixtures::row(
            "missing columns",
            QString("Wort,Artikel,Silben,Frequenz,Themen,Markiert,Bild\r\nHund,,,,,,\r\n"),
            QString("Zeile 1: die Spalten „Mehrzahl“, „Ton“ fehlen. Die erste Zeile"));
        Fixtures::row("an unknown column",
                      QString(header).replace("Wort", "Wörter") + "Hund,,,,,,,,\r\n",
                      QString("Zeile 1: die Spalte „Wörter“ kennt LEXA nicht"));
        Fixtures::row("a column twice", QString(header).replace("Ton", "Wort"),
                      QString("Zeile 1: die Spalte „Wort“ steht zweimal da"));
        Fixtures::row("an empty file", QString(), QString("Sie ist leer."));
        Fixtures::row("bad rows, each named by its line",
                      header + "Hund,der\r\n"
                               " ,die,,,,,,,\r\n"
                               "Katze,die,,,,,ja,,\r\n"
                               "\"Maus\r\nMäuse\",,,,,,,fehlt.png,\r\n"
                               "Kuh,,,,,,,kaputt.png,\r\n"
                               "Ziege,,,,,,N,,\r\n",
                      QString("Ziege||||||N|" + QString::number(qHash(QByteArray())) +
                              "|\nZeile 2: 2 Felder statt 9.\nZeile 3: das Wort ist leer.\n"
                              "Zeile 4: „ja“ in der Spalte Markiert: erlaubt sind O (markiert), N "
                              "(nicht markiert) oder nichts.\nZeile 5: fehlt\nZeile 7: kaputt"));
    }
    void rows()
    {
        QFETCH(QString, csv);
        QFETCH(QString, expected);
        const Exchange::PictureSource pictures = [](const QString& name) -> ResultOf<QByteArray> {
            if (name == "ok.png") {
                return Fixtures::icoBytes(0xff0000, "PNG");
            }
            return Result::failure(name.section(u'.', 0, 0));
        };
        const auto read = Exchange::readTable(csv.toUtf8(), pictures);
        if (!read) {
            QVERIFY2(read.error.startsWith(expected), qPrintable(read.error));
            return;
        }
        QVERIFY2(!expected.startsWith("Zeile 1") && expected != "Sie ist leer.", "not refused");
        QStringList seen;
        for (const Exchange::Row& row : read.value.rows) {
            seen.append(described(row.word));
        }
        QCOMPARE((seen + read.value.problems).join(u'\n'), expected);
    }

    // Safe on every usual file system, unique ignoring case, the same for the
    // same words in the same order.
    void pictureNames()
    {
        const QByteArray png = Fixtures::icoBytes(0xff, "PNG");
        QSet<QString> taken;
        QStringList names;
        for (const QString& word :
             QStringList{"Essen", "essen", "Uhr/zeit", "Uhr:zeit", "CON", "..", " Tor "}) {
            names.append(Exchange::pictureFileName(
                word, word == "CON" ? Fixtures::icoBytes(1) : png, &taken));
        }
        QCOMPARE(names, QStringList({"Essen.png", "essen-2.png", "Uhr_zeit.png", "Uhr_zeit-2.png",
                                     "CON_.ico", "Bild.png", "Tor.png"}));
    }

    // Every field, pictures of both kinds, the words a file name would mix up,
    // a word stored twice: the second export is the first, byte for byte, and
    // the first holds every field as stored.
    void roundTrip()
    {
        const QByteArray ico = Fixtures::icoBytes(0x00ff00);
        const QByteArray png = Fixtures::icoBytes(0x0000ff, "PNG");
        const QList<Full> words{
            {"Haus", "das", "Häuser", "Haus", "1", "Wohnen", "O", ico, "haus.wav"},
            {"Essen", "das", "", "Es-sen", "2", "Essen", "N", png, ""},
            {"essen", "", "", "es-sen", "", "EssenVerben", {}, png, ""},
            {"Bank", "die", "Bänke", "Bank", "", "", "N", {}, ""},
            {"Bank", "die", "Banken", "Bank", "", "Geld", "N", {}, ""},
            {"Uhr/zeit", "die", "", "", "", "", "N", ico, ""},
            {"Uhr:zeit", "die", "", "", "", "", "N", ico, ""},
            {"Zitat \"so\"", "das", "", "", "a,b;c", "Zeile 1\nZeile 2", "N", {}, ""},
            {" Leerzeichen ", "", "", "", "", "", "N", {}, "\r\n"},
            {"Äpfel", "", "", "Äp-fel", "", "", "N", {}, ""},
        };
        const QString first = fresh("erstes");
        QVERIFY(writeFull(first, words));
        const QByteArray stored = Fixtures::fileBytes(first + "/LEXA.MDB");
        const QString a = fresh("a") + "/woerter.csv";
        const auto exported = Exchange::exportDictionary(first, a);
        QVERIFY2(exported, qPrintable(exported.error));
        QCOMPARE(exported.value.words, int(words.size()));
        QCOMPARE(exported.value.pictures, 5);
        QCOMPARE(Fixtures::fileBytes(first + "/LEXA.MDB"), stored);
        QVERIFY(Fixtures::fileBytes(a).startsWith("\xEF\xBB\xBFWort,Artikel,Mehrzahl,Silben,"
                                                  "Frequenz,Themen,Markiert,Bild,Ton\r\n"));

        // Every field of every word, the pictures read back from their files.
        const auto read = readExport(a);
        QVERIFY2(read && read.value.problems.isEmpty(), qPrintable(read.error));
        QStringList expected;
        for (const Full& w : words) {
            Word word{-1,     w.mot,   w.determinant, w.categorie, w.theme, w.mark == "O",
                      w.icon, w.sound, w.pluriel,     w.syllabes};
            expected.append(described(word));
        }
        QStringList found;
        for (const Exchange::Row& row : read.value.rows) {
            found.append(described(row.word));
        }
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);

        const QString second = fresh("zweites");
        QVERIFY(Fixtures::writeDictionary(second, {}));
        const auto imported = importInto(second, a);
        QVERIFY2(imported, qPrintable(imported.error));
        QCOMPARE(imported.value.added, int(words.size()));
        const QString b = fresh("b") + "/woerter.csv";
        QVERIFY(Exchange::exportDictionary(second, b));
        QCOMPARE(exportedFiles(b), exportedFiles(a));
        // Imported again, each word is found as it is: nothing changes.
        const QString before = allFields(second);
        const auto again = importInto(second, b);
        QVERIFY(again);
        QCOMPARE(again.value.unchanged, int(words.size()));
        QCOMPARE(allFields(second), before);
    }

    // The k-th row of a word stored writes into its k-th record; the rest
    // come in; all of it is one undo step, and a failure leaves nothing.
    void importUpdates_data()
    {
        Fixtures::columns<bool>("failing");
        Fixtures::row("whole", false);
        Fixtures::row("failing at the last row", true);
    }
    void importUpdates()
    {
        QFETCH(bool, failing);
        const QString dir = fresh(failing ? "halb" : "ganz");
        QVERIFY(Fixtures::writeDictionary(dir, {{"Bank", "die", "1"}, {"Haus", "der"}, {"Bank"}}));
        if (failing) {
            Database db;
            QVERIFY(db.open(dir + "/LEXA.MDB", Database::Access::ReadWrite));
            QVERIFY(db.exec("CREATE TRIGGER nein BEFORE INSERT ON lexa WHEN NEW.mot='Fehler' "
                            "BEGIN SELECT RAISE(ABORT, 'kaputt'); END"));
        }
        const QString csv = dir + "/neu.csv";
        QVERIFY(Fixtures::writeFile(
            csv, QByteArray("Wort,Artikel,Mehrzahl,Silben,Frequenz,Themen,Markiert,Bild,Ton\n"
                            "Haus,das,Häuser,,,,N,,\n"
                            "Bank,die,,,1,,N,,\n"
                            "Bank,die,Bänke,,,,,,\n"
                            "Baum,der,,,,,O,,\n"
                            "Bank,,,,,,,,\n") +
                     (failing ? "Fehler,,,,,,,,\n" : "")));
        const QString before = allFields(dir);
        Dictionary* dictionary = nullptr;
        const auto imported = importInto(dir, csv, &dictionary);
        if (failing) {
            QVERIFY(!imported);
            QVERIFY2(imported.error.contains("kaputt"), qPrintable(imported.error));
            QCOMPARE(allFields(dir), before);
            return;
        }
        QVERIFY2(imported, qPrintable(imported.error));
        QCOMPARE(imported.value.added, 2);
        QCOMPARE(imported.value.updated, 2);
        QCOMPARE(imported.value.unchanged, 1);
        QCOMPARE(Fixtures::columnText(dir, "mot"), "mot=Bank,Haus,Bank,Baum,Bank");
        QCOMPARE(Fixtures::columnText(dir, "determinant"), "determinant=die,das,die,der,<null>");
        QCOMPARE(Fixtures::columnText(dir, "pluriel"), "pluriel=<null>,Häuser,Bänke,<null>,<null>");
        QCOMPARE(dictionary->nextUndo()->label, "5 Wörter aus „neu.csv“");
        QVERIFY(dictionary->undo());
        QCOMPARE(allFields(dir), before);
    }

    // An older file without the added fields exports them empty; the
    // dictionary's own files are never the exchange file.
    void exportOlderFile()
    {
        const QString dir = fresh("alt");
        Database db;
        QVERIFY(db.create(dir + "/LEXA.MDB",
                          "CREATE TABLE lexa (mot TEXT, determinant TEXT, categorie TEXT, theme "
                          "TEXT, \"mot marque\" TEXT, \"icone integree\" BLOB, \"fichier son "
                          "associe\" TEXT)"));
        QVERIFY(db.exec("INSERT INTO lexa VALUES ('Hund', 'der', '1', 'Tiere', 'O', NULL, NULL)"));
        QVERIFY(db.close());
        // The picture folder of an earlier export goes with its pictures.
        QVERIFY(QDir(dir).mkpath("alt-Bilder"));
        QVERIFY(Fixtures::writeFile(dir + "/alt-Bilder/Katze.png", "alt"));
        const auto exported = Exchange::exportDictionary(dir, dir + "/alt.csv");
        QVERIFY2(exported, qPrintable(exported.error));
        QCOMPARE(Fixtures::fileBytes(dir + "/alt.csv").split('\n').value(1),
                 "Hund,der,,,1,Tiere,O,,\r");
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"alt.csv", "LEXA.MDB"}));
        const QByteArray stored = Fixtures::fileBytes(dir + "/LEXA.MDB");
        QVERIFY(!Exchange::exportDictionary(dir, dir + "/LEXA.MDB"));
        QCOMPARE(Fixtures::fileBytes(dir + "/LEXA.MDB"), stored);
        QVERIFY(!Exchange::readFile(dir + "/LEXA.MDB", dir, isPicture));
    }

    void themeNames_data()
    {
        Fixtures::columns<QString, QStringList, QStringList>("field", "known", "names");
        Fixtures::row("known names run together", QString("TiereHaus"),
                      QStringList{"Tiere", "Haus"}, QStringList{"Tiere", "Haus"});
        Fixtures::row("a new name after a known one", QString("HausEssen"), QStringList{"Haus"},
                      QStringList{"Haus", "Essen"});
        Fixtures::row("a known name inside a longer one", QString("Haustiere"), QStringList{"Haus"},
                      QStringList{"Haustiere"});
        Fixtures::row("new names run together", QString("EssenObst"), QStringList{},
                      QStringList{"Essen", "Obst"});
        Fixtures::row("blanks inside a name", QString("Obst und Gemüse"), QStringList{},
                      QStringList{"Obst und Gemüse"});
        Fixtures::row("known names in small letters", QString("Tierehaus"),
                      QStringList{"Tiere", "haus"}, QStringList{"Tiere", "haus"});
    }
    void themeNames()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, known);
        QFETCH(QStringList, names);
        QCOMPARE(Exchange::themeNames(field, known), names);
    }

    // The names the theme table lacks go into it, each once.
    void addThemes()
    {
        const QString dir = fresh("themen");
        QVERIFY(Fixtures::writeThemes(dir, {"Tiere", "Haus"}));
        std::vector<Exchange::Row> rows(3);
        rows[0].word.theme = "TiereHaus";
        rows[1].word.theme = "HausEssen";
        rows[2].word.theme = "Essen";
        const auto added = Exchange::addThemes(dir + "/THEME.MDB", rows);
        QVERIFY2(added, qPrintable(added.error));
        QCOMPARE(added.value, QStringList{"Essen"});
        QCOMPARE(Fixtures::query(dir + "/THEME.MDB", "SELECT group_concat(theme) FROM themes")
                     .value(0)
                     .value(0),
                 "Tiere,Haus,Essen");
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
