// Creating, modifying and deleting words, and the editing states they move
// between.
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "editor/NearCheck.h"
#include "editor/Syllables.h"
#include "widgets/MessageBox.h"
#include "widgets/Widgets.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

namespace {

// What a move between the editing states does to the controls.
struct StateTable
{
    Editor::EditState state;
    std::initializer_list<QWidget*> show;
    std::initializer_list<QWidget*> hide;
    std::initializer_list<QWidget*> enable;
    std::initializer_list<QWidget*> disable;
};

} // namespace

void Editor::enter(Change change)
{
    using S = EditState;
    const auto apply = [this](const StateTable& table) {
        for (QWidget* w : table.show) {
            w->setVisible(true);
        }
        for (QWidget* w : table.hide) {
            w->setVisible(false);
        }
        for (QWidget* w : table.enable) {
            w->setEnabled(true);
        }
        for (QWidget* w : table.disable) {
            w->setEnabled(false);
        }
        m_state = table.state;
    };
    const Form1Ui& u = ui;
    switch (change) {
    case Change::BeginNew:
        return apply({S::NewWord,
                      {u.Dir1, u.File1, u.List2, u.Command4, u.Command9},
                      {u.Command5, u.Command3, u.Command6},
                      {u.image1, u.deter, u.Text1, u.pluriel, u.syllabes, u.theme, u.cat},
                      {u.List1}});
    case Change::ConfirmNew:
        return apply({S::Browse,
                      {u.Command5, u.Command3, u.Command6},
                      {u.File1, u.Dir1, u.List2, u.Command9, u.Command4},
                      {u.List1},
                      {u.Text1, u.theme, u.deter, u.pluriel, u.syllabes, u.cat}});
    case Change::CancelNew:
        return apply({S::Browse,
                      {u.Command5, u.Command3, u.Command6},
                      {u.Dir1, u.File1, u.Command9, u.Command4, u.List2},
                      {u.List1},
                      {u.Text1, u.deter, u.pluriel, u.syllabes, u.cat}});
    case Change::BeginModify:
        return apply({S::Modify,
                      {u.Command8, u.Command1},
                      {u.Command5, u.Command3, u.Command6, u.Command2},
                      {u.Text1, u.theme, u.deter, u.pluriel, u.syllabes, u.mot_marque, u.image1},
                      {u.List1}});
    case Change::ConfirmModify:
        return apply({S::Browse,
                      {u.Command5, u.Command3, u.Command6, u.Command2},
                      {u.List2, u.Command8, u.Command1, u.Dir1, u.File1},
                      {u.List1},
                      {u.Text1, u.theme, u.deter, u.pluriel, u.syllabes, u.image1, u.mot_marque}});
    case Change::CancelModify:
        return apply({S::Browse,
                      {u.Command5, u.Command3, u.Command6, u.Command2},
                      {u.List2, u.Command8, u.Command1, u.Dir1, u.File1},
                      {u.List1},
                      {u.Text1, u.theme, u.deter, u.pluriel, u.syllabes, u.image1, u.cat}});
    case Change::ShowFile:
        return apply(
            {S::Browse,
             {u.Command5, u.Command3, u.Command6, u.Command2},
             {u.Command4, u.Command9, u.Command8, u.Command1, u.Dir1, u.File1, u.List2},
             {u.List1},
             {u.Text1, u.theme, u.deter, u.pluriel, u.syllabes, u.cat, u.image1, u.mot_marque}});
    }
}

bool Editor::checkWordShown()
{
    if (Data1.isOpen() && Data1.Recordset().hasCurrent()) {
        return true;
    }
    MessageBox::show(m_form, RecordSet::NoWordShown);
    return false;
}

void Editor::CheckDuplicate()
{
    doublon = 0;
    const QString word = ui.Text1->text();
    // Another program may have added the word meanwhile: the file counts too.
    if (!m_words.lists(word) && !m_dictionary.isStored(word)) {
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
    ancien_pluriel = ui.pluriel->text();
    ancien_syllabes = ui.syllabes->text();
}

void Editor::RestoreWordFields()
{
    ui.deter->setText(ancien_deter);
    ui.Text1->setText(ancien_mot);
    ui.image1->setPicture(ui.sauve_ico->picture());
    ui.theme->setText(ancien_theme);
    ui.pluriel->setText(ancien_pluriel);
    ui.syllabes->setText(ancien_syllabes);
}

void Editor::Text1_Change()
{
    if (editState() == EditState::Browse) {
        return;
    }
    const QString shown = ui.syllabes->text();
    if (!shown.isEmpty() && shown != m_suggestedSyllables) {
        return;
    }
    m_suggestedSyllables = suggestSyllables(ui.Text1->text());
    ui.syllabes->setText(m_suggestedSyllables);
}

void Editor::forgetFieldChanges()
{
    for (BoundControl* control : wordFields()) {
        control->clearBoundChanged();
    }
}

bool Editor::storeShownWord(Operation operation)
{
    if (!Data1.Recordset().hasCurrent()) {
        return checkStore(false, QStringLiteral("Es wird kein Wort angezeigt, das gespeichert "
                                                "werden könnte. Bitte wählen Sie ein Wort in "
                                                "der Liste."));
    }
    // In browsing, the changed bound fields go into the record.
    const Result stored = (m_dictionary.*operation)();
    if (!checkStore(stored)) {
        if (stored.fileChanged) {
            followFile();
        } else {
            followFileIfChanged();
        }
        return false;
    }
    return true;
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

void Editor::highlightShownWord()
{
    const RecordSet* words = Data1.isOpen() ? &Data1.Recordset() : nullptr;
    const qint64 shown = words != nullptr && words->hasCurrent() ? words->bookmark() : -1;
    ui.List1->selectQuietly(shown >= 0 ? m_words.rowOf(shown) : -1);
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
    enter(Change::ShowFile);
    RecordSet& words = Data1.Recordset();
    {
        const DataSource::DeferDisplay deferred(Data1);
        const qint64 shown = words.bookmark();
        // The word model lists the words again as at start-up.
        checkStore(words.reload());
        nb_mots = words.RecordCount();
        if (shown < 0 || !words.moveToBookmark(shown)) {
            std::ignore = words.MoveLast();
        }
    }
    showCount();
    focusList();
}

bool Editor::followFileIfChanged()
{
    if (!Data1.isOpen() || !Data1.Recordset().changedElsewhere()) {
        return false;
    }
    followFile();
    return true;
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
                  {ui.theme, &TextBox::text, &TextBox::setText},
                  {ui.pluriel, &TextBox::text, &TextBox::setText},
                  {ui.syllabes, &TextBox::text, &TextBox::setText}},
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
    std::array<TypedField<TextBox, QString>, 6> m_texts;
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
    enter(Change::BeginNew);
    m_suggestedSyllables.clear();
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
    if (!confirmNearWord(m_form, m_words, ui.Text1->text())) {
        ui.Text1->setFocus();
        return;
    }
    const QString word = ui.Text1->text();
    const TypedFields typed(ui);
    if (!checkStore(m_dictionary.newWord(word))) {
        // Nothing was stored: the user keeps the new word and what was typed
        // to try again.
        checkStore(Data1.Recordset().AddNew());
        typed.giveBack();
        return;
    }
    enter(Change::ConfirmNew);
    ++nb_mots;
    showCount();
    // The word shown before stays shown; where there was none (a new
    // dictionary), the new word is.
    RecordSet& words = Data1.Recordset();
    if (!words.hasCurrent()) {
        checkStore(words.MoveLast());
    }
    focusList();
}

void Editor::Command9_Click()
{
    enter(Change::CancelNew);
    // Moving abandons the new record: nothing typed for it is written, also
    // when an earlier move gave it up already. An empty dictionary has no
    // last record to show.
    if (!Data1.Recordset().isAdding()) {
        forgetFieldChanges();
    }
    std::ignore = Data1.Recordset().MoveLast();
    focusList();
}

void Editor::List1_DblClick()
{
    Command6_Click();
}

void Editor::Command6_Click()
{
    if (!checkWordShown()) {
        return;
    }
    enter(Change::BeginModify);
    SaveWordFields();
    // A split that is the word's suggestion follows a renaming.
    m_suggestedSyllables = suggestSyllables(ui.Text1->text());
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
        } else if (!confirmNearWord(m_form, m_words, word, ancien_mot)) {
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
    const Result stored = m_dictionary.modifyWord(ancien_mot);
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
    // The word model moved a renamed word to its place already.
    enter(Change::ConfirmModify);
    focusList();
}

void Editor::Command1_Click()
{
    RestoreWordFields();
    // The fields hold what the file holds again: nothing of them is to store.
    for (BoundControl* field :
         QList<BoundControl*>{ui.Text1, ui.deter, ui.pluriel, ui.syllabes, ui.theme, ui.image1}) {
        field->clearBoundChanged();
    }
    enter(Change::CancelModify);
    // A mark toggled meanwhile stays toggled, and is stored as every toggled
    // mark is.
    if (ui.mot_marque->isBoundChanged()) {
        storeBrowsing(&Dictionary::markWord);
    }
    focusList();
}

void Editor::Command3_Click()
{
    if (!checkWordShown()) {
        return;
    }
    if (MessageBox::show(m_form, QStringLiteral("Wort löschen? "),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                         QMessageBox::Warning) != QMessageBox::Yes) {
        return;
    }
    RecordSet& words = Data1.Recordset();
    const Result deleted = m_dictionary.deleteWord();
    if (!checkStore(deleted)) {
        if (deleted.fileChanged) {
            followFile();
        } else {
            followFileIfChanged();
        }
        return;
    }
    // The word model took the record's entry out already.
    std::ignore = words.MoveLast();
    std::ignore = words.MoveFirst();
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
