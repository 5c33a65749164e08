#include "widgets/ListBox.h"

#include "widgets/Look.h"

#include <QKeyEvent>
#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

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

namespace {

// The letters of a text of German letters only, folded to lower case without
// umlauts and with "ss" for "ß"; none for any other text. Two texts whose
// folded letters differ sort as those letters do, whatever the collator
// makes of their case and umlauts, which only decide between equal ones.
std::optional<std::string> foldedLetters(const QString& text)
{
    std::string letters;
    letters.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')) {
            letters.push_back(static_cast<char>(u | 0x20));
        } else if (u == u'ä' || u == u'Ä') {
            letters.push_back('a');
        } else if (u == u'ö' || u == u'Ö') {
            letters.push_back('o');
        } else if (u == u'ü' || u == u'Ü') {
            letters.push_back('u');
        } else if (u == u'ß') {
            letters.append("ss");
        } else {
            return std::nullopt;
        }
    }
    return letters;
}

} // namespace

QStringList ListBox::sortedCopy(const QStringList& texts) const
{
    std::vector<std::optional<std::string>> letters;
    letters.reserve(static_cast<size_t>(texts.size()));
    for (const QString& text : texts) {
        letters.push_back(foldedLetters(text));
    }
    const auto less = [&](qsizetype a, qsizetype b) {
        const auto& lettersA = letters[static_cast<size_t>(a)];
        const auto& lettersB = letters[static_cast<size_t>(b)];
        if (lettersA && lettersB) {
            if (const int order = lettersA->compare(*lettersB); order != 0) {
                return order < 0;
            }
        }
        return lessThan(texts[a], texts[b]);
    };
    std::vector<qsizetype> order(letters.size());
    std::iota(order.begin(), order.end(), 0);
    // Entries taken from a sorted list come in order: checking costs one
    // comparison per entry, sorting many.
    if (std::is_sorted(order.begin(), order.end(), less)) {
        return texts;
    }
    std::stable_sort(order.begin(), order.end(), less);
    QStringList ordered;
    ordered.reserve(texts.size());
    for (const qsizetype index : order) {
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
