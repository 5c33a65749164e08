#pragma once

#include "data/DataSource.h"
#include "data/Dictionary.h"
#include "data/WordModel.h"

#include <QObject>
#include <QString>
#include <functional>

class Form1Ui;
class QPoint;
class QWidget;

// The logic of the main window: start-up, browsing, editing, the import of
// "listemot.txt", marks, themes and icons. It drives the controls built by
// Form1Ui and owns the two data sources.
class Editor : public QObject
{
    Q_OBJECT

public:
    Editor(QWidget* form, Form1Ui& ui, QObject* parent = nullptr);

    // The program's version as the titles show it: "4.00.0001" for 4.0.1.
    static QString versionText(int major, int minor, int revision);
    static QString versionText();

    // The load step. Returns false when the dictionary cannot be opened (the
    // reason has been shown); the program then ends.
    bool Form_Load();
    // "Beenden": asked of the application, which ends without writing.
    std::function<void()> quitProgram;

    // Start-up and browsing
    void LoadLists();
    void List1_Click();
    // Doubles the single apostrophe of `word` into mot_critere; refuses (with
    // a message, mot_critere unchanged) a word holding more than one.
    bool PrepareSearchWord(const QString& word);

    // Editing
    void Command5_Click();
    void Command4_Click();
    void Command9_Click();
    void Command6_Click();
    void List1_DblClick();
    void Command8_Click();
    void Command1_Click();
    void Command3_Click();
    void Command7_Click();
    // Stores what the bound fields hold for the record shown, unless a new
    // word or a modification is still open: a toggled mark, a chosen icon,
    // and whatever is left when the program ends.
    void storeIfBrowsing();
    void CheckDuplicate();
    void SaveWordFields();
    void RestoreWordFields();
    // The word of a new or modified word was typed: the syllables follow it
    // unless the user typed a split of their own.
    void Text1_Change();

    // Import of "listemot.txt"
    void LoadImportList();
    void Command10_Click();

    // Export and import as a CSV file (the list's context menu)
    void exportCsv();
    void importCsv();

    // Marks, themes and icons
    void Text1_Click();
    void deter_Click();
    void theme_Click();
    void List2_Click();
    void image1_Click();
    void Dir1_Change();
    void File1_Click();
    void Image4_Click();
    void Image4_DragDrop(QWidget* Source, double X, double Y);
    void mot_marque_Click();
    void Command11_Click();

    // Undo and redo of the confirmed changes, while browsing: the keys and
    // the context menu of List1.
    void undoStep();
    void redoStep();
    void List1_ContextMenu(const QPoint& position);
    // Puts List1's highlight on the word the fields show, or clears it.
    void highlightShownWord();

    DataSource Data1;
    DataSource Data2;
    // The words List1 shows, following Data1's records.
    WordModel& words() { return m_words; }

    // Window-level state shared by the handlers.
    qint32 nb_mots = 0;
    qint16 doublon = 0;
    QString mot_critere;
    QString ancien_mot;
    QString ancien_deter;
    QString ancien_theme;
    QString ancien_pluriel;
    QString ancien_syllabes;
    qint16 import_ok = 0;
    qint16 nb_import = 0;

    // Most words LoadLists examines before it warns and stops listing.
    static constexpr int WordLimit = 5439;
    // How long after loading the history and the near-word index are readied:
    // after the window's first paint, before a user can act.
    static constexpr int PrepareDelayMs = 400;

    // Runs `operation`, which moves the store (a search, "raz", the import),
    // so that a word being entered or modified stays as the user left it:
    // the typed values stay on screen, to be confirmed or cancelled.
    void keepEditAcross(const std::function<void()>& operation);

    enum class EditState
    {
        Browse,
        NewWord,
        Modify
    };
    EditState editState() const { return m_state; }

private:
    class TypedFields;
    // The moves between the editing states; each shows, hides, enables and
    // disables the controls its command names.
    enum class Change
    {
        BeginNew,
        ConfirmNew,
        CancelNew,
        BeginModify,
        ConfirmModify,
        CancelModify,
        ShowFile
    };
    void enter(Change change);
    // Writes the changed bound fields of the record shown, at once, as one
    // undoable `operation` of the dictionary.
    using Operation = Result (Dictionary::*)();
    bool storeShownWord(Operation operation);
    void storeBrowsing(Operation operation);
    bool anyFieldChanged() const;
    // After a failure that found the file changed: the list, the count and
    // the fields show what the file holds, and the window is browsing.
    void followFile();
    // The same when another program wrote the file since it was read; true
    // when it had.
    bool followFileIfChanged();
    // Says that no word is shown (and what to do) when none is; true when one is.
    bool checkWordShown();
    void takeStep(History::Direction direction);
    void wireUndo();
    // Leaves the focus on List1, where the keys cannot reach a deletion.
    void focusList();

    // Shows a failed store operation's reason; returns `ok`.
    bool checkStore(bool ok, const QString& error);
    bool checkStore(const Result& outcome);
    void showCount();
    void bindControls();
    // The controls bound to the dictionary's fields.
    QList<BoundControl*> wordFields() const;
    void forgetFieldChanges();

    QWidget* m_form;
    Form1Ui& ui;
    Dictionary m_dictionary;
    WordModel m_words;
    EditState m_state = EditState::Browse;
    // The split last suggested for the word being edited.
    QString m_suggestedSyllables;
};
