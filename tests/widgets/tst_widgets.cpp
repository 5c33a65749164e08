#include "Fixtures.h"
#include "widgets/Look.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

namespace {

using Fixtures::columns;
using Fixtures::row;

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void listBoxOrder_data()
    {
        columns<bool, QStringList, QStringList, QStringList>("sorted", "initial", "added",
                                                             "expected");
        const QStringList german = {"Ähre", "Apfel", "Äpfel", "auto", "Bär", "Ofen", "Öl", "Zug"};
        const QStringList shuffled = {"Zug", "auto", "Öl", "Apfel", "Bär", "Äpfel", "Ofen", "Ähre"};
        row("German order", true, QStringList(), shuffled, german);
        row("merged", true, QStringList{"Öl", "Apfel", "Zug"},
            QStringList{"Bär", "Ähre", "auto", "Äpfel", "Ofen"}, german);
        row("blanks count", true, QStringList{"Ähre"}, QStringList{"Abend", " Abend ", "Abend "},
            QStringList{" Abend ", "Abend", "Abend ", "Ähre"});
        // Umlauts, "ß" and case decide only between words of equal letters.
        row("letters first", true, QStringList{"Maße"},
            QStringList{"Muell", "mühsam", "Abbau", "Masse", "Mull", "Maß", "Zoë", "Ab-bau",
                        "MASSE", "Müll", "Zoe", "Mühle", "maßen", "Mass", "abbauen"},
            QStringList{"Ab-bau", "Abbau", "abbauen", "Mass", "Maß", "Masse", "MASSE", "Maße",
                        "maßen", "Muell", "Mühle", "mühsam", "Mull", "Müll", "Zoe", "Zoë"});
        // A few into many go in one by one, each from the place of the one before.
        const QStringList many = {"Ab-bau", "Abbau", "abbauen", "Mass",  "Maß",   "Masse",
                                  "MASSE",  "Maße",  "maßen",   "Muell", "Mühle", "mühsam",
                                  "Mull",   "Müll",  "Ofen",    "Zoe",   "Zoë"};
        row("few into many", true, many, QStringList{"Mast", "Aal"},
            QStringList{"Aal"} + many.mid(0, 9) + QStringList{"Mast"} + many.mid(9));
        row("unsorted", false, QStringList{"Zug"}, shuffled, QStringList{"Zug"} + shuffled);
    }

    // Adding one by one and in bulk give the same list.
    void listBoxOrder()
    {
        QFETCH(bool, sorted);
        QFETCH(QStringList, initial);
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        for (const bool bulk : {false, true}) {
            ListBox list(sorted);
            for (const QString& text : initial + (bulk ? QStringList() : added)) {
                QCOMPARE(list.entry(list.addEntry(text)), text);
            }
            if (bulk) {
                list.addEntries(added);
            }
            QCOMPARE(list.entryCount(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                QCOMPARE(list.entry(i), expected[i]);
            }
            QCOMPARE(list.entry(list.entryCount()), QString());
        }
    }

    // On a list of A B C D E with C selected: the Click events and the index.
    void listBoxClick_data()
    {
        columns<QString, int, int>("action", "clicks", "index");
        row("mouse on the selected entry", "click:2", 0, 2);
        row("double click, index set before", "dbl:1", 1, 1);
        row("mouse below the entries", "below", 0, 2);
        row("arrow down", "down", 1, 3);
        row("setListIndex", "set:4", 1, 4);
        row("selected entry removed", "remove:2", 0, -1);
    }
    void listBoxClick()
    {
        QFETCH(QString, action);
        ListBox list(true);
        list.resize(120, 150);
        list.addEntries({"E", "C", "A", "D", "B"});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setFocus();
        list.setListIndex(2);
        QSignalSpy clickSpy(&list, &ListBox::Click);
        QList<int> atDoubleClick;
        connect(&list, &ListBox::DblClick, &list, [&] { atDoubleClick.append(list.listIndex()); });
        const QString verb = action.section(u':', 0, 0);
        const int n = action.section(u':', 1).toInt();
        const QPoint spot = verb == "below" ? QPoint(10, list.viewport()->height() - 3)
                                            : list.visualItemRect(list.item(n)).center();
        if (verb == "click" || verb == "dbl" || verb == "below") {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, spot);
        }
        if (verb == "dbl") {
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, spot);
        }
        verb == "down"     ? QTest::keyClick(&list, Qt::Key_Down)
        : verb == "set"    ? void(list.setListIndex(n))
        : verb == "remove" ? void(list.removeEntry(n))
                           : void();
        QTEST(int(clickSpy.count()), "clicks");
        QTEST(list.listIndex(), "index");
        QCOMPARE(atDoubleClick, verb == "dbl" ? QList<int>{n} : QList<int>());
    }

    // A word cut short by the list's width shows whole as a tooltip; one that fits shows none.
    void cutShortTooltip()
    {
        ListBox list(false);
        list.resize(60, 80);
        list.addEntries({QStringLiteral("Ei"), QStringLiteral("Donaudampfschifffahrt")});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        for (const int row : {0, 1}) {
            const QPoint at = list.visualItemRect(list.item(row)).center();
            QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
            QApplication::sendEvent(list.viewport(), &help);
            QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(),
                     row == 0 ? QString() : list.entry(1));
        }
    }

    // Loading a record's value is no change; the user's or the program's
    // edits are. `steps`: type:text, load:value, set:value ("icon": a picture).
    void boundChanged_data()
    {
        columns<QString, QString, QString, bool, QString>("control", "loaded", "steps", "changed",
                                                          "value");
        row("text cleared", "TextBox", "Hund ", "set:", true, "");
        row("text typed after reload", "TextBox", "Hund ", "load:Bau;type:m", true, "Baum");
        row("label set", "Label", "N", "set:O", true, "O");
        row("picture removed", "PictureBox", "icon", "set:", true, "");
        row("picture loaded empty", "PictureBox", "icon", "load:", false, "");
        row("picture set", "PictureBox", "", "set:icon", true, "icon");
    }
    void boundChanged()
    {
        QFETCH(QString, control);
        QFETCH(QString, loaded);
        QFETCH(QString, steps);
        const QByteArray icon = Fixtures::icoBytes(0x008b8b);
        const auto variant = [&](const QString& text) {
            return text == "icon" ? QVariant(icon) : text.isEmpty() ? QVariant() : QVariant(text);
        };
        TextBox text;
        Label label;
        PictureBox picture;
        BoundControlBase* w = control == "TextBox" ? static_cast<BoundControlBase*>(&text)
                              : control == "Label" ? static_cast<BoundControlBase*>(&label)
                                                   : &picture;
        w->setDataField(QStringLiteral("mot"));
        w->loadBoundValue(variant(loaded));
        QVERIFY(!w->isBoundChanged());
        for (const QString& step : steps.split(u';', Qt::SkipEmptyParts)) {
            const QString arg = step.section(u':', 1);
            if (step.startsWith("type:")) {
                QTest::keyClicks(&text, arg);
            } else if (step.startsWith("load:")) {
                w->loadBoundValue(variant(arg));
            } else if (w == &text) {
                text.clear();
            } else {
                w == &label ? label.setCaption(arg)
                            : picture.setPicture(variant(arg).toByteArray());
            }
        }
        QTEST(w->isBoundChanged(), "changed");
        QFETCH(QString, value);
        QCOMPARE(w->boundValue().isNull(), value.isEmpty());
        QVERIFY(value.isEmpty() || w->boundValue() == variant(value));
        w->clearBoundChanged();
        QVERIFY(!w->isBoundChanged());
    }

    void clicksOnlyWhileEnabled()
    {
        QWidget window;
        const QList<QWidget*> controls = {new TextBox(&window), new Label(&window),
                                          new PictureBox(&window), new ImageBox(&window)};
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QWidget* control : controls) {
            control->resize(40, 30);
            QSignalSpy clicks(control, SIGNAL(Click()));
            for (const bool enabled : {true, false}) {
                control->setEnabled(enabled);
                QTest::mouseClick(control, Qt::LeftButton);
            }
            QVERIFY2(clicks.count() == 1, control->metaObject()->className());
        }
    }
};

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
