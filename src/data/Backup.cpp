#include "data/Backup.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <fcntl.h>
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

// Opens a dictionary file for reading and checks that its pages are sound;
// an empty text when it is, else why not (German).
QString checkedOpen(Database& db, const QString& path)
{
    if (!db.open(path, Database::Access::ReadOnly)) {
        return db.lastError();
    }
    auto check = db.prepare(QStringLiteral("PRAGMA quick_check"));
    if (!check) {
        return db.lastError();
    }
    if (!check->next()) {
        return check->failed() ? db.lastError() : QString();
    }
    if (check->text(0) == QLatin1String("ok")) {
        return {};
    }
    return QStringLiteral("Die Datei „%1“ ist beschädigt: die Prüfung der Datenbank hat Fehler "
                          "gefunden. Nehmen Sie eine Sicherungskopie des Wörterbuchs.")
        .arg(QDir::toNativeSeparators(path));
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
    if (!existing.isEmpty() && existing.last() >= backupName(Schema::DictionaryFile, today)) {
        return Copy::UpToDate;
    }
    // Only a dictionary that opens and is sound is copied: a damaged file
    // must never take the place of a good copy.
    Database sources[std::size(Files)];
    for (std::size_t i = 0; i < std::size(Files); ++i) {
        const QString reason = checkedOpen(sources[i], dictionary.absoluteFilePath(Files[i]));
        if (!reason.isEmpty()) {
            return failed(backupPath, reason);
        }
    }
    if (!dictionary.mkpath(BackupFolder)) {
        return failed(backupPath, QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.")
                                      .arg(QDir::toNativeSeparators(backupPath)));
    }
    // Each copy is made under a temporary name and renamed when complete: a
    // copy with a date is always a whole one.
    for (std::size_t i = 0; i < std::size(Files); ++i) {
        const QString target = backups.absoluteFilePath(backupName(Files[i], today));
        const QString partial = target + QStringLiteral(".teil");
        QFile::remove(partial);
        if (!sources[i].backupTo(partial)) {
            QFile::remove(partial);
            return failed(backupPath, sources[i].lastError());
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
    return Copy::Made;
}

} // namespace Backup
