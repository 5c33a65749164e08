#include "editor/Syllables.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <future>
#include <hyphen.h>
#include <memory>

namespace {

const char* const Patterns = "/usr/share/hyphen/hyph_de_DE.dic";

// The patterns being read, from the first call on; null when they are missing.
// Freed with the program.
const std::shared_future<std::shared_ptr<HyphenDict>>& loading()
{
    static const std::shared_future<std::shared_ptr<HyphenDict>> loaded =
        std::async(std::launch::async, [] {
            HyphenDict* const read =
                QFile::exists(QString::fromLatin1(Patterns)) ? hnj_hyphen_load(Patterns) : nullptr;
            return std::shared_ptr<HyphenDict>(read, [](HyphenDict* dictionary) {
                if (dictionary != nullptr) {
                    hnj_hyphen_free(dictionary);
                }
            });
        }).share();
    return loaded;
}

HyphenDict* patterns()
{
    return loading().get().get();
}

// Reading beginners split off a single vowel at the start ("A-bend"), never
// one letter at the end; parts of a compound keep two letters each.
constexpr int LeftMin = 1;
constexpr int RightMin = 2;
constexpr int CompoundLeftMin = 2;
constexpr int CompoundRightMin = 2;

bool hasVowel(const QString& part);

// Every syllable holds a vowel: the patterns, let split off one letter at
// the start, would also split "n-ein"; such a part joins its neighbour.
QString joinVoiced(QStringList syllables)
{
    for (qsizetype i = 0; i < syllables.size() && syllables.size() > 1;) {
        if (hasVowel(syllables.at(i))) {
            ++i;
            continue;
        }
        const qsizetype into = i == 0 ? 1 : i - 1;
        syllables[into] =
            into < i ? syllables.at(into) + syllables.at(i) : syllables.at(i) + syllables.at(into);
        syllables.removeAt(i);
        i = 0;
    }
    return syllables.join(u'-');
}

// The split of one run of letters, in the patterns' encoding (ISO 8859-1).
QString splitRun(HyphenDict* dictionary, const QString& run)
{
    if (run.size() < 2) {
        return run;
    }
    const QByteArray lower = run.toLower().toLatin1();
    QByteArray hyphens(lower.size() + 5, '\0');
    char** replacements = nullptr;
    int* positions = nullptr;
    int* cuts = nullptr;
    const int failed = hnj_hyphen_hyphenate3(
        dictionary, lower.constData(), static_cast<int>(lower.size()), hyphens.data(), nullptr,
        &replacements, &positions, &cuts, LeftMin, RightMin, CompoundLeftMin, CompoundRightMin);
    // German patterns of today's spelling change no letters; a split that
    // would is not suggested.
    const bool changesLetters = replacements != nullptr;
    if (replacements) {
        for (qsizetype i = 0; i < lower.size(); ++i) {
            std::free(replacements[i]);
        }
        std::free(replacements);
        std::free(positions);
        std::free(cuts);
    }
    if (failed != 0 || changesLetters) {
        return run;
    }
    QStringList syllables{QString()};
    for (qsizetype i = 0; i < run.size(); ++i) {
        syllables.last() += run.at(i);
        if ((hyphens.at(i) & 1) && i + 1 < run.size()) {
            syllables.append(QString());
        }
    }
    return joinVoiced(syllables);
}

bool hasVowel(const QString& part)
{
    static const QString Vowels = QStringLiteral("aeiouyäöüAEIOUYÄÖÜ");
    return std::any_of(part.begin(), part.end(), [](QChar c) { return Vowels.contains(c); });
}

} // namespace

void prepareSyllables()
{
    loading();
}

QString suggestSyllables(const QString& word)
{
    HyphenDict* const dictionary = patterns();
    if (!dictionary || word.trimmed().isEmpty()) {
        return {};
    }
    QString split;
    QString run;
    for (const QChar c : word) {
        if (c.unicode() > 0xFF) {
            return {};
        }
        if (c.isLetter()) {
            run += c;
            continue;
        }
        split += splitRun(dictionary, run) + c;
        run.clear();
    }
    return split + splitRun(dictionary, run);
}
