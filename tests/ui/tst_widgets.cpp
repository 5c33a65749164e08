#include "ui/Look.h"
#include "ui/ScreenPointer.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QMimeData>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

// An .ico file holding one opaque square image per (size, colour), stored as
// 32-bit device-independent bitmaps.
QByteArray iconFile(const QList<std::pair<int, QColor>>& images)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (const auto& [size, colour] : images) {
        const quint32 length = 40 + size * size * 4 + size * ((size + 31) / 32 * 4);
        out << quint8(size) << quint8(size) << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << length << offset;
        offset += length;
    }
    for (const auto& [size, colour] : images) {
        out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(32)
            << quint32(0) << quint32(0) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
        for (int i = 0; i < size * size; ++i) {
            out << quint8(colour.blue()) << quint8(colour.green()) << quint8(colour.red())
                << quint8(255);
        }
        for (int i = 0; i < size * ((size + 31) / 32 * 4); ++i) {
            out << quint8(0);
        }
    }
    return bytes;
}

QByteArray imageFile(const char* format, const QSize& size = QSize(8, 8))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
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

void clickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                      list.visualItemRect(list.item(row)).center());
}

void doubleClickRow(QListWidget& list, int row)
{
    const QPoint centre = list.visualItemRect(list.item(row)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

int colourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0) {
                colours.insert(pixel);
            }
        }
    }
    return static_cast<int>(colours.size());
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void listBoxOrder_data();
    void listBoxOrder();
    void listBoxBulkKeepsSelection();
    void listBoxClick_data();
    void listBoxClick();
    void listBoxDoubleClick();
    void textBoxChanged_data();
    void textBoxChanged();
    void textBoxKeyHook();
    void pushButtonLook();
    void clicksOnlyWhileEnabled_data();
    void clicksOnlyWhileEnabled();
    void labelChanged();
    void pictureBoxBytes();
    void readablePicture_data();
    void readablePicture();
    void pictureBoxChoosesIconImage_data();
    void pictureBoxChoosesIconImage();
    void imageBoxDrop();
    void dirListBox();
    void fileListBox();
    void screenPointer_data();
    void screenPointer();
    void fonts_data();
    void fonts();
    void icons_data();
    void icons();
};

void WidgetsTest::listBoxOrder_data()
{
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<bool>("bulk");
    QTest::addColumn<QStringList>("initial");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");
    const QStringList german = {"Ähre", "Apfel", "Äpfel", "auto", "Bär", "Ofen", "Öl", "Zug"};
    const QStringList shuffled = {"Zug", "auto", "Öl", "Apfel", "Bär", "Äpfel", "Ofen", "Ähre"};
    for (const bool bulk : {false, true}) {
        const QByteArray way = bulk ? " in bulk" : " one by one";
        QTest::newRow("German order" + way) << true << bulk << QStringList() << shuffled << german;
        QTest::newRow("merged into a list" + way)
            << true << bulk << QStringList{"Öl", "Apfel", "Zug"}
            << QStringList{"Bär", "Ähre", "auto", "Äpfel", "Ofen"} << german;
        QTest::newRow("blanks count" + way)
            << true << bulk << QStringList{"Ähre"} << QStringList{"Abend", " Abend ", "Abend "}
            << QStringList{" Abend ", "Abend", "Abend ", "Ähre"};
        QTest::newRow("duplicates kept" + way)
            << true << bulk << QStringList{"Haus", "Baum"} << QStringList{"Haus", "Baum", "Haus"}
            << QStringList{"Baum", "Baum", "Haus", "Haus", "Haus"};
        QTest::newRow("unsorted" + way)
            << false << bulk << QStringList{"Zug"} << shuffled << QStringList{"Zug"} + shuffled;
    }
}

void WidgetsTest::listBoxOrder()
{
    QFETCH(bool, sorted);
    QFETCH(bool, bulk);
    QFETCH(QStringList, initial);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);

    ListBox list(sorted);
    for (const QString& text : initial) {
        const int index = list.addEntry(text);
        QCOMPARE(list.entry(index), text);
    }
    if (bulk) {
        list.addEntries(added);
    } else {
        for (const QString& text : added) {
            const int index = list.addEntry(text);
            QCOMPARE(list.entry(index), text);
        }
    }
    QCOMPARE(entries(list), expected);
    QCOMPARE(list.entryCount(), expected.size());
    QCOMPARE(list.entry(list.entryCount()), QString());
}

void WidgetsTest::listBoxBulkKeepsSelection()
{
    ListBox list(true);
    list.addEntries({"Bär", "Zug"});
    list.setListIndex(0);
    QSignalSpy clicks(&list, &ListBox::Click);
    list.addEntries({"Apfel", "Auto", "Ofen"});
    QCOMPARE(list.listIndex(), 2);
    QCOMPARE(list.entry(list.listIndex()), QStringLiteral("Bär"));
    QCOMPARE(clicks.count(), 0);
}

void WidgetsTest::listBoxClick_data()
{
    using Action = std::function<void(ListBox&)>;
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("index");
    // The list holds A B C D E with C selected.
    QTest::newRow("mouse on another entry") << Action([](ListBox& l) { clickRow(l, 0); }) << 1 << 0;
    QTest::newRow("mouse on the selected entry")
        << Action([](ListBox& l) { clickRow(l, 2); }) << 0 << 2;
    QTest::newRow("ctrl+click cannot deselect")
        << Action([](ListBox& l) { clickRow(l, 2, Qt::ControlModifier); }) << 0 << 2;
    QTest::newRow("mouse below the entries") << Action([](ListBox& l) {
        QTest::mouseClick(l.viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(10, l.viewport()->height() - 3));
    }) << 0 << 2;
    QTest::newRow("arrow down") << Action([](ListBox& l) { QTest::keyClick(&l, Qt::Key_Down); })
                                << 1 << 3;
    QTest::newRow("arrow up") << Action([](ListBox& l) { QTest::keyClick(&l, Qt::Key_Up); }) << 1
                              << 1;
    QTest::newRow("first letter") << Action([](ListBox& l) { QTest::keyClick(&l, Qt::Key_E); }) << 1
                                  << 4;
    QTest::newRow("setListIndex") << Action([](ListBox& l) { l.setListIndex(4); }) << 1 << 4;
    QTest::newRow("setListIndex to the same entry")
        << Action([](ListBox& l) { l.setListIndex(2); }) << 1 << 2;
    QTest::newRow("setListIndex -1") << Action([](ListBox& l) { l.setListIndex(-1); }) << 0 << -1;
    QTest::newRow("entry added before")
        << Action([](ListBox& l) { l.addEntry(QStringLiteral("0")); }) << 0 << 3;
    QTest::newRow("entries added in bulk") << Action([](ListBox& l) {
        l.addEntries({"0", "Z"});
    }) << 0 << 3;
    QTest::newRow("entry removed before") << Action([](ListBox& l) { l.removeEntry(0); }) << 0 << 1;
    QTest::newRow("selected entry removed")
        << Action([](ListBox& l) { l.removeEntry(2); }) << 0 << -1;
    QTest::newRow("index out of range removes nothing")
        << Action([](ListBox& l) { l.removeEntry(5); }) << 0 << 2;
    QTest::newRow("cleared") << Action([](ListBox& l) { l.clearEntries(); }) << 0 << -1;
}

void WidgetsTest::listBoxClick()
{
    using Action = std::function<void(ListBox&)>;
    QFETCH(Action, action);
    QFETCH(int, clicks);
    QFETCH(int, index);

    ListBox list(true);
    list.resize(120, 150);
    list.addEntries({"E", "C", "A", "D", "B"});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setFocus();
    list.setListIndex(2);
    QSignalSpy clickSpy(&list, &ListBox::Click);
    action(list);
    QCOMPARE(clickSpy.count(), clicks);
    QCOMPARE(list.listIndex(), index);
}

void WidgetsTest::listBoxDoubleClick()
{
    ListBox list(true);
    list.resize(120, 150);
    list.addEntries({"Apfel", "Bär", "Zug"});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &ListBox::Click);
    QSignalSpy doubleClicks(&list, &ListBox::DblClick);
    QList<int> indexAtDoubleClick;
    connect(&list, &ListBox::DblClick, &list, [&] { indexAtDoubleClick.append(list.listIndex()); });
    doubleClickRow(list, 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(indexAtDoubleClick, QList<int>{1});
}

void WidgetsTest::textBoxChanged_data()
{
    using Action = std::function<void(TextBox&)>;
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("typing") << Action([](TextBox& b) { QTest::keyClicks(&b, "Haus"); }) << true
                            << QVariant(QStringLiteral("Hund Haus"));
    QTest::newRow("program setText")
        << Action([](TextBox& b) { b.setText(QStringLiteral("Maus")); }) << true
        << QVariant(QStringLiteral("Maus"));
    QTest::newRow("cleared") << Action([](TextBox& b) { b.clear(); }) << true << QVariant();
    QTest::newRow("loaded") << Action([](TextBox& b) { b.loadBoundValue(QStringLiteral("Baum")); })
                            << false << QVariant(QStringLiteral("Baum"));
    QTest::newRow("loaded empty field")
        << Action([](TextBox& b) { b.loadBoundValue(QVariant()); }) << false << QVariant();
    QTest::newRow("typed after load") << Action([](TextBox& b) {
        b.loadBoundValue(QStringLiteral("Bau"));
        QTest::keyClick(&b, Qt::Key_M);
    }) << true << QVariant(QStringLiteral("Baum"));
}

void WidgetsTest::textBoxChanged()
{
    using Action = std::function<void(TextBox&)>;
    QFETCH(Action, action);
    QFETCH(bool, changed);
    QFETCH(QVariant, value);

    TextBox box;
    box.setDataField(QStringLiteral("mot"));
    box.loadBoundValue(QStringLiteral("Hund "));
    QVERIFY(!box.isBoundChanged());
    action(box);
    QCOMPARE(box.isBoundChanged(), changed);
    QCOMPARE(box.boundValue(), value);
    QCOMPARE(box.boundValue().isNull(), !value.isValid());
    box.clearBoundChanged();
    QVERIFY(!box.isBoundChanged());
    QCOMPARE(box.dataField(), QStringLiteral("mot"));
}

// The hook sees each typed character (Backspace as 8), can discard it, and
// never sees keys that type nothing.
void WidgetsTest::textBoxKeyHook()
{
    TextBox box;
    QList<int> seen;
    box.setKeyPressHandler([&seen](int& keyAscii) {
        seen.append(keyAscii);
        if (keyAscii < '0' || keyAscii > '9') {
            keyAscii = 0;
        }
    });
    QTest::keyClicks(&box, "1a -.2");
    QCOMPARE(box.text(), QStringLiteral("12"));
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), QStringLiteral("12"));
    QCOMPARE(seen, (QList<int>{'1', 'a', ' ', '-', '.', '2', 8}));

    TextBox plain;
    QTest::keyClicks(&plain, "ab");
    QTest::keyClick(&plain, Qt::Key_Backspace);
    QCOMPARE(plain.text(), QStringLiteral("a"));
}

// The face, the bevel, and the dotted focus rectangle only while focused.
void WidgetsTest::pushButtonLook()
{
    QWidget window;
    auto* button = new PushButton(&window);
    button->setGeometry(10, 10, 73, 33);
    button->setText(QStringLiteral("Beenden"));
    QVERIFY(!button->autoDefault());
    auto* other = new TextBox(&window);
    other->setGeometry(10, 50, 73, 25);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const auto blackOnFocusRow = [button] {
        const QImage image = button->grab().toImage();
        int black = 0;
        for (int x = 3; x < button->width() - 3; ++x) {
            black += image.pixelColor(x, 3) == QColor(Qt::black) ? 1 : 0;
        }
        return black;
    };
    QCOMPARE(blackOnFocusRow(), 0);
    const QImage plain = button->grab().toImage();
    QCOMPARE(plain.pixelColor(5, 5), QColor(0xE0, 0xDF, 0xE3));
    QCOMPARE(plain.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(plain.pixelColor(button->width() - 1, button->height() - 1), QColor(Qt::black));

    button->setFocus();
    QVERIFY(button->hasFocus());
    const int dots = blackOnFocusRow();
    QVERIFY(dots > 10 && dots < button->width() - 8);
    button->setDown(true);
    QCOMPARE(button->grab().toImage().pixelColor(0, 0), QColor(Qt::black));
}

void WidgetsTest::clicksOnlyWhileEnabled_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void WidgetsTest::clicksOnlyWhileEnabled()
{
    QFETCH(bool, enabled);
    QWidget window;
    auto* text = new TextBox(&window);
    auto* label = new Label(&window);
    auto* picture = new PictureBox(&window);
    auto* image = new ImageBox(&window);
    const QList<QWidget*> controls = {text, label, picture, image};
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    spies.push_back(std::make_unique<QSignalSpy>(text, &TextBox::Click));
    spies.push_back(std::make_unique<QSignalSpy>(label, &Label::Click));
    spies.push_back(std::make_unique<QSignalSpy>(picture, &PictureBox::Click));
    spies.push_back(std::make_unique<QSignalSpy>(image, &ImageBox::Click));
    int y = 0;
    for (QWidget* control : controls) {
        control->setGeometry(0, y, 40, 30);
        control->setEnabled(enabled);
        y += 40;
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (std::size_t i = 0; i < spies.size(); ++i) {
        QWidget* control = controls.at(static_cast<qsizetype>(i));
        QTest::mousePress(control, Qt::LeftButton);
        QTest::mouseRelease(control, Qt::LeftButton);
        QCOMPARE(spies[i]->count(), enabled ? 1 : 0);
    }
}

void WidgetsTest::labelChanged()
{
    Label label;
    label.setDataField(QStringLiteral("mot marque"));
    label.loadBoundValue(QStringLiteral("N"));
    QCOMPARE(label.caption(), QStringLiteral("N"));
    QVERIFY(!label.isBoundChanged());
    label.setCaption(QStringLiteral("O"));
    QVERIFY(label.isBoundChanged());
    QCOMPARE(label.boundValue(), QVariant(QStringLiteral("O")));
    label.loadBoundValue(QVariant());
    QVERIFY(!label.isBoundChanged());
    QCOMPARE(label.caption(), QString());
    QVERIFY(label.boundValue().isNull());
    label.setCaption(QString());
    QVERIFY(label.isBoundChanged());
    QVERIFY(label.boundValue().isNull());
}

void WidgetsTest::pictureBoxBytes()
{
    const QByteArray icon = iconFile({{16, Qt::red}});
    PictureBox box;
    box.setDataField(QStringLiteral("icone integree"));
    QVERIFY(!box.hasPicture());
    box.loadBoundValue(icon);
    QVERIFY(box.hasPicture());
    QVERIFY(!box.isBoundChanged());
    QCOMPARE(box.picture(), icon);
    box.setPicture(QByteArray());
    QVERIFY(!box.hasPicture());
    QVERIFY(box.isBoundChanged());
    QVERIFY(box.boundValue().isNull());
    box.setPicture(icon);
    QCOMPARE(box.boundValue().toByteArray(), icon);
    box.loadBoundValue(QVariant());
    QVERIFY(!box.hasPicture());
    QVERIFY(!box.isBoundChanged());
}

void WidgetsTest::readablePicture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    const QByteArray png = imageFile("PNG");
    QTest::newRow("png") << png << true;
    QTest::newRow("bmp") << imageFile("BMP") << true;
    QTest::newRow("ico, two images") << iconFile({{16, Qt::red}, {32, Qt::blue}}) << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("garbage") << QByteArray("this is no picture at all, just text") << false;
    QTest::newRow("truncated png") << png.left(30) << false;
}

void WidgetsTest::readablePicture()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QCOMPARE(PictureBox::isReadablePicture(bytes), readable);
}

void WidgetsTest::pictureBoxChoosesIconImage_data()
{
    QTest::addColumn<QSize>("boxSize");
    QTest::addColumn<QColor>("centre");
    QTest::addColumn<int>("halfWidth");
    QTest::newRow("37 x 37 box: the 32 image") << QSize(37, 37) << QColor(Qt::blue) << 16;
    QTest::newRow("20 x 20 box: the 16 image") << QSize(20, 20) << QColor(Qt::red) << 8;
    QTest::newRow("60 x 60 box: the 48 image") << QSize(60, 60) << QColor(Qt::green) << 24;
    QTest::newRow("12 x 12 box: the 16 image, shrunk") << QSize(12, 12) << QColor(Qt::red) << 4;
}

// A multi-image icon shows the image that best fits the box, centred.
void WidgetsTest::pictureBoxChoosesIconImage()
{
    QFETCH(QSize, boxSize);
    QFETCH(QColor, centre);
    QFETCH(int, halfWidth);
    PictureBox box;
    box.resize(boxSize);
    Look::setBackground(&box, Qt::white);
    box.setPicture(iconFile({{32, Qt::blue}, {16, Qt::red}, {48, Qt::green}}));
    const QImage image = box.grab().toImage();
    const QPoint middle = box.contentsRect().center();
    QCOMPARE(image.pixelColor(middle), centre);
    if (halfWidth < box.contentsRect().width() / 2) {
        QCOMPARE(image.pixelColor(middle + QPoint(halfWidth - 1, 0)), centre);
        QCOMPARE(image.pixelColor(middle + QPoint(halfWidth + 2, 0)), QColor(Qt::white));
    }
}

void WidgetsTest::imageBoxDrop()
{
    QWidget window;
    auto* image1 = new PictureBox(&window);
    image1->setObjectName(QStringLiteral("image1"));
    image1->setGeometry(0, 0, 37, 37);
    image1->setDragSource(true);
    auto* bin = new ImageBox(&window);
    bin->setGeometry(50, 0, 32, 32);
    bin->setPixmap(Look::wasteBinIcon(32));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(bin->acceptDrops());

    QMimeData text;
    text.setText(QStringLiteral("image1"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bin, &refused);
    QVERIFY(!refused.isAccepted());

    const std::unique_ptr<QMimeData> dragged = image1->dragMimeData();
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, dragged.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(bin, &enter);
    QVERIFY(enter.isAccepted());

    QSignalSpy drops(bin, &ImageBox::DragDrop);
    QDropEvent drop(QPointF(7, 9), Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bin, &drop);
    QCOMPARE(drops.count(), 1);
    QCOMPARE(drops.first().at(0).value<QWidget*>(), image1);
    QCOMPARE(drops.first().at(1).toDouble(), 7.0);
    QCOMPARE(drops.first().at(2).toDouble(), 9.0);
}

void WidgetsTest::dirListBox()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir top(root.path());
    QVERIFY(top.mkpath(QStringLiteral("icons/tiere")));
    QVERIFY(top.mkpath(QStringLiteral("icons/Autos")));
    const QString icons = top.filePath(QStringLiteral("icons"));

    DirListBox dir;
    dir.resize(200, 300);
    QSignalSpy changes(&dir, &DirListBox::Change);
    dir.setPath(icons);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(dir.path(), icons);
    // Ancestors from the root down, then the subfolders in name order.
    QCOMPARE(dir.item(0)->text(), QStringLiteral("/"));
    const QStringList shown = entries(dir);
    QCOMPARE(shown.mid(shown.size() - 3), (QStringList{"icons", "Autos", "tiere"}));
    QCOMPARE(DirListBox::entryPath(dir.item(dir.count() - 1)),
             top.filePath(QStringLiteral("icons/tiere")));

    dir.setPath(icons + QStringLiteral("/"));
    dir.setPath(top.filePath(QStringLiteral("missing")));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(dir.path(), icons);

    dir.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dir));
    dir.setCurrentRow(dir.count() - 1);
    QTest::keyClick(&dir, Qt::Key_Return);
    QCOMPARE(dir.path(), top.filePath(QStringLiteral("icons/tiere")));
    QCOMPARE(changes.count(), 2);

    doubleClickRow(dir, dir.count() - 2);
    QCOMPARE(dir.path(), icons);
    QCOMPARE(changes.count(), 3);
}

void WidgetsTest::fileListBox()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir folder(root.path());
    for (const char* name : {"zebra.ico", "Apfel.ICO", "haus.bmp", "auto.ico"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(folder.mkdir(QStringLiteral("ordner.ico")));

    FileListBox files;
    files.resize(150, 200);
    QSignalSpy clicks(&files, &FileListBox::Click);
    files.setPattern(QStringLiteral("*.ico"));
    files.setPath(root.path());
    QCOMPARE(files.path(), root.path());
    QCOMPARE(entries(files), (QStringList{"Apfel.ICO", "auto.ico", "zebra.ico"}));
    QCOMPARE(files.fileName(), QString());

    files.show();
    QVERIFY(QTest::qWaitForWindowExposed(&files));
    clickRow(files, 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(files.fileName(), QStringLiteral("auto.ico"));
    files.setFocus();
    QTest::keyClick(&files, Qt::Key_Down);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(files.fileName(), QStringLiteral("zebra.ico"));

    files.setPattern(QStringLiteral("*.bmp;*.ico"));
    QCOMPARE(files.count(), 4);
    QCOMPARE(files.fileName(), QString());
    QCOMPARE(clicks.count(), 2);
}

void WidgetsTest::screenPointer_data()
{
    QTest::addColumn<QList<Pointer>>("pointers");
    QTest::addColumn<int>("shape");
    const int none = -1;
    QTest::newRow("hourglass") << QList<Pointer>{Pointer::Hourglass} << int(Qt::WaitCursor);
    QTest::newRow("arrow") << QList<Pointer>{Pointer::Arrow} << int(Qt::ArrowCursor);
    QTest::newRow("hourglass, then arrow")
        << QList<Pointer>{Pointer::Hourglass, Pointer::Arrow} << int(Qt::ArrowCursor);
    QTest::newRow("hourglass twice, then default")
        << QList<Pointer>{Pointer::Hourglass, Pointer::Hourglass, Pointer::Default} << none;
    QTest::newRow("default alone") << QList<Pointer>{Pointer::Default} << none;
}

// Each call replaces the pointer in place: one Default always ends the override.
void WidgetsTest::screenPointer()
{
    QFETCH(QList<Pointer>, pointers);
    QFETCH(int, shape);
    for (const Pointer pointer : pointers) {
        setScreenPointer(pointer);
    }
    const QCursor* cursor = QApplication::overrideCursor();
    QCOMPARE(cursor != nullptr ? int(cursor->shape()) : -1, shape);
    setScreenPointer(Pointer::Default);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void WidgetsTest::fonts_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Comic 12") << Look::comicFont(12) << "Comic Neue" << false;
    QTest::newRow("sans 8.25 bold") << Look::sansFont(8.25, true) << "Liberation Sans" << true;
    QTest::newRow("sans 9.75") << Look::sansFont(9.75) << "Liberation Sans" << false;
}

// The fonts are installed, not silently replaced by fallbacks.
void WidgetsTest::fonts()
{
    QFETCH(QFont, font);
    QFETCH(QString, family);
    QFETCH(bool, bold);
    const QFontInfo info(font);
    QCOMPARE(info.family(), family);
    QCOMPARE(info.bold(), bold);
}

void WidgetsTest::icons_data()
{
    QTest::addColumn<QPixmap>("pixmap");
    QTest::addColumn<int>("size");
    const QIcon application = Look::applicationIcon();
    QTest::newRow("application 32") << application.pixmap(32) << 32;
    QTest::newRow("application 16") << application.pixmap(16) << 16;
    QTest::newRow("waste bin 32") << Look::wasteBinIcon(32) << 32;
    QTest::newRow("waste bin 16") << Look::wasteBinIcon(16) << 16;
}

void WidgetsTest::icons()
{
    QFETCH(QPixmap, pixmap);
    QFETCH(int, size);
    const QImage image = pixmap.toImage();
    QCOMPARE(image.size(), QSize(size, size));
    const int colours = colourCount(image);
    QVERIFY2(colours >= 4 && colours <= 16, qPrintable(QString::number(colours)));
}

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
