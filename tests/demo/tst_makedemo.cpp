#include "data/Schema.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

QString generator()
{
    return QCoreApplication::applicationDirPath() + "/lexa-makedemo";
}

int runGenerator(const QStringList& arguments, QString* errors = nullptr)
{
    QProcess process;
    process.start(generator(), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    if (errors) {
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    }
    return process.exitCode();
}

// The rows of `sql` on the file, each value as a QByteArray (NULL: a null one).
QList<QList<QByteArray>> query(const QString& path, const QString& sql)
{
    QList<QList<QByteArray>> rows;
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK &&
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            QList<QByteArray> row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* data = static_cast<const char*>(sqlite3_column_blob(st, c));
                row << (data ? QByteArray(data, sqlite3_column_bytes(st, c)) : QByteArray());
            }
            rows << row;
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

bool isIco32(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    // No format hint: the editor recognises an icon by its bytes.
    QImageReader reader(&buffer);
    const bool ico = reader.format() == "ico"; // known only before reading
    const QImage image = reader.read();
    return ico && image.size() == QSize(32, 32);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestMakeDemo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_demo;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(generator()), qPrintable(generator()));
        QCOMPARE(runGenerator({"--out", m_demo.path()}), 0);
    }

    void dictionary_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("minWords");
        QTest::addColumn<int>("maxWords");
        QTest::addColumn<bool>("everyWordHasIcon");
        QTest::newRow("demo") << QStringList() << 200 << 300 << false;
        QTest::newRow("one word") << QStringList{"--words", "1"} << 1 << 1 << false;
        QTest::newRow("500 words with icons")
            << QStringList{"--words", "500", "--icons"} << 500 << 500 << true;
        QTest::newRow("5441 words") << QStringList{"--words", "5441"} << 5441 << 5441 << false;
    }
    void dictionary()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, minWords);
        QFETCH(int, maxWords);
        QFETCH(bool, everyWordHasIcon);
        const QTemporaryDir dir;
        QCOMPARE(runGenerator(QStringList{"--out", dir.path()} + arguments), 0);
        const QString words = dir.filePath(Schema::DictionaryFile);
        const QString themes = dir.filePath(Schema::ThemesFile);
        const QString schema = "SELECT sql FROM sqlite_master WHERE name = '%1'";
        QCOMPARE(query(words, schema.arg(Schema::DictionaryTable)),
                 QList<QList<QByteArray>>({{QByteArray(Schema::CreateDictionary.data())}}));
        QCOMPARE(query(themes, schema.arg(Schema::ThemesTable)),
                 QList<QList<QByteArray>>({{QByteArray(Schema::CreateThemes.data())}}));
        QVERIFY(query(themes, "SELECT theme FROM themes").size() >= 12);

        const auto rows = query(words, "SELECT mot, \"icone integree\" FROM lexa ORDER BY rowid");
        QVERIFY2(rows.size() >= minWords && rows.size() <= maxWords,
                 QByteArray::number(rows.size()));
        QSet<QString> seen;
        QSet<QByteArray> icons;
        for (const auto& row : rows) {
            const QString word = QString::fromUtf8(row[0]);
            QVERIFY2(!word.isEmpty() && !seen.contains(word.toCaseFolded()), qPrintable(word));
            seen.insert(word.toCaseFolded());
            QVERIFY2(!everyWordHasIcon || !row[1].isEmpty(), qPrintable(word));
            if (!row[1].isEmpty()) {
                icons.insert(row[1]);
            }
        }
        for (const QByteArray& icon : std::as_const(icons)) {
            QVERIFY(isIco32(icon));
        }
    }

    // A word's icon is exactly one of the files in icones/ the user can pick.
    void demoIconsAreFilesToPick()
    {
        const QDir folder(m_demo.filePath("icones"));
        QSet<QByteArray> files;
        for (const QString& name : folder.entryList({"*.ico"}, QDir::Files)) {
            files.insert(fileBytes(folder.filePath(name)));
            QVERIFY2(isIco32(fileBytes(folder.filePath(name))), qPrintable(name));
        }
        int withIcon = 0;
        for (const auto& row : query(m_demo.filePath(Schema::DictionaryFile),
                                     "SELECT mot, \"icone integree\" FROM lexa")) {
            QVERIFY2(row[1].isNull() || files.contains(row[1]), row[0].constData());
            withIcon += row[1].isNull() ? 0 : 1;
        }
        QVERIFY(withIcon >= 40);
    }

    // listemot.txt as the old platform writes it: Windows-1252, CR LF.
    void demoImportFileEncoding()
    {
        const QByteArray bytes = fileBytes(m_demo.filePath("listemot.txt"));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QStringDecoder decoder("windows-1252");
        const QString text = decoder.decode(bytes);
        QVERIFY(!decoder.hasError());
        QVERIFY(!text.contains(u'Ã')); // UTF-8 read as Windows-1252
        QVERIFY(text.contains(QRegularExpression("[äöüÄÖÜß]")));
    }

    void refusesToOverwrite_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("force");
        QTest::newRow("dictionary kept") << "LEXA.MDB" << false;
        QTest::newRow("theme file kept") << "THEME.MDB" << false;
        QTest::newRow("dictionary forced") << "LEXA.MDB" << true;
        QTest::newRow("stale journal forced") << "LEXA.MDB-wal" << true;
    }
    void refusesToOverwrite()
    {
        QFETCH(QString, existing);
        QFETCH(bool, force);
        const QTemporaryDir dir;
        QFile file(dir.filePath(existing));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a database") == 14);
        file.close();
        QStringList arguments{"--out", dir.path(), "--words", "3"};
        if (force) {
            arguments << "--force";
        }
        QString errors;
        QCOMPARE(runGenerator(arguments, &errors) == 0, force);
        QCOMPARE(errors.contains("lexa-makedemo: ") && errors.contains(existing), !force);
        QCOMPARE(fileBytes(file.fileName()) == "not a database", !force);
        QCOMPARE(query(dir.filePath(Schema::DictionaryFile), "SELECT mot FROM lexa").size(),
                 force ? 3 : 0);
    }

    void deterministic_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("demo") << QStringList();
        QTest::newRow("300 words with icons") << QStringList{"--words", "300", "--icons"};
    }
    void deterministic()
    {
        QFETCH(QStringList, arguments);
        const QTemporaryDir first, second;
        QCOMPARE(runGenerator(QStringList{"--out", first.path()} + arguments), 0);
        QCOMPARE(runGenerator(QStringList{"--out", second.path()} + arguments), 0);
        for (const char* name : {"LEXA.MDB", "THEME.MDB", "listemot.txt", "icones/hund.ico"}) {
            QCOMPARE(fileBytes(second.filePath(name)), fileBytes(first.filePath(name)));
        }
    }
};

QTEST_MAIN(TestMakeDemo)
#include "tst_makedemo.moc"
