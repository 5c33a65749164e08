#include "widgets/FileListBox.h"

#include <QDir>

FileListBox::FileListBox(QWidget* parent) : EntryList(parent), m_path(QDir::currentPath())
{
    fill();
}

void FileListBox::setPath(const QString& path)
{
    m_path = QDir::cleanPath(QDir(path).absolutePath());
    fill();
}

void FileListBox::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    fill();
}

QString FileListBox::fileName() const
{
    const int index = listIndex();
    return index >= 0 ? item(index)->text() : QString();
}

void FileListBox::fill()
{
    const QStringList files =
        QDir(m_path).entryList(m_pattern.split(u';', Qt::SkipEmptyParts), QDir::Files,
                               QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    quietly([&] {
        clear();
        addItems(files);
    });
}
