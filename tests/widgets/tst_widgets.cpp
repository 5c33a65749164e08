#include "widgets/Look.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>
#include <functional>

namespace {

const QByteArray& anIcon()
{
    static const QByteArray bytes = [] {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "ICO");
        return bytes;
    }();
    return bytes;
}

QStringList entries(const QListWidget& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.append(list.item(i)->text());
    }
    return texts;
}

void clickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = {}, bool twice = false)
{
    const QPoint centre = list.visualItemRect(list.item(row)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, centre);
    if (twice) {
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, modifiers, centre);
    }
}

// Binds a W, loads `loaded`, applies `change`: whether it then counts as changed, its value, and
// whether it was unchanged right after the load and after clearing the flag.
struct Outcome
{
    bool changed;
    QVariant value;
    bool clean;
};
using Scenario = std::function<Outcome()>;

template <class W> Scenario bound(const QVariant& loaded, void (*change)(W&))
{
    return [=] {
        W w;
        w.setDataField(QStringLiteral("mot"));
        w.loadBoundValue(loaded);
        const bool loadedClean = !w.isBoundChanged();
        change(w);
        return Outcome{w.isBoundChanged(), w.boundValue(),
                       (w.clearBoundChanged(), loadedClean && !w.isBoundChanged())};
    };
}

using ListAction = std::function<void(ListBox&)>;

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void listBoxOrder_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QStringList>("initial");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* tag, bool sorted, const QStringList& initial,
                            const QStringList& added, const QStringList& expected) {
            QTest::newRow(tag) << sorted << initial << added << expected;
        };
        const QStringList german = {"Ähre", "Apfel", "Äpfel", "auto", "Bär", "Ofen", "Öl", "Zug"};
        const QStringList shuffled = {"Zug", "auto", "Öl", "Apfel", "Bär", "Äpfel", "Ofen", "Ähre"};
        row("German order", true, {}, shuffled, german);
        row("merged", true, {"Öl", "Apfel", "Zug"}, {"Bär", "Ähre", "auto", "Äpfel", "Ofen"},
            german);
        row("blanks count", true, {"Ähre"}, {"Abend", " Abend ", "Abend "},
            {" Abend ", "Abend", "Abend ", "Ähre"});
        row("duplicates kept", true, {"Haus", "Baum"}, {"Haus", "Baum", "Haus"},
            {"Baum", "Baum", "Haus", "Haus", "Haus"});
        row("unsorted", false, {"Zug"}, shuffled, QStringList{"Zug"} + shuffled);
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
            QCOMPARE(entries(list), expected);
            QCOMPARE(list.entryCount(), expected.size());
            QCOMPARE(list.entry(list.entryCount()), QString());
        }
    }

    void listBoxClick_data()
    {
        QTest::addColumn<ListAction>("action");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("indexAtDoubleClick");
        const auto row = [](const char* tag, ListAction action, int clicks, int index,
                            QList<int> atDoubleClick = {}) {
            QTest::newRow(tag) << action << clicks << index << atDoubleClick;
        };
        // The list holds A B C D E with C selected.
        row(
            "mouse on another entry", [](ListBox& l) { clickRow(l, 0); }, 1, 0);
        row(
            "mouse on the selected entry", [](ListBox& l) { clickRow(l, 2); }, 0, 2);
        row(
            "ctrl+click keeps it", [](ListBox& l) { clickRow(l, 2, Qt::ControlModifier); }, 0, 2);
        row("double click", [](ListBox& l) { clickRow(l, 1, {}, true); }, 1, 1, {1});
        row(
            "mouse below the entries",
            [](ListBox& l) {
                QTest::mouseClick(l.viewport(), Qt::LeftButton, {},
                                  {10, l.viewport()->height() - 3});
            },
            0, 2);
        row(
            "arrow down", [](ListBox& l) { QTest::keyClick(&l, Qt::Key_Down); }, 1, 3);
        row(
            "setListIndex", [](ListBox& l) { l.setListIndex(4); }, 1, 4);
        row(
            "entry added before", [](ListBox& l) { l.addEntry(QStringLiteral("0")); }, 0, 3);
        row(
            "selected entry removed", [](ListBox& l) { l.removeEntry(2); }, 0, -1);
        row(
            "cleared", [](ListBox& l) { l.clearEntries(); }, 0, -1);
    }

    void listBoxClick()
    {
        QFETCH(ListAction, action);
        QFETCH(int, clicks);
        QFETCH(int, index);
        QFETCH(QList<int>, indexAtDoubleClick);
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
        action(list);
        QCOMPARE(clickSpy.count(), clicks);
        QCOMPARE(list.listIndex(), index);
        QCOMPARE(atDoubleClick, indexAtDoubleClick);
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

    // Loading a record's value is no change; the user's or the program's edits are.
    void boundChanged_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QVariant>("value");
        const QString hund = QStringLiteral("Hund ");
        const QByteArray icon = anIcon();
        using T = TextBox;
        using P = PictureBox;
        QTest::newRow("text typed") << bound<T>(hund, [](T& b) { QTest::keyClicks(&b, "Haus"); })
                                    << true << QVariant(QStringLiteral("Hund Haus"));
        QTest::newRow("text cleared")
            << bound<T>(hund, [](T& b) { b.clear(); }) << true << QVariant();
        QTest::newRow("text typed after reload") << bound<T>(hund, [](T& b) {
            b.loadBoundValue(QStringLiteral("Bau"));
            QTest::keyClick(&b, Qt::Key_M);
        }) << true << QVariant(QStringLiteral("Baum"));
        QTest::newRow("label loaded") << bound<Label>(QStringLiteral("N"), [](Label&) {}) << false
                                      << QVariant(QStringLiteral("N"));
        QTest::newRow("label set") << bound<Label>(QStringLiteral("N"), [](Label& l) {
            l.setCaption(QStringLiteral("O"));
        }) << true << QVariant(QStringLiteral("O"));
        QTest::newRow("picture removed")
            << bound<P>(icon, [](P& p) { p.setPicture({}); }) << true << QVariant();
        QTest::newRow("picture loaded empty")
            << bound<P>(icon, [](P& p) { p.loadBoundValue({}); }) << false << QVariant();
        QTest::newRow("picture set")
            << bound<P>({}, [](P& p) { p.setPicture(anIcon()); }) << true << QVariant(icon);
    }

    void boundChanged()
    {
        QFETCH(Scenario, scenario);
        QFETCH(bool, changed);
        QFETCH(QVariant, value);
        const Outcome outcome = scenario();
        QCOMPARE(outcome.changed, changed);
        QCOMPARE(outcome.value.isNull(), !value.isValid());
        if (value.isValid()) {
            QCOMPARE(outcome.value, value);
        }
        QVERIFY(outcome.clean);
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

    // Only a dragged control is accepted; the drop reports it and where it landed.
    void wasteBinDrop()
    {
        QWidget window;
        auto* image1 = new PictureBox(&window);
        image1->setObjectName(QStringLiteral("image1"));
        image1->setDragSource(true);
        auto* bin = new ImageBox(&window);
        bin->setPixmap(Look::wasteBinIcon(32));
        QMimeData text;
        text.setText(QStringLiteral("image1"));
        const std::unique_ptr<QMimeData> dragged = image1->dragMimeData();
        for (QMimeData* data : {&text, dragged.get()}) {
            QDragEnterEvent enter({5, 5}, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(bin, &enter);
            QCOMPARE(enter.isAccepted(), data == dragged.get());
        }
        QSignalSpy drops(bin, &ImageBox::DragDrop);
        QDropEvent drop({7, 9}, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bin, &drop);
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.first().at(0).value<QWidget*>(), image1);
        QCOMPARE(drops.first().mid(1), (QVariantList{7.0, 9.0}));
    }
};

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
