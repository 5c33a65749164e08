#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// Words that a dictionary should hold once but may hold twice: spelling
// variants (Straße, Strasse), stray blanks, one letter typed wrong in a
// long word (Schmeterling). Letter case alone never makes two words near:
// Essen and essen are two German words.

enum class Nearness
{
    None,
    // The very same text: an exact duplicate.
    Same,
    // Equal once folded (see foldWord), letter case aside.
    Spelling,
    // Both folded words have 8 to 80 characters and differ by one inserted,
    // deleted, replaced or swapped letter. The first letter and the last two
    // are left out: a changed first letter makes another word (baumelnd,
    // taumelnd), and the end is where German inflects (Schmetterlinge,
    // Schmetterlings).
    OneLetter,
};

// The form words are compared in: blanks trimmed and single, lower case,
// ß as ss, ä as ae, ö as oe, ü as ue, typographic apostrophes as '.
QString foldWord(const QString& word);

Nearness nearness(const QString& a, const QString& b);

// The words of a dictionary (with their repeats), for finding the near
// neighbours of a word without scanning them all: a hash of every folded
// word and of the folded word with each one letter deleted (SymSpell's
// deletion index), so that two words one letter apart share a key.
class NearIndex
{
public:
    void add(const QString& word);
    // Takes away one occurrence of `word`.
    void remove(const QString& word);
    // How often `word` is held.
    int count(const QString& word) const;

    // The words held that are near `word` and not `word` itself, in the
    // order they were first added; at most `limit` of them (all for -1).
    QStringList neighbours(const QString& word, qsizetype limit = -1) const;

private:
    friend QList<QList<qsizetype>> nearGroups(const QStringList&, const QSet<QString>&);
    struct Slot
    {
        quint32 key;
        quint32 id;
    };
    static constexpr quint32 NoId = 0xffffffffu;

    void insertKey(quint32 key, quint32 id);
    // Makes room for at least `keys` keys at the load kept (half the slots).
    void grow(qsizetype keys);
    // Ids of held words near `word` (folded: `folded`), in id order.
    QList<quint32> neighbourIds(const QString& word, const QString& folded) const;

    QStringList m_words;
    QStringList m_folded;
    QList<int> m_counts;
    QHash<QString, quint32> m_ids;
    std::vector<Slot> m_slots;
    qsizetype m_used = 0;
};

// A pair of words the user said are not duplicates, in either order.
QString notDuplicateKey(const QString& a, const QString& b);

// The groups of near words among `words` (a dictionary's words, repeats
// included), as indexes into `words`: groups holding an exact duplicate
// first. Pairs whose notDuplicateKey is in `dismissed` join no group.
QList<QList<qsizetype>> nearGroups(const QStringList& words, const QSet<QString>& dismissed);
