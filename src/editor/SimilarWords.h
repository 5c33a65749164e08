#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QFileDialog;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The window "Ähnliche Wörter": the groups of near words in the dictionary
// (exact duplicates first), each word with its article and theme. It reads
// the dictionary file and changes no word: the user decides in the main
// window. Pairs marked "Kein Duplikat" are kept in the file and not offered
// again.
class SimilarWords : public QDialog
{
    Q_OBJECT

public:
    explicit SimilarWords(QWidget* parent);

    // Reads the dictionary at `path` and lists its groups; false, with the
    // reason shown, when the file cannot be read.
    bool load(const QString& path);

    // Marks the chosen words of one group as no duplicates of each other (one
    // word chosen: of the others of its group), and lists the groups again.
    void KeinDuplikat_Click();
    // Saves the list as a text file named in the save dialog.
    void Speichern_Click();

    // Shows the prepared save dialog and returns the chosen file's full path,
    // or an empty text when the user cancelled. Tests replace it.
    std::function<QString(QFileDialog& dialog)> runSaveDialog;

signals:
    // The user double-clicked `word` to see it in the main window.
    void wordChosen(const QString& word);

private:
    struct Record
    {
        QString word;
        QString article;
        QString theme;
    };
    void fill();
    void chooseItem(const QTreeWidgetItem* item);
    bool writeList(const QString& path) const;
    QString groupHeading(const QList<qsizetype>& group) const;
    // The words of the pairs the chosen items stand for.
    QList<std::pair<QString, QString>> chosenPairs() const;

    QString m_path;
    QList<Record> m_records;
    QList<QList<qsizetype>> m_groups;
    QString m_saveFolder;
    QLabel* m_summary;
    QTreeWidget* m_list;
};
