#include "data/Backup.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <fcntl.h>
#include <tuple>
#include <unistd.h>

namespace {

const QString BackupFolder = QStringLiteral("Sicherung");
const QLatin1StringView Files[] = {Schema::ThemesFile, Schema::DictionaryFile};

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

// Opens a dictionary file for reading and checks that its pages are sound.
Result checkedOpen(Database& db, const QString& path)
{
    if (Result opened = db.open(path, Database::Access::ReadOnly); !opened) {
        return opened;
    }
    auto check = db.prepare(QStringLiteral("PRAGMA quick_check"));
    if (!check) {
        return check;
    }
    if (!check->next()) {
        return check->status();
    }
    if (check->text(0) == QLatin1String("ok")) {
        return Result::success();
    }
    return Result::failure(
        QStringLiteral("Die Datei „%1“ ist beschädigt: die Prüfung der Datenbank hat Fehler "
                       "gefunden. Nehmen Sie eine Sicherungskopie des Wörterbuchs.")
            .arg(QDir::toNativeSeparators(path)));
}

// Makes a rename in `folder` durable: without this, a power cut may lose the
// new name even though the file's contents were synced.
bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Whether `db` holds what the copy at `copyPath` holds, table for table and
// row for row; false also when the copy cannot be read.
bool holdsSameAs(Database& db, const QString& copyPath)
{
    auto attach = db.prepare(QStringLiteral("ATTACH DATABASE ? AS copy"));
    if (!attach || !attach->bind(1, copyPath) || !attach->exec()) {
        return false;
    }
    bool same = true;
    QStringList tables;
    for (const QString& schema : {QStringLiteral("main"), QStringLiteral("copy")}) {
        auto query = db.prepare(QStringLiteral("SELECT group_concat(name, char(10)) FROM (SELECT "
                                               "name FROM %1.sqlite_schema WHERE type='table' AND "
                                               "name NOT LIKE 'sqlite_%' ORDER BY name)")
                                    .arg(schema));
        same = same && query && query->next();
        tables.append(same ? query->text(0) : QString());
    }
    same = same && tables.first() == tables.last();
    for (const QString& table : tables.first().split(u'\n', Qt::SkipEmptyParts)) {
        if (!same) {
            break;
        }
        const QString quoted = quoteIdentifier(table);
        auto differing = db.prepare(
            QStringLiteral(
                "SELECT 1 FROM (SELECT rowid, * FROM main.%1 EXCEPT SELECT rowid, * FROM "
                "copy.%1) UNION ALL SELECT 1 FROM (SELECT rowid, * FROM copy.%1 EXCEPT "
                "SELECT rowid, * FROM main.%1) LIMIT 1")
                .arg(quoted));
        same = differing && !differing->next() && differing->status();
    }
    std::ignore = db.exec(QStringLiteral("DETACH DATABASE copy"));
    return same;
}

Result failed(const QString& backupPath, const QString& reason)
{
    return Result::failure(
        QStringLiteral("Die tägliche Sicherung des Wörterbuchs wurde nicht gemacht.\n\n%1\n\n"
                       "Die bisherigen Sicherungen im Ordner „%2“ bleiben unverändert.")
            .arg(reason, QDir::toNativeSeparators(backupPath)));
}

} // namespace

namespace Backup {

ResultOf<Copy> makeDailyBackup(const QString& folder, const QDate& today)
{
    const QDir dictionary(folder);
    const QString backupPath = dictionary.absoluteFilePath(BackupFolder);
    QDir backups(backupPath);
    const QStringList existing = copiesOf(backups, Schema::DictionaryFile);
    const QString todays = backupName(Schema::DictionaryFile, today);
    if (!existing.isEmpty() && existing.last() == todays) {
        return Copy::UpToDate;
    }
    // Only a dictionary that opens and is sound is copied: a damaged file
    // must never take the place of a good copy.
    Database sources[std::size(Files)];
    for (std::size_t i = 0; i < std::size(Files); ++i) {
        if (Result sound = checkedOpen(sources[i], dictionary.absoluteFilePath(Files[i])); !sound) {
            return failed(backupPath, sound.error);
        }
    }
    // A clock gone back (a flat battery) dates today before the newest copy:
    // what is newest counts, not the date. A dictionary changed since that
    // copy gets the next day's name, so that it is kept as the newest.
    QDate date = today;
    QString notice;
    if (!existing.isEmpty() && existing.last() > todays) {
        const qsizetype prefix = stem(Schema::DictionaryFile).size() + 1;
        const QDate newest = QDate::fromString(existing.last().mid(prefix, 10), Qt::ISODate);
        bool same = true;
        for (std::size_t i = 0; i < std::size(Files); ++i) {
            same = same &&
                   holdsSameAs(sources[i], backups.absoluteFilePath(backupName(Files[i], newest)));
        }
        if (same) {
            return Copy::UpToDate;
        }
        date = newest.addDays(1);
        notice = QStringLiteral("Das Datum des Rechners (%1) liegt vor dem der neuesten "
                                "Sicherung (%2): die Sicherung von heute heißt darum „%3“. "
                                "Stellen Sie Datum und Uhrzeit des Rechners richtig.")
                     .arg(today.toString(QStringLiteral("d.M.yyyy")),
                          newest.toString(QStringLiteral("d.M.yyyy")),
                          backupName(Schema::DictionaryFile, date));
    }
    if (!dictionary.mkpath(BackupFolder)) {
        return failed(backupPath, QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.")
                                      .arg(QDir::toNativeSeparators(backupPath)));
    }
    // Each copy is made under a temporary name and renamed when complete: a
    // copy with a date is always a whole one.
    for (std::size_t i = 0; i < std::size(Files); ++i) {
        const QString target = backups.absoluteFilePath(backupName(Files[i], date));
        const QString partial = target + QStringLiteral(".teil");
        QFile::remove(partial);
        if (Result copied = sources[i].backupTo(partial); !copied) {
            QFile::remove(partial);
            return failed(backupPath, copied.error);
        }
        QFile::remove(target);
        if (!QFile::rename(partial, target) || !syncFolder(backupPath)) {
            QFile::remove(partial);
            return failed(backupPath, QStringLiteral("Die Datei „%1“ kann nicht geschrieben "
                                                     "werden.")
                                          .arg(QDir::toNativeSeparators(target)));
        }
    }
    // Old copies go only once both new ones are there.
    for (const QLatin1StringView file : Files) {
        const QStringList copies = copiesOf(backups, file);
        for (qsizetype i = 0; i + KeptCopies < copies.size(); ++i) {
            backups.remove(copies.at(i));
        }
    }
    ResultOf<Copy> made(Copy::Made);
    made.notice = notice;
    return made;
}

} // namespace Backup
