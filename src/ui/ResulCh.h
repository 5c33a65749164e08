#pragma once

#include "search/Search.h"
#include "ui/ResulChUi.h"

#include <QDialog>
#include <memory>

class Form1;

// The search window. It has no data source of its own: its searches move the
// main window's dictionary record set.
class ResulCh : public QDialog
{
    Q_OBJECT

public:
    // Creates the window hidden and runs its load step.
    explicit ResulCh(Form1& mainWindow);
    ~ResulCh() override;

    // "Zurück": hides the window, which keeps its lists and texts.
    void Command1_Click();
    // True once the window was closed through its frame: it is then discarded.
    bool wasClosed() const { return m_closed; }

    ResulChUi ui;
    // The searches and the saving of the result list.
    Search& search() { return *m_search; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load(const Form1& mainWindow);
    void wireControls();

    std::unique_ptr<Search> m_search;
    bool m_closed = false;
};
