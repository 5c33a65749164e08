#pragma once

// What the user does to the main window in the editor tests, and how its
// state is read back.
#include "Harness.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QHash>
#include <QTimer>
#include <QtTest>

namespace Steps {

inline void showWindow(Harness& h)
{
    h.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.form()));
}

// Presses a button the user can see and reach.
inline void press(QAbstractButton* button)
{
    QVERIFY2(!button->isHidden(), qPrintable(button->objectName() + " is hidden"));
    QVERIFY2(button->isEnabled(), qPrintable(button->objectName() + " is disabled"));
    button->click();
}

// A mouse click in the middle of a control; disabled controls ignore it.
inline void click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

// Types into a field after selecting what it holds, as the user does.
inline void retype(QLineEdit* field, const QString& text)
{
    QVERIFY2(field->isEnabled(), qPrintable(field->objectName() + " is disabled"));
    field->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
    }
    // One key per character; keyClicks() only knows ASCII.
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(field->text(), text);
}

// Answers the next message box and checks afterwards that exactly the
// expected boxes came.
inline void answer(QMessageBox::StandardButton button)
{
    MessageBox::setNextAnswer(button);
}

inline QStringList boxes()
{
    return MessageBox::takeAnswered();
}

// Closes, with No, every message box that the seam was not told to answer,
// so that an unexpected box fails its test instead of blocking it.
class UnexpectedBoxes : public QObject
{
public:
    UnexpectedBoxes()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, &UnexpectedBoxes::closeBox);
        m_timer.start();
    }
    QStringList take() { return std::exchange(m_texts, {}); }

private:
    void closeBox()
    {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            m_texts.append(box->text());
            box->done(QMessageBox::No);
        }
    }

    QTimer m_timer;
    QStringList m_texts;
};

// For a test's cleanup(): no box came that the test did not expect.
inline void verifyNoUnexpectedBox(UnexpectedBoxes& guard)
{
    const QStringList texts = guard.take();
    QVERIFY2(texts.isEmpty(), qPrintable(QStringLiteral("unexpected box: ") + texts.join(" | ")));
}

// Enabled (E/D) of the fields and List1, shown (S/H) of the pickers and the
// command buttons, as one line that reads like a row of the state table.
inline QString controlStates(Form1Ui& ui)
{
    const auto enabled = [](const QWidget* w) {
        return w->objectName() + (w->isEnabled() ? QStringLiteral(":E") : QStringLiteral(":D"));
    };
    const auto shown = [](const QWidget* w) {
        return w->objectName() + (w->isHidden() ? QStringLiteral(":H") : QStringLiteral(":S"));
    };
    return QStringList{
        enabled(ui.Text1),  enabled(ui.deter),      enabled(ui.theme),  enabled(ui.cat),
        enabled(ui.image1), enabled(ui.mot_marque), enabled(ui.List1),  shown(ui.List2),
        shown(ui.Dir1),     shown(ui.File1),        shown(ui.Command5), shown(ui.Command3),
        shown(ui.Command6), shown(ui.Command2),     shown(ui.Command4), shown(ui.Command9),
        shown(ui.Command8), shown(ui.Command1),     shown(ui.Command7), shown(ui.Command11)}
        .join(u' ');
}

// One text column of table lexa, straight from the file.
inline QStringList textColumn(const Harness& h, const QString& field)
{
    QStringList texts;
    for (const QVariant& value : Fixtures::column(h.dir(), field)) {
        texts.append(value.isNull() ? QStringLiteral("<null>") : value.toString());
    }
    return texts;
}

// The bytes of a small .ico of one colour, made once per colour: the icon
// writer leaves padding bytes undefined, so two calls may differ.
inline QByteArray icon(unsigned rgb)
{
    static QHash<unsigned, QByteArray> made;
    auto it = made.find(rgb);
    if (it == made.end()) {
        it = made.insert(rgb, Fixtures::icoBytes(rgb));
    }
    return *it;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace Steps
