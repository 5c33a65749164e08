#include "editor/NearCheck.h"

#include "data/WordModel.h"
#include "widgets/MessageBox.h"

namespace {

constexpr qsizetype NamedInQuestion = 5;
constexpr qsizetype NamedInReport = 20;

QString quoted(const QStringList& words)
{
    QStringList quotedWords;
    for (const QString& word : words) {
        quotedWords.append(QStringLiteral("„%1“").arg(word));
    }
    return quotedWords.join(QStringLiteral(", "));
}

} // namespace

ListedNearWords::ListedNearWords(WordModel& words) : QObject(&words), m_words(words)
{
    setObjectName(QStringLiteral("listedNearWords"));
    follow();
}

ListedNearWords& ListedNearWords::of(WordModel& words)
{
    auto* kept = words.findChild<ListedNearWords*>(QString(), Qt::FindDirectChildrenOnly);
    return kept != nullptr ? *kept : *new ListedNearWords(words);
}

void ListedNearWords::follow()
{
    const QAbstractItemModel* model = &m_words;
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = first; m_index && row <= last; ++row) {
                    m_index->add(m_words.word(row));
                }
            });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = first; m_index && row <= last; ++row) {
                    m_index->remove(m_words.word(row));
                }
            });
    // Many words coming or leaving at once are added and taken out; a list
    // read anew, or a word renamed, is read again when next needed.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        const std::optional<WordModel::Merge>& merge = m_words.merge();
        if (!merge || !m_index) {
            m_index.reset();
            return;
        }
        for (const QString& word : merge->added) {
            m_index->add(word);
        }
        for (const QString& word : merge->removed) {
            m_index->remove(word);
        }
    });
    connect(model, &QAbstractItemModel::dataChanged, this, [this] { m_index.reset(); });
}

void ListedNearWords::prepare()
{
    if (!m_index) {
        m_index = std::make_unique<NearIndex>();
        for (int row = 0; row < m_words.rowCount(); ++row) {
            m_index->add(m_words.word(row));
        }
    }
}

bool ListedNearWords::lists(const QString& word)
{
    prepare();
    return m_index->count(word) > 0;
}

QStringList ListedNearWords::neighbours(const QString& word, qsizetype limit,
                                        const QString& replaced)
{
    prepare();
    QStringList near = m_index->neighbours(word, replaced.isEmpty() ? limit : -1);
    near.removeAll(replaced);
    return limit >= 0 ? near.mid(0, limit) : near;
}

bool confirmNearWord(QWidget* form, WordModel& words, const QString& word, const QString& replaced)
{
    const QStringList near = ListedNearWords::of(words).neighbours(word, NamedInQuestion, replaced);
    if (near.isEmpty()) {
        return true;
    }
    const QString question =
        QStringLiteral("Ähnliche Wörter stehen schon im Wörterbuch: %1.\n\n„%2“ trotzdem beifügen?")
            .arg(quoted(near), word);
    return MessageBox::show(form, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                            QMessageBox::Question) == QMessageBox::Yes;
}

void reportNearImported(QWidget* form, WordModel& words, const QStringList& added)
{
    ListedNearWords& listed = ListedNearWords::of(words);
    QStringList lines;
    qsizetype more = 0;
    for (const QString& word : added) {
        const QStringList near = listed.neighbours(word, NamedInQuestion);
        if (near.isEmpty()) {
            continue;
        }
        if (lines.size() < NamedInReport) {
            lines.append(QStringLiteral("„%1“: %2").arg(word, quoted(near)));
        } else {
            ++more;
        }
    }
    if (lines.isEmpty()) {
        return;
    }
    if (more > 0) {
        lines.append(QStringLiteral("und %1 weitere").arg(more));
    }
    MessageBox::show(form, QStringLiteral("Beigefügte Wörter mit ähnlichen Wörtern im "
                                          "Wörterbuch:\n\n") +
                               lines.join(u'\n'));
}
