#include "ui/ResulCh.h"

#include "editor/Editor.h"
#include "ui/Form1.h"

#include <QCloseEvent>

ResulCh::ResulCh(Form1& mainWindow) : QDialog(&mainWindow)
{
    ui.setupUi(this);
    setModal(true);
    connect(ui.Command1, &QPushButton::clicked, this, &ResulCh::Command1_Click);
    Form_Load(mainWindow);
}

ResulCh::~ResulCh() = default;

void ResulCh::Form_Load(const Form1& mainWindow)
{
    setWindowIcon(mainWindow.windowIcon());
    setWindowTitle(QStringLiteral("LEXA version ") + Editor::versionText());
    // Opens exactly over the main window.
    move(mainWindow.pos());
    resize(mainWindow.size());
}

void ResulCh::Command1_Click()
{
    hide();
}

void ResulCh::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    QDialog::closeEvent(event);
}
