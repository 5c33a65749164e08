#include "app/LegacyStartup.h"

#include "convert/LegacyConversion.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QStringList>

namespace {

QString question(const QStringList& files)
{
    QStringList quoted;
    for (const QString& file : files) {
        quoted.append(QStringLiteral("„%1“").arg(file));
    }
    const QString names = quoted.join(QStringLiteral(" und "));
    if (files.size() == 1) {
        return QStringLiteral("Die Wörterbuchdatei %1 ist noch im alten Access-Format. "
                              "LEXA arbeitet nur mit dem neuen Format.\n\n"
                              "Soll sie jetzt umgewandelt werden? Die alte Datei bleibt "
                              "als Sicherung erhalten.")
            .arg(names);
    }
    return QStringLiteral("Die Wörterbuchdateien %1 sind noch im alten Access-Format. "
                          "LEXA arbeitet nur mit dem neuen Format.\n\n"
                          "Sollen sie jetzt umgewandelt werden? Die alten Dateien bleiben "
                          "als Sicherung erhalten.")
        .arg(names);
}

const QString Declined = QStringLiteral(
    "LEXA kann nur mit umgewandelten Wörterbüchern arbeiten und wird jetzt beendet.\n"
    "Die Dateien bleiben unverändert. Beim nächsten Start fragt LEXA wieder.");

} // namespace

bool offerLegacyConversion(QWidget* parent, const QString& folder)
{
    const QStringList files = legacyFiles(folder);
    if (files.isEmpty()) {
        return true;
    }
    if (MessageBox::show(parent, question(files), QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::Yes, QMessageBox::Question) != QMessageBox::Yes) {
        MessageBox::show(parent, Declined, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Information);
        return false;
    }
    ConversionReport report;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool converted = convertLegacyFiles(folder, LegacyReader(), &report, &error);
    QApplication::restoreOverrideCursor();
    if (!converted) {
        MessageBox::show(parent, error, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Critical);
        return false;
    }
    MessageBox::show(parent, report.summary(), QMessageBox::Ok, QMessageBox::NoButton,
                     QMessageBox::Information);
    return true;
}
