#include "Fixtures.h"
#include "app/LegacyStartup.h"
#include "convert/DatabaseKind.h"
#include "convert/LegacyConversion.h"
#include "convert/Pictures.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString fixture(const QString& relative)
{
    return QStringLiteral(LEXA_LEGACY_FIXTURES "/") + relative;
}

bool copyJet4(const QString& dir)
{
    return Fixtures::writeFile(dir + "/LEXA.MDB", Fixtures::fileBytes(fixture("jet4/LEXA.MDB"))) &&
           Fixtures::writeFile(dir + "/THEME.MDB", Fixtures::fileBytes(fixture("jet4/THEME.MDB")));
}

QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden)) {
        files.insert(name, Fixtures::fileBytes(dir + "/" + name));
    }
    return files;
}

QByteArray le(quint32 v, int size = 4)
{
    return QByteArray(reinterpret_cast<const char*>(&v), size);
}

// A stream in the format of lexa-mdb-reader: two fields, two records.
const QByteArray ValidStream = QByteArray("LXMR\1", 5) + le(2) + le(3) + "mot" + le(14) +
                               "icone integree" + "RT" + le(4) + "Bär" + "NRT" + le(0) + "B" +
                               le(2) + QByteArray("\0\1", 2) + "E" + le(2);

QByteArray prefixed(const QByteArray& bytes)
{
    return le(bytes.size()) + bytes;
}

// An OLE object as the old platform stores a file dropped into a field.
QByteArray olePackage(const QByteArray& file, const QByteArray& cls = {"Package\0", 8},
                      quint16 signature = 2)
{
    const QByteArray name("Packager Shell Object\0", 22), objectClass("Package\0", 8);
    const QByteArray header = QByteArray("\x15\x1c") + le(50, 2) + le(2) + le(22, 2) + le(8, 2) +
                              le(20, 2) + le(42, 2) + le(0xffffffff) + name + objectClass;
    const QByteArray path("C:\\LEXA\\ICONES\\bild.ico\0", 24);
    const QByteArray native = le(signature, 2) + QByteArray("bild.ico\0", 9) + path +
                              le(0x00030000) + prefixed(path) + prefixed(file);
    return header + le(0x0501) + le(2) + prefixed(cls) + prefixed({}) + prefixed({}) +
           prefixed(native);
}

using Fixtures::columns;
using Fixtures::row;

QString sha256(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QString()
                           : QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

const QStringList Fields = {"mot",        "determinant",    "categorie",          "theme",
                            "mot marque", "icone integree", "fichier son associe"};

} // namespace

class TestLegacyConversion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ConversionReport m_report;
    QJsonObject m_json;
    QJsonArray m_expected;
    QList<QVariantList> m_words;

    // The conversion's error, empty when it succeeds.
    static QString convert(const QString& dir, ConversionReport* report = nullptr)
    {
        ConversionReport unused;
        QString error;
        const bool done =
            convertLegacyFiles(dir, LegacyReader(), report ? report : &unused, &error);
        return done ? QString() : error + u'!';
    }

private slots:
    void initTestCase()
    {
        QVERIFY(copyJet4(m_dir.path()));
        QCOMPARE(convert(m_dir.path(), &m_report), QString());
        m_json =
            QJsonDocument::fromJson(Fixtures::fileBytes(fixture("jet4/expected.json"))).object();
        m_expected = m_json.value("lexa").toArray();
        m_words = Fixtures::query(m_dir.filePath("LEXA.MDB"), "SELECT \"" + Fields.join("\", \"") +
                                                                  "\" FROM lexa ORDER BY rowid");
    }
    void cleanup() { MessageBox::resetSeam(); }

    // Each record as "value|value|...": "-" an empty field, a picture by its
    // size and hash. An empty mark is the column's default "N", held in the
    // Access file itself (mdb-export shows it too).
    void everyWordArrives()
    {
        QStringList expected, actual;
        for (const QJsonValue& word : m_expected) {
            QStringList values;
            for (const QString& field : Fields) {
                const QJsonValue v = word[field];
                values.append(v.isNull()     ? (field == "mot marque" ? "N" : "-")
                              : v.isObject() ? QString::number(v["bytes"].toInt()) + ' ' +
                                                   v["sha256"].toString()
                                             : v.toString());
            }
            expected.append(values.join(u'|'));
        }
        for (const QVariantList& record : m_words) {
            QStringList values;
            for (const QVariant& value : record) {
                const QByteArray bytes = value.toByteArray();
                values.append(value.isNull() ? "-"
                              : value.typeId() == QMetaType::QByteArray
                                  ? QString::number(bytes.size()) + ' ' + sha256(bytes)
                                  : value.toString());
            }
            actual.append(values.join(u'|'));
        }
        QCOMPARE(actual, expected);
    }

    void themesReportAndOriginals()
    {
        QVariantList expected, actual;
        for (const QJsonValue& theme : m_json.value("themes").toArray()) {
            expected.append(theme.isNull() ? QVariant() : QVariant(theme.toString()));
        }
        for (const auto& row : Fixtures::query(m_dir.filePath("THEME.MDB"),
                                               "SELECT theme FROM themes ORDER BY rowid")) {
            actual.append(row[0]);
        }
        QCOMPARE(actual, expected);
        QCOMPARE(m_report.problems, QStringList());
        QCOMPARE(m_report.files, QStringList({"LEXA.MDB", "THEME.MDB"}));
        QCOMPARE(m_report.backups, QStringList({"LEXA.MDB.access", "THEME.MDB.access"}));
        const auto files = snapshot(m_dir.path());
        QCOMPARE(files.keys(),
                 QStringList({"LEXA.MDB", "LEXA.MDB.access", "THEME.MDB", "THEME.MDB.access"}));
        QCOMPARE(files["LEXA.MDB.access"], Fixtures::fileBytes(fixture("jet4/LEXA.MDB")));
        QCOMPARE(files["THEME.MDB.access"], Fixtures::fileBytes(fixture("jet4/THEME.MDB")));
        for (const char* part : {"Wörter: 134", "Themen: 21", "Icons: 66", "LEXA.MDB.access"}) {
            QVERIFY2(m_report.summary().contains(QString::fromUtf8(part)), part);
        }
        // A second run finds nothing to do and touches nothing.
        ConversionReport again;
        QVERIFY(legacyFiles(m_dir.path()).isEmpty());
        QCOMPARE(convert(m_dir.path(), &again), QString());
        QVERIFY(again.files.isEmpty());
        QCOMPARE(snapshot(m_dir.path()), files);
    }

    void unreadableIconIsKeptAndReported()
    {
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        // Spoil the first 766-byte picture stream header: the icon of "Fisch", record 8.
        QByteArray file = Fixtures::fileBytes(dir.filePath("LEXA.MDB"));
        const qsizetype icon = file.indexOf(QByteArray("lt\0\0\xfe\x02\0\0", 8));
        QVERIFY(icon > 0);
        file[icon] = 'X';
        QVERIFY(Fixtures::writeFile(dir.filePath("LEXA.MDB"), file));
        ConversionReport report;
        QCOMPARE(convert(dir.path(), &report), QString());
        QCOMPARE(report.icons, 65);
        QCOMPARE(report.problems.size(), 1);
        QVERIFY2(report.problems[0].contains("„Fisch“ (Datensatz 8)"),
                 qPrintable(report.problems[0]));
        QVERIFY(report.summary().contains(report.problems[0]));
        QCOMPARE(Fixtures::query(dir.filePath("LEXA.MDB"),
                                 "SELECT \"icone integree\" FROM lexa ORDER BY rowid")[7][0],
                 QVariant(file.mid(icon, 774)));
    }

    // An existing backup is never overwritten. A file cut short (length) or
    // overwritten (-offset) fails naming it, and the folder stays as it was.
    void folder_data()
    {
        columns<QStringList, QString, qint64, QString>("existing", "file", "where", "backup");
        const QString a = "LEXA.MDB.access", a2 = "LEXA.MDB.access-2";
        row("none", QStringList(), "", qint64(0), a);
        row("first taken", QStringList({a}), "", qint64(0), a2);
        row("two taken", QStringList({a, a2}), "", qint64(0), QString("LEXA.MDB.access-3"));
        row("gap", QStringList({a2}), "", qint64(0), a);
        row("cut in header page", QStringList(), "LEXA.MDB", qint64(100), QString());
        row("cut by one byte", QStringList(), "LEXA.MDB", qint64(204799), QString());
        row("themes cut", QStringList(), "THEME.MDB", qint64(50000), QString());
        row("version", QStringList(), "LEXA.MDB", qint64(-20), QString());
        row("catalogue page", QStringList(), "LEXA.MDB", qint64(-8192), QString());
        row("table definition", QStringList(), "LEXA.MDB", qint64(-98304), QString());
        row("themes catalogue", QStringList(), "THEME.MDB", qint64(-8192), QString());
    }
    void folder()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, file);
        QFETCH(qint64, where);
        QFETCH(QString, backup);
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        for (const QString& name : existing) {
            QVERIFY(Fixtures::writeFile(dir.filePath(name), name.toUtf8()));
        }
        QByteArray bytes = Fixtures::fileBytes(dir.filePath(file));
        where > 0
            ? bytes.truncate(where)
            : void(bytes.replace(-where, 16,
                                 QByteArray("\xde\xad\xbe\xef\xff\xff\xff\xff\0\0\0\0ABCD", 16)));
        QVERIFY(file.isEmpty() || Fixtures::writeFile(dir.filePath(file), bytes));
        const auto before = snapshot(dir.path());
        QCOMPARE(backupName(dir.path(), "LEXA.MDB"), backup.isEmpty() ? "LEXA.MDB.access" : backup);
        ConversionReport report;
        const QString error = convert(dir.path(), &report);
        QVERIFY2(file.isEmpty() ? error.isEmpty() : error.contains("„" + file + "“"),
                 qPrintable(error));
        if (!file.isEmpty()) {
            QCOMPARE(snapshot(dir.path()), before);
            return;
        }
        QCOMPARE(report.backups.value(0), backup);
        QCOMPARE(Fixtures::fileBytes(dir.filePath(backup)),
                 Fixtures::fileBytes(fixture("jet4/LEXA.MDB")));
        for (const QString& name : existing) {
            QCOMPARE(Fixtures::fileBytes(dir.filePath(name)), name.toUtf8());
        }
    }

    // What the reader prints (`stream`) or does (`script`) becomes a message;
    // no message: the stream's two records are read. "missing": no reader at all.
    void readerOutcome_data()
    {
        columns<QString, QByteArray, QString>("script", "stream", "message");
        row("valid", "", ValidStream, "");
        for (qsizetype length = 0; length < ValidStream.size(); ++length) {
            QTest::addRow("cut at %lld", qint64(length))
                << QString() << ValidStream.left(length) << "unvollständig";
        }
        const QString bad = "unvollständig";
        const QByteArray none;
        const auto oneField = [](const QByteArray& records, quint32 count) {
            return QByteArray("LXMR\1\1\0\0\0\1\0\0\0a", 14) + records + "E" + le(count);
        };
        row("magic", "", QByteArray("LXMX") + ValidStream.mid(4), bad);
        row("version", "", QByteArray(ValidStream).replace(4, 1, "\2"), bad);
        row("bytes after end", "", ValidStream + "x", bad);
        row("value tag", "", oneField("RX", 1), bad);
        row("count too high", "", oneField("RN", 2), bad);
        row("text not UTF-8", "", oneField("RT" + le(1) + "\xc3", 1), bad);
        row("length beyond end", "", oneField(QByteArray("RT\xff\0\0\0abc", 9), 1), bad);
        row("hangs", "exec sleep 30", none, "länger als 1 Sek");
        row("crashes", "kill -SEGV $$", none, "brach ab");
        row("not access", "exit 2", none, "keine lesbare Access");
        row("no table", "exit 3", none, "Tabelle „lexa“ fehlt");
        row("damaged", "exit 4", none, "beschädigt");
        row("too large", "exit 5", none, "zu groß");
        row("missing", "missing", none, "/nonexistent/lexa-mdb-reader");
    }
    void readerOutcome()
    {
        QFETCH(QString, script);
        QFETCH(QByteArray, stream);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        LegacyReader reader;
        reader.setProgram(script == "missing" ? "/nonexistent/lexa-mdb-reader" : dir.filePath("r"));
        QVERIFY(Fixtures::writeFile(dir.filePath("s"), stream));
        const QByteArray cat = "cat " + dir.filePath("s").toUtf8();
        QVERIFY(Fixtures::writeFile(dir.filePath("r"),
                                    "#!/bin/sh\n" + (script.isEmpty() ? cat : script.toUtf8())));
        QFile::setPermissions(dir.filePath("r"), QFile::ReadOwner | QFile::ExeOwner);
        reader.setTimeout(std::chrono::milliseconds(400));
        LegacyTable table{{"old"}, {{"old"}}};
        QString error;
        QCOMPARE(reader.read(fixture("jet4/LEXA.MDB"), "lexa", &table, &error), message.isEmpty());
        QVERIFY2(error.contains(message), qPrintable(error));
        if (message.isEmpty()) {
            QCOMPARE(table.fields, QStringList({"mot", "icone integree"}));
            QCOMPARE(table.records, QList<QVariantList>({{QString("Bär"), QVariant()},
                                                         {QString(""), QByteArray("\0\1", 2)}}));
        }
    }

    // The Jet 3 sample as mdb-export prints it, a hash standing for a long
    // value. Text is Windows-1252 (`patch` replaces the currency symbol),
    // also where it differs from ISO-8859-1.
    void jet3Values_data()
    {
        columns<char, QString>("patch", "symbol");
        row("as stored", char(0), "£");
        row("euro", '\x80', "€");
        row("undefined in 1252", '\x81', "\u0081");
    }
    void jet3Values()
    {
        QFETCH(char, patch);
        QByteArray file = Fixtures::fileBytes(fixture("jet3/test2V1997.mdb"));
        // The company "T" and the currency symbol, then the next value's length.
        const qsizetype symbol = file.indexOf(QByteArray("T\xa3\x08", 3)) + 1;
        QVERIFY(symbol > 0);
        file[symbol] = patch ? patch : file[symbol];
        const QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath("patched.mdb"), file));
        LegacyTable table;
        QString error;
        QVERIFY2(LegacyReader().read(dir.filePath("patched.mdb"), "MSP_PROJECTS", &table, &error),
                 qPrintable(error));
        QCOMPARE(table.fields.size(), 74);
        QCOMPARE(table.records.size(), 1);
        const QVariantList& r = table.records[0];
        QCOMPARE(r.count(QVariant()), 14);
        const auto value = [&](const char* field) { return r.value(table.fields.indexOf(field)); };
        QCOMPARE(value("PROJ_NAME"), QVariant("Project1"));
        QCOMPARE(sha256(value("PROJ_PROP_AUTHOR").toByteArray()),
                 "1b6d3223f06bebfb9183ff14e45e5ed0d0b1662a3209e0635c5b4dd2095cfa89");
        QCOMPARE(value("PROJ_PROP_CATEGORY"), QVariant());
        QCOMPARE(value("PROJ_CREATION_DATE_EX"), QVariant("2006-02-03 22:11:05"));
        QTEST(value("PROJ_OPT_CURRENCY_SYMBOL").toString(), "symbol");
    }

    // Stored form, the plain picture inside (empty: the stored bytes), readable.
    void plainPictureOfEachForm_data()
    {
        columns<QByteArray, QByteArray, bool>("stored", "plain", "readable");
        const QByteArray ico = Fixtures::icoBytes(0x006400),
                         bmp = Fixtures::icoBytes(0x006400, "BMP"), package = olePackage(ico);
        const QByteArray lt("lt\0\0", 4), stream = lt + prefixed(ico), none;
        row("plain ico", ico, ico, true);
        row("plain bmp", bmp, bmp, true);
        row("stream ico", stream, ico, true);
        row("stream, bytes after", stream + "xyz", ico, true);
        row("stream longer than value", lt + le(ico.size() + 1) + ico, none, false);
        row("stream header cut", QByteArray("lt\0\0\7\0", 6), none, false);
        row("stream of no picture", lt + prefixed("Hund"), QByteArray("Hund"), false);
        row("package", package, ico, true);
        row("package cut", package.chopped(9), none, false);
        row("other OLE class", olePackage(ico, {"PBrush\0", 7}), none, false);
        row("package signature", olePackage(ico, {"Package\0", 8}, 3), none, false);
        row("empty", none, none, false);
    }
    void plainPictureOfEachForm()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, plain);
        QCOMPARE(plainPicture(stored), plain.isEmpty() ? stored : plain);
        QTEST(isReadablePicture(plainPicture(stored)), "readable");
    }

    // The boxes that come at start-up, in order, and whether start-up goes on.
    void startupDialogue_data()
    {
        columns<QString, QStringList>("answer", "boxes"); // empty: no old files
        row("nothing to convert", "", QStringList());
        row("yes", "yes", QStringList({"„LEXA.MDB“ und „THEME.MDB“", "Wörter: 134"}));
        row("no", "no", QStringList({"umgewandelt werden?", "nur mit umgewandelten"}));
        row("yes, damaged", "damaged",
            QStringList({"umgewandelt werden?", "„LEXA.MDB“ konnte nicht umgewandelt"}));
    }
    void startupDialogue()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, boxes);
        const QTemporaryDir dir;
        QVERIFY(answer.isEmpty() || copyJet4(dir.path()));
        const QString lexa = dir.filePath("LEXA.MDB");
        QVERIFY(answer != "damaged" ||
                Fixtures::writeFile(lexa, Fixtures::fileBytes(lexa).left(150000)));
        const auto before = snapshot(dir.path());
        MessageBox::setNextAnswer(answer == "no" ? QMessageBox::No : QMessageBox::Yes);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        const bool goesOn = answer.isEmpty() || answer == "yes";
        QCOMPARE(offerLegacyConversion(nullptr, dir.path()), goesOn);
        const QStringList shown = MessageBox::takeAnswered();
        QCOMPARE(shown.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            QVERIFY2(shown[i].contains(boxes[i]), qPrintable(shown[i]));
        }
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(databaseKind(lexa) == DatabaseKind::SQLite, answer == "yes");
        QCOMPARE(databaseKind(dir.filePath("THEME.MDB")) == DatabaseKind::SQLite, answer == "yes");
        QVERIFY(answer == "yes" || snapshot(dir.path()) == before);
    }
};

QTEST_MAIN(TestLegacyConversion)
#include "tst_legacyconversion.moc"
