#pragma once

// What the user does to the main window in the editor tests, and how its
// state is read back.
#include "Harness.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QHash>
#include <QPushButton>
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

// Answers the real message boxes that come while the seam holds no answer:
// with the planned answers in turn, recording what each box looked like;
// any further box is closed with No and counts as unexpected, so that it
// fails its test instead of blocking it.
class UnexpectedBoxes : public QObject
{
public:
    UnexpectedBoxes()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, &UnexpectedBoxes::closeBox);
        m_timer.start();
    }
    void plan(QMessageBox::StandardButton answer) { m_planned.append(answer); }
    // "text|title|icon|buttons|default button" of each planned box answered.
    QStringList takeSeen() { return std::exchange(m_seen, {}); }
    QStringList take()
    {
        m_planned.clear();
        return std::exchange(m_texts, {});
    }

private:
    static QString buttonNames(QMessageBox::StandardButtons buttons)
    {
        QStringList names;
        for (const auto& [button, name] :
             {std::pair{QMessageBox::Ok, "Ok"}, std::pair{QMessageBox::Yes, "Yes"},
              std::pair{QMessageBox::No, "No"}, std::pair{QMessageBox::Cancel, "Cancel"}}) {
            if (buttons.testFlag(button)) {
                names.append(QString::fromLatin1(name));
            }
        }
        return names.isEmpty() ? QStringLiteral("-") : names.join(u' ');
    }

    static QString describe(QMessageBox& box)
    {
        static const QStringList icons{"none", "information", "warning", "critical", "question"};
        // The button Enter presses, chosen by the box itself when not set.
        QMessageBox::StandardButtons defaults;
        for (QAbstractButton* button : box.buttons()) {
            const auto* push = qobject_cast<QPushButton*>(button);
            if (push != nullptr && push->isDefault()) {
                defaults |= box.standardButton(button);
            }
        }
        return QStringList{box.text(), box.windowTitle(), icons.value(box.icon()),
                           buttonNames(box.standardButtons()), buttonNames(defaults)}
            .join(u'|');
    }

    void closeBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        if (m_planned.isEmpty()) {
            m_texts.append(box->text());
            box->done(QMessageBox::No);
            return;
        }
        m_seen.append(describe(*box));
        box->done(m_planned.takeFirst());
    }

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_planned;
    QStringList m_seen;
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

// A mouse click on the entry of a list that reads `text`.
inline void clickEntry(QListWidget* list, const QString& text)
{
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text + " is not in " + list->objectName()));
    QVERIFY2(!list->isHidden(), qPrintable(list->objectName() + " is hidden"));
    const QPoint spot = list->visualItemRect(items.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, spot);
}

// The user drags `source` and drops it on `target`.
inline void dragAndDrop(PictureBox* source, QWidget* target)
{
    const std::unique_ptr<QMimeData> data = source->dragMimeData();
    const QPointF spot = target->rect().center();
    QDragEnterEvent enter(spot.toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(spot, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
}

inline void doubleClick(ListBox* list, const QString& word)
{
    const auto items = list->findItems(word, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    const QPoint spot = list->visualItemRect(items.first()).center();
    // What the mouse sends: a click, then the double click and its release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, spot);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, spot);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, spot);
}

// Runs one user step: a button, a field typed into, a click, a selection or
// the answer to the next message box.
inline void run(Form1Ui& ui, const QString& step)
{
    const QString arg = step.section(u':', 1);
    const QString verb = step.section(u':', 0, 0);
    if (verb == "select") {
        const auto items = ui.List1->findItems(arg, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(arg + " is not listed"));
        ui.List1->setListIndex(ui.List1->row(items.first()));
    } else if (verb == "dbl") {
        doubleClick(ui.List1, arg);
    } else if (verb == "new") {
        press(ui.Command5);
    } else if (verb == "add") {
        press(ui.Command4);
    } else if (verb == "cancel") {
        press(ui.Command9);
    } else if (verb == "modify") {
        press(ui.Command6);
    } else if (verb == "apply") {
        press(ui.Command8);
    } else if (verb == "revert") {
        press(ui.Command1);
    } else if (verb == "delete") {
        press(ui.Command3);
    } else if (verb == "word") {
        retype(ui.Text1, arg);
    } else if (verb == "article") {
        retype(ui.deter, arg);
    } else if (verb == "theme") {
        retype(ui.theme, arg);
    } else if (verb == "cat") {
        retype(ui.cat, arg);
    } else if (verb == "click") {
        QWidget* control = ui.fond->findChild<QWidget*>(arg);
        QVERIFY2(control != nullptr, qPrintable("no control " + arg));
        click(control);
    } else if (verb == "down") {
        QTest::keyClick(ui.fond->findChild<QWidget*>(arg), Qt::Key_Down);
    } else if (verb == "themeClick") {
        click(ui.theme);
    } else if (verb == "iconClick") {
        click(ui.image1);
    } else if (verb == "mark") {
        click(ui.mot_marque);
    } else if (verb == "bin") {
        click(ui.Image4);
    } else if (verb == "pick") {
        clickEntry(ui.List2, arg);
    } else if (verb == "file") {
        clickEntry(ui.File1, arg);
    } else if (verb == "drop") {
        dragAndDrop(ui.image1, ui.Image4);
    } else if (verb == "dir") {
        const auto items = ui.Dir1->findItems(arg, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(arg + " is not in Dir1"));
        ui.Dir1->setCurrentItem(items.first());
        QTest::keyClick(ui.Dir1, Qt::Key_Return);
    } else if (verb == "import") {
        press(ui.Command10);
    } else if (verb == "raz") {
        press(ui.Command11);
    } else if (verb == "ok") {
        answer(QMessageBox::Ok);
    } else if (verb == "yes") {
        answer(QMessageBox::Yes);
    } else if (verb == "no") {
        answer(QMessageBox::No);
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

inline void runAll(Form1Ui& ui, const QStringList& steps)
{
    for (const QString& step : steps) {
        run(ui, step);
        if (QTest::currentTestFailed()) {
            QFAIL(qPrintable("at step " + step));
        }
    }
}

// "field=v1,v2,..." for one column of table lexa, read straight from the
// file; pictures show as <bytes> or, when known, by their colour.
inline QString fileColumn(const QString& dir, const QString& field,
                          const QHash<QByteArray, QString>& pictures = {})
{
    QStringList values;
    for (const QVariant& value : Fixtures::column(dir, field)) {
        if (value.isNull()) {
            values.append(QStringLiteral("<null>"));
        } else if (value.typeId() == QMetaType::QByteArray) {
            values.append(pictures.value(value.toByteArray(), QStringLiteral("<bytes>")));
        } else {
            values.append(value.toString());
        }
    }
    return field + u'=' + values.join(u',');
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
