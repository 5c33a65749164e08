#include "Generator.h"

#include "DemoData.h"
#include "Pictogram.h"
#include "data/Schema.h"
#include "editor/Syllables.h"

#include <QDir>
#include <QHash>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QStringEncoder>
#include <algorithm>
#include <array>

namespace {

constexpr quint32 DemoSeed = 1994;
constexpr quint32 SyntheticSeed = 4001;

QColor themeColour(qsizetype themeIndex)
{
    static const std::array<QColor, 16> palette{
        QColor("#c0392b"), QColor("#d35400"), QColor("#b7950b"), QColor("#27ae60"),
        QColor("#16a085"), QColor("#2471a3"), QColor("#7d3c98"), QColor("#6e2c00"),
        QColor("#e84393"), QColor("#0e6655"), QColor("#5d6d7e"), QColor("#a04000"),
        QColor("#1a5276"), QColor("#7b7d26"), QColor("#943126"), QColor("#4a235a")};
    return palette[size_t(themeIndex) % palette.size()];
}

// Index of the theme that a run of theme names begins with (the longest that fits).
qsizetype firstTheme(const QString& run, const QStringList& themes)
{
    qsizetype best = 0;
    for (qsizetype i = 0; i < themes.size(); ++i) {
        if (run.startsWith(themes[i]) && themes[i].size() > themes[best].size()) {
            best = i;
        }
    }
    return best;
}

// A file name stem in plain ASCII: "Schlüssel" -> "schluessel".
QString fileStem(const QString& word)
{
    QString stem = word.toLower();
    stem.replace(u'ä', "ae").replace(u'ö', "oe").replace(u'ü', "ue").replace(u'ß', "ss");
    stem.remove(u'\'');
    return stem;
}

QString initialOf(const QString& word)
{
    return word.left(1).toUpper();
}

template <typename T> void shuffle(QList<T>& list, QRandomGenerator& rng)
{
    for (qsizetype i = list.size() - 1; i > 0; --i) {
        list.swapItemsAt(i, qsizetype(rng.bounded(quint32(i + 1))));
    }
}

WordRecord demoRecord(const DemoWord& demo, const QStringList& themes, DictionaryFolder& folder)
{
    static const QHash<QString, QString> plurals = DemoData::plurals();
    WordRecord record{QString::fromUtf8(demo.word),
                      QString::fromUtf8(demo.article),
                      QString::fromUtf8(demo.frequency),
                      QString::fromUtf8(demo.themes),
                      demo.marked,
                      {},
                      {},
                      plurals.value(QString::fromUtf8(demo.word)),
                      suggestSyllables(QString::fromUtf8(demo.word))};
    if (demo.picture == Pictogram::None) {
        return record;
    }
    const QColor colour = themeColour(firstTheme(record.themes, themes));
    record.icon = Icons::icoFile(Icons::draw(demo.picture, initialOf(record.word), colour));
    folder.icons.insert(fileStem(record.word) + ".ico", record.icon);
    // The most frequent words come with the name of a recording.
    if (record.frequency == "1") {
        record.sound = fileStem(record.word) + ".wav";
    }
    return record;
}

QString syntheticWord(QRandomGenerator& rng)
{
    static const QString consonants = "bcdfghjklmnprstvwzß";
    static const QString vowels = "aaeeiioouuäöü";
    const int length = rng.bounded(1, 21);
    bool vowel = rng.bounded(2) == 0;
    QString word;
    for (int i = 0; i < length; ++i, vowel = !vowel) {
        const QString& letters = vowel ? vowels : consonants;
        word += letters[rng.bounded(int(letters.size()))];
    }
    word[0] = word[0].toUpper();
    return word;
}

QString syntheticThemes(QRandomGenerator& rng, const QStringList& themes, qsizetype& first)
{
    first = rng.bounded(int(themes.size()));
    QString run = themes[first];
    if (rng.bounded(3) == 0) {
        run += themes[(first + 1 + rng.bounded(int(themes.size()) - 1)) % themes.size()];
    }
    return run;
}

// Article, frequency, themes and mark drawn at random; the icon a tile of the
// word's initial in its theme's colour, one file per initial and theme.
WordRecord syntheticRecord(const QString& word, QRandomGenerator& rng, const QStringList& themes,
                           bool withIcon, QHash<QString, QByteArray>& tiles)
{
    static const QStringList articles{"der", "die", "das"};
    qsizetype theme = 0;
    WordRecord record{word,
                      articles[rng.bounded(3)],
                      QString::number(rng.bounded(1, 6)),
                      syntheticThemes(rng, themes, theme),
                      rng.bounded(20) == 0,
                      {},
                      {},
                      {},
                      {}};
    if (withIcon) {
        const QString key = initialOf(word) + QString::number(theme);
        if (!tiles.contains(key)) {
            tiles.insert(key, Icons::bitmapIcoFile(Icons::draw(Pictogram::Tile, initialOf(word),
                                                               themeColour(theme))));
        }
        record.icon = tiles.value(key);
    }
    return record;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool refuseOverwrite(const QDir& dir, QString& error)
{
    for (const QLatin1StringView name : {Schema::DictionaryFile, Schema::ThemesFile}) {
        if (dir.exists(name)) {
            error = QStringLiteral("%1 already exists; use --force to replace it")
                        .arg(dir.filePath(name));
            return true;
        }
    }
    return false;
}

bool writeIcons(const QDir& dir, const QMap<QString, QByteArray>& icons, QString& error)
{
    if (icons.isEmpty()) {
        return true;
    }
    if (!dir.mkpath("icones")) {
        error = QStringLiteral("%1: cannot create the folder").arg(dir.filePath("icones"));
        return false;
    }
    for (auto it = icons.cbegin(); it != icons.cend(); ++it) {
        if (!writeFile(dir.filePath("icones/" + it.key()), it.value(), error)) {
            return false;
        }
    }
    return true;
}

} // namespace

namespace Generator {

DictionaryFolder demo()
{
    DictionaryFolder folder;
    folder.themes = DemoData::themes();
    for (const DemoWord& word : DemoData::words()) {
        folder.words.append(demoRecord(word, folder.themes, folder));
    }
    // A tile per theme, for new words.
    for (qsizetype i = 0; i < folder.themes.size(); ++i) {
        const QString& theme = folder.themes[i];
        const QImage tile = Icons::draw(Pictogram::Tile, initialOf(theme), themeColour(i));
        folder.icons.insert("thema-" + fileStem(theme) + ".ico", Icons::icoFile(tile));
    }
    QRandomGenerator rng(DemoSeed);
    shuffle(folder.words, rng);
    folder.importFile = DemoData::importFile();
    return folder;
}

DictionaryFolder synthetic(int count, bool withIcons)
{
    DictionaryFolder folder;
    folder.themes = DemoData::themes();
    QRandomGenerator rng(SyntheticSeed);
    QSet<QString> seen;
    QHash<QString, QByteArray> tiles;
    while (folder.words.size() < count) {
        const QString word = syntheticWord(rng);
        if (seen.contains(word.toCaseFolded())) {
            continue;
        }
        seen.insert(word.toCaseFolded());
        folder.words.append(syntheticRecord(word, rng, folder.themes, withIcons, tiles));
    }
    return folder;
}

DictionaryFolder fromWordList(const QStringList& wordList, int count, bool withIcons,
                              int importCount)
{
    QStringList distinct;
    QSet<QString> seen;
    for (const QString& word : wordList) {
        if (!word.isEmpty() && !seen.contains(word.toCaseFolded())) {
            seen.insert(word.toCaseFolded());
            distinct.append(word);
        }
    }
    DictionaryFolder folder;
    // Each step of the list gives one word to the dictionary and, half a step
    // on, one to the import file, so no imported word is already there.
    const qsizetype step = distinct.size() / std::max(count, importCount);
    if (step < 2) {
        return folder;
    }
    folder.themes = DemoData::themes();
    QRandomGenerator rng(SyntheticSeed);
    QHash<QString, QByteArray> tiles;
    for (qsizetype i = 0; i < count; ++i) {
        folder.words.append(
            syntheticRecord(distinct[i * step], rng, folder.themes, withIcons, tiles));
    }
    shuffle(folder.words, rng);
    QStringList imported;
    for (qsizetype i = 0; i < importCount; ++i) {
        imported.append(distinct[i * step + step / 2]);
    }
    if (!imported.isEmpty()) {
        folder.importFile = QStringEncoder("windows-1252").encode(imported.join("\r\n") + "\r\n");
    }
    return folder;
}

bool write(const QString& dirPath, const DictionaryFolder& folder, bool force, QString& error)
{
    const QDir dir(dirPath);
    if (!dir.mkpath(".")) {
        error = QStringLiteral("%1: cannot create the folder").arg(dirPath);
        return false;
    }
    if (!force && refuseOverwrite(dir, error)) {
        return false;
    }
    return writeIcons(dir, folder.icons, error) &&
           (folder.importFile.isEmpty() ||
            writeFile(dir.filePath("listemot.txt"), folder.importFile, error)) &&
           DictionaryWriter::writeThemes(dir.filePath(Schema::ThemesFile), folder.themes, error) &&
           DictionaryWriter::writeDictionary(dir.filePath(Schema::DictionaryFile), folder.words,
                                             error);
}

} // namespace Generator
