// The bulk import of the words of "listemot.txt".
#include "data/Word.h"
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "editor/ImportList.h"
#include "editor/NearCheck.h"
#include "widgets/MessageBox.h"
#include "widgets/ScreenPointer.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTimer>

namespace {
constexpr int ImportItemLimit = 400;
const QString ImportFileName = QStringLiteral("listemot.txt");
} // namespace

void Editor::LoadImportList()
{
    import_ok = 0;
    ui.List3->clearEntries();
    // An absent file is silent; a file that is there but not offered is
    // reported once the window is up, as the button the user expects is missing.
    const auto notOffered = [this](const QString& reason) {
        const QString text =
            QStringLiteral("Die Wörter der Datei <%1> können nicht dem Wörterbuch beigefügt "
                           "werden: %2.")
                .arg(QDir::current().absoluteFilePath(ImportFileName), reason);
        QTimer::singleShot(0, m_form, [this, text] {
            MessageBox::show(m_form, text, QMessageBox::Ok, QMessageBox::NoButton,
                             QMessageBox::Warning);
        });
    };
    QFile file(ImportFileName);
    if (!file.exists()) {
        return;
    }
    if (file.size() > ImportFileMaxBytes) {
        notOffered(QStringLiteral("zu groß (über %1 KB)").arg(ImportFileMaxBytes / 1024));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        notOffered(QStringLiteral("nicht lesbar"));
        return;
    }
    const std::optional<QString> text = decodeImportText(file.readAll());
    if (!text) {
        notOffered(QStringLiteral("keine Textdatei"));
        return;
    }
    const QStringList items = parseImportItems(*text, ImportItemLimit);
    if (items.isEmpty()) {
        notOffered(QStringLiteral("leer"));
        return;
    }
    QStringList words;
    QStringList refused;
    for (const QString& item : items) {
        if (!isWordItem(item)) {
            // Shown short and on one line.
            QString shown = item.simplified();
            if (shown.size() > 30) {
                shown = shown.left(30) + QStringLiteral(" …");
            }
            refused.append(QStringLiteral("„%1“").arg(shown));
        } else if (!item.isEmpty()) {
            words.append(item);
        }
    }
    if (words.isEmpty() && !refused.isEmpty()) {
        notOffered(QStringLiteral("kein Eintrag ist ein Wort (länger als %1 Zeichen oder über "
                                  "mehrere Zeilen)")
                       .arg(WordMaximumLength));
        return;
    }
    if (!refused.isEmpty()) {
        const QString text =
            QStringLiteral("%1 Einträge der Datei <%2> sind kein Wort und werden nicht "
                           "beigefügt: sie sind länger als %3 Zeichen oder gehen über mehrere "
                           "Zeilen (etwa nach einem Anführungszeichen, das nicht geschlossen "
                           "wird). Prüfen Sie die Datei: %4")
                .arg(refused.size())
                .arg(QDir::current().absoluteFilePath(ImportFileName))
                .arg(WordMaximumLength)
                .arg(refused.join(QStringLiteral(", ")));
        QTimer::singleShot(0, m_form, [this, text] {
            MessageBox::show(m_form, text, QMessageBox::Ok, QMessageBox::NoButton,
                             QMessageBox::Warning);
        });
    }
    ui.List3->addEntries(words);
    nb_import = static_cast<qint16>(words.size());
    import_ok = 1;
}

void Editor::Command10_Click()
{
    if (MessageBox::show(
            m_form, QStringLiteral("Die Wörter der Datei <listemot.txt> dem Wörterbuch beifügen?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes) {
        return;
    }
    // The import's own steps enable the list and the word field for its run;
    // a word open meanwhile gets its controls back as they were.
    const bool textEnabled = ui.Text1->isEnabled();
    const bool listEnabled = ui.List1->isEnabled();
    ui.Text1->setEnabled(true);
    ui.List1->setEnabled(true);
    setScreenPointer(Pointer::Hourglass);

    QStringList addedWords;
    // The exact-match test asks the index kept in step with the list, and a
    // set of the words this import adds.
    ListedNearWords& listed = ListedNearWords::of(m_words);
    QSet<QString> adding;
    adding.reserve(nb_import);
    for (int i = 0; i < nb_import; ++i) {
        const QString word = ui.List3->entry(i);
        doublon = listed.lists(word) || adding.contains(word) ? 1 : 0;
        if (doublon == 1) {
            continue;
        }
        addedWords.append(word);
        adding.insert(word);
    }
    const auto added = static_cast<qint16>(addedWords.size());
    // All words or none: one commit for the whole import.
    Result imported = Result::success();
    if (added > 0) {
        imported = m_dictionary.importWords(addedWords);
    }
    setScreenPointer(Pointer::Arrow);
    const auto restoreControls = [&] {
        ui.Text1->setEnabled(textEnabled);
        ui.List1->setEnabled(listEnabled);
    };
    if (!checkStore(imported)) {
        // Nothing was stored: the list and the count stay as they were.
        restoreControls();
        return;
    }
    // The word model lists the words once they are stored.
    nb_mots += added;
    showCount();
    restoreControls();
    if (added == 0) {
        MessageBox::show(
            m_form,
            QStringLiteral("Die Wörter der Datei <listemot.txt> waren schon im Wörterbuch!"));
    } else {
        MessageBox::show(m_form,
                         QStringLiteral(" %1 Wörter wurden dem Wörterbuch beigefügt!").arg(added));
        reportNearImported(m_form, m_words, addedWords);
    }
    ui.Command10->setVisible(false);
}
