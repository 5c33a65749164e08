#include "Operations.h"

#include "data/Database.h"
#include "data/Schema.h"

namespace {

const QStringList Articles{"der", "die", "das", ""};
const QStringList Themes{"Tiere", "Haus", "Schule", "Essen", ""};

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

Operation choose(const Words& words, QRandomGenerator& random, const QString& serial)
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
                                            {Kind::Raz, 4}};
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
                       QString::number(operation.icon)};
    fields += operation.words;
    return fields.join(Separator);
}

std::optional<Operation> decode(const QString& line)
{
    const QStringList fields = line.split(Separator);
    if (fields.size() < 7) {
        return std::nullopt;
    }
    Operation operation;
    const int kind = fields.at(0).toInt();
    if (kind < 0 || kind > static_cast<int>(Operation::Kind::Raz)) {
        return std::nullopt;
    }
    operation.kind = static_cast<Operation::Kind>(kind);
    operation.rowid = fields.at(1).toLongLong();
    operation.word.mot = fields.at(2);
    operation.word.determinant = fields.at(3);
    operation.word.theme = fields.at(4);
    operation.mark = fields.at(5);
    operation.icon = fields.at(6).toInt();
    operation.words = fields.mid(7);
    return operation;
}

void apply(Words& words, const Operation& operation)
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
    }
}

std::optional<Words> read(Database& db, QString* error)
{
    auto query = db.prepare(QStringLiteral(
        "SELECT rowid, mot, determinant, categorie, theme, \"mot marque\", \"icone integree\" "
        "FROM lexa ORDER BY rowid"));
    if (!query) {
        *error = db.lastError();
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
    }
    return words;
}

} // namespace Crash

Window::Window(const QString& dictionary)
    : m_source(dictionary, QString(Schema::DictionaryTable), Database::Access::ReadWrite)
{
    for (Field* field : {&m_mot, &m_determinant, &m_categorie, &m_theme, &m_mark, &m_icon}) {
        m_source.bind(field);
    }
}

bool Window::open(QString* error)
{
    if (!m_source.Refresh()) {
        *error = m_source.lastError();
        return false;
    }
    return true;
}

// A modification is confirmed as the window does it: the bound controls
// changed by the user go into the record in one write.
bool Window::confirm(QList<std::pair<Field*, QVariant>> changes)
{
    RecordSet& words = m_source.Recordset();
    if (!words.Edit()) {
        return false;
    }
    for (auto& [field, value] : changes) {
        field->set(value);
    }
    return words.Update();
}

bool Window::perform(const Operation& operation, QString* error)
{
    using Kind = Operation::Kind;
    RecordSet& words = m_source.Recordset();
    const QVariant icon = operation.icon < 0 ? QVariant() : QVariant(Crash::icon(operation.icon));
    const bool onRecord = operation.kind == Kind::Modify || operation.kind == Kind::Delete ||
                          operation.kind == Kind::Mark || operation.kind == Kind::Icon;
    bool ok = !onRecord || words.moveToBookmark(operation.rowid);
    switch (operation.kind) {
    case Kind::NewWord:
        ok = words.AddNew();
        m_mot.set(operation.word.mot);
        m_determinant.set(operation.word.determinant);
        m_theme.set(operation.word.theme);
        if (operation.icon >= 0) {
            m_icon.set(icon);
        }
        ok = ok && words.Update();
        break;
    case Kind::Modify:
        ok = ok && confirm({{&m_mot, operation.word.mot},
                            {&m_determinant, operation.word.determinant},
                            {&m_theme, operation.word.theme}});
        break;
    case Kind::Delete:
        ok = ok && words.Delete();
        break;
    case Kind::Mark:
        ok = ok && confirm({{&m_mark, operation.mark}});
        break;
    case Kind::Icon:
        ok = ok && confirm({{&m_icon, icon}});
        break;
    case Kind::Import:
        ok = words.BeginTrans();
        for (const QString& text : operation.words) {
            ok = ok && words.AddNew() && words.setField(QStringLiteral("mot"), text) &&
                 words.Update();
        }
        ok = ok && words.CommitTrans();
        break;
    case Kind::Raz:
        // One statement clears every mark; the last record ends current.
        ok = words.BeginTrans() &&
             (words.RecordCount() == 0 ||
              (words.MoveFirst() &&
               words.setEveryRecord(QStringLiteral("mot marque"), QStringLiteral("N")) &&
               words.MoveLast())) &&
             words.CommitTrans();
        break;
    }
    if (!ok) {
        *error = words.lastError();
    }
    return ok;
}
