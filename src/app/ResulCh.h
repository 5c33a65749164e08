#pragma once

#include "search/ResulChUi.h"
#include "search/Search.h"

#include <QDialog>
#include <memory>

class DataSource;

// The search window. It has no data source of its own: its searches move the
// main window's dictionary record set.
class ResulCh : public QDialog
{
    Q_OBJECT

public:
    // Creates the window hidden over `mainWindow` and runs its load step. The
    // searches work on the dictionary and theme data sources handed in.
    ResulCh(QWidget& mainWindow, DataSource& Data1, DataSource& Data2);
    ~ResulCh() override;

    // "Zurück": hides the window, which keeps its lists and texts.
    void Command1_Click();
    // True once the window was closed through its frame: it is then discarded.
    bool wasClosed() const { return m_closed; }

    ResulChUi& ui() { return m_ui; }
    // The searches and the saving of the result list.
    Search& search() { return *m_search; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Opens over the main window, with the focus in the search text.
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load(const QWidget& mainWindow);
    void wireControls();

    ResulChUi m_ui;
    std::unique_ptr<Search> m_search;
    bool m_closed = false;
};
