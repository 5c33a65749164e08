#include "data/NearWords.h"

#include "data/Word.h"

#include <QVarLengthArray>
#include <algorithm>
#include <numeric>
#include <optional>

namespace {

constexpr qsizetype OneLetterMinimum = 8;
// A longer text is no word with a typing error; its keys would cost time for
// every word looked up.
constexpr qsizetype OneLetterMaximum = WordMaximumLength;

QChar plainApostrophe(QChar c)
{
    switch (c.unicode()) {
    case 0x2019: // ’
    case 0x2018: // ‘
    case 0x02BC: // ʼ
    case 0x00B4: // ´
    case 0x0060: // `
        return QLatin1Char('\'');
    default:
        return c;
    }
}

// a and b (folded, a the shorter or as long) differ by one letter that is
// neither the first nor one of the last two of a.
bool oneLetterApart(const QString& a, const QString& b)
{
    if (a.size() < OneLetterMinimum || b.size() > OneLetterMaximum || b.size() - a.size() > 1) {
        return false;
    }
    qsizetype i = 0;
    while (i < a.size() && a[i] == b[i]) {
        ++i;
    }
    if (i < 1 || i >= a.size() - 2) {
        return false;
    }
    const QStringView shorter(a);
    const QStringView longer(b);
    if (a.size() < b.size()) {
        return shorter.mid(i) == longer.mid(i + 1);
    }
    if (shorter.mid(i + 1) == longer.mid(i + 1)) {
        return true;
    }
    return i + 1 < a.size() - 2 && a[i] == b[i + 1] && a[i + 1] == b[i] &&
           shorter.mid(i + 2) == longer.mid(i + 2);
}

Nearness nearnessFolded(const QString& a, const QString& foldedA, const QString& b,
                        const QString& foldedB)
{
    if (a == b) {
        return Nearness::Same;
    }
    if (a.compare(b, Qt::CaseInsensitive) == 0) {
        return Nearness::None;
    }
    if (foldedA == foldedB) {
        return Nearness::Spelling;
    }
    const bool aFirst = foldedA.size() <= foldedB.size();
    return oneLetterApart(aFirst ? foldedA : foldedB, aFirst ? foldedB : foldedA)
               ? Nearness::OneLetter
               : Nearness::None;
}

// Polynomial hashes of a folded word and of the word with each letter from
// the second to the third last deleted, the letters a one-letter difference
// may touch. A deletion's hash equals the hash of the shorter text itself.
class Keys
{
public:
    explicit Keys(const QString& folded) : m_text(folded)
    {
        const qsizetype n = folded.size();
        m_prefix.resize(n + 1);
        m_suffix.resize(n + 1);
        m_power.resize(n + 1);
        m_prefix[0] = 0;
        m_suffix[n] = 0;
        m_power[0] = 1;
        for (qsizetype k = 0; k < n; ++k) {
            m_prefix[k + 1] = m_prefix[k] * Base + folded[k].unicode();
            m_power[k + 1] = m_power[k] * Base;
        }
        for (qsizetype k = n - 1; k >= 0; --k) {
            m_suffix[k] = folded[k].unicode() * m_power[n - 1 - k] + m_suffix[k + 1];
        }
    }

    quint32 whole() const { return mix(m_prefix.back()); }
    bool hasDeletions() const
    {
        return m_text.size() >= OneLetterMinimum && m_text.size() <= OneLetterMaximum;
    }
    qsizetype firstDeletion() const { return 1; }
    qsizetype lastDeletion() const { return m_text.size() - 3; }
    quint32 deletion(qsizetype i) const
    {
        const qsizetype n = m_text.size();
        return mix(m_prefix[i] * m_power[n - 1 - i] + m_suffix[i + 1]);
    }

private:
    static constexpr quint64 Base = 0x100000001b3ull;
    static quint32 mix(quint64 h) { return quint32((h * 0x9e3779b97f4a7c15ull) >> 32); }

    const QString& m_text;
    // Words are short: no allocation for up to 40 letters.
    QVarLengthArray<quint64, 41> m_prefix;
    QVarLengthArray<quint64, 41> m_suffix;
    QVarLengthArray<quint64, 41> m_power;
};

} // namespace

namespace {

// Appends the two letters a lower-case "ß" or umlaut folds into; false for
// any other character.
bool appendTwoLetters(QString& folded, char16_t lower)
{
    const char* const two = lower == 0x00DF   ? "ss" // ß
                            : lower == 0x00E4 ? "ae" // ä
                            : lower == 0x00F6 ? "oe" // ö
                            : lower == 0x00FC ? "ue" // ü
                                              : nullptr;
    if (two != nullptr) {
        folded += QLatin1String(two, 2);
    }
    return two != nullptr;
}

// The folding of a word of plain letters and umlauts, the most of them, in
// one pass; nullopt for any other word (spaces, other scripts).
std::optional<QString> foldPlainWord(const QString& word)
{
    QString folded;
    folded.reserve(word.size() + 4);
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        if (u > 0x20 && u < 0x7F) {
            folded += u == u'`' ? QLatin1Char('\'') : QChar(u >= u'A' && u <= u'Z' ? u + 32 : u);
            continue;
        }
        // Ä, Ö and Ü are 0x20 below their lower-case letters.
        const bool capital = u == 0x00C4 || u == 0x00D6 || u == 0x00DC;
        if (!appendTwoLetters(folded, capital ? char16_t(u + 0x20) : u)) {
            return std::nullopt;
        }
    }
    return folded;
}

} // namespace

QString foldWord(const QString& word)
{
    if (std::optional<QString> plain = foldPlainWord(word)) {
        return *std::move(plain);
    }
    const QString lower = word.simplified().toLower();
    QString folded;
    folded.reserve(lower.size() + 4);
    for (const QChar c : lower) {
        if (!appendTwoLetters(folded, c.unicode())) {
            folded += plainApostrophe(c);
        }
    }
    return folded;
}

Nearness nearness(const QString& a, const QString& b)
{
    return nearnessFolded(a, foldWord(a), b, foldWord(b));
}

void NearIndex::add(const QString& word)
{
    const auto known = m_ids.constFind(word);
    if (known != m_ids.cend()) {
        ++m_counts[*known];
        return;
    }
    const auto id = quint32(m_words.size());
    m_ids.insert(word, id);
    m_words.append(word);
    m_folded.append(foldWord(word));
    m_counts.append(1);
    const Keys keys(m_folded.back());
    insertKey(keys.whole(), id);
    if (keys.hasDeletions()) {
        for (qsizetype i = keys.firstDeletion(); i <= keys.lastDeletion(); ++i) {
            insertKey(keys.deletion(i), id);
        }
    }
}

void NearIndex::remove(const QString& word)
{
    // The keys stay: a word no longer held is left out when it is found.
    const auto known = m_ids.constFind(word);
    if (known != m_ids.cend() && m_counts[*known] > 0) {
        --m_counts[*known];
    }
}

int NearIndex::count(const QString& word) const
{
    const auto known = m_ids.constFind(word);
    return known == m_ids.cend() ? 0 : m_counts[*known];
}

void NearIndex::insertKey(quint32 key, quint32 id)
{
    if ((m_used + 1) * 2 > qsizetype(m_slots.size())) {
        grow(m_used + 1);
    }
    const size_t mask = m_slots.size() - 1;
    size_t at = key & mask;
    while (m_slots[at].id != NoId) {
        at = (at + 1) & mask;
    }
    m_slots[at] = {key, id};
    ++m_used;
}

void NearIndex::grow(qsizetype keys)
{
    size_t capacity = std::max<size_t>(1024, m_slots.size());
    while (qsizetype(capacity) < keys * 2) {
        capacity *= 2;
    }
    std::vector<Slot> old(capacity, Slot{0, NoId});
    old.swap(m_slots);
    m_used = 0;
    for (const Slot& slot : old) {
        if (slot.id != NoId) {
            insertKey(slot.key, slot.id);
        }
    }
}

QList<quint32> NearIndex::neighbourIds(const QString& word, const QString& folded) const
{
    QList<quint32> found;
    if (m_slots.empty()) {
        return found;
    }
    const size_t mask = m_slots.size() - 1;
    const auto collect = [&](quint32 key) {
        for (size_t at = key & mask; m_slots[at].id != NoId; at = (at + 1) & mask) {
            if (m_slots[at].key == key) {
                found.append(m_slots[at].id);
            }
        }
    };
    const Keys keys(folded);
    collect(keys.whole());
    if (keys.hasDeletions()) {
        for (qsizetype i = keys.firstDeletion(); i <= keys.lastDeletion(); ++i) {
            collect(keys.deletion(i));
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    found.removeIf([&](quint32 id) {
        const Nearness near = nearnessFolded(word, folded, m_words[id], m_folded[id]);
        return m_counts[id] == 0 || near == Nearness::None || near == Nearness::Same;
    });
    return found;
}

QStringList NearIndex::neighbours(const QString& word, qsizetype limit) const
{
    QStringList words;
    for (const quint32 id : neighbourIds(word, foldWord(word))) {
        if (limit >= 0 && words.size() >= limit) {
            break;
        }
        words.append(m_words[id]);
    }
    return words;
}

QString notDuplicateKey(const QString& a, const QString& b)
{
    return a < b ? a + QChar(0) + b : b + QChar(0) + a;
}

QList<QList<qsizetype>> nearGroups(const QStringList& words, const QSet<QString>& dismissed)
{
    NearIndex index;
    // About one key for each letter of a word.
    index.grow(words.size() * 12);
    for (const QString& word : words) {
        index.add(word);
    }
    // Union-find over the distinct words.
    const auto distinct = index.m_words.size();
    QList<qsizetype> parent(distinct);
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](qsizetype id) {
        while (parent[id] != id) {
            id = parent[id] = parent[parent[id]];
        }
        return id;
    };
    QList<bool> repeated(distinct, false);
    for (qsizetype id = 0; id < distinct; ++id) {
        const QString& word = index.m_words[id];
        repeated[id] = index.m_counts[id] > 1 && !dismissed.contains(notDuplicateKey(word, word));
        for (const quint32 other : index.neighbourIds(word, index.m_folded[id])) {
            if (other > id && !dismissed.contains(notDuplicateKey(word, index.m_words[other]))) {
                parent[root(other)] = root(id);
            }
        }
    }
    // Per root: how many distinct words, whether one is repeated, and the
    // group's place among the groups (-1: none).
    QList<qsizetype> size(distinct, 0);
    QList<bool> exact(distinct, false);
    for (qsizetype id = 0; id < distinct; ++id) {
        ++size[root(id)];
        exact[root(id)] = exact[root(id)] || repeated[id];
    }
    QList<qsizetype> place(distinct, -1);
    QList<QList<qsizetype>> groups;
    QList<qsizetype> groupRoots;
    for (qsizetype at = 0; at < words.size(); ++at) {
        const qsizetype group = root(index.m_ids.value(words[at]));
        if (size[group] < 2 && !exact[group]) {
            continue;
        }
        if (place[group] < 0) {
            place[group] = groups.size();
            groups.append(QList<qsizetype>());
            groupRoots.append(group);
        }
        groups[place[group]].append(at);
    }
    for (auto& members : groups) {
        std::stable_sort(members.begin(), members.end(),
                         [&](qsizetype l, qsizetype r) { return words[l] < words[r]; });
    }
    // Exact duplicates first, then in the order of their first folded word.
    QList<qsizetype> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    const auto rank = [&](qsizetype g) {
        return std::pair(!exact[groupRoots[g]],
                         std::cref(index.m_folded[index.m_ids.value(words[groups[g].front()])]));
    };
    std::sort(order.begin(), order.end(),
              [&](qsizetype l, qsizetype r) { return rank(l) < rank(r); });
    QList<QList<qsizetype>> sorted;
    sorted.reserve(groups.size());
    for (const qsizetype g : order) {
        sorted.append(std::move(groups[g]));
    }
    return sorted;
}
