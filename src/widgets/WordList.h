#pragma once

#include <QListView>

class WordModel;

// The word list: a view of the dictionary's word model, one entry a record.
// Its Click signal reports the user's choice of an entry (mouse, arrow keys,
// typing a first letter), never a move of the highlight caused by the model
// changing or by the program. The user cannot clear the choice. An entry
// too long for the list shows its whole text as a tooltip.
class WordList : public QListView
{
    Q_OBJECT

public:
    explicit WordList(QWidget* parent = nullptr);

    void setWords(WordModel* words);
    WordModel* words() const { return m_words; }

    // Index of the highlighted entry; -1 when none is.
    int listIndex() const;
    // The text of an entry; empty for an index out of range.
    QString entry(int index) const;
    int entryCount() const;

    // Highlights an entry (-1: none) and, for an entry, emits Click as a
    // choice by the user does.
    void setListIndex(int index);
    // Highlights entry `index` (-1: none) as the program does, with no Click.
    void selectQuietly(int index);

    // When on, a mouse click on the entry already chosen reports Click as
    // well (showing that word's record again).
    void setClickOnReselect(bool on) { m_clickOnReselect = on; }

signals:
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // Runs what the user's input does: a change of the highlight it makes is a Click.
    template <typename Input> void byUser(Input&& input);
    void onSelectionChanged();

    WordModel* m_words = nullptr;
    int m_userInput = 0;
    bool m_clickOnReselect = false;
};
