#include "app/PrintEntry.h"

#include "app/Form1.h"
#include "app/ResulCh.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintDialog.h"

#include <QAction>
#include <QFileInfo>

namespace {

void openPrintDialog(QWidget* window, const QString& folder, const WordChoice& choice,
                     bool offerMarked)
{
    PrintDialog dialog(window, folder, choice, offerMarked);
    dialog.exec();
}

QAction* printAction(QWidget* window)
{
    auto* action = new QAction(QStringLiteral("Drucken …"), window);
    action->setObjectName(QStringLiteral("print"));
    action->setShortcut(QKeySequence::Print);
    window->addAction(action);
    return action;
}

} // namespace

void addPrintEntry(Form1& form)
{
    QAction* action = printAction(&form);
    // Also in the word list's context menu, below its own entries.
    form.ui().List1->addAction(action);
    QObject::connect(action, &QAction::triggered, &form, [&form] {
        const QString folder = QFileInfo(form.editor().Data1.databasePath()).absolutePath();
        openPrintDialog(&form, folder, {}, true);
    });
}

void addPrintEntry(ResulCh& window, const QString& folder)
{
    QAction* action = printAction(&window);
    const auto print = [&window, folder] {
        const ListBox* found = window.ui().resul_cherch;
        if (found->entryCount() == 0) {
            MessageBox::show(&window, QStringLiteral("Die Liste ist leer: suchen Sie zuerst die "
                                                     "Wörter, die gedruckt werden sollen."));
            return;
        }
        WordChoice choice;
        for (int i = 0; i < found->entryCount(); ++i) {
            choice.listed.append(found->entry(i));
        }
        openPrintDialog(&window, folder, choice, false);
    };
    QObject::connect(action, &QAction::triggered, &window, print);
    QObject::connect(window.ui().imprimer, &QPushButton::clicked, &window, print);
}
