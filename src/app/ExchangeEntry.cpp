#include "app/ExchangeEntry.h"

#include "app/Form1.h"

#include <QAction>

void addExchangeEntries(Form1& form)
{
    Editor* editor = &form.editor();
    const auto entry = [&form](const char* name, const QString& text) {
        auto* action = new QAction(text, &form);
        action->setObjectName(QLatin1String(name));
        form.ui().List1->addAction(action);
        return action;
    };
    QObject::connect(entry("exportCsv", QStringLiteral("Exportieren …")), &QAction::triggered,
                     editor, [editor] { editor->exportCsv(); });
    // The import moves the store: a word being edited stays as it is.
    QObject::connect(entry("importCsv", QStringLiteral("Importieren …")), &QAction::triggered,
                     editor,
                     [editor] { editor->keepEditAcross([editor] { editor->importCsv(); }); });
}
