#include "data/GermanOrder.h"

#include <QLocale>
#include <algorithm>
#include <numeric>
#include <optional>
#include <string>

namespace {

// Two texts whose folded letters differ sort as those letters do, whatever
// the collator makes of their case and umlauts, which only decide between
// equal ones.
GermanOrder::Key foldedLetters(const QString& text)
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

GermanOrder::GermanOrder() : m_collator(QLocale(QLocale::German, QLocale::Germany))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

GermanOrder::Key GermanOrder::keyOf(const QString& text)
{
    return foldedLetters(text);
}

int GermanOrder::compare(const QString& left, const QString& right) const
{
    const auto lettersLeft = foldedLetters(left);
    const auto lettersRight = lettersLeft ? foldedLetters(right) : std::nullopt;
    if (lettersLeft && lettersRight) {
        if (const int order = lettersLeft->compare(*lettersRight); order != 0) {
            return order;
        }
    }
    return m_collator.compare(left, right);
}

std::vector<qsizetype> GermanOrder::order(const QStringList& texts, std::vector<Key>* keys) const
{
    std::vector<Key> letters;
    letters.reserve(static_cast<size_t>(texts.size()));
    for (const QString& text : texts) {
        letters.push_back(foldedLetters(text));
    }
    const auto lessAt = [&](qsizetype a, qsizetype b) {
        const auto& lettersA = letters[static_cast<size_t>(a)];
        const auto& lettersB = letters[static_cast<size_t>(b)];
        if (lettersA && lettersB) {
            if (const int order = lettersA->compare(*lettersB); order != 0) {
                return order < 0;
            }
        }
        return less(texts[a], texts[b]);
    };
    std::vector<qsizetype> indexes(letters.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    // Texts taken from a sorted list come in order: checking costs one
    // comparison per text, sorting many.
    if (!std::is_sorted(indexes.begin(), indexes.end(), lessAt)) {
        std::stable_sort(indexes.begin(), indexes.end(), lessAt);
    }
    if (keys) {
        keys->clear();
        keys->reserve(indexes.size());
        for (const qsizetype index : indexes) {
            keys->push_back(std::move(letters[static_cast<size_t>(index)]));
        }
    }
    return indexes;
}
