#include "Fixtures.h"
#include "data/Backup.h"
#include "data/DataSource.h"
#include "data/DictionaryLock.h"
#include "data/Schema.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// What a daily backup did: made the copies, found them there, or failed.
enum class S
{
    Made,
    UpToDate,
    Failed
};
S statusOf(const ResultOf<Backup::Copy>& result)
{
    if (!result) {
        return S::Failed;
    }
    return result.value == Backup::Copy::Made ? S::Made : S::UpToDate;
}
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
        // The days before today of the copies there, before and after; what LEXA.MDB is; a
        // part of the German message.
        Fixtures::columns<QList<int>, QString, S, QList<int>, QString>("before", "dictionary",
                                                                       "status", "after", "says");
        Fixtures::row("first backup made", QList<int>{}, "sound", S::Made, QList<int>{0}, "");
        Fixtures::row("none within a day", QList<int>{3, 0}, "sound", S::UpToDate, QList<int>{3, 0},
                      "");
        Fixtures::row("yesterday's is old", QList<int>{1}, "sound", S::Made, QList<int>{1, 0}, "");
        Fixtures::row("the eighth prunes the oldest", QList<int>{9, 7, 6, 5, 4, 3, 2}, "sound",
                      S::Made, QList<int>{7, 6, 5, 4, 3, 2, 0}, "");
        Fixtures::row("unwritable folder is a value", QList<int>{}, "sound", S::Failed,
                      QList<int>{}, "kann nicht angelegt werden");
        Fixtures::row("damaged file pushes out no copy", QList<int>{7, 6, 5, 4, 3, 2, 1}, "damaged",
                      S::Failed, QList<int>{7, 6, 5, 4, 3, 2, 1}, "beschädigt");
        Fixtures::row("empty file is not copied", QList<int>{1}, "empty", S::Failed, QList<int>{1},
                      "keine LEXA-Datenbank");
        Fixtures::row("no dictionary, no folder made", QList<int>{}, "missing", S::Failed,
                      QList<int>{}, "nicht gefunden");
        // The clock went back: the newest copy is dated ahead of today.
        Fixtures::row("clock back, words changed since", QList<int>{-3}, "sound", S::Made,
                      QList<int>{-3, -4}, "vor dem der neuesten Sicherung");
        Fixtures::row("clock back, nothing changed since", QList<int>{}, "copied ahead",
                      S::UpToDate, QList<int>{-3}, "");
    }

    void backup()
    {
        QFETCH(QList<int>, before);
        QFETCH(QString, dictionary);
        QFETCH(S, status);
        QFETCH(QList<int>, after);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QStringList words{"Zug", "Auto"};
        for (int i = 0; i < 300; ++i) { // pages enough to damage one in the middle
            words.append(QStringLiteral("Wort%1").arg(i, 40, 10, QLatin1Char('x')));
        }
        QVERIFY(Fixtures::writeWords(dir.path(), words));
        QVERIFY(Fixtures::writeThemes(dir.path(), {"Tiere"}));
        const QString backups = dir.filePath("Sicherung");
        if (says == "kann nicht angelegt werden") {
            QFile blocker(backups); // a file where the folder should be
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else if (!before.isEmpty()) {
            QVERIFY(QDir().mkpath(backups));
            for (const int days : before) {
                for (const QString stem : {"LEXA", "THEME"}) {
                    QFile copy(backups + '/' + name(stem, days));
                    QVERIFY(copy.open(QIODevice::WriteOnly));
                }
            }
        }
        const QString file = dir.filePath(Schema::DictionaryFile);
        std::optional<DataSource> source;
        QFile bytes(file);
        if (dictionary == "sound" || dictionary == "copied ahead") {
            // A commit that is still only in the -wal file must reach the copy.
            source.emplace(file, QString(Schema::DictionaryTable), Database::Access::ReadWrite);
            QVERIFY(source->Refresh());
            RecordSet& rows = source->Recordset();
            QVERIFY(rows.AddNew() && rows.setField("mot", "Haus") && rows.Update());
        } else if (dictionary == "damaged") { // 4 KB of noise in the middle
            QVERIFY(bytes.open(QIODevice::ReadWrite) && bytes.seek(bytes.size() / 2));
            QByteArray noise(4096, '\0');
            QRandomGenerator(16).fillRange(reinterpret_cast<quint32*>(noise.data()), 1024);
            QCOMPARE(bytes.write(noise), 4096);
            bytes.close();
        } else {
            QVERIFY(dictionary == "empty" ? bytes.resize(0) : bytes.remove());
        }

        if (dictionary == "copied ahead") {
            QCOMPARE(statusOf(Backup::makeDailyBackup(dir.path(), Today.addDays(3))), S::Made);
        }
        const auto result = Backup::makeDailyBackup(dir.path(), Today);
        QCOMPARE(statusOf(result), status);
        const QString told = result.error + result.notice;
        QVERIFY2(told.contains(says), qPrintable(told));
        QCOMPARE(told.isEmpty(), says.isEmpty());
        QCOMPARE(QFileInfo::exists(backups), dictionary != "missing");
        QStringList expected;
        for (const int days : after) {
            expected.append(name("LEXA", days));
        }
        expected.sort();
        QCOMPARE(copies(dir.path(), "LEXA"), expected);
        QCOMPARE(copies(dir.path(), "THEME").size(), expected.size());
        if (status == S::Made) {
            Database copy;
            const int newest = *std::min_element(after.begin(), after.end());
            const Result opened =
                copy.open(backups + '/' + name("LEXA", newest), Database::Access::ReadOnly);
            QVERIFY2(opened, qPrintable(opened.error));
            auto count = copy.prepare("SELECT count(*) FROM lexa");
            QVERIFY(count && count->next());
            QCOMPARE(count->columnInt64(0), words.size() + 1);
        }
    }

    // A second opening of the dictionary in this process must leave LEXA's
    // locks on it alone: else a program that opens and closes the file after
    // it takes itself for the last one and deletes the -wal LEXA still writes
    // to, and what LEXA confirms from then on is in no file.
    void outsideReaderKeepsWal_data()
    {
        Fixtures::columns<bool>("backup"); // else a second connection, as "Ähnliche Wörter" opens
        Fixtures::row("daily backup", true);
        Fixtures::row("second connection", false);
    }

    void outsideReaderKeepsWal()
    {
        QFETCH(bool, backup);
        QTemporaryDir dir;
        QVERIFY(Fixtures::writeWords(dir.path(), {"Zug"}));
        QVERIFY(Fixtures::writeThemes(dir.path(), {"Tiere"}));
        const QString file = dir.filePath(Schema::DictionaryFile);
        const auto outsideReader = [&] {
            QProcess reader;
            reader.start(QCoreApplication::applicationFilePath(), {"--outside-reader", file});
            return reader.waitForFinished() ? reader.readAllStandardOutput() : QByteArray();
        };
        DataSource source(file, QString(Schema::DictionaryTable), Database::Access::ReadWrite);
        QVERIFY(source.Refresh());
        RecordSet& rows = source.Recordset();
        QVERIFY(rows.AddNew() && rows.setField("mot", "Haus") && rows.Update());
        if (backup) {
            QCOMPARE(statusOf(Backup::makeDailyBackup(dir.path(), Today)), S::Made);
        } else {
            Database second;
            QVERIFY(second.open(file, Database::Access::ReadWrite));
        }
        QCOMPARE(outsideReader(), "Zug,Haus");
        QVERIFY(rows.AddNew() && rows.setField("mot", "Maus") && rows.Update());
        QCOMPARE(outsideReader(), "Zug,Haus,Maus");
    }

    void lock()
    {
        QTemporaryDir dir;
        // A LEXA that crashed while holding the folder leaves its lock file behind.
        const pid_t crashed = fork();
        if (crashed == 0) {
            DictionaryLock held(dir.path());
            _exit(held.tryLock() == DictionaryLock::Outcome::Held ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(crashed, &status, 0), crashed);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFile::exists(dir.filePath("LEXA.lock")));

        DictionaryLock first(dir.path());
        QVERIFY2(first.tryLock() == DictionaryLock::Outcome::Held,
                 qPrintable(first.errorMessage()));
        DictionaryLock second(dir.path());
        QCOMPARE(second.tryLock(), DictionaryLock::Outcome::Refused);
        QVERIFY(second.errorMessage().contains(QDir::toNativeSeparators(dir.path())));
    }

    // A disk with no room left refuses the lock file: the message says so.
    void lockOnFullDisk()
    {
        QTemporaryDir dir;
        const pid_t starting = fork();
        if (starting == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit full{8, 8}; // no file grows beyond a few bytes
            setrlimit(RLIMIT_FSIZE, &full);
            DictionaryLock lock(dir.path());
            const bool said = lock.tryLock() == DictionaryLock::Outcome::Refused &&
                              lock.errorMessage().contains("ist voll");
            _exit(said ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(starting, &status, 0), starting);
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

int main(int argc, char** argv)
{
    // Another program that opens the dictionary, prints its words and closes it.
    if (argc == 3 && qstrcmp(argv[1], "--outside-reader") == 0) {
        Database reader;
        const Result opened =
            reader.open(QString::fromLocal8Bit(argv[2]), Database::Access::ReadWrite);
        auto words = opened ? reader.prepare("SELECT mot FROM lexa ORDER BY rowid")
                            : ResultOf<Statement>(opened);
        QStringList read;
        while (words && words->next()) {
            read.append(words->text(0));
        }
        QTextStream(stdout) << read.join(',');
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestSafeguards test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_safeguards.moc"
