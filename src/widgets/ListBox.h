#pragma once

#include "data/GermanOrder.h"
#include "widgets/EntryList.h"

#include <QStringList>

// A list of text entries, either in insertion order or sorted in German
// dictionary order (case-insensitive, umlauts beside their base letters).
// Duplicates are kept; an entry equal to others goes after them.
class ListBox : public EntryList
{
    Q_OBJECT

public:
    explicit ListBox(bool sorted, QWidget* parent = nullptr);

    // Adds one entry at its sorted place (or at the end) and returns its index.
    int addEntry(const QString& text);
    // Adds many entries at once, sorted once: a few go in one by one (the
    // list stays as it is around them), many are merged with the list.
    void addEntries(const QStringList& texts);
    // Removes an entry; when it was the selected one, none is selected.
    void removeEntry(int index);
    void clearEntries();

    // The text of an entry; empty for an index out of range.
    QString entry(int index) const;
    int entryCount() const { return count(); }

    // Selects an entry (-1: none) and, for an entry, emits Click as a
    // selection by the user does.
    void setListIndex(int index);
    // Selects entry `index` as the program does, with no Click.
    void selectQuietly(int index);

    // When on, the keys only move the highlight (arrows, a first letter) and
    // Return or Space chooses the highlighted entry with a Click; a mouse
    // click chooses as before. For a list where each choice adds something.
    void setChooseWithKey(bool on) { m_chooseWithKey = on; }

signals:
    void DblClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool lessThan(const QString& left, const QString& right) const;
    // The place of `text` among the entries from `low` to `high` (-1: the
    // last), all of them sorted.
    int sortedPlace(const QString& text, int low = 0, int high = -1) const;
    // The texts in the list's order, equal ones in their given order.
    QStringList sortedCopy(const QStringList& texts) const;
    void insertSorted(const QStringList& sortedTexts);
    void mergeSorted(const QStringList& sortedTexts);

    bool m_sorted;
    bool m_chooseWithKey = false;
    GermanOrder m_order;
};
