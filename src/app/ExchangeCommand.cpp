#include "app/ExchangeCommand.h"

#include "app/DictionaryFolder.h"
#include "convert/Pictures.h"
#include "data/Backup.h"
#include "data/DataSource.h"
#include "data/Dictionary.h"
#include "data/DictionaryLock.h"
#include "data/Exchange.h"
#include "data/Schema.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// At most this many bad rows are named; the rest are counted.
constexpr qsizetype NamedProblems = 20;

} // namespace

ExchangeCommand::ExchangeCommand()
    : m_export(QStringLiteral("export-csv"),
               QStringLiteral("Schreibt die Wörter als CSV-Datei DATEI (UTF-8), ihre Bilder in "
                              "einen Ordner daneben (zu woerter.csv: woerter-Bilder), und endet."),
               QStringLiteral("DATEI")),
      m_import(QStringLiteral("import-csv"),
               QStringLiteral("Fügt die Wörter der CSV-Datei DATEI dem Wörterbuch bei (Wörter, die "
                              "es schon gibt, werden geändert), und endet."),
               QStringLiteral("DATEI"))
{
}

void ExchangeCommand::addOptions(QCommandLineParser& parser) const
{
    parser.addOptions({m_export, m_import});
}

Result ExchangeCommand::read(const QCommandLineParser& parser, const QString& folder)
{
    if (parser.isSet(m_export) && parser.isSet(m_import)) {
        return Result::failure(QStringLiteral("--export-csv und --import-csv gehen nur einzeln."));
    }
    m_importing = parser.isSet(m_import);
    m_file = parser.value(m_importing ? m_import : m_export);
    takeFolder(folder);
    return Result::success();
}

ResultOf<QString> ExchangeCommand::work() const
{
    return m_importing ? importWords() : exportWords();
}

ResultOf<QString> ExchangeCommand::exportWords() const
{
    const auto exported = Exchange::exportDictionary(m_folder, m_file);
    if (!exported) {
        return exported;
    }
    QString said = QStringLiteral("%1 Wörter in „%2“ geschrieben")
                       .arg(exported.value.words)
                       .arg(native(m_file));
    if (exported.value.pictures > 0) {
        said += QStringLiteral(", %1 Bilder in „%2“")
                    .arg(exported.value.pictures)
                    .arg(native(Exchange::pictureFolder(m_file)));
    }
    return said + u'.';
}

ResultOf<QString> ExchangeCommand::importWords() const
{
    QString said;
    // A folder without a dictionary gets a new, empty one to import into.
    if (!DictionaryFolder::holdsDictionary(m_folder)) {
        QString error;
        if (!QDir().mkpath(m_folder) || !DictionaryFolder::createEmpty(m_folder, &error)) {
            return Result::failure(error.isEmpty() ? QStringLiteral("Der Ordner „%1“ kann nicht "
                                                                    "angelegt werden.")
                                                         .arg(native(m_folder))
                                                   : error);
        }
        said = QStringLiteral("Neues Wörterbuch in „%1“ angelegt.\n").arg(native(m_folder));
    }
    // Never beside a LEXA that edits the same dictionary.
    DictionaryLock lock(m_folder);
    switch (lock.tryLock()) {
    case DictionaryLock::Outcome::Held:
        break;
    case DictionaryLock::Outcome::ReadOnly:
        return Result::failure(QStringLiteral("Im Ordner „%1“ kann LEXA nicht schreiben: es wurde "
                                              "nichts importiert.")
                                   .arg(native(m_folder)));
    case DictionaryLock::Outcome::Refused:
        return Result::failure(lock.errorMessage() +
                               QStringLiteral(" Es wurde nichts importiert."));
    }
    const auto read = Exchange::readFile(m_file, m_folder, isReadablePicture);
    if (!read) {
        return read;
    }
    const Exchange::Import& import = read.value;
    if (!import.problems.isEmpty()) {
        QString error =
            QStringLiteral("In der Datei „%1“ passen %2 Zeilen nicht; es wurde nichts importiert. "
                           "Bitte korrigieren Sie sie:")
                .arg(native(m_file), QString::number(import.problems.size()));
        for (const QString& problem :
             import.problems.first(std::min(import.problems.size(), NamedProblems))) {
            error += QStringLiteral("\n  ") + problem;
        }
        if (import.problems.size() > NamedProblems) {
            error +=
                QStringLiteral("\n  … und %1 weitere.").arg(import.problems.size() - NamedProblems);
        }
        return Result::failure(error);
    }
    // Today's copy first, as when LEXA opens the dictionary.
    if (const auto backup = Backup::makeDailyBackup(m_folder, QDate::currentDate()); !backup) {
        QTextStream(stderr) << "lexa: " << backup.error << '\n';
    }
    const QDir folder(m_folder);
    DataSource words(folder.filePath(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                     Database::Access::ReadWrite);
    if (Result opened = words.Refresh(); !opened) {
        return opened;
    }
    Dictionary dictionary(words);
    const QString name = QFileInfo(m_file).fileName();
    const auto imported = dictionary.importTable(name, Exchange::records(import.rows));
    if (!imported) {
        return imported;
    }
    said += QStringLiteral("%1 Wörter aus „%2“: %3 neu, %4 geändert, %5 unverändert.")
                .arg(QString::number(import.rows.size()), name,
                     QString::number(imported.value.added), QString::number(imported.value.updated),
                     QString::number(imported.value.unchanged));
    const auto added = Exchange::addThemes(folder.filePath(Schema::ThemesFile), import.rows);
    if (!added) {
        return Result::failure(
            said + QStringLiteral("\nDie neuen Themen fehlen aber in der Themenliste: ") +
            added.error);
    }
    if (!added.value.isEmpty()) {
        said += QStringLiteral("\nNeue Themen: %1.").arg(added.value.join(QStringLiteral(", ")));
    }
    return said;
}
