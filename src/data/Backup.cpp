#include "data/Backup.h"

#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace {

const QString BackupFolder = QStringLiteral("Sicherung");

// "LEXA.MDB" -> "LEXA"
QString stem(QLatin1StringView file)
{
    return QString(file).section(QLatin1Char('.'), 0, 0);
}

QString backupName(QLatin1StringView file, const QDate& date)
{
    return QStringLiteral("%1-%2.MDB").arg(stem(file), date.toString(Qt::ISODate));
}

// The dated copies of one file, oldest first.
QStringList copiesOf(const QDir& backups, QLatin1StringView file)
{
    const QRegularExpression name(QStringLiteral("^%1-\\d{4}-\\d{2}-\\d{2}\\.MDB$")
                                      .arg(QRegularExpression::escape(stem(file))));
    QStringList copies =
        backups.entryList({stem(file) + QStringLiteral("-*.MDB")}, QDir::Files, QDir::Name);
    copies.removeIf([&](const QString& copy) { return !name.match(copy).hasMatch(); });
    return copies;
}

QString engineError(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("kein Speicher");
}

// Copies `source` into a new file `target` with the online backup.
bool copyDatabase(const QString& source, const QString& target, QString* error)
{
    if (!QFileInfo(source).isFile()) {
        *error = QStringLiteral("die Datei „%1“ fehlt").arg(QDir::toNativeSeparators(source));
        return false;
    }
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    bool ok = sqlite3_open_v2(source.toUtf8().constData(), &from, SQLITE_OPEN_READONLY, nullptr) ==
              SQLITE_OK;
    if (!ok) {
        *error = engineError(from);
    } else if (sqlite3_open_v2(target.toUtf8().constData(), &to,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        *error = engineError(to);
        ok = false;
    } else {
        sqlite3_busy_timeout(from, 2000);
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        ok = backup && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        ok = sqlite3_backup_finish(backup) == SQLITE_OK && ok;
        // The copy stands alone: no -wal file beside it.
        ok = ok &&
             sqlite3_exec(to, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) == SQLITE_OK;
        if (!ok) {
            *error = engineError(to);
        }
    }
    sqlite3_close_v2(from);
    sqlite3_close_v2(to);
    return ok;
}

Backup::Result failed(const QString& folder, const QString& reason)
{
    return {Backup::Result::Status::Failed,
            QStringLiteral("Die tägliche Sicherung des Wörterbuchs in „%1“ ist fehlgeschlagen: "
                           "%2.")
                .arg(QDir::toNativeSeparators(folder), reason)};
}

} // namespace

namespace Backup {

Result makeDailyBackup(const QString& folder, const QDate& today)
{
    const QDir dictionary(folder);
    const QString backupPath = dictionary.absoluteFilePath(BackupFolder);
    if (!dictionary.mkpath(BackupFolder)) {
        return failed(backupPath, QStringLiteral("der Ordner kann nicht angelegt werden"));
    }
    QDir backups(backupPath);
    const QStringList existing = copiesOf(backups, Schema::DictionaryFile);
    if (!existing.isEmpty() && existing.last() >= backupName(Schema::DictionaryFile, today)) {
        return {Result::Status::UpToDate, {}};
    }
    // Each copy is made under a temporary name and renamed when complete: a
    // copy with a date is always a whole one.
    for (const QLatin1StringView file : {Schema::ThemesFile, Schema::DictionaryFile}) {
        const QString target = backups.absoluteFilePath(backupName(file, today));
        const QString partial = target + QStringLiteral(".teil");
        QFile::remove(partial);
        QString error;
        if (!copyDatabase(dictionary.absoluteFilePath(file), partial, &error)) {
            QFile::remove(partial);
            return failed(backupPath, error);
        }
        QFile::remove(target);
        if (!QFile::rename(partial, target)) {
            QFile::remove(partial);
            return failed(backupPath, QStringLiteral("„%1“ kann nicht geschrieben werden")
                                          .arg(QDir::toNativeSeparators(target)));
        }
    }
    for (const QLatin1StringView file : {Schema::DictionaryFile, Schema::ThemesFile}) {
        const QStringList copies = copiesOf(backups, file);
        for (qsizetype i = 0; i + KeptCopies < copies.size(); ++i) {
            backups.remove(copies.at(i));
        }
    }
    return {Result::Status::Made, {}};
}

} // namespace Backup
