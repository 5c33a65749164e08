#include "widgets/EntryList.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

namespace EntryRules {

int selectedRow(const QAbstractItemView& view)
{
    const QModelIndex current = view.currentIndex();
    return current.isValid() && view.selectionModel()->isSelected(current) ? current.row() : -1;
}

QItemSelectionModel::SelectionFlags onlyChoose(QItemSelectionModel::SelectionFlags command,
                                               const QModelIndex& index)
{
    if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect) ||
        command.testFlag(QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

void showCutShort(const QAbstractItemView& view, const QHelpEvent& help)
{
    const QModelIndex entry = view.indexAt(help.pos());
    const QString text = entry.data().toString();
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    const QRect shown = view.visualRect(entry).intersected(view.viewport()->rect());
    if (entry.isValid() &&
        view.fontMetrics().horizontalAdvance(text) + 2 * margin > shown.width()) {
        QToolTip::showText(help.globalPos(), text, view.viewport(), view.visualRect(entry));
    } else {
        QToolTip::hideText();
    }
}

} // namespace EntryRules

EntryList::EntryList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &EntryList::onSelectionChanged);
}

int EntryList::listIndex() const
{
    return EntryRules::selectedRow(*this);
}

QItemSelectionModel::SelectionFlags EntryList::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const
{
    return EntryRules::onlyChoose(QListWidget::selectionCommand(index, event), index);
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

bool EntryList::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QListWidget::viewportEvent(event);
    }
    EntryRules::showCutShort(*this, *static_cast<QHelpEvent*>(event));
    return true;
}

void EntryList::onSelectionChanged()
{
    if (!m_quiet && listIndex() >= 0) {
        emit Click();
    }
}
