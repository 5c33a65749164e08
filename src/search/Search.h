#pragma once

#include <QObject>
#include <QString>
#include <functional>

class DataSource;
class QFileDialog;
class QWidget;
class ResulChUi;

// The logic of the search window: the text, length, theme and marked-word
// searches and the saving of the result list. It has no data of its own: the
// searches move the main window's dictionary record set and read each word
// from it; the result list is the window's list box resul_cherch.
class Search : public QObject
{
    Q_OBJECT

public:
    Search(QWidget* window, ResulChUi& ui, DataSource& Data1, DataSource& Data2,
           QObject* parent = nullptr);

    // Words that begin with, contain or end with the text of ecrire.
    void commence_Click();
    void contient_Click();
    void termine_Click();

    // Words of the length typed into lg, which takes digits only.
    void longueur_Click();
    void lg_KeyPress(int& KeyAscii);

    // The theme pick list and the theme search.
    void theme_Click();
    void Label6_Click();
    void List2_Click();
    void theme_cherch_Click();
    // The marked words.
    void Command3_Click();

    // Saves the result list as a text file named in the save dialog.
    void Command2_Click();

    // Shows the prepared save dialog and returns the chosen file's full path,
    // or an empty text when the user cancelled. Tests replace it.
    std::function<QString(QFileDialog& dialog)> runSaveDialog;

    static const QString OverwriteQuestion;
    static const QString SaveFailedMessage;

    // More entries than this do not fit the window's 16-bit counters.
    static constexpr int MaxEntries = 32767;

private:
    enum class Anchor
    {
        Begin,
        Inside,
        End
    };
    using EntryTest = std::function<bool(const QString& entry)>;

    void textSearch(Anchor anchor);
    // The dictionary search by a criterion: every record found, as " word ".
    void searchDictionary(const QString& criterion);
    // The dictionary walk of the length search: every word of `length`, bare.
    void walkDictionary(int length);
    // Keeps the entries of the result list that pass `passes`, trimmed.
    void narrowList(const EntryTest& passes);
    void showCount(qsizetype count);
    bool narrowing() const;

    QFileDialog& prepareSaveDialog();
    bool writeList(const QString& path) const;

    QWidget* m_window;
    ResulChUi& ui;
    DataSource& m_data1;
    DataSource& m_data2;
    QFileDialog* m_dialogue1 = nullptr; // owned by the window, made on first use
    QString m_saveFolder;               // of the last list saved
};
