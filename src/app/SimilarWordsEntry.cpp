#include "app/SimilarWordsEntry.h"

#include "app/Form1.h"
#include "editor/SimilarWords.h"
#include "widgets/MessageBox.h"

#include <QAction>

namespace {

void showChosenWord(Form1& form, const QString& word)
{
    WordList* list = form.ui().List1;
    if (!list->isEnabled()) {
        MessageBox::show(&form, QStringLiteral("Bitte beenden Sie zuerst die Eingabe oder "
                                               "Änderung des Wortes im Hauptfenster."));
        return;
    }
    for (const int row : form.editor().words().rowsIgnoringCase(word)) {
        if (list->entry(row) == word) {
            list->setListIndex(row);
            return;
        }
    }
    MessageBox::show(&form,
                     QStringLiteral("Das Wort „%1“ steht nicht in der Wortliste.").arg(word));
}

void openSimilarWords(Form1& form)
{
    auto* window = form.findChild<SimilarWords*>();
    if (window == nullptr) {
        window = new SimilarWords(&form);
        QObject::connect(window, &SimilarWords::wordChosen, &form,
                         [&form](const QString& word) { showChosenWord(form, word); });
    }
    if (window->load(form.editor().Data1.databasePath())) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

} // namespace

void addSimilarWordsEntry(Form1& form)
{
    // The word list's context menu shows the list's actions below its own.
    WordList* list = form.ui().List1;
    auto* entry = new QAction(QStringLiteral("Ähnliche Wörter suchen …"), list);
    entry->setObjectName(QStringLiteral("similarWords"));
    list->addAction(entry);
    QObject::connect(entry, &QAction::triggered, &form, [&form] { openSimilarWords(form); });
}
