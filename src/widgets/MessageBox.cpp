#include "widgets/MessageBox.h"

#include <QList>

const QString MessageBox::Title = QStringLiteral("LEXA");

namespace {
QList<MessageBox::Button>& pendingAnswers()
{
    static QList<MessageBox::Button> answers;
    return answers;
}

QStringList& answeredTexts()
{
    static QStringList texts;
    return texts;
}
} // namespace

MessageBox::Button MessageBox::show(QWidget* parent, const QString& text, Buttons buttons,
                                    Button defaultButton, QMessageBox::Icon icon)
{
    if (!pendingAnswers().isEmpty()) {
        answeredTexts().append(text);
        return pendingAnswers().takeFirst();
    }
    QMessageBox box(icon, Title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    }
    return static_cast<Button>(box.exec());
}

void MessageBox::setNextAnswer(Button answer)
{
    pendingAnswers().append(answer);
}

QStringList MessageBox::takeAnswered()
{
    return std::exchange(answeredTexts(), {});
}

void MessageBox::resetSeam()
{
    pendingAnswers().clear();
    answeredTexts().clear();
}
