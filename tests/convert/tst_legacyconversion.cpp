#include "Fixtures.h"
#include "app/LegacyStartup.h"
#include "convert/DatabaseKind.h"
#include "convert/LegacyConversion.h"
#include "convert/Pictures.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QtTest>

namespace {

using Fixtures::columns;
using Fixtures::fileBytes;
using Fixtures::row;

const auto le = [](quint32 v, int size = 4) { return QByteArray((const char*)&v, size); };
const auto prefixed = [](const QByteArray& bytes) { return le(bytes.size()) + bytes; };

// A stream in the format of lexa-mdb-reader: two fields, two records.
const QByteArray ValidStream = QByteArray("LXMR\1", 5) + le(2) + le(3) + "mot" + le(14) +
                               "icone integree" + "RT" + le(4) + "Bär" + "NRT" + le(0) + "B" +
                               le(2) + QByteArray("\0\1", 2) + "E" + le(2);

// An OLE object as the old platform stores a file dropped into a field.
QByteArray olePackage(const QByteArray& file, const QByteArray& cls = {"Package\0", 8},
                      quint16 signature = 2)
{
    const QByteArray header = QByteArray("\x15\x1c") + le(50, 2) + le(2) + le(22, 2) + le(8, 2) +
                              le(20, 2) + le(42, 2) + le(0xffffffff) +
                              QByteArray("Packager Shell Object\0Package\0", 30);
    const QByteArray path("C:\\LEXA\\ICONES\\bild.ico\0", 24);
    const QByteArray native = le(signature, 2) + QByteArray("bild.ico\0", 9) + path +
                              le(0x00030000) + prefixed(path) + prefixed(file);
    return header + le(0x0501) + le(2) + prefixed(cls) + prefixed({}) + prefixed({}) +
           prefixed(native);
}

const QStringList Fields = {"mot",        "determinant",    "categorie",          "theme",
                            "mot marque", "icone integree", "fichier son associe"};

} // namespace

class TestLegacyConversion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ConversionReport m_report;

    static QString fixture(const QString& name) { return LEXA_LEGACY_FIXTURES "/" + name; }
    static QString sha256(const QByteArray& b)
    {
        return b.isEmpty() ? "" : QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex();
    }
    static bool copyJet4(const QString& dir)
    {
        return Fixtures::writeFile(dir + "/LEXA.MDB", fileBytes(fixture("jet4/LEXA.MDB"))) &&
               Fixtures::writeFile(dir + "/THEME.MDB", fileBytes(fixture("jet4/THEME.MDB")));
    }
    static QMap<QString, QByteArray> snapshot(const QString& dir)
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden)) {
            files.insert(name, fileBytes(dir + "/" + name));
        }
        return files;
    }
    // The conversion's error, empty when it succeeds.
    static QString convert(const QString& dir, ConversionReport* report)
    {
        QString error;
        return convertLegacyFiles(dir, LegacyReader(), report, &error) ? QString() : error + u'!';
    }
    // The stored values in order: "-" for none, a picture as its size and hash.
    QStringList stored(const QString& file, const QString& sql) const
    {
        QStringList values;
        for (const QVariantList& record : Fixtures::query(m_dir.filePath(file), sql)) {
            for (const QVariant& v : record) {
                const QByteArray b = v.toByteArray();
                values << (v.typeId() == QMetaType::QByteArray
                               ? QString::number(b.size()) + ' ' + sha256(b)
                           : v.isNull() ? "-"
                                        : v.toString());
            }
        }
        return values;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(copyJet4(m_dir.path()));
        QCOMPARE(convert(m_dir.path(), &m_report), QString());
    }
    void cleanup() { MessageBox::resetSeam(); }

    // An empty mark is the column's default "N", held in the Access file itself.
    void sampleArrivesAndOriginalsStay()
    {
        const QJsonObject json =
            QJsonDocument::fromJson(fileBytes(fixture("jet4/expected.json"))).object();
        QStringList words, themes;
        for (const QJsonValue& word : json["lexa"].toArray()) {
            for (const QString& field : Fields) {
                const QJsonValue v = word[field];
                words << (v.isObject()
                              ? QString::number(v["bytes"].toInt()) + ' ' + v["sha256"].toString()
                          : v.isNull() && field == "mot marque" ? "N"
                                                                : v.toString("-"));
            }
        }
        for (const QJsonValue& theme : json["themes"].toArray()) {
            themes << theme.toString("-");
        }
        QCOMPARE(stored("LEXA.MDB", "SELECT \"" + Fields.join("\", \"") + "\" FROM lexa"), words);
        QCOMPARE(stored("THEME.MDB", "SELECT theme FROM themes ORDER BY rowid"), themes);
        QCOMPARE(m_report.problems, QStringList());
        QCOMPARE(m_report.files, QStringList({"LEXA.MDB", "THEME.MDB"}));
        const auto files = snapshot(m_dir.path());
        QCOMPARE(files.keys(),
                 QStringList({"LEXA.MDB", "LEXA.MDB.access", "THEME.MDB", "THEME.MDB.access"}));
        QCOMPARE(files["LEXA.MDB.access"], fileBytes(fixture("jet4/LEXA.MDB")));
        QCOMPARE(files["THEME.MDB.access"], fileBytes(fixture("jet4/THEME.MDB")));
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

    // An existing backup is never overwritten. A file cut short (length) or
    // overwritten (-offset) fails naming it, and the folder stays as it was.
    // Overwriting the first 766-byte picture header (0), the icon of "Fisch",
    // record 8, keeps that icon as stored and reports it.
    void folder_data()
    {
        columns<QString, QString, qint64, QString>("existing", "file", "where", "backup");
        row("none", "", "", qint64(0), "LEXA.MDB.access");
        row("two taken", "LEXA.MDB.access LEXA.MDB.access-2", "", qint64(0), "LEXA.MDB.access-3");
        row("gap", "LEXA.MDB.access-2", "", qint64(0), "LEXA.MDB.access");
        row("cut in header page", "", "LEXA.MDB", qint64(100), "");
        row("cut by one byte", "", "LEXA.MDB", qint64(204799), "");
        row("version", "", "LEXA.MDB", qint64(-20), "");
        row("catalogue page", "", "LEXA.MDB", qint64(-8192), "");
        row("table definition", "", "LEXA.MDB", qint64(-98304), "");
        row("themes catalogue", "", "THEME.MDB", qint64(-8192), "");
        row("unreadable icon", "", "LEXA.MDB", qint64(0), "LEXA.MDB.access");
    }
    void folder()
    {
        QFETCH(QString, existing);
        QFETCH(QString, file);
        QFETCH(qint64, where);
        QFETCH(QString, backup);
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        for (const QString& name : existing.split(u' ', Qt::SkipEmptyParts)) {
            QVERIFY(Fixtures::writeFile(dir.filePath(name), name.toUtf8()));
        }
        QByteArray bytes = fileBytes(dir.filePath(file));
        const qsizetype at =
            where < 0 ? -where : bytes.indexOf(QByteArray("lt\0\0\xfe\x02\0\0", 8));
        where > 0 ? bytes.truncate(where)
                  : void(bytes.replace(
                        at, 16, QByteArray("\xde\xad\xbe\xef\xff\xff\xff\xff\0\0\0\0ABCD", 16)));
        QVERIFY(file.isEmpty() || Fixtures::writeFile(dir.filePath(file), bytes));
        const auto before = snapshot(dir.path());
        QCOMPARE(backupName(dir.path(), "LEXA.MDB"), backup.isEmpty() ? "LEXA.MDB.access" : backup);
        ConversionReport report;
        const QString error = convert(dir.path(), &report);
        QVERIFY2(backup.isEmpty() ? error.contains("„" + file + "“") : error.isEmpty(),
                 qPrintable(error));
        if (backup.isEmpty()) {
            QCOMPARE(snapshot(dir.path()), before);
            return;
        }
        QCOMPARE(report.backups.value(0), backup);
        QCOMPARE(fileBytes(dir.filePath(backup)), before["LEXA.MDB"]);
        for (const QString& name : existing.split(u' ', Qt::SkipEmptyParts)) {
            QCOMPARE(fileBytes(dir.filePath(name)), name.toUtf8());
        }
        const bool spoiled = !file.isEmpty();
        QCOMPARE(report.icons, 66 - spoiled);
        QCOMPARE(report.problems.size(), qsizetype(spoiled));
        QVERIFY(!spoiled || (report.problems[0].contains("„Fisch“ (Datensatz 8)") &&
                             report.summary().contains(report.problems[0]) &&
                             Fixtures::query(dir.filePath("LEXA.MDB"),
                                             "SELECT \"icone integree\" FROM lexa")[7][0] ==
                                 bytes.mid(at, 774)));
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
        const auto oneField = [](const QByteArray& records, quint32 count) {
            return QByteArray("LXMR\1\1\0\0\0\1\0\0\0a", 14) + records + "E" + le(count);
        };
        const QMap<const char*, QByteArray> bad = {
            {"magic", "LXMX" + ValidStream.mid(4)},
            {"version", QByteArray(ValidStream).replace(4, 1, "\2")},
            {"bytes after end", ValidStream + "x"},
            {"value tag", oneField("RX", 1)},
            {"count too high", oneField("RN", 2)},
            {"text not UTF-8", oneField("RT" + le(1) + "\xc3", 1)},
            {"length beyond end", oneField(QByteArray("RT\xff\0\0\0abc", 9), 1)}};
        for (auto it = bad.begin(); it != bad.end(); ++it) {
            row(it.key(), QString(), it.value(), "unvollständig");
        }
        const QStringList scripts = {"exec sleep 30|länger als 1 Sek",
                                     "kill -SEGV $$|brach ab",
                                     "exit 2|keine lesbare Access",
                                     "exit 3|Tabelle „lexa“ fehlt",
                                     "exit 4|beschädigt",
                                     "exit 5|zu groß",
                                     "missing|/nonexistent/lexa-mdb-reader"};
        for (const QString& s : scripts) {
            row(qPrintable(s), s.section(u'|', 0, 0), QByteArray(), s.section(u'|', 1));
        }
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
        columns<char, QString>("patch", "values");
        const QString v =
            "74|1|14|Project1|1b6d3223f06bebfb9183ff14e45e5ed0d0b1662a3209e0635c5b4dd2095"
            "cfa89|2006-02-03 22:11:05|";
        row("euro", '\x80', v + "€");
        row("undefined in 1252", '\x81', v + "\u0081");
    }
    void jet3Values()
    {
        QFETCH(char, patch);
        QByteArray file = fileBytes(fixture("jet3/test2V1997.mdb"));
        // The company "T" and the currency symbol, then the next value's length.
        const qsizetype symbol = file.indexOf(QByteArray("T\xa3\x08", 3)) + 1;
        QVERIFY(symbol > 0);
        file[symbol] = patch;
        const QTemporaryDir dir;
        QVERIFY(Fixtures::writeFile(dir.filePath("patched.mdb"), file));
        LegacyTable table;
        QString error;
        QVERIFY2(LegacyReader().read(dir.filePath("patched.mdb"), "MSP_PROJECTS", &table, &error),
                 qPrintable(error));
        // Field and record counts, nulls, then values, a hash standing for the long one.
        const QVariantList r = table.records.value(0);
        const auto value = [&](const char* f) {
            return r.value(table.fields.indexOf(f)).toString();
        };
        QTEST(QStringList({QString::number(table.fields.size()),
                           QString::number(table.records.size()), QString::number(r.count({})),
                           value("PROJ_NAME"), sha256(value("PROJ_PROP_AUTHOR").toUtf8()),
                           value("PROJ_CREATION_DATE_EX"), value("PROJ_OPT_CURRENCY_SYMBOL")})
                  .join(u'|'),
              "values");
    }

    // Stored form, the plain picture inside (empty: the stored bytes), readable.
    void plainPictureOfEachForm_data()
    {
        columns<QByteArray, QByteArray, bool>("stored", "plain", "readable");
        const QByteArray ico = Fixtures::icoBytes(0x006400),
                         bmp = Fixtures::icoBytes(0x006400, "BMP"), package = olePackage(ico);
        const QByteArray lt("lt\0\0", 4), stream = lt + prefixed(ico), none;
        row("plain ico", ico, none, true);
        row("plain bmp", bmp, none, true);
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
        columns<QString, QString>("answer", "boxes"); // empty answer: no old files
        row("nothing to convert", "", "");
        row("yes", "yes", "„LEXA.MDB“ und „THEME.MDB“|Wörter: 134");
        row("no", "no", "umgewandelt werden?|nur mit umgewandelten");
        row("yes, damaged", "damaged", "umgewandelt werden?|„LEXA.MDB“ konnte nicht umgewandelt");
    }
    void startupDialogue()
    {
        QFETCH(QString, answer);
        QFETCH(QString, boxes);
        const QTemporaryDir dir;
        QVERIFY(answer.isEmpty() || copyJet4(dir.path()));
        const QString lexa = dir.filePath("LEXA.MDB");
        QVERIFY(answer != "damaged" || Fixtures::writeFile(lexa, fileBytes(lexa).left(150000)));
        const auto before = snapshot(dir.path());
        MessageBox::setNextAnswer(answer == "no" ? QMessageBox::No : QMessageBox::Yes);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QCOMPARE(offerLegacyConversion(nullptr, dir.path()), answer.isEmpty() || answer == "yes");
        const QStringList shown = MessageBox::takeAnswered(),
                          parts = boxes.split(u'|', Qt::SkipEmptyParts);
        QCOMPARE(shown.size(), parts.size());
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QVERIFY2(shown[i].contains(parts[i]), qPrintable(shown[i]));
        }
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(databaseKind(lexa) == DatabaseKind::SQLite, answer == "yes");
        QCOMPARE(databaseKind(dir.filePath("THEME.MDB")) == DatabaseKind::SQLite, answer == "yes");
        QVERIFY(answer == "yes" || snapshot(dir.path()) == before);
    }
};

QTEST_MAIN(TestLegacyConversion)
#include "tst_legacyconversion.moc"
