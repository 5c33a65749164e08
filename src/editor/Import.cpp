// The bulk import of the words of "listemot.txt".
#include "editor/Editor.h"
#include "editor/ImportList.h"
#include "ui/Form1Ui.h"
#include "ui/MessageBox.h"
#include "ui/ScreenPointer.h"
#include "ui/Widgets.h"

#include <QFile>
#include <QSet>

namespace {
constexpr int ImportItemLimit = 400;
const QString ImportFileName = QStringLiteral("listemot.txt");
} // namespace

void Editor::LoadImportList()
{
    // Any failure is silent: the import is simply not offered.
    import_ok = 0;
    ui.List3->clearEntries();
    QFile file(ImportFileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > ImportFileMaxBytes) {
        return;
    }
    const auto items = parseImportItems(file.readAll(), ImportItemLimit);
    if (!items || items->isEmpty()) {
        return;
    }
    QStringList words;
    for (const QString& item : *items) {
        if (!item.isEmpty()) {
            words.append(item);
        }
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
    ui.Text1->setEnabled(true);
    ui.List1->setEnabled(true);
    setScreenPointer(Pointer::Hourglass);

    RecordSet& words = Data1.Recordset();
    const qint32 countBefore = nb_mots;
    QStringList addedWords;
    // The exact-match test runs against a set kept in step with the list.
    QSet<QString> listed;
    const int limit = std::min<int>(nb_mots, ui.List1->entryCount());
    for (int j = 0; j < limit; ++j) {
        listed.insert(ui.List1->entry(j));
    }
    qint16 added = 0;
    bool ok = false;
    {
        // The new records are written, not shown: the controls show the
        // current record once, at the end.
        const DataSource::DeferDisplay deferred(Data1);
        // All words or none: one commit for the whole import.
        ok = words.BeginTrans();
        for (int i = 0; ok && i < nb_import; ++i) {
            const QString word = ui.List3->entry(i);
            doublon = listed.contains(word) ? 1 : 0;
            if (doublon == 1) {
                continue;
            }
            ok = words.AddNew() && words.setField(QStringLiteral("mot"), word);
            ++added;
            addedWords.append(word);
            listed.insert(word);
            ui.List1->addEntry(word);
            ok = ok && words.Update();
            ++nb_mots;
            showCount();
        }
        ok = ok && words.CommitTrans();
    }
    if (!ok) {
        const QString error = words.lastError();
        words.RollbackTrans();
        // Nothing was stored: the list and the count go back as they were.
        for (const QString& word : std::as_const(addedWords)) {
            for (int j = ui.List1->entryCount() - 1; j >= 0; --j) {
                if (ui.List1->entry(j) == word) {
                    ui.List1->removeEntry(j);
                    break;
                }
            }
        }
        nb_mots = countBefore;
        showCount();
        setScreenPointer(Pointer::Arrow);
        ui.Text1->setEnabled(false);
        checkStore(false, error);
        return;
    }
    setScreenPointer(Pointer::Arrow);
    ui.Text1->setEnabled(false);
    if (added == 0) {
        MessageBox::show(
            m_form,
            QStringLiteral("Die Wörter der Datei <listemot.txt> waren schon im Wörterbuch!"));
    } else {
        MessageBox::show(m_form,
                         QStringLiteral(" %1 Wörter wurden dem Wörterbuch beigefügt!").arg(added));
    }
    ui.Command10->setVisible(false);
}
