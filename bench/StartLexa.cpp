// lexa-bench-start: starts LEXA as its main() does, on the dictionary in the
// current directory, and ends it right after the main window's first paint.
#include "FirstPaint.h"
#include "app/Form1.h"
#include "app/LegacyStartup.h"
#include "data/Backup.h"
#include "data/DictionaryLock.h"
#include "widgets/German.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QDate>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LEXA"));
    installGermanTexts(app);
    DictionaryLock lock(QDir::currentPath());
    if (lock.tryLock() != DictionaryLock::Outcome::Held ||
        !offerLegacyConversion(nullptr, QDir::currentPath())) {
        return 1;
    }
    // Made on the first start of a day (the uncounted one), checked after it.
    if (!Backup::makeDailyBackup(QDir::currentPath(), QDate::currentDate())) {
        return 1;
    }
    Form1 form;
    // Past 5,440 words the word limit's message comes; nobody is there to click it.
    MessageBox::setNextAnswer(QMessageBox::Ok);
    if (!form.Form_Load()) {
        return 1;
    }
    QuitAfterPaint quit;
    form.installEventFilter(&quit);
    form.show();
    const int exitCode = QApplication::exec();
    printPeakMemory();
    return exitCode;
}
