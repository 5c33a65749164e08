#pragma once

#include "widgets/EntryList.h"

#include <QString>

// The files of one folder whose names match a pattern, sorted by name.
// Reads the folder at once whenever the folder or the pattern changes.
class FileListBox : public EntryList
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString& path);
    // Name patterns such as "*.ico", several separated by ';'; case is ignored.
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);

    // The bare name of the selected file; empty when none is selected.
    QString fileName() const;

private:
    void fill();

    QString m_path;
    QString m_pattern = QStringLiteral("*");
};
