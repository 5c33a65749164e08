#include "app/Form1.h"
#include "app/LegacyStartup.h"
#include "app/SessionEnd.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LEXA"));
    // The dictionary folder is the current directory; Access files found
    // there are converted first, if the user agrees.
    if (!offerLegacyConversion(nullptr, QDir::currentPath())) {
        return 1;
    }
    Form1 form;
    if (!form.Form_Load()) {
        return 1;
    }
    form.show();
    closeOnSessionEnd(form);
    return QApplication::exec();
}
