#pragma once

#include "widgets/PrintLayout.h"
#include "widgets/PrintWords.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPrinter;
class QPushButton;

// "Drucken …" of both windows: the layout, colours, paper and two-sided
// cards; a preview, printing through the system's print dialog, and a PDF.
// The words are read from the dictionary folder at each of them, for reading
// only. The last choices are remembered for the next time.
class PrintDialog : public QDialog
{
    Q_OBJECT

public:
    // `offerMarked`: the main window offers the marked words instead of all.
    PrintDialog(QWidget* parent, const QString& folder, const WordChoice& choice, bool offerMarked);

    PrintOptions options() const;

    void preview();
    void print();
    void savePdf();

    QComboBox* layout = nullptr;
    QComboBox* paper = nullptr;
    QCheckBox* colours = nullptr;
    QCheckBox* twoSided = nullptr;
    QCheckBox* markedOnly = nullptr; // null unless offered
    QPushButton* previewButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* pdfButton = nullptr;
    QPushButton* closeButton = nullptr;

private:
    void buildControls(bool offerMarked);
    void restoreChoices();
    void rememberChoices() const;
    // The words chosen, read now; null (after a message) when there are none.
    std::unique_ptr<PrintWords> openWords(std::vector<Word>* words);
    void setUpPrinter(QPrinter& printer) const;
    void paintOn(QPrinter& printer, PrintWords& source, const std::vector<Word>& words);
    void fail(const QString& message);

    QString m_folder;
    WordChoice m_choice;
    QString m_pdfFolder;
};
