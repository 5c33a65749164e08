#include "LegacyFixtures.h"
#include "convert/LegacyConversion.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace LegacyFixtures;

namespace {

const QStringList DictionaryFields = {QStringLiteral("mot"),
                                      QStringLiteral("determinant"),
                                      QStringLiteral("categorie"),
                                      QStringLiteral("theme"),
                                      QStringLiteral("mot marque"),
                                      QStringLiteral("icone integree"),
                                      QStringLiteral("fichier son associe")};

QString selectAll(const QStringList& fields, const QString& table)
{
    return QStringLiteral("SELECT \"%1\" FROM %2 ORDER BY rowid")
        .arg(fields.join(QStringLiteral("\", \"")), table);
}

QJsonObject expectedJson()
{
    return QJsonDocument::fromJson(fileBytes(fixture(QStringLiteral("jet4/expected.json"))))
        .object();
}

bool convert(const QString& dir, ConversionReport* report, QString* error)
{
    return convertLegacyFiles(dir, LegacyReader(), report, error);
}

} // namespace

class TestLegacyConversion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ConversionReport m_report;
    QJsonObject m_expected;
    QList<QVariantList> m_words;

private slots:
    void initTestCase()
    {
        QVERIFY(copyJet4(m_dir.path()));
        QString error;
        QVERIFY2(convert(m_dir.path(), &m_report, &error), qPrintable(error));
        m_expected = expectedJson();
        m_words = sqliteRows(m_dir.filePath(QStringLiteral("LEXA.MDB")),
                             selectAll(DictionaryFields, QStringLiteral("lexa")));
    }

    void everyWordArrives_data()
    {
        QTest::addColumn<int>("index");
        const QJsonArray records = expectedJson().value(QStringLiteral("lexa")).toArray();
        for (int i = 0; i < records.size(); ++i) {
            const QString word = records[i].toObject().value(QStringLiteral("mot")).toString();
            QTest::addRow("%d %s", i + 1, qPrintable(word)) << i;
        }
    }

    void everyWordArrives()
    {
        QFETCH(int, index);
        const QJsonObject expected =
            m_expected.value(QStringLiteral("lexa")).toArray()[index].toObject();
        QVERIFY(index < m_words.size());
        const QVariantList& actual = m_words[index];
        for (qsizetype f = 0; f < DictionaryFields.size(); ++f) {
            const QString& field = DictionaryFields[f];
            const QJsonValue value = expected.value(field);
            if (field == QLatin1String("icone integree")) {
                checkIcon(value, actual[f]);
            } else if (value.isNull() && field == QLatin1String("mot marque")) {
                // These records hold the column's default "N" in the Access
                // file itself (mdb-export shows it too), not an empty field.
                QCOMPARE(actual[f], QVariant(QStringLiteral("N")));
            } else if (value.isNull()) {
                QVERIFY2(!actual[f].isValid(), qPrintable(field));
            } else {
                QCOMPARE(actual[f], QVariant(value.toString()));
            }
        }
    }

    void nothingMoreArrives()
    {
        QCOMPARE(m_words.size(), m_expected.value(QStringLiteral("lexa")).toArray().size());
    }

    void everyThemeArrives()
    {
        QVariantList expected;
        for (const QJsonValue& theme : m_expected.value(QStringLiteral("themes")).toArray()) {
            expected.append(theme.isNull() ? QVariant() : QVariant(theme.toString()));
        }
        QVariantList actual;
        for (const QVariantList& row :
             sqliteRows(m_dir.filePath(QStringLiteral("THEME.MDB")),
                        selectAll({QStringLiteral("theme")}, QStringLiteral("themes")))) {
            actual.append(row[0]);
        }
        QCOMPARE(actual, expected);
    }

    void reportCountsAndKeepsOriginals()
    {
        QCOMPARE(m_report.words, 134);
        QCOMPARE(m_report.themes, 21);
        QCOMPARE(m_report.icons, 66);
        QCOMPARE(m_report.problems, QStringList());
        QCOMPARE(m_report.files, QStringList({"LEXA.MDB", "THEME.MDB"}));
        QCOMPARE(m_report.backups, QStringList({"LEXA.MDB.access", "THEME.MDB.access"}));
        QCOMPARE(snapshot(m_dir.path()).keys(),
                 QStringList({"LEXA.MDB", "LEXA.MDB.access", "THEME.MDB", "THEME.MDB.access"}));
        for (const QString name : {"LEXA.MDB", "THEME.MDB"}) {
            QCOMPARE(fileBytes(m_dir.filePath(name + QStringLiteral(".access"))),
                     fileBytes(fixture(QStringLiteral("jet4/") + name)));
        }
        const QString summary = m_report.summary();
        for (const char* part : {"Wörter: 134", "Themen: 21", "Icons: 66", "LEXA.MDB.access"}) {
            QVERIFY2(summary.contains(QString::fromUtf8(part)), part);
        }
    }

    void convertedFolderIsLeftAlone()
    {
        const auto before = snapshot(m_dir.path());
        ConversionReport report;
        QString error;
        QVERIFY(legacyFiles(m_dir.path()).isEmpty());
        QVERIFY(convert(m_dir.path(), &report, &error));
        QVERIFY(report.files.isEmpty());
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    void unreadableIconIsKeptAndReported()
    {
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        // Spoil the first 766-byte picture stream header in the file: the icon
        // of "Fisch", record 8.
        QByteArray file = fileBytes(dir.filePath(QStringLiteral("LEXA.MDB")));
        const qsizetype icon = file.indexOf(QByteArray("lt\0\0\xfe\x02\0\0", 8));
        QVERIFY(icon > 0);
        file[icon] = 'X';
        QVERIFY(writeFile(dir.filePath(QStringLiteral("LEXA.MDB")), file));
        ConversionReport report;
        QString error;
        QVERIFY2(convert(dir.path(), &report, &error), qPrintable(error));
        QCOMPARE(report.icons, 65);
        QCOMPARE(report.problems.size(), 1);
        QVERIFY2(report.problems[0].contains(QStringLiteral("„Fisch“ (Datensatz 8)")),
                 qPrintable(report.problems[0]));
        QVERIFY(report.summary().contains(report.problems[0]));
        const QByteArray kept =
            sqliteRows(dir.filePath(QStringLiteral("LEXA.MDB")),
                       QStringLiteral("SELECT \"icone integree\" FROM lexa ORDER BY rowid"))[7][0]
                .toByteArray();
        QCOMPARE(kept, file.mid(icon, 774));
    }

    void summaryListsAtMostTwentyProblems()
    {
        ConversionReport report;
        for (int i = 1; i <= 23; ++i) {
            report.problems.append(QStringLiteral("Icon von Datensatz %1").arg(i));
        }
        const QString summary = report.summary();
        QVERIFY(summary.contains(QStringLiteral("Datensatz 20\n")));
        QVERIFY(!summary.contains(QStringLiteral("Datensatz 21")));
        QVERIFY(summary.endsWith(QStringLiteral("… und 3 weitere")));
    }

    // Fields are matched by name; what does not match is reported.
    void fieldsMatchByName_data()
    {
        QTest::addColumn<QList<QByteArray>>("fields");
        QTest::addColumn<QVariantList>("expected"); // mot, "mot marque"; empty: fails
        QTest::addColumn<QString>("message");
        QTest::newRow("letter case")
            << QList<QByteArray>({"MOT", "Mot Marque"}) << QVariantList({"v0", "v1"})
            << QStringLiteral("Feld „determinant“ fehlt in „LEXA.MDB“");
        QTest::newRow("mark missing") << QList<QByteArray>({"mot"}) << QVariantList({"v0", "N"})
                                      << QStringLiteral("Feld „mot marque“ fehlt");
        QTest::newRow("extra field")
            << QList<QByteArray>({"mot", "bemerkung", "mot marque"}) << QVariantList({"v0", "v2"})
            << QStringLiteral("Feld „bemerkung“ aus „LEXA.MDB“");
        QTest::newRow("none of ours")
            << QList<QByteArray>({"x"}) << QVariantList() << QStringLiteral("keines der Felder");
    }

    void fieldsMatchByName()
    {
        QFETCH(QList<QByteArray>, fields);
        QFETCH(QVariantList, expected);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("LEXA.MDB")),
                          fileBytes(fixture(QStringLiteral("jet4/LEXA.MDB"))).left(4096)));
        Stream stream;
        stream.header(fields).record();
        for (qsizetype i = 0; i < fields.size(); ++i) {
            stream.text("v" + QByteArray::number(i));
        }
        QVERIFY(writeFile(dir.filePath(QStringLiteral("stream")), stream.end(1).data()));
        LegacyReader reader;
        reader.setProgram(fakeReader(dir.path(), "cat \"$(dirname \"$0\")/stream\""));

        ConversionReport report;
        QString error;
        const bool converted = convertLegacyFiles(dir.path(), reader, &report, &error);
        QCOMPARE(converted, !expected.isEmpty());
        const QString said = converted ? report.summary() : error;
        QVERIFY2(said.contains(message), qPrintable(said));
        if (converted) {
            QCOMPARE(sqliteRows(dir.filePath(QStringLiteral("LEXA.MDB")),
                                QStringLiteral("SELECT mot, \"mot marque\" FROM lexa")),
                     QList<QVariantList>({expected}));
        }
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
            QVERIFY(writeFile(dir.filePath(name), name.toUtf8()));
        }
        QCOMPARE(backupName(dir.path(), QStringLiteral("LEXA.MDB")), backup);
        ConversionReport report;
        QString error;
        QVERIFY2(convert(dir.path(), &report, &error), qPrintable(error));
        QCOMPARE(report.backups.value(0), backup);
        QCOMPARE(fileBytes(dir.filePath(backup)),
                 fileBytes(fixture(QStringLiteral("jet4/LEXA.MDB"))));
        for (const QString& name : existing) {
            QCOMPARE(fileBytes(dir.filePath(name)), name.toUtf8());
        }
    }

    // Cut short or with bytes overwritten in its structures: the conversion
    // fails naming the file, and the folder is byte for byte as it was.
    void damagedFileChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("cutAt");
        QTest::addColumn<qint64>("overwriteAt");
        const auto cut = [](const char* name, const char* file, qint64 length) {
            QTest::newRow(name) << QString::fromLatin1(file) << length << qint64(-1);
        };
        const auto overwrite = [](const char* name, const char* file, qint64 offset) {
            QTest::newRow(name) << QString::fromLatin1(file) << qint64(-1) << offset;
        };
        cut("cut in header page", "LEXA.MDB", 100);
        cut("cut in catalogue", "LEXA.MDB", 8192 + 10);
        cut("cut before table", "LEXA.MDB", 40960);
        cut("cut before records", "LEXA.MDB", 114688);
        cut("cut in long values", "LEXA.MDB", 150000);
        cut("cut by one byte", "LEXA.MDB", 204799);
        cut("themes cut", "THEME.MDB", 50000);
        overwrite("version", "LEXA.MDB", 20);
        overwrite("header", "LEXA.MDB", 64);
        overwrite("catalogue page", "LEXA.MDB", 8192);
        overwrite("catalogue records", "LEXA.MDB", 24576);
        overwrite("table definition", "LEXA.MDB", 98304);
        overwrite("usage map", "LEXA.MDB", 110592);
        overwrite("data page header", "LEXA.MDB", 114688);
        overwrite("long value page", "LEXA.MDB", 118784);
        overwrite("long value chain", "LEXA.MDB", 122880);
        overwrite("record offsets", "LEXA.MDB", 180000);
        overwrite("themes catalogue", "THEME.MDB", 8192);
    }

    void damagedFileChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(qint64, cutAt);
        QFETCH(qint64, overwriteAt);
        const QTemporaryDir dir;
        QVERIFY(copyJet4(dir.path()));
        QByteArray bytes = fileBytes(dir.filePath(file));
        if (cutAt >= 0) {
            bytes.truncate(cutAt);
        } else {
            bytes.replace(overwriteAt, 16,
                          QByteArray("\xde\xad\xbe\xef\xff\xff\xff\xff\0\0\0\0ABCD", 16));
        }
        QVERIFY(writeFile(dir.filePath(file), bytes));
        const auto before = snapshot(dir.path());

        ConversionReport report;
        QString error;
        QVERIFY(!convert(dir.path(), &report, &error));
        QVERIFY2(error.contains(QStringLiteral("„%1“").arg(file)), qPrintable(error));
        QCOMPARE(snapshot(dir.path()), before);
    }

private:
    static void checkIcon(const QJsonValue& expected, const QVariant& actual)
    {
        if (expected.isNull()) {
            QVERIFY(!actual.isValid());
            return;
        }
        const QJsonObject icon = expected.toObject();
        QCOMPARE(actual.typeId(), QMetaType::QByteArray);
        const QByteArray bytes = actual.toByteArray();
        QCOMPARE(bytes.size(), icon.value(QStringLiteral("bytes")).toInt());
        if (bytes.isEmpty()) {
            return;
        }
        QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(),
                 icon.value(QStringLiteral("sha256")).toString().toLatin1());
    }
};

QTEST_MAIN(TestLegacyConversion)
#include "tst_legacyconversion.moc"
