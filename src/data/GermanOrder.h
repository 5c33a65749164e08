#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

// The order of a German dictionary: letter case ignored, umlauts beside
// their base letters, "ß" as "ss". Texts equal in this order keep the order
// they were given in. The word list and every sorted list use it.
class GermanOrder
{
public:
    GermanOrder();

    bool less(const QString& left, const QString& right) const
    {
        return m_collator.compare(left, right) < 0;
    }
    // A text's letters folded to lower case without umlauts, "ß" as "ss";
    // none for a text with anything but German letters. Texts whose keys
    // differ sort as their keys do; the order decides the others.
    using Key = std::optional<std::string>;
    static Key keyOf(const QString& text);

    // Below zero when `left` comes first, zero for texts equal in this order.
    int compare(const QString& left, const QString& right) const;
    // The indexes of `texts` in this order, equal texts in their given order;
    // with `keys`, also each text's key, in that order.
    std::vector<qsizetype> order(const QStringList& texts, std::vector<Key>* keys = nullptr) const;

private:
    QCollator m_collator;
};
