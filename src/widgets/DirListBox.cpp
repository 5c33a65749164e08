#include "widgets/DirListBox.h"

#include <QDir>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentStep = 8;

// Shifts each entry to the right by its depth in the folder tree.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + IndentStep * index.data(DepthRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

} // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent), m_path(QDir::currentPath())
{
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    setIconSize(QSize(12, 12));
    connect(this, &QListWidget::itemActivated, this,
            [this](const QListWidgetItem* item) { setPath(entryPath(item)); });
    fill();
}

QString DirListBox::entryPath(const QListWidgetItem* item)
{
    return item != nullptr ? item->data(PathRole).toString() : QString();
}

void DirListBox::setPath(const QString& path)
{
    const QDir folder(path);
    if (path.isEmpty() || !folder.exists()) {
        return;
    }
    const QString absolute = QDir::cleanPath(folder.absolutePath());
    const bool changed = absolute != m_path;
    m_path = absolute;
    fill();
    if (changed) {
        emit Change();
    }
}

void DirListBox::fill()
{
    QStringList chain;
    for (QDir folder(m_path); !folder.isRoot() && folder.cdUp();) {
        chain.prepend(folder.absolutePath());
    }
    chain.append(m_path);

    clear();
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& folder = chain[depth];
        addFolder(folder, depth == 0 ? QDir::toNativeSeparators(folder) : QDir(folder).dirName(),
                  depth, true);
    }
    QListWidgetItem* currentFolder = item(count() - 1);
    setCurrentItem(currentFolder);

    const QDir current(m_path);
    const QStringList subfolders = current.entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    const int depth = static_cast<int>(chain.size());
    for (const QString& name : subfolders) {
        addFolder(current.filePath(name), name, depth, false);
    }
    // The current folder at the top, its subfolders below it.
    scrollToItem(currentFolder, QAbstractItemView::PositionAtTop);
}

void DirListBox::addFolder(const QString& path, const QString& name, int depth, bool open)
{
    auto* item = new QListWidgetItem(
        style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon), name,
        this);
    item->setData(PathRole, path);
    item->setData(DepthRole, depth);
}
