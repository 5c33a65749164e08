#include "LegacyFixtures.h"
#include "convert/LegacyReader.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

using namespace LegacyFixtures;

namespace {

QByteArray validStream()
{
    return Stream()
        .header({"mot", "icone integree"})
        .record()
        .text("Bär")
        .null()
        .record()
        .text("")
        .bytes(QByteArray("\0\1", 2))
        .end(2)
        .data();
}

QString sha256(const QVariant& value)
{
    const QByteArray bytes =
        value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

class TestLegacyReader : public QObject
{
    Q_OBJECT

    LegacyTable m_jet3;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(LegacyReader().read(fixture(QStringLiteral("jet3/test2V1997.mdb")),
                                     QStringLiteral("MSP_PROJECTS"), &m_jet3, &error),
                 qPrintable(error));
    }

    void parsesValidStream()
    {
        LegacyTable table;
        QVERIFY(parseReaderStream(validStream(), &table));
        QCOMPARE(table.fields,
                 QStringList({QStringLiteral("mot"), QStringLiteral("icone integree")}));
        QCOMPARE(table.records.size(), 2);
        QCOMPARE(table.records[0][0], QVariant(QStringLiteral("Bär")));
        QVERIFY(!table.records[0][1].isValid());
        QCOMPARE(table.records[1][0].typeId(), QMetaType::QString);
        QVERIFY(table.records[1][0].toString().isEmpty());
        QCOMPARE(table.records[1][1], QVariant(QByteArray("\0\1", 2)));
    }

    void rejectsEveryCutStream()
    {
        const QByteArray stream = validStream();
        for (qsizetype length = 0; length < stream.size(); ++length) {
            LegacyTable table;
            QVERIFY2(!parseReaderStream(stream.left(length), &table),
                     qPrintable(QString::number(length)));
        }
    }

    void rejectsMalformedStream_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QByteArray wrongVersion = validStream();
        wrongVersion[4] = 2;
        QTest::newRow("magic") << QByteArray("LXMX") + validStream().mid(4);
        QTest::newRow("version") << wrongVersion;
        QTest::newRow("bytes after end") << validStream() + "x";
        QTest::newRow("value tag") << Stream().header({"a"}).record().raw("X").end(1).data();
        QTest::newRow("record tag") << Stream().header({"a"}).raw("Q").end(0).data();
        QTest::newRow("count too high") << Stream().header({"a"}).record().null().end(2).data();
        QTest::newRow("count too low") << Stream().header({"a"}).record().null().end(0).data();
        QTest::newRow("text not UTF-8")
            << Stream().header({"a"}).record().text("\xc3").end(1).data();
        QTest::newRow("name not UTF-8") << Stream().header({"\xff"}).end(0).data();
        QTest::newRow("length beyond end")
            << Stream().header({"a"}).record().raw(QByteArray("T\xff\0\0\0abc", 8)).end(1).data();
    }

    void rejectsMalformedStream()
    {
        QFETCH(QByteArray, stream);
        LegacyTable table;
        QVERIFY(!parseReaderStream(stream, &table));
    }

    // Stand-ins for the reader show that every way it can fail becomes a message.
    void reportsReaderFailure_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("message");
        QTest::newRow("hangs") << QByteArray("exec sleep 30") << QStringLiteral("länger als 1 Sek");
        QTest::newRow("crashes") << QByteArray("kill -SEGV $$") << QStringLiteral("brach ab");
        QTest::newRow("no stream")
            << QByteArray("printf garbage") << QStringLiteral("unvollständig");
        QTest::newRow("not access")
            << QByteArray("exit 2") << QStringLiteral("keine lesbare Access");
        QTest::newRow("no table") << QByteArray("exit 3") << QStringLiteral("Tabelle „lexa“ fehlt");
        QTest::newRow("damaged") << QByteArray("exit 4") << QStringLiteral("beschädigt");
        QTest::newRow("too large") << QByteArray("exit 5") << QStringLiteral("zu groß");
    }

    void reportsReaderFailure()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        LegacyReader reader;
        reader.setProgram(fakeReader(dir.path(), script));
        reader.setTimeout(std::chrono::milliseconds(400));
        LegacyTable table;
        QString error;
        QVERIFY(!reader.read(fixture(QStringLiteral("jet4/LEXA.MDB")), QStringLiteral("lexa"),
                             &table, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void reportsMissingReader()
    {
        LegacyReader reader;
        reader.setProgram(QStringLiteral("/nonexistent/lexa-mdb-reader"));
        LegacyTable table;
        QString error;
        QVERIFY(!reader.read(fixture(QStringLiteral("jet4/LEXA.MDB")), QStringLiteral("lexa"),
                             &table, &error));
        QVERIFY2(error.contains(QStringLiteral("/nonexistent/lexa-mdb-reader")), qPrintable(error));
    }

    // Too little address space for the reader even to load its libraries.
    void memoryLimitApplies()
    {
        LegacyReader reader;
        reader.setMemoryLimit(2 << 20);
        LegacyTable table;
        QString error;
        QVERIFY(!reader.read(fixture(QStringLiteral("jet4/LEXA.MDB")), QStringLiteral("lexa"),
                             &table, &error));
        QVERIFY(!error.isEmpty());
    }

    void jet3Shape()
    {
        QCOMPARE(m_jet3.fields.size(), 74);
        QCOMPARE(m_jet3.records.size(), 1);
        QCOMPARE(std::count_if(m_jet3.records[0].begin(), m_jet3.records[0].end(),
                               [](const QVariant& v) { return !v.isValid(); }),
                 14);
    }

    // As mdb-export prints them (dates in ISO form); a QByteArray holds the
    // SHA-256 of a long value.
    void jet3Values_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        const auto row = [](const char* field, const QVariant& expected) {
            QTest::newRow(field) << QString::fromLatin1(field) << expected;
        };
        const auto hash = [](const char* hex) { return QVariant(QByteArray(hex)); };
        row("PROJ_ID", QStringLiteral("1"));
        row("PROJ_NAME", QStringLiteral("Project1"));
        row("PROJ_PROP_AUTHOR",
            hash("1b6d3223f06bebfb9183ff14e45e5ed0d0b1662a3209e0635c5b4dd2095cfa89"));
        row("PROJ_PROP_CATEGORY", QVariant());
        row("PROJ_PROP_COMPANY", QStringLiteral("T"));
        row("PROJ_OPT_CALC_ACT_COSTS", QStringLiteral("1"));
        row("PROJ_OPT_MULT_CRITICAL_PATHS", QStringLiteral("0"));
        row("PROJ_OPT_CURRENCY_DIGITS", QStringLiteral("2"));
        row("PROJ_OPT_CURRENCY_SYMBOL", QStringLiteral("£"));
        row("PROJ_INFO_CURRENT_DATE", QStringLiteral("2006-02-03 08:00:00"));
        row("PROJ_CREATION_DATE_EX", QStringLiteral("2006-02-03 22:11:05"));
        row("PROJ_OPT_MINUTES_PER_WEEK", QStringLiteral("2400"));
        row("PROJ_OPT_DEF_OVT_RATE", QStringLiteral("0"));
        row("PROJ_INFO_STATUS_DATE", QVariant());
        row("PROJ_DATA_SOURCE", QStringLiteral("Z:\\temp\\Project1.mpd"));
        row("PROJ_CHECKEDOUTBY", QVariant());
        row("RESERVED_BINARY_DATA",
            hash("4444aa8e05096187493aef56724710e8841de604196e58089d48ab801338ceb0"));
    }

    void jet3Values()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        const qsizetype index = m_jet3.fields.indexOf(field);
        QVERIFY(index >= 0);
        const QVariant actual = m_jet3.records[0][index];
        if (expected.typeId() == QMetaType::QByteArray) {
            QCOMPARE(sha256(actual), QString::fromLatin1(expected.toByteArray()));
        } else {
            QCOMPARE(actual, expected);
        }
    }

    // Jet 3 text is Windows-1252: each byte of a text field comes through as
    // its character, also where Windows-1252 and ISO-8859-1 differ.
    void jet3TextIsWindows1252_data()
    {
        QTest::addColumn<char>("byte");
        QTest::addColumn<QString>("expected");
        QTest::newRow("euro") << '\x80' << QStringLiteral("€");
        QTest::newRow("low quote") << '\x84' << QStringLiteral("„");
        QTest::newRow("Y diaeresis") << '\x9f' << QStringLiteral("Ÿ");
        QTest::newRow("unassigned") << '\x81' << QStringLiteral("\u0081");
        QTest::newRow("pound") << '\xa3' << QStringLiteral("£");
        QTest::newRow("a umlaut") << '\xe4' << QStringLiteral("ä");
        QTest::newRow("sharp s") << '\xdf' << QStringLiteral("ß");
    }

    void jet3TextIsWindows1252()
    {
        QFETCH(char, byte);
        QFETCH(QString, expected);
        QByteArray file = fileBytes(fixture(QStringLiteral("jet3/test2V1997.mdb")));
        // The company "T" and the currency symbol, then the next value's length.
        const qsizetype symbol = file.indexOf(QByteArray("T\xa3\x08", 3)) + 1;
        QVERIFY(symbol > 0);
        file[symbol] = byte;
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("patched.mdb"));
        QVERIFY(writeFile(path, file));
        LegacyTable table;
        QString error;
        QVERIFY2(LegacyReader().read(path, QStringLiteral("MSP_PROJECTS"), &table, &error),
                 qPrintable(error));
        QCOMPARE(table.records[0][table.fields.indexOf(QStringLiteral("PROJ_OPT_CURRENCY_SYMBOL"))],
                 QVariant(expected));
    }
};

QTEST_MAIN(TestLegacyReader)
#include "tst_legacyreader.moc"
