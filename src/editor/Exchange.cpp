// The exchange of the dictionary with other programs as a CSV file, from the
// main window.
#include "data/Exchange.h"

#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "editor/NearCheck.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/ScreenPointer.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// At most this many bad rows are named in a question; the rest are counted.
constexpr qsizetype NamedProblems = 10;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The folder of the last exchange file, where the next dialog opens.
QString& lastFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

QString chooseFile(QWidget* parent, bool saving, const QString& suggested)
{
    QFileDialog dialog(parent,
                       saving ? QStringLiteral("Exportieren") : QStringLiteral("Importieren"));
    dialog.setObjectName(saving ? QStringLiteral("exportDialog") : QStringLiteral("importDialog"));
    showByNameOnly(dialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("Alle Dateien (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(lastFolder());
    if (!suggested.isEmpty()) {
        dialog.selectFile(suggested);
    }
    QString path = runFileDialog(dialog);
    if (!path.isEmpty()) {
        lastFolder() = QFileInfo(path).absolutePath();
    }
    return path;
}

void warn(QWidget* parent, const QString& text)
{
    MessageBox::show(parent, text, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Warning);
}

QString namedProblems(const QStringList& problems)
{
    QString text;
    for (const QString& problem : problems.first(std::min(problems.size(), NamedProblems))) {
        text += QStringLiteral("\n") + problem;
    }
    if (problems.size() > NamedProblems) {
        text += QStringLiteral("\n… und %1 weitere.").arg(problems.size() - NamedProblems);
    }
    return text;
}

} // namespace

void Editor::exportCsv()
{
    const QString folder = QFileInfo(Data1.databasePath()).absolutePath();
    const QString path =
        chooseFile(m_form, true, QFileInfo(folder).fileName() + QStringLiteral(".csv"));
    if (path.isEmpty()) {
        return;
    }
    const QString pictures = Exchange::pictureFolder(path);
    if ((QFileInfo::exists(path) || QFileInfo::exists(pictures)) &&
        MessageBox::show(m_form,
                         QStringLiteral("Die Datei „%1“ oder der Ordner „%2“ ist schon da. "
                                        "Ersetzen?")
                             .arg(QFileInfo(path).fileName(), QFileInfo(pictures).fileName()),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    setScreenPointer(Pointer::Hourglass);
    const auto exported = Exchange::exportDictionary(folder, path);
    setScreenPointer(Pointer::Arrow);
    if (!exported) {
        warn(m_form, exported.error);
        return;
    }
    QString text = QStringLiteral("%1 Wörter wurden in die Datei „%2“ exportiert")
                       .arg(exported.value.words)
                       .arg(native(path));
    if (exported.value.pictures > 0) {
        text += QStringLiteral(", ihre %1 Bilder in den Ordner „%2“")
                    .arg(exported.value.pictures)
                    .arg(QFileInfo(pictures).fileName());
    }
    MessageBox::show(m_form, text + u'.');
}

void Editor::importCsv()
{
    if (Data1.access() == Database::Access::ReadOnly) {
        warn(m_form, QStringLiteral("Das Wörterbuch ist nur zum Lesen geöffnet: es kann nichts "
                                    "importiert werden."));
        return;
    }
    const QString path = chooseFile(m_form, false, {});
    if (path.isEmpty()) {
        return;
    }
    const QString folder = QFileInfo(Data1.databasePath()).absolutePath();
    setScreenPointer(Pointer::Hourglass);
    auto read = Exchange::readFile(path, folder, &PictureBox::isReadablePicture);
    setScreenPointer(Pointer::Arrow);
    if (!read) {
        warn(m_form, read.error);
        return;
    }
    std::vector<Exchange::Row>& rows = read.value.rows;
    const QStringList& problems = read.value.problems;
    const QString name = QFileInfo(path).fileName();
    if (rows.empty()) {
        warn(m_form, QStringLiteral("In der Datei „%1“ passt keine Zeile; es wurde nichts "
                                    "importiert.%2")
                         .arg(name, namedProblems(problems)));
        return;
    }
    if (!problems.isEmpty() &&
        MessageBox::show(m_form,
                         QStringLiteral("In der Datei „%1“ passen %2 Zeilen nicht:%3\n\nNur die "
                                        "%4 passenden Zeilen importieren?")
                             .arg(name, QString::number(problems.size()), namedProblems(problems),
                                  QString::number(rows.size())),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                         QMessageBox::Warning) != QMessageBox::Yes) {
        return;
    }
    QStringList newWords;
    qsizetype stored = 0;
    for (const Exchange::Row& row : rows) {
        if (m_dictionary.isStored(row.word.mot)) {
            ++stored;
        } else {
            newWords.append(row.word.mot);
        }
    }
    if (stored > 0) {
        const auto answer = MessageBox::show(
            m_form,
            QStringLiteral("%1 Wörter der Datei „%2“ gibt es schon im Wörterbuch. Sollen sie "
                           "die Angaben der Datei bekommen?\n\nJa: ändern. Nein: nur die neuen "
                           "Wörter beifügen.")
                .arg(stored)
                .arg(name),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
        if (answer == QMessageBox::Cancel) {
            return;
        }
        if (answer != QMessageBox::Yes) {
            std::erase_if(
                rows, [&](const Exchange::Row& row) { return !newWords.contains(row.word.mot); });
        }
    }
    if (rows.empty()) {
        MessageBox::show(m_form, QStringLiteral("Die Wörter der Datei „%1“ waren schon im "
                                                "Wörterbuch!")
                                     .arg(name));
        return;
    }
    setScreenPointer(Pointer::Hourglass);
    const auto imported = m_dictionary.importTable(name, Exchange::records(rows));
    setScreenPointer(Pointer::Arrow);
    if (!checkStore(imported)) {
        followFileIfChanged();
        return;
    }
    nb_mots = Data1.Recordset().RecordCount();
    showCount();
    QString text =
        QStringLiteral("%1 Wörter aus „%2“: %3 neu, %4 geändert, %5 unverändert.")
            .arg(QString::number(rows.size()), name, QString::number(imported.value.added),
                 QString::number(imported.value.updated),
                 QString::number(imported.value.unchanged));
    const auto themes = Exchange::addThemes(Data2.databasePath(), rows);
    if (!themes) {
        text +=
            QStringLiteral("\n\nDie neuen Themen fehlen aber in der Themenliste: ") + themes.error;
    } else if (!themes.value.isEmpty()) {
        // The theme pickers of both windows offer the new names.
        ui.List2->addEntries(themes.value);
        checkStore(Data2.Refresh());
    }
    MessageBox::show(m_form, text);
    reportNearImported(m_form, m_words, newWords);
}
