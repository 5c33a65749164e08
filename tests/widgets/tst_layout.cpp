#include "editor/Form1Ui.h"
#include "search/ResulChUi.h"

#include <QFontInfo>
#include <QWidget>
#include <QtTest>

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
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
