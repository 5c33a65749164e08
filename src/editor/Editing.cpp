// Creating, modifying and deleting words. The editing states are made only by
// what each command shows, hides, enables and disables.
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "widgets/MessageBox.h"
#include "widgets/Widgets.h"

namespace {

void setVisible(std::initializer_list<QWidget*> widgets, bool visible)
{
    for (QWidget* widget : widgets) {
        widget->setVisible(visible);
    }
}

void setEnabled(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets) {
        widget->setEnabled(enabled);
    }
}

// Entries 0 to count - 1 of the list, or up to its last entry if it is shorter.
int scanLimit(const ListBox* list, qint32 count)
{
    return static_cast<int>(std::min<qint32>(count, list->entryCount()));
}

} // namespace

void Editor::CheckDuplicate()
{
    doublon = 0;
    const QString word = ui.Text1->text();
    for (int i = 0; i < scanLimit(ui.List1, nb_mots); ++i) {
        if (ui.List1->entry(i) == word) {
            MessageBox::show(m_form, QStringLiteral("Diese Wort ist schon im Wörterbuch!"));
            doublon = 1;
            return;
        }
    }
}

void Editor::SaveWordFields()
{
    ancien_deter = ui.deter->text();
    ancien_mot = ui.Text1->text();
    ui.sauve_ico->setPicture(ui.image1->picture());
    ancien_theme = ui.theme->text();
}

void Editor::RestoreWordFields()
{
    ui.deter->setText(ancien_deter);
    ui.Text1->setText(ancien_mot);
    ui.image1->setPicture(ui.sauve_ico->picture());
    ui.theme->setText(ancien_theme);
}

void Editor::forgetFieldChanges()
{
    for (BoundControl* control : wordFields()) {
        control->clearBoundChanged();
    }
}

bool Editor::resumeNewRecord()
{
    RecordSet& words = Data1.Recordset();
    if (words.isAdding()) {
        return true;
    }
    // Begin the new record again with the fields as they stand; nothing of
    // them goes into the record shown meanwhile.
    const QString word = ui.Text1->text();
    const QString article = ui.deter->text();
    const QString category = ui.cat->text();
    const QString theme = ui.theme->text();
    const QByteArray icon = ui.image1->picture();
    forgetFieldChanges();
    if (!checkStore(words.AddNew())) {
        return false;
    }
    ui.Text1->setText(word);
    for (const auto& [field, text] :
         {std::pair{ui.deter, article}, std::pair{ui.cat, category}, std::pair{ui.theme, theme}}) {
        if (!text.isEmpty()) {
            field->setText(text);
        }
    }
    if (!icon.isEmpty()) {
        ui.image1->setPicture(icon);
    }
    return true;
}

void Editor::Command5_Click()
{
    setVisible({ui.Dir1, ui.File1, ui.List2}, true);
    setVisible({ui.Command5, ui.Command3, ui.Command6}, false);
    ui.List1->setEnabled(false);
    setVisible({ui.Command4, ui.Command9}, true);
    checkStore(Data1.Recordset().AddNew());
    setEnabled({ui.image1, ui.deter, ui.Text1, ui.theme, ui.cat}, true);
    ui.Text1->setFocus();
}

void Editor::Command4_Click()
{
    if (ui.Text1->text().isEmpty()) {
        MessageBox::show(m_form, QStringLiteral("Die Wörterzone ist leer!"));
        return;
    }
    CheckDuplicate();
    if (doublon == 1 || !resumeNewRecord()) {
        return;
    }
    const QString word = ui.Text1->text();
    const int index = ui.List1->addEntry(word);
    if (!checkStore(Data1.Recordset().Update())) {
        // Nothing was stored: the list must not show the word, and the user
        // keeps what was typed to try again.
        ui.List1->removeEntry(index);
        return;
    }
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.cat}, false);
    ++nb_mots;
    showCount();
    setVisible({ui.File1, ui.Dir1, ui.List2}, false);
    ui.List1->setEnabled(true);
    ui.List1->update();
    setVisible({ui.Command5, ui.Command3, ui.Command6}, true);
    setVisible({ui.Command9, ui.Command4}, false);
}

void Editor::Command9_Click()
{
    setEnabled({ui.Text1, ui.deter, ui.cat}, false);
    setVisible({ui.Dir1, ui.File1}, false);
    setVisible({ui.Command5, ui.Command3, ui.Command6}, true);
    setVisible({ui.Command9, ui.Command4}, false);
    // Moving abandons the new record: nothing typed for it is written, also
    // when an earlier move gave it up already. An empty dictionary has no
    // last record to show.
    if (!Data1.Recordset().isAdding()) {
        forgetFieldChanges();
    }
    Data1.Recordset().MoveLast();
    ui.List1->setEnabled(true);
    ui.List2->setVisible(false);
}

void Editor::List1_DblClick()
{
    Command6_Click();
}

void Editor::Command6_Click()
{
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.mot_marque, ui.image1}, true);
    ui.List1->setEnabled(false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, false);
    setVisible({ui.Command8, ui.Command1}, true);
    SaveWordFields();
    ui.Text1->setFocus();
}

void Editor::Command8_Click()
{
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.image1, ui.mot_marque}, false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, true);
    ui.List1->setEnabled(true);
    ui.List2->setVisible(false);
    setVisible({ui.Command8, ui.Command1, ui.Dir1, ui.File1}, false);

    const QString word = ui.Text1->text();
    if (word == ancien_mot) {
        return;
    }
    CheckDuplicate();
    if (doublon == 1) {
        RestoreWordFields();
        return;
    }
    ui.List1->addEntry(word);
    for (int i = ui.List1->entryCount() - 1; i >= 0; --i) {
        if (ui.List1->entry(i) == ancien_mot) {
            ui.List1->removeEntry(i);
        }
    }
    ui.List1->update();
}

void Editor::Command1_Click()
{
    RestoreWordFields();
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.image1, ui.cat}, false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, true);
    ui.List1->setEnabled(true);
    ui.List2->setVisible(false);
    setVisible({ui.Command8, ui.Command1, ui.Dir1, ui.File1}, false);
}

void Editor::Command3_Click()
{
    if (MessageBox::show(m_form, QStringLiteral("Wort löschen? "),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton,
                         QMessageBox::Warning) != QMessageBox::Yes) {
        return;
    }
    RecordSet& words = Data1.Recordset();
    const QString word = ui.Text1->text();
    if (!checkStore(words.Delete())) {
        return;
    }
    // The record is gone: now its entries go too.
    for (int i = scanLimit(ui.List1, nb_mots) - 1; i >= 0; --i) {
        if (ui.List1->entry(i) == word) {
            ui.List1->removeEntry(i);
        }
    }
    ui.List1->update();
    words.MoveLast();
    words.MoveFirst();
    nb_mots = words.RecordCount();
    showCount();
}

void Editor::Command7_Click()
{
    if (quitProgram) {
        quitProgram();
    }
}
