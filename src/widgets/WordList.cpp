#include "widgets/WordList.h"

#include "data/WordModel.h"
#include "widgets/EntryList.h"
#include "widgets/Look.h"

#include <QHelpEvent>
#include <QMouseEvent>

WordList::WordList(QWidget* parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    Look::keepListReadableWhenDisabled(this);
    connect(this, &QAbstractItemView::doubleClicked, this, &WordList::DblClick);
}

void WordList::setWords(WordModel* words)
{
    m_words = words;
    setModel(words);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &WordList::onSelectionChanged);
}

template <typename Input> void WordList::byUser(Input&& input)
{
    ++m_userInput;
    std::forward<Input>(input)();
    --m_userInput;
}

int WordList::listIndex() const
{
    return m_words != nullptr ? EntryRules::selectedRow(*this) : -1;
}

QString WordList::entry(int index) const
{
    return m_words != nullptr ? m_words->word(index) : QString();
}

int WordList::entryCount() const
{
    return m_words != nullptr ? m_words->rowCount() : 0;
}

void WordList::selectQuietly(int index)
{
    if (m_words == nullptr) {
        return;
    }
    if (index < 0 || index >= entryCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex chosen = m_words->index(index);
    selectionModel()->setCurrentIndex(chosen, QItemSelectionModel::ClearAndSelect);
    scrollTo(chosen);
}

void WordList::setListIndex(int index)
{
    selectQuietly(index);
    if (listIndex() >= 0) {
        emit Click();
    }
}

QItemSelectionModel::SelectionFlags WordList::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const
{
    return EntryRules::onlyChoose(QListView::selectionCommand(index, event), index);
}

void WordList::mousePressEvent(QMouseEvent* event)
{
    const int before = listIndex();
    byUser([&] { QListView::mousePressEvent(event); });
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (m_clickOnReselect && before >= 0 && pressed.isValid() && pressed.row() == before &&
        listIndex() == before && event->button() == Qt::LeftButton) {
        emit Click();
    }
}

void WordList::mouseMoveEvent(QMouseEvent* event)
{
    byUser([&] { QListView::mouseMoveEvent(event); });
}

void WordList::keyPressEvent(QKeyEvent* event)
{
    byUser([&] { QListView::keyPressEvent(event); });
}

bool WordList::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QListView::viewportEvent(event);
    }
    EntryRules::showCutShort(*this, *static_cast<QHelpEvent*>(event));
    return true;
}

void WordList::onSelectionChanged()
{
    if (m_userInput > 0 && listIndex() >= 0) {
        emit Click();
    }
}
