#include "app/SimilarWordsEntry.h"

#include "app/Form1.h"
#include "editor/SimilarWords.h"
#include "widgets/MessageBox.h"

#include <QAction>
#include <QScreen>
#include <algorithm>

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

// Beside the main window where the screen has room; else right of the word
// list, narrower where need be: the list, where a word chosen here is shown,
// stays in sight.
void placeBeside(QWidget* window, Form1& form)
{
    const QRect screen = form.screen()->availableGeometry();
    const QRect main = form.frameGeometry();
    const QSize frame = window->frameGeometry().size() - window->size();
    int width = window->width() + frame.width();
    int x = main.right() + 1;
    if (x + width > screen.right() + 1) {
        if (main.left() - width >= screen.left()) {
            x = main.left() - width;
        } else {
            const WordList* list = form.ui().List1;
            const int listEnd = list->mapToGlobal(QPoint(list->width(), 0)).x();
            x = std::max(listEnd, screen.right() + 1 - width);
            width = std::min(width, screen.right() + 1 - x);
            window->resize(std::max(width - frame.width(), window->minimumSizeHint().width()),
                           window->height());
        }
    }
    const int lowest =
        std::max(screen.top(), screen.bottom() + 1 - window->frameGeometry().height());
    window->move(x, std::clamp(main.top(), screen.top(), lowest));
}

void openSimilarWords(Form1& form)
{
    auto* window = form.findChild<SimilarWords*>();
    if (window == nullptr) {
        window = new SimilarWords(&form);
        placeBeside(window, form);
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
