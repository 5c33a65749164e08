#include "widgets/FileDialogs.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QStringList>

namespace {

class NameOnlyIcons : public QFileIconProvider
{
public:
    QIcon icon(const QFileInfo& info) const override
    {
        return QFileIconProvider::icon(info.isRoot() ? Drive : info.isDir() ? Folder : File);
    }

    QString type(const QFileInfo& info) const override
    {
        if (info.isDir()) {
            return info.isRoot() ? QStringLiteral("Laufwerk") : QStringLiteral("Ordner");
        }
        return info.suffix().isEmpty() ? QStringLiteral("Datei")
                                       : QStringLiteral("%1-Datei").arg(info.suffix().toUpper());
    }
};

QStringList& pendingAnswers()
{
    static QStringList answers;
    return answers;
}

} // namespace

void showByNameOnly(QFileDialog& dialog)
{
    static NameOnlyIcons icons; // outlives every dialog
    dialog.setIconProvider(&icons);
}

QString runFileDialog(QFileDialog& dialog)
{
    if (!pendingAnswers().isEmpty()) {
        return pendingAnswers().takeFirst();
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void setNextFileDialogAnswer(const QString& path)
{
    pendingAnswers().append(path);
}
