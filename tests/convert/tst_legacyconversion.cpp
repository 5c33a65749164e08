#include "Fixtures.h"
#include "app/LegacyStartup.h"
#include "convert/DatabaseKind.h"
#include "convert/LegacyConversion.h"
#include "convert/Pictures.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageWriter>
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

QByteArray picture(const char* format)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

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
    QJsonArray m_expected;
    QList<QVariantList> m_words;

    bool convert(const QString& dir, ConversionReport* report, QString* error)
    {
        return convertLegacyFiles(dir, LegacyReader(), report, error);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(copyJet4(m_dir.path()));
        QString error;
        QVERIFY2(convert(m_dir.path(), &m_report, &error), qPrintable(error));
        m_expected = QJsonDocument::fromJson(Fixtures::fileBytes(fixture("jet4/expected.json")))
                         .object()
                         .value("lexa")
                         .toArray();
        m_words = Fixtures::query(m_dir.filePath("LEXA.MDB"), "SELECT \"" + Fields.join("\", \"") +
                                                                  "\" FROM lexa ORDER BY rowid");
    }
    void cleanup() { MessageBox::resetSeam(); }

    void everyWordArrives_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < m_expected.size(); ++i) {
            QTest::addRow("%d %s", i + 1,
                          qPrintable(m_expected[i].toObject().value("mot").toString()))
                << i;
        }
    }
    void everyWordArrives()
    {
        QFETCH(int, index);
        QCOMPARE(m_words.size(), m_expected.size());
        const QJsonObject expected = m_expected[index].toObject();
        for (qsizetype f = 0; f < Fields.size(); ++f) {
            const QJsonValue value = expected.value(Fields[f]);
            const QVariant actual = m_words[index][f];
            if (Fields[f] == "icone integree") {
                QCOMPARE(actual.metaType(),
                         value.isNull() ? QMetaType() : QMetaType::fromType<QByteArray>());
                QCOMPARE(actual.toByteArray().size(), value["bytes"].toInt());
                QCOMPARE(sha256(actual.toByteArray()), value["sha256"].toString());
            } else if (value.isNull() && Fields[f] == "mot marque") {
                // These 27 records hold the column's default "N" in the Access
                // file itself (mdb-export shows it too), not an empty field.
                QCOMPARE(actual, QVariant(QStringLiteral("N")));
            } else {
                QCOMPARE(actual, value.isNull() ? QVariant() : QVariant(value.toString()));
            }
        }
    }

    void themesReportAndOriginals()
    {
        QVariantList expected, actual;
        const QJsonObject json =
            QJsonDocument::fromJson(Fixtures::fileBytes(fixture("jet4/expected.json"))).object();
        for (const QJsonValue& theme : json.value("themes").toArray()) {
            expected.append(theme.isNull() ? QVariant() : QVariant(theme.toString()));
        }
        for (const auto& row : Fixtures::query(m_dir.filePath("THEME.MDB"),
                                               "SELECT theme FROM themes ORDER BY rowid")) {
            actual.append(row[0]);
        }
        QCOMPARE(actual, expected);
        QCOMPARE(m_report.words, 134);
        QCOMPARE(m_report.themes, 21);
        QCOMPARE(m_report.icons, 66);
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
        QString error;
        QVERIFY(legacyFiles(m_dir.path()).isEmpty());
        QVERIFY(convert(m_dir.path(), &again, &error));
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
        QString error;
        QVERIFY2(convert(dir.path(), &report, &error), qPrintable(error));
        QCOMPARE(report.icons, 65);
        QCOMPARE(report.problems.size(), 1);
        QVERIFY2(report.problems[0].contains("„Fisch“ (Datensatz 8)"),
                 qPrintable(report.problems[0]));
        QVERIFY(report.summary().contains(report.problems[0]));
        QCOMPARE(Fixtures::query(dir.filePath("LEXA.MDB"),
                                 "SELECT \"icone integree\" FROM lexa ORDER BY rowid")[7][0],
                 QVariant(file.mid(icon, 774)));
    }

    void existingBackupIsNeverOverwritten_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("backup");
        QTest::newRow("none") << QStringList() << "LEXA.MDB.access";
        QTest::newRow("first taken") << QStringList({"LEXA.MDB.access"}) << "LEXA.MDB.access-2";
        QTest::newRow("two taken")
            << QStringList({"LEXA.MDB.access", "LEXA.MDB.access-2"}) << "LEXA.MDB.access-3";
        QTest::newRow("gap") << QStringList({"LEXA.MDB.access-2"}) << "LEXA.MDB.access";
    }
    void existingBackupIsNeverOverwritten()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, backup);
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        for (const QString& name : existing) {
            QVERIFY(Fixtures::writeFile(dir.filePath(name), name.toUtf8()));
        }
        QCOMPARE(backupName(dir.path(), "LEXA.MDB"), backup);
        ConversionReport report;
        QString error;
        QVERIFY2(convert(dir.path(), &report, &error), qPrintable(error));
        QCOMPARE(report.backups.value(0), backup);
        QCOMPARE(Fixtures::fileBytes(dir.filePath(backup)),
                 Fixtures::fileBytes(fixture("jet4/LEXA.MDB")));
        for (const QString& name : existing) {
            QCOMPARE(Fixtures::fileBytes(dir.filePath(name)), name.toUtf8());
        }
    }

    // Cut short (length) or overwritten (-offset): the conversion fails naming
    // the file, and the folder is byte for byte as it was.
    void damagedFileChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("where");
        QTest::newRow("cut in header page") << "LEXA.MDB" << qint64(100);
        QTest::newRow("cut by one byte") << "LEXA.MDB" << qint64(204799);
        QTest::newRow("themes cut") << "THEME.MDB" << qint64(50000);
        QTest::newRow("version") << "LEXA.MDB" << qint64(-20);
        QTest::newRow("catalogue page") << "LEXA.MDB" << qint64(-8192);
        QTest::newRow("table definition") << "LEXA.MDB" << qint64(-98304);
        QTest::newRow("themes catalogue") << "THEME.MDB" << qint64(-8192);
    }
    void damagedFileChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(qint64, where);
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        QByteArray bytes = Fixtures::fileBytes(dir.filePath(file));
        if (where > 0) {
            bytes.truncate(where);
        } else {
            bytes.replace(-where, 16,
                          QByteArray("\xde\xad\xbe\xef\xff\xff\xff\xff\0\0\0\0ABCD", 16));
        }
        QVERIFY(Fixtures::writeFile(dir.filePath(file), bytes));
        const auto before = snapshot(dir.path());
        ConversionReport report;
        QString error;
        QVERIFY(!convert(dir.path(), &report, &error));
        QVERIFY2(error.contains("„" + file + "“"), qPrintable(error));
        QCOMPARE(snapshot(dir.path()), before);
    }

    void rejectsMalformedStream_data()
    {
        QTest::addColumn<QByteArray>("stream");
        for (qsizetype length = 0; length < ValidStream.size(); ++length) {
            QTest::addRow("cut at %lld", qint64(length)) << ValidStream.left(length);
        }
        QTest::newRow("magic") << QByteArray("LXMX") + ValidStream.mid(4);
        QTest::newRow("version") << QByteArray(ValidStream).replace(4, 1, "\2");
        QTest::newRow("bytes after end") << ValidStream + "x";
        const auto oneField = [](const QByteArray& records, quint32 count) {
            return QByteArray("LXMR\1\1\0\0\0\1\0\0\0a", 14) + records + "E" + le(count);
        };
        QTest::newRow("value tag") << oneField("RX", 1);
        QTest::newRow("count too high") << oneField("RN", 2);
        QTest::newRow("text not UTF-8") << oneField("RT" + le(1) + "\xc3", 1);
        QTest::newRow("length beyond end") << oneField(QByteArray("RT\xff\0\0\0abc", 9), 1);
    }
    void rejectsMalformedStream()
    {
        QFETCH(QByteArray, stream);
        LegacyTable table;
        QVERIFY(!parseReaderStream(stream, &table));
        QVERIFY(parseReaderStream(ValidStream, &table));
        QCOMPARE(table.records, QList<QVariantList>({{QString("Bär"), QVariant()},
                                                     {QString(""), QByteArray("\0\1", 2)}}));
    }

    // Every way the reader can fail becomes a message; no script: no reader at all.
    void reportsReaderFailure_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("message");
        QTest::newRow("hangs") << QByteArray("exec sleep 30") << "länger als 1 Sek";
        QTest::newRow("crashes") << QByteArray("kill -SEGV $$") << "brach ab";
        QTest::newRow("garbage") << QByteArray("printf garbage") << "unvollständig";
        QTest::newRow("not access") << QByteArray("exit 2") << "keine lesbare Access";
        QTest::newRow("no table") << QByteArray("exit 3") << "Tabelle „lexa“ fehlt";
        QTest::newRow("damaged") << QByteArray("exit 4") << "beschädigt";
        QTest::newRow("too large") << QByteArray("exit 5") << "zu groß";
        QTest::newRow("missing") << QByteArray() << "/nonexistent/lexa-mdb-reader";
    }
    void reportsReaderFailure()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        LegacyReader reader;
        reader.setProgram(script.isEmpty() ? "/nonexistent/lexa-mdb-reader" : dir.filePath("r"));
        QVERIFY(Fixtures::writeFile(dir.filePath("r"), "#!/bin/sh\n" + script + "\n"));
        QFile::setPermissions(dir.filePath("r"), QFile::ReadOwner | QFile::ExeOwner);
        reader.setTimeout(std::chrono::milliseconds(400));
        LegacyTable table;
        QString error;
        QVERIFY(!reader.read(fixture("jet4/LEXA.MDB"), "lexa", &table, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    // The Jet 3 sample as mdb-export prints it, a hash standing for a long
    // value. Text is Windows-1252 (`patch` replaces the currency symbol),
    // also where it differs from ISO-8859-1.
    void jet3Values_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<char>("patch");
        const auto row = [](const char* field, const QVariant& expected, char patch = 0) {
            QTest::addRow("%s %d", field, patch) << QString(field) << expected << patch;
        };
        const auto hash = [](const char* hex) { return QVariant(QByteArray(hex)); };
        row("PROJ_NAME", "Project1");
        row("PROJ_PROP_AUTHOR",
            hash("1b6d3223f06bebfb9183ff14e45e5ed0d0b1662a3209e0635c5b4dd2095cfa89"));
        row("PROJ_PROP_CATEGORY", QVariant());
        row("PROJ_CREATION_DATE_EX", "2006-02-03 22:11:05");
        row("PROJ_OPT_CURRENCY_SYMBOL", "£");
        row("PROJ_OPT_CURRENCY_SYMBOL", "€", '\x80');
        row("PROJ_OPT_CURRENCY_SYMBOL", "\u0081", '\x81');
    }
    void jet3Values()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
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
        QCOMPARE(std::count_if(table.records[0].begin(), table.records[0].end(),
                               [](const QVariant& v) { return !v.isValid(); }),
                 14);
        QVERIFY(table.fields.contains(field));
        const QVariant actual = table.records[0][table.fields.indexOf(field)];
        if (expected.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = actual.typeId() == QMetaType::QByteArray
                                         ? actual.toByteArray()
                                         : actual.toString().toUtf8();
            QCOMPARE(sha256(bytes), QString(expected.toByteArray()));
        } else {
            QCOMPARE(actual, expected);
        }
    }

    // Stored form, the plain picture inside (empty: the stored bytes), readable.
    void plainPictureOfEachForm_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<bool>("readable");
        const QByteArray ico = picture("ico"), bmp = picture("bmp"), package = olePackage(ico);
        const QByteArray stream = QByteArray("lt\0\0", 4) + prefixed(ico);
        QTest::newRow("plain ico") << ico << ico << true;
        QTest::newRow("plain bmp") << bmp << bmp << true;
        QTest::newRow("stream ico") << stream << ico << true;
        QTest::newRow("stream, bytes after") << stream + "xyz" << ico << true;
        QTest::newRow("stream longer than value")
            << QByteArray("lt\0\0", 4) + le(ico.size() + 1) + ico << QByteArray() << false;
        QTest::newRow("stream header cut") << QByteArray("lt\0\0\7\0", 6) << QByteArray() << false;
        QTest::newRow("stream of no picture")
            << QByteArray("lt\0\0", 4) + prefixed("Hund") << QByteArray("Hund") << false;
        QTest::newRow("package") << package << ico << true;
        QTest::newRow("package cut") << package.chopped(9) << QByteArray() << false;
        QTest::newRow("other OLE class")
            << olePackage(ico, {"PBrush\0", 7}) << QByteArray() << false;
        QTest::newRow("package signature")
            << olePackage(ico, {"Package\0", 8}, 3) << QByteArray() << false;
        QTest::newRow("empty") << QByteArray() << QByteArray() << false;
    }
    void plainPictureOfEachForm()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, plain);
        QFETCH(bool, readable);
        QCOMPARE(plainPicture(stored), plain.isEmpty() ? stored : plain);
        QCOMPARE(isReadablePicture(plainPicture(stored)), readable);
    }

    // The boxes that come at start-up, in order, and whether start-up goes on.
    void startupDialogue_data()
    {
        QTest::addColumn<QList<QMessageBox::StandardButton>>("answers"); // empty: no old files
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QStringList>("boxes");
        const QList<QMessageBox::StandardButton> yes = {QMessageBox::Yes, QMessageBox::Ok};
        QTest::newRow("nothing to convert")
            << QList<QMessageBox::StandardButton>() << false << true << QStringList();
        QTest::newRow("yes") << yes << false << true
                             << QStringList({"„LEXA.MDB“ und „THEME.MDB“", "Wörter: 134"});
        QTest::newRow("no") << QList({QMessageBox::No, QMessageBox::Ok}) << false << false
                            << QStringList({"umgewandelt werden?", "nur mit umgewandelten"});
        QTest::newRow("yes, damaged")
            << yes << true << false
            << QStringList({"umgewandelt werden?", "„LEXA.MDB“ konnte nicht umgewandelt"});
    }
    void startupDialogue()
    {
        QFETCH(QList<QMessageBox::StandardButton>, answers);
        QFETCH(bool, damaged);
        QFETCH(bool, goesOn);
        QFETCH(QStringList, boxes);
        const QTemporaryDir dir;
        QVERIFY(answers.isEmpty() || copyJet4(dir.path()));
        if (damaged) {
            QVERIFY(
                Fixtures::writeFile(dir.filePath("LEXA.MDB"),
                                    Fixtures::fileBytes(dir.filePath("LEXA.MDB")).left(150000)));
        }
        const auto before = snapshot(dir.path());
        for (const auto answer : answers) {
            MessageBox::setNextAnswer(answer);
        }
        QCOMPARE(offerLegacyConversion(nullptr, dir.path()), goesOn);
        const QStringList shown = MessageBox::takeAnswered();
        QCOMPARE(shown.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            QVERIFY2(shown[i].contains(boxes[i]), qPrintable(shown[i]));
        }
        QVERIFY(!QApplication::overrideCursor());
        if (goesOn && !answers.isEmpty()) {
            QCOMPARE(databaseKind(dir.filePath("LEXA.MDB")), DatabaseKind::SQLite);
            QCOMPARE(databaseKind(dir.filePath("THEME.MDB")), DatabaseKind::SQLite);
        } else {
            QCOMPARE(snapshot(dir.path()), before);
        }
    }
};

QTEST_MAIN(TestLegacyConversion)
#include "tst_legacyconversion.moc"
