#include "widgets/EntryList.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

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

void EntryList::mousePressEvent(QMouseEvent* event)
{
    const int before = listIndex();
    QListWidget::mousePressEvent(event);
    const QListWidgetItem* pressed = itemAt(event->position().toPoint());
    if (m_clickOnReselect && before >= 0 && pressed != nullptr && row(pressed) == before &&
        listIndex() == before && event->button() == Qt::LeftButton) {
        emit Click();
    }
}

bool EntryList::isCutShort(const QListWidgetItem& entry) const
{
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QRect shown = visualItemRect(&entry).intersected(viewport()->rect());
    return fontMetrics().horizontalAdvance(entry.text()) + 2 * margin > shown.width();
}

bool EntryList::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QListWidget::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QListWidgetItem* entry = itemAt(help->pos());
    if (entry != nullptr && isCutShort(*entry)) {
        QToolTip::showText(help->globalPos(), entry->text(), viewport(), visualItemRect(entry));
    } else {
        QToolTip::hideText();
    }
    return true;
}

void EntryList::onSelectionChanged()
{
    if (!m_quiet && listIndex() >= 0) {
        emit Click();
    }
}
