#include "editor/Form1Ui.h"
#include "search/ResulChUi.h"

#include <QFontInfo>
#include <QWidget>
#include <QtTest>

namespace {

struct Row
{
    const char *name, *className, *parent;
    QRect geometry;
    const char* caption;
    bool shown, enabled;
};

// The main window, in pixels.
const Row form1[] = {
    {"fond", "Panel", "Form1", {3, 3, 510, 414}, "", 1, 1},
    {"List3", "ListBox", "Form1", {544, 326, 46, 67}, "", 0, 1},
    {"List1", "ListBox", "fond", {9, 4, 169, 326}, "", 1, 1},
    {"Label6", "Label", "fond", {54, 333, 116, 16}, "Wörterbuch enthält", 1, 1},
    {"nbre_enr", "Label", "fond", {88, 350, 37, 18}, "1000", 1, 1},
    {"Label7", "Label", "fond", {136, 349, 41, 16}, "Wörter", 1, 1},
    {"Label1", "Label", "fond", {198, 3, 40, 16}, "Artikel", 1, 1},
    {"deter", "TextBox", "fond", {198, 18, 37, 31}, "", 1, 0},
    {"Label2", "Label", "fond", {246, 3, 46, 16}, "Wort", 1, 1},
    {"Text1", "TextBox", "fond", {243, 18, 163, 31}, "", 1, 0},
    {"Label5", "Label", "fond", {411, 2, 46, 16}, "Icon", 1, 1},
    {"image1", "PictureBox", "fond", {410, 15, 37, 37}, "", 1, 0},
    {"Image4", "ImageBox", "fond", {461, 18, 32, 32}, "", 1, 1},
    {"sauve_ico", "PictureBox", "fond", {440, 5, 28, 34}, "", 0, 1},
    {"Dir1", "DirListBox", "fond", {384, 54, 113, 62}, "", 0, 1},
    {"File1", "FileListBox", "fond", {391, 117, 106, 67}, "", 0, 1},
    {"Label3", "Label", "fond", {198, 165, 46, 16}, "Thema", 1, 1},
    {"theme", "TextBox", "fond", {198, 186, 253, 25}, "", 1, 0},
    {"List2", "ListBox", "fond", {199, 219, 127, 67}, "", 0, 1},
    {"Label9", "Label", "fond", {269, 165, 62, 16}, "Markierung", 1, 1},
    {"mot_marque", "Label", "fond", {327, 163, 23, 19}, "N", 1, 0},
    {"Command11", "PushButton", "fond", {352, 160, 25, 25}, "raz", 1, 1},
    {"Label8", "Label", "fond", {198, 285, 73, 19}, "Frequenz", 1, 1},
    {"cat", "TextBox", "fond", {198, 303, 73, 25}, "", 1, 0},
    {"Command6", "PushButton", "fond", {416, 240, 73, 33}, "Wort ändern", 1, 1},
    {"Command3", "PushButton", "fond", {416, 272, 73, 33}, "Wort löschen", 1, 1},
    {"Command5", "PushButton", "fond", {416, 304, 73, 33}, "Neues Wort", 1, 1},
    {"Command8", "PushButton", "fond", {360, 224, 129, 33}, "Änderung beifügen", 0, 1},
    {"Command1", "PushButton", "fond", {360, 256, 129, 33}, "Änderung abbrechen", 0, 1},
    {"Command4", "PushButton", "fond", {360, 264, 129, 33}, "Änderung beifügen", 0, 1},
    {"Command9", "PushButton", "fond", {360, 296, 129, 33}, "Abbruch", 0, 1},
    {"Command2",
     "PushButton",
     "fond",
     {8, 368, 169, 41},
     "Wörter aus dem Wörterbuch herausnehmen",
     1,
     1},
    {"Command10",
     "PushButton",
     "fond",
     {200, 368, 177, 41},
     "Datei \"listemot.txt\" dem Wörterbuch beifügen",
     0,
     1},
    {"Command7", "PushButton", "fond", {416, 368, 73, 41}, "Beenden", 1, 1},
    {"mot_cour", "Label", "fond", {259, 397, 45, 15}, "", 0, 1},
    {"theme_cour", "Label", "fond", {381, 354, 31, 21}, "Label4", 0, 1},
};

// The search window, in pixels.
const Row resulCh[] = {
    {"resul_cherch", "ListBox", "resul_ch", {17, 8, 171, 324}, "", 1, 1},
    {"Label2", "Label", "resul_ch", {22, 344, 120, 24}, "gefundene Wörter", 1, 1},
    {"nb_tr", "Label", "resul_ch", {149, 344, 40, 19}, "0", 1, 1},
    {"liste_temp", "ListBox", "resul_ch", {24, 368, 168, 30}, "", 0, 1},
    {"Command1", "PushButton", "resul_ch", {456, 376, 57, 33}, "Zurück", 1, 1},
    {"SSPanel1", "Panel", "resul_ch", {194, 8, 313, 362}, "", 1, 1},
    {"Label1", "Label", "SSPanel1", {11, 9, 125, 18}, "Wörter herausnehmen", 1, 1},
    {"extrac_liste", "QRadioButton", "SSPanel1", {10, 29, 121, 18}, "aus dieser Liste", 1, 1},
    {"Option2", "QRadioButton", "SSPanel1", {139, 28, 142, 20}, "aus dem Wörterbuch", 1, 1},
    {"commence", "PushButton", "SSPanel1", {8, 48, 129, 25}, "die beginnen mit...", 1, 1},
    {"contient", "PushButton", "SSPanel1", {8, 72, 129, 25}, "die enthalten...", 1, 1},
    {"termine", "PushButton", "SSPanel1", {8, 96, 129, 25}, "die sich beenden mit...", 1, 1},
    {"longueur", "PushButton", "SSPanel1", {8, 136, 129, 25}, "mit einer Länge von...", 1, 1},
    {"Label5",
     "Label",
     "SSPanel1",
     {11, 177, 248, 22},
     "Wörter nur aus dem Wörterbuch herausnehmen *",
     1,
     1},
    {"theme_cherch", "PushButton", "SSPanel1", {8, 200, 129, 25}, "mit dem Thema...", 1, 1},
    {"theme", "Label", "SSPanel1", {162, 199, 136, 26}, "", 1, 1},
    {"Command3", "PushButton", "SSPanel1", {8, 232, 129, 25}, "die markiert sind...", 1, 1},
    {"Label7", "Label", "SSPanel1", {11, 282, 125, 26}, "* nur aus dem Wörterbuch", 1, 1},
    {"Command2", "PushButton", "SSPanel1", {8, 312, 129, 25}, "Liste speichen...", 1, 1},
    {"Label6", "Label", "SSPanel1", {148, 325, 147, 14}, "mit TXT Format", 1, 1},
    {"Label3", "Label", "SSPanel1", {8, 340, 283, 16}, "", 1, 1},
    {"ecrire", "TextBox", "resul_ch", {356, 96, 99, 34}, "", 1, 1},
    {"lg", "TextBox", "resul_ch", {357, 154, 65, 31}, "", 1, 1},
    {"List2", "ListBox", "resul_ch", {356, 249, 146, 82}, "", 0, 1},
};

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private:
    // A data tag "window/control" names a control; "window" alone the window.
    QWidget* tagged() const
    {
        const QStringList parts = QString::fromUtf8(QTest::currentDataTag()).split(u'/');
        const QWidget* top = parts[0] == u"Form1" ? &m_form1 : &m_resulCh;
        return parts.size() == 1 ? const_cast<QWidget*>(top) : top->findChild<QWidget*>(parts[1]);
    }

    QWidget m_form1, m_resulCh;
    Form1Ui m_form1Ui;
    ResulChUi m_resulChUi;

private slots:
    void initTestCase()
    {
        m_form1Ui.setupUi(&m_form1);
        m_resulChUi.setupUi(&m_resulCh);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("enabled");
        const auto add = [](const char* window, const auto& rows) {
            for (const Row& row : rows) {
                QTest::addRow("%s/%s", window, row.name)
                    << QString::fromLatin1(row.className) << QString::fromLatin1(row.parent)
                    << row.geometry << QString::fromUtf8(row.caption) << row.shown << row.enabled;
            }
        };
        add("Form1", form1);
        add("resul_ch", resulCh);
    }

    void controls()
    {
        QFETCH(QString, className);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(bool, shown);
        QFETCH(bool, enabled);
        const QWidget* widget = tagged();
        QVERIFY(widget != nullptr);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->property("text").toString(), caption);
        QCOMPARE(!widget->isHidden(), shown);
        QCOMPARE(widget->isEnabled(), enabled);
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        const QString comic = QStringLiteral("Comic Neue"),
                      sans = QStringLiteral("Liberation Sans");
        QTest::newRow("Form1") << sans << 8.25 << true;
        QTest::newRow("Form1/List1") << comic << 12.0 << false;
        QTest::newRow("Form1/mot_marque") << sans << 9.75 << false;
        QTest::newRow("resul_ch") << sans << 8.25 << false;
        QTest::newRow("resul_ch/resul_cherch") << comic << 11.25 << false;
        QTest::newRow("resul_ch/ecrire") << comic << 14.25 << false;
    }

    // The fonts are installed, not silently replaced by fallbacks.
    void fonts()
    {
        QFETCH(QString, family);
        QFETCH(double, size);
        QFETCH(bool, bold);
        const QFont font = tagged()->font();
        QCOMPARE(QFontInfo(font).family(), family);
        QCOMPARE(font.pointSizeF(), size);
        QCOMPARE(font.bold(), bold);
    }

    void windows_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QStringList>("tabOrder");
        QTest::newRow("Form1") << "LEXA" << QSize(522, 420)
                               << QStringList{"cat",      "List2",    "deter",    "List1",
                                              "theme",    "File1",    "Dir1",     "Text1",
                                              "List3",    "Command8", "Command4", "Command1",
                                              "Command9", "Command5", "Command7", "Command10",
                                              "Command2", "Command6", "Command3", "Command11"};
        QTest::newRow("resul_ch") << "lexa" << QSize(544, 445)
                                  << QStringList{"resul_cherch", "ecrire",     "lg",
                                                 "List2",        "liste_temp", "extrac_liste",
                                                 "Option2",      "Command1",   "commence",
                                                 "contient",     "termine",    "longueur",
                                                 "theme_cherch", "Command3",   "Command2"};
    }

    // Title, fixed client size, and the Tab order from the first control round to it again.
    void windows()
    {
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QFETCH(QStringList, tabOrder);
        QWidget* window = tagged();
        QCOMPARE(window->objectName(), QString::fromUtf8(QTest::currentDataTag()));
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QWidget* const first = window->findChild<QWidget*>(tabOrder.first());
        QStringList seen;
        QWidget* widget = first;
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                seen.append(widget->objectName());
            }
            widget = widget->nextInFocusChain();
        } while (widget != first);
        QCOMPARE(seen, tabOrder);
    }

    // Which record field each main-window control shows, and the list and picture roles.
    void bindings()
    {
        const QList<std::pair<const char*, const char*>> fields = {{"Text1", "mot"},
                                                                   {"mot_cour", "mot"},
                                                                   {"deter", "determinant"},
                                                                   {"cat", "categorie"},
                                                                   {"theme", "theme"},
                                                                   {"mot_marque", "mot marque"},
                                                                   {"image1", "icone integree"},
                                                                   {"theme_cour", "theme"},
                                                                   {"sauve_ico", ""}};
        for (const auto& [name, field] : fields) {
            const auto* bound = dynamic_cast<BoundControl*>(m_form1.findChild<QWidget*>(name));
            QVERIFY2(bound != nullptr, name);
            QCOMPARE(bound->dataField(), QString::fromLatin1(field));
            QVERIFY(!bound->isBoundChanged());
        }
        QVERIFY(m_form1Ui.image1->isDragSource());
        QCOMPARE(m_form1Ui.File1->pattern(), QStringLiteral("*.ico"));
        QVERIFY(m_resulChUi.resul_cherch->isSorted());
        QVERIFY(!m_resulChUi.liste_temp->isSorted() && !m_resulChUi.List2->isSorted());
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
