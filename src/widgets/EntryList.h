#pragma once

#include <QListWidget>
#include <utility>

class QHelpEvent;

// What every list of entries does alike, whatever holds its entries.
namespace EntryRules {
// The row of the selected entry; -1 when none is selected.
int selectedRow(const QAbstractItemView& view);
// The user can only choose an entry, never clear the choice.
QItemSelectionModel::SelectionFlags onlyChoose(QItemSelectionModel::SelectionFlags command,
                                               const QModelIndex& index);
// Shows the whole text of an entry too long for the list as a tooltip.
void showCutShort(const QAbstractItemView& view, const QHelpEvent& help);
} // namespace EntryRules

// A single-selection list whose Click signal reports the user's choice of
// an entry (mouse, arrow keys, typing a first letter), never the moves of
// the selection caused by the program adding or removing entries. The user
// cannot clear the selection (no Ctrl+click deselect, no click beside the
// entries). An entry too long for the list shows its whole text as a tooltip.
class EntryList : public QListWidget
{
    Q_OBJECT

public:
    explicit EntryList(QWidget* parent = nullptr);

    // Index of the selected entry; -1 when none is selected.
    int listIndex() const;

    // When on, a mouse click on the entry already selected reports Click as
    // well (the word list: showing that word's record again).
    void setClickOnReselect(bool on) { m_clickOnReselect = on; }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

    // Runs a change of the entries or of the selection made by the program:
    // no Click comes out of it.
    template <typename Change> void quietly(Change&& change)
    {
        const bool wasQuiet = std::exchange(m_quiet, true);
        std::forward<Change>(change)();
        m_quiet = wasQuiet;
    }

private:
    void onSelectionChanged();

    bool m_quiet = false;
    bool m_clickOnReselect = false;
};
