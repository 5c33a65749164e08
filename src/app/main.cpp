#include "app/DictionaryFolder.h"
#include "app/ExchangeCommand.h"
#include "app/Form1.h"
#include "app/LegacyStartup.h"
#include "app/PdfCommand.h"
#include "app/SessionEnd.h"
#include "data/Backup.h"
#include "data/DictionaryLock.h"
#include "editor/Editor.h"
#include "widgets/German.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <initializer_list>
#include <optional>

namespace {

constexpr int exitUsage = 2;

// Printed after the version line of --version.
constexpr const char* licenceNotice =
    "Copyright (C) 2026 die Entwickler von LEXA.\n"
    "Lizenz GPLv3+: GNU GPL Version 3 oder neuer <https://gnu.org/licenses/gpl.html>.\n"
    "Dies ist freie Software: Sie dürfen sie ändern und weitergeben.\n"
    "Es gibt KEINE GARANTIE, soweit gesetzlich zulässig.\n";

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("LEXA"));
    QCoreApplication::setApplicationName(QStringLiteral("LEXA"));
    QCoreApplication::setApplicationVersion(Editor::versionText());
}

// Answers --help and --version, or gives the folder (or file of a
// dictionary) named on the command line in `argument`. Runs before the
// windowing system is reached, so it works on a plain terminal. An exit code
// when the program should end here.
std::optional<int> handleCommandLine(int argc, char* argv[], QString* argument, PdfCommand& pdf,
                                     ExchangeCommand& exchange)
{
    QCoreApplication app(argc, argv);
    nameApplication();
    installGermanTexts(app);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Bearbeitet ein deutsches Wörterbuch: die Wörter mit Artikel, "
                       "Frequenz, Themen, Icon und Markierung. Mit --pdf schreibt es "
                       "Wortkarten, Bildseiten oder eine Wortliste als PDF, mit --export-csv "
                       "und --import-csv tauscht es die Wörter als CSV-Datei mit anderen "
                       "Programmen aus, ohne Fenster."));
    // Qt's own options (-platform, -style ...) pass through to the windows.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : {"platform", "platformtheme", "style", "display", "qwindowgeometry"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addHelpOption();
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Zeigt Versionsinformation an."));
    parser.addOption(version);
    pdf.addOptions(parser);
    exchange.addOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("ORDNER"),
        QStringLiteral("Der Ordner mit LEXA.MDB und THEME.MDB, oder eine dieser Dateien (sonst "
                       "das aktuelle Verzeichnis, dann der Ordner vom letzten Mal)."),
        QStringLiteral("[ORDNER]"));
    parser.process(app); // ends the process after --help or a wrong option
    if (parser.isSet(version)) {
        QTextStream(stdout) << "LEXA " << Editor::versionText() << '\n'
                            << QString::fromUtf8(licenceNotice);
        return 0;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        QTextStream(stderr) << "lexa: Nur ein Ordner kann geöffnet werden.\n";
        return exitUsage;
    }
    for (BatchCommand* command : std::initializer_list<BatchCommand*>{&pdf, &exchange}) {
        if (const Result read = command->read(parser, folders.value(0)); !read) {
            QTextStream(stderr) << "lexa: " << read.error << '\n';
            return exitUsage;
        }
    }
    if (pdf.wanted() && exchange.wanted()) {
        QTextStream(stderr) << "lexa: --pdf und --export-csv oder --import-csv gehen nur "
                               "einzeln.\n";
        return exitUsage;
    }
    if (pdf.wanted() || exchange.wanted()) {
        return std::nullopt;
    }
    if (!folders.isEmpty()) {
        *argument = folders.first();
        if (!QFileInfo::exists(*argument)) {
            QTextStream(stderr) << "lexa: Der Ordner \"" << *argument << "\" existiert nicht.\n";
        }
    }
    return std::nullopt;
}

// Today's copy of the dictionary into "Sicherung", once it has opened; a
// failure is only a warning, never a reason not to start.
void backUpDictionary()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto backup = Backup::makeDailyBackup(QDir::currentPath(), QDate::currentDate());
    QApplication::restoreOverrideCursor();
    if (!backup || !backup.notice.isEmpty()) {
        MessageBox::show(nullptr, backup ? backup.notice : backup.error, QMessageBox::Ok,
                         QMessageBox::NoButton, QMessageBox::Warning);
    }
}

void sayReadOnly(const QString& folder)
{
    MessageBox::show(nullptr,
                     QStringLiteral("Im Ordner „%1“ kann LEXA nicht schreiben: das Wörterbuch ist "
                                    "nur zum Lesen geöffnet. Sie können blättern, suchen und "
                                    "Listen an anderer Stelle speichern, aber Änderungen können "
                                    "nicht gespeichert werden.")
                         .arg(QDir::toNativeSeparators(folder)),
                     QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Information);
}

} // namespace

int main(int argc, char* argv[])
{
    QString argument;
    PdfCommand pdf;
    ExchangeCommand exchange;
    if (const std::optional<int> exitCode =
            handleCommandLine(argc, argv, &argument, pdf, exchange)) {
        return *exitCode;
    }
    if (pdf.wanted()) {
        return pdf.run(argc, argv);
    }
    if (exchange.wanted()) {
        return exchange.run(argc, argv);
    }
    QApplication app(argc, argv);
    nameApplication();
    installGermanTexts(app);
    const QString folder = DictionaryFolder::choose(argument, DictionaryFolder::remembered(),
                                                    DictionaryFolder::dialogs(nullptr), nullptr);
    if (folder.isEmpty() || !QDir::setCurrent(folder)) {
        return 1;
    }
    // One LEXA per dictionary folder, for as long as this one runs; a folder
    // that cannot be written is opened for reading.
    DictionaryLock lock(folder);
    const DictionaryLock::Outcome locked = lock.tryLock();
    if (locked == DictionaryLock::Outcome::Refused) {
        MessageBox::show(nullptr, lock.errorMessage(), QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Critical);
        return 1;
    }
    const bool readOnly = locked == DictionaryLock::Outcome::ReadOnly;
    // Access files found in the dictionary folder are converted first, if
    // the user agrees.
    if (!offerLegacyConversion(nullptr, folder)) {
        return 1;
    }
    Form1 form;
    if (readOnly) {
        form.editor().Data1.setAccess(Database::Access::ReadOnly);
    }
    if (!form.Form_Load()) {
        return 1;
    }
    DictionaryFolder::remember(folder);
    readOnly ? sayReadOnly(folder) : backUpDictionary();
    form.show();
    closeOnSessionEnd(form);
    return QApplication::exec();
}
