#include "app/Form1.h"

#include "app/ExchangeEntry.h"
#include "app/PrintEntry.h"
#include "app/ResulCh.h"
#include "app/SimilarWordsEntry.h"
#include "widgets/Look.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QShowEvent>
#include <utility>

Form1::Form1(QWidget* parent) : QWidget(parent), m_editor(this, m_ui)
{
    m_ui.setupUi(this);
    m_editor.quitProgram = [] { QCoreApplication::quit(); };
    wireControls();
    addSimilarWordsEntry(*this);
    addPrintEntry(*this);
    addExchangeEntries(*this);
}

Form1::~Form1() = default;

void Form1::wireControls()
{
    Editor* e = &m_editor;
    const Form1Ui& ui = m_ui;
    // Clicking the highlighted word shows its record again, also after a
    // command moved the store to another record.
    ui.List1->setClickOnReselect(true);
    // A theme or icon still highlighted is chosen again when clicked.
    ui.List2->setClickOnReselect(true);
    // Each theme chosen is appended: the arrow keys only pass over them.
    ui.List2->setChooseWithKey(true);
    ui.File1->setClickOnReselect(true);
    connect(ui.List1, &WordList::Click, e, &Editor::List1_Click);
    connect(ui.List1, &WordList::DblClick, e, &Editor::List1_DblClick);
    connect(ui.Command5, &QPushButton::clicked, e, &Editor::Command5_Click);
    connect(ui.Command4, &QPushButton::clicked, e, &Editor::Command4_Click);
    connect(ui.Command9, &QPushButton::clicked, e, &Editor::Command9_Click);
    connect(ui.Command6, &QPushButton::clicked, e, &Editor::Command6_Click);
    connect(ui.Command8, &QPushButton::clicked, e, &Editor::Command8_Click);
    connect(ui.Command1, &QPushButton::clicked, e, &Editor::Command1_Click);
    connect(ui.Command3, &QPushButton::clicked, e, &Editor::Command3_Click);
    connect(ui.Command7, &QPushButton::clicked, e, &Editor::Command7_Click);
    // The import and "raz" move the store: a word being edited stays as it is.
    connect(ui.Command10, &QPushButton::clicked, e,
            [e] { e->keepEditAcross([e] { e->Command10_Click(); }); });
    connect(ui.Command11, &QPushButton::clicked, e,
            [e] { e->keepEditAcross([e] { e->Command11_Click(); }); });
    connect(ui.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui.Text1, &TextBox::Click, e, &Editor::Text1_Click);
    connect(ui.Text1, &QLineEdit::textEdited, e, &Editor::Text1_Change);
    // Return in the word of a new word confirms it as its button does.
    connect(ui.Text1, &QLineEdit::returnPressed, this, [this] {
        if (m_ui.Command4->isVisibleTo(this) && m_ui.Command4->isEnabled()) {
            m_ui.Command4->click();
        }
    });
    connect(ui.deter, &TextBox::Click, e, &Editor::deter_Click);
    connect(ui.theme, &TextBox::Click, e, &Editor::theme_Click);
    connect(ui.List2, &ListBox::Click, e, &Editor::List2_Click);
    connect(ui.image1, &PictureBox::Click, e, &Editor::image1_Click);
    connect(ui.Dir1, &DirListBox::Change, e, &Editor::Dir1_Change);
    connect(ui.File1, &FileListBox::Click, e, &Editor::File1_Click);
    connect(ui.Image4, &ImageBox::Click, e, &Editor::Image4_Click);
    connect(ui.Image4, &ImageBox::DragDrop, e, &Editor::Image4_DragDrop);
    connect(ui.mot_marque, &Label::Click, e, &Editor::mot_marque_Click);
}

bool Form1::Form_Load()
{
    // The folder chooser starts in the dictionary folder.
    m_ui.Dir1->setPath(QDir::currentPath());
    return m_editor.Form_Load();
}

ResulCh& Form1::openedSearchWindow()
{
    // Built when first opened: hidden until then, it shows nothing earlier.
    if (!m_search) {
        m_search = std::make_unique<ResulCh>(*this, m_editor.Data1, m_editor.Data2);
        addPrintEntry(*m_search, QFileInfo(m_editor.Data1.databasePath()).absolutePath());
    }
    return *m_search;
}

void Form1::Command2_Click()
{
    openedSearchWindow();
    hide();
    // The searches move the store; a new word being entered stays as it is.
    m_editor.keepEditAcross([this] { m_search->exec(); });
    if (m_search->wasClosed()) {
        // Closed through its frame: the next opening creates it afresh.
        m_search.reset();
    }
    show();
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels a new word or a modification as its cancel button does.
    if (event->key() == Qt::Key_Escape) {
        for (QPushButton* cancel : {m_ui.Command9, m_ui.Command1}) {
            if (cancel->isVisibleTo(this) && cancel->isEnabled()) {
                event->accept();
                cancel->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Now that the window has its native frame, centre it by that frame.
    if (!event->spontaneous() && !std::exchange(m_centred, true)) {
        Look::centreOnScreen(this);
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program as "Beenden" does.
    event->accept();
    m_editor.Command7_Click();
}
