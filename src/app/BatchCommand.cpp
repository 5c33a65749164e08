#include "app/BatchCommand.h"

#include "widgets/German.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

int BatchCommand::run(int argc, char* argv[]) const
{
    // No window is shown: pictures and pages are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    installGermanTexts(app);
    const ResultOf<QString> done = work();
    if (!done) {
        QTextStream(stderr) << "lexa: " << done.error << '\n';
        return 1;
    }
    if (!done.value.isEmpty()) {
        QTextStream(stdout) << done.value << '\n';
    }
    return 0;
}

void BatchCommand::takeFolder(const QString& folder)
{
    m_folder = folder.isEmpty() ? QDir::currentPath() : folder;
    if (QFileInfo(m_folder).isFile()) {
        m_folder = QFileInfo(m_folder).absolutePath();
    }
    m_folder = QDir(m_folder).absolutePath();
}
