// lexa-bench-floor: the least a window that shows words costs to start: one
// window with one line of text, ended right after its first paint.
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Ein Wörterbuch mit einer Zeile Text"));
    QuitAfterPaint quit;
    window.installEventFilter(&quit);
    window.show();
    const int exitCode = QApplication::exec();
    printPeakMemory();
    return exitCode;
}
