#include "widgets/PrintWords.h"

#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

QDateTime lastWritten(const QString& path)
{
    // Commits not yet copied back into the file are in its -wal file.
    const QFileInfo wal(path + QStringLiteral("-wal"));
    const QDateTime file = QFileInfo(path).lastModified();
    return wal.exists() && wal.size() > 0 ? std::max(file, wal.lastModified()) : file;
}

} // namespace

ResultOf<std::unique_ptr<PrintWords>> PrintWords::open(const QString& folder)
{
    std::unique_ptr<PrintWords> words(new PrintWords);
    words->m_folder = QDir(folder).absolutePath();
    const QString path = QDir(words->m_folder).filePath(Schema::DictionaryFile);
    if (!QFileInfo::exists(path)) {
        return Result::failure(
            QStringLiteral("Im Ordner „%1“ gibt es kein Wörterbuch (keine Datei %2).")
                .arg(QDir::toNativeSeparators(words->m_folder), Schema::DictionaryFile));
    }
    if (Result opened = words->m_words.open(path, Database::Access::ReadOnly); !opened) {
        return opened;
    }
    if (const Result read = words->readWords(); !read) {
        return read;
    }
    words->m_written = lastWritten(path);
    words->readThemes();
    return ResultOf<std::unique_ptr<PrintWords>>(std::move(words));
}

Result PrintWords::readWords()
{
    auto words = ::readWords(m_words);
    if (!words) {
        return words;
    }
    m_all = std::move(words.value);
    for (Word& word : m_all) {
        word.determinant = word.determinant.trimmed();
    }
    return Result::success();
}

void PrintWords::readThemes()
{
    // Without a theme table each theme field counts as one name.
    Database themes;
    if (!themes.open(QDir(m_folder).filePath(Schema::ThemesFile), Database::Access::ReadOnly)) {
        return;
    }
    auto query = themes.prepare(QStringLiteral("SELECT theme FROM themes ORDER BY rowid"));
    while (query && query->next()) {
        const QString name = query->text(0);
        if (!name.isEmpty()) {
            m_themeNames.append(name);
        }
    }
}

QStringList PrintWords::themesOf(const Word& word) const
{
    QStringList names;
    qsizetype at = 0;
    const QString& field = word.theme;
    while (at < field.size()) {
        // The longest known name that starts here: "Haustiere" before "Haus".
        qsizetype longest = 0;
        for (const QString& name : m_themeNames) {
            if (name.size() > longest && QStringView(field).sliced(at).startsWith(name)) {
                longest = name.size();
            }
        }
        if (longest == 0) {
            longest = field.size() - at;
        }
        const QString name = field.sliced(at, longest).trimmed();
        if (!name.isEmpty() && !names.contains(name)) {
            names.append(name);
        }
        at += longest;
    }
    return names;
}

std::vector<Word> PrintWords::choose(const WordChoice& choice) const
{
    const auto taken = [&](const Word& word) {
        return (!choice.markedOnly || word.marked) &&
               (choice.theme.isEmpty() || themesOf(word).contains(choice.theme));
    };
    std::vector<Word> chosen;
    if (choice.listed.isEmpty()) {
        std::copy_if(m_all.begin(), m_all.end(), std::back_inserter(chosen), taken);
        return chosen;
    }
    QHash<QString, std::vector<const Word*>> byText;
    for (const Word& word : m_all) {
        byText[word.mot.trimmed()].push_back(&word);
    }
    QSet<QString> seen;
    for (const QString& entry : choice.listed) {
        const QString text = entry.trimmed();
        if (text.isEmpty() || seen.contains(text)) {
            continue;
        }
        seen.insert(text);
        for (const Word* word : byText.value(text)) {
            if (taken(*word)) {
                chosen.push_back(*word);
            }
        }
    }
    return chosen;
}

QByteArray PrintWords::picture(qint64 rowid)
{
    const auto query =
        m_words.cached(QStringLiteral("SELECT \"icone integree\" FROM lexa WHERE rowid = ?"));
    if (!query || !query.value->bind(1, rowid) || !query.value->next()) {
        return {};
    }
    QByteArray bytes = query.value->column(0).toByteArray();
    query.value->reset();
    return bytes;
}
