// Start-up of the main window and browsing through the word list.
#include "data/Schema.h"
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "editor/NearCheck.h"
#include "editor/Syllables.h"
#include "widgets/Look.h"
#include "widgets/MessageBox.h"
#include "widgets/ScreenPointer.h"
#include "widgets/Widgets.h"

#include <QTimer>
#include <optional>
#include <tuple>

Editor::Editor(QWidget* form, Form1Ui& ui, QObject* parent)
    : QObject(parent), Data1(QString(Schema::DictionaryFile), QString(Schema::DictionaryTable),
                             Database::Access::ReadWrite, this),
      Data2(QString(Schema::ThemesFile), QString(Schema::ThemesTable), Database::Access::ReadOnly,
            this),
      m_form(form), ui(ui), m_dictionary(Data1), m_words(Data1)
{
    static_assert(WordModel::ListedRecords == WordLimit + 2);
    Data1.setObjectName(QStringLiteral("Data1"));
    Data1.setRequiredFields(Schema::DictionaryFields);
    Data2.setObjectName(QStringLiteral("Data2"));
}

QList<BoundControl*> Editor::wordFields() const
{
    return {ui.Text1, ui.mot_cour, ui.deter,      ui.pluriel, ui.syllabes,
            ui.cat,   ui.theme,    ui.mot_marque, ui.image1};
}

void Editor::bindControls()
{
    for (BoundControl* control : wordFields()) {
        Data1.bind(control);
    }
    Data2.bind(ui.theme_cour);
    ui.List1->setWords(&m_words);
}

QString Editor::versionText(int major, int minor, int revision)
{
    // Minor and revision are padded with zeros to two and four digits.
    const QString minorText = QString::number(minor);
    const QString revisionText = QString::number(revision);
    return QString::number(major) + QLatin1Char('.') +
           QStringLiteral("00").left(std::max<qsizetype>(0, 2 - minorText.size())) + minorText +
           QLatin1Char('.') +
           QStringLiteral("0000").left(std::max<qsizetype>(0, 4 - revisionText.size())) +
           revisionText;
}

QString Editor::versionText()
{
    return versionText(LEXA_VERSION_MAJOR, LEXA_VERSION_MINOR, LEXA_VERSION_PATCH);
}

bool Editor::checkStore(bool ok, const QString& error)
{
    if (!ok) {
        MessageBox::show(m_form, error, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Warning);
    }
    return ok;
}

bool Editor::checkStore(const Result& outcome)
{
    if (outcome && !outcome.notice.isEmpty()) {
        MessageBox::show(m_form, outcome.notice, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Information);
    }
    return checkStore(outcome.ok, outcome.error);
}

void Editor::showCount()
{
    ui.nbre_enr->setCaption(QString::number(nb_mots));
}

bool Editor::Form_Load()
{
    // The controls exist by now; the window built them after creating us.
    bindControls();
    wireUndo();
    Look::centreOnScreen(m_form);
    m_form->setWindowTitle(QStringLiteral("LEXA Version ") + versionText());
    Look::setBackground(m_form, Look::loadedBackground);
    Look::setBackground(ui.fond, Look::loadedBackground);
    // There are no drives here: the dictionary folder is the current directory.

    setScreenPointer(Pointer::Hourglass);
    {
        // Reading, listing and finding the first word move the record set
        // three times: the fields show where it ends, once.
        const DataSource::DeferDisplay deferred(Data1);
        if (const Result opened = Data1.Refresh(); !opened) {
            setScreenPointer(Pointer::Default);
            MessageBox::show(m_form, opened.error, QMessageBox::Ok, QMessageBox::NoButton,
                             QMessageBox::Critical);
            return false;
        }
        if (const Result opened = Data2.Refresh(); !opened) {
            setScreenPointer(Pointer::Default);
            MessageBox::show(m_form, opened.error, QMessageBox::Ok, QMessageBox::NoButton,
                             QMessageBox::Critical);
            return false;
        }
        LoadLists();
        // The alphabetically first word is shown, its entry not highlighted.
        if (m_words.rowCount() > 0) {
            mot_critere = m_words.word(0);
            if (PrepareSearchWord(mot_critere)) {
                checkStore(Data1.Recordset().moveToBookmark(m_words.rowidAt(0)));
            }
        }
    }
    setScreenPointer(Pointer::Arrow);

    import_ok = 0;
    nb_import = 0;
    LoadImportList();
    if (import_ok == 1) {
        ui.Command10->setVisible(true);
    }
    // From now on, whatever shows another word in browsing (a search, "raz",
    // a deletion) moves the highlight along.
    connect(&Data1, &DataSource::currentShown, this, [this] {
        if (editState() == EditState::Browse) {
            highlightShownWord();
        }
    });
    // Once the window is up, and before the user acts, what the first change
    // and the first check for near words would otherwise wait for is made.
    QTimer::singleShot(PrepareDelayMs, this, [this] {
        m_dictionary.prepare();
        ListedNearWords::of(m_words).prepare();
        prepareSyllables();
    });
    return true;
}

void Editor::LoadLists()
{
    RecordSet& words = Data1.Recordset();
    // The count reads the records, not the controls: these show the current
    // record once, when it is over.
    std::optional<DataSource::DeferDisplay> deferWords(std::in_place, Data1);
    // An empty dictionary has no last record; it simply lists nothing.
    std::ignore = words.MoveLast();
    std::ignore = words.MoveFirst();
    nb_mots = words.RecordCount();
    std::ignore = words.MoveFirst();
    deferWords.reset();
    // The word model lists the words of the first records, sorted, as soon
    // as they are read.
    if (nb_mots > WordLimit + 1) {
        MessageBox::show(m_form, QStringLiteral("Das Wörterbuch kann nur 5439 Wörter enthalten!"));
    }
    showCount();

    RecordSet& themes = Data2.Recordset();
    const DataSource::DeferDisplay deferThemes(Data2);
    std::ignore = themes.MoveLast();
    std::ignore = themes.MoveFirst();
    const int n = themes.RecordCount();
    std::ignore = themes.MoveFirst();
    QStringList themeNames;
    for (int j = 0; j < n; ++j) {
        themeNames.append(themes.field(QStringLiteral("theme")).toString());
        std::ignore = themes.MoveNext();
    }
    ui.List2->addEntries(themeNames);
}

void Editor::List1_Click()
{
    ui.Dir1->setVisible(false);
    ui.File1->setVisible(false);
    const int index = ui.List1->listIndex();
    if (index < 0) {
        return;
    }
    const QString word = ui.List1->entry(index);
    const qint64 chosen = m_words.rowidAt(index);
    mot_critere = word;
    // After a refused word the record shown stays as it was.
    if (!PrepareSearchWord(mot_critere)) {
        highlightShownWord();
        return;
    }
    // What the fields still hold for the word shown is stored as its own step.
    storeIfBrowsing();
    // A record another program deleted meanwhile cannot be shown.
    if (followFileIfChanged() && m_words.rowOf(chosen) < 0) {
        MessageBox::show(m_form,
                         QStringLiteral("Das Wort „%1“ ist nicht mehr in der Datei „%2“: ein "
                                        "anderes Programm hat es gelöscht.")
                             .arg(word, Data1.databasePath()));
        focusList();
        return;
    }
    // The record of the entry chosen, also where another differs only in
    // letter case. When what the fields held cannot be stored, the record
    // shown stays, and so must the highlight.
    if (!checkStore(Data1.Recordset().moveToBookmark(chosen))) {
        highlightShownWord();
    }
}

bool Editor::PrepareSearchWord(const QString& word)
{
    const qsizetype apostrophes = word.count(QLatin1Char('\''));
    if (apostrophes > 1) {
        MessageBox::show(m_form, QStringLiteral("ungüldiges Wort!"));
        return false;
    }
    QString prepared = word;
    if (apostrophes == 1) {
        const qsizetype p = word.indexOf(QLatin1Char('\''));
        prepared = word.left(p + 1) + word.mid(p);
    }
    mot_critere = prepared;
    return true;
}
