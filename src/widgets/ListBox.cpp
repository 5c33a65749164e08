#include "widgets/ListBox.h"

#include "widgets/Look.h"

#include <QKeyEvent>
#include <algorithm>
#include <memory>

ListBox::ListBox(bool sorted, QWidget* parent) : EntryList(parent), m_sorted(sorted)
{
    Look::keepListReadableWhenDisabled(this);
    connect(this, &QListWidget::itemDoubleClicked, this, &ListBox::DblClick);
}

bool ListBox::lessThan(const QString& left, const QString& right) const
{
    return m_order.less(left, right);
}

int ListBox::sortedPlace(const QString& text, int low, int high) const
{
    // Upper bound: after every entry that does not sort after the text.
    if (high < 0) {
        high = count();
    }
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (lessThan(text, item(middle)->text())) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

int ListBox::addEntry(const QString& text)
{
    const int place = m_sorted ? sortedPlace(text) : count();
    quietly([&] { insertItem(place, text); });
    return place;
}

QStringList ListBox::sortedCopy(const QStringList& texts) const
{
    QStringList ordered;
    ordered.reserve(texts.size());
    for (const qsizetype index : m_order.order(texts)) {
        ordered.append(texts[index]);
    }
    return ordered;
}

void ListBox::addEntries(const QStringList& texts)
{
    if (texts.isEmpty()) {
        return;
    }
    if (!m_sorted) {
        quietly([&] { addItems(texts); });
        return;
    }
    const QStringList ordered = sortedCopy(texts);
    if (count() == 0) {
        quietly([&] { addItems(ordered); });
    } else if (ordered.size() * 8 < count()) {
        insertSorted(ordered);
    } else {
        mergeSorted(ordered);
    }
}

void ListBox::insertSorted(const QStringList& sortedTexts)
{
    // Each text's place is searched for from the place of the one before:
    // first in steps that double, then by halving.
    int from = 0;
    quietly([&] {
        for (const QString& text : sortedTexts) {
            int low = from;
            int high = count();
            for (int reach = 1; low < high; reach *= 2) {
                const int probe = std::min(from + reach - 1, high - 1);
                if (lessThan(text, item(probe)->text())) {
                    high = probe;
                    break;
                }
                low = probe + 1;
            }
            const int place = sortedPlace(text, low, high);
            insertItem(place, text);
            from = place + 1;
        }
    });
}

void ListBox::mergeSorted(const QStringList& sortedTexts)
{
    const int selected = listIndex();
    int movedSelection = -1;
    QStringList merged;
    merged.reserve(count() + sortedTexts.size());
    qsizetype next = 0;
    for (int i = 0; i < count(); ++i) {
        const QString existing = item(i)->text();
        while (next < sortedTexts.size() && lessThan(sortedTexts[next], existing)) {
            merged.append(sortedTexts[next++]);
        }
        if (i == selected) {
            movedSelection = static_cast<int>(merged.size());
        }
        merged.append(existing);
    }
    merged.append(sortedTexts.mid(next));
    quietly([&] {
        clear();
        addItems(merged);
        if (movedSelection >= 0) {
            setCurrentRow(movedSelection);
        }
    });
}

void ListBox::removeEntry(int index)
{
    if (index < 0 || index >= count()) {
        return;
    }
    const bool wasSelected = index == listIndex();
    quietly([&] {
        const std::unique_ptr<QListWidgetItem> removed(takeItem(index));
        // The selection does not pass on to a neighbour.
        if (wasSelected) {
            clearSelection();
        }
    });
}

void ListBox::clearEntries()
{
    quietly([&] { clear(); });
}

QString ListBox::entry(int index) const
{
    const QListWidgetItem* entryItem = item(index);
    return entryItem != nullptr ? entryItem->text() : QString();
}

void ListBox::selectQuietly(int index)
{
    quietly([&] { setCurrentRow(index); });
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        quietly([&] {
            clearSelection();
            setCurrentItem(nullptr);
        });
        return;
    }
    quietly([&] { setCurrentRow(index); });
    emit Click();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    if (!m_chooseWithKey) {
        EntryList::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        event->accept();
        if (listIndex() >= 0) {
            emit Click();
        }
        return;
    }
    quietly([&] { EntryList::keyPressEvent(event); });
}
