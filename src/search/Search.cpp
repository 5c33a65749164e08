#include "search/Search.h"

#include "data/DataSource.h"
#include "search/ResulChUi.h"
#include "widgets/FileDialogs.h"
#include "widgets/Label.h"
#include "widgets/MessageBox.h"
#include "widgets/ScreenPointer.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRadioButton>
#include <QSaveFile>
#include <QStringEncoder>
#include <tuple>

const QString Search::OverwriteQuestion = QStringLiteral("Voulez-vous écraser le fichier ");
const QString Search::SaveFailedMessage =
    QStringLiteral("Erreur lors d'une tentative de fermeture de fichier, réessayez.");

namespace {

constexpr int backspaceCode = 8;
constexpr int longestLength = 20;

// Trimming removes blanks only; tabs and other white space stay.
QString trimLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == u' ') {
        ++start;
    }
    return text.mid(start);
}

QString trimBlanks(const QString& text)
{
    QString trimmed = trimLeadingBlanks(text);
    qsizetype end = trimmed.size();
    while (end > 0 && trimmed.at(end - 1) == u' ') {
        --end;
    }
    trimmed.truncate(end);
    return trimmed;
}

// The number spelled by the leading digits of a text: blanks and a sign in
// front are read, whatever follows the digits is not; no digits give 0. Huge
// numbers stop growing once they are out of every accepted range.
qint64 leadingNumber(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text.at(pos) == u' ') {
        ++pos;
    }
    qint64 sign = 1;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-')) {
        sign = text.at(pos) == u'-' ? -1 : 1;
        ++pos;
    }
    qint64 number = 0;
    for (; pos < text.size() && text.at(pos) >= u'0' && text.at(pos) <= u'9'; ++pos) {
        number = std::min<qint64>(number * 10 + (text.at(pos).unicode() - u'0'), 1'000'000);
    }
    return sign * number;
}

// Windows-1252 bytes of a text. A character the code page cannot hold is
// written as '?', as Windows' own conversion to its ANSI code page does,
// rather than the encoder's control character 0x1A.
QByteArray toWindows1252(const QString& text)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) {
        return bytes;
    }
    bytes.clear();
    for (const char32_t codePoint : text.toUcs4()) {
        QStringEncoder single("windows-1252");
        const QByteArray encoded = single.encode(QString::fromUcs4(&codePoint, 1));
        bytes += single.hasError() ? QByteArray("?") : encoded;
    }
    return bytes;
}

// A file the overwrite question is about: an ordinary, visible file.
bool isListedFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

QString runDialog(QFileDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

Search::Search(QWidget* window, ResulChUi& ui, DataSource& Data1, DataSource& Data2,
               QObject* parent)
    : QObject(parent), runSaveDialog(runDialog), m_window(window), ui(ui), m_data1(Data1),
      m_data2(Data2)
{
}

// ------------------------------------------------------------ shared rules

bool Search::narrowing() const
{
    return ui.extrac_liste->isChecked();
}

void Search::showCount(qsizetype count)
{
    ui.nb_tr->setCaption(QString::number(count));
}

void Search::searchDictionary(const QString& criterion)
{
    ui.resul_cherch->clearEntries();
    RecordSet& words = m_data1.Recordset();
    QStringList found;
    {
        // The words are read from the records; the editor's controls show the
        // record found last once the search is over.
        const DataSource::DeferDisplay deferred(m_data1);
        // An empty dictionary has no first record; the find then finds nothing.
        std::ignore = words.MoveFirst();
        // A find that fails (a malformed criterion) ends the search like a miss.
        bool match = words.FindFirst(criterion) && !words.NoMatch();
        while (match && found.size() < MaxEntries) {
            found.append(u' ' + words.field(QStringLiteral("mot")).toString() + u' ');
            match = words.FindNext(criterion) && !words.NoMatch();
        }
    }
    ui.resul_cherch->addEntries(found);
    showCount(found.size());
}

void Search::walkDictionary(int length)
{
    setScreenPointer(Pointer::Hourglass);
    ui.resul_cherch->clearEntries();
    RecordSet& words = m_data1.Recordset();
    QStringList found;
    {
        const DataSource::DeferDisplay deferred(m_data1);
        std::ignore = words.MoveFirst();
        const int recordCount = words.RecordCount();
        const QString mot = QStringLiteral("mot");
        for (int i = 0; i < recordCount; ++i) {
            const QString word = words.field(mot).toString();
            if (word.size() == length && found.size() < MaxEntries) {
                found.append(word);
            }
            std::ignore = words.MoveNext();
        }
        std::ignore = words.MoveFirst();
    }
    ui.resul_cherch->addEntries(found);
    showCount(found.size());
    setScreenPointer(Pointer::Arrow);
}

void Search::narrowList(const EntryTest& passes)
{
    ui.liste_temp->clearEntries();
    QStringList kept;
    for (int i = 0; i < ui.resul_cherch->entryCount(); ++i) {
        const QString entry = ui.resul_cherch->entry(i);
        if (passes(entry)) {
            kept.append(entry);
        }
    }
    ui.liste_temp->addEntries(kept);

    ui.resul_cherch->clearEntries();
    QStringList trimmed;
    for (int i = 0; i < ui.liste_temp->entryCount(); ++i) {
        const QString entry = ui.liste_temp->entry(i);
        if (!entry.isEmpty()) {
            trimmed.append(trimBlanks(entry));
        }
    }
    ui.resul_cherch->addEntries(trimmed);
    showCount(ui.resul_cherch->entryCount());
}

// ----------------------------------------------------------- text searches

void Search::textSearch(Anchor anchor)
{
    const QString typed = ui.ecrire->text();
    if (typed.isEmpty()) {
        return;
    }
    const QString text = trimBlanks(typed);
    if (narrowing()) {
        // Exact comparisons: letter case counts and wildcards are plain characters.
        switch (anchor) {
        case Anchor::Begin:
            narrowList([&](const QString& e) { return trimLeadingBlanks(e).startsWith(text); });
            break;
        case Anchor::Inside:
            narrowList([&](const QString& e) { return !e.isEmpty() && e.contains(text); });
            break;
        case Anchor::End:
            narrowList([&](const QString& e) { return trimBlanks(e).endsWith(text); });
            break;
        }
        return;
    }
    const QString before = anchor == Anchor::Begin ? QString() : QStringLiteral("*");
    const QString after = anchor == Anchor::End ? QString() : QStringLiteral("*");
    // The text goes into the pattern as typed: its wildcards stay wildcards.
    searchDictionary(QStringLiteral("mot like'") + before + text + after + u'\'');
}

void Search::commence_Click()
{
    textSearch(Anchor::Begin);
}

void Search::contient_Click()
{
    textSearch(Anchor::Inside);
}

void Search::termine_Click()
{
    textSearch(Anchor::End);
}

// ----------------------------------------------------------- length search

void Search::lg_KeyPress(int& KeyAscii)
{
    // Backspace empties the whole field in one stroke.
    if (KeyAscii == backspaceCode && !ui.lg->text().isEmpty()) {
        ui.lg->setText(QString());
    }
    if (KeyAscii < '0' || KeyAscii > '9') {
        KeyAscii = 0;
    }
}

void Search::longueur_Click()
{
    const QString typed = ui.lg->text();
    if (typed.isEmpty()) {
        return;
    }
    const qint64 length = leadingNumber(typed);
    if (length <= 0 || length > longestLength) {
        ui.lg->setText(QString());
        return;
    }
    if (narrowing()) {
        narrowList([&](const QString& e) { return trimBlanks(e).size() == length; });
        return;
    }
    walkDictionary(static_cast<int>(length));
}

// ------------------------------------------------- theme and marked words

void Search::theme_Click()
{
    if (const Result opened = m_data2.Refresh(); !opened) {
        MessageBox::show(m_window, opened.error, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Warning);
        return;
    }
    RecordSet& themes = m_data2.Recordset();
    QStringList names;
    {
        const DataSource::DeferDisplay deferred(m_data2);
        // An empty theme table has no last or first record: the list stays empty.
        std::ignore = themes.MoveLast();
        std::ignore = themes.MoveFirst();
        const int themeCount = themes.RecordCount();
        std::ignore = themes.MoveFirst();
        for (int i = 0; i < themeCount; ++i) {
            names.append(themes.field(QStringLiteral("theme")).toString());
            std::ignore = themes.MoveNext();
        }
    }
    ui.List2->clearEntries();
    ui.List2->addEntries(names);
    ui.List2->show();
}

void Search::Label6_Click()
{
    ui.List2->show();
}

void Search::List2_Click()
{
    ui.theme->setCaption(ui.List2->entry(ui.List2->listIndex()));
    ui.List2->hide();
    theme_cherch_Click();
}

void Search::theme_cherch_Click()
{
    const QString picked = ui.theme->caption();
    if (picked.isEmpty()) {
        return;
    }
    searchDictionary(QStringLiteral("theme like'*") + picked + QStringLiteral("*'"));
}

void Search::Command3_Click()
{
    searchDictionary(QStringLiteral("[mot marque]='O'"));
}

// ------------------------------------------------------ saving the list

QFileDialog& Search::prepareSaveDialog()
{
    if (m_dialogue1 == nullptr) {
        m_dialogue1 = new QFileDialog(m_window);
        m_dialogue1->setObjectName(QStringLiteral("dialogue1"));
        showByNameOnly(*m_dialogue1);
    }
    // Where the last list was saved, at first the dictionary's folder; never
    // the current directory, which the icon chooser moves.
    m_dialogue1->setDirectory(
        m_saveFolder.isEmpty() ? QFileInfo(m_data1.databasePath()).absolutePath() : m_saveFolder);
    m_dialogue1->setNameFilter(QStringLiteral("text files (*.txt)"));
    m_dialogue1->selectNameFilter(QStringLiteral("text files (*.txt)"));
    m_dialogue1->setAcceptMode(QFileDialog::AcceptSave);
    m_dialogue1->setFileMode(QFileDialog::AnyFile);
    // The window asks its own question; a name without extension is kept as typed.
    m_dialogue1->setOption(QFileDialog::DontConfirmOverwrite);
    m_dialogue1->setDefaultSuffix(QString());
    return *m_dialogue1;
}

bool Search::writeList(const QString& path) const
{
    QByteArray lines;
    for (int i = 0; i < ui.resul_cherch->entryCount(); ++i) {
        lines += toWindows1252(ui.resul_cherch->entry(i) + QStringLiteral("\r\n"));
    }
    // Unbuffered, so that a disk that fills up shows as a short write.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        // A device or a pipe has nothing to keep and must not be replaced by
        // a file: it is written directly.
        QFile device(path);
        return device.open(mode) && device.write(lines) == lines.size();
    }
    // The old file is replaced only by a whole new list: a failed save keeps it.
    QSaveFile file(path);
    return file.open(mode) && file.write(lines) == lines.size() && file.commit();
}

void Search::Command2_Click()
{
    if (ui.resul_cherch->entryCount() == 0) {
        return;
    }
    const QString path = runSaveDialog(prepareSaveDialog());
    if (path.isEmpty()) {
        return; // cancelled
    }
    if (isListedFile(path) &&
        MessageBox::show(m_window, OverwriteQuestion, QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    if (!writeList(path)) {
        MessageBox::show(m_window, SaveFailedMessage, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Warning);
        return;
    }
    m_saveFolder = QFileInfo(path).absolutePath();
}
