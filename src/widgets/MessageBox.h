#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

// Every message box of LEXA goes through here: it carries the application
// title "LEXA", and tests can answer it without a modal loop.
class MessageBox
{
public:
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    static Button show(QWidget* parent, const QString& text, Buttons buttons = QMessageBox::Ok,
                       Button defaultButton = QMessageBox::NoButton,
                       QMessageBox::Icon icon = QMessageBox::NoIcon);

    // Testing seam: the next box is not shown but answered with `answer`.
    // Answers queue up, one per box.
    static void setNextAnswer(Button answer);
    // Texts of the boxes answered through the seam, oldest first; clears the record.
    static QStringList takeAnswered();
    // Drops unused answers and the record.
    static void resetSeam();

    static const QString Title;
};
