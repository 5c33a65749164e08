#include "widgets/ListBox.h"

#include "widgets/Look.h"

#include <QKeyEvent>
#include <algorithm>
#include <memory>

ListBox::ListBox(bool sorted, QWidget* parent)
    : EntryList(parent), m_sorted(sorted), m_collator(QLocale(QLocale::German, QLocale::Germany))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    Look::keepListReadableWhenDisabled(this);
    connect(this, &QListWidget::itemDoubleClicked, this, &ListBox::DblClick);
}

bool ListBox::lessThan(const QString& left, const QString& right) const
{
    return m_collator.compare(left, right) < 0;
}

int ListBox::sortedPlace(const QString& text) const
{
    // Upper bound: after every entry that does not sort after the text.
    int low = 0;
    int high = count();
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

void ListBox::addEntries(const QStringList& texts)
{
    QStringList ordered = texts;
    const auto less = [this](const QString& a, const QString& b) { return lessThan(a, b); };
    // Entries taken from a sorted list come in order: checking costs one
    // comparison per entry, sorting many.
    if (m_sorted && !std::is_sorted(ordered.begin(), ordered.end(), less)) {
        std::stable_sort(ordered.begin(), ordered.end(), less);
    }
    if (m_sorted && count() > 0) {
        mergeSorted(ordered);
        return;
    }
    quietly([&] { addItems(ordered); });
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
