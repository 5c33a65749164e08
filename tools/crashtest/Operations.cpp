#include "Operations.h"

#include "DictionaryWriter.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace {

const QStringList Articles{"der", "die", "das", ""};
const QStringList Themes{"Tiere", "Haus", "Schule", "Essen", ""};
const QStringList Plurals{"Häuser", "Bäume", ""};
const QStringList Syllables{"Schmet-ter-ling", "A-bend", ""};

QString pick(const QStringList& list, QRandomGenerator& random)
{
    return list.at(random.bounded(static_cast<int>(list.size())));
}

qint64 pickRowid(const Words& words, QRandomGenerator& random)
{
    auto it = words.begin();
    std::advance(it, random.bounded(static_cast<int>(words.size())));
    return it->first;
}

qint64 nextRowid(const Words& words)
{
    return words.empty() ? 1 : words.rbegin()->first + 1;
}

// Fields are separated by tabs; the generated texts hold none.
const QChar Separator = u'\t';

} // namespace

namespace Crash {

QByteArray icon(int index)
{
    QByteArray bytes;
    for (int i = 0; i < 1024 * (index + 1); ++i) {
        bytes.append(static_cast<char>((i * (index + 3)) & 0xff));
    }
    return bytes;
}

Words initialWords(int count)
{
    QRandomGenerator random(1);
    Words words;
    for (int i = 0; i < count; ++i) {
        Word word;
        word.mot = QStringLiteral("Wort%1ä").arg(i);
        word.determinant = pick(Articles, random);
        word.theme = pick(Themes, random);
        word.mark = random.bounded(4) == 0 ? QStringLiteral("O") : QStringLiteral("N");
        if (random.bounded(8) == 0) {
            word.icon = icon(random.bounded(IconCount));
        }
        words[i + 1] = word;
    }
    return words;
}

Operation choose(const Words& words, bool canUndo, bool canRedo, QRandomGenerator& random,
                 const QString& serial)
{
    using Kind = Operation::Kind;
    // A growing dictionary loses words until it is back to a few thousand.
    const bool large = words.size() > 5000;
    const std::pair<Kind, int> weights[] = {{Kind::NewWord, large ? 0 : 20},
                                            {Kind::Modify, 20},
                                            {Kind::Delete, large ? 60 : 10},
                                            {Kind::Mark, 20},
                                            {Kind::Icon, 15},
                                            {Kind::Import, large ? 0 : 4},
                                            {Kind::Raz, 4},
                                            {Kind::Undo, canUndo ? 15 : 0},
                                            {Kind::Redo, canRedo ? 10 : 0}};
    int total = 0;
    for (const auto& [kind, weight] : weights) {
        total += weight;
    }
    int roll = random.bounded(total);
    Operation operation;
    for (const auto& [kind, weight] : weights) {
        if (roll < weight) {
            operation.kind = kind;
            break;
        }
        roll -= weight;
    }
    const bool needsRecord = operation.kind == Kind::Modify || operation.kind == Kind::Delete ||
                             operation.kind == Kind::Mark || operation.kind == Kind::Icon;
    if (needsRecord && words.empty()) {
        operation.kind = Kind::NewWord;
    } else if (needsRecord) {
        operation.rowid = pickRowid(words, random);
    }
    switch (operation.kind) {
    case Kind::NewWord:
    case Kind::Modify:
        operation.word.mot = QStringLiteral("Neu%1ö").arg(serial);
        operation.word.determinant = pick(Articles, random);
        operation.word.theme = pick(Themes, random);
        operation.word.pluriel = pick(Plurals, random);
        operation.word.syllabes = pick(Syllables, random);
        if (operation.kind == Kind::NewWord && random.bounded(3) == 0) {
            operation.icon = random.bounded(IconCount);
        }
        break;
    case Kind::Mark:
        operation.mark = words.at(operation.rowid).mark == QLatin1String("O") ? QStringLiteral("N")
                                                                              : QStringLiteral("O");
        break;
    case Kind::Icon:
        operation.icon = random.bounded(IconCount + 1) - 1;
        break;
    case Kind::Import:
        for (int i = random.bounded(1, 401); i > 0; --i) {
            operation.words.append(QStringLiteral("Liste%1ü%2").arg(serial).arg(i));
        }
        break;
    case Kind::Delete:
    case Kind::Raz:
    case Kind::Undo:
    case Kind::Redo:
        break;
    }
    return operation;
}

QString encode(const Operation& operation)
{
    const Word& w = operation.word;
    QStringList fields{QString::number(static_cast<int>(operation.kind)),
                       QString::number(operation.rowid),
                       w.mot,
                       w.determinant,
                       w.theme,
                       operation.mark,
                       QString::number(operation.icon),
                       w.pluriel,
                       w.syllabes};
    fields += operation.words;
    return fields.join(Separator);
}

std::optional<Operation> decode(const QString& line)
{
    const QStringList fields = line.split(Separator);
    if (fields.size() < 9) {
        return std::nullopt;
    }
    Operation operation;
    const int kind = fields.at(0).toInt();
    if (kind < 0 || kind > static_cast<int>(Operation::Kind::Redo)) {
        return std::nullopt;
    }
    operation.kind = static_cast<Operation::Kind>(kind);
    operation.rowid = fields.at(1).toLongLong();
    operation.word.mot = fields.at(2);
    operation.word.determinant = fields.at(3);
    operation.word.theme = fields.at(4);
    operation.mark = fields.at(5);
    operation.icon = fields.at(6).toInt();
    operation.word.pluriel = fields.at(7);
    operation.word.syllabes = fields.at(8);
    operation.words = fields.mid(9);
    return operation;
}

namespace {

void applyToWords(Words& words, const Operation& operation)
{
    using Kind = Operation::Kind;
    switch (operation.kind) {
    case Kind::NewWord: {
        Word word = operation.word;
        if (operation.icon >= 0) {
            word.icon = icon(operation.icon);
        }
        words[nextRowid(words)] = word;
        break;
    }
    case Kind::Modify: {
        Word& word = words.at(operation.rowid);
        word.mot = operation.word.mot;
        word.determinant = operation.word.determinant;
        word.theme = operation.word.theme;
        word.pluriel = operation.word.pluriel;
        word.syllabes = operation.word.syllabes;
        break;
    }
    case Kind::Delete:
        words.erase(operation.rowid);
        break;
    case Kind::Mark:
        words.at(operation.rowid).mark = operation.mark;
        break;
    case Kind::Icon:
        words.at(operation.rowid).icon = operation.icon < 0 ? QByteArray() : icon(operation.icon);
        break;
    case Kind::Import:
        for (const QString& text : operation.words) {
            Word word;
            word.mot = text;
            words[nextRowid(words)] = word;
        }
        break;
    case Kind::Raz:
        for (auto& [rowid, word] : words) {
            word.mark = QStringLiteral("N");
        }
        break;
    case Kind::Undo:
    case Kind::Redo:
        break;
    }
}

void setRows(Words& words, const std::map<qint64, std::optional<Word>>& rows)
{
    for (const auto& [rowid, word] : rows) {
        if (word) {
            words[rowid] = *word;
        } else {
            words.erase(rowid);
        }
    }
}

// The rows that differ between `from` and `to`, as each holds them.
Expected::Step difference(const Words& from, const Words& to)
{
    Expected::Step step;
    const auto note = [&](qint64 rowid) {
        const auto a = from.find(rowid);
        const auto b = to.find(rowid);
        step.before[rowid] = a == from.end() ? std::nullopt : std::optional(a->second);
        step.after[rowid] = b == to.end() ? std::nullopt : std::optional(b->second);
    };
    for (const auto& [rowid, word] : from) {
        const auto it = to.find(rowid);
        if (it == to.end() || !(it->second == word)) {
            note(rowid);
        }
    }
    for (const auto& [rowid, word] : to) {
        if (!from.contains(rowid)) {
            note(rowid);
        }
    }
    return step;
}

} // namespace

void apply(Expected& expected, const Operation& operation)
{
    using Kind = Operation::Kind;
    if (operation.kind == Kind::Undo || operation.kind == Kind::Redo) {
        auto& from = operation.kind == Kind::Undo ? expected.undo : expected.redo;
        auto& to = operation.kind == Kind::Undo ? expected.redo : expected.undo;
        if (from.empty()) {
            return;
        }
        setRows(expected.words,
                operation.kind == Kind::Undo ? from.back().before : from.back().after);
        to.push_back(std::move(from.back()));
        from.pop_back();
        return;
    }
    const Words before = expected.words;
    applyToWords(expected.words, operation);
    Expected::Step step = difference(before, expected.words);
    // A step that changed nothing is not kept, and ends nothing.
    if (!step.before.empty()) {
        expected.undo.push_back(std::move(step));
        expected.redo.clear();
    }
}

bool follow(Expected& model, Database& db, const Operation& operation, QString* error)
{
    if (operation.kind != Operation::Kind::Undo && operation.kind != Operation::Kind::Redo) {
        apply(model, operation);
        return true;
    }
    const auto words = read(db, error);
    if (words) {
        model.words = *words;
    }
    return words.has_value();
}

int fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

bool journal(int fd, const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    return write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size() &&
           fsync(fd) == 0;
}

std::unique_ptr<Database> openDictionary(const QString& folder, QString* error)
{
    auto db = std::make_unique<Database>();
    if (Result opened =
            db->open(QDir(folder).filePath(Schema::DictionaryFile), Database::Access::ReadWrite);
        !opened) {
        *error = opened.error;
        return nullptr;
    }
    return db;
}

std::optional<Words> read(Database& db, QString* error)
{
    auto query = db.prepare(QStringLiteral(
        "SELECT rowid, mot, determinant, categorie, theme, \"mot marque\", \"icone integree\", "
        "pluriel, syllabes FROM lexa ORDER BY rowid"));
    if (!query) {
        *error = query.error;
        return std::nullopt;
    }
    Words words;
    while (query->next()) {
        Word& word = words[query->columnInt64(0)];
        word.mot = query->column(1).toString();
        word.determinant = query->column(2).toString();
        word.categorie = query->column(3).toString();
        word.theme = query->column(4).toString();
        word.mark = query->column(5).toString();
        word.icon = query->column(6).toByteArray();
        word.pluriel = query->column(7).toString();
        word.syllabes = query->column(8).toString();
    }
    return words;
}

bool writeInitialDictionary(const QString& path, int count, QString& error)
{
    QList<WordRecord> records;
    for (const auto& [rowid, word] : initialWords(count)) {
        records.append({word.mot,
                        word.determinant,
                        word.categorie,
                        word.theme,
                        word.mark == QLatin1String("O"),
                        word.icon,
                        {},
                        word.pluriel,
                        word.syllabes});
    }
    return DictionaryWriter::writeDictionary(path, records, error);
}

QStringList journalLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes = file.readAll();
    bytes.truncate(bytes.lastIndexOf('\n') + 1);
    return QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace Crash

Window::Window(const QString& dictionary)
    : m_source(dictionary, QString(Schema::DictionaryTable), Database::Access::ReadWrite)
{
    for (BoundValue* field : {&m_mot, &m_determinant, &m_categorie, &m_theme, &m_mark, &m_icon,
                              &m_pluriel, &m_syllabes}) {
        m_source.bind(field);
    }
}

bool Window::open(QString* error)
{
    const Result opened = m_source.Refresh();
    if (!opened) {
        *error = opened.error;
    }
    return opened.ok;
}

bool Window::perform(const Operation& operation, QString* error)
{
    const Result outcome = perform(operation);
    if (!outcome.ok) {
        *error = outcome.error;
    }
    return outcome.ok;
}

// Each operation as the main window runs it: the bound controls take what the
// user typed or chose, the dictionary's operation stores it.
Result Window::perform(const Operation& operation)
{
    using Kind = Operation::Kind;
    RecordSet& words = m_source.Recordset();
    const QVariant icon = operation.icon < 0 ? QVariant() : QVariant(Crash::icon(operation.icon));
    const bool onRecord = operation.kind == Kind::Modify || operation.kind == Kind::Delete ||
                          operation.kind == Kind::Mark || operation.kind == Kind::Icon;
    if (onRecord) {
        if (Result moved = words.moveToBookmark(operation.rowid); !moved) {
            return moved;
        }
    }
    switch (operation.kind) {
    case Kind::NewWord:
        if (Result added = words.AddNew(); !added) {
            return added;
        }
        m_mot.set(operation.word.mot);
        m_determinant.set(operation.word.determinant);
        m_theme.set(operation.word.theme);
        m_pluriel.set(operation.word.pluriel);
        m_syllabes.set(operation.word.syllabes);
        if (operation.icon >= 0) {
            m_icon.set(icon);
        }
        return m_dictionary.newWord(operation.word.mot);
    case Kind::Modify: {
        const QString old = words.field(QStringLiteral("mot")).toString();
        m_mot.set(operation.word.mot);
        m_determinant.set(operation.word.determinant);
        m_theme.set(operation.word.theme);
        m_pluriel.set(operation.word.pluriel);
        m_syllabes.set(operation.word.syllabes);
        return m_dictionary.modifyWord(old);
    }
    case Kind::Delete:
        return m_dictionary.deleteWord();
    case Kind::Mark:
        m_mark.set(operation.mark);
        return m_dictionary.markWord();
    case Kind::Icon:
        m_icon.set(icon);
        return m_dictionary.setIcon();
    case Kind::Import:
        return m_dictionary.importWords(operation.words);
    case Kind::Raz:
        return m_dictionary.clearMarks();
    case Kind::Undo:
        return m_dictionary.undo();
    case Kind::Redo:
        return m_dictionary.redo();
    }
    return Result::failure(QStringLiteral("unknown operation"));
}
