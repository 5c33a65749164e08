#include "Fixtures.h"
#include "data/Backup.h"
#include "data/DataSource.h"
#include "data/DictionaryLock.h"
#include "data/Schema.h"

#include <QtTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using S = Backup::Result::Status;
const QDate Today(2026, 12, 6);

QStringList copies(const QString& dir, const QString& stem)
{
    return QDir(dir + QStringLiteral("/Sicherung")).entryList({stem + "-*"}, QDir::Files);
}

QString name(const QString& stem, int daysBefore)
{
    return QStringLiteral("%1-%2.MDB").arg(stem, Today.addDays(-daysBefore).toString(Qt::ISODate));
}
} // namespace

// What start-up does before the windows open: the daily backup and the lock
// that keeps a second LEXA off the dictionary.
class TestSafeguards : public QObject
{
    Q_OBJECT

private slots:
    void backup_data()
    {
        // The days before today of the copies there, before and after.
        Fixtures::columns<QList<int>, S, QList<int>>("before", "status", "after");
        Fixtures::row("first backup made", QList<int>{}, S::Made, QList<int>{0});
        Fixtures::row("none within a day", QList<int>{3, 0}, S::UpToDate, QList<int>{3, 0});
        Fixtures::row("yesterday's is old", QList<int>{1}, S::Made, QList<int>{1, 0});
        Fixtures::row("the eighth prunes the oldest", QList<int>{9, 7, 6, 5, 4, 3, 2}, S::Made,
                      QList<int>{7, 6, 5, 4, 3, 2, 0});
        Fixtures::row("unwritable folder is a value", QList<int>{}, S::Failed, QList<int>{});
    }

    void backup()
    {
        QFETCH(QList<int>, before);
        QFETCH(S, status);
        QFETCH(QList<int>, after);
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeWords(dir.path(), {"Zug", "Auto"}));
        QVERIFY(Fixtures::writeThemes(dir.path(), {"Tiere"}));
        const QString backups = dir.filePath("Sicherung");
        if (status == S::Failed) {
            QFile blocker(backups); // a file where the folder should be
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(backups));
            for (const int days : before) {
                for (const QString stem : {"LEXA", "THEME"}) {
                    QFile copy(backups + '/' + name(stem, days));
                    QVERIFY(copy.open(QIODevice::WriteOnly));
                }
            }
        }
        // A commit that is still only in the -wal file must reach the copy.
        DataSource source(dir.filePath(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                          Database::Access::ReadWrite);
        QVERIFY(source.Refresh());
        RecordSet& words = source.Recordset();
        QVERIFY(words.AddNew() && words.setField("mot", "Haus") && words.Update());

        const Backup::Result result = Backup::makeDailyBackup(dir.path(), Today);
        QCOMPARE(result.status, status);
        QCOMPARE(result.message.isEmpty(), status != S::Failed);
        QStringList expected;
        for (const int days : after) {
            expected.append(name("LEXA", days));
        }
        expected.sort();
        QCOMPARE(copies(dir.path(), "LEXA"), expected);
        QCOMPARE(copies(dir.path(), "THEME").size(), expected.size());
        if (status == S::Made) {
            Database copy;
            QVERIFY2(copy.open(backups + '/' + name("LEXA", 0), Database::Access::ReadOnly),
                     qPrintable(copy.lastError()));
            auto count = copy.prepare("SELECT count(*) FROM lexa");
            QVERIFY(count && count->next());
            QCOMPARE(count->columnInt64(0), 3);
        }
    }

    void lock()
    {
        QTemporaryDir dir;
        // A LEXA that crashed while holding the folder leaves its lock file behind.
        const pid_t crashed = fork();
        if (crashed == 0) {
            DictionaryLock held(dir.path());
            _exit(held.tryLock() ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(crashed, &status, 0), crashed);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFile::exists(dir.filePath("LEXA.lock")));

        DictionaryLock first(dir.path());
        QVERIFY2(first.tryLock(), qPrintable(first.errorMessage()));
        DictionaryLock second(dir.path());
        QVERIFY(!second.tryLock());
        QVERIFY(second.errorMessage().contains(QDir::toNativeSeparators(dir.path())));
    }
};

QTEST_GUILESS_MAIN(TestSafeguards)
#include "tst_safeguards.moc"
