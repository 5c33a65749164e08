// Undo and redo of the confirmed changes: Ctrl+Z, Ctrl+Y or Ctrl+Shift+Z and
// the context menu of the word list, while browsing.
#include "editor/Editor.h"
#include "editor/Form1Ui.h"
#include "editor/NearCheck.h"
#include "widgets/MessageBox.h"
#include "widgets/ScreenPointer.h"
#include "widgets/Widgets.h"

#include <QMenu>
#include <QShortcut>
#include <tuple>

void Editor::wireUndo()
{
    // While a word is open, a text field takes these keys for its own
    // typing first; the store is touched only while browsing.
    const auto shortcut = [this](const QKeySequence& keys, void (Editor::*handler)()) {
        connect(new QShortcut(keys, m_form), &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &Editor::undoStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &Editor::redoStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &Editor::redoStep);
    ui.List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.List1, &QWidget::customContextMenuRequested, this, &Editor::List1_ContextMenu);
}

void Editor::List1_ContextMenu(const QPoint& position)
{
    QMenu menu(ui.List1);
    const bool browsing = editState() == EditState::Browse;
    const auto entry = [&](const QString& name, const std::optional<History::Step>& step,
                           const QKeySequence& keys, void (Editor::*handler)()) {
        QAction* action =
            menu.addAction(step ? name + QStringLiteral(": ") + step->label : name, this, handler);
        action->setShortcut(keys);
        action->setEnabled(browsing && step.has_value());
    };
    entry(QStringLiteral("Rückgängig"), m_dictionary.nextUndo(), QKeySequence(Qt::CTRL | Qt::Key_Z),
          &Editor::undoStep);
    entry(QStringLiteral("Wiederholen"), m_dictionary.nextRedo(),
          QKeySequence(Qt::CTRL | Qt::Key_Y), &Editor::redoStep);
    // Entries other parts of the window give the list.
    if (!ui.List1->actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(ui.List1->actions());
    }
    menu.exec(ui.List1->viewport()->mapToGlobal(position));
}

void Editor::undoStep()
{
    takeStep(History::Direction::Undo);
}

void Editor::redoStep()
{
    takeStep(History::Direction::Redo);
}

void Editor::takeStep(History::Direction direction)
{
    if (editState() != EditState::Browse || !Data1.isOpen()) {
        return;
    }
    setScreenPointer(Pointer::Hourglass);
    ResultOf<qint64> outcome;
    {
        const DataSource::DeferDisplay deferred(Data1);
        outcome = direction == History::Direction::Undo ? m_dictionary.undo() : m_dictionary.redo();
        if (outcome && outcome.value >= 0) {
            // The word the step touched is shown, where it still is.
            std::ignore = Data1.Recordset().moveToBookmark(outcome.value);
        }
    }
    setScreenPointer(Pointer::Arrow);
    if (!outcome && outcome.fileChanged && direction == History::Direction::Undo) {
        // A step refused for what another program did would refuse every
        // undo after it: the user may leave it out and go on with the older
        // ones.
        if (MessageBox::show(
                m_form,
                outcome.error +
                    QStringLiteral("\n\nSoll LEXA diesen Schritt auslassen? Er bleibt dann, "
                                   "wie er ist, und Strg+Z nimmt die Schritte davor zurück; "
                                   "was danach rückgängig gemacht wurde, kann nicht mehr "
                                   "wiederholt werden."),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                QMessageBox::Warning) == QMessageBox::Yes) {
            checkStore(m_dictionary.leaveOutUndo());
        }
        followFileIfChanged();
        return;
    }
    if (!checkStore(outcome)) {
        // A step refused because another program changed its words: the
        // list, the count and the fields show what the file holds.
        followFileIfChanged();
        return;
    }
    // The word model follows the rows the step touched by itself.
    nb_mots = Data1.Recordset().RecordCount();
    showCount();
    // An import taken back, or a word of the list deleted again, can be
    // imported anew.
    if (import_ok == 1) {
        ListedNearWords& listed = ListedNearWords::of(m_words);
        bool missing = false;
        for (int i = 0; i < nb_import && !missing; ++i) {
            missing = !listed.lists(ui.List3->entry(i));
        }
        ui.Command10->setVisible(missing);
    }
    focusList();
}
