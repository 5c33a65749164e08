#include "ui/EntryList.h"

EntryList::EntryList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &EntryList::onSelectionChanged);
}

int EntryList::listIndex() const
{
    const QListWidgetItem* current = currentItem();
    return current != nullptr && current->isSelected() ? row(current) : -1;
}

QItemSelectionModel::SelectionFlags EntryList::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const
{
    const auto command = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect) ||
        command.testFlag(QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

void EntryList::onSelectionChanged()
{
    if (!m_quiet && listIndex() >= 0) {
        emit Click();
    }
}
