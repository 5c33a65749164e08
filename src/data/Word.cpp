#include "data/Word.h"

#include "data/Database.h"
#include "data/GermanOrder.h"
#include "data/Schema.h"

#include <QStringList>

ResultOf<std::vector<Word>> readWords(Database& db)
{
    const auto columns = db.columns(QString(Schema::DictionaryTable));
    if (!columns) {
        return Result(columns);
    }
    const auto field = [&](const QString& name) {
        return columns->contains(name) ? quoteIdentifier(name) : QStringLiteral("NULL");
    };
    auto query =
        db.prepare(QStringList{QStringLiteral("SELECT rowid"), field("mot"), field("determinant"),
                               field("categorie"), field("theme"), field("mot marque"),
                               field("fichier son associe"), field(QString(Schema::PluralField)),
                               field(QString(Schema::SyllablesField))}
                       .join(u',') +
                   QStringLiteral(" FROM lexa ORDER BY rowid"));
    if (!query) {
        return Result(query);
    }
    std::vector<Word> stored;
    QStringList texts;
    while (query->next()) {
        Word word;
        word.rowid = query->columnInt64(0);
        word.mot = query->text(1);
        word.determinant = query->text(2);
        word.categorie = query->text(3);
        word.theme = query->text(4);
        word.marked = query->text(5) == u'O';
        word.sound = query->text(6);
        word.pluriel = query->text(7);
        word.syllabes = query->text(8);
        // A record without a word is no word: the window does not list it.
        if (!word.mot.trimmed().isEmpty()) {
            texts.append(word.mot);
            stored.push_back(std::move(word));
        }
    }
    if (Result read = query->status(); !read) {
        return read;
    }
    std::vector<Word> words;
    words.reserve(stored.size());
    for (const qsizetype index : GermanOrder().order(texts)) {
        words.push_back(std::move(stored[static_cast<size_t>(index)]));
    }
    return words;
}
