#include "ui/Form1Ui.h"
#include "ui/Look.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <QtTest>
#include <cmath>

namespace {

const QString Comic = QStringLiteral("Comic Neue");
const QString Sans = QStringLiteral("Liberation Sans");

struct ControlRow
{
    const char* name;
    const char* className;
    const char* parent;
    int left, top, width, height; // twips
    const char* text;
    const QString& family;
    double pointSize;
    bool bold;
    bool shown;
    bool enabled;
};

// The main window as designed, in twips.
const ControlRow controls[] = {
    {"fond", "Panel", "Form1", 45, 45, 7650, 6210, "", Sans, 8.25, true, true, true},
    {"List3", "ListBox", "Form1", 8160, 4890, 690, 1005, "", Sans, 8.25, true, false, true},
    {"List1", "ListBox", "fond", 135, 60, 2535, 4890, "", Comic, 12, false, true, true},
    {"Label6", "Label", "fond", 810, 4995, 1740, 240, "Wörterbuch enthält", Sans, 8.25, false, true,
     true},
    {"nbre_enr", "Label", "fond", 1320, 5250, 555, 270, "1000", Sans, 8.25, false, true, true},
    {"Label7", "Label", "fond", 2040, 5235, 615, 240, "Wörter", Sans, 8.25, false, true, true},
    {"Label1", "Label", "fond", 2970, 45, 600, 240, "Artikel", Sans, 8.25, false, true, true},
    {"deter", "TextBox", "fond", 2970, 270, 555, 465, "", Comic, 12, false, true, false},
    {"Label2", "Label", "fond", 3690, 45, 690, 240, "Wort", Sans, 8.25, false, true, true},
    {"Text1", "TextBox", "fond", 3645, 270, 2445, 465, "", Comic, 12, false, true, false},
    {"Label5", "Label", "fond", 6165, 30, 690, 240, "Icon", Sans, 8.25, false, true, true},
    {"image1", "PictureBox", "fond", 6150, 225, 555, 555, "", Sans, 8.25, true, true, false},
    {"Image4", "ImageBox", "fond", 6915, 270, 480, 480, "", Sans, 8.25, true, true, true},
    {"sauve_ico", "PictureBox", "fond", 6600, 75, 420, 510, "", Sans, 8.25, true, false, true},
    {"Dir1", "DirListBox", "fond", 5760, 810, 1695, 930, "", Sans, 8.25, true, false, true},
    {"File1", "FileListBox", "fond", 5865, 1755, 1590, 1005, "", Sans, 8.25, true, false, true},
    {"Label3", "Label", "fond", 2970, 2475, 690, 240, "Thema", Sans, 8.25, false, true, true},
    {"theme", "TextBox", "fond", 2970, 2790, 3795, 375, "", Sans, 8.25, true, true, false},
    {"List2", "ListBox", "fond", 2985, 3285, 1905, 1005, "", Sans, 8.25, true, false, true},
    {"Label9", "Label", "fond", 4035, 2475, 930, 240, "Markierung", Sans, 8.25, false, true, true},
    {"mot_marque", "Label", "fond", 4905, 2445, 345, 285, "N", Sans, 9.75, false, true, false},
    {"Command11", "PushButton", "fond", 5280, 2400, 375, 375, "raz", Sans, 8.25, true, true, true},
    {"Label8", "Label", "fond", 2970, 4275, 1095, 285, "Frequenz", Sans, 8.25, false, true, true},
    {"cat", "TextBox", "fond", 2970, 4545, 1095, 375, "", Sans, 8.25, false, true, false},
    {"Command6", "PushButton", "fond", 6240, 3600, 1095, 495, "Wort ändern", Sans, 8.25, true, true,
     true},
    {"Command3", "PushButton", "fond", 6240, 4080, 1095, 495, "Wort löschen", Sans, 8.25, true,
     true, true},
    {"Command5", "PushButton", "fond", 6240, 4560, 1095, 495, "Neues Wort", Sans, 8.25, true, true,
     true},
    {"Command8", "PushButton", "fond", 5400, 3360, 1935, 495, "Änderung beifügen", Sans, 8.25, true,
     false, true},
    {"Command1", "PushButton", "fond", 5400, 3840, 1935, 495, "Änderung abbrechen", Sans, 8.25,
     true, false, true},
    {"Command4", "PushButton", "fond", 5400, 3960, 1935, 495, "Änderung beifügen", Sans, 8.25, true,
     false, true},
    {"Command9", "PushButton", "fond", 5400, 4440, 1935, 495, "Abbruch", Sans, 8.25, true, false,
     true},
    {"Command2", "PushButton", "fond", 120, 5520, 2535, 615,
     "Wörter aus dem Wörterbuch herausnehmen", Sans, 8.25, true, true, true},
    {"Command10", "PushButton", "fond", 3000, 5520, 2655, 615,
     "Datei \"listemot.txt\" dem Wörterbuch beifügen", Sans, 8.25, true, false, true},
    {"Command7", "PushButton", "fond", 6240, 5520, 1095, 615, "Beenden", Sans, 8.25, true, true,
     true},
    {"mot_cour", "Label", "fond", 3885, 5955, 675, 225, "", Sans, 8.25, true, false, true},
    {"theme_cour", "Label", "fond", 5715, 5310, 465, 315, "Label4", Sans, 8.25, true, false, true},
};

int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

} // namespace

class Form1LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void controls_data();
    void controls();
    void frameLines_data();
    void frameLines();
    void looks_data();
    void looks();
    void bindings_data();
    void bindings();
    void tabOrder();
    void captionsFit();
    void rendering();

private:
    QWidget* control(const QString& name) const;

    std::unique_ptr<QWidget> m_window;
    Form1Ui m_ui;
};

void Form1LayoutTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_ui = Form1Ui();
    m_ui.setupUi(m_window.get());
}

void Form1LayoutTest::cleanup()
{
    m_window.reset();
}

QWidget* Form1LayoutTest::control(const QString& name) const
{
    return m_window->findChild<QWidget*>(name);
}

void Form1LayoutTest::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("LEXA"));
    QCOMPARE(m_window->minimumSize(), QSize(522, 420));
    QCOMPARE(m_window->maximumSize(), QSize(522, 420));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
    QVERIFY(m_window->autoFillBackground());
    QCOMPARE(m_window->font().family(), Sans);
    QCOMPARE(m_window->font().pointSizeF(), 8.25);
    QVERIFY(m_window->font().bold());
    QVERIFY(m_window->windowIcon().availableSizes().contains(QSize(32, 32)));
}

void Form1LayoutTest::controls_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("enabled");
    for (const ControlRow& row : ::controls) {
        QTest::newRow(row.name) << QString::fromLatin1(row.className)
                                << QString::fromLatin1(row.parent)
                                << QRect(px(row.left), px(row.top), px(row.width), px(row.height))
                                << QString::fromUtf8(row.text) << row.family << row.pointSize
                                << row.bold << row.shown << row.enabled;
    }
}

void Form1LayoutTest::controls()
{
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);

    const QWidget* widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget != nullptr);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->property("text").toString(), text);
    QCOMPARE(widget->font().family(), family);
    QCOMPARE(QFontInfo(widget->font()).family(), family);
    QCOMPARE(widget->font().pointSizeF(), pointSize);
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(!widget->isHidden(), shown);
    QCOMPARE(widget->isEnabled(), enabled);
}

void Form1LayoutTest::frameLines_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Line1") << QPoint(px(2745), px(60)) << QPoint(px(2745), px(5200))
                           << QColor(0x80, 0x80, 0x80);
    QTest::newRow("Line2") << QPoint(px(2745), px(60)) << QPoint(px(7650), px(60))
                           << QColor(0x80, 0x80, 0x80);
    QTest::newRow("Line3") << QPoint(px(2745), px(5200)) << QPoint(px(7640), px(5200))
                           << QColor(Qt::white);
    QTest::newRow("Line4") << QPoint(px(7620), px(60)) << QPoint(px(7620), px(5200))
                           << QColor(Qt::white);
}

void Form1LayoutTest::frameLines()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QColor, colour);
    const auto* line = m_window->findChild<Line*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(line != nullptr);
    QCOMPARE(line->parentWidget(), m_ui.fond);
    QCOMPARE(line->from(), from);
    QCOMPARE(line->to(), to);
    QCOMPARE(line->colour(), colour);
    QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void Form1LayoutTest::looks_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("alignment");
    const QColor red(0xFF, 0, 0);
    const QColor green(0xC0, 0xFF, 0xC0);
    const QColor base = QPalette().color(QPalette::Base);
    const int left = Qt::AlignLeft | Qt::AlignTop;
    QTest::newRow("fond") << int(QPalette::Window) << green << true << 0;
    for (const char* name :
         {"Label1", "Label2", "Label3", "Label5", "Label7", "Label8", "Label9"}) {
        QTest::newRow(name) << int(QPalette::WindowText) << red << false << left;
    }
    QTest::newRow("Label6") << int(QPalette::WindowText) << red << false
                            << int(Qt::AlignRight | Qt::AlignTop);
    QTest::newRow("nbre_enr") << int(QPalette::WindowText) << QPalette().color(QPalette::WindowText)
                              << false << int(Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("mot_marque") << int(QPalette::Window) << base << true << int(Qt::AlignCenter);
    QTest::newRow("image1") << int(QPalette::Window) << base << true << 0;
}

void Form1LayoutTest::looks()
{
    QFETCH(int, role);
    QFETCH(QColor, colour);
    QFETCH(bool, filled);
    QFETCH(int, alignment);
    const QWidget* widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), colour);
    QCOMPARE(widget->autoFillBackground(), filled);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        QCOMPARE(int(label->alignment()), alignment);
    }
}

void Form1LayoutTest::bindings_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("Text1") << "mot";
    QTest::newRow("mot_cour") << "mot";
    QTest::newRow("deter") << "determinant";
    QTest::newRow("cat") << "categorie";
    QTest::newRow("theme") << "theme";
    QTest::newRow("mot_marque") << "mot marque";
    QTest::newRow("image1") << "icone integree";
    QTest::newRow("theme_cour") << "theme";
    QTest::newRow("sauve_ico") << "";
}

void Form1LayoutTest::bindings()
{
    QFETCH(QString, field);
    auto* bound =
        dynamic_cast<BoundControl*>(control(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(bound != nullptr);
    QCOMPARE(bound->dataField(), field);
    QVERIFY(!bound->isBoundChanged());
}

void Form1LayoutTest::tabOrder()
{
    const QStringList expected = {"cat",       "List2",    "deter",    "List1",    "theme",
                                  "File1",     "Dir1",     "Text1",    "List3",    "Command8",
                                  "Command4",  "Command1", "Command9", "Command5", "Command7",
                                  "Command10", "Command2", "Command6", "Command3", "Command11"};
    QStringList chain;
    QWidget* widget = m_ui.cat;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            chain.append(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    } while (widget != m_ui.cat);
    QCOMPARE(chain, expected);
    QVERIFY(m_ui.image1->isDragSource());
    QCOMPARE(m_ui.File1->pattern(), QStringLiteral("*.ico"));
}

// Every caption fits its control in the font chosen for it (hidden labels
// show bound values, not their design captions).
void Form1LayoutTest::captionsFit()
{
    for (const auto* button : m_window->findChildren<PushButton*>()) {
        const QRect area = button->captionRect();
        const QRect needed =
            QFontMetrics(button->font())
                .boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, button->text());
        QVERIFY2(area.contains(needed), qPrintable(button->objectName()));
    }
    for (const auto* label : m_window->findChildren<Label*>()) {
        const QRect area = label->contentsRect();
        const QRect needed =
            QFontMetrics(label->font())
                .boundingRect(area, int(label->alignment()) | Qt::TextWordWrap, label->text());
        QVERIFY2(label->isHidden() || area.contains(needed), qPrintable(label->objectName()));
    }
}

void Form1LayoutTest::rendering()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QImage image = m_window->grab().toImage();
    const QString snapshots = qEnvironmentVariable("LEXA_SNAPSHOT_DIR");
    if (!snapshots.isEmpty()) {
        image.save(snapshots + QStringLiteral("/form1-layout.png"));
    }
    const QPoint fond = m_ui.fond->pos();
    QCOMPARE(image.pixelColor(1, 1), QColor(0xC0, 0xFF, 0xC0));
    QCOMPARE(image.pixelColor(fond + QPoint(px(2745), 100)), QColor(0x80, 0x80, 0x80));
    QCOMPARE(image.pixelColor(fond + QPoint(px(7620), 100)), QColor(Qt::white));
    const QRect face = m_ui.Command7->geometry().translated(fond);
    QCOMPARE(image.pixelColor(face.topLeft() + QPoint(3, 3)), QColor(0xE0, 0xDF, 0xE3));

    const QRect label = m_ui.Label1->geometry().translated(fond);
    int redPixels = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
        for (int x = label.left(); x <= label.right(); ++x) {
            redPixels += isRed(image.pixel(x, y)) ? 1 : 0;
        }
    }
    QVERIFY(redPixels > 10);
    // The waste bin shows its icon.
    const QRect bin = m_ui.Image4->geometry().translated(fond);
    QVERIFY(image.pixelColor(bin.center()) != QColor(0xC0, 0xFF, 0xC0));
}

QTEST_MAIN(Form1LayoutTest)
#include "tst_form1layout.moc"
