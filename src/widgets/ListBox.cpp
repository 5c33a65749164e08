#include "widgets/ListBox.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

ListBox::ListBox(bool sorted, QWidget* parent)
    : EntryList(parent), m_sorted(sorted), m_collator(QLocale(QLocale::German, QLocale::Germany))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
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

namespace {

// An entry and, when it holds German letters only, those letters folded to
// lower case without umlauts and with "ss" for "ß": two entries whose folded
// letters differ sort as those letters do, whatever the collator makes of
// their case and umlauts, which only decide between equal folded letters.
struct SortEntry
{
    qsizetype index = 0;
    std::string letters;
    bool folded = true;
};

SortEntry sortEntry(const QString& text, qsizetype index)
{
    SortEntry entry{index, {}, true};
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')) {
            entry.letters.push_back(static_cast<char>(u | 0x20));
        } else if (u == u'ä' || u == u'Ä') {
            entry.letters.push_back('a');
        } else if (u == u'ö' || u == u'Ö') {
            entry.letters.push_back('o');
        } else if (u == u'ü' || u == u'Ü') {
            entry.letters.push_back('u');
        } else if (u == u'ß') {
            entry.letters.append("ss");
        } else {
            entry.folded = false;
            break;
        }
    }
    return entry;
}

} // namespace

QStringList ListBox::sortedCopy(const QStringList& texts) const
{
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        entries.push_back(sortEntry(texts[i], i));
    }
    const auto less = [this, &texts](const SortEntry& a, const SortEntry& b) {
        if (a.folded && b.folded) {
            if (const int order = a.letters.compare(b.letters); order != 0) {
                return order < 0;
            }
        }
        return lessThan(texts[a.index], texts[b.index]);
    };
    // Entries taken from a sorted list come in order: checking costs one
    // comparison per entry, sorting many.
    if (std::is_sorted(entries.begin(), entries.end(), less)) {
        return texts;
    }
    std::stable_sort(entries.begin(), entries.end(), less);
    QStringList ordered;
    ordered.reserve(texts.size());
    for (const SortEntry& entry : entries) {
        ordered.append(texts[entry.index]);
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
    if (count() > 0) {
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
