#include "app/ResulCh.h"

#include "editor/Editor.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

ResulCh::ResulCh(QWidget& mainWindow, DataSource& Data1, DataSource& Data2) : QDialog(&mainWindow)
{
    m_ui.setupUi(this);
    setModal(true);
    m_search = std::make_unique<Search>(this, m_ui, Data1, Data2);
    wireControls();
    Form_Load(mainWindow);
}

void ResulCh::wireControls()
{
    Search* s = m_search.get();
    const ResulChUi& ui = m_ui;
    connect(ui.Command1, &QPushButton::clicked, this, &ResulCh::Command1_Click);
    connect(ui.commence, &QPushButton::clicked, s, &Search::commence_Click);
    connect(ui.contient, &QPushButton::clicked, s, &Search::contient_Click);
    connect(ui.termine, &QPushButton::clicked, s, &Search::termine_Click);
    connect(ui.longueur, &QPushButton::clicked, s, &Search::longueur_Click);
    ui.lg->setKeyPressHandler([s](int& keyAscii) { s->lg_KeyPress(keyAscii); });
    connect(ui.theme, &Label::Click, s, &Search::theme_Click);
    connect(ui.Label6, &Label::Click, s, &Search::Label6_Click);
    // Choosing a theme searches at once: the arrow keys only pass over them.
    ui.List2->setChooseWithKey(true);
    connect(ui.List2, &ListBox::Click, s, &Search::List2_Click);
    connect(ui.theme_cherch, &QPushButton::clicked, s, &Search::theme_cherch_Click);
    connect(ui.Command3, &QPushButton::clicked, s, &Search::Command3_Click);
    connect(ui.Command2, &QPushButton::clicked, s, &Search::Command2_Click);
}

ResulCh::~ResulCh() = default;

void ResulCh::Form_Load(const QWidget& mainWindow)
{
    setWindowIcon(mainWindow.windowIcon());
    setWindowTitle(QStringLiteral("LEXA version ") + Editor::versionText());
    // Opens exactly over the main window, and stays that size.
    move(mainWindow.pos());
    setFixedSize(mainWindow.size());
}

void ResulCh::Command1_Click()
{
    hide();
}

void ResulCh::keyPressEvent(QKeyEvent* event)
{
    // Escape goes back as "Zurück" does (not through reject(): the window
    // keeps its lists and texts for the next opening).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        m_ui.Command1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ResulCh::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        move(parentWidget()->pos());
        m_ui.ecrire->setFocus(Qt::OtherFocusReason);
    }
}

void ResulCh::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    QDialog::closeEvent(event);
}
