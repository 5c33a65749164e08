#pragma once

// What the user does to the main window in the editor tests, and how its
// state is read back.
#include "Harness.h"
#include "widgets/MessageBox.h"

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

inline void press(QAbstractButton* button)
{
    QVERIFY2(!button->isHidden() && button->isEnabled(), qPrintable(button->objectName()));
    button->click();
}

// Selects what a field holds and types, one key per character (keyClicks is ASCII only).
inline void retype(QLineEdit* field, const QString& text)
{
    QVERIFY2(field->isEnabled(), qPrintable(field->objectName() + " is disabled"));
    field->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_Delete);
    }
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(field->text(), text);
}

using Fixtures::row;

// Answers real message boxes with the planned answers, recording
// "text|title|icon|buttons|default"; any other box is closed with No and
// reported by verifyNoUnexpectedBox() in cleanup().
class UnexpectedBoxes : public QObject
{
public:
    UnexpectedBoxes()
    {
        connect(&m_timer, &QTimer::timeout, this, &UnexpectedBoxes::closeBox);
        m_timer.start(20);
    }
    void plan(QMessageBox::StandardButton answer) { m_planned.append(answer); }
    QStringList takeSeen()
    {
        m_planned.clear();
        return std::exchange(m_seen, {});
    }

private:
    void closeBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        QMessageBox::StandardButtons defaults; // the button Enter presses
        for (QAbstractButton* button : box->buttons()) {
            const auto* push = qobject_cast<QPushButton*>(button);
            defaults |= push != nullptr && push->isDefault() ? box->standardButton(button)
                                                             : QMessageBox::NoButton;
        }
        const auto names = [](QMessageBox::StandardButtons buttons) {
            const QMetaEnum meta = QMetaEnum::fromType<QMessageBox::StandardButtons>();
            QStringList keys = QString::fromLatin1(meta.valueToKeys(buttons.toInt())).split(u'|');
            keys.removeIf([](const QString& key) { return key.endsWith("Button"); }); // aliases
            return keys.join(u' ');
        };
        m_seen.append(QStringList{m_planned.isEmpty() ? "unexpected: " + box->text() : box->text(),
                                  box->windowTitle(),
                                  QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()),
                                  names(box->standardButtons()), names(defaults)}
                          .join(u'|'));
        box->done(m_planned.isEmpty() ? QMessageBox::No : m_planned.takeFirst());
    }

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_planned;
    QStringList m_seen;
};

inline void verifyNoUnexpectedBox(UnexpectedBoxes& guard)
{
    const QStringList seen = guard.takeSeen();
    MessageBox::resetSeam();
    QVERIFY2(seen.isEmpty(), qPrintable("unexpected box: " + seen.join(" | ")));
}

// E/D for enabled Text1 deter theme cat image1 mot_marque List1, then S/H for
// shown List2 Dir1 File1, then Command5 3 6 2 4 9 8 1 7 11.
inline QString controlStates(Form1Ui& ui)
{
    QString s;
    for (const QString& name :
         QStringLiteral("Text1 deter theme cat image1 mot_marque List1 | List2 Dir1 File1 | "
                        "Command5 Command3 Command6 Command2 Command4 Command9 Command8 Command1 "
                        "Command7 Command11")
             .split(u' ')) {
        const QWidget* w = ui.fond->window()->findChild<QWidget*>(name);
        s += name == "|"         ? u' '
             : !s.contains(u' ') ? (w->isEnabled() ? u'E' : u'D')
                                 : (w->isHidden() ? u'H' : u'S');
    }
    return s;
}

inline void clickEntry(QAbstractItemView* list, const QString& text, bool twice = false)
{
    const QAbstractItemModel* model = list->model();
    const auto items = model->match(model->index(0, 0), Qt::DisplayRole, text, 1,
                                    Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(!items.isEmpty() && !list->isHidden(),
             qPrintable(text + " not in " + list->objectName()));
    list->scrollTo(items.first());
    const QPoint spot = list->visualRect(items.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, spot);
    if (twice) { // what the mouse sends next: the double click and its release
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, spot);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, spot);
    }
}

// The user drags the icon and drops it on the waste bin.
inline void dropIcon(Form1Ui& ui)
{
    const std::unique_ptr<QMimeData> data = ui.image1->dragMimeData();
    const QPointF spot = ui.Image4->rect().center();
    QDragEnterEvent enter(spot.toPoint(), Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(ui.Image4, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(spot, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(ui.Image4, &drop);
    QVERIFY(drop.isAccepted());
}

// One user step: "verb" or "verb:argument".
inline void run(Form1Ui& ui, const QString& step)
{
    const QString arg = step.section(u':', 1);
    const QString verb = step.section(u':', 0, 0);
    const QHash<QString, QAbstractButton*> buttons{
        {"new", ui.Command5},    {"add", ui.Command4},     {"cancel", ui.Command9},
        {"modify", ui.Command6}, {"apply", ui.Command8},   {"revert", ui.Command1},
        {"delete", ui.Command3}, {"import", ui.Command10}, {"raz", ui.Command11}};
    const QHash<QString, QLineEdit*> fields{{"word", ui.Text1},     {"article", ui.deter},
                                            {"theme", ui.theme},    {"cat", ui.cat},
                                            {"plural", ui.pluriel}, {"syllables", ui.syllabes}};
    const QHash<QString, QAbstractItemView*> lists{
        {"list", ui.List1}, {"dbl", ui.List1}, {"pick", ui.List2}, {"file", ui.File1}};
    const QHash<QString, QMessageBox::StandardButton> answers{
        {"ok", QMessageBox::Ok}, {"yes", QMessageBox::Yes}, {"no", QMessageBox::No}};
    if (verb == "select") {
        // "word#2": the second entry of a word listed twice
        QList<int> items;
        for (int row = 0; row < ui.List1->entryCount(); ++row) {
            if (ui.List1->entry(row) == arg.section(u'#', 0, 0)) {
                items.append(row);
            }
        }
        QVERIFY2(!items.isEmpty(), qPrintable(arg + " is not listed"));
        ui.List1->setListIndex(arg.endsWith("#2") ? items.last() : items.first());
    } else if (buttons.contains(verb)) {
        press(buttons[verb]);
    } else if (fields.contains(verb)) {
        retype(fields[verb], arg);
    } else if (answers.contains(verb)) {
        MessageBox::setNextAnswer(answers[verb]);
    } else if (verb == "click" || verb == "down") {
        QWidget* control = ui.fond->window()->findChild<QWidget*>(arg);
        QVERIFY2(control != nullptr, qPrintable("no control " + arg));
        verb == "click" ? QTest::mouseClick(control, Qt::LeftButton)
                        : QTest::keyClick(control, Qt::Key_Down);
    } else if (lists.contains(verb)) {
        clickEntry(lists[verb], arg, verb == "dbl");
    } else if (verb == "key") { // "key:Escape@Text1": a key pressed in a control
        QWidget* control = ui.fond->window()->findChild<QWidget*>(arg.section(u'@', 1));
        control->setFocus();
        QTest::keyClick(control, arg.startsWith("Return") ? Qt::Key_Return : Qt::Key_Escape);
    } else if (verb == "undo" || verb == "redo") { // the keys, where the focus is
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : ui.List1;
        QTest::keyClick(focus, verb == "undo" ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
    } else if (verb == "drop") {
        dropIcon(ui);
    } else if (verb == "end") { // "Beenden" ends the program's event loop at once
        QTimer::singleShot(0, ui.fond, [&ui] { press(ui.Command7); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    } else if (verb == "dir") {
        const auto items = ui.Dir1->findItems(arg, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(arg + " is not in Dir1"));
        ui.Dir1->setCurrentItem(items.first());
        QTest::keyClick(ui.Dir1, Qt::Key_Return);
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

inline void runAll(Form1Ui& ui, const QString& steps)
{
    for (const QString& step : steps.split(u';', Qt::SkipEmptyParts)) {
        run(ui, step);
        if (QTest::currentTestFailed()) {
            QFAIL(qPrintable("at step " + step));
        }
    }
}

// A small .ico of one colour, made once per colour (the icon writer leaves
// padding bytes undefined, so two calls may differ); iconName() tells its
// colour in hex, 0 for another picture.
inline QHash<unsigned, QByteArray> Icons;
inline QByteArray icon(unsigned rgb)
{
    return Icons.contains(rgb) ? Icons[rgb] : Icons[rgb] = Fixtures::icoBytes(rgb);
}
inline QString iconName(const QByteArray& picture)
{
    return picture.isEmpty() ? QString() : QString::number(Icons.key(picture, 0), 16);
}

// Compares each ';'-separated "key=value" of `expected`: controls (see
// controlStates), state (the editing state), listed (List1 and the count
// shown; entries: without the count), highlight (List1's highlighted entry), focus (the focused
// control's name), shown (word|article|theme|category|mark|icon), forms (plural|syllables|
// each one's E or D), boxes (the texts answered,
// '/'-separated; none unless named), any other key a column of the file; "closed" closes the window
// first.
inline void check(Harness& h, const QString& expected)
{
    Form1Ui& ui = h.ui();
    QHash<QString, QString> actual{
        {"boxes", MessageBox::takeAnswered().join(u'/')},
        {"controls", controlStates(ui)},
        {"criterion", h.editor().mot_critere},
        {"state", !ui.Command4->isHidden()   ? "NewWord"
                  : !ui.Command8->isHidden() ? "Modify"
                  : ui.Command5->isHidden()  ? "?"
                                             : "Browse"},
        {"listed", h.listed().join(u',')},
        {"entries", h.listed().join(u',')}, // the entries alone, not the count
        {"highlight",
         ui.List1->listIndex() < 0 ? QString() : ui.List1->entry(ui.List1->listIndex())},
        {"focus", QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""},
        {"shown", QStringList({ui.Text1->text(), ui.deter->text(), ui.theme->text(), ui.cat->text(),
                               ui.mot_marque->caption(), iconName(ui.image1->picture())})
                      .join(u'|')},
        {"forms", QStringList({ui.pluriel->text(), ui.syllabes->text(),
                               QString(ui.pluriel->isEnabled() ? u'E' : u'D') +
                                   (ui.syllabes->isEnabled() ? u'E' : u'D')})
                      .join(u'|')}};
    QStringList checks = expected.split(u';', Qt::SkipEmptyParts);
    if (!expected.contains("boxes=")) {
        checks.prepend("boxes=");
    }
    for (const QString& item : checks) {
        const QString key = item.section(u'=', 0, 0);
        if (item == "closed") { // the window is gone; only the file can be checked
            h.stop();
        } else if (actual.contains(key)) {
            QCOMPARE(key + u'=' + actual[key], item);
            QVERIFY(key != "listed" || ui.nbre_enr->caption().toInt() == h.listed().size());
        } else {
            QCOMPARE(Fixtures::columnText(h.dir(), key), item);
        }
    }
}

} // namespace Steps
