#include "editor/Form1Ui.h"
#include "search/ResulChUi.h"

#include <QFontInfo>
#include <QWidget>
#include <QtTest>

// The fonts the windows ask for are installed, not silently replaced by
// fallbacks.
class LayoutTest : public QObject
{
    Q_OBJECT

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
        QTest::addColumn<QWidget*>("control");
        QTest::addColumn<QString>("family");
        QTest::newRow("Form1") << &m_form1 << "Liberation Sans";
        QTest::newRow("List1") << static_cast<QWidget*>(m_form1Ui.List1) << "Comic Neue";
        QTest::newRow("resul_ch") << &m_resulCh << "Liberation Sans";
        QTest::newRow("ecrire") << static_cast<QWidget*>(m_resulChUi.ecrire) << "Comic Neue";
    }
    void fonts()
    {
        QFETCH(QWidget*, control);
        QTEST(QFontInfo(control->font()).family(), "family");
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
