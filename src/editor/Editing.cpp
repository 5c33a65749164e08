// Creating, modifying and deleting words. The editing states are made only by
// what each command shows, hides, enables and disables.
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "widgets/MessageBox.h"
#include "widgets/Widgets.h"

#include <array>
#include <optional>

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

Editor::EditState Editor::editState() const
{
    if (ui.Command4->isVisibleTo(m_form)) {
        return EditState::NewWord;
    }
    return ui.Command8->isVisibleTo(m_form) ? EditState::Modify : EditState::Browse;
}

bool Editor::storeShownWord()
{
    RecordSet& words = Data1.Recordset();
    if (!words.hasCurrent()) {
        return checkStore(false, QStringLiteral("Es wird kein Wort angezeigt, das gespeichert "
                                                "werden könnte. Bitte wählen Sie ein Wort in "
                                                "der Liste."));
    }
    // In browsing, Update writes the changed bound fields into the record.
    return checkStore(words.Update());
}

void Editor::storeIfBrowsing()
{
    RecordSet* words = Data1.isOpen() ? &Data1.Recordset() : nullptr;
    if (words && editState() == EditState::Browse && words->hasCurrent()) {
        checkStore(words->Update());
    }
}

void Editor::removeListed(const QString& word)
{
    for (int i = ui.List1->entryCount() - 1; i >= 0; --i) {
        if (ui.List1->entry(i) == word) {
            ui.List1->removeEntry(i);
        }
    }
}

void Editor::highlightShownWord()
{
    const QString shown = ui.Text1->text();
    for (int i = 0; i < ui.List1->entryCount(); ++i) {
        if (ui.List1->entry(i) == shown) {
            ui.List1->selectQuietly(i);
            return;
        }
    }
}

namespace {

// A field of the word being edited that the user changed.
template <typename Control, typename Value> struct TypedField
{
    Control* control;
    Value (Control::*get)() const;
    void (Control::*set)(const Value&);
    std::optional<Value> value = {};

    void take()
    {
        value = control->isBoundChanged() ? std::optional((control->*get)()) : std::nullopt;
    }
    void give() const
    {
        if (value) {
            (control->*set)(*value);
        }
    }
};

} // namespace

// What the user typed or set into the word's fields, to be set again after
// the store showed another record in them: after an operation that moved
// the store, or a write the store gave up.
class Editor::TypedFields
{
public:
    explicit TypedFields(const Form1Ui& ui)
        : m_texts{TypedField<TextBox, QString>{ui.Text1, &TextBox::text, &TextBox::setText},
                  {ui.deter, &TextBox::text, &TextBox::setText},
                  {ui.cat, &TextBox::text, &TextBox::setText},
                  {ui.theme, &TextBox::text, &TextBox::setText}},
          m_mark{ui.mot_marque, &Label::caption, &Label::setCaption}, m_icon{
                                                                          ui.image1,
                                                                          &PictureBox::picture,
                                                                          &PictureBox::setPicture}
    {
        for (auto& field : m_texts) {
            field.take();
        }
        m_mark.take();
        m_icon.take();
    }

    void giveBack() const
    {
        for (const auto& field : m_texts) {
            field.give();
        }
        m_mark.give();
        m_icon.give();
    }

private:
    std::array<TypedField<TextBox, QString>, 4> m_texts;
    TypedField<Label, QString> m_mark;
    TypedField<PictureBox, QByteArray> m_icon;
};

void Editor::keepEditAcross(const std::function<void()>& operation)
{
    const EditState state = editState();
    if (state == EditState::Browse) {
        // What the fields hold is stored first, outside the operation's
        // transaction, so that a rollback cannot take it along.
        storeIfBrowsing();
        operation();
        return;
    }
    RecordSet& words = Data1.Recordset();
    const qint64 edited = words.bookmark();
    const TypedFields typed(ui);
    // Nothing typed goes into the records the operation passes.
    forgetFieldChanges();
    operation();
    if (state == EditState::NewWord) {
        checkStore(words.AddNew());
    } else if (edited >= 0) {
        checkStore(words.moveToBookmark(edited));
    }
    typed.giveBack();
}

void Editor::Command5_Click()
{
    // Beginning the record stores what the fields still hold for the word
    // shown; when that fails the window stays in browsing.
    if (!checkStore(Data1.Recordset().AddNew())) {
        highlightShownWord();
        return;
    }
    setVisible({ui.Dir1, ui.File1, ui.List2}, true);
    setVisible({ui.Command5, ui.Command3, ui.Command6}, false);
    ui.List1->setEnabled(false);
    setVisible({ui.Command4, ui.Command9}, true);
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
    if (doublon == 1) {
        return;
    }
    const QString word = ui.Text1->text();
    const int index = ui.List1->addEntry(word);
    const TypedFields typed(ui);
    if (!checkStore(Data1.Recordset().Update())) {
        // Nothing was stored: the list must not show the word, and the user
        // keeps the new word and what was typed to try again.
        ui.List1->removeEntry(index);
        checkStore(Data1.Recordset().AddNew());
        typed.giveBack();
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
    const QString word = ui.Text1->text();
    const bool renamed = word != ancien_mot;
    if (renamed) {
        CheckDuplicate();
        if (doublon == 1) {
            RestoreWordFields();
        }
    }
    // A confirmed modification is stored before the window leaves it; when
    // that fails the user keeps the modification open to try again.
    const TypedFields typed(ui);
    const bool shown = Data1.Recordset().hasCurrent();
    if (!storeShownWord()) {
        if (shown && !Data1.Recordset().hasCurrent()) {
            // Another program deleted the word: the list and the count follow
            // the file, and the user keeps what was typed.
            removeListed(ancien_mot);
            --nb_mots;
            showCount();
        }
        typed.giveBack();
        return;
    }
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.image1, ui.mot_marque}, false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, true);
    ui.List1->setEnabled(true);
    ui.List2->setVisible(false);
    setVisible({ui.Command8, ui.Command1, ui.Dir1, ui.File1}, false);
    if (!renamed || doublon == 1) {
        return;
    }
    ui.List1->addEntry(word);
    removeListed(ancien_mot);
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
    // A mark toggled meanwhile stays toggled, and is stored as every toggled
    // mark is.
    if (ui.mot_marque->isBoundChanged()) {
        storeIfBrowsing();
    }
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
    storeIfBrowsing();
    if (quitProgram) {
        quitProgram();
    }
}
