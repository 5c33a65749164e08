#include "LegacyConversion.h"

#include "DatabaseKind.h"
#include "Pictures.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr QLatin1StringView BackupSuffix{".access"};
constexpr QLatin1StringView WordField{"mot"};
constexpr QLatin1StringView IconField{"icone integree"};
// The summary is a message box: a long list of problems is cut.
constexpr qsizetype MaxListedProblems = 20;

struct Target
{
    QLatin1StringView file;
    QLatin1StringView table;
    QLatin1StringView create;
};

constexpr Target Targets[] = {
    {Schema::DictionaryFile, Schema::DictionaryTable, Schema::CreateDictionary},
    {Schema::ThemesFile, Schema::ThemesTable, Schema::CreateThemes},
};

// A converted file waiting in its temporary place for all others to succeed.
struct Prepared
{
    const Target* target = nullptr;
    std::unique_ptr<QTemporaryFile> temp;
};

QString fileError(QLatin1StringView file, const QString& reason)
{
    return QStringLiteral("Die Datei „%1“ konnte nicht umgewandelt werden.\n%2\n"
                          "Sie ist unverändert geblieben.")
        .arg(file, reason);
}

QString recordLabel(const QVariantList& record, qsizetype wordColumn, qsizetype index)
{
    const QString word = wordColumn >= 0 ? record[wordColumn].toString() : QString();
    return word.isEmpty() ? QStringLiteral("Datensatz %1").arg(index + 1)
                          : QStringLiteral("„%1“ (Datensatz %2)").arg(word).arg(index + 1);
}

// Stores each icon as its plain picture; a value that is no readable
// picture stays as it was and is reported. Returns the number of icons.
int normaliseIcons(QList<QVariantList>& records, qsizetype iconColumn, qsizetype wordColumn,
                   QStringList* problems)
{
    int icons = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        QVariant& value = records[i][iconColumn];
        if (value.typeId() != QMetaType::QByteArray || value.toByteArray().isEmpty()) {
            continue;
        }
        const QByteArray plain = plainPicture(value.toByteArray());
        if (isReadablePicture(plain)) {
            value = plain;
            ++icons;
        } else {
            problems->append(
                QStringLiteral("Icon von %1: kein lesbares Bild, unverändert übernommen")
                    .arg(recordLabel(records[i], wordColumn, i)));
        }
    }
    return icons;
}

// Keeps the fields that have a column of the same name (letter case aside),
// in their order; reports the others and the columns without a field.
QStringList matchFields(LegacyTable& table, const QStringList& columns, QLatin1StringView file,
                        QStringList* problems)
{
    QStringList matched;
    QList<qsizetype> kept;
    for (qsizetype i = 0; i < table.fields.size(); ++i) {
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const QString& c) {
            return c.compare(table.fields[i], Qt::CaseInsensitive) == 0;
        });
        if (column == columns.end()) {
            problems->append(QStringLiteral("Feld „%1“ aus „%2“: in LEXA nicht vorhanden, "
                                            "nicht übernommen")
                                 .arg(table.fields[i], file));
            continue;
        }
        matched.append(*column);
        kept.append(i);
    }
    for (const QString& column : columns) {
        // The fields LEXA added since the old files come empty.
        const bool added = std::any_of(
            Schema::AddedFields.begin(), Schema::AddedFields.end(),
            [&](QLatin1StringView name) { return column.compare(name, Qt::CaseInsensitive) == 0; });
        if (!matched.contains(column) && !added) {
            problems->append(QStringLiteral("Feld „%1“ fehlt in „%2“").arg(column, file));
        }
    }
    for (QVariantList& record : table.records) {
        QVariantList values;
        for (const qsizetype i : kept) {
            values.append(record[i]);
        }
        record = values;
    }
    return matched;
}

bool writeTable(const QString& path, const Target& target, LegacyTable& table,
                ConversionReport* report, QString* error)
{
    Database db;
    if (Result created = db.create(path, target.create); !created) {
        *error = QStringLiteral("Die neue Datei ließ sich nicht schreiben: %1").arg(created.error);
        return false;
    }
    const auto stored = db.columns(target.table);
    const QStringList columns =
        matchFields(table, stored ? stored.value : QStringList(), target.file, &report->problems);
    if (columns.isEmpty()) {
        *error =
            QStringLiteral("Die Tabelle „%1“ hat keines der Felder von LEXA.").arg(target.table);
        return false;
    }
    if (target.table == Schema::DictionaryTable) {
        report->words = static_cast<int>(table.records.size());
        if (columns.contains(IconField)) {
            report->icons = normaliseIcons(table.records, columns.indexOf(IconField),
                                           columns.indexOf(WordField), &report->problems);
        }
    } else {
        report->themes = static_cast<int>(table.records.size());
    }
    Result written = db.insertRows(target.table, columns, table.records);
    if (written) {
        written = db.close();
    }
    if (!written) {
        *error = QStringLiteral("Die neue Datei ließ sich nicht schreiben: %1").arg(written.error);
        return false;
    }
    return true;
}

bool prepare(const QDir& folder, const Target& target, const LegacyReader& reader,
             Prepared* prepared, ConversionReport* report, QString* error)
{
    const QString original = folder.filePath(target.file);
    LegacyTable table;
    QString reason;
    if (!reader.read(original, target.table, &table, &reason)) {
        *error = fileError(target.file, reason);
        return false;
    }
    auto temp = std::make_unique<QTemporaryFile>(
        folder.filePath(QLatin1Char('.') + target.file + QStringLiteral("-XXXXXX")));
    if (!temp->open()) {
        *error = fileError(target.file, QStringLiteral("Im Ordner lässt sich keine neue "
                                                       "Datei anlegen."));
        return false;
    }
    temp->close();
    if (!writeTable(temp->fileName(), target, table, report, &reason)) {
        *error = fileError(target.file, reason);
        return false;
    }
    // The new file keeps the old one's permissions but is always writable.
    temp->setPermissions(QFileInfo(original).permissions() | QFileDevice::ReadOwner |
                         QFileDevice::WriteOwner);
    prepared->target = &target;
    prepared->temp = std::move(temp);
    return true;
}

struct Committed
{
    QString original;
    QString backup;
};

void undo(const QList<Committed>& committed)
{
    for (auto it = committed.rbegin(); it != committed.rend(); ++it) {
        QFile::remove(it->original);
        QFile::rename(it->backup, it->original);
    }
}

bool commit(const QDir& folder, std::vector<Prepared>& prepared, ConversionReport* report,
            QString* error)
{
    QList<Committed> committed;
    for (Prepared& file : prepared) {
        const QString name = file.target->file;
        const QString backup = backupName(folder.path(), name);
        const Committed step{folder.filePath(name), folder.filePath(backup)};
        if (!QFile::rename(step.original, step.backup)) {
            undo(committed);
            *error = fileError(
                file.target->file,
                QStringLiteral("Die Sicherung „%1“ ließ sich nicht anlegen.").arg(backup));
            return false;
        }
        if (!file.temp->rename(step.original)) {
            QFile::rename(step.backup, step.original);
            undo(committed);
            *error = fileError(file.target->file,
                               QStringLiteral("Die neue Datei ließ sich nicht an ihren Platz "
                                              "bringen."));
            return false;
        }
        file.temp->setAutoRemove(false);
        committed.append(step);
        report->files.append(name);
        report->backups.append(backup);
    }
    return true;
}

} // namespace

QString ConversionReport::summary() const
{
    QStringList lines{QStringLiteral("Die Umwandlung ist abgeschlossen."), QString()};
    if (files.contains(Schema::DictionaryFile)) {
        lines << QStringLiteral("Wörter: %1").arg(words) << QStringLiteral("Icons: %1").arg(icons);
    }
    if (files.contains(Schema::ThemesFile)) {
        lines << QStringLiteral("Themen: %1").arg(themes);
    }
    lines << QString() << QStringLiteral("Die alten Dateien sind aufbewahrt:");
    for (qsizetype i = 0; i < files.size(); ++i) {
        lines << QStringLiteral("%1 → %2").arg(files[i], backups[i]);
    }
    if (!problems.isEmpty()) {
        lines << QString() << QStringLiteral("Hinweise:") << problems.mid(0, MaxListedProblems);
    }
    if (problems.size() > MaxListedProblems) {
        lines << QStringLiteral("… und %1 weitere").arg(problems.size() - MaxListedProblems);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList legacyFiles(const QString& folder)
{
    QStringList files;
    for (const Target& target : Targets) {
        if (databaseKind(QDir(folder).filePath(target.file)) == DatabaseKind::Access) {
            files.append(target.file);
        }
    }
    return files;
}

QString backupName(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    QString name = fileName + BackupSuffix;
    for (int n = 2;; ++n) {
        const QFileInfo info(dir.filePath(name));
        if (!info.exists() && !info.isSymLink()) {
            return name;
        }
        name = fileName + BackupSuffix + QLatin1Char('-') + QString::number(n);
    }
}

bool convertLegacyFiles(const QString& folder, const LegacyReader& reader, ConversionReport* report,
                        QString* error)
{
    *report = {};
    const QDir dir(folder);
    std::vector<Prepared> prepared;
    for (const Target& target : Targets) {
        if (databaseKind(dir.filePath(target.file)) != DatabaseKind::Access) {
            continue;
        }
        Prepared file;
        if (!prepare(dir, target, reader, &file, report, error)) {
            return false;
        }
        prepared.push_back(std::move(file));
    }
    return commit(dir, prepared, report, error);
}
