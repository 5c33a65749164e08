#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>
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
    // Below zero when `left` comes first, zero for texts equal in this order.
    int compare(const QString& left, const QString& right) const;
    // The indexes of `texts` in this order, equal texts in their given order.
    std::vector<qsizetype> order(const QStringList& texts) const;

private:
    QCollator m_collator;
};
