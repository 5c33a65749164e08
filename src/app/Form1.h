#pragma once

#include "editor/Editor.h"
#include "editor/Form1Ui.h"

#include <QWidget>
#include <memory>

class ResulCh;

// The main window: its controls, its logic, and the way to the search window.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The load step; false when the dictionary could not be opened.
    bool Form_Load();

    // Opens the search window modally and comes back.
    void Command2_Click();

    Form1Ui& ui() { return m_ui; }
    Editor& editor() { return m_editor; }
    // The search window; null before it is first opened and after it was
    // closed through its frame.
    ResulCh* searchWindow() const { return m_search.get(); }
    // The search window, built if there is none.
    ResulCh& openedSearchWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void wireControls();

    Form1Ui m_ui;
    Editor m_editor;
    std::unique_ptr<ResulCh> m_search;
    bool m_centred = false;
};
