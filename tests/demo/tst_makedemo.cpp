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
#include <memory>
#include <sqlite3.h>

namespace {

struct Row
{
    QString word;
    QString article;
    QString frequency;
    QString themes;
    QString mark;
    QByteArray icon;
};

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

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

QString columnText(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)));
}

// Runs `sql` on the file read-only; every row's columns, NULL as a null QVariant.
QList<QVariantList> query(const QString& path, const QString& sql)
{
    sqlite3* rawDb = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &rawDb, SQLITE_OPEN_READONLY, nullptr);
    const Connection db(rawDb, &sqlite3_close);
    sqlite3_stmt* rawStmt = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.toUtf8().constData(), -1, &rawStmt, nullptr) !=
        SQLITE_OK) {
        qWarning() << path << sqlite3_errmsg(db.get());
        return {};
    }
    const Statement stmt(rawStmt, &sqlite3_finalize);
    QList<QVariantList> rows;
    while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
        QVariantList row;
        for (int c = 0; c < sqlite3_column_count(stmt.get()); ++c) {
            const int type = sqlite3_column_type(stmt.get(), c);
            if (type == SQLITE_BLOB) {
                row << QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt.get(), c)),
                                  sqlite3_column_bytes(stmt.get(), c));
            } else {
                row << (type == SQLITE_NULL ? QVariant() : QVariant(columnText(stmt.get(), c)));
            }
        }
        rows << row;
    }
    return rows;
}

QList<Row> readWords(const QDir& dir)
{
    QList<Row> words;
    const auto rows = query(dir.filePath(Schema::DictionaryFile),
                            "SELECT mot, determinant, categorie, theme, \"mot marque\", "
                            "\"icone integree\" FROM lexa ORDER BY rowid");
    for (const QVariantList& r : rows) {
        words << Row{r[0].toString(), r[1].toString(), r[2].toString(),
                     r[3].toString(), r[4].toString(), r[5].toByteArray()};
    }
    return words;
}

QStringList readThemes(const QDir& dir)
{
    QStringList themes;
    for (const QVariantList& r :
         query(dir.filePath(Schema::ThemesFile), "SELECT theme FROM themes ORDER BY rowid")) {
        themes << r[0].toString();
    }
    return themes;
}

QString tableSql(const QString& path, QLatin1StringView table)
{
    const auto rows =
        query(path, QString("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table));
    return rows.size() == 1 ? rows[0][0].toString() : QString();
}

// True when `run` is theme names written one after the other.
bool isThemeRun(const QString& run, const QStringList& themes)
{
    QList<bool> reachable(run.size() + 1, false);
    reachable[0] = true;
    for (qsizetype i = 0; i < run.size(); ++i) {
        for (const QString& theme : themes) {
            if (reachable[i] && !theme.isEmpty() && QStringView(run).mid(i).startsWith(theme)) {
                reachable[i + theme.size()] = true;
            }
        }
    }
    return !run.isEmpty() && reachable.last();
}

bool isIco32(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    // No format hint: the editor recognises an icon by its bytes.
    QImageReader reader(&buffer);
    const bool ico = reader.format() == "ico"; // asked before reading: known only until then
    const QImage image = reader.read();
    return ico && !image.isNull() && image.size() == QSize(32, 32);
}

// Items of an import file: separated by commas and line ends; a quoted item
// keeps its commas. Returns the items and how many were quoted.
QStringList importItems(const QString& text, int& quoted)
{
    QStringList items;
    quoted = 0;
    for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts)) {
        static const QRegularExpression item("\\s*(\"([^\"]*)\"|[^,]*)(,|$)");
        for (auto it = item.globalMatch(line); it.hasNext();) {
            const auto match = it.next();
            if (match.capturedLength(0) == 0) {
                break;
            }
            quoted += match.hasCaptured(2) ? 1 : 0;
            items << (match.hasCaptured(2) ? match.captured(2) : match.captured(1).trimmed());
        }
    }
    return items;
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

private slots:
    void initTestCase();
    void dictionary_data();
    void dictionary();
    void demoWords_data();
    void demoWords();
    void demoIcons();
    void demoImportFile();
    void overwrite_data();
    void overwrite();
    void badArguments_data();
    void badArguments();
    void deterministic_data();
    void deterministic();

private:
    QTemporaryDir m_demoDir;
    QList<Row> m_demo;
};

void TestMakeDemo::initTestCase()
{
    QVERIFY2(QFile::exists(generator()), qPrintable(generator()));
    QVERIFY(m_demoDir.isValid());
    QCOMPARE(runGenerator({"--out", m_demoDir.path()}), 0);
    m_demo = readWords(QDir(m_demoDir.path()));
}

void TestMakeDemo::dictionary_data()
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

// What every dictionary the generator writes must satisfy.
void TestMakeDemo::dictionary()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, minWords);
    QFETCH(int, maxWords);
    QFETCH(bool, everyWordHasIcon);

    const QTemporaryDir dir;
    QCOMPARE(runGenerator(QStringList{"--out", dir.path()} + arguments), 0);
    const QDir folder(dir.path());
    QCOMPARE(tableSql(folder.filePath(Schema::DictionaryFile), Schema::DictionaryTable),
             QString(Schema::CreateDictionary));
    QCOMPARE(tableSql(folder.filePath(Schema::ThemesFile), Schema::ThemesTable),
             QString(Schema::CreateThemes));

    const QList<Row> words = readWords(folder);
    const QStringList themes = readThemes(folder);
    QVERIFY(words.size() >= minWords && words.size() <= maxWords);
    QVERIFY(themes.size() >= 12);
    // Absent values are NULL, never empty texts.
    const auto empties = query(folder.filePath(Schema::DictionaryFile),
                               "SELECT count(*) FROM lexa WHERE mot = '' OR determinant = '' OR "
                               "categorie = '' OR theme = '' OR length(\"icone integree\") = 0");
    QCOMPARE(empties.value(0).value(0).toInt(), 0);

    QSet<QString> seen;
    QSet<QByteArray> icons;
    for (const Row& w : words) {
        QVERIFY2(w.word.size() >= 1 && w.word.size() <= 20, qPrintable(w.word));
        QVERIFY2(!seen.contains(w.word.toCaseFolded()), qPrintable(w.word));
        seen.insert(w.word.toCaseFolded());
        QVERIFY2(w.mark == "O" || w.mark == "N", qPrintable(w.word));
        QVERIFY2(QStringList({"", "der", "die", "das"}).contains(w.article), qPrintable(w.word));
        QVERIFY2(QStringList({"1", "2", "3", "4", "5"}).contains(w.frequency), qPrintable(w.word));
        QVERIFY2(w.themes.isEmpty() || isThemeRun(w.themes, themes), qPrintable(w.themes));
        QVERIFY2(!everyWordHasIcon || !w.icon.isEmpty(), qPrintable(w.word));
        if (!w.icon.isEmpty()) {
            icons.insert(w.icon);
        }
    }
    for (const QByteArray& icon : std::as_const(icons)) {
        QVERIFY(isIco32(icon));
        QVERIFY2(!everyWordHasIcon || icon.size() < 2000, QByteArray::number(icon.size()));
    }
}

void TestMakeDemo::demoWords_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("atLeast");

    QTest::newRow("umlauts") << "[äöüÄÖÜ]" << 20;
    QTest::newRow("initial umlaut") << "^[ÄÖÜ]" << 3;
    QTest::newRow("sharp s") << "ß" << 3;
    QTest::newRow("apostrophe") << "'" << 1;
    QTest::newRow("lower-case words") << "^[a-zäöüß]" << 3;
}

void TestMakeDemo::demoWords()
{
    QFETCH(QString, pattern);
    QFETCH(int, atLeast);

    const QRegularExpression re(pattern);
    const auto matching = std::count_if(m_demo.cbegin(), m_demo.cend(), [&re](const Row& w) {
        return re.match(w.word).hasMatch();
    });
    QVERIFY2(matching >= atLeast, QByteArray::number(qsizetype(matching)));
}

void TestMakeDemo::demoIcons()
{
    const QDir icons(m_demoDir.path() + "/icones");
    QSet<QByteArray> files;
    for (const QString& name : icons.entryList({"*.ico"}, QDir::Files)) {
        const QByteArray bytes = fileBytes(icons.filePath(name));
        QVERIFY2(isIco32(bytes), qPrintable(name));
        files.insert(bytes);
    }
    qsizetype withIcon = 0;
    qsizetype marked = 0;
    qsizetype severalThemes = 0;
    const QStringList themes = readThemes(QDir(m_demoDir.path()));
    for (const Row& w : std::as_const(m_demo)) {
        // A word's icon is exactly one of the files the user can pick.
        QVERIFY2(w.icon.isEmpty() || files.contains(w.icon), qPrintable(w.word));
        withIcon += w.icon.isEmpty() ? 0 : 1;
        marked += w.mark == "O" ? 1 : 0;
        severalThemes += !w.themes.isEmpty() && !themes.contains(w.themes) ? 1 : 0;
    }
    QVERIFY(withIcon >= 40);
    QVERIFY(marked >= 1 && marked < m_demo.size() / 10);
    QVERIFY(severalThemes >= 5);

    // The table order is not alphabetical: about half the neighbours are in order, not all.
    qsizetype ascending = 0;
    for (qsizetype i = 1; i < m_demo.size(); ++i) {
        ascending += m_demo[i - 1].word < m_demo[i].word ? 1 : 0;
    }
    QVERIFY2(ascending < m_demo.size() * 2 / 3, QByteArray::number(ascending));
}

void TestMakeDemo::demoImportFile()
{
    const QByteArray bytes = fileBytes(m_demoDir.path() + "/listemot.txt");
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QStringDecoder decoder("windows-1252");
    const QString text = decoder.decode(bytes);
    QVERIFY(!decoder.hasError());
    // UTF-8 read as Windows-1252 would show up as "Ã".
    QVERIFY(!text.contains(u'Ã'));
    QVERIFY(text.contains(QRegularExpression("[äöüÄÖÜß]")));

    int quoted = 0;
    const QStringList items = importItems(text, quoted);
    QVERIFY(items.size() >= 8 && items.size() <= 400);
    QVERIFY(quoted >= 1);
    QSet<QString> dictionary;
    for (const Row& w : std::as_const(m_demo)) {
        dictionary.insert(w.word);
    }
    const auto known = std::count_if(items.cbegin(), items.cend(), [&dictionary](const QString& i) {
        return dictionary.contains(i);
    });
    QVERIFY(known >= 1);
    QVERIFY(known < items.size());
}

void TestMakeDemo::overwrite_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("written");

    QTest::newRow("dictionary kept") << "LEXA.MDB" << false << false;
    QTest::newRow("theme file kept") << "THEME.MDB" << false << false;
    QTest::newRow("dictionary forced") << "LEXA.MDB" << true << true;
    QTest::newRow("stale journal forced") << "LEXA.MDB-wal" << true << true;
}

void TestMakeDemo::overwrite()
{
    QFETCH(QString, existing);
    QFETCH(bool, force);
    QFETCH(bool, written);

    const QTemporaryDir dir;
    const QString existingPath = dir.filePath(existing);
    const QByteArray old = "not a database";
    {
        QFile file(existingPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    QStringList arguments{"--out", dir.path(), "--words", "3"};
    if (force) {
        arguments << "--force";
    }
    QString errors;
    QCOMPARE(runGenerator(arguments, &errors) == 0, written);
    QCOMPARE(errors.contains(existing), !written);
    if (written) {
        QCOMPARE(readWords(QDir(dir.path())).size(), 3);
        QVERIFY(fileBytes(existingPath) != old);
    } else {
        QCOMPARE(fileBytes(existingPath), old);
    }
}

void TestMakeDemo::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("withFolder");

    QTest::newRow("no folder") << QStringList{"--words", "3"} << false;
    QTest::newRow("zero words") << QStringList{"--words", "0"} << true;
    QTest::newRow("not a number") << QStringList{"--words", "many"} << true;
    QTest::newRow("icons without words") << QStringList{"--icons"} << true;
}

void TestMakeDemo::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, withFolder);

    const QTemporaryDir dir;
    if (withFolder) {
        arguments << "--out" << dir.path();
    }
    QString errors;
    QVERIFY(runGenerator(arguments, &errors) > 0);
    QVERIFY(errors.contains("lexa-makedemo: "));
    QVERIFY(!QFile::exists(dir.filePath(Schema::DictionaryFile)));
}

void TestMakeDemo::deterministic_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("demo") << QStringList();
    QTest::newRow("300 words with icons") << QStringList{"--words", "300", "--icons"};
}

void TestMakeDemo::deterministic()
{
    QFETCH(QStringList, arguments);

    const QTemporaryDir first;
    const QTemporaryDir second;
    QCOMPARE(runGenerator(QStringList{"--out", first.path()} + arguments), 0);
    QCOMPARE(runGenerator(QStringList{"--out", second.path()} + arguments), 0);
    const QStringList files = {"LEXA.MDB", "THEME.MDB", "listemot.txt", "icones/hund.ico"};
    for (const QString& name : files) {
        QCOMPARE(fileBytes(second.filePath(name)), fileBytes(first.filePath(name)));
    }
}

QTEST_MAIN(TestMakeDemo)
#include "tst_makedemo.moc"
