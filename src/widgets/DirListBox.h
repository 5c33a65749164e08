#pragma once

#include <QListWidget>
#include <QString>

// A folder chooser: the current folder's ancestors from the root down, each
// indented one step further, then its subfolders. Activating an entry
// (double click or Enter) makes that folder the current one. Reads the
// folders at once, so the entries are there as soon as the path is set.
class DirListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The current folder, absolute.
    QString path() const { return m_path; }
    // Makes an existing folder current; a folder that does not exist is ignored.
    void setPath(const QString& path);

    // The folder an entry stands for.
    static QString entryPath(const QListWidgetItem* item);

signals:
    void Change();

private:
    void fill();
    void addFolder(const QString& path, const QString& name, int depth, bool open);

    QString m_path;
};
