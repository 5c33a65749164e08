// Creating, modifying and deleting words. The editing states are made only by
// what each command shows, hides, enables and disables.
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "editor/NearCheck.h"
#include "widgets/MessageBox.h"
#include "widgets/Widgets.h"

#include <algorithm>
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
    bool listed = false;
    for (int i = 0; !listed && i < scanLimit(ui.List1, nb_mots); ++i) {
        listed = ui.List1->entry(i) == word;
    }
    // Another program may have added the word meanwhile: the file counts too.
    if (!listed && !m_dictionary.isStored(word)) {
        return;
    }
    MessageBox::show(m_form, QStringLiteral("Diese Wort ist schon im Wörterbuch!"));
    doublon = 1;
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

bool Editor::storeShownWord(Operation operation)
{
    if (!Data1.Recordset().hasCurrent()) {
        return checkStore(false, QStringLiteral("Es wird kein Wort angezeigt, das gespeichert "
                                                "werden könnte. Bitte wählen Sie ein Wort in "
                                                "der Liste."));
    }
    // In browsing, the changed bound fields go into the record.
    return checkStore((m_dictionary.*operation)());
}

bool Editor::anyFieldChanged() const
{
    const auto fields = wordFields();
    return std::any_of(fields.begin(), fields.end(),
                       [](const BoundControl* field) { return field->isBoundChanged(); });
}

void Editor::storeBrowsing(Operation operation)
{
    RecordSet* words = Data1.isOpen() ? &Data1.Recordset() : nullptr;
    if (words && editState() == EditState::Browse && words->hasCurrent() && anyFieldChanged()) {
        storeShownWord(operation);
    }
}

void Editor::storeIfBrowsing()
{
    storeBrowsing(&Dictionary::storeShown);
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
    const bool shown = Data1.isOpen() && Data1.Recordset().hasCurrent();
    const QString word = ui.Text1->text();
    const int highlighted = ui.List1->listIndex();
    if (shown && highlighted >= 0 && ui.List1->entry(highlighted) == word) {
        return;
    }
    for (int i = 0; shown && i < ui.List1->entryCount(); ++i) {
        if (ui.List1->entry(i) == word) {
            ui.List1->selectQuietly(i);
            return;
        }
    }
    ui.List1->selectQuietly(-1);
}

void Editor::focusList()
{
    highlightShownWord();
    ui.List1->setFocus();
}

void Editor::followFile()
{
    // Back to browsing first: what the fields held for the word is given up.
    forgetFieldChanges();
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.cat, ui.image1, ui.mot_marque}, false);
    setVisible({ui.Command4, ui.Command9, ui.Command8, ui.Command1, ui.Dir1, ui.File1, ui.List2},
               false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, true);
    ui.List1->setEnabled(true);
    RecordSet& words = Data1.Recordset();
    {
        const DataSource::DeferDisplay deferred(Data1);
        const qint64 shown = words.bookmark();
        checkStore(words.reload());
        // The words are listed again as at start-up, quietly.
        ui.List1->clearEntries();
        QStringList listed;
        const QString mot = QStringLiteral("mot");
        if (words.MoveFirst()) {
            for (int i = 0; i < words.RecordCount() && i <= WordLimit + 1; ++i) {
                const QString word = words.field(mot).toString();
                if (!word.isEmpty()) {
                    listed.append(word);
                }
                words.MoveNext();
            }
        }
        ui.List1->addEntries(listed);
        nb_mots = words.RecordCount();
        if (shown < 0 || !words.moveToBookmark(shown)) {
            words.MoveLast();
        }
    }
    showCount();
    focusList();
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
    if (!confirmNearWord(m_form, *ui.List1, ui.Text1->text())) {
        ui.Text1->setFocus();
        return;
    }
    const QString word = ui.Text1->text();
    const int index = ui.List1->addEntry(word);
    const TypedFields typed(ui);
    if (!checkStore(m_dictionary.newWord(word))) {
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
    focusList();
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
    focusList();
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
        } else if (!confirmNearWord(m_form, *ui.List1, word, ancien_mot)) {
            // The modification stays open with the word as typed.
            ui.Text1->setFocus();
            return;
        }
    }
    // A confirmed modification is stored before the window leaves it; when
    // that fails the user keeps the modification open to try again.
    const TypedFields typed(ui);
    if (!Data1.Recordset().hasCurrent()) {
        // The word is gone from the file already: nothing to modify.
        checkStore(false, ancien_mot.isEmpty()
                              ? QStringLiteral("Es wird kein Wort angezeigt, das gespeichert "
                                               "werden könnte.")
                              : QStringLiteral("Das Wort „%1“ ist nicht mehr in der Datei „%2“.")
                                    .arg(ancien_mot, Data1.databasePath()));
        followFile();
        return;
    }
    const Dictionary::Outcome stored = m_dictionary.modifyWord(ancien_mot);
    if (!checkStore(stored)) {
        if (stored.fileChanged) {
            // Another program deleted or changed the word: the window shows
            // the file.
            followFile();
            return;
        }
        typed.giveBack();
        return;
    }
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.image1, ui.mot_marque}, false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, true);
    ui.List1->setEnabled(true);
    ui.List2->setVisible(false);
    setVisible({ui.Command8, ui.Command1, ui.Dir1, ui.File1}, false);
    if (renamed && doublon != 1) {
        ui.List1->addEntry(word);
        removeListed(ancien_mot);
        ui.List1->update();
    }
    focusList();
}

void Editor::Command1_Click()
{
    RestoreWordFields();
    // The fields hold what the file holds again: nothing of them is to store.
    for (BoundControl* field : QList<BoundControl*>{ui.Text1, ui.deter, ui.theme, ui.image1}) {
        field->clearBoundChanged();
    }
    setEnabled({ui.Text1, ui.theme, ui.deter, ui.image1, ui.cat}, false);
    setVisible({ui.Command5, ui.Command3, ui.Command6, ui.Command2}, true);
    ui.List1->setEnabled(true);
    ui.List2->setVisible(false);
    setVisible({ui.Command8, ui.Command1, ui.Dir1, ui.File1}, false);
    // A mark toggled meanwhile stays toggled, and is stored as every toggled
    // mark is.
    if (ui.mot_marque->isBoundChanged()) {
        storeBrowsing(&Dictionary::markWord);
    }
    focusList();
}

void Editor::Command3_Click()
{
    if (MessageBox::show(m_form, QStringLiteral("Wort löschen? "),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                         QMessageBox::Warning) != QMessageBox::Yes) {
        return;
    }
    RecordSet& words = Data1.Recordset();
    const QString word = ui.Text1->text();
    const Dictionary::Outcome deleted = m_dictionary.deleteWord();
    if (!checkStore(deleted)) {
        if (deleted.fileChanged) {
            followFile();
        }
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
    focusList();
}

void Editor::Command7_Click()
{
    storeIfBrowsing();
    if (quitProgram) {
        quitProgram();
    }
}
