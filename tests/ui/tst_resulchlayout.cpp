#include "ui/Look.h"
#include "ui/ResulChUi.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRadioButton>
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
    bool shown;
};

// The search window as designed, in twips. Nothing in it is bold.
const ControlRow controls[] = {
    {"resul_cherch", "ListBox", "resul_ch", 255, 120, 2565, 4860, "", Comic, 11.25, true},
    {"Label2", "Label", "resul_ch", 330, 5160, 1800, 360, "gefundene Wörter", Sans, 8.25, true},
    {"nb_tr", "Label", "resul_ch", 2235, 5160, 600, 285, "0", Sans, 8.25, true},
    {"liste_temp", "ListBox", "resul_ch", 360, 5520, 2520, 450, "", Sans, 8.25, false},
    {"Command1", "PushButton", "resul_ch", 6840, 5640, 855, 495, "Zurück", Sans, 8.25, true},
    {"SSPanel1", "Panel", "resul_ch", 2910, 120, 4695, 5430, "", Sans, 8.25, true},
    {"Label1", "Label", "SSPanel1", 165, 135, 1875, 270, "Wörter herausnehmen", Sans, 8.25, true},
    {"extrac_liste", "QRadioButton", "SSPanel1", 150, 435, 1815, 270, "aus dieser Liste", Sans,
     8.25, true},
    {"Option2", "QRadioButton", "SSPanel1", 2085, 420, 2130, 300, "aus dem Wörterbuch", Sans, 8.25,
     true},
    {"commence", "PushButton", "SSPanel1", 120, 720, 1935, 375, "die beginnen mit...", Sans, 8.25,
     true},
    {"contient", "PushButton", "SSPanel1", 120, 1080, 1935, 375, "die enthalten...", Sans, 8.25,
     true},
    {"termine", "PushButton", "SSPanel1", 120, 1440, 1935, 375, "die sich beenden mit...", Sans,
     8.25, true},
    {"longueur", "PushButton", "SSPanel1", 120, 2040, 1935, 375, "mit einer Länge von...", Sans,
     8.25, true},
    {"Label5", "Label", "SSPanel1", 165, 2655, 3720, 330,
     "Wörter nur aus dem Wörterbuch herausnehmen *", Sans, 8.25, true},
    {"theme_cherch", "PushButton", "SSPanel1", 120, 3000, 1935, 375, "mit dem Thema...", Sans, 8.25,
     true},
    {"theme", "Label", "SSPanel1", 2430, 2985, 2040, 390, "", Comic, 12, true},
    {"Command3", "PushButton", "SSPanel1", 120, 3480, 1935, 375, "die markiert sind...", Sans, 8.25,
     true},
    {"Label7", "Label", "SSPanel1", 165, 4230, 1875, 390, "* nur aus dem Wörterbuch", Sans, 8.25,
     true},
    {"Command2", "PushButton", "SSPanel1", 120, 4680, 1935, 375, "Liste speichen...", Sans, 8.25,
     true},
    {"Label6", "Label", "SSPanel1", 2220, 4875, 2205, 210, "mit TXT Format", Sans, 8.25, true},
    {"Label3", "Label", "SSPanel1", 120, 5100, 4245, 240, "", Sans, 8.25, true},
    {"ecrire", "TextBox", "resul_ch", 5340, 1440, 1485, 510, "", Comic, 14.25, true},
    {"lg", "TextBox", "resul_ch", 5355, 2310, 975, 465, "", Comic, 12, true},
    {"List2", "ListBox", "resul_ch", 5340, 3735, 2190, 1230, "", Sans, 8.25, false},
};

int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

} // namespace

class ResulChLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void controls_data();
    void controls();
    void looks_data();
    void looks();
    void listsAndOptions();
    void inputsAbovePanel();
    void tabOrder();
    void captionsFit();
    void rendering();

private:
    QWidget* control(const QString& name) const;

    std::unique_ptr<QWidget> m_window;
    ResulChUi m_ui;
};

void ResulChLayoutTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_ui = ResulChUi();
    m_ui.setupUi(m_window.get());
}

void ResulChLayoutTest::cleanup()
{
    m_window.reset();
}

QWidget* ResulChLayoutTest::control(const QString& name) const
{
    return m_window->findChild<QWidget*>(name);
}

void ResulChLayoutTest::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("resul_ch"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("lexa"));
    QCOMPARE(m_window->minimumSize(), QSize(544, 445));
    QCOMPARE(m_window->maximumSize(), QSize(544, 445));
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
    QVERIFY(m_window->autoFillBackground());
    QCOMPARE(m_window->font().family(), Sans);
    QCOMPARE(m_window->font().pointSizeF(), 8.25);
    QVERIFY(!m_window->font().bold());
}

void ResulChLayoutTest::controls_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("shown");
    for (const ControlRow& row : ::controls) {
        QTest::newRow(row.name) << QString::fromLatin1(row.className)
                                << QString::fromLatin1(row.parent)
                                << QRect(px(row.left), px(row.top), px(row.width), px(row.height))
                                << QString::fromUtf8(row.text) << row.family << row.pointSize
                                << row.shown;
    }
}

void ResulChLayoutTest::controls()
{
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(bool, shown);

    const QWidget* widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget != nullptr);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->property("text").toString(), text);
    QCOMPARE(widget->font().family(), family);
    QCOMPARE(QFontInfo(widget->font()).family(), family);
    QCOMPARE(widget->font().pointSizeF(), pointSize);
    QVERIFY(!widget->font().bold());
    QCOMPARE(!widget->isHidden(), shown);
    QVERIFY(widget->isEnabled());
}

void ResulChLayoutTest::looks_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<int>("alignment");
    const QColor green(0xC0, 0xFF, 0xC0);
    const QColor blue(0, 0, 0xFF);
    const QColor white(Qt::white);
    const int topLeft = Qt::AlignLeft | Qt::AlignTop;
    QTest::newRow("SSPanel1") << int(QPalette::Window) << green << true << false << 0;
    QTest::newRow("extrac_liste") << int(QPalette::Window) << green << true << false << 0;
    QTest::newRow("Option2") << int(QPalette::Window) << green << true << false << 0;
    QTest::newRow("resul_cherch") << int(QPalette::Base) << white << false << true << 0;
    QTest::newRow("nb_tr") << int(QPalette::Window) << white << true << true
                           << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("theme") << int(QPalette::Window) << white << true << true
                           << int(Qt::AlignCenter);
    for (const char* name : {"Label1", "Label5", "Label7"}) {
        QTest::newRow(name) << int(QPalette::WindowText) << blue << false << false << topLeft;
    }
    for (const char* name : {"Label2", "Label6", "Label3"}) {
        QTest::newRow(name) << int(QPalette::WindowText) << QColor(Qt::black) << false << false
                            << topLeft;
    }
}

void ResulChLayoutTest::looks()
{
    QFETCH(int, role);
    QFETCH(QColor, colour);
    QFETCH(bool, filled);
    QFETCH(bool, framed);
    QFETCH(int, alignment);
    const QWidget* widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->palette().color(QPalette::ColorRole(role)), colour);
    QCOMPARE(widget->autoFillBackground(), filled);
    if (const auto* frame = qobject_cast<const QFrame*>(widget)) {
        QCOMPARE(frame->frameShape() != QFrame::NoFrame, framed);
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        QCOMPARE(int(label->alignment()), alignment);
    }
}

// Sorted result list, unsorted scratch and theme lists, and two option
// buttons that start unchecked yet exclude each other once picked.
void ResulChLayoutTest::listsAndOptions()
{
    QVERIFY(m_ui.resul_cherch->isSorted());
    QVERIFY(!m_ui.liste_temp->isSorted());
    QVERIFY(!m_ui.List2->isSorted());
    QVERIFY(!m_ui.extrac_liste->isChecked());
    QVERIFY(!m_ui.Option2->isChecked());
    m_window->show();
    QTest::mouseClick(m_ui.extrac_liste, Qt::LeftButton);
    QVERIFY(m_ui.extrac_liste->isChecked());
    QTest::mouseClick(m_ui.Option2, Qt::LeftButton);
    QVERIFY(m_ui.Option2->isChecked());
    QVERIFY(!m_ui.extrac_liste->isChecked());
}

void ResulChLayoutTest::inputsAbovePanel()
{
    m_ui.List2->show();
    for (const QWidget* input : {static_cast<QWidget*>(m_ui.ecrire), static_cast<QWidget*>(m_ui.lg),
                                 static_cast<QWidget*>(m_ui.List2)}) {
        const QPoint centre = input->geometry().center();
        QVERIFY(m_ui.SSPanel1->geometry().contains(centre));
        const QWidget* hit = m_window->childAt(centre);
        QVERIFY(hit == input || input->isAncestorOf(hit));
    }
}

void ResulChLayoutTest::tabOrder()
{
    const QStringList expected = {"resul_cherch", "ecrire",       "lg",      "List2",
                                  "liste_temp",   "extrac_liste", "Option2", "Command1",
                                  "commence",     "contient",     "termine", "longueur",
                                  "theme_cherch", "Command3",     "Command2"};
    QStringList chain;
    QWidget* widget = m_ui.resul_cherch;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            chain.append(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    } while (widget != m_ui.resul_cherch);
    QCOMPARE(chain, expected);
}

void ResulChLayoutTest::captionsFit()
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
        QVERIFY2(area.contains(needed), qPrintable(label->objectName()));
    }
    for (const auto* radio : m_window->findChildren<QRadioButton*>()) {
        QVERIFY2(radio->sizeHint().width() <= radio->width(), qPrintable(radio->objectName()));
    }
}

void ResulChLayoutTest::rendering()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QImage image = m_window->grab().toImage();
    const QString snapshots = qEnvironmentVariable("LEXA_SNAPSHOT_DIR");
    if (!snapshots.isEmpty()) {
        image.save(snapshots + QStringLiteral("/resulch-layout.png"));
    }
    QCOMPARE(image.pixelColor(1, 1), QColor(0xC0, 0xFF, 0xC0));
    const QRect list = m_ui.resul_cherch->geometry();
    QCOMPARE(image.pixelColor(list.center()), QColor(Qt::white));
    const QRect face = m_ui.commence->geometry().translated(m_ui.SSPanel1->pos());
    QCOMPARE(image.pixelColor(face.topLeft() + QPoint(3, 3)), QColor(0xE0, 0xDF, 0xE3));
    const QRect count = m_ui.nb_tr->geometry();
    QCOMPARE(image.pixelColor(count.topLeft() + QPoint(4, 4)), QColor(Qt::white));
    const QRect option = m_ui.Option2->geometry().translated(m_ui.SSPanel1->pos());
    QCOMPARE(image.pixelColor(option.topRight() + QPoint(-2, 2)), QColor(0xC0, 0xFF, 0xC0));
}

QTEST_MAIN(ResulChLayoutTest)
#include "tst_resulchlayout.moc"
