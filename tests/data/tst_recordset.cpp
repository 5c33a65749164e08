#include "Fixtures.h"
#include "data/DataSource.h"
#include "data/Schema.h"

#include <QtTest>

// The record set and the implicit saving of bound controls, against real
// SQLite files in a temporary folder.
class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void positions();
    void findOrder_data();
    void findOrder();
    void failedFindKeepsRecord();
    void malformedCriterionIsAFailure();
    void addNewAndUpdate();
    void leavingAbandonsNewRecord_data();
    void leavingAbandonsNewRecord();
    void implicitSaveOnLeaving_data();
    void implicitSaveOnLeaving();
    void unchangedRecordIsNotWritten();
    void deferredMovesShowOnce();
    void failedWriteIsGivenUp_data();
    void failedWriteIsGivenUp();
    void deleteAndCount();
    void deleteLastThenMoves();
    void markWalk_data();
    void markWalk();
    void iconBytesRoundTrip();
    void emptyTable();
    void refreshFailures_data();
    void refreshFailures();
    void pathStaysAfterDirectoryChange();

private:
    std::unique_ptr<DataSource> open(const QStringList& words);
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeBound m_mot{QStringLiteral("mot")};
    FakeBound m_theme{QStringLiteral("theme")};
    FakeBound m_icon{QStringLiteral("icone integree")};
    QString m_oldCwd;
};

void TestRecordSet::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    m_mot = FakeBound(QStringLiteral("mot"));
    m_theme = FakeBound(QStringLiteral("theme"));
    m_icon = FakeBound(QStringLiteral("icone integree"));
}

void TestRecordSet::cleanup()
{
    QDir::setCurrent(m_oldCwd);
}

std::unique_ptr<DataSource> TestRecordSet::open(const QStringList& words)
{
    if (!Fixtures::writeWords(m_dir->path(), words)) {
        return nullptr;
    }
    auto source =
        std::make_unique<DataSource>(QString(Schema::DictionaryFile),
                                     QString(Schema::DictionaryTable), Database::Access::ReadWrite);
    source->bind(&m_mot);
    source->bind(&m_theme);
    source->bind(&m_icon);
    if (!source->Refresh()) {
        qWarning() << source->lastError();
        return nullptr;
    }
    return source;
}

void TestRecordSet::positions()
{
    auto source = open({"Zug", "Auto", "Haus"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QCOMPARE(m_mot.text(), QString("Zug"));
    QVERIFY(rs.MoveLast());
    QCOMPARE(m_mot.text(), QString("Haus"));
    QCOMPARE(rs.RecordCount(), 3);
    QVERIFY(rs.MoveFirst());
    QVERIFY(rs.MoveNext());
    QCOMPARE(m_mot.text(), QString("Auto"));
    QVERIFY(rs.MoveNext());
    QVERIFY(rs.MoveNext()); // past the last: the end, not an error
    QVERIFY(!rs.hasCurrent());
    QVERIFY(!rs.MoveNext());
}

void TestRecordSet::findOrder_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("duplicates in table order") << "mot='haus'" << QStringList{"Haus", "haus"};
    QTest::newRow("begins with") << "mot like'ab*'" << QStringList{"Abend", "abends"};
    QTest::newRow("ends with") << "mot like'*ab'" << QStringList{"Grab"};
    QTest::newRow("apostrophe") << "mot='l''eau'" << QStringList{"l'eau"};
    QTest::newRow("empty word is not found by star")
        << "mot like'*'"
        << QStringList{"Haus", "Abend", "haus", "Haben", "abends", "Grab", "l'eau"};
}

void TestRecordSet::findOrder()
{
    QFETCH(QString, criterion);
    QFETCH(QStringList, found);
    auto source = open({"Haus", "Abend", QString(), "haus", "Haben", "abends", "Grab", "l'eau"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QStringList seen;
    QVERIFY(rs.MoveFirst());
    QVERIFY(rs.FindFirst(criterion));
    while (!rs.NoMatch()) {
        seen.append(m_mot.text());
        QVERIFY(rs.FindNext(criterion));
    }
    QCOMPARE(seen, found);
}

void TestRecordSet::failedFindKeepsRecord()
{
    auto source = open({"Zug", "Auto"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QVERIFY(rs.MoveLast());
    QVERIFY(rs.FindFirst("mot='Bahn'"));
    QVERIFY(rs.NoMatch());
    QCOMPARE(m_mot.text(), QString("Auto"));
    QVERIFY(rs.hasCurrent());
}

void TestRecordSet::malformedCriterionIsAFailure()
{
    auto source = open({"Zug", "Auto"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QVERIFY(!rs.FindFirst("mot like'a'b*'"));
    QVERIFY(rs.NoMatch());
    QVERIFY(!rs.lastError().isEmpty());
    QVERIFY(!rs.FindFirst("mot like'[a*'"));
    QVERIFY(!rs.FindFirst("mot like'*'; DROP TABLE lexa; --*'")); // never handed to SQL
    QCOMPARE(m_mot.text(), QString("Zug"));
    QCOMPARE(Fixtures::rowCount(m_dir->path()), 2);
}

void TestRecordSet::addNewAndUpdate()
{
    auto source = open({"Zug", "Auto"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QVERIFY(rs.MoveLast());
    QVERIFY(rs.AddNew());
    QCOMPARE(m_mot.text(), QString()); // the new record is blank
    m_mot.set(QStringLiteral("Bahn"));
    QVERIFY(rs.Update());
    QCOMPARE(rs.RecordCount(), 3);
    QCOMPARE(m_mot.text(), QString("Auto")); // the record before AddNew is back
    QCOMPARE(Fixtures::column(m_dir->path(), "mot"), (QList<QVariant>{"Zug", "Auto", "Bahn"}));
    // Fields not set keep the table's defaults.
    QCOMPARE(Fixtures::column(m_dir->path(), "mot marque").last(), QVariant("N"));
    QCOMPARE(Fixtures::column(m_dir->path(), "theme").last(), QVariant());
    QVERIFY(rs.FindFirst("mot='bahn'"));
    QVERIFY(!rs.NoMatch());
}

void TestRecordSet::leavingAbandonsNewRecord_data()
{
    QTest::addColumn<bool>("byFind");
    QTest::newRow("MoveLast") << false;
    QTest::newRow("FindFirst without match") << true;
}

void TestRecordSet::leavingAbandonsNewRecord()
{
    QFETCH(bool, byFind);
    auto source = open({"Zug", "Auto"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QVERIFY(rs.AddNew());
    m_mot.set(QStringLiteral("Bahn"));
    m_theme.set(QStringLiteral("Verkehr"));
    QVERIFY(byFind ? rs.FindFirst("mot='nichts'") && rs.NoMatch() : rs.MoveLast());
    QCOMPARE(m_mot.text(), QString(byFind ? "Zug" : "Auto"));
    QVERIFY(!rs.isAdding());
    QCOMPARE(rs.RecordCount(), 2);
    QCOMPARE(Fixtures::column(m_dir->path(), "mot"), (QList<QVariant>{"Zug", "Auto"}));
    QCOMPARE(Fixtures::column(m_dir->path(), "theme"), (QList<QVariant>{{}, {}}));
}

void TestRecordSet::implicitSaveOnLeaving_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("MoveNext") << 0;
    QTest::newRow("MoveFirst") << 1;
    QTest::newRow("MoveLast") << 2;
    QTest::newRow("FindFirst") << 3;
    QTest::newRow("AddNew") << 4;
    QTest::newRow("Update") << 5;
    QTest::newRow("Refresh") << 6;
}

void TestRecordSet::implicitSaveOnLeaving()
{
    QFETCH(int, operation);
    auto source = open({"Zug", "Auto"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    m_mot.set(QStringLiteral("Eisenbahn"));
    m_theme.set(QStringLiteral("Verkehr"));
    switch (operation) {
    case 0:
        QVERIFY(rs.MoveNext());
        break;
    case 1:
        QVERIFY(rs.MoveFirst());
        break;
    case 2:
        QVERIFY(rs.MoveLast());
        break;
    case 3:
        QVERIFY(rs.FindFirst("mot='Auto'"));
        break;
    case 4:
        QVERIFY(rs.AddNew());
        break;
    case 5:
        QVERIFY(rs.Update());
        break;
    case 6:
        QVERIFY(source->Refresh());
        break;
    }
    QCOMPARE(Fixtures::column(m_dir->path(), "mot"), (QList<QVariant>{"Eisenbahn", "Auto"}));
    QCOMPARE(Fixtures::column(m_dir->path(), "theme"), (QList<QVariant>{"Verkehr", {}}));
    QVERIFY(!m_mot.isBoundChanged());
}

void TestRecordSet::unchangedRecordIsNotWritten()
{
    auto source = open({"Zug"});
    QVERIFY(source);
    const QFileInfo before(m_dir->filePath("LEXA.MDB"));
    const qint64 size = before.size();
    QVERIFY(source->Recordset().MoveFirst());
    QVERIFY(source->Recordset().MoveLast());
    QVERIFY(!QFile::exists(m_dir->filePath("LEXA.MDB-wal")) ||
            QFileInfo(m_dir->filePath("LEXA.MDB-wal")).size() == 0);
    QCOMPARE(QFileInfo(m_dir->filePath("LEXA.MDB")).size(), size);
}

void TestRecordSet::deferredMovesShowOnce()
{
    auto source = open({"Zug", "Auto", "Haus"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    m_mot.set(QStringLiteral("Eisenbahn"));
    const int loads = m_mot.loads;
    {
        const DataSource::DeferDisplay deferred(*source);
        QVERIFY(rs.MoveNext() && rs.MoveNext());
        QCOMPARE(rs.field("mot"), QVariant("Haus"));
        QCOMPARE(m_mot.loads, loads);
    }
    QCOMPARE(m_mot.loads, loads + 1);
    QCOMPARE(m_mot.text(), QString("Haus"));
    QCOMPARE(Fixtures::column(m_dir->path(), "mot"),
             (QList<QVariant>{"Eisenbahn", "Auto", "Haus"}));
}

void TestRecordSet::failedWriteIsGivenUp_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("reason");
    QTest::newRow("deleted by another program") << false << "anderes Programm hat es gelöscht";
    QTest::newRow("read-only file") << true << "schreibgeschützt";
}

// The cache and the controls show the file again, and the same change is not
// tried again at the next move.
void TestRecordSet::failedWriteIsGivenUp()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, reason);
    QVERIFY(Fixtures::writeWords(m_dir->path(), {"Zug", "Auto"}));
    DataSource source(QString(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                      readOnly ? Database::Access::ReadOnly : Database::Access::ReadWrite);
    source.bind(&m_mot);
    QVERIFY(source.Refresh());
    Database other;
    QVERIFY(other.open(m_dir->filePath("LEXA.MDB"), Database::Access::ReadWrite));
    QVERIFY(readOnly || other.exec("DELETE FROM lexa WHERE mot='Zug'"));
    m_mot.set(QStringLiteral("Bahn"));
    QVERIFY(!source.Recordset().MoveNext());
    QVERIFY2(source.Recordset().lastError().contains(reason),
             qPrintable(source.Recordset().lastError()));
    QCOMPARE(m_mot.text(), QString(readOnly ? "Zug" : ""));
    QCOMPARE(source.Recordset().RecordCount(), readOnly ? 2 : 1);
    QVERIFY(source.Recordset().MoveLast());
    QCOMPARE(Fixtures::column(m_dir->path(), "mot").last(), QVariant("Auto"));
}

void TestRecordSet::deleteAndCount()
{
    auto source = open({"Zug", "Auto", "Haus"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QVERIFY(rs.FindFirst("mot='Auto'"));
    QVERIFY(rs.Delete());
    QVERIFY(!rs.hasCurrent());
    QCOMPARE(rs.RecordCount(), 2);
    QVERIFY(rs.MoveNext());
    QCOMPARE(m_mot.text(), QString("Haus")); // the record after the deleted one
    QCOMPARE(Fixtures::column(m_dir->path(), "mot"), (QList<QVariant>{"Zug", "Haus"}));
    QVERIFY(rs.FindFirst("mot='Auto'"));
    QVERIFY(rs.NoMatch());
}

void TestRecordSet::deleteLastThenMoves()
{
    auto source = open({"Zug"});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QVERIFY(rs.Delete());
    QVERIFY(!rs.Delete()); // nothing current: a failure, not a crash
    QVERIFY(!rs.MoveLast());
    QVERIFY(!rs.MoveFirst());
    QCOMPARE(rs.RecordCount(), 0);
    QVERIFY(rs.FindFirst("mot='Zug'"));
    QVERIFY(rs.NoMatch());
}

void TestRecordSet::markWalk_data()
{
    QTest::addColumn<bool>("commit");
    QTest::newRow("committed") << true;
    QTest::newRow("rolled back") << false;
}

// The reset of all marks: one write inside a transaction.
void TestRecordSet::markWalk()
{
    QFETCH(bool, commit);
    QVERIFY(Fixtures::writeDictionary(
        m_dir->path(), {WordRow{"Zug", {}, {}, {}, "O"}, WordRow{"Auto", {}, {}, {}, "O"}}));
    DataSource source(QString(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                      Database::Access::ReadWrite);
    FakeBound mark(QStringLiteral("mot marque"));
    source.bind(&mark);
    QVERIFY(source.Refresh());
    RecordSet& rs = source.Recordset();
    QVERIFY(!rs.setField("mot marque", "N")); // neither editing nor adding
    QVERIFY(rs.BeginTrans());
    QVERIFY(rs.setEveryRecord("mot marque", "N"));
    QCOMPARE(mark.text(), QString("N"));
    const QString left = commit ? "N" : "O";
    if (commit) {
        QVERIFY(rs.CommitTrans());
    } else {
        rs.RollbackTrans();
    }
    QCOMPARE(mark.text(), left);
    QVERIFY(rs.FindFirst("[mot marque]='O'"));
    QCOMPARE(rs.NoMatch(), commit);
    QCOMPARE(Fixtures::column(m_dir->path(), "mot marque"), (QList<QVariant>{left, left}));
}

void TestRecordSet::iconBytesRoundTrip()
{
    const QByteArray icon = Fixtures::icoBytes(0xff0000);
    QVERIFY(!icon.isEmpty());
    QVERIFY(Fixtures::writeDictionary(m_dir->path(),
                                      {WordRow{"Zug", {}, {}, {}, {}, icon}, WordRow{"Auto"}}));
    DataSource source(QString(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                      Database::Access::ReadWrite);
    source.bind(&m_icon);
    QVERIFY(source.Refresh());
    QCOMPARE(m_icon.boundValue().toByteArray(), icon);
    QVERIFY(source.Recordset().MoveNext());
    QVERIFY(m_icon.boundValue().isNull());
    const QByteArray other = Fixtures::icoBytes(0x00ff00);
    m_icon.set(other);
    QVERIFY(source.Recordset().MoveFirst());
    QCOMPARE(Fixtures::column(m_dir->path(), "icone integree"), (QList<QVariant>{icon, other}));
    m_icon.set(QVariant()); // cleared picture: an empty field
    QVERIFY(source.Recordset().MoveLast());
    QCOMPARE(Fixtures::column(m_dir->path(), "icone integree").first(), QVariant());
}

void TestRecordSet::emptyTable()
{
    auto source = open({});
    QVERIFY(source);
    RecordSet& rs = source->Recordset();
    QCOMPARE(rs.RecordCount(), 0);
    QVERIFY(!rs.MoveLast());
    QVERIFY(!rs.lastError().isEmpty());
    QVERIFY(rs.AddNew());
    m_mot.set(QStringLiteral("Erstes"));
    QVERIFY(rs.Update());
    QCOMPARE(rs.RecordCount(), 1);
    QVERIFY(rs.MoveFirst());
    QCOMPARE(m_mot.text(), QString("Erstes"));
}

void TestRecordSet::refreshFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << "nicht gefunden";
    QTest::newRow("not sqlite") << QByteArray("Standard Jet DB\0\0\0\0garbage", 26)
                                << "keine LEXA-Datenbank";
    QTest::newRow("empty file") << QByteArray("") << "keine LEXA-Datenbank";
    QTest::newRow("locked by another program") << QByteArray("lock") << "anderen Programm";
}

void TestRecordSet::refreshFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    Database other;
    if (content == "lock") {
        QVERIFY(Fixtures::writeWords(m_dir->path(), {"Zug"}));
        QVERIFY(other.open(m_dir->filePath("LEXA.MDB"), Database::Access::ReadWrite));
        QVERIFY(other.exec("PRAGMA locking_mode=EXCLUSIVE") && other.exec("BEGIN EXCLUSIVE"));
    } else if (!content.isNull()) {
        QFile file(m_dir->filePath("LEXA.MDB"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    DataSource source(QString(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                      Database::Access::ReadWrite);
    QVERIFY(!source.Refresh());
    QVERIFY(!source.isOpen());
    QVERIFY(source.lastError().contains("LEXA.MDB"));
    QVERIFY2(source.lastError().contains(reason), qPrintable(source.lastError()));
    if (!content.isNull() && content != "lock") {
        QFile file(m_dir->filePath("LEXA.MDB"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content); // never touched
    }
}

void TestRecordSet::pathStaysAfterDirectoryChange()
{
    auto source = open({"Zug"});
    QVERIFY(source);
    QDir(m_dir->path()).mkdir("icones");
    QDir::setCurrent(m_dir->filePath("icones"));
    QVERIFY(source->Refresh());
    QCOMPARE(source->databasePath(), QDir(m_dir->path()).absoluteFilePath("LEXA.MDB"));
}

QTEST_MAIN(TestRecordSet)
#include "tst_recordset.moc"
